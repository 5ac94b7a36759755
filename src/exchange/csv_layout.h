#pragma once

// The five header layouts an import recognises, and how each prepares its header and its
// data lines. The letters only name the layouts in code; the user never sees them.
//   A  an address book with "Yahoo! Phone" columns
//   B  a mail program with "Primary Phone" and "Web Page" columns
//   C  a web mail export with a "Name,E-mail Address" column pair
//   D  this program's own export
//   E  any list of names followed by an e-mail column

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qm {

enum class CsvLayout { A, B, C, D, E };

// The first layout whose rule the header line holds; none for a file the import ignores.
std::optional<CsvLayout> detectLayout(std::string_view header);

// The header's columns after the layout's preparation. None for a layout E header without
// an e-mail column name (the file is not compatible). Throws QmError when a layout C header
// holds no "First Name," to start its cut at.
std::optional<std::vector<std::string>> prepareHeader(CsvLayout layout, std::string_view header);

// A data line after the layout's preparation; none when the preparation already drops it
// (layouts C and E: no domain ending).
std::optional<std::string> prepareDataLine(CsvLayout layout, std::string_view line);

// Whether the layout's skip rules drop a prepared line. Throws the index error when a field
// the rules test lies beyond the line's last field.
bool skipDataLine(CsvLayout layout, std::string_view line,
                  const std::vector<std::string_view>& fields);

}  // namespace qm
