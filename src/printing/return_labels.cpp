#include "printing/return_labels.h"

#include <algorithm>
#include <vector>

#include "printing/label_stock.h"
#include "printing/print_rules.h"
#include "surface/text_grid_surface.h"

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

PrintSetup returnLabelPaper() {
    return {kPaperLetter, kPortrait};
}

void printReturnLabelSheet(PrinterSurface& surface,
                           const std::array<std::string, kReturnLabelLines>& lines, bool centered,
                           Adjustment adjust) {
    setSheetFont(surface);
    surface.setFontBold(false);
    const double line = lineHeightPoints(kCells.fontSize);
    for (int row = 0; row < kReturnAddressSheet.sheet.down; ++row) {
        // Each row starts on its own label: whole lines would drift off the half-inch rows.
        const double top = firstLineTop(kReturnAddressSheet, row) + adjust.top * line;
        surface.setCurrentX(0);
        surface.setCurrentY(std::max(0.0, top) * kTwipsPerPoint);
        for (const std::string& text : lines) {
            std::vector<PrintItem> items;
            for (std::size_t c = 0; c < kCells.startColumns.size(); ++c) {
                items.push_back(PrintItem::Tab(kCells.startColumns[c] + adjust.left));
                const int blanks =
                    centered ? centeringBlanks(kCells.centerHalfWidth, text.size()) : 0;
                if (centered) {
                    items.push_back(PrintItem::Spc(blanks));
                }
                const int room =
                    labelLineColumns(kReturnAddressSheet, static_cast<int>(c), kCells.fontSize);
                items.push_back(labelText(text, room - blanks));
            }
            surface.print(items);
        }
    }
}

void printReturnLabelJob(PrinterSurface& surface,
                         const std::array<std::string, kReturnLabelLines>& lines, bool centered,
                         int copies, Adjustment adjust) {
    setSheetFont(surface);
    surface.setFontItalic(false);
    surface.setOrientation(returnLabelPaper().orientation);
    surface.setPaperSize(returnLabelPaper().paper);
    surface.setBackdrop(labelOutlines(kReturnAddressSheet));
    for (int copy = 0; copy < copies; ++copy) {
        printReturnLabelSheet(surface, lines, centered, adjust);
        surface.endDoc();
    }
    surface.endJob();
}

}  // namespace qm
