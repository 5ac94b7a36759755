#include "surface/text_grid_surface.h"

#include <gtest/gtest.h>

#include "support/sheet_shapes.h"

namespace qm {
namespace {

void printNumberedLines(PrinterSurface& s, int count) {
    for (int i = 1; i <= count; ++i) {
        s.print({PrintItem::Text("n" + std::to_string(i))});
    }
}

TEST(TextGridCells, TabMovesToTheColumnOrToItOnTheNextLine) {
    TextGridSurface s;
    s.print({PrintItem::Text("abcde"), PrintItem::Tab(6), PrintItem::Text("X")});
    s.print({PrintItem::Text("abcde"), PrintItem::Tab(5), PrintItem::Text("Y")});
    s.print({PrintItem::Tab(0), PrintItem::Text("Z")});
    s.endDoc();

    // Column 6 is the next free one, so the Tab stays; column 5 is behind, so it wraps.
    EXPECT_EQ(s.pageLines(1), (std::vector<std::string>{"abcdeX", "abcde", "    Y", "Z"}));
}

TEST(TextGridCells, SpcBelowOneInsertsNothing) {
    TextGridSurface s;
    s.print({PrintItem::Spc(0), PrintItem::Text("a"), PrintItem::Spc(-3), PrintItem::Text("b"),
             PrintItem::Spc(2), PrintItem::Text("c")});
    s.endDoc();
    EXPECT_EQ(s.pageLines(1), std::vector<std::string>{"ab  c"});
}

TEST(TextGridCells, ReturnToTheTopOverprintsFromLineOne) {
    TextGridSurface s;
    s.printEmptyLines(4);
    s.print({PrintItem::Tab(10), PrintItem::Text("low")});
    s.setCurrentX(0);
    s.setCurrentY(0);
    s.print({PrintItem::Text("top")});
    s.endDoc();

    ASSERT_EQ(s.runs().size(), 2u);
    EXPECT_EQ(s.runs()[1].line, 1);
    EXPECT_DOUBLE_EQ(s.runs()[1].yPoints, 0.0);
    EXPECT_EQ(s.pageCount(), 1);
    EXPECT_EQ(s.pageLines(1)[0], "top");
    EXPECT_EQ(s.pageLines(1)[4], "         low");
}

TEST(TextGridCells, CurrentXCountsColumnsOfTheFixedFont) {
    TextGridSurface s;
    s.setFontSize(10);
    s.setCurrentX(6 * 20 * 7);  // seven columns of 6 points
    s.print({PrintItem::Text("x")});
    s.endDoc();
    EXPECT_EQ(s.runs()[0].column, 8);
}

struct BreakCase {
    int orientation;
    int paper;
    double size;
    int linesPerPage;  // lines that begin above the bottom of the printable area
    const char* name;
};

class TextGridPageBreak : public ::testing::TestWithParam<BreakCase> {};

TEST_P(TextGridPageBreak, ALineBeginningAtTheBottomStartsTheNextPage) {
    const BreakCase c = GetParam();
    TextGridSurface s;
    s.setOrientation(c.orientation);
    s.setPaperSize(c.paper);
    s.setFontSize(c.size);
    printNumberedLines(s, c.linesPerPage + 1);
    s.endDoc();

    const std::vector<PrintedRun> first = s.runsOnPage(1);
    ASSERT_EQ(static_cast<int>(first.size()), c.linesPerPage);
    EXPECT_LT(first.back().yPoints + 1e-6, printableHeightPoints(c.orientation, c.paper));
    const std::vector<PrintedRun> second = s.runsOnPage(2);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0].text, "n" + std::to_string(c.linesPerPage + 1));
    EXPECT_EQ(second[0].line, 1);
    EXPECT_DOUBLE_EQ(second[0].yPoints, 0.0);
}

TEST_P(TextGridPageBreak, LinesLeftOnPageCountsDownToTheBreak) {
    const BreakCase c = GetParam();
    TextGridSurface s;
    s.setOrientation(c.orientation);
    s.setPaperSize(c.paper);
    s.setFontSize(c.size);
    EXPECT_EQ(s.linesLeftOnPage(), c.linesPerPage);
    s.printEmptyLines(c.linesPerPage - 1);
    EXPECT_EQ(s.linesLeftOnPage(), 1);
    // At the bottom the next line starts a fresh page, which holds a whole page again.
    s.printLine();
    EXPECT_EQ(s.linesLeftOnPage(), c.linesPerPage);
    s.printEmptyLines(2);
    EXPECT_EQ(s.linesLeftOnPage(), c.linesPerPage - 2);
}

// Letter portrait holds 10.5 inch of lines, landscape 8, a landscape number-10 envelope 3.625.
INSTANTIATE_TEST_SUITE_P(
    PaperAndSizes, TextGridPageBreak,
    ::testing::Values(BreakCase{kPortrait, kPaperLetter, 10, 70, "LetterPortrait10"},
                      BreakCase{kPortrait, kPaperLetter, 8, 88, "LetterPortrait8"},
                      BreakCase{kPortrait, kPaperLetter, 12, 59, "LetterPortrait12"},
                      BreakCase{kLandscape, kPaperLetter, 10, 54, "LetterLandscape10"},
                      BreakCase{kLandscape, kPaperEnvelope10, 12, 21, "EnvelopeLandscape12"},
                      BreakCase{kPortrait, kPaperEnvelope10, 16, 38, "EnvelopePortrait16"}),
    [](const ::testing::TestParamInfo<BreakCase>& info) { return std::string(info.param.name); });

TEST(TextGridPageBreak, ATabThatWrapsPastTheBottomStartsTheNextPage) {
    TextGridSurface s;
    printNumberedLines(s, 69);
    s.print({PrintItem::Text("last"), PrintItem::Tab(2), PrintItem::Text("wrapped")});
    s.endDoc();
    ASSERT_EQ(s.pageCount(), 2);
    EXPECT_EQ(s.runsOnPage(1).back().text, "last");
    EXPECT_EQ(s.runsOnPage(2).front().text, "wrapped");
    EXPECT_EQ(s.runsOnPage(2).front().line, 1);
    EXPECT_EQ(s.runsOnPage(2).front().column, 2);
}

TEST(TextGridBlankPages, PagesWithoutTextAreNeverEmitted) {
    TextGridSurface s;
    printNumberedLines(s, 3);
    s.printEmptyLines(200);  // runs past the bottom twice
    s.newPage();
    s.newPage();
    s.endDoc();
    EXPECT_EQ(s.pageCount(), 1);

    s.newPage();
    s.print({PrintItem::Text("second")});
    s.newPage();
    s.endDoc();
    EXPECT_EQ(s.pageCount(), 2);
    EXPECT_EQ(s.runsOnPage(2).front().line, 1);
}

TEST(TextGridBlankPages, BlanksOnlyAfterTabAndSpcStayOffThePage) {
    TextGridSurface s;
    printNumberedLines(s, 70);
    s.print({PrintItem::Tab(30), PrintItem::Spc(5), PrintItem::Text("")});
    s.endDoc();
    EXPECT_EQ(s.pageCount(), 1);
}

TEST(TextGridCopies, EachCopyStartsOnTheNextPage) {
    TextGridSurface s;
    for (int copy = 1; copy <= 2; ++copy) {
        printNumberedLines(s, 75);  // two pages per copy
        s.endDoc();
    }
    EXPECT_EQ(s.documentCount(), 2);
    ASSERT_EQ(s.pageCount(), 4);
    EXPECT_EQ(s.runsOnPage(3).front().text, "n1");
    EXPECT_EQ(s.runsOnPage(3).front().line, 1);
    EXPECT_EQ(s.runsOnPage(4).front().text, "n71");
    EXPECT_EQ(s.pageLines(1), s.pageLines(3));
}

TEST(TextGridCopies, KillDocDropsOnlyTheDocumentInProgress) {
    TextGridSurface s;
    printNumberedLines(s, 2);
    s.endDoc();
    printNumberedLines(s, 75);
    s.killDoc();
    EXPECT_EQ(s.pageCount(), 1);
    EXPECT_EQ(s.runs().size(), 2u);

    s.printEmptyLines(3);
    s.print({PrintItem::Text("again")});
    s.endDoc();
    ASSERT_EQ(s.pageCount(), 2);
    EXPECT_EQ(s.runsOnPage(2).front().line, 4);  // the abandoned position is forgotten
    EXPECT_EQ(s.documentCount(), 2);
}

TEST(TextGridSheets, BothLabelSheetsFitOnePage) {
    TextGridSurface thirty;
    test::print30UpShape(thirty);
    EXPECT_EQ(thirty.pageCount(), 1);
    EXPECT_EQ(thirty.runs().size(), 150u);

    // The return-address sheet's rows are anchored: the last line falls in line 86.
    TextGridSurface eighty;
    test::print80UpShape(eighty);
    EXPECT_EQ(eighty.pageCount(), 1);
    EXPECT_EQ(eighty.runs().size(), 240u);
    EXPECT_EQ(eighty.runs().back().line, 86);
}

}  // namespace
}  // namespace qm
