#include "printing/label_stock.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>

#include "surface/text_grid_surface.h"

namespace qm {
namespace {

std::size_t at(int index) {
    return static_cast<std::size_t>(index);
}

// Every row of the stock table: each label's text lines, placed by the row's cell layout on
// the paper model, lie on their own label, the first character and the whole line height of
// every line (a new stock is covered by its row).
TEST(LabelStockTable, EveryLabelsLinesLieOnItsLabel) {
    for (const LabelStock& stock : kLabelStocks) {
        if (!stock.hasCells()) {
            continue;  // laid out from its geometry (stock_library_test)
        }
        SCOPED_TRACE(std::string(stock.name));
        const SheetGeometry& sheet = stock.sheet;
        const CellLayout& cells = stock.cells;
        ASSERT_EQ(cells.startColumns.size(), at(sheet.across));
        ASSERT_TRUE(cells.topLines.empty() || cells.topLines.size() == at(sheet.down));
        // The paper the job sets and the print dialog opens with is the sheet's page.
        EXPECT_EQ(paperWidthPoints(kPortrait, stock.paper), sheet.pageWidth);
        EXPECT_EQ(paperHeightPoints(kPortrait, stock.paper), sheet.pageHeight);
        const PaperRect last = sheet.label({sheet.down - 1, sheet.across - 1});
        EXPECT_LE(last.right(), sheet.pageWidth);
        EXPECT_LE(last.bottom(), sheet.pageHeight);
        const double lines = cells.linesPerLabel * lineHeightPoints(cells.fontSize);
        for (int row = 0; row < sheet.down; ++row) {
            for (int column = 0; column < sheet.across; ++column) {
                const PaperRect label = sheet.label({row, column});
                const double x = kPaperSideMarginPoints + (cells.startColumns[at(column)] - 1) *
                                                              columnWidthPoints(cells.fontSize);
                const double y = firstLineTop(stock, row);
                EXPECT_GE(x, label.left) << row << "," << column;
                EXPECT_LE(x + columnWidthPoints(cells.fontSize), label.right());
                EXPECT_GE(y, label.top - 1e-6) << row << "," << column;
                EXPECT_LE(y + lines, label.bottom() + 1e-6) << row << "," << column;
                EXPECT_EQ(sheet.labelAt(x, y + 1e-6), (LabelCell{row, column}));
                // A line of the label's full width ends on the label.
                const int room = labelLineColumns(stock, column, cells.fontSize);
                EXPECT_LE(x + room * columnWidthPoints(cells.fontSize), label.right() + 1e-6);
                EXPECT_GT(x + (room + 1) * columnWidthPoints(cells.fontSize), label.right());
            }
        }
    }
}

TEST(LabelStockTable, PointsBetweenAndBesideLabelsAreOnNoLabel) {
    const SheetGeometry& sheet = kAddressSheet.sheet;
    const PaperRect first = sheet.label({0, 0});
    EXPECT_FALSE(sheet.labelAt(first.left - 1, first.top + 1));
    EXPECT_FALSE(sheet.labelAt(first.left + 1, first.top - 1));
    EXPECT_FALSE(sheet.labelAt(first.right() + 1, first.top + 1));  // the gap across
    EXPECT_FALSE(sheet.labelAt(first.left + 1, sheet.pageHeight - 1));
    EXPECT_EQ(sheet.labelAt(first.right() - 1, first.bottom() - 1), (LabelCell{0, 0}));
}

// "4 1/8 in", "5.5 in", "6 in", "110 mm" in points.
double inchesToPoints(const std::string& text) {
    const std::regex form(R"((\d+(?:\.\d+)?)(?: (\d+)/(\d+))? (in|mm))");
    std::smatch m;
    EXPECT_TRUE(std::regex_match(text, m, form)) << text;
    if (m[4] == "mm") {
        return std::strtod(m[1].str().c_str(), nullptr) * kPointsPerMillimetre;
    }
    double inches = std::strtod(m[1].str().c_str(), nullptr);
    if (m[2].matched) {
        inches +=
            std::strtod(m[2].str().c_str(), nullptr) / std::strtod(m[3].str().c_str(), nullptr);
    }
    return inches * kPointsPerInch;
}

TEST(EnvelopeTable, PhysicalSizeIsTheOneItsListTextNames) {
    const std::regex size(R"(\((.+ (?:in|mm)) x (.+ (?:in|mm))\)$)");
    for (const EnvelopeSize& envelope : kEnvelopes) {
        const std::string text(envelope.itemText);
        SCOPED_TRACE(text);
        std::smatch m;
        if (!std::regex_search(text, m, size)) {
            EXPECT_FALSE(envelope.hasPhysicalSize());
            continue;
        }
        EXPECT_DOUBLE_EQ(envelope.width, inchesToPoints(m[1]));
        EXPECT_DOUBLE_EQ(envelope.height, inchesToPoints(m[2]));
    }
    EXPECT_EQ(envelopeSize(1), &kEnvelopes[0]);
    EXPECT_EQ(envelopeSize(0), nullptr);
    EXPECT_EQ(envelopeSize(kEnvelopeSizes + 1), nullptr);
}

}  // namespace
}  // namespace qm
