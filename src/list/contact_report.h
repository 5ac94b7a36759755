#pragma once

// The printed report of a contact list: a title, the file's name, a column heading and one
// line per list line, its columns trimmed and placed at fixed character columns.

#include <optional>
#include <string>
#include <vector>

#include "surface/print_plan.h"

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

// What the list window has selected when the report is printed.
struct ReportSelection {
    bool headingFocused = false;  // the heading field's selected text is printed, not lines
    std::string headingText;
    std::vector<std::string> lines;  // the selected list lines, in list order
};

// The report of the list lines under the file's title, landscape on letter, every line
// whatever page range is chosen; the selection, when one is offered, printed once.
PrintPlan contactReportPlan(std::vector<std::string> lines, std::string fileTitle,
                            std::optional<ReportSelection> selection);

}  // namespace qm
