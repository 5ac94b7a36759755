// Fit before cut: a long line is set smaller, then wrapped onto a free line of its label, and
// only then cut; the jobs name the labels they had to cut.
#include <gtest/gtest.h>

#include <algorithm>

#include "list/list_labels.h"
#include "printing/envelope_layout.h"
#include "printing/label_sheet.h"
#include "printing/label_stock.h"
#include "printing/print_rules.h"
#include "printing/return_labels.h"
#include "records/text_rules.h"
#include "surface/text_grid_surface.h"

using namespace qm;

namespace {

// The first column of the 30-up sheet: 176.25 points from column 2 to the label's edge, 29
// characters of 10 point, 41 of 7 point.
LineRoom firstColumn(bool centered = false) {
    return {labelLinePoints(kAddressSheet, 0, 10), 10, centered, 15};
}

std::vector<SetLine> set(std::vector<std::string> lines, const LineRoom& room,
                         std::size_t capacity) {
    return setLabelLines(lines, room, capacity);
}

LabelJob sheetOf(std::array<std::string, 5> lines, int start, int count) {
    LabelJob job;
    job.lines = std::move(lines);
    job.startPosition = start;
    job.labelCount = count;
    job.slotFromPrinter = true;
    return job;
}

}  // namespace

TEST(LineFit, ALineThatFitsIsPrintedAsTypedAndALongerOneInTheLargestSizeThatHoldsIt) {
    ASSERT_EQ(firstColumn().columns(), 29);
    const std::string fits(29, 'a');
    EXPECT_EQ(set({fits, "Troy "}, firstColumn(), 2),
              (std::vector<SetLine>{{0, fits, 0, false}, {0, "Troy ", 0, false}}));
    // 32 characters need 9 point (176.25 / 32 / 0.6 = 9.18), 41 need 7.
    const std::string street = "12345 Martin Luther King Jr Blvd";
    EXPECT_EQ(set({street}, firstColumn(), 1).front(), (SetLine{0, street, 9.0, false}));
    const std::string longest(41, 'x');
    EXPECT_EQ(set({longest}, firstColumn(), 1).front(), (SetLine{0, longest, 7.0, false}));
    // A trailing blank takes no room once the line is too long as typed.
    EXPECT_EQ(set({fits + " "}, firstColumn(), 1).front(), (SetLine{0, fits, 0, false}));
    // A centered line gives up blanks before it gives up size: 13 columns, "Troy" gets 9 of
    // its 13 blanks.
    const LineRoom narrow{13 * columnWidthPoints(12), 12, true, 15};
    EXPECT_EQ(set({"Troy"}, narrow, 1).front(), (SetLine{9, "Troy", 0, false}));
}

TEST(LineFit, ALineNotEven7PointHoldsWrapsOntoTheFreeLinesElseItIsCut) {
    const std::string name = "Alexandra-Katharina Montgomery-Whitfield of Lower Saxony";  // 56
    // The lines below move down into the empty last line; both parts in the largest size
    // that holds them in two (8 point: 36 characters).
    const auto wrapped = set({name, "1 Main St", "Troy, NY 12180", ""}, firstColumn(), 4);
    ASSERT_EQ(wrapped.size(), 4u);
    EXPECT_EQ(wrapped[0], (SetLine{0, "Alexandra-Katharina", 8.0, false}));
    EXPECT_EQ(wrapped[1], (SetLine{0, "Montgomery-Whitfield of Lower Saxony", 8.0, false}));
    EXPECT_EQ(wrapped[2].text, "1 Main St");
    EXPECT_EQ(wrapped[3].text, "Troy, NY 12180");
    EXPECT_FALSE(anyCut(wrapped));
    // Balanced parts come back up in size: 58 characters as 29 and 28 print at 10 point.
    const std::string even = std::string(29, 'a') + " " + std::string(28, 'b');
    const auto two = set({even}, firstColumn(), 2);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[0], (SetLine{0, std::string(29, 'a'), 0, false}));
    EXPECT_EQ(two[1], (SetLine{0, std::string(28, 'b'), 0, false}));
    // No free line, or a word longer than 7 point holds: cut at 7 point, marked.
    const auto full = set({name, "2", "3"}, firstColumn(), 3);
    EXPECT_EQ(full[0], (SetLine{0, name.substr(0, 41), 7.0, true}));
    EXPECT_EQ(set({std::string(45, 'w'), ""}, firstColumn(), 2)[0].text, std::string(41, 'w'));
    EXPECT_TRUE(anyCut(set({std::string(45, 'w'), ""}, firstColumn(), 2)));
}

// Room is counted in letters, not in their UTF-8 bytes: a line of Polish or Greek letters is
// set, wrapped and cut exactly as a line of as many ASCII letters.
TEST(LineFit, LettersBeyondAsciiTakeOneColumnEach) {
    const std::string name = "Łukasz-Aleksander Wojciechowska-Grzybowska z Żółkiewskich";
    const std::string twin = "Lukasz-Aleksander Wojciechowska-Grzybowska z Zolkiewskich";
    const auto shape = [](const std::vector<SetLine>& set) {
        std::vector<std::pair<std::size_t, double>> out;
        for (const SetLine& line : set) {
            out.emplace_back(characterCount(line.text), line.size);
        }
        return out;
    };
    for (std::size_t capacity : {1u, 2u}) {
        for (bool centered : {false, true}) {
            EXPECT_EQ(shape(set({name}, firstColumn(centered), capacity)),
                      shape(set({twin}, firstColumn(centered), capacity)));
        }
    }
    const std::string city = "Σπάρτη";
    EXPECT_EQ(set({city}, firstColumn(true), 1).front().blanks,
              set({"Sparti"}, firstColumn(true), 1).front().blanks);
    const auto cut = set({name + " " + name}, firstColumn(), 1).front();
    EXPECT_TRUE(cut.cut);
    EXPECT_EQ(cut.text, leftOf(name + " " + name, 41));
}

TEST(LineFit, TheGridKeepsASmallerRunOnItsLineAndShowsItWhole) {
    TextGridSurface grid;
    grid.print({PrintItem::Tab(2), PrintItem::SizedText(std::string(40, 'a'), 7.0),
                PrintItem::Tab(35), PrintItem::Text("next")});
    grid.print({PrintItem::Tab(2), PrintItem::Text("below")});
    const auto& runs = grid.runs();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].size, 7.0);
    EXPECT_EQ(runs[0].columns(), 28);  // 40 characters of 7 point in columns of 10
    EXPECT_EQ(runs[1].line, 1);        // the next label's text stays on the line
    EXPECT_EQ(runs[1].column, 35);
    EXPECT_EQ(runs[2].line, 2);
    EXPECT_DOUBLE_EQ(runs[2].yPoints, lineHeightPoints(10));
    // As text: the smaller run whole, what follows it moved right by its overflow (12).
    const auto lines = grid.pageLines(1);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], " " + std::string(40, 'a') + std::string(5, ' ') + "next");
    EXPECT_EQ(lines[1], " below");
}

TEST(LineFit, EveryJobNamesTheLabelsItCutAndTheWarningMayStopIt) {
    const std::string endless(60, 'z');
    TextGridSurface grid;
    std::vector<CutLabel> warned;
    const auto refuse = [&warned](const PrintShortfall& shortfall) {
        warned = shortfall.cutLabels;
        return false;
    };
    const auto sheet = labelsPlan(kAddressSheet, sheetOf({endless, "2", "3", "4", "5"}, 4, 3));
    EXPECT_FALSE(drawPlan(grid, sheet, {}, 2, false, refuse));
    EXPECT_EQ(cutLabelsText(warned), "labels 4-6");
    EXPECT_EQ(grid.runs().size(), 0u);  // abandoned before its end
    EXPECT_EQ(grid.documentCount(), 0);

    // A warning that lets it go ahead prints every copy.
    const auto goAhead = [](const PrintShortfall&) { return true; };
    EXPECT_TRUE(drawPlan(grid, sheet, {}, 2, false, goAhead));
    EXPECT_EQ(grid.documentCount(), 2);

    TextGridSurface returns;
    drawPlan(returns, returnLabelsPlan(kReturnAddressSheet, {endless, "b", "c"}, false), {}, 1);
    EXPECT_EQ(cutLabelsText(returns.cutLabels()), "labels 1-80");

    EnvelopeJob envelope;
    envelope.lines = {"Ann", std::string(100, 'z'), "", "", ""};
    envelope.size = 1;
    envelope.slot = *envelopeSlotPicked(1);
    TextGridSurface onEnvelope;
    drawPlan(onEnvelope, envelopePlan(envelope), {}, 1);
    EXPECT_EQ(cutLabelsText(onEnvelope.cutLabels()), "the envelope");

    // Listed contacts are named; a label of three lines wraps its street onto the fourth.
    const auto contactAt = [&endless](std::size_t i) {
        ContactRecord r;
        r.firstName = "Ann";
        r.lastName = "Lee" + std::to_string(i + 1);
        r.street = i == 1 ? endless : "1 Rolling Meadows Industrial";
        r.street2 = "Parkway Suite 4100";
        r.city = "Troy";
        return r;
    };
    TextGridSurface listed;
    drawPlan(listed, listLabelsPlan(kAddressSheet, 3, contactAt), {}, 1);
    EXPECT_EQ(cutLabelsText(listed.cutLabels()), "label 2 (Ann Lee2)");
    const auto texts = listed.runsOnPage(1);
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(),
                            [](const PrintedRun& r) { return r.text == "Parkway Suite 4100"; }));
}
