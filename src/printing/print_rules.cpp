#include "printing/print_rules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <optional>
#include <utility>

#include "records/text_rules.h"
#include "surface/text_grid_surface.h"

namespace qm {

bool isListedPrinter(std::string_view deviceName, PrinterList list) {
    for (const ListedPrinterModel& m : kListedPrinterModels) {
        const bool onList = list == PrinterList::TypedLines ? m.typedLines : m.listLabels;
        if (onList && deviceName.find(m.model) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

int centeringBlanks(int half, std::size_t length) {
    const int blanks = cint(half - static_cast<double>(length) / 2.0);
    return blanks < 1 ? 0 : blanks;
}

int LineRoom::columns() const {
    return std::max(0, static_cast<int>(std::floor(points / columnWidthPoints(size) + 1e-9)));
}

std::size_t lineLength(std::string_view text) {
    return characterCount(text);
}

std::string_view lineStart(std::string_view text, std::size_t characters) {
    return text.substr(0, byteOffsetOf(text, characters));
}

namespace {

// Whole characters of a size that fit the room.
std::size_t charactersAt(const LineRoom& room, double size) {
    return static_cast<std::size_t>(
        std::max(0.0, std::floor(room.points / columnWidthPoints(size) + 1e-9)));
}

// The smaller sizes a line may be set in, largest first.
std::vector<double> smallerSizes(double size) {
    std::vector<double> sizes;
    for (double s = size - kFitSizeStep; s >= kSmallestFitSize - 1e-9; s -= kFitSizeStep) {
        sizes.push_back(s);
    }
    return sizes;
}

std::string_view trimmedRight(std::string_view text) {
    const auto end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

// The text broken at blanks into parts of at most width characters, the blank at each break
// left out; nothing when a word is wider.
std::optional<std::vector<std::string>> breakAtBlanks(std::string_view text, std::size_t width) {
    std::vector<std::string> parts;
    while (lineLength(text) > width) {
        const auto blank = lineStart(text, width + 1).find_last_of(' ');
        if (blank == std::string_view::npos || blank == 0) {
            return std::nullopt;
        }
        parts.emplace_back(trimmedRight(text.substr(0, blank)));
        text = text.substr(blank + 1);
        text.remove_prefix(std::min(text.size(), text.find_first_not_of(' ')));
    }
    parts.emplace_back(text);
    return parts;
}

// A line of length characters in size: its blanks when centered, as many as still leave it
// room, counted in columns of the room's size.
SetLine placed(std::string text, double size, const LineRoom& room) {
    SetLine line{0, std::move(text), size == room.size ? 0.0 : size, false};
    if (room.centered) {
        const double across = static_cast<double>(lineLength(line.text)) * size / room.size;
        const auto width = static_cast<std::size_t>(std::ceil(across - 1e-9));
        line.blanks = std::min(centeringBlanks(room.centerHalf, width),
                               std::max(0, room.columns() - static_cast<int>(width)));
    }
    return line;
}

// The largest size, the room's own or a smaller one, that holds the text in at most `parts`
// parts broken at blanks, with those parts; nothing when not even 7 pt does.
std::optional<std::pair<double, std::vector<std::string>>> largestWrap(std::string_view text,
                                                                       const LineRoom& room,
                                                                       std::size_t parts) {
    std::vector<double> sizes{room.size};
    const std::vector<double> smaller = smallerSizes(room.size);
    sizes.insert(sizes.end(), smaller.begin(), smaller.end());
    for (double size : sizes) {
        auto broken = breakAtBlanks(text, charactersAt(room, size));
        if (broken && broken->size() <= parts) {
            return std::pair{size, std::move(*broken)};
        }
    }
    return std::nullopt;
}

// One line that does not fit as it is, set with at most `free` lines of the label beyond its
// own.
std::vector<SetLine> setLongLine(std::string_view typed, const LineRoom& room, std::size_t free) {
    const std::string_view text = trimmedRight(typed);
    const std::size_t length = lineLength(text);
    if (length <= static_cast<std::size_t>(room.columns())) {
        return {placed(std::string(text), room.size, room)};
    }
    for (double size : smallerSizes(room.size)) {
        if (length <= charactersAt(room, size)) {
            return {placed(std::string(text), size, room)};
        }
    }
    if (free > 0) {
        if (auto wrap = largestWrap(text, room, free + 1)) {
            std::vector<SetLine> set;
            for (std::string& part : wrap->second) {
                set.push_back(placed(std::move(part), wrap->first, room));
            }
            return set;
        }
    }
    const double smallest = std::min(room.size, kSmallestFitSize);
    SetLine cut =
        placed(std::string(lineStart(text, charactersAt(room, smallest))), smallest, room);
    cut.blanks = 0;
    cut.cut = true;
    return {cut};
}

}  // namespace

std::vector<SetLine> setLabelLines(std::span<const std::string> lines, const LineRoom& room,
                                   std::size_t capacity) {
    std::size_t used = lines.size();
    while (used > 0 && lines[used - 1].empty()) {
        --used;
    }
    std::size_t free = capacity > used ? capacity - used : 0;
    std::vector<SetLine> set;
    set.reserve(std::max(lines.size(), capacity));
    for (std::size_t i = 0; i < used; ++i) {
        const std::string& line = lines[i];
        const int blanks = room.centered ? centeringBlanks(room.centerHalf, lineLength(line)) : 0;
        if (static_cast<int>(lineLength(line)) <= room.columns() - blanks) {
            set.push_back(SetLine{blanks, line, 0.0, false});
            continue;
        }
        std::vector<SetLine> parts = setLongLine(line, room, free);
        free -= parts.size() - 1;
        std::move(parts.begin(), parts.end(), std::back_inserter(set));
    }
    while (set.size() < lines.size()) {
        set.push_back(placed({}, room.size, room));
    }
    return set;
}

bool anyCut(std::span<const SetLine> lines) {
    return std::any_of(lines.begin(), lines.end(), [](const SetLine& l) { return l.cut; });
}

void appendSetLine(std::vector<PrintItem>& items, int column, const SetLine& line, bool centered) {
    items.push_back(PrintItem::Tab(column));
    if (centered) {
        items.push_back(PrintItem::Spc(line.blanks));
    }
    items.push_back(PrintItem::SizedText(line.text, line.size, line.cut));
}

bool printAddressLines(PrinterSurface& surface, const std::array<std::string, 5>& lines, int left,
                       const LineRoom& room) {
    const std::vector<SetLine> set = setLabelLines(lines, room, lines.size());
    for (const SetLine& line : set) {
        std::vector<PrintItem> items;
        appendSetLine(items, left, line, room.centered);
        surface.print(items);
    }
    return anyCut(set);
}

}  // namespace qm
