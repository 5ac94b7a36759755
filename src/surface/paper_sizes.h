#pragma once

// The papers a layout may set on a print surface (the PaperSize codes), portrait, in points.

#include <array>
#include <string_view>

#include "surface/printer_surface.h"

namespace qm {

inline constexpr double kPointsPerInch = 72.0;
inline constexpr double kPointsPerMillimetre = kPointsPerInch / 25.4;

struct PaperSize {
    int code = 0;
    double width = 0.0;
    double height = 0.0;
    std::string_view name;  // as a print dialog lists it
};

constexpr PaperSize metricPaper(int code, double widthMm, double heightMm, std::string_view name) {
    return {code, widthMm * kPointsPerMillimetre, heightMm * kPointsPerMillimetre, name};
}

inline constexpr PaperSize kLetterPaper{kPaperLetter, 8.5 * kPointsPerInch, 11 * kPointsPerInch,
                                        "Letter"};
inline constexpr PaperSize kA4Paper = metricPaper(kPaperA4, 210, 297, "A4");
inline constexpr PaperSize kEnvelope10Paper{kPaperEnvelope10, 4.125 * kPointsPerInch,
                                            9.5 * kPointsPerInch, "Envelope #10"};
inline constexpr PaperSize kEnvelope634Paper{kPaperEnvelope634, 261, 468, "Envelope #6 3/4"};
inline constexpr PaperSize kEnvelopeA2Paper{kPaperEnvelopeA2, 315, 414, "Envelope A2"};
inline constexpr PaperSize kEnvelopeA7Paper{kPaperEnvelopeA7, 378, 522, "Envelope A7"};
inline constexpr PaperSize kEnvelopeA8Paper{kPaperEnvelopeA8, 396, 585, "Envelope A8"};
inline constexpr PaperSize kEnvelopeA10Paper{kPaperEnvelopeA10, 432, 684, "Envelope A10"};
inline constexpr PaperSize kEnvelopeDLPaper =
    metricPaper(kPaperEnvelopeDL, 110, 220, "Envelope DL");
inline constexpr PaperSize kEnvelopeC6Paper =
    metricPaper(kPaperEnvelopeC6, 114, 162, "Envelope C6");
inline constexpr PaperSize kEnvelopeC5Paper =
    metricPaper(kPaperEnvelopeC5, 162, 229, "Envelope C5");
inline constexpr PaperSize kEnvelopeC4Paper =
    metricPaper(kPaperEnvelopeC4, 229, 324, "Envelope C4");
inline constexpr std::array kPapers = {
    kLetterPaper,     kA4Paper,         kEnvelope10Paper, kEnvelope634Paper,
    kEnvelopeA2Paper, kEnvelopeA7Paper, kEnvelopeA8Paper, kEnvelopeA10Paper,
    kEnvelopeDLPaper, kEnvelopeC6Paper, kEnvelopeC5Paper, kEnvelopeC4Paper,
};

// The paper of a code; nothing for a code no paper has.
const PaperSize* paperSize(int code);

// The paper of a sheet of that size (portrait, in points): a paper of the table when one is
// within half a point of it, else one kept for the rest of the run under a code of its own
// (from kFirstStockPaper), named as given. The same size always gives the same code.
int paperOfSize(double width, double height, std::string_view name);

}  // namespace qm
