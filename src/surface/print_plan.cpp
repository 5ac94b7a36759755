#include "surface/print_plan.h"

namespace qm {

namespace {

void startCopy(PrinterSurface& surface, const PrintPlan& plan) {
    const PrintFont& font = plan.fonts.front();
    surface.setFont(font.name);
    surface.setFontSize(font.size);
    surface.setFontBold(font.bold);
    surface.setFontItalic(font.italic);
    surface.setOrientation(plan.paper.orientation);
    if (plan.paper.paper != kPaperOfPrinter) {
        surface.setPaperSize(plan.paper.paper);
    }
    if (!plan.backdrop.empty()) {
        surface.setBackdrop(plan.backdrop);
    }
}

}  // namespace

void drawPlan(PrinterSurface& surface, const PrintPlan& plan, Adjustment adjust, int copies,
              bool selection) {
    const PrintPlan& job = selection && plan.selection ? *plan.selection : plan;
    const int count = job.copies == CopyMode::Once ? 1 : copies;
    for (int copy = 0; copy < count; ++copy) {
        startCopy(surface, job);
        job.draw(surface, adjust);
        if (job.copies != CopyMode::Pages) {
            surface.endDoc();
        }
    }
    if (job.copies == CopyMode::Pages) {
        surface.endDoc();
    }
    surface.endJob();
}

}  // namespace qm
