#include "printing/return_labels.h"

#include <gtest/gtest.h>

#include "printing/label_stock.h"
#include "surface/text_grid_surface.h"

namespace qm {
namespace {

using Lines3 = std::array<std::string, kReturnLabelLines>;

// Top of the first text line of a row (from 1), worked out independently of the layout: the
// stock's rows start half an inch down, every half inch, and three lines of 8 points are
// centered in each.
double firstLineTopOfRow(int row) {
    return 36.0 * row + (36.0 - 3 * 8 * 1.08) / 2;
}

TEST(ReturnLabelSheet, EightyLabelsInTheirColumnsAndRows) {
    TextGridSurface surface;
    drawPlan(
        surface,
        returnLabelsPlan(kReturnAddressSheet, {"Ann Smith", "12 Elm St", "Springfield IL"}, false),
        {}, 1);
    const auto& runs = surface.runs();
    ASSERT_EQ(runs.size(), 20u * 3u * 4u);
    std::size_t i = 0;
    for (int row = 1; row <= 20; ++row) {
        for (int line = 0; line < 3; ++line) {
            for (int column : {3, 34, 65, 96}) {
                SCOPED_TRACE(testing::Message() << "row " << row << " line " << line);
                const PrintedRun& run = runs[i++];
                EXPECT_NEAR(run.yPoints, firstLineTopOfRow(row) + line * 8.64, 1e-6);
                EXPECT_EQ(run.column, column);
                EXPECT_EQ(run.page, 1);
            }
        }
    }
}

TEST(ReturnLabelSheet, AdjustmentMovesEveryRowByColumnsAndLines) {
    TextGridSurface surface;
    drawPlan(surface, returnLabelsPlan(kReturnAddressSheet, {"A", "B", "C"}, false),
             Adjustment{-1, 2}, 1);
    ASSERT_EQ(surface.runs().size(), 240u);
    EXPECT_EQ(surface.runs().front().column, 2);
    EXPECT_NEAR(surface.runs().front().yPoints, firstLineTopOfRow(1) + 2 * 8.64, 1e-6);
    EXPECT_EQ(surface.runs().back().column, 95);
}

TEST(ReturnLabelSheet, EveryLineStartsInsideItsRowOfStock) {
    // The stock's rows start half an inch down and follow each other every half inch; on
    // the paper model the printable area starts at the top edge.
    TextGridSurface surface;
    drawPlan(surface, returnLabelsPlan(kReturnAddressSheet, {"A", "B", "C"}, false), {}, 1);
    const auto& runs = surface.runs();
    ASSERT_EQ(runs.size(), 240u);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const auto row = static_cast<double>(i / 12);
        SCOPED_TRACE(i);
        EXPECT_GE(runs[i].yPoints, 36.0 + 36.0 * row - 1e-6);
        EXPECT_LT(runs[i].yPoints, 36.0 + 36.0 * (row + 1));
    }
}

TEST(ReturnLabelSheet, CourierNewEightPortraitWhateverCameBefore) {
    TextGridSurface surface;
    surface.setFont("Trebuchet MS");
    surface.setFontSize(14);
    surface.setFontBold(true);
    surface.setFontItalic(true);
    surface.setOrientation(kLandscape);
    drawPlan(surface, returnLabelsPlan(kReturnAddressSheet, {"A", "B", "C"}, false), {}, 1);
    EXPECT_EQ(surface.orientation(), kPortrait);
    for (const PrintedRun& run : surface.runs()) {
        ASSERT_EQ(run.font, "Courier New");
        ASSERT_EQ(run.size, 8);
        ASSERT_FALSE(run.bold);
        ASSERT_FALSE(run.italic);
    }
    // The first row is anchored in eight-point lines.
    EXPECT_NEAR(surface.runs().front().yPoints, firstLineTopOfRow(1), 1e-6);
}

TEST(ReturnLabelSheet, CenteringBlanksByLength) {
    const std::pair<std::size_t, int> cases[] = {{1, 12}, {3, 10}, {4, 10}, {5, 10}, {7, 8},
                                                 {22, 1}, {23, 0}, {24, 0}, {30, 0}};
    for (const auto& [length, blanks] : cases) {
        SCOPED_TRACE(length);
        TextGridSurface surface;
        drawPlan(surface,
                 returnLabelsPlan(kReturnAddressSheet, {std::string(length, 'x'), "", ""}, true),
                 {}, 1);
        const auto& runs = surface.runs();
        ASSERT_EQ(runs.size(), 80u);
        EXPECT_EQ(runs[0].column, 3 + blanks);
        EXPECT_EQ(runs[3].column, 96 + blanks);
    }
}

TEST(ReturnLabelSheet, AnEmptyMiddleLineKeepsItsPlace) {
    TextGridSurface surface;
    drawPlan(surface, returnLabelsPlan(kReturnAddressSheet, {"Ann", "", "Town"}, false), {}, 1);
    const auto& runs = surface.runs();
    ASSERT_EQ(runs.size(), 160u);
    EXPECT_EQ(runs[4].text, "Town");
    EXPECT_EQ(runs[4].line, runs[0].line + 2);
}

TEST(ReturnLabelSheet, EachCopyIsADocumentOfOnePage) {
    TextGridSurface surface;
    drawPlan(surface, returnLabelsPlan(kReturnAddressSheet, {"A", "B", "C"}, false), {}, 2);
    EXPECT_EQ(surface.documentCount(), 2);
    EXPECT_EQ(surface.pageCount(), 2);
    EXPECT_EQ(surface.pageLines(1), surface.pageLines(2));
}

TEST(ReturnLabelChecks, InTheirOrder) {
    struct Case {
        std::array<std::string, 5> lines;
        std::optional<ReturnLabelProblem> problem;
    };
    const Case cases[] = {
        {{"", "", "", "", ""}, ReturnLabelProblem::NoLines},
        {{"", "", "", "x", "y"}, ReturnLabelProblem::NoLines},
        {{" ", "", "", "", ""}, std::nullopt},
        {{"", "", "Town", "", ""}, std::nullopt},
        {{"A", "B", "C", "D", ""}, ReturnLabelProblem::TooManyLines},
        {{"A", "B", "C", "", " "}, ReturnLabelProblem::TooManyLines},
    };
    for (const Case& c : cases) {
        const auto check = checkReturnLabelLines(c.lines);
        ASSERT_EQ(check.has_value(), c.problem.has_value());
        if (check) {
            EXPECT_EQ(check->problem, *c.problem);
            EXPECT_EQ(check->notice.icon, NoticeIcon::Exclamation);
        }
    }
    EXPECT_EQ(checkReturnLabelLines({"", "", "", "", ""})->notice,
              (Notice{"Instructions", "Fill in Lines 1, 2, and 3, then press Print.",
                      NoticeIcon::Exclamation}));
    EXPECT_EQ(checkReturnLabelLines({"A", "", "", "D", ""})->notice,
              (Notice{"Small label can fit only 3 lines", "Leave Lines 4 and 5 blank",
                      NoticeIcon::Exclamation}));
}

}  // namespace
}  // namespace qm
