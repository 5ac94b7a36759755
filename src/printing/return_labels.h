#pragma once

// The return-address sheet: every label of the stock carries the first three typed lines,
// in the print font of the stock's size.

#include <array>
#include <optional>
#include <string>

#include "records/notice.h"
#include "surface/print_plan.h"

namespace qm {

struct LabelStock;

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

// A sheet of the three lines per copy, portrait on the stock's paper: each row anchored on
// its labels, moved by the return-label adjustment (columns and lines of the stock's font).
PrintPlan returnLabelsPlan(const LabelStock& stock,
                           const std::array<std::string, kReturnLabelLines>& lines, bool centered);

}  // namespace qm
