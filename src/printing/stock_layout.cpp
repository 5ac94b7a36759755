#include "printing/stock_layout.h"

#include <algorithm>
#include <cmath>

#include "printing/print_rules.h"
#include "surface/text_grid_surface.h"

namespace qm {

namespace {

// Inside the label's left and right edges, at most a tenth of its width.
constexpr double kSideMargin = 6;
// Wanted above and below the lines; a label too short for it gives it up first.
constexpr double kRowMargin = 3;
// The last line's letters reach below its line: descenders, as a PDF reader boxes them.
constexpr double kDescentBelowLine = 0.06;

double blockHeight(int lines, double size) {
    return lines * lineHeightPoints(size) + kDescentBelowLine * size;
}

// The lines to print: without trailing empty ones, then, while more than fit, without empty
// ones, then without the last ones (which leaves text out).
std::vector<std::string> linesThatFit(std::span<const std::string> lines, int room, bool& leftOut) {
    std::vector<std::string> kept(lines.begin(), lines.end());
    while (!kept.empty() && kept.back().empty()) {
        kept.pop_back();
    }
    while (static_cast<int>(kept.size()) > room) {
        const auto empty = std::find(kept.begin(), kept.end(), std::string());
        if (empty == kept.end()) {
            kept.resize(static_cast<std::size_t>(std::max(0, room)));
            leftOut = true;
            break;
        }
        kept.erase(empty);
    }
    return kept;
}

}  // namespace

StockTextLayout stockTextLayout(const SheetGeometry& sheet, int lines) {
    StockTextLayout layout;
    layout.lines = lines;
    layout.margin = std::min(kSideMargin, sheet.labelWidth / 10);
    const double perPoint = blockHeight(lines, 1.0);
    const double size = std::floor((sheet.labelHeight - 2 * kRowMargin) / perPoint * 2) / 2;
    layout.fontSize = std::clamp(size, kSmallestPrintSize, kLargestPrintSize);
    return layout;
}

LabelCell cellOfPosition(const SheetGeometry& sheet, int position) {
    return {(position - 1) / sheet.across, (position - 1) % sheet.across};
}

PlacedLabel placeLabelLines(const LabelStock& stock, LabelCell cell, const StockTextLayout& layout,
                            std::span<const std::string> lines, bool centered, Adjustment adjust) {
    const double size = layout.fontSize;
    const double lineHeight = lineHeightPoints(size);
    const double column = columnWidthPoints(size);
    PaperRect label = stock.sheet.label(cell);
    label.left += adjust.left * column;
    label.top += adjust.top * lineHeight;

    // A line must begin above the paper's unprintable bottom, or the surface would carry it
    // onto a page of its own.
    const double lastTop = stock.sheet.pageHeight - kPaperBottomMarginPoints - 0.01;
    const double bottom = std::min(label.bottom(), lastTop + lineHeight);
    const int room = std::max(
        0, static_cast<int>(
               std::floor((bottom - label.top - kDescentBelowLine * size) / lineHeight + 1e-9)));
    PlacedLabel placed;
    const std::vector<std::string> kept =
        linesThatFit(lines, std::min(room, layout.lines), placed.cut);

    // The lines stay inside the paper's printable sides too: a label at the paper's edge
    // gives its text the part of it a printer reaches.
    const double left = std::max(label.left + layout.margin, kPaperSideMarginPoints);
    const double right =
        std::min(label.right() - layout.margin, stock.sheet.pageWidth - kPaperSideMarginPoints);
    LineRoom lineRoom{std::max(0.0, right - left), size, centered, 0};
    lineRoom.centerHalf = lineRoom.columns() / 2;
    std::vector<SetLine> set =
        setLabelLines(kept, lineRoom, static_cast<std::size_t>(std::max(room, 0)));
    while (!set.empty() && set.back().text.empty()) {
        set.pop_back();
    }

    placed.cut = placed.cut || anyCut(set);
    const int count = static_cast<int>(set.size());
    double top = label.top + (label.height - blockHeight(count, size)) / 2;
    top = std::max(label.top, std::min(top, bottom - blockHeight(count, size)));
    for (int i = 0; i < count; ++i) {
        const SetLine& line = set[static_cast<std::size_t>(i)];
        if (line.text.empty()) {
            continue;
        }
        placed.lines.push_back(PlacedLine{left + (centered ? line.blanks * column : 0.0),
                                          std::max(0.0, top + i * lineHeight),
                                          PrintItem::SizedText(line.text, line.size, line.cut)});
    }
    return placed;
}

void printPlacedLabel(PrinterSurface& surface, const PlacedLabel& label, const CutLabel& note) {
    for (const PlacedLine& line : label.lines) {
        surface.setCurrentX((line.x - kPaperSideMarginPoints) * kTwipsPerPoint);
        surface.setCurrentY(line.y * kTwipsPerPoint);
        surface.print({line.text});
    }
    if (label.cut) {
        surface.noteCutLabel(note);
    }
}

}  // namespace qm
