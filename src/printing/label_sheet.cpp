#include "printing/label_sheet.h"

#include <cstdio>

#include "printing/label_stock.h"
#include "printing/print_rules.h"
#include "records/text_rules.h"
#include "surface/paper_sizes.h"
#include "surface/text_grid_surface.h"

namespace qm {

namespace {

const CellLayout& kCells = kAddressSheet.cells;
static_assert(kAddressSheet.sheet.labels() == kSheetPositions);
static_assert(kAddressSheet.cells.linesPerLabel == kLabelLines);
// Landscape labels are printed larger than the stock's portrait font.
constexpr double kLandscapeFontSize = 12;

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
    const int across = kAddressSheet.sheet.across;
    const auto row = static_cast<std::size_t>((position - 1) / across);
    const auto column = static_cast<std::size_t>((position - 1) % across);
    return {kCells.startColumns[column] + (listedPrinter ? kCells.listedPrinterShift : 0),
            kCells.topLines[row]};
}

std::string cleanPositionEntry(std::string_view answer) {
    return trim(removeAll(removeAll(answer, " "), "."));
}

std::optional<Notice> checkPositionEntry(std::string_view s) {
    const Notice dashNotice{"Include dash for range of labels",
                            "Use a dash when specifying a range of labels to print.  Examples: "
                            "1-30, 5-8, 15-22.  Each number represents a label position on label "
                            "sheet.",
                            NoticeIcon::Information};
    const bool hasDash = s.find('-') != std::string_view::npos;
    if (!hasDash && s.size() > 2) {
        return dashNotice;
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
    // A dash with no position on one side ("-5", "1-", "5-") names no range: the range
    // parse would print one label at a position the entry never named.
    if (!s.empty() && (s.front() == '-' || s.back() == '-')) {
        return dashNotice;
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

// The characters a label at a position holds from its column's start. In landscape the
// sheet's labels are not where the columns fall: a line ends where the next column's text
// starts, or at the paper's printable width.
int labelRoom(const std::string& position, bool portrait) {
    const auto p = sheetPosition(position);
    const auto column = static_cast<std::size_t>(p ? (*p - 1) % kAddressSheet.sheet.across : 0);
    if (portrait) {
        return labelLineColumns(kAddressSheet, static_cast<int>(column), kCells.fontSize);
    }
    if (column + 1 < kCells.startColumns.size()) {
        return kCells.startColumns[column + 1] - kCells.startColumns[column] - 1;
    }
    const double width = kLetterPaper.height - 2 * kPaperSideMarginPoints;
    return static_cast<int>(width / columnWidthPoints(kLandscapeFontSize)) -
           kCells.startColumns[column] + 1;
}

}  // namespace

PrintSetup labelJobPaper(const LabelJob& job) {
    return {kPaperLetter, job.portrait ? kPortrait : kLandscape};
}

LabelJobEnd printLabelJob(PrinterSurface& surface, const LabelJob& job) {
    const bool listed = isListedPrinter(surface.deviceName());
    const double fontSize = job.portrait ? kCells.fontSize : kLandscapeFontSize;
    surface.setOrientation(labelJobPaper(job).orientation);
    surface.setFontSize(fontSize);
    // The sheet is letter stock whatever the printer's own paper.
    surface.setPaperSize(labelJobPaper(job).paper);
    surface.setBackdrop(labelOutlines(kAddressSheet));
    surface.printEmptyLines(kCells.leadLines);
    surface.setFont("Courier New");
    surface.setFontBold(false);
    surface.setFontItalic(false);

    LabelJobEnd state{job.startPosition, job.leftPad, job.topPad};
    int left = padded(state.leftPad, job.adjust.left);
    int top = padded(state.topPad, job.adjust.top);
    surface.printEmptyLines(top);
    for (int i = 0; i < job.labelCount; ++i) {
        printAddressLines(surface, job.lines, left, job.centered, kCells.centerHalfWidth,
                          labelRoom(state.startPosition, job.portrait));
        state.startPosition = numberText(numberValue(state.startPosition) + 1);
        // Back to the top of the page; the next label is found by counting lines down.
        surface.setCurrentX(0);
        surface.setCurrentY(0);
        surface.printEmptyLines(kCells.leadLines);
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
