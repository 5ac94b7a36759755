#include "printing/envelope_layout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "printing/print_rules.h"
#include "surface/text_grid_surface.h"

namespace qm {

namespace {

// The empty lines above the address. Counting them may run past the bottom of an envelope
// page (33 lines of 12 point do on number-10 paper), and the surface then starts a new
// page; the address must not be split across two envelopes by that, so where the count
// leaves it fewer than five lines it rises to end on the page's last line.
void printLinesAboveAddress(PrinterSurface& surface, int count) {
    for (;;) {
        const int left = surface.linesLeftOnPage();
        if (left <= 0) {
            surface.printEmptyLines(count);
            return;
        }
        if (count > left) {
            surface.printEmptyLines(left);
            count -= left;
            continue;
        }
        const int forAddress = left - count;
        if (forAddress > 0 && forAddress < kEnvelopeLines) {
            // A page too short for the address at all: it starts on the next one.
            count = left >= kEnvelopeLines ? left - kEnvelopeLines : left;
        }
        surface.printEmptyLines(count);
        return;
    }
}

// The envelope's own paper in the orientation chosen; the custom size's is letter.
PrintSetup envelopeJobPaper(const EnvelopeJob& job) {
    const EnvelopeSize* size = envelopeSize(job.size);
    return {size != nullptr ? size->paper : kPaperLetter, job.portrait ? kPortrait : kLandscape};
}

bool hasOwnPaper(const EnvelopeJob& job) {
    const EnvelopeSize* size = envelopeSize(job.size);
    return size != nullptr && size->hasPhysicalSize();
}

PrintFont addressFont(const EnvelopeJob& job) {
    if (job.largeFont) {
        return {kLargeEnvelopeFont, kLargeEnvelopeFontSize, job.bold, true};
    }
    return {kPrintFont, job.portrait ? 10.0 : 12.0, job.bold, false};
}

// The address's lines end half an inch inside the envelope's right edge; the adjustment moves
// the paper's feed, not the room. The slots are laid out for an envelope lying across the page:
// standing (portrait), its address area is unknown and the lines stay whole.
LineRoom addressRoom(const EnvelopeJob& job, double pageWidth, int startColumn,
                     const PrintFont& font) {
    constexpr double kUnbounded = 1e6;
    const double start = kPaperSideMarginPoints + (startColumn - 1) * columnWidthPoints(font.size);
    const double room = job.portrait ? kUnbounded : pageWidth - kEnvelopeMarginPoints - start;
    return {std::max(0.0, room), font.size, job.centered, kEnvelopeCenterHalfWidth};
}

void printEnvelopeCopy(PrinterSurface& surface, const EnvelopeJob& job, Adjustment adjust) {
    const bool listed = isListedPrinter(surface.deviceName());
    const bool ownPaper = hasOwnPaper(job);
    // An envelope of no known size goes on number-10 paper on the listed printers, as
    // they have always fed it; the slots' line counts already allow for that page.
    if (!ownPaper && listed) {
        surface.setPaperSize(kPaperEnvelope10);
    }
    surface.printLine();
    const PrintFont font = addressFont(job);
    if (job.largeFont) {
        surface.setFont(font.name);
        surface.setFontSize(font.size);
        surface.setFontItalic(font.italic);
    }

    const EnvelopePlacement at = envelopePlacement(job, adjust, listed);
    // The slots count lines down a letter page in landscape, the envelope lying along its
    // bottom edge: on a shorter page (the envelope's own) the lines above the envelope go.
    const int skipped = job.portrait || !ownPaper ? 0
                                                  : linesAboveEnvelope(surface.pageHeightPoints(),
                                                                       lineHeightPoints(font.size));
    printLinesAboveAddress(surface, std::max(0, at.top - skipped));
    if (printAddressLines(
            surface, job.lines, at.left,
            addressRoom(job, surface.pageWidthPoints(), at.left - adjust.left, font))) {
        surface.noteCutLabel({0, "the envelope"});
    }
}

}  // namespace

std::optional<EnvelopeSlot> envelopeSlotPicked(int size) {
    const EnvelopeSize* row = envelopeSize(size);
    return row != nullptr ? std::optional(row->picked) : std::nullopt;
}

std::optional<EnvelopeSlot> envelopeSlotReselected(int size) {
    const EnvelopeSize* row = envelopeSize(size);
    return row != nullptr ? std::optional(row->reselected) : std::nullopt;
}

EnvelopePlacement envelopePlacement(const EnvelopeJob& job, Adjustment adjust, bool listedPrinter) {
    EnvelopePlacement at{job.slot.startColumn + adjust.left, job.slot.topLines + adjust.top};
    // Bold and the larger font sit higher on the envelope; listed printers feed lower.
    if (job.bold) {
        at.top -= 1;
    }
    if (job.largeFont) {
        at.left += 4;
        at.top -= 8;
    }
    if (listedPrinter) {
        at.top -= 2;
    }
    return at;
}

int linesAboveEnvelope(double pageHeight, double lineHeight) {
    const double above = kLetterPaper.width - pageHeight;
    return above > 0 ? static_cast<int>(std::lround(above / lineHeight)) : 0;
}

PrintPlan envelopePlan(const EnvelopeJob& job) {
    PrintPlan plan;
    plan.paper = envelopeJobPaper(job);
    if (hasOwnPaper(job)) {
        plan.backdrop = {PaperRect{0, 0, paperWidthPoints(plan.paper.orientation, plan.paper.paper),
                                   paperHeightPoints(plan.paper.orientation, plan.paper.paper)}};
    }
    // The first line is printed in the body font, whatever the address is printed in.
    plan.fonts = {PrintFont{kPrintFont, job.portrait ? 10.0 : 12.0, job.bold, false}};
    if (job.largeFont) {
        plan.fonts.push_back(addressFont(job));
    }
    plan.adjustment = kSectionEnvelope;
    plan.draw = [job](PrinterSurface& surface, Adjustment adjust) {
        printEnvelopeCopy(surface, job, adjust);
    };
    return plan;
}

}  // namespace qm
