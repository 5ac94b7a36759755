#include "printing/calibration.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>

#include "list/list_labels.h"
#include "printing/label_stock.h"
#include "printing/print_rules.h"
#include "support/temp_folder.h"
#include "surface/paper_sizes.h"
#include "surface/text_grid_surface.h"

namespace qm {
namespace {

TEST(Calibration, DistancesAsTypedInInchesOrMillimetres) {
    const struct {
        const char* text;
        std::optional<double> points;
    } cases[] = {
        {"0.05 in", 3.6},
        {"0.05in", 3.6},
        {"-0.1 inch", -7.2},
        {"1/16 in", 4.5},
        {"-1/8\"", -9},
        {"25.4 mm", 72},
        {"-1.5mm", -1.5 * 72 / 25.4},
        {" .5 MM ", 0.5 * 72 / 25.4},
        {"2", std::nullopt},
        {"mm", std::nullopt},
        {"1/0 in", std::nullopt},
        {"0.1 cm", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const auto points = parseDistance(c.text);
        ASSERT_EQ(points.has_value(), c.points.has_value());
        if (points) {
            EXPECT_NEAR(*points, *c.points, 1e-9);
        }
    }
}

TEST(Calibration, MeasuredOffsetBecomesWholeColumnsAndLinesBack) {
    const struct {
        CalibrationLayout layout;
        Adjustment current;
        double right, down;  // points
        Adjustment wanted;
    } cases[] = {
        // Labels: columns of 6 points, lines of 10.8.
        {CalibrationLayout::Labels, {0, 0}, 6.5, -10.8, {-1, 1}},
        {CalibrationLayout::Labels, {-1, 2}, 2.9, 5.3, {-1, 2}},
        {CalibrationLayout::ListLabels, {0, 0}, -12.2, 21.7, {2, -2}},
        // Return labels: 4.8 and 8.64; envelopes: 7.2 and 12.96.
        {CalibrationLayout::ReturnLabels, {0, 0}, 3.6, -5.67, {-1, 1}},
        {CalibrationLayout::Envelope, {3, 0}, -14.4, 13, {5, -1}},
        // The file's three characters hold -99 to 999.
        {CalibrationLayout::Labels, {-98, 0}, 72, 0, {-99, 0}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(calibrationTarget(c.layout).name);
        EXPECT_EQ(calibratedAdjustment(c.layout, c.current, c.right, c.down), c.wanted);
    }
}

TEST(Calibration, StoringAddsTheReturnLabelRecordAndKeepsTheOthers) {
    test::TempFolder folder;
    const std::string path = folder.file("QMKPARAM.TXT");
    // The last record lacks its line end, as a file edited by hand may.
    std::ofstream(path, std::ios::binary) << "ONTHEFLY -1  2  \r\nENVELOPE 0   0  ";
    storeAdjustment(path, CalibrationLayout::ReturnLabels, {0, 0}, {-1, 1});
    storeAdjustment(path, CalibrationLayout::Labels, {-1, 2}, {-2, 2});
    EXPECT_EQ(readAdjustment(path, kSectionReturnLabels), (Adjustment{-1, 1}));
    EXPECT_EQ(readAdjustment(path, kSectionOnTheFly), (Adjustment{-2, 2}));
    EXPECT_EQ(readAdjustment(path, kSectionEnvelope), (Adjustment{0, 0}));
    EXPECT_EQ(parameterRecordCount(static_cast<std::int64_t>(18 * 3)), 3);
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes.size(), 54u);
    EXPECT_EQ(bytes.substr(34, 20), "\r\nRETLABEL -1  1  \r\n");
}

TEST(Calibration, MarksAreWhereTheJobsPrintTheirFirstCharacters) {
    // Labels for listed contacts: the marks against the job itself on a text grid, on a
    // printer of no model and on one whose model shifts the list labels.
    for (const std::string device : {"Text grid", "Photosmart 7520"}) {
        SCOPED_TRACE(device);
        TextGridSurface grid(device);
        const auto readContact = [](std::size_t) {
            ContactRecord r;
            r.firstName = "X";
            r.lastName = "Y";
            return r;
        };
        drawPlan(grid, listLabelsPlan(kAddressSheet, 30, readContact), Adjustment{1, -1}, 1);
        const auto marks = calibrationMarks(CalibrationLayout::ListLabels, &kAddressSheet,
                                            Adjustment{1, -1}, 1, device);
        std::vector<PaperRect> firsts;
        for (const PrintedRun& run : grid.runs()) {
            if (run.text == "X Y") {
                firsts.push_back(PaperRect{kPaperSideMarginPoints + (run.column - 1) * 6.0,
                                           run.yPoints, 6, 10.8});
            }
        }
        ASSERT_EQ(marks.size(), 30u);
        ASSERT_EQ(firsts.size(), 30u);
        for (std::size_t i = 0; i < marks.size(); ++i) {
            EXPECT_NEAR(marks[i].left, firsts[i].left, 1e-6) << i;
            EXPECT_NEAR(marks[i].top, firsts[i].top, 1e-6) << i;
        }
    }
    // The other layouts: one mark per label, each on its label.
    EXPECT_EQ(calibrationMarks(CalibrationLayout::Labels, &kAddressSheet, {}).size(), 30u);
    const auto returns =
        calibrationMarks(CalibrationLayout::ReturnLabels, &kReturnAddressSheet, {});
    ASSERT_EQ(returns.size(), 80u);
    for (std::size_t i = 0; i < returns.size(); ++i) {
        const auto cell = kReturnAddressSheet.sheet.labelAt(returns[i].left, returns[i].top);
        ASSERT_TRUE(cell.has_value()) << i;
        EXPECT_EQ(cell->row * 4 + cell->column, static_cast<int>(i));
    }
    EXPECT_EQ(calibrationMarks(CalibrationLayout::Envelope, nullptr, {}, 2).size(), 1u);
}

TEST(LabelLines, EachColumnsRoomReachesItsLabelsEdge) {
    const struct {
        const LabelStock& stock;
        int column;
        int room;
    } rooms[] = {{kAddressSheet, 0, 29},
                 {kAddressSheet, 1, 29},
                 {kAddressSheet, 2, 30},
                 {kReturnAddressSheet, 0, 24},
                 {kReturnAddressSheet, 3, 24}};
    for (const auto& r : rooms) {
        EXPECT_EQ(labelLineColumns(r.stock, r.column, r.stock.cells.fontSize), r.room);
    }
    // A centered line keeps its blanks and gives up the rest of its room.
    TextGridSurface grid;
    printAddressLines(grid, {std::string(28, 'b'), "", "", "", ""}, 2,
                      LineRoom{labelLinePoints(kAddressSheet, 0, 10), 10, true, 15});
    ASSERT_EQ(grid.runs().size(), 1u);
    EXPECT_EQ(grid.runs()[0].column, 3);
    EXPECT_EQ(grid.runs()[0].text.size(), 28u);
}

TEST(Calibration, EverySheetIsOnePageWithItsNotesAboveTheMarks) {
    // Every layout, and the envelope on each of its papers (the shortest is 3 5/8 inch).
    std::vector<std::pair<CalibrationLayout, int>> sheets = {{CalibrationLayout::Labels, 1},
                                                             {CalibrationLayout::ListLabels, 1},
                                                             {CalibrationLayout::ReturnLabels, 1}};
    for (int size = 1; size <= kEnvelopeSizes; ++size) {
        sheets.emplace_back(CalibrationLayout::Envelope, size);
    }
    for (const auto& [layout, size] : sheets) {
        SCOPED_TRACE(std::string(calibrationTarget(layout).name) + " " + std::to_string(size));
        const LabelStock* stock = calibrationTarget(layout).stock;
        const PrintPlan plan = calibrationPlan(layout, stock, size);
        // Moved by the section the measurement is stored into.
        EXPECT_EQ(plan.adjustment, calibrationTarget(layout).section);
        TextGridSurface grid;
        drawPlan(grid, plan, Adjustment{-3, 2}, 1);
        EXPECT_EQ(grid.pageCount(), 1);
        double firstMark = 1e9;
        for (const PaperRect& mark : calibrationMarks(layout, stock, Adjustment{-3, 2}, size)) {
            firstMark = std::min(firstMark, mark.top);
        }
        bool noted = false;
        for (const PrintedRun& run : grid.runs()) {
            if (run.text.find("calibrate") != std::string::npos) {
                noted = true;
            }
            // Only the inch numbers are in the grid; the notes stay in the top half inch.
            if (run.text.find_first_not_of("0123456789") != std::string::npos) {
                EXPECT_LT(run.yPoints + lineHeightPoints(run.size), std::min(36.0, firstMark))
                    << run.text;
            }
        }
        EXPECT_TRUE(noted);
    }
}

TEST(Calibration, GridMovesWithTheAdjustmentSoASecondSheetMeasuresWhatIsLeft) {
    // The left-hand inch numbers sit one point below their inch lines.
    const auto inchNumberTops = [](Adjustment adjust) {
        TextGridSurface grid;
        drawPlan(grid, calibrationPlan(CalibrationLayout::Labels, &kAddressSheet), adjust, 1);
        std::map<std::string, double> tops;
        for (const PrintedRun& run : grid.runs()) {
            if (run.yPoints > 40 && run.text.find_first_not_of("0123456789") == std::string::npos) {
                tops.emplace(run.text, run.yPoints);
            }
        }
        return tops;
    };
    const auto still = inchNumberTops({0, 0});
    const auto moved = inchNumberTops({-3, 2});
    ASSERT_EQ(still.size(), moved.size());
    for (const std::string inch : {"1", "5", "9"}) {
        SCOPED_TRACE(inch);
        ASSERT_TRUE(still.count(inch) && moved.count(inch));
        EXPECT_NEAR(still.at(inch), std::stoi(inch) * 72.0 + 1, 1e-6);
        // Two lines of the labels' 10 points down, as the crosshairs move.
        EXPECT_NEAR(moved.at(inch) - still.at(inch), 2 * 10.8, 1e-6);
    }
}

}  // namespace
}  // namespace qm
