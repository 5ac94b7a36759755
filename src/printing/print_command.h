#pragma once

// The main window's Print command and label-position entry as plain steps, so the window
// and the command line run the same sequence: the checks in their order, the position
// entry, and every copy of a label or envelope job.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "printing/envelope_layout.h"
#include "printing/label_sheet.h"
#include "records/notice.h"
#include "surface/printer_surface.h"

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
    // The plain slot of the first position (no printer test), when it is one of 1..30.
    std::optional<LabelSlot> slot;
    // A start whose number value is 0 (empty, cancelled, not a number) selects no medium.
    bool selectsLabelStock = false;
};

// Cleans the answer, runs the entry checks and the range parse.
std::variant<PositionEntry, Notice> enterLabelPosition(std::string_view answer);

// Every copy of a label job, each its own document, each from the range's first position;
// then the end of the job.
// With slotFromPrinter the first position's slot is taken again with the printer test of
// the surface's device name (as Print does after reading the range again). Returns where
// the last copy left the window's state.
LabelJobEnd printLabelCopies(PrinterSurface& surface, LabelJob job, bool slotFromPrinter,
                             int copies);

// Every copy of an envelope job, each its own document; then the end of the job.
void printEnvelopeCopies(PrinterSurface& surface, const EnvelopeJob& job, int copies);

}  // namespace qm
