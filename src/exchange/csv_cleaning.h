#pragma once

// Clean-up of imported values. Provider files carry phones, states and dates in many forms;
// what cannot be stored in this program's own form is dropped rather than kept half-right.

#include <string>
#include <string_view>

#include "exchange/csv_layout.h"
#include "records/contact_record.h"

namespace qm {

// A birthdate as M/D/YYYY, M/DD/YYYY, MM/D/YYYY or MM/DD/YYYY (with `separator` for "/")
// to the stored YYYYMMDD. With the month and day check, a month above 12 or a day above 31
// gives an empty value. Other forms are rearranged by position all the same; the century
// rule of the cleaning empties most of them.
std::string normaliseBirthdate(std::string_view value, char separator, bool checkMonthAndDay);

// Applies the layout's cleaning rules in their order; layouts C and E have none.
void cleanContact(CsvLayout layout, ContactRecord& working);

}  // namespace qm
