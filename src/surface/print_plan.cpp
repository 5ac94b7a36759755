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

bool drawPlan(PrinterSurface& surface, const PrintPlan& plan, Adjustment adjust, int copies,
              bool selection, const CutWarning& warn) {
    const PrintPlan& job = selection && plan.selection ? *plan.selection : plan;
    const int count = job.copies == CopyMode::Once ? 1 : copies;
    // Every copy lays out the same lines: the first tells.
    const auto goesAhead = [&] {
        if (!warn || surface.cutLabels().empty() || warn(surface.cutLabels())) {
            return true;
        }
        surface.killDoc();
        return false;
    };
    surface.forgetCutLabels();
    for (int copy = 0; copy < count; ++copy) {
        startCopy(surface, job);
        job.draw(surface, adjust);
        if (copy == 0 && job.copies != CopyMode::Pages && !goesAhead()) {
            return false;
        }
        if (job.copies != CopyMode::Pages) {
            surface.endDoc();
        }
    }
    if (job.copies == CopyMode::Pages) {
        if (!goesAhead()) {
            return false;
        }
        surface.endDoc();
    }
    surface.endJob();
    return true;
}

namespace {

std::string numbered(int first, int last) {
    return first == last ? "label " + std::to_string(first)
                         : "labels " + std::to_string(first) + "-" + std::to_string(last);
}

}  // namespace

std::string cutLabelsText(const std::vector<CutLabel>& labels) {
    std::string text;
    const auto add = [&text](const std::string& part) {
        text += text.empty() ? part : ", " + part;
    };
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const CutLabel& label = labels[i];
        if (label.number == 0) {
            add(label.name);
        } else if (!label.name.empty()) {
            add(numbered(label.number, label.number) + " (" + label.name + ")");
        } else {
            std::size_t last = i;
            while (last + 1 < labels.size() && labels[last + 1].name.empty() &&
                   labels[last + 1].number == labels[last].number + 1) {
                ++last;
            }
            add(numbered(label.number, labels[last].number));
            i = last;
        }
    }
    return text;
}

}  // namespace qm
