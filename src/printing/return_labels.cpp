#include "printing/return_labels.h"

#include <vector>

#include "printing/label_stock.h"
#include "printing/print_rules.h"

namespace qm {

namespace {

const CellLayout& kCells = kReturnAddressSheet.cells;
static_assert(kReturnAddressSheet.cells.linesPerLabel == kReturnLabelLines);

void setSheetFont(PrinterSurface& surface) {
    surface.setFont("Courier New");
    surface.setFontSize(kCells.fontSize);
}

}  // namespace

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

void printReturnLabelSheet(PrinterSurface& surface,
                           const std::array<std::string, kReturnLabelLines>& lines, bool centered) {
    surface.printEmptyLines(kCells.leadLines + kCells.topLines.front());
    setSheetFont(surface);
    surface.setFontBold(false);
    for (std::size_t row = 0; row < kCells.topLines.size(); ++row) {
        for (const std::string& line : lines) {
            std::vector<PrintItem> items;
            for (int column : kCells.startColumns) {
                items.push_back(PrintItem::Tab(column));
                if (centered) {
                    items.push_back(
                        PrintItem::Spc(centeringBlanks(kCells.centerHalfWidth, line.size())));
                }
                items.push_back(PrintItem::Text(line));
            }
            surface.print(items);
        }
        if (row + 1 < kCells.topLines.size()) {
            surface.printEmptyLines(kCells.topLines[row + 1] - kCells.topLines[row] -
                                    kCells.linesPerLabel);
        }
    }
}

void printReturnLabelJob(PrinterSurface& surface,
                         const std::array<std::string, kReturnLabelLines>& lines, bool centered,
                         int copies) {
    setSheetFont(surface);
    surface.setFontItalic(false);
    surface.setOrientation(kPortrait);
    for (int copy = 0; copy < copies; ++copy) {
        printReturnLabelSheet(surface, lines, centered);
        surface.endDoc();
    }
    surface.endJob();
}

}  // namespace qm
