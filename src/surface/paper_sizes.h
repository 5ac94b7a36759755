#pragma once

// The papers a layout may set on a print surface (the PaperSize codes), portrait, in points.

#include <array>

#include "surface/printer_surface.h"

namespace qm {

inline constexpr double kPointsPerInch = 72.0;

struct PaperSize {
    int code = 0;
    double width = 0.0;
    double height = 0.0;
};

inline constexpr PaperSize kLetterPaper{kPaperLetter, 8.5 * kPointsPerInch, 11 * kPointsPerInch};
inline constexpr PaperSize kEnvelope10Paper{kPaperEnvelope10, 4.125 * kPointsPerInch,
                                            9.5 * kPointsPerInch};
inline constexpr std::array kPapers = {kLetterPaper, kEnvelope10Paper};

// The paper of a code; nothing for a code no paper has.
const PaperSize* paperSize(int code);

}  // namespace qm
