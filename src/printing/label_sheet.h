#pragma once

// Label sheets of the typed lines: where each position of a stock starts, how the user's
// position entry is read, and the label job that places each label by returning to the top
// of the page and counting lines down.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "records/notice.h"
#include "records/parameter_file.h"
#include "surface/print_plan.h"
#include "surface/printer_surface.h"

namespace qm {

struct LabelStock;

inline constexpr int kLabelLines = 5;

using LabelSlot = TextSlot;

// Position 1..labels of the stock, left to right then top to bottom, by the stock's cell
// layout; listed printers start its shift further right.
LabelSlot labelSlot(const LabelStock& stock, int position, bool listedPrinter);

// The entry with every blank and "." removed, then trimmed.
std::string cleanPositionEntry(std::string_view answer);

// The entry checks in their order (dash for a range, at most the stock's labels, at most
// that many labels, a dash between two positions); the first that fails, or nothing.
std::optional<Notice> checkPositionEntry(const LabelStock& stock, std::string_view cleaned);

// What the range parse leaves: the first position, the last one when the entry names a
// range, and how many labels. A text that is no number is position 0.
struct LabelRange {
    int start = 0;
    std::optional<int> end;
    int count = 0;
    bool operator==(const LabelRange&) const = default;
};

// One or two characters are a single position; three to five are "a-b", "a-bb", "aa-bb"
// by length. Other lengths name no position (start 0, no labels). A start beyond the end
// gives the "Try again" notice. On a sheet of more than 99 labels, positions of up to three
// digits are read on each side of the dash.
inline constexpr int kMostTwoDigitLabels = 99;
std::variant<LabelRange, Notice> parseLabelRange(std::string_view cleaned, int labels = 30);

// Checks, then the range parse, then the start must not exceed the stock's labels.
std::variant<LabelRange, Notice> readPositionEntry(const LabelStock& stock,
                                                   std::string_view cleaned);

// The position when it lies on the stock's sheet (1..labels).
std::optional<int> sheetPosition(const LabelStock& stock, int position);

// The typed lines and options one label job prints.
struct LabelJob {
    std::array<std::string, kLabelLines> lines;
    bool portrait = true;
    bool centered = false;
    int startPosition = 1;  // first position of the range
    int labelCount = 1;
    LabelSlot slot = kDefaultSlot;  // of the first label, before adjustment
    // The first label's slot is taken again with the printer test of the surface's device
    // name, as Print does after reading the range again.
    bool slotFromPrinter = false;
};

// Where a label goes: its position and the slot it is printed in.
struct LabelPlace {
    int position = 0;
    LabelSlot slot;
    bool operator==(const LabelPlace&) const = default;
};

// Where the job leaves the window's state on a printer of that kind: the position after the
// last label and the slot of the last label placed on the sheet.
LabelPlace labelJobEnd(const LabelStock& stock, const LabelJob& job, bool listedPrinter);

// The labels of the range on the stock, every copy from the range's first position, moved
// by the on-the-fly adjustment. The listed-printer corrections follow the surface's device
// name.
PrintPlan labelsPlan(const LabelStock& stock, const LabelJob& job);

}  // namespace qm
