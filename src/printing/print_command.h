#pragma once

// The main window's Print command and label-position entry as plain steps, so the window
// and the command line run the same sequence: the checks in their order and the position
// entry. The jobs themselves are plans (labelsPlan, envelopePlan).

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "printing/label_sheet.h"
#include "records/notice.h"

namespace qm {

// What the Print command's checks look at.
struct PrintChoices {
    std::array<std::string, kLabelLines> lines;
    bool labelStock = false;
    bool envelope = false;
    std::string envelopeSize = "0";  // the size number as text, "0" when none is chosen
    bool alignmentChosen = true;
};

// Lines, medium, envelope size, alignment: the first check that fails.
std::optional<Notice> checkPrintCommand(const PrintChoices& choices);

// A position entry that was taken.
struct PositionEntry {
    std::string positionRange;  // the cleaned entry
    LabelRange range;
    // The plain slot of the first position (no printer test), when it lies on the sheet.
    std::optional<LabelSlot> slot;
    // A start whose number value is 0 (empty, cancelled, not a number) selects no medium.
    bool selectsLabelStock = false;
};

// Cleans the answer, runs the entry checks and the range parse, for a sheet of the stock.
std::variant<PositionEntry, Notice> enterLabelPosition(const LabelStock& stock,
                                                       std::string_view answer);

}  // namespace qm
