#include "records/text_rules.h"

#include <gtest/gtest.h>

#include "records/error.h"

namespace qm {
namespace {

TEST(NumberValue, ReadsTheLeadingNumberOnly) {
    EXPECT_EQ(numberValue("5"), 5);
    EXPECT_EQ(numberValue("  -2 "), -2);
    EXPECT_EQ(numberValue("+3.5abc"), 3.5);
    EXPECT_EQ(numberValue("555-1234"), 555);
    EXPECT_EQ(numberValue("1-800-555-0100"), 1);
    EXPECT_EQ(numberValue(".5"), 0.5);
    EXPECT_EQ(numberValue("-"), 0);
    EXPECT_EQ(numberValue(""), 0);
    EXPECT_EQ(numberValue("(555) 123"), 0);
    EXPECT_EQ(numberValue("abc"), 0);
    EXPECT_EQ(numberValue("000-1"), 0);
}

TEST(Cint, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(cint(12.5), 12);
    EXPECT_EQ(cint(13.5), 14);
    EXPECT_EQ(cint(-2.5), -2);
    EXPECT_EQ(cint(10.5), 10);
    EXPECT_EQ(cint(1.5), 2);
    EXPECT_EQ(cint(2.4999), 2);
    EXPECT_EQ(cint(-0.4), 0);
}

TEST(Cint, SixteenBitOverflowIsAnError) {
    EXPECT_EQ(cint(32767, true), 32767);
    try {
        cint(40000, true);
        FAIL() << "no overflow reported";
    } catch (const QmError& e) {
        EXPECT_EQ(e.number(), err::kOverflow);
    }
}

TEST(IsNumeric, AcceptsWholeNumbersWithBlanksAndSigns) {
    EXPECT_TRUE(isNumeric("1.5"));
    EXPECT_TRUE(isNumeric(" -2 "));
    EXPECT_TRUE(isNumeric("+7"));
    EXPECT_TRUE(isNumeric("1e3"));
    EXPECT_FALSE(isNumeric(""));
    EXPECT_FALSE(isNumeric("   "));
    EXPECT_FALSE(isNumeric("abc"));
    EXPECT_FALSE(isNumeric("1a"));
    EXPECT_FALSE(isNumeric("-"));
    EXPECT_FALSE(isNumeric("1 2"));
}

TEST(TextPieces, TakeCharactersByPosition) {
    EXPECT_EQ(leftOf("abcdef", 3), "abc");
    EXPECT_EQ(leftOf("ab", 5), "ab");
    EXPECT_EQ(leftOf("ab", -1), "");
    EXPECT_EQ(rightOf("abcdef", 2), "ef");
    EXPECT_EQ(rightOf("ab", 5), "ab");
    EXPECT_EQ(midOf("abcdef", 2, 3), "bcd");
    EXPECT_EQ(midOf("abcdef", 5), "ef");
    EXPECT_EQ(midOf("abc", 9, 1), "");
    EXPECT_EQ(findFrom("a,b,c", ",", 3), 4);
    EXPECT_EQ(findFrom("a,b,c", ";"), 0);
    EXPECT_EQ(findFromNoCase("123 Main STREET", " street"), 9);
}

TEST(Trim, RemovesBlanksOnly) {
    EXPECT_EQ(trim("  a b  "), "a b");
    EXPECT_EQ(trimLeft("  a "), "a ");
    EXPECT_EQ(trimRight("  a "), "  a");
    EXPECT_EQ(trim("\ta\t"), "\ta\t");
    EXPECT_EQ(trim("    "), "");
    // Padding of every length around whole words of eight, as stored fields hold it.
    for (std::size_t pad = 0; pad <= 17; ++pad) {
        const std::string blanks(pad, ' ');
        EXPECT_EQ(trimmedView(blanks), "") << pad;
        EXPECT_EQ(trimmedView("Main St " + blanks), "Main St") << pad;
        EXPECT_EQ(trimmedView(blanks + "x  y" + blanks), "x  y") << pad;
    }
}

TEST(CaseFolding, CoversTheAccentedLettersOfTheCodePage) {
    EXPECT_EQ(toUpper("abc\xE9\xFF"), "ABC\xC9\x9F");
    EXPECT_EQ(toLower("ABC\xC9\x8A"), "abc\xE9\x9A");
    // The multiplication and division signs are not letters.
    EXPECT_EQ(toUpper("\xF7"), "\xF7");
    EXPECT_EQ(toLower("\xD7"), "\xD7");
    EXPECT_TRUE(containsNoCase("Bossier City", "bos"));
    EXPECT_TRUE(containsNoCase("M\xDCLLER", "m\xFC"));
    EXPECT_EQ(compareNoCase("anna", "Bob"), -1);
    EXPECT_EQ(compareNoCase("ABC", "abc"), 0);
    EXPECT_EQ(compareNoCase("ab", "abc"), -1);
}

TEST(Replace, ReplacesEveryOccurrence) {
    EXPECT_EQ(replaceAll("a  b  c", "  ", " "), "a b c");
    EXPECT_EQ(removeAll("U,S,A", ","), "USA");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
}

TEST(CommonError, BuildsTheMessage) {
    EXPECT_EQ(commonErrorText(53, "File not found"),
              "An error has occurred. Error number 53 -- File not found.  Try again, or notify "
              "author.");
}

}  // namespace
}  // namespace qm
