#include "printing/margins.h"

#include "records/parameter_file.h"
#include "records/text_rules.h"

namespace qm {

namespace {

constexpr std::string_view kLeftExample =
    "  Example: -1 to move printing one character to left, -2 to move printing two characters "
    "to left, 1 to move printing one character to right, etc.";
constexpr std::string_view kTopExample =
    "  Example: -1 to move printing one row higher, -2 to move printing two rows higher, 1 to "
    "move printing one row lower, etc.";

std::string leftExplanation(std::string_view section) {
    std::string text =
        "In the next box, enter a positive or negative number indicating how many characters "
        "to the right or left you want to move the print for ";
    if (section == kSectionBulkList) {
        text += "Search-result labels (labels found via 'Search Contacts').";
    } else if (section == kSectionEnvelope) {
        text += "an envelope.";
    } else {
        text += "an on-the-fly label.";
    }
    text += kLeftExample;
    if (section == kSectionEnvelope) {
        text +=
            " Note: some printers print envelopes sideways, which may cause left and top margins "
            "to be reversed.  If you find that to be the case, simply reverse them here "
            "accordingly.";
    }
    return text;
}

std::string topExplanation(std::string_view section) {
    std::string text =
        "In the next box, enter a positive or negative number indicating how many rows down or "
        "up you want to move the print for ";
    if (section == kSectionBulkList) {
        text += "Search-result labels.";
    } else if (section == kSectionEnvelope) {
        text += "an envelope.";
    } else {
        text += "an on-the-fly label.";
    }
    text += kTopExample;
    return text;
}

}  // namespace

std::string marginExplanation(std::string_view section, MarginAxis axis) {
    return axis == MarginAxis::LeftRight ? leftExplanation(section) : topExplanation(section);
}

std::string marginQuestionTitle(MarginAxis axis) {
    return axis == MarginAxis::LeftRight ? "How many characters right or left?"
                                         : "How many characters down or up?";
}

std::string marginQuestionPrompt(MarginAxis axis) {
    return axis == MarginAxis::LeftRight
               ? "Enter number of characters, positive or negative, to move right or left, "
                 "respectively:"
               : "Enter number of characters, positive or negative, to move down or up, "
                 "respectively:";
}

std::optional<Notice> checkMarginAnswer(std::string_view answer, MarginAxis axis) {
    if (characterCount(answer) > 3) {
        return Notice{"Non-valid entry", "Number too high.", NoticeIcon::None};
    }
    if (!isNumeric(answer)) {
        return Notice{"Non-valid entry",
                      axis == MarginAxis::LeftRight
                          ? "Enter no. of characters to move right or left."
                          : "Enter no. of characters to move down or up.",
                      NoticeIcon::None};
    }
    return std::nullopt;
}

}  // namespace qm
