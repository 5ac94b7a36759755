#include "printing/margins.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(MarginAnswer, LengthIsCheckedBeforeNumberAndEachAxisHasItsOwnHint) {
    struct Case {
        std::string answer;
        MarginAxis axis;
        std::string text;  // empty: accepted
    };
    const Case cases[] = {
        {"-1", MarginAxis::LeftRight, ""},
        {"1.5", MarginAxis::LeftRight, ""},
        {"999", MarginAxis::DownUp, ""},
        {" 5", MarginAxis::DownUp, ""},
        {"1000", MarginAxis::LeftRight, "Number too high."},
        {"abcd", MarginAxis::DownUp, "Number too high."},
        {"abc", MarginAxis::LeftRight, "Enter no. of characters to move right or left."},
        {"--1", MarginAxis::LeftRight, "Enter no. of characters to move right or left."},
        {"x", MarginAxis::DownUp, "Enter no. of characters to move down or up."},
        {"   ", MarginAxis::DownUp, "Enter no. of characters to move down or up."},
    };
    for (const Case& c : cases) {
        const auto failed = checkMarginAnswer(c.answer, c.axis);
        if (c.text.empty()) {
            EXPECT_FALSE(failed) << c.answer;
        } else {
            ASSERT_TRUE(failed) << c.answer;
            EXPECT_EQ(failed->title, "Non-valid entry");
            EXPECT_EQ(failed->text, c.text);
            EXPECT_EQ(failed->icon, NoticeIcon::None);
        }
    }
}

TEST(MarginExplanation, EachSectionNamesWhatMovesAndOnlyEnvelopesWarnAboutSideways) {
    EXPECT_EQ(marginExplanation("ONTHEFLY", MarginAxis::LeftRight),
              "In the next box, enter a positive or negative number indicating how many "
              "characters to the right or left you want to move the print for an on-the-fly "
              "label.  Example: -1 to move printing one character to left, -2 to move printing "
              "two characters to left, 1 to move printing one character to right, etc.");
    EXPECT_EQ(marginExplanation("BULKLIST", MarginAxis::LeftRight),
              "In the next box, enter a positive or negative number indicating how many "
              "characters to the right or left you want to move the print for Search-result "
              "labels (labels found via 'Search Contacts').  Example: -1 to move printing one "
              "character to left, -2 to move printing two characters to left, 1 to move "
              "printing one character to right, etc.");
    EXPECT_EQ(marginExplanation("ENVELOPE", MarginAxis::LeftRight),
              "In the next box, enter a positive or negative number indicating how many "
              "characters to the right or left you want to move the print for an envelope.  "
              "Example: -1 to move printing one character to left, -2 to move printing two "
              "characters to left, 1 to move printing one character to right, etc. Note: some "
              "printers print envelopes sideways, which may cause left and top margins to be "
              "reversed.  If you find that to be the case, simply reverse them here "
              "accordingly.");
    const std::string rows =
        "  Example: -1 to move printing one row higher, -2 to move printing two rows higher, 1 "
        "to move printing one row lower, etc.";
    const std::string start =
        "In the next box, enter a positive or negative number indicating how many rows down or "
        "up you want to move the print for ";
    EXPECT_EQ(marginExplanation("ONTHEFLY", MarginAxis::DownUp),
              start + "an on-the-fly label." + rows);
    EXPECT_EQ(marginExplanation("BULKLIST", MarginAxis::DownUp),
              start + "Search-result labels." + rows);
    EXPECT_EQ(marginExplanation("ENVELOPE", MarginAxis::DownUp), start + "an envelope." + rows);
}

}  // namespace
}  // namespace qm
