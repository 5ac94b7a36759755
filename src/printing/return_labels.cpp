#include "printing/return_labels.h"

#include <algorithm>
#include <vector>

#include "printing/label_stock.h"
#include "printing/print_rules.h"
#include "records/text_rules.h"
#include "surface/text_grid_surface.h"

namespace qm {

namespace {

static_assert(kReturnAddressSheet.cells.linesPerLabel == kReturnLabelLines);

void printSheet(PrinterSurface& surface, const LabelStock& stock,
                const std::array<std::string, kReturnLabelLines>& lines, bool centered,
                Adjustment adjust) {
    const CellLayout& cells = stock.cells;
    const double line = lineHeightPoints(cells.fontSize);
    for (int row = 0; row < stock.sheet.down; ++row) {
        // Each row starts on its own label: whole lines would drift off the half-inch rows.
        const double top = firstLineTop(stock, row) + adjust.top * line;
        surface.setCurrentX(0);
        surface.setCurrentY(std::max(0.0, top) * kTwipsPerPoint);
        for (const std::string& text : lines) {
            std::vector<PrintItem> items;
            for (std::size_t c = 0; c < cells.startColumns.size(); ++c) {
                items.push_back(PrintItem::Tab(cells.startColumns[c] + adjust.left));
                const int blanks =
                    centered ? centeringBlanks(cells.centerHalfWidth, characterCount(text)) : 0;
                if (centered) {
                    items.push_back(PrintItem::Spc(blanks));
                }
                const int room = labelLineColumns(stock, static_cast<int>(c), cells.fontSize);
                items.push_back(labelText(text, room - blanks));
            }
            surface.print(items);
        }
    }
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

PrintPlan returnLabelsPlan(const LabelStock& stock,
                           const std::array<std::string, kReturnLabelLines>& lines, bool centered) {
    PrintPlan plan = stockPlan(stock, kPortrait, kSectionReturnLabels);
    plan.fonts = {PrintFont{.size = stock.cells.fontSize}};
    plan.draw = [&stock, lines, centered](PrinterSurface& surface, Adjustment adjust) {
        printSheet(surface, stock, lines, centered, adjust);
    };
    return plan;
}

}  // namespace qm
