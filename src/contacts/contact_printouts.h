#pragma once

// The two printouts of one contact: the details sheet on a print surface, and the five label
// lines handed to the main window. Both take the values as they stand in the browser.

#include <array>
#include <string>

#include "contacts/field_rules.h"
#include "surface/printer_surface.h"

namespace qm {

// Font, size, style and orientation the sheet starts with.
void prepareDetailsSurface(PrinterSurface& surface);

// One details page per copy, each ended by a new page, then the end of the document and of
// the job.
// reportDate is the date already in the desktop's short form.
void printContactDetails(PrinterSurface& surface, const ContactFields& fields,
                         const std::string& reportDate, int copies);

// Printing the selection: an empty line, then the selected text, on a page of its own.
void printSelectedText(PrinterSurface& surface, const std::string& selected);

using LabelLines = std::array<std::string, 5>;

// The contact as the main window's five typed lines: name, company when it is included,
// street lines, then city, state and zip.
LabelLines contactLabelLines(const ContactFields& fields);

}  // namespace qm
