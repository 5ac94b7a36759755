#include "printing/envelope_layout.h"

#include <gtest/gtest.h>

#include "printing/label_stock.h"
#include "surface/text_grid_surface.h"

namespace qm {
namespace {

constexpr const char* kListed = "HP ENVY 5000 series";

EnvelopeJob addressJob(int startColumn, int topLines) {
    EnvelopeJob job;
    job.lines = {"Ann Smith", "12 Elm St", "Springfield, IL 62701", "", "USA"};
    job.slot = {startColumn, topLines};
    return job;
}

// One envelope, as Print runs it.
void print(TextGridSurface& surface, const EnvelopeJob& job, Adjustment adjust = {}) {
    drawPlan(surface, envelopePlan(job), adjust, 1);
}

// The first run of the address: line 1 is the job's opening empty line, so an address
// below N empty lines starts on line N + 2.
PrintedRun firstAddressRun(const TextGridSurface& surface) {
    EXPECT_FALSE(surface.runs().empty());
    return surface.runs().front();
}

struct SizeCase {
    int size;
    EnvelopeSlot picked;
    EnvelopeSlot reselected;
};

const SizeCase kSizes[] = {
    {1, {38, 33}, {38, 33}}, {2, {23, 32}, {28, 39}}, {3, {20, 32}, {24, 37}},
    {4, {28, 30}, {34, 36}}, {5, {30, 30}, {36, 36}}, {6, {36, 25}, {44, 30}},
    {7, {30, 30}, {36, 36}},
};

TEST(EnvelopeSlots, EverySizeLandsWhereItsTableSays) {
    for (const SizeCase& c : kSizes) {
        SCOPED_TRACE(c.size);
        ASSERT_EQ(envelopeSlotPicked(c.size), c.picked);
        ASSERT_EQ(envelopeSlotReselected(c.size), c.reselected);
        for (const EnvelopeSlot& slot : {c.picked, c.reselected}) {
            TextGridSurface surface;
            print(surface, addressJob(slot.startColumn, slot.topLines));
            const PrintedRun first = firstAddressRun(surface);
            EXPECT_EQ(first.column, slot.startColumn);
            EXPECT_EQ(first.line, slot.topLines + 2);
            EXPECT_EQ(first.text, "Ann Smith");
            EXPECT_EQ(surface.pageCount(), 1);
        }
    }
}

TEST(EnvelopeSlots, NumbersOutsideTheListNameNoSize) {
    for (int size : {-1, 0, kEnvelopeSizes + 1}) {
        EXPECT_FALSE(envelopeSlotPicked(size));
        EXPECT_FALSE(envelopeSlotReselected(size));
    }
}

TEST(EnvelopeJob, PrintsFiveLinesInOrderKeepingEmptyOnes) {
    TextGridSurface surface;
    print(surface, addressJob(23, 32));
    const auto& runs = surface.runs();
    ASSERT_EQ(runs.size(), 4u);
    EXPECT_EQ(runs[2].text, "Springfield, IL 62701");
    EXPECT_EQ(runs[3].text, "USA");
    EXPECT_EQ(runs[3].line, runs[0].line + 4);
    for (const PrintedRun& run : runs) {
        EXPECT_EQ(run.column, 23);
        EXPECT_EQ(run.font, "Courier New");
        EXPECT_EQ(run.size, 12);
        EXPECT_FALSE(run.bold);
        EXPECT_FALSE(run.italic);
    }
    EXPECT_EQ(surface.orientation(), kLandscape);
    EXPECT_EQ(surface.paperSize(), kPaperLetter);
    EXPECT_EQ(surface.documentCount(), 1);
}

TEST(EnvelopeJob, AdjustmentMovesTheAddress) {
    TextGridSurface surface;
    print(surface, addressJob(38, 33), {-1, 2});
    EXPECT_EQ(firstAddressRun(surface).column, 37);
    EXPECT_EQ(firstAddressRun(surface).line, 37);
}

TEST(EnvelopeJob, CorrectionsForBoldLargeFontAndListedPrinters) {
    struct Case {
        bool bold, large, listed;
        int left, top;  // expected, from 38 / 33
    };
    const Case cases[] = {
        {false, false, false, 38, 33}, {true, false, false, 38, 32}, {false, true, false, 42, 25},
        {false, false, true, 38, 31},  {true, true, true, 42, 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bold << c.large << c.listed);
        EnvelopeJob job = addressJob(38, 33);
        // Portrait keeps the address on the first page of number-10 envelope paper.
        job.portrait = true;
        job.size = 1;
        job.bold = c.bold;
        job.largeFont = c.large;
        EXPECT_EQ(envelopePlacement(job, {}, c.listed), (EnvelopePlacement{c.left, c.top}));

        TextGridSurface surface(c.listed ? kListed : "Office Laser");
        print(surface, job);
        const PrintedRun first = firstAddressRun(surface);
        EXPECT_EQ(first.column, c.left);
        EXPECT_EQ(first.line, c.top + 2);
        EXPECT_EQ(first.bold, c.bold);
        EXPECT_EQ(first.italic, c.large);
        EXPECT_EQ(first.font, c.large ? "Trebuchet MS" : "Courier New");
        EXPECT_EQ(first.size, c.large ? 14 : 10);
        // Every printer gets the envelope's own paper.
        EXPECT_EQ(surface.paperSize(), kPaperEnvelope10);
    }
}

// Page and line of each address line, for an address of five non-empty lines.
std::vector<std::pair<int, int>> addressPlaces(const TextGridSurface& surface) {
    std::vector<std::pair<int, int>> out;
    for (const PrintedRun& run : surface.runs()) {
        out.emplace_back(run.page, run.line);
    }
    return out;
}

TEST(EnvelopeJob, AddressIsNeverSplitAcrossTwoEnvelopes) {
    // On the envelope's own landscape paper the slot's lines above the envelope's top edge
    // (on the letter page the slots count on) are left out, in lines of the body font.
    struct Case {
        const char* name;
        int size;
        int startColumn, topLines;
        bool large;
        int firstLine;  // of the one page printed
    };
    const Case cases[] = {
        // 1 + 31 lines on letter; 315 points (24 lines of 12 point) lie above the envelope.
        {"#10", 1, 38, 33, false, 9},
        // 1 + 37 lines; 351 points (27 lines) above.
        {"#6 3/4 again", 2, 28, 39, false, 12},
        // 1 + 15 lines of 14 point; 180 points (12 lines of 14 point) above.
        {"#A10 large", 6, 36, 25, true, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EnvelopeJob job = addressJob(c.startColumn, c.topLines);
        job.lines = {"Ann Smith", "12 Elm St", "Apt 4", "Springfield, IL 62701", "USA"};
        job.largeFont = c.large;
        job.size = c.size;
        TextGridSurface surface(kListed);
        print(surface, job);
        EXPECT_EQ(surface.paperSize(), envelopeSize(c.size)->paper);
        const std::vector<std::pair<int, int>> expected = {{1, c.firstLine},
                                                           {1, c.firstLine + 1},
                                                           {1, c.firstLine + 2},
                                                           {1, c.firstLine + 3},
                                                           {1, c.firstLine + 4}};
        EXPECT_EQ(addressPlaces(surface), expected);
    }

    // Whatever the size, table, style and adjustment, the five lines stay together.
    for (const SizeCase& size : kSizes) {
        for (const EnvelopeSlot& slot : {size.picked, size.reselected}) {
            for (int adjustTop = -3; adjustTop <= 12; ++adjustTop) {
                for (int style = 0; style < 4; ++style) {
                    EnvelopeJob job = addressJob(slot.startColumn, slot.topLines);
                    job.lines = {"a", "b", "c", "d", "e"};
                    job.bold = (style & 1) != 0;
                    job.largeFont = (style & 2) != 0;
                    job.size = size.size;
                    for (const char* device : {kListed, "Office Laser"}) {
                        TextGridSurface surface(device);
                        print(surface, job, {0, adjustTop});
                        const auto places = addressPlaces(surface);
                        ASSERT_EQ(places.size(), 5u);
                        EXPECT_EQ(surface.pageCount(), 1)
                            << device << " size " << size.size << " top " << adjustTop;
                        EXPECT_EQ(places.back().second, places.front().second + 4);
                    }
                }
            }
        }
    }
}

TEST(EnvelopeJob, EmptyLinesAboveTheAddressAreInTheBodyFont) {
    EnvelopeJob job = addressJob(38, 33);
    job.largeFont = true;
    TextGridSurface surface;
    print(surface, job);
    // One opening line at the landscape size, then 25 at the large font's height.
    EXPECT_NEAR(firstAddressRun(surface).yPoints, lineHeightPoints(12) + 25 * lineHeightPoints(14),
                1e-6);
}

TEST(EnvelopeJob, CenteredLinesUseTheLabelCentering) {
    EnvelopeJob job = addressJob(20, 32);
    job.lines = {"Hello", "abc", std::string(29, 'x'), "", ""};
    job.centered = true;
    TextGridSurface surface;
    print(surface, job);
    const auto& runs = surface.runs();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].column, 20 + 12);
    EXPECT_EQ(runs[1].column, 20 + 14);
    EXPECT_EQ(runs[2].column, 20);
}

}  // namespace
}  // namespace qm
