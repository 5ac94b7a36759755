#pragma once

// A layout's columns found in a CSV header by their names, wherever they stand, and the
// contact of one line as the layout takes and cleans it.

#include <optional>
#include <string>
#include <vector>

#include "exchange/contact_reader.h"
#include "exchange/csv_layout.h"
#include "exchange/csv_text.h"

namespace qm {

class LayoutMap {
  public:
    LayoutMap(CsvLayout layout, const std::vector<std::string>& header);

    // The header names one of the layout's name columns and one of its e-mail columns.
    bool applies() const;
    // Whether the layout takes the record field from some column.
    bool maps(std::string ContactRecord::*member) const;
    // Whether the line holds anything in the layout's address columns.
    bool givesAddress(const std::vector<std::string>& fields) const;

    // The working contact of one line: the mapped values trimmed, the layout's fixed
    // values, its cleaning rules; every other field empty. A line shorter than the header
    // has empty values in the missing columns. None for a line the layout drops by its text.
    // The values are made storable by `limits`.
    std::optional<ContactRow> read(const CsvRecord& record, const FieldLimits& limits) const;

  private:
    struct Found {
        std::size_t column;
        std::string ContactRecord::*target;
    };
    // The field (quotes taken out where the layout takes them out, into `unquoted`; the own
    // layout keeps those of a field that stood in quotes, given `quoted`).
    std::string_view valueAt(const std::vector<std::string>& fields, std::size_t column,
                             std::string& unquoted,
                             const std::vector<char>* quoted = nullptr) const;
    bool emptyAt(const std::vector<std::string>& fields, std::string ContactRecord::*target) const;

    CsvLayout layout_;
    std::vector<Found> found_;
};

}  // namespace qm
