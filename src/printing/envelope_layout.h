#pragma once

// Envelopes of the typed lines: the seven sizes, where the address starts on each, and the
// envelope job of the Print command.

#include <array>
#include <optional>
#include <string>

#include "printing/label_stock.h"
#include "records/parameter_file.h"
#include "surface/print_plan.h"

namespace qm {

inline constexpr int kEnvelopeLines = 5;
inline constexpr const char* kLargeEnvelopeFont = "Trebuchet MS";
inline constexpr double kLargeEnvelopeFontSize = 14;
// The address keeps this far inside the envelope's right edge (half an inch).
inline constexpr double kEnvelopeMarginPoints = 36;

// The two slot columns of the envelope table for the sizes 1..7: one applies when a size is
// picked in the list, the other when Envelope is chosen again with a size already picked.
// Other numbers name no size.
std::optional<EnvelopeSlot> envelopeSlotPicked(int size);
std::optional<EnvelopeSlot> envelopeSlotReselected(int size);

// What one envelope prints: the window's lines and options, as plain values.
struct EnvelopeJob {
    std::array<std::string, kEnvelopeLines> lines;
    bool portrait = false;
    bool centered = false;
    bool bold = false;
    bool largeFont = false;
    EnvelopeSlot slot = kDefaultSlot;  // where the address starts, before adjustment
    int size = 0;                      // the envelope size 1..7, for its paper; 0: letter
};

// The slots count lines down a landscape letter page with the envelope along its bottom
// edge; on a page of pageHeight points those above the envelope's top edge, in lines of
// lineHeight.
int linesAboveEnvelope(double pageHeight, double lineHeight);

// Where the address lands once adjustment and corrections are applied.
struct EnvelopePlacement {
    int left = 0;
    int top = 0;
    bool operator==(const EnvelopePlacement&) const = default;
};
EnvelopePlacement envelopePlacement(const EnvelopeJob& job, Adjustment adjust, bool listedPrinter);

// The address on the envelope's own paper in the orientation chosen (the custom size:
// letter), moved by the envelope adjustment. Listed printers (by the surface's device name)
// sit two lines higher. The five address lines always share one page.
PrintPlan envelopePlan(const EnvelopeJob& job);

}  // namespace qm
