#pragma once

// The printed report of a contact list: a title, the file's name, a column heading and one
// line per list line, its columns trimmed and placed at fixed character columns.

#include <string>
#include <vector>

#include "surface/printer_surface.h"

namespace qm {

struct ReportColumn {
    const char* heading;
    int column;
};

// The seven columns of a list line, in order.
const std::vector<ReportColumn>& reportColumns();

// Pages offered in the print dialog: CInt(lines / 54 + 1).
int reportPageCount(std::size_t lineCount);

// One copy of the whole report, landscape, without ending the document.
void printContactReport(PrinterSurface& surface, const std::vector<std::string>& lines,
                        const std::string& fileTitle);

// The selected list lines after the heading, in the list's own font.
void printSelectedLines(PrinterSurface& surface, const std::vector<std::string>& lines);

// The selected text of the heading field.
void printSelectedHeadingText(PrinterSurface& surface, const std::string& text);

}  // namespace qm
