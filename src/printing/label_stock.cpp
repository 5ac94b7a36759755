#include "printing/label_stock.h"

#include <algorithm>
#include <cmath>

#include "printing/print_rules.h"
#include "records/error.h"
#include "surface/text_grid_surface.h"

namespace qm {

PaperRect SheetGeometry::label(LabelCell cell) const {
    return {firstLeft + cell.column * pitchX, firstTop + cell.row * pitchY, labelWidth,
            labelHeight};
}

std::optional<LabelCell> SheetGeometry::labelAt(double x, double y) const {
    const double across = (x - firstLeft) / pitchX;
    const double down = (y - firstTop) / pitchY;
    if (across < 0 || down < 0) {
        return std::nullopt;
    }
    const LabelCell cell{static_cast<int>(std::floor(down)), static_cast<int>(std::floor(across))};
    if (cell.column >= this->across || cell.row >= this->down) {
        return std::nullopt;
    }
    const PaperRect rect = label(cell);
    if (x > rect.right() || y > rect.bottom()) {
        return std::nullopt;
    }
    return cell;
}

double firstLineTop(const LabelStock& stock, int row) {
    const CellLayout& cells = stock.cells;
    const double line = lineHeightPoints(cells.fontSize);
    if (!cells.topLines.empty()) {
        return (cells.leadLines + cells.topLines[static_cast<std::size_t>(row)]) * line;
    }
    const PaperRect label = stock.sheet.label({row, 0});
    return label.top + (label.height - cells.linesPerLabel * line) / 2;
}

double labelLinePoints(const LabelStock& stock, int column, double fontSize, int startColumn) {
    if (startColumn == 0) {
        startColumn = stock.cells.startColumns[static_cast<std::size_t>(column)];
    }
    const double start = kPaperSideMarginPoints + (startColumn - 1) * columnWidthPoints(fontSize);
    return std::max(0.0, stock.sheet.label({0, column}).right() - start);
}

int labelLineColumns(const LabelStock& stock, int column, double fontSize, int startColumn) {
    return LineRoom{labelLinePoints(stock, column, fontSize, startColumn), fontSize}.columns();
}

std::vector<PaperRect> labelOutlines(const LabelStock& stock) {
    std::vector<PaperRect> outlines;
    for (int row = 0; row < stock.sheet.down; ++row) {
        for (int column = 0; column < stock.sheet.across; ++column) {
            outlines.push_back(stock.sheet.label({row, column}));
        }
    }
    return outlines;
}

PrintPlan stockPlan(const LabelStock& stock, int orientation, std::string_view adjustment) {
    PrintPlan plan;
    plan.paper = {stock.paper, orientation};
    plan.stock = &stock;
    plan.backdrop = labelOutlines(stock);
    plan.adjustment = adjustment;
    return plan;
}

const ListLabelLayout& listLabelLayout(const LabelStock& stock) {
    if (&stock != &kAddressSheet) {
        throw QmError(err::kInvalidCall, "No list label layout for " + std::string(stock.name));
    }
    return kListLabels;
}

int listLabelLeftColumn(const ListLabelLayout& layout, std::string_view deviceName,
                        int leftAdjustment) {
    const bool shifted = isListedPrinter(deviceName, PrinterList::ListLabels);
    return (shifted ? layout.shiftedLeftColumn : layout.leftColumn) + leftAdjustment;
}

const EnvelopeSize* envelopeSize(int size) {
    if (size < 1 || size > kEnvelopeSizes) {
        return nullptr;
    }
    return &kEnvelopes[static_cast<std::size_t>(size - 1)];
}

}  // namespace qm
