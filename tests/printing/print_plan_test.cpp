#include "surface/print_plan.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "contacts/contact_printouts.h"
#include "list/contact_report.h"
#include "list/list_labels.h"
#include "printing/calibration.h"
#include "printing/envelope_layout.h"
#include "printing/label_sheet.h"
#include "printing/label_stock.h"
#include "printing/return_labels.h"
#include "surface/text_grid_surface.h"

namespace qm {
namespace {

// A copy of one line in the plan's first font, then one in a font of its own.
PrintPlan twoFontPlan(CopyMode copies) {
    PrintPlan plan;
    plan.fonts = {PrintFont{.size = 10}, PrintFont{.name = "Other", .size = 14}};
    plan.copies = copies;
    plan.draw = [copies](PrinterSurface& surface, Adjustment) {
        surface.print({PrintItem::Text("first")});
        surface.setFont("Other");
        surface.setFontSize(14);
        surface.print({PrintItem::Text("second")});
        if (copies == CopyMode::Pages) {
            surface.newPage();
        }
    };
    return plan;
}

TEST(DrawPlan, CopiesAreDocumentsPagesOrOneAndEachStartsInTheFirstFont) {
    const struct {
        CopyMode mode;
        int documents;
        int pages;
        std::size_t runs;
    } cases[] = {
        {CopyMode::Documents, 3, 3, 6}, {CopyMode::Pages, 1, 3, 6}, {CopyMode::Once, 1, 1, 2}};
    for (const auto& c : cases) {
        TextGridSurface grid;
        drawPlan(grid, twoFontPlan(c.mode), {}, 3);
        EXPECT_EQ(grid.documentCount(), c.documents);
        EXPECT_EQ(grid.pageCount(), c.pages);
        ASSERT_EQ(grid.runs().size(), c.runs);
        for (std::size_t i = 0; i < c.runs; i += 2) {
            EXPECT_EQ(grid.runs()[i].font, "Courier New") << i;
            EXPECT_EQ(grid.runs()[i].size, 10) << i;
        }
    }
}

TEST(DrawPlan, TheSelectionPrintsOnceInsteadWhenOffered) {
    PrintPlan plan = twoFontPlan(CopyMode::Documents);
    TextGridSurface without;
    drawPlan(without, plan, {}, 2, true);
    EXPECT_EQ(without.documentCount(), 2);

    auto selection = std::make_shared<PrintPlan>(twoFontPlan(CopyMode::Once));
    selection->draw = [](PrinterSurface& surface, Adjustment) {
        surface.print({PrintItem::Text("chosen")});
    };
    plan.selection = selection;
    TextGridSurface with;
    drawPlan(with, plan, {}, 2, true);
    ASSERT_EQ(with.runs().size(), 1u);
    EXPECT_EQ(with.runs()[0].text, "chosen");
    EXPECT_EQ(with.documentCount(), 1);
}

struct PlanCase {
    std::string name;
    PrintPlan plan;
    bool selection = false;
};

std::vector<PlanCase> everyJob() {
    const std::array<std::string, 5> lines = {"Ann Example", "Acme", "12 Elm St", "",
                                              "Springfield IL"};
    std::vector<PlanCase> jobs;
    for (const bool portrait : {true, false}) {
        LabelJob job;
        job.lines = lines;
        job.portrait = portrait;
        job.labelCount = 4;
        jobs.push_back({"labels", labelsPlan(kAddressSheet, job)});
    }
    for (int style = 0; style < 4; ++style) {
        EnvelopeJob job;
        job.lines = lines;
        job.size = 1 + style;
        job.bold = (style & 1) != 0;
        job.largeFont = (style & 2) != 0;
        jobs.push_back({"envelope " + std::to_string(style), envelopePlan(job)});
    }
    jobs.push_back({"return labels",
                    returnLabelsPlan(kReturnAddressSheet, {lines[0], lines[1], lines[2]}, true)});
    const auto contact = [](std::size_t i) {
        ContactRecord r;
        r.firstName = "Ann" + std::to_string(i);
        r.street = "12 Elm St";
        return r;
    };
    jobs.push_back({"list labels", listLabelsPlan(kAddressSheet, 35, contact)});
    const std::vector<std::string> listLines = {"Ann\tAlbany\tNY", "Bob\tTroy\tNY"};
    for (const bool heading : {false, true}) {
        const ReportSelection chosen{heading, "Name", listLines};
        jobs.push_back({"report", contactReportPlan(listLines, "Friends", chosen)});
        jobs.push_back({"report selection", contactReportPlan(listLines, "Friends", chosen), true});
    }
    ContactFields fields;
    fields.firstName = "Ann";
    fields.notes = std::string(150, 'n');
    jobs.push_back({"details", contactDetailsPlan(fields, "12/7/2026", "Ann")});
    jobs.push_back({"details selection", contactDetailsPlan(fields, "12/7/2026", "Ann"), true});
    for (const CalibrationLayout layout :
         {CalibrationLayout::Labels, CalibrationLayout::ListLabels, CalibrationLayout::ReturnLabels,
          CalibrationLayout::Envelope}) {
        jobs.push_back({"calibration " + std::string(calibrationTarget(layout).name),
                        calibrationPlan(layout, calibrationTarget(layout).stock, 3)});
    }
    return jobs;
}

// The print dialog opens with the plan's paper and the plan's fonts are those on the page:
// what a plan says of itself is what it prints.
TEST(PrintPlans, EveryJobPrintsOnItsPaperInTheFontsItNames) {
    for (const PlanCase& c : everyJob()) {
        SCOPED_TRACE(c.name);
        const PrintPlan& plan = c.selection ? *c.plan.selection : c.plan;
        TextGridSurface grid;
        // A paper of its own, which a plan of the printer's paper leaves alone.
        grid.setPaperSize(kPaperEnvelopeA2);
        drawPlan(grid, c.plan, {1, 1}, 2, c.selection);
        ASSERT_FALSE(grid.runs().empty());
        const int paper = plan.paper.paper == kPaperOfPrinter ? kPaperEnvelopeA2 : plan.paper.paper;
        EXPECT_EQ(grid.paperSize(), paper);
        EXPECT_EQ(grid.orientation(), plan.paper.orientation);
        for (const PrintedRun& run : grid.runs()) {
            const PrintFont used{run.font, run.size, run.bold, run.italic};
            EXPECT_NE(std::find(plan.fonts.begin(), plan.fonts.end(), used), plan.fonts.end())
                << run.font << " " << run.size << ": " << run.text;
        }
        if (plan.stock != nullptr) {
            EXPECT_EQ(plan.paper.paper, plan.stock->paper);
            EXPECT_EQ(plan.backdrop, labelOutlines(*plan.stock));
        }
    }
}

}  // namespace
}  // namespace qm
