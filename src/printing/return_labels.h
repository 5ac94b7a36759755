#pragma once

// The 80-up return-address sheet of the stock table: every label carries the first three
// typed lines, in Courier New of the stock's size.

#include <array>
#include <optional>
#include <string>

#include "records/notice.h"
#include "records/parameter_file.h"
#include "surface/printer_surface.h"

namespace qm {

inline constexpr int kReturnLabelLines = 3;

// Why the typed lines cannot go on the sheet, in the order the command checks.
enum class ReturnLabelProblem { NoLines, TooManyLines };

struct ReturnLabelCheck {
    ReturnLabelProblem problem;
    Notice notice;
};

// Lines 1..3 all empty, or line 4 or 5 in use; nothing when the sheet can print. A line of
// blanks counts as typed.
std::optional<ReturnLabelCheck> checkReturnLabelLines(const std::array<std::string, 5>& lines);

// The paper of the sheet: letter, portrait.
PrintSetup returnLabelPaper();

// One sheet of the three lines, without ending the document: each row of the stock's layout
// anchored on its labels, moved by the return-label adjustment (columns and 8-point lines).
void printReturnLabelSheet(PrinterSurface& surface,
                           const std::array<std::string, kReturnLabelLines>& lines, bool centered,
                           Adjustment adjust = {});

// The whole job: portrait letter, one sheet and one document per copy.
void printReturnLabelJob(PrinterSurface& surface,
                         const std::array<std::string, kReturnLabelLines>& lines, bool centered,
                         int copies, Adjustment adjust = {});

}  // namespace qm
