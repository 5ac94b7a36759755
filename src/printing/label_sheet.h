#pragma once

// The 30-up label sheet of the typed lines: where each position starts, how the user's
// position entry is read, and the label job that places each label by returning to the top
// of the page and counting lines down.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "records/notice.h"
#include "records/parameter_file.h"
#include "surface/printer_surface.h"

namespace qm {

inline constexpr int kSheetPositions = 30;
inline constexpr int kLabelLines = 5;

struct LabelSlot {
    int startColumn = 2;
    int topLines = 3;
    bool operator==(const LabelSlot&) const = default;
};

// Position 1..30, left to right then top to bottom, on the 30-up stock's row of the stock
// table; listed printers start its shift further right.
LabelSlot labelSlot(int position, bool listedPrinter);

// The entry with every blank and "." removed, then trimmed.
std::string cleanPositionEntry(std::string_view answer);

// The entry checks in their order (dash for a range, at most 30, at most 30 labels, a dash
// between two positions); the first that fails, or nothing.
std::optional<Notice> checkPositionEntry(std::string_view cleaned);

// What the range parse leaves: the first position, the last one when the entry names a
// range, and how many labels.
struct LabelRange {
    std::string start;
    std::optional<std::string> end;
    int count = 0;
    bool operator==(const LabelRange&) const = default;
};

// One or two characters are a single position; three to five are "a-b", "a-bb", "aa-bb"
// by length. Other lengths name no position (start empty, no labels). A start beyond the
// end gives the "Try again" notice.
std::variant<LabelRange, Notice> parseLabelRange(std::string_view cleaned);

// Checks, then the range parse, then the start must not exceed 30.
std::variant<LabelRange, Notice> readPositionEntry(std::string_view cleaned);

// The number value of a position text when it is a whole number from 1 to 30.
std::optional<int> sheetPosition(std::string_view text);

// The typed lines and options one label job prints.
struct LabelJob {
    std::array<std::string, kLabelLines> lines;
    bool portrait = true;
    bool centered = false;
    std::string startPosition;  // first position of the range
    int labelCount = 1;
    std::string leftPad;  // start column of the first label, before adjustment
    std::string topPad;   // lines above the first label, before adjustment
    Adjustment adjust;
};

// Where the job left the window's state: the position after the last label and the slot
// fields of the last label placed.
struct LabelJobEnd {
    std::string startPosition;
    std::string leftPad;
    std::string topPad;
};

// The paper a label job sets: letter, in the job's orientation.
PrintSetup labelJobPaper(const LabelJob& job);

// Prints one copy and ends its document. The listed-printer corrections follow the
// surface's device name.
LabelJobEnd printLabelJob(PrinterSurface& surface, const LabelJob& job);

}  // namespace qm
