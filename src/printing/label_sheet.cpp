#include "printing/label_sheet.h"

#include <algorithm>

#include "printing/label_stock.h"
#include "printing/print_rules.h"
#include "records/text_rules.h"
#include "surface/text_grid_surface.h"

namespace qm {

namespace {

static_assert(kAddressSheet.cells.linesPerLabel == kLabelLines);
// Landscape labels are printed larger than the stock's portrait font.
constexpr double kLandscapeFontSize = 12;

// The position a text of the entry names; a text that is no number is 0.
int positionOf(std::string_view text) {
    return cint(numberValue(text));
}

}  // namespace

LabelSlot labelSlot(const LabelStock& stock, int position, bool listedPrinter) {
    const CellLayout& cells = stock.cells;
    const int across = stock.sheet.across;
    const auto row = static_cast<std::size_t>((position - 1) / across);
    const auto column = static_cast<std::size_t>((position - 1) % across);
    return {cells.startColumns[column] + (listedPrinter ? cells.listedPrinterShift : 0),
            cells.topLines[row]};
}

std::string cleanPositionEntry(std::string_view answer) {
    return trim(removeAll(removeAll(answer, " "), "."));
}

std::optional<Notice> checkPositionEntry(const LabelStock& stock, std::string_view s) {
    const int labels = stock.sheet.labels();
    const std::string most = std::to_string(labels);
    const Notice dashNotice{"Include dash for range of labels",
                            "Use a dash when specifying a range of labels to print.  Examples: "
                            "1-" +
                                most +
                                ", 5-8, 15-22.  Each number represents a label "
                                "position on label sheet.",
                            NoticeIcon::Information};
    const bool hasDash = s.find('-') != std::string_view::npos;
    const std::size_t length = characterCount(s);
    if (!hasDash && length > 2) {
        return dashNotice;
    }
    if (numberValue(rightOf(s, 2)) > labels) {
        return Notice{"Maximum is " + most, "Label position cannot exceed " + most,
                      NoticeIcon::Information};
    }
    if (length == 5 && characterAt(s, 1) == '-') {
        return Notice{"Maximum is " + most,
                      "No more than " + most +
                          " labels may be printed.  To print an entire "
                          "sheet, enter 1-" +
                          most + ".",
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
    std::string start;
    std::string end;
    switch (characterCount(s)) {
        case 1:
        case 2:
            return LabelRange{positionOf(s), std::nullopt, 1};
        case 3:
            start = leftOf(s, 1);
            end = rightOf(s, 1);
            break;
        case 4:
            start = leftOf(s, 1);
            end = rightOf(s, 2);
            break;
        case 5:
            start = leftOf(s, 2);
            end = rightOf(s, 2);
            break;
        default:
            // Nothing readable: no position rather than whatever the last entry left.
            return LabelRange{};
    }
    const LabelRange range{positionOf(start), positionOf(end), 0};
    if (*range.end < range.start) {
        return Notice{"Try again", "Label starting position cannot exceed ending position.",
                      NoticeIcon::Information};
    }
    return LabelRange{range.start, range.end, cint(*range.end - range.start + 1, true)};
}

std::variant<LabelRange, Notice> readPositionEntry(const LabelStock& stock,
                                                   std::string_view cleaned) {
    if (auto failed = checkPositionEntry(stock, cleaned)) {
        return *failed;
    }
    auto parsed = parseLabelRange(cleaned);
    const int labels = stock.sheet.labels();
    if (const auto* range = std::get_if<LabelRange>(&parsed);
        range != nullptr && range->start > labels) {
        const std::string most = std::to_string(labels);
        return Notice{"Enter a number between 1 and " + most, "Cannot be greater than " + most,
                      NoticeIcon::Exclamation};
    }
    return parsed;
}

std::optional<int> sheetPosition(const LabelStock& stock, int position) {
    if (position < 1 || position > stock.sheet.labels()) {
        return std::nullopt;
    }
    return position;
}

namespace {

// The room a label at a position gives its lines from its column's start. In landscape the
// sheet's labels are not where the columns fall: a line ends where the next column's text
// starts, or at the paper's printable width.
LineRoom labelRoom(const LabelStock& stock, const LabelJob& job, int position) {
    const CellLayout& cells = stock.cells;
    const auto p = sheetPosition(stock, position);
    const auto column = static_cast<std::size_t>(p ? (*p - 1) % stock.sheet.across : 0);
    LineRoom room{0.0, job.portrait ? cells.fontSize : kLandscapeFontSize, job.centered,
                  cells.centerHalfWidth};
    if (job.portrait) {
        room.points = labelLinePoints(stock, static_cast<int>(column), cells.fontSize);
        return room;
    }
    int columns = 0;
    if (column + 1 < cells.startColumns.size()) {
        columns = cells.startColumns[column + 1] - cells.startColumns[column] - 1;
    } else {
        const double width = stock.sheet.pageHeight - 2 * kPaperSideMarginPoints;
        columns = static_cast<int>(width / columnWidthPoints(kLandscapeFontSize)) -
                  cells.startColumns[column] + 1;
    }
    room.points = std::max(0, columns) * columnWidthPoints(kLandscapeFontSize);
    return room;
}

LabelPlace firstPlace(const LabelStock& stock, const LabelJob& job, bool listed) {
    if (job.slotFromPrinter && sheetPosition(stock, job.startPosition)) {
        return {job.startPosition, labelSlot(stock, job.startPosition, listed)};
    }
    return {job.startPosition, job.slot};
}

// The next position; its slot when it lies on the sheet, else the slot stays.
LabelPlace nextPlace(const LabelStock& stock, const LabelPlace& at, bool listed) {
    LabelPlace next{at.position + 1, at.slot};
    if (sheetPosition(stock, next.position)) {
        next.slot = labelSlot(stock, next.position, listed);
    }
    return next;
}

void printLabelCopy(PrinterSurface& surface, const LabelStock& stock, const LabelJob& job,
                    Adjustment adjust) {
    const CellLayout& cells = stock.cells;
    const bool listed = isListedPrinter(surface.deviceName());
    LabelPlace place = firstPlace(stock, job, listed);
    surface.printEmptyLines(cells.leadLines);
    surface.printEmptyLines(place.slot.topLines + adjust.top);
    for (int i = 0; i < job.labelCount; ++i) {
        if (printAddressLines(surface, job.lines, place.slot.startColumn + adjust.left,
                              labelRoom(stock, job, place.position))) {
            surface.noteCutLabel({place.position, {}});
        }
        place = nextPlace(stock, place, listed);
        // Back to the top of the page; the next label is found by counting lines down.
        surface.setCurrentX(0);
        surface.setCurrentY(0);
        surface.printEmptyLines(cells.leadLines);
        surface.printEmptyLines(place.slot.topLines + adjust.top);
    }
}

}  // namespace

LabelPlace labelJobEnd(const LabelStock& stock, const LabelJob& job, bool listedPrinter) {
    LabelPlace place = firstPlace(stock, job, listedPrinter);
    for (int i = 0; i < job.labelCount; ++i) {
        place = nextPlace(stock, place, listedPrinter);
    }
    return place;
}

PrintPlan labelsPlan(const LabelStock& stock, const LabelJob& job) {
    PrintPlan plan = stockPlan(stock, job.portrait ? kPortrait : kLandscape, kSectionOnTheFly);
    plan.fonts = {PrintFont{.size = job.portrait ? stock.cells.fontSize : kLandscapeFontSize}};
    plan.draw = [&stock, job](PrinterSurface& surface, Adjustment adjust) {
        printLabelCopy(surface, stock, job, adjust);
    };
    return plan;
}

}  // namespace qm
