#include "printing/return_labels.h"

#include <vector>

#include "printing/print_rules.h"

namespace qm {

std::optional<ReturnLabelCheck> checkReturnLabelLines(const std::array<std::string, 5>& lines) {
    if (lines[0].empty() && lines[1].empty() && lines[2].empty()) {
        return ReturnLabelCheck{ReturnLabelProblem::NoLines,
                                {"Instructions", "Fill in Lines 1, 2, and 3, then press Print.",
                                 NoticeIcon::Exclamation}};
    }
    if (!lines[3].empty() || !lines[4].empty()) {
        return ReturnLabelCheck{ReturnLabelProblem::TooManyLines,
                                {"Small label can fit only 3 lines", "Leave Lines 4 and 5 blank",
                                 NoticeIcon::Exclamation}};
    }
    return std::nullopt;
}

bool extraLineAfterReturnLabelRow(int row) {
    return row == 6 || row == 10 || row == 14 || row == 19 || row == 20;
}

void printReturnLabelSheet(PrinterSurface& surface,
                           const std::array<std::string, kReturnLabelLines>& lines, bool centered) {
    surface.printEmptyLines(kReturnLabelTopLines);
    surface.setFont("Courier New");
    surface.setFontSize(kReturnLabelFontSize);
    surface.setFontBold(false);
    for (int row = 1; row <= kReturnLabelRows; ++row) {
        for (const std::string& line : lines) {
            std::vector<PrintItem> items;
            for (int column : kReturnLabelColumns) {
                items.push_back(PrintItem::Tab(column));
                if (centered) {
                    items.push_back(
                        PrintItem::Spc(centeringBlanks(kReturnLabelHalfWidth, line.size())));
                }
                items.push_back(PrintItem::Text(line));
            }
            surface.print(items);
        }
        if (extraLineAfterReturnLabelRow(row)) {
            surface.printLine();
        }
        surface.printLine();
    }
}

void printReturnLabelJob(PrinterSurface& surface,
                         const std::array<std::string, kReturnLabelLines>& lines, bool centered,
                         int copies) {
    surface.setFont("Courier New");
    surface.setFontSize(kReturnLabelFontSize);
    surface.setFontItalic(false);
    surface.setOrientation(kPortrait);
    for (int copy = 0; copy < copies; ++copy) {
        printReturnLabelSheet(surface, lines, centered);
        surface.endDoc();
    }
}

}  // namespace qm
