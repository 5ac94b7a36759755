#include "printing/label_sheet.h"

#include <gtest/gtest.h>

#include "printing/label_stock.h"
#include "surface/text_grid_surface.h"

namespace qm {
namespace {

TEST(LabelSlot, EveryPositionOfTheSheet) {
    // position: start column, lines above; rows step 7, 6, 7, 7, 6, 7, 7, 6, 7.
    const int expected[30][2] = {
        {2, 3},   {35, 3},  {68, 3},  {2, 10},  {35, 10}, {68, 10}, {2, 16},  {35, 16},
        {68, 16}, {2, 23},  {35, 23}, {68, 23}, {2, 30},  {35, 30}, {68, 30}, {2, 36},
        {35, 36}, {68, 36}, {2, 43},  {35, 43}, {68, 43}, {2, 50},  {35, 50}, {68, 50},
        {2, 56},  {35, 56}, {68, 56}, {2, 63},  {35, 63}, {68, 63},
    };
    for (int p = 1; p <= 30; ++p) {
        const auto& [column, lines] = expected[p - 1];
        EXPECT_EQ(labelSlot(kAddressSheet, p, false), (LabelSlot{column, lines})) << p;
        EXPECT_EQ(labelSlot(kAddressSheet, p, true), (LabelSlot{column + 1, lines})) << p;
    }
    // The typed lines start where the sheet's first label does.
    EXPECT_EQ(labelSlot(kAddressSheet, 1, false), kDefaultSlot);
}

// The outcome of one position entry: a refusal's title and text, or the range read.
struct EntryCase {
    std::string answer;
    std::string cleaned;
    std::string title;  // empty: accepted
    std::string text;
    LabelRange range;
};

TEST(PositionEntry, ChecksInOrderThenTheRangeParse) {
    const std::string dash =
        "Use a dash when specifying a range of labels to print.  Examples: 1-30, 5-8, 15-22.  "
        "Each number represents a label position on label sheet.";
    const std::string over30 = "Label position cannot exceed 30";
    const std::string tooMany =
        "No more than 30 labels may be printed.  To print an entire sheet, enter 1-30.";
    const std::string backwards = "Label starting position cannot exceed ending position.";
    const EntryCase cases[] = {
        {"5", "5", "", "", {5, std::nullopt, 1}},
        {"4 - 9", "4-9", "", "", {4, 9, 6}},
        {"1-30", "1-30", "", "", {1, 30, 30}},
        {"15-18", "15-18", "", "", {15, 18, 4}},
        {" 3.0 ", "30", "", "", {30, std::nullopt, 1}},
        {"7-7", "7-7", "", "", {7, 7, 1}},
        {"", "", "", "", {0, std::nullopt, 0}},
        {"x", "x", "", "", {0, std::nullopt, 1}},
        {"10-200", "10-200", "", "", {0, std::nullopt, 0}},
        {"123", "123", "Include dash for range of labels", dash, {}},
        {"1 2 3", "123", "Include dash for range of labels", dash, {}},
        {"45-50", "45-50", "Maximum is 30", over30, {}},
        {"31", "31", "Maximum is 30", over30, {}},
        {"1-100", "1-100", "Maximum is 30", tooMany, {}},
        {"12-3", "12-3", "Try again", backwards, {}},
        {"9-4", "9-4", "Try again", backwards, {}},
    };
    for (const EntryCase& c : cases) {
        SCOPED_TRACE("entry '" + c.answer + "'");
        const std::string cleaned = cleanPositionEntry(c.answer);
        EXPECT_EQ(cleaned, c.cleaned);
        const auto outcome = readPositionEntry(kAddressSheet, cleaned);
        if (c.title.empty()) {
            ASSERT_TRUE(std::holds_alternative<LabelRange>(outcome));
            EXPECT_EQ(std::get<LabelRange>(outcome), c.range);
        } else {
            ASSERT_TRUE(std::holds_alternative<Notice>(outcome));
            EXPECT_EQ(std::get<Notice>(outcome),
                      (Notice{c.title, c.text, NoticeIcon::Information}));
        }
    }
}

TEST(PositionEntry, ADashWithoutAPositionOnOneSideIsRefused) {
    const Notice dash = std::get<Notice>(readPositionEntry(kAddressSheet, "123"));
    for (const std::string answer : {"-5", "1-", "5 -", "- 12", "-", "--5", "3-7-"}) {
        const auto outcome = readPositionEntry(kAddressSheet, cleanPositionEntry(answer));
        ASSERT_TRUE(std::holds_alternative<Notice>(outcome)) << answer;
        EXPECT_EQ(std::get<Notice>(outcome), dash) << answer;
    }
    // The earlier checks keep their own messages.
    EXPECT_EQ(std::get<Notice>(readPositionEntry(kAddressSheet, "-50")).title, "Maximum is 30");
}

TEST(PositionEntry, SheetPositionIsOneOfTheStocksLabels) {
    EXPECT_EQ(sheetPosition(kAddressSheet, 1), 1);
    EXPECT_EQ(sheetPosition(kAddressSheet, 30), 30);
    EXPECT_FALSE(sheetPosition(kAddressSheet, 0));
    EXPECT_FALSE(sheetPosition(kAddressSheet, 31));
    EXPECT_FALSE(sheetPosition(kAddressSheet, -5));
    EXPECT_EQ(sheetPosition(kReturnAddressSheet, 80), 80);
}

LabelJob jobFor(int start, int count, int leftPad, int topPad) {
    LabelJob job;
    job.lines = {"Ann Example", "12 Main St", "", "Springfield IL 62701", "USA"};
    job.startPosition = start;
    job.labelCount = count;
    job.slot = {leftPad, topPad};
    return job;
}

// One copy of the job on the 30-up sheet, as Print runs it.
void print(TextGridSurface& grid, const LabelJob& job, Adjustment adjust = {}) {
    drawPlan(grid, labelsPlan(kAddressSheet, job), adjust, 1);
}

// Line (from 1 at the top) and column of every run that holds `text`, in printing order.
std::vector<std::pair<int, int>> placesOf(const TextGridSurface& grid, const std::string& text) {
    std::vector<std::pair<int, int>> out;
    for (const PrintedRun& r : grid.runs()) {
        if (r.text == text) {
            out.emplace_back(r.line, r.column);
        }
    }
    return out;
}

TEST(LabelJob, SingleLabelStandsBelowOnePlusItsTopLines) {
    TextGridSurface grid;
    print(grid, jobFor(5, 1, 35, 10));
    const LabelPlace end = labelJobEnd(kAddressSheet, jobFor(5, 1, 35, 10), false);
    // 1 + 10 empty lines above, then five text lines; the empty third line keeps its place.
    EXPECT_EQ(placesOf(grid, "Ann Example"), (std::vector<std::pair<int, int>>{{12, 35}}));
    EXPECT_EQ(placesOf(grid, "Springfield IL 62701"), (std::vector<std::pair<int, int>>{{15, 35}}));
    EXPECT_EQ(placesOf(grid, "USA"), (std::vector<std::pair<int, int>>{{16, 35}}));
    EXPECT_EQ(grid.documentCount(), 1);
    EXPECT_EQ(grid.pageCount(), 1);
    EXPECT_EQ(grid.orientation(), kPortrait);
    EXPECT_EQ(grid.runs().front().size, 10);
    EXPECT_EQ(grid.runs().front().font, "Courier New");
    EXPECT_EQ(end, (LabelPlace{6, {68, 10}}));
}

TEST(LabelJob, FullSheetPlacesEveryPositionOnOnePage) {
    TextGridSurface grid;
    print(grid, jobFor(1, 30, 2, 3));
    const auto places = placesOf(grid, "Ann Example");
    ASSERT_EQ(places.size(), 30u);
    for (int p = 1; p <= 30; ++p) {
        const LabelSlot slot = labelSlot(kAddressSheet, p, false);
        EXPECT_EQ(places[p - 1], std::make_pair(slot.topLines + 2, slot.startColumn)) << p;
    }
    EXPECT_EQ(grid.pageCount(), 1);
    // The rendered page has the last row on its line, in the first and third columns.
    const auto lines = grid.pageLines(1);
    EXPECT_EQ(lines[63 + 1].substr(1, 11), "Ann Example");
    EXPECT_EQ(lines[63 + 1].substr(67, 11), "Ann Example");
}

TEST(LabelJob, RangeFromTheMiddleAdvancesStartAndSlot) {
    TextGridSurface grid;
    print(grid, jobFor(4, 6, 2, 10));
    const LabelPlace end = labelJobEnd(kAddressSheet, jobFor(4, 6, 2, 10), false);
    const auto places = placesOf(grid, "USA");
    ASSERT_EQ(places.size(), 6u);
    EXPECT_EQ(places.front(), std::make_pair(10 + 6, 2));
    EXPECT_EQ(places.back(), std::make_pair(16 + 6, 68));
    EXPECT_EQ(end, (LabelPlace{10, {2, 23}}));
}

TEST(LabelJob, StartOutsideTheSheetKeepsTheSlotFields) {
    TextGridSurface grid;
    print(grid, jobFor(-5, 2, 35, 16));
    const LabelPlace end = labelJobEnd(kAddressSheet, jobFor(-5, 2, 35, 16), false);
    EXPECT_EQ(placesOf(grid, "USA"), (std::vector<std::pair<int, int>>{{22, 35}, {22, 35}}));
    EXPECT_EQ(end, (LabelPlace{-3, {35, 16}}));
}

TEST(LabelJob, AdjustmentMovesByColumnsAndLines) {
    TextGridSurface grid;
    print(grid, jobFor(1, 2, 2, 3), {-1, 2});
    // Position 1 at column 1 below 1 + 3 + 2 empty lines; position 2 likewise moved.
    EXPECT_EQ(placesOf(grid, "Ann Example"), (std::vector<std::pair<int, int>>{{7, 1}, {7, 34}}));
}

TEST(LabelJob, ListedPrinterStartsOneColumnRightAndUsesLetterPaper) {
    for (const std::string device : {"HP ENVY 6000 series", "Officejet Pro 8600",
                                     "HP DeskJet 640C/642C/648C", "HP envy", "Laser 4000"}) {
        SCOPED_TRACE(device);
        TextGridSurface grid(device);
        grid.setPaperSize(kPaperEnvelope10);
        print(grid, jobFor(1, 2, 2, 3));
        const bool listed = device != "HP envy" && device != "Laser 4000";
        const auto places = placesOf(grid, "Ann Example");
        ASSERT_EQ(places.size(), 2u);
        // The first label's slot is the caller's; the job corrects the ones it computes.
        EXPECT_EQ(places[0].second, 2);
        EXPECT_EQ(places[1].second, listed ? 36 : 35);
        // The sheet is letter stock on every printer.
        EXPECT_EQ(grid.paperSize(), kPaperLetter);
    }
}

TEST(LabelJob, CenteringBlanksFollowTheLengthAsTyped) {
    struct Case {
        std::string line;
        int column;  // from start column 2
    };
    const Case cases[] = {
        {"abcde", 2 + 12},
        {"abc", 2 + 14},
        {"ab", 2 + 14},
        {"a", 2 + 14},
        {" a b ", 2 + 12},
        {std::string(28, 'x'), 2 + 1},
        {std::string(29, 'x'), 2},
        // Too long for 10 point: set in 7, where it takes 28 columns of 10 and centers again.
        {std::string(40, 'x'), 2 + 1},
    };
    for (const Case& c : cases) {
        TextGridSurface grid;
        LabelJob job = jobFor(1, 1, 2, 3);
        job.centered = true;
        job.lines = {c.line, "", "", "", ""};
        print(grid, job);
        ASSERT_EQ(grid.runs().size(), 1u) << c.line;
        EXPECT_EQ(grid.runs()[0].column, c.column) << c.line;
    }
}

TEST(LabelJob, LandscapeUsesTwelvePointAndTheSecondOrientation) {
    TextGridSurface grid;
    LabelJob job = jobFor(1, 1, 2, 3);
    job.portrait = false;
    print(grid, job);
    EXPECT_EQ(grid.orientation(), kLandscape);
    EXPECT_EQ(grid.runs().front().size, 12);
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

// A sheet of 21 labels, 3 across and 7 down: every check, slot and job follows its row.
constexpr std::array<int, 3> kColumns21 = {2, 30, 58};
constexpr std::array<int, 7> kTopLines21 = {3, 12, 21, 30, 39, 48, 57};
constexpr LabelStock kSheet21{.name = "21-up",
                              .paper = kPaperLetter,
                              .sheet = {.pageWidth = kLetterPaper.width,
                                        .pageHeight = kLetterPaper.height,
                                        .firstLeft = 11,
                                        .firstTop = 36,
                                        .pitchX = 200,
                                        .pitchY = 100,
                                        .labelWidth = 190,
                                        .labelHeight = 96,
                                        .across = 3,
                                        .down = 7},
                              .cells = {.fontSize = 10,
                                        .startColumns = kColumns21,
                                        .topLines = kTopLines21,
                                        .leadLines = 1,
                                        .linesPerLabel = 5,
                                        .centerHalfWidth = 15,
                                        .listedPrinterShift = 2}};

TEST(OtherStock, ChecksNameItsOwnCount) {
    const std::string dash =
        "Use a dash when specifying a range of labels to print.  Examples: 1-21, 5-8, 15-22.  "
        "Each number represents a label position on label sheet.";
    const std::pair<std::string, Notice> refused[] = {
        {"123", {"Include dash for range of labels", dash, NoticeIcon::Information}},
        {"22", {"Maximum is 21", "Label position cannot exceed 21", NoticeIcon::Information}},
        {"1-100",
         {"Maximum is 21",
          "No more than 21 labels may be printed.  To print an entire sheet, enter 1-21.",
          NoticeIcon::Information}},
    };
    for (const auto& [entry, notice] : refused) {
        EXPECT_EQ(std::get<Notice>(readPositionEntry(kSheet21, entry)), notice) << entry;
    }
    EXPECT_EQ(std::get<LabelRange>(readPositionEntry(kSheet21, "1-21")), (LabelRange{1, 21, 21}));
    EXPECT_EQ(sheetPosition(kSheet21, 21), 21);
    EXPECT_FALSE(sheetPosition(kSheet21, 22));
}

TEST(OtherStock, LabelsLandInItsSlotsAndTheJobEndsOnItsLastLabel) {
    EXPECT_EQ(labelSlot(kSheet21, 5, false), (LabelSlot{30, 12}));
    EXPECT_EQ(labelSlot(kSheet21, 21, true), (LabelSlot{60, 57}));
    LabelJob job;
    job.lines = {"Ann", "", "", "", ""};
    job.startPosition = 19;
    job.labelCount = 4;
    job.slot = labelSlot(kSheet21, 19, false);
    TextGridSurface grid;
    drawPlan(grid, labelsPlan(kSheet21, job), {}, 1);
    // Positions 19 to 21 on the sheet; the fourth label keeps the last slot.
    EXPECT_EQ(placesOf(grid, "Ann"),
              (std::vector<std::pair<int, int>>{{59, 2}, {59, 30}, {59, 58}, {59, 58}}));
    EXPECT_EQ(labelJobEnd(kSheet21, job, false), (LabelPlace{23, {58, 57}}));
}

}  // namespace
}  // namespace qm
