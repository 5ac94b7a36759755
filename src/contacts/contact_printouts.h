#pragma once

// The two printouts of one contact: the details sheet on a print surface, and the five label
// lines handed to the main window. Both take the values as they stand in the browser.

#include <array>
#include <optional>
#include <string>

#include "contacts/field_rules.h"
#include "surface/print_plan.h"

namespace qm {

// The details sheet, portrait on the printer's own paper: one page per copy, all in one
// document. reportDate is the date already in the desktop's short form. The selection is
// always offered: it prints the selected text of the focused field (an empty line, then the
// text, on a page of its own), or nothing when no field had the focus.
PrintPlan contactDetailsPlan(const ContactFields& fields, const std::string& reportDate,
                             std::optional<std::string> selectedText);

using LabelLines = std::array<std::string, 5>;

// The contact as the main window's five typed lines: name, company when it is included,
// street lines, then city, state and zip.
LabelLines contactLabelLines(const ContactFields& fields);

}  // namespace qm
