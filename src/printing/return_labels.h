#pragma once

// The 80-up return-address sheet (4 across, 20 down): every label carries the first three
// typed lines, in Courier New 8.

#include <array>
#include <optional>
#include <string>

#include "records/notice.h"
#include "surface/printer_surface.h"

namespace qm {

inline constexpr int kReturnLabelRows = 20;
inline constexpr int kReturnLabelLines = 3;
inline constexpr std::array<int, 4> kReturnLabelColumns = {3, 34, 65, 96};
inline constexpr int kReturnLabelHalfWidth = 12;
inline constexpr double kReturnLabelFontSize = 8;
inline constexpr int kReturnLabelTopLines = 5;

// Why the typed lines cannot go on the sheet, in the order the command checks.
enum class ReturnLabelProblem { NoLines, TooManyLines };

struct ReturnLabelCheck {
    ReturnLabelProblem problem;
    Notice notice;
};

// Lines 1..3 all empty, or line 4 or 5 in use; nothing when the sheet can print. A line of
// blanks counts as typed.
std::optional<ReturnLabelCheck> checkReturnLabelLines(const std::array<std::string, 5>& lines);

// Whether an extra empty line follows a row (1..20); it keeps the rows on the stock's
// half-inch pitch.
bool extraLineAfterReturnLabelRow(int row);

// One sheet of the three lines, without ending the document.
void printReturnLabelSheet(PrinterSurface& surface,
                           const std::array<std::string, kReturnLabelLines>& lines, bool centered);

// The whole job: Courier New 8 portrait, one sheet and one document per copy.
void printReturnLabelJob(PrinterSurface& surface,
                         const std::array<std::string, kReturnLabelLines>& lines, bool centered,
                         int copies);

}  // namespace qm
