#include "printing/print_command.h"

#include "printing/print_rules.h"
#include "records/text_rules.h"

namespace qm {

std::optional<Notice> checkPrintCommand(const PrintChoices& c) {
    bool anyText = false;
    for (const std::string& line : c.lines) {
        anyText = anyText || !line.empty();
    }
    if (!anyText) {
        return Notice{"Missing Data", "No information entered", NoticeIcon::Exclamation};
    }
    if (!c.labelStock && !c.envelope) {
        return Notice{"Media Selection", "Select Label stock or Envelope", NoticeIcon::Exclamation};
    }
    if (c.envelope && numberValue(c.envelopeSize) == 0) {
        return Notice{"Envelope Size", "Select Envelope size", NoticeIcon::Exclamation};
    }
    if (!c.alignmentChosen) {
        return Notice{"Text Alignment", "Select Left-Justified or Centered",
                      NoticeIcon::Exclamation};
    }
    return std::nullopt;
}

std::variant<PositionEntry, Notice> enterLabelPosition(std::string_view answer) {
    PositionEntry entry;
    entry.positionRange = cleanPositionEntry(answer);
    auto read = readPositionEntry(entry.positionRange);
    if (auto* failed = std::get_if<Notice>(&read)) {
        return *failed;
    }
    entry.range = std::get<LabelRange>(read);
    if (const auto position = sheetPosition(entry.range.start)) {
        entry.slot = labelSlot(*position, false);
    }
    entry.selectsLabelStock = numberValue(entry.range.start) != 0;
    return entry;
}

LabelJobEnd printLabelCopies(PrinterSurface& surface, LabelJob job, bool slotFromPrinter,
                             int copies) {
    // The first label's slot needs the chosen printer's name.
    if (const auto position = sheetPosition(job.startPosition); slotFromPrinter && position) {
        const LabelSlot slot = labelSlot(*position, isListedPrinter(surface.deviceName()));
        job.leftPad = std::to_string(slot.startColumn);
        job.topPad = std::to_string(slot.topLines);
    }
    LabelJobEnd end{job.startPosition, job.leftPad, job.topPad};
    for (int copy = 0; copy < copies; ++copy) {
        end = printLabelJob(surface, job);
    }
    surface.endJob();
    return end;
}

void printEnvelopeCopies(PrinterSurface& surface, const EnvelopeJob& job, int copies) {
    for (int copy = 0; copy < copies; ++copy) {
        printEnvelopeJob(surface, job);
    }
    surface.endJob();
}

}  // namespace qm
