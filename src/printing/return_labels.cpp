#include "printing/return_labels.h"

#include <algorithm>
#include <vector>

#include "printing/label_stock.h"
#include "printing/print_rules.h"
#include "printing/stock_layout.h"
#include "surface/text_grid_surface.h"

namespace qm {

namespace {

static_assert(kReturnAddressSheet.cells.linesPerLabel == kReturnLabelLines);
static_assert(stockJobLines(StockJob::ReturnLabels) == kReturnLabelLines);

// Every label of the sheet carries the same lines; a column's labels share their room, so each
// column's lines are set once.
void printSheet(PrinterSurface& surface, const LabelStock& stock,
                const std::array<std::string, kReturnLabelLines>& lines, bool centered,
                Adjustment adjust) {
    const CellLayout& cells = stock.cells;
    const double line = lineHeightPoints(cells.fontSize);
    const std::size_t across = cells.startColumns.size();
    std::vector<std::vector<SetLine>> columns;
    for (std::size_t c = 0; c < across; ++c) {
        const LineRoom room{labelLinePoints(stock, static_cast<int>(c), cells.fontSize),
                            cells.fontSize, centered, cells.centerHalfWidth};
        columns.push_back(setLabelLines(lines, room, lines.size()));
    }
    for (int row = 0; row < stock.sheet.down; ++row) {
        // Each row starts on its own label: whole lines would drift off the half-inch rows.
        const double top = firstLineTop(stock, row) + adjust.top * line;
        surface.setCurrentX(0);
        surface.setCurrentY(std::max(0.0, top) * kTwipsPerPoint);
        for (std::size_t k = 0; k < lines.size(); ++k) {
            std::vector<PrintItem> items;
            for (std::size_t c = 0; c < across; ++c) {
                appendSetLine(items, cells.startColumns[c] + adjust.left, columns[c][k], centered);
            }
            surface.print(items);
        }
        for (std::size_t c = 0; c < across; ++c) {
            if (anyCut(columns[c])) {
                surface.noteCutLabel({row * stock.sheet.across + static_cast<int>(c) + 1, {}});
            }
        }
    }
}

// Every label of a stock laid out from its geometry.
void printPlacedSheet(PrinterSurface& surface, const LabelStock& stock,
                      const std::array<std::string, kReturnLabelLines>& lines, bool centered,
                      const StockTextLayout& layout, Adjustment adjust) {
    for (int position = 1; position <= stock.sheet.labels(); ++position) {
        const LabelCell cell = cellOfPosition(stock.sheet, position);
        printPlacedLabel(surface, placeLabelLines(stock, cell, layout, lines, centered, adjust),
                         {position, {}});
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
    PrintPlan plan = stockPlan(stock, kPortrait, adjustmentSection(stock, StockJob::ReturnLabels));
    if (!hasCellLayoutFor(stock, StockJob::ReturnLabels)) {
        const StockTextLayout layout = stockTextLayout(stock.sheet, kReturnLabelLines);
        plan.fonts = {PrintFont{.size = layout.fontSize}};
        plan.draw = [&stock, lines, centered, layout](PrinterSurface& surface, Adjustment adjust) {
            printPlacedSheet(surface, stock, lines, centered, layout, adjust);
        };
        return plan;
    }
    plan.fonts = {PrintFont{.size = stock.cells.fontSize}};
    plan.draw = [&stock, lines, centered](PrinterSurface& surface, Adjustment adjust) {
        printSheet(surface, stock, lines, centered, adjust);
    };
    return plan;
}

}  // namespace qm
