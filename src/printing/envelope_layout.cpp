#include "printing/envelope_layout.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "printing/print_rules.h"
#include "records/text_rules.h"
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

double bodySize(const EnvelopeJob& job) {
    if (job.largeFont) {
        return kLargeEnvelopeFontSize;
    }
    return job.portrait ? 10 : 12;
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

EnvelopePlacement envelopePlacement(const EnvelopeJob& job, bool listedPrinter) {
    EnvelopePlacement at{cint(numberValue(job.leftPad) + job.adjustLeft, true),
                         cint(numberValue(job.topPad) + job.adjustTop, true)};
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

PrintSetup envelopeJobPaper(const EnvelopeJob& job) {
    const EnvelopeSize* size = envelopeSize(job.size);
    return {size != nullptr ? size->paper : kPaperLetter, job.portrait ? kPortrait : kLandscape};
}

int linesAboveEnvelope(double pageHeight, double lineHeight) {
    const double above = kLetterPaper.width - pageHeight;
    return above > 0 ? static_cast<int>(std::lround(above / lineHeight)) : 0;
}

void printEnvelopeJob(PrinterSurface& surface, const EnvelopeJob& job) {
    const bool listed = isListedPrinter(surface.deviceName());
    const PrintSetup paper = envelopeJobPaper(job);
    const EnvelopeSize* size = envelopeSize(job.size);
    const bool ownPaper = size != nullptr && size->hasPhysicalSize();
    surface.setOrientation(paper.orientation);
    surface.setFontSize(job.portrait ? 10 : 12);
    // An envelope of no known size goes on number-10 paper on the listed printers, as
    // they have always fed it; the slots' line counts already allow for that page.
    surface.setPaperSize(!ownPaper && listed ? kPaperEnvelope10 : paper.paper);
    if (ownPaper) {
        surface.setBackdrop(
            {PaperRect{0, 0, surface.pageWidthPoints(), surface.pageHeightPoints()}});
    }
    surface.printLine();

    surface.setFont("Courier New");
    surface.setFontBold(job.bold);
    if (job.largeFont) {
        surface.setFont(kLargeEnvelopeFont);
        surface.setFontSize(kLargeEnvelopeFontSize);
    }
    surface.setFontItalic(job.largeFont);

    const EnvelopePlacement at = envelopePlacement(job, listed);
    // The slots count lines down a letter page in landscape, the envelope lying along its
    // bottom edge: on a shorter page (the envelope's own) the lines above the envelope go.
    const int skipped =
        job.portrait || !ownPaper
            ? 0
            : linesAboveEnvelope(surface.pageHeightPoints(), lineHeightPoints(bodySize(job)));
    printLinesAboveAddress(surface, std::max(0, at.top - skipped));
    printAddressLines(surface, job.lines, at.left, job.centered, kEnvelopeCenterHalfWidth);
    surface.endDoc();
}

}  // namespace qm
