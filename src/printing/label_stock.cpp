#include "printing/label_stock.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

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

namespace {

// FNV-1a: a name's hash that stays the same from one version and machine to the next.
std::uint32_t stableHash(std::string_view text) {
    std::uint32_t hash = 2166136261u;
    for (const char c : text) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

// A length in inches to the nearest sixteenth as a maker writes it ("2 5/8", "1", "1/2"),
// or in two decimals when it is no sixteenth.
std::string inchText(double points) {
    const double inches = points / kPointsPerInch;
    const long sixteenths = std::lround(inches * 16);
    char buffer[32];
    if (std::fabs(inches * 16 - static_cast<double>(sixteenths)) > 0.01) {
        std::snprintf(buffer, sizeof buffer, "%.2f", inches);
        return buffer;
    }
    long whole = sixteenths / 16;
    long numerator = sixteenths % 16;
    long denominator = 16;
    while (numerator != 0 && numerator % 2 == 0) {
        numerator /= 2;
        denominator /= 2;
    }
    std::string text = whole != 0 || numerator == 0 ? std::to_string(whole) : "";
    if (numerator != 0) {
        text += (text.empty() ? "" : " ") + std::to_string(numerator) + "/" +
                std::to_string(denominator);
    }
    return text;
}

std::string millimetreText(double points) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.1f", points / kPointsPerMillimetre);
    std::string text = buffer;
    if (text.size() > 2 && text.compare(text.size() - 2, 2, ".0") == 0) {
        text.resize(text.size() - 2);
    }
    return text;
}

}  // namespace

bool hasCellLayoutFor(const LabelStock& stock, StockJob job) {
    const CellLayout& cells = stock.cells;
    switch (job) {
        case StockJob::Labels:
            // Placed by counting lines down from the top of the page.
            return stock.hasCells() && !cells.topLines.empty() &&
                   cells.linesPerLabel == stockJobLines(job);
        case StockJob::ListLabels:
            return &stock == &kAddressSheet;
        case StockJob::ReturnLabels:
            return stock.hasCells() && cells.linesPerLabel == stockJobLines(job);
    }
    return false;
}

std::string adjustmentSection(const LabelStock& stock, StockJob job) {
    const bool addressSheet = &stock == &kAddressSheet;
    switch (job) {
        case StockJob::Labels:
            if (addressSheet) {
                return kSectionOnTheFly;
            }
            break;
        case StockJob::ListLabels:
            if (addressSheet) {
                return kSectionBulkList;
            }
            break;
        case StockJob::ReturnLabels:
            if (&stock == &kReturnAddressSheet) {
                return kSectionReturnLabels;
            }
            break;
    }
    static constexpr char kJobLetters[] = {'T', 'B', 'R'};
    char name[16];
    std::snprintf(name, sizeof name, "%c%07X", kJobLetters[static_cast<int>(job)],
                  static_cast<unsigned>(stableHash(stock.name) & 0xFFFFFFFu));
    return name;
}

std::string labelSizeText(const LabelStock& stock) {
    const SheetGeometry& sheet = stock.sheet;
    if (stock.metric) {
        return millimetreText(sheet.labelWidth) + " x " + millimetreText(sheet.labelHeight) + " mm";
    }
    return inchText(sheet.labelWidth) + " x " + inchText(sheet.labelHeight) + " in";
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
