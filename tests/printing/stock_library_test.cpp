#include "printing/stock_library.h"

#include <gtest/gtest.h>

#include "printing/label_sheet.h"
#include "printing/stock_layout.h"
#include "surface/text_grid_surface.h"

namespace qm {
namespace {

const std::array<std::string, 5> kAddress = {"Ann B. Lee", "Rolling Meadows Co", "12 Oak St",
                                             "Apt 4", "Troy, NY 12180"};

// Every built-in row: its sheet lies on its page, which is the job's paper, and a full sheet
// of five-line addresses lays every line out inside its own label, above the paper's
// unprintable bottom, in 7 point or larger, nothing left out.
TEST(StockTable, EveryRowHoldsAFullSheetOfAddresses) {
    for (const LabelStock& stock : kLabelStocks) {
        SCOPED_TRACE(std::string(stock.name));
        const SheetGeometry& sheet = stock.sheet;
        EXPECT_NEAR(paperWidthPoints(kPortrait, stock.paper), sheet.pageWidth, 0.5);
        EXPECT_NEAR(paperHeightPoints(kPortrait, stock.paper), sheet.pageHeight, 0.5);
        const PaperRect last = sheet.label({sheet.down - 1, sheet.across - 1});
        EXPECT_LE(last.right(), sheet.pageWidth);
        EXPECT_LE(last.bottom(), sheet.pageHeight);
        const StockTextLayout layout = stockTextLayout(sheet, kLabelLines);
        EXPECT_GE(layout.fontSize, kSmallestPrintSize);
        for (int position = 1; position <= sheet.labels(); ++position) {
            const LabelCell cell = cellOfPosition(sheet, position);
            const PaperRect label = sheet.label(cell);
            const PlacedLabel placed =
                placeLabelLines(stock, cell, layout, kAddress, position % 2 == 0, {});
            if (!stock.hasCells()) {
                EXPECT_FALSE(placed.cut) << position;
                EXPECT_EQ(placed.lines.size(), kAddress.size()) << position;
            }
            for (const PlacedLine& line : placed.lines) {
                const double size = line.text.size > 0 ? line.text.size : layout.fontSize;
                EXPECT_GE(line.x, label.left) << position;
                EXPECT_GE(line.y, label.top) << position;
                EXPECT_LE(line.x + line.text.text.size() * columnWidthPoints(size),
                          label.right() + 1e-6)
                    << position;
                EXPECT_LE(line.y + lineHeightPoints(layout.fontSize), label.bottom() + 1e-6);
                EXPECT_LT(line.y, sheet.pageHeight - kPaperBottomMarginPoints) << position;
            }
        }
    }
}

TEST(StockLayout, SizeFollowsTheLabelsHeightAndTheLinesItHolds) {
    StockLibrary library;
    // A half-inch label holds five lines only in 7 pt, three in a larger size; a 3 1/3 in
    // label stops at 12.
    const LabelStock& tiny = *library.find("Avery 5167");
    const StockTextLayout layout = stockTextLayout(tiny.sheet, 5);
    EXPECT_EQ(layout.fontSize, kSmallestPrintSize);
    EXPECT_GT(stockTextLayout(tiny.sheet, 3).fontSize, kSmallestPrintSize);
    EXPECT_EQ(stockTextLayout(library.find("5164")->sheet, 5).fontSize, kLargestPrintSize);
    // It has room for four: an empty line goes first, then the last line, which is then
    // left out and says so.
    const std::array<std::string, 5> gappy = {"Ann Lee", "", "12 Oak St", "Troy", "NY 12180"};
    PlacedLabel placed = placeLabelLines(tiny, {0, 0}, layout, gappy, false, {});
    ASSERT_EQ(placed.lines.size(), 4u);
    EXPECT_EQ(placed.lines[1].text.text, "12 Oak St");
    EXPECT_FALSE(placed.cut);
    placed = placeLabelLines(tiny, {0, 0}, layout, kAddress, false, {});
    ASSERT_EQ(placed.lines.size(), 4u);
    EXPECT_EQ(placed.lines[3].text.text, "Apt 4");
    EXPECT_TRUE(placed.cut);
}

TEST(StockLibrary, FindsByNameNumberOrEquivalentInAnyCase) {
    StockLibrary library;
    for (const char* name : {"Avery L7160", "avery l7160", "L7160", "J8160", "7160"}) {
        ASSERT_NE(library.find(name), nullptr) << name;
        EXPECT_EQ(library.find(name)->name, "Avery L7160") << name;
    }
    EXPECT_EQ(library.find("8160"), &kAddressSheet);
    EXPECT_EQ(library.find("18167"), &kReturnAddressSheet);
    EXPECT_EQ(library.find("L9999"), nullptr);
    const auto found = library.search("7160");
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found.front()->sheet.labels(), 21);
    // Words narrow the search: every one must be found.
    EXPECT_EQ(library.search("a4 21-up").size(), 1u);
    EXPECT_EQ(library.search("letter 63.5").size(), 0u);
    EXPECT_EQ(library.search("").size(), kLabelStocks.size());
    const auto closest = library.closestNames("L7106", 3);
    ASSERT_FALSE(closest.empty());
    EXPECT_EQ(closest.front(), "Avery L7160");
}

TEST(StockLibrary, ASheetReadAgainAddsItsNumbersNotASecondStock) {
    StockLibrary library;
    StockRow row;
    row.vendor = "Avery";
    row.part = "7160";
    row.equivalents = {"L7160", "J8160", "L7160B"};
    row.sheet = kLabelStocks[6].sheet;
    EXPECT_FALSE(library.add(row));
    EXPECT_EQ(library.find("L7160B")->name, "Avery L7160");
    row.vendor = "Herma";
    row.part = "4677";
    row.equivalents = {};
    row.paperName = "A4";
    EXPECT_TRUE(library.add(row));
    const LabelStock* herma = library.find("Herma 4677");
    ASSERT_NE(herma, nullptr);
    EXPECT_EQ(herma->paper, kPaperA4);
    // A number two vendors share names neither.
    row.vendor = "Zweckform";
    EXPECT_TRUE(library.add(row));
    EXPECT_EQ(library.find("4677"), nullptr);
}

// A sheet of more than 99 labels takes its positions on each side of the dash; the sheets of
// two-digit positions read theirs by their places, as they always have.
TEST(PositionEntry, ASheetOfMoreThan99LabelsReadsThreeDigitPositions) {
    LabelStock wide = kLabelStocks[2];
    wide.sheet.across = 10;
    wide.sheet.down = 12;
    EXPECT_EQ(std::get<LabelRange>(readPositionEntry(wide, "100-120")), (LabelRange{100, 120, 21}));
    EXPECT_EQ(std::get<LabelRange>(readPositionEntry(wide, "5-110")), (LabelRange{5, 110, 106}));
    EXPECT_EQ(std::get<LabelRange>(readPositionEntry(wide, "115")), (LabelRange{115, {}, 1}));
    EXPECT_EQ(std::get<Notice>(readPositionEntry(wide, "1-121")).text,
              "Label position cannot exceed 120");
    EXPECT_EQ(std::get<Notice>(readPositionEntry(wide, "1200")).title,
              "Include dash for range of labels");
    EXPECT_EQ(std::get<LabelRange>(readPositionEntry(kAddressSheet, "5-30")),
              (LabelRange{5, 30, 26}));
}

}  // namespace
}  // namespace qm
