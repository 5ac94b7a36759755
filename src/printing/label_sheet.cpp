#include "printing/label_sheet.h"

#include <cstdio>

#include "printing/print_rules.h"
#include "records/text_rules.h"

namespace qm {

namespace {

constexpr std::array<int, 3> kStartColumns = {2, 35, 68};
constexpr std::array<int, 10> kTopLines = {3, 10, 16, 23, 30, 36, 43, 50, 56, 63};

std::string numberText(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::string slotText(int value) {
    return std::to_string(value);
}

}  // namespace

LabelSlot labelSlot(int position, bool listedPrinter) {
    const int row = (position - 1) / 3;
    const int column = (position - 1) % 3;
    return {kStartColumns.at(static_cast<std::size_t>(column)) + (listedPrinter ? 1 : 0),
            kTopLines.at(static_cast<std::size_t>(row))};
}

std::string cleanPositionEntry(std::string_view answer) {
    return trim(removeAll(removeAll(answer, " "), "."));
}

std::optional<Notice> checkPositionEntry(std::string_view s) {
    const bool hasDash = s.find('-') != std::string_view::npos;
    if (!hasDash && s.size() > 2) {
        return Notice{"Include dash for range of labels",
                      "Use a dash when specifying a range of labels to print.  Examples: 1-30, "
                      "5-8, 15-22.  Each number represents a label position on label sheet.",
                      NoticeIcon::Information};
    }
    if (numberValue(rightOf(s, 2)) > kSheetPositions) {
        return Notice{"Maximum is 30", "Label position cannot exceed 30", NoticeIcon::Information};
    }
    if (s.size() == 5 && s[1] == '-') {
        return Notice{"Maximum is 30",
                      "No more than 30 labels may be printed.  To print an entire sheet, enter "
                      "1-30.",
                      NoticeIcon::Information};
    }
    return std::nullopt;
}

std::variant<LabelRange, Notice> parseLabelRange(std::string_view s) {
    LabelRange range;
    switch (s.size()) {
        case 1:
        case 2:
            range.start = std::string(s);
            range.count = 1;
            return range;
        case 3:
            range.start = leftOf(s, 1);
            range.end = rightOf(s, 1);
            break;
        case 4:
            range.start = leftOf(s, 1);
            range.end = rightOf(s, 2);
            break;
        case 5:
            range.start = leftOf(s, 2);
            range.end = rightOf(s, 2);
            break;
        default:
            // Nothing readable: no position rather than whatever the last entry left.
            return range;
    }
    const double start = numberValue(range.start);
    const double end = numberValue(*range.end);
    if (end < start) {
        return Notice{"Try again", "Label starting position cannot exceed ending position.",
                      NoticeIcon::Information};
    }
    range.count = cint(end - start + 1, true);
    return range;
}

std::variant<LabelRange, Notice> readPositionEntry(std::string_view cleaned) {
    if (auto failed = checkPositionEntry(cleaned)) {
        return *failed;
    }
    auto parsed = parseLabelRange(cleaned);
    if (const auto* range = std::get_if<LabelRange>(&parsed);
        range != nullptr && numberValue(range->start) > kSheetPositions) {
        return Notice{"Enter a number between 1 and 30", "Cannot be greater than 30",
                      NoticeIcon::Exclamation};
    }
    return parsed;
}

std::optional<int> sheetPosition(std::string_view text) {
    const double value = numberValue(text);
    if (!isWholeInRange(value, 1, kSheetPositions)) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

namespace {

int padded(const std::string& pad, int adjustment) {
    return cint(numberValue(pad) + adjustment, true);
}

void printLabelLines(PrinterSurface& surface, const LabelJob& job, int left) {
    for (const std::string& line : job.lines) {
        std::vector<PrintItem> items{PrintItem::Tab(left)};
        if (job.centered) {
            items.push_back(PrintItem::Spc(centeringBlanks(kLabelHalfWidth, line.size())));
        }
        items.push_back(PrintItem::Text(line));
        surface.print(items);
    }
}

}  // namespace

LabelJobEnd printLabelJob(PrinterSurface& surface, const LabelJob& job) {
    const bool listed = isListedPrinter(surface.deviceName());
    surface.setOrientation(job.portrait ? kPortrait : kLandscape);
    surface.setFontSize(job.portrait ? 10 : 12);
    if (listed) {
        surface.setPaperSize(kPaperLetter);
    }
    surface.printLine();
    surface.setFont("Courier New");
    surface.setFontBold(false);
    surface.setFontItalic(false);

    LabelJobEnd state{job.startPosition, job.leftPad, job.topPad};
    int left = padded(state.leftPad, job.adjust.left);
    int top = padded(state.topPad, job.adjust.top);
    surface.printEmptyLines(top);
    for (int i = 0; i < job.labelCount; ++i) {
        printLabelLines(surface, job, left);
        state.startPosition = numberText(numberValue(state.startPosition) + 1);
        // Back to the top of the page; the next label is found by counting lines down.
        surface.setCurrentX(0);
        surface.setCurrentY(0);
        surface.printLine();
        if (const auto next = sheetPosition(state.startPosition)) {
            const LabelSlot slot = labelSlot(*next, listed);
            state.leftPad = slotText(slot.startColumn);
            state.topPad = slotText(slot.topLines);
        }
        left = padded(state.leftPad, job.adjust.left);
        top = padded(state.topPad, job.adjust.top);
        surface.printEmptyLines(top);
    }
    surface.endDoc();
    return state;
}

}  // namespace qm
