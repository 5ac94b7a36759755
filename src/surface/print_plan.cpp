#include "surface/print_plan.h"

#include <algorithm>
#include <utility>

#include "records/code_page.h"

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
              bool selection, const ShortfallWarning& warn) {
    const PrintPlan& job = selection && plan.selection ? *plan.selection : plan;
    const int count = job.copies == CopyMode::Once ? 1 : copies;
    // Every copy lays out the same lines: the first tells.
    const auto goesAhead = [&] {
        if (!warn || surface.shortfall().empty() || warn(surface.shortfall())) {
            return true;
        }
        surface.killDoc();
        return false;
    };
    surface.forgetShortfall();
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

std::string_view fontPackageFor(char32_t letter) {
    struct Range {
        char32_t first;
        char32_t last;
        std::string_view package;
    };
    static constexpr Range kRanges[] = {
        {0x1100, 0x11FF, "fonts-noto-cjk"},            // Hangul Jamo
        {0x2E80, 0x9FFF, "fonts-noto-cjk"},            // CJK radicals to unified ideographs
        {0xA960, 0xA97F, "fonts-noto-cjk"},            // Hangul Jamo extended
        {0xAC00, 0xD7FF, "fonts-noto-cjk"},            // Hangul syllables
        {0xF900, 0xFAFF, "fonts-noto-cjk"},            // CJK compatibility ideographs
        {0xFE30, 0xFE4F, "fonts-noto-cjk"},            // CJK compatibility forms
        {0xFF00, 0xFFEF, "fonts-noto-cjk"},            // half and full width forms
        {0x1F300, 0x1FAFF, "fonts-noto-color-emoji"},  // pictographs and emoji
        {0x20000, 0x3FFFF, "fonts-noto-cjk"},          // CJK extensions
    };
    for (const Range& r : kRanges) {
        if (letter >= r.first && letter <= r.last) {
            return r.package;
        }
    }
    return "fonts-noto-core";
}

std::string missingLettersText(std::u32string_view letters) {
    std::vector<std::pair<std::string_view, std::string>> byPackage;
    for (const char32_t letter : letters) {
        const std::string_view package = fontPackageFor(letter);
        auto group = std::find_if(byPackage.begin(), byPackage.end(),
                                  [package](const auto& g) { return g.first == package; });
        if (group == byPackage.end()) {
            group = byPackage.insert(byPackage.end(), {package, {}});
        }
        appendUtf8(group->second, letter);
    }
    std::string text;
    for (const auto& [package, group] : byPackage) {
        text += (text.empty() ? "" : ", ") + group + " (" + std::string(package) + ")";
    }
    return text;
}

}  // namespace qm
