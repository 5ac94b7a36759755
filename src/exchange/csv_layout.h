#pragma once

// The five header layouts a CSV import recognises, the columns each takes by their header
// names and the lines each drops. The letters only name the layouts in code; the user never
// sees them.
//   A  an address book with "Yahoo! Phone" columns
//   B  a mail program with "Primary Phone" and "Web Page" columns
//   C  a web mail export with a "Name,E-mail Address" column pair
//   D  this program's own export
//   E  any list of names followed by an e-mail column

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "records/contact_record.h"

namespace qm {

enum class CsvLayout { A, B, C, D, E };

// The first layout whose rule the header line holds; none when no layout applies.
std::optional<CsvLayout> detectLayout(std::string_view header);

// The user's name for the format a layout stands for.
std::string_view layoutFormatName(CsvLayout layout);

struct LayoutColumn {
    std::string_view header;  // the column's exact header text
    std::string ContactRecord::*target;
};

// The layout's columns. Where several name the same contact field, a later one found in the
// header replaces an earlier one.
std::span<const LayoutColumn> layoutColumns(CsvLayout layout);

// Whether the layout's rules drop a line by its text (a header repeated in the file).
bool skipLineByText(CsvLayout layout, std::string_view line);

// Layouts A, D and E take every double quote out of a line's values.
bool removesQuotes(CsvLayout layout);

}  // namespace qm
