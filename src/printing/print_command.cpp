#include "printing/print_command.h"

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

std::variant<PositionEntry, Notice> enterLabelPosition(const LabelStock& stock,
                                                       std::string_view answer) {
    PositionEntry entry;
    entry.positionRange = cleanPositionEntry(answer);
    auto read = readPositionEntry(stock, entry.positionRange);
    if (auto* failed = std::get_if<Notice>(&read)) {
        return *failed;
    }
    entry.range = std::get<LabelRange>(read);
    if (const auto position = sheetPosition(stock, entry.range.start)) {
        entry.slot = labelSlot(stock, *position, false);
    }
    entry.selectsLabelStock = entry.range.start != 0;
    return entry;
}

}  // namespace qm
