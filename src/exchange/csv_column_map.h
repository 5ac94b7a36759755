#pragma once

// Which data field feeds which contact field, per layout: a field is taken only when its
// header column holds exactly the layout's text for it.

#include <string>
#include <string_view>
#include <vector>

#include "exchange/csv_layout.h"
#include "records/contact_record.h"

namespace qm {

// The working contact of one data line: the mapped values trimmed of blanks, the
// layout's fixed values, every other field empty; the reminder flag is left to the writer.
// Throws the index error when a mapped column lies beyond the header or the line.
ContactRecord mapColumns(CsvLayout layout, const std::vector<std::string>& header,
                         const std::vector<std::string_view>& fields);

}  // namespace qm
