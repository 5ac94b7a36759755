#include "records/text_rules.h"

#include <gtest/gtest.h>

#include "records/code_page.h"
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

// Positions, counts and widths are in characters, whatever their UTF-8 length: "Łódź"
// (4 letters, 7 bytes) and "Σπάρτη" (6 letters, 12 bytes).
TEST(TextPieces, CountLettersBeyondAsciiAsOneCharacterEach) {
    const std::string lodz =
        "\xC5\x81\xC3\xB3"
        "d\xC5\xBA";
    const std::string sparta = "\xCE\xA3\xCF\x80\xCE\xAC\xCF\x81\xCF\x84\xCE\xB7";
    EXPECT_EQ(characterCount(lodz), 4u);
    EXPECT_EQ(characterCount(sparta), 6u);
    EXPECT_EQ(leftOf(lodz, 2), "\xC5\x81\xC3\xB3");
    EXPECT_EQ(rightOf(lodz, 1), "\xC5\xBA");
    EXPECT_EQ(midOf(sparta, 2, 2), "\xCF\x80\xCE\xAC");
    EXPECT_EQ(midOf(lodz, 5), "");
    EXPECT_EQ(findFrom(lodz + ", " + sparta, ","), 5);
    EXPECT_EQ(findFrom(sparta + " " + sparta, sparta, 2), 8);
    EXPECT_EQ(characterAt(lodz, 3), U'\u017A');
    EXPECT_EQ(characterAt(lodz, 4), U'\0');
    EXPECT_EQ(fitWidth(lodz, 6), lodz + "  ");
    EXPECT_EQ(fitWidth(sparta, 3), "\xCE\xA3\xCF\x80\xCE\xAC");
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
    // Written as the code page's bytes, compared as the UTF-8 the core holds.
    const auto cp = [](std::string_view bytes) { return cp1252ToUtf8(bytes); };
    EXPECT_EQ(toUpper(cp("abc\xE9\xFF")), cp("ABC\xC9\x9F"));
    EXPECT_EQ(toLower(cp("ABC\xC9\x8A")), cp("abc\xE9\x9A"));
    // The multiplication and division signs are not letters.
    EXPECT_EQ(toUpper(cp("\xF7")), cp("\xF7"));
    EXPECT_EQ(toLower(cp("\xD7")), cp("\xD7"));
    EXPECT_TRUE(containsNoCase("Bossier City", "bos"));
    EXPECT_TRUE(containsNoCase(cp("M\xDCLLER"), cp("m\xFC")));
    EXPECT_EQ(compareNoCase("anna", "Bob"), -1);
    EXPECT_EQ(compareNoCase("ABC", "abc"), 0);
    EXPECT_EQ(compareNoCase("ab", "abc"), -1);
    // The code page's order: its letters by their lower-case bytes, "\x9A" (s caron)
    // before "\xE9" (e acute) before "\xFF" (y diaeresis).
    EXPECT_LT(compareNoCase(cp("\x8A"), cp("\xC9")), 0);
    EXPECT_LT(compareNoCase(cp("\xC9"), cp("\x9F")), 0);
    EXPECT_EQ(compareNoCase(cp("\x9F"), cp("\xFF")), 0);
}

// Letters beyond the code page: Unicode's simple case mapping, one letter for one; they sort
// after every letter of the code page.
TEST(CaseFolding, LettersBeyondTheCodePageFoldByUnicode) {
    const std::string lukasz = "\xC5\x81ukasz";     // Łukasz
    const std::string sigma = "\xCE\xA3\xCE\xA9";   // ΣΩ
    const std::string zhenya = "\xD0\x96\xD0\xB5";  // Же
    EXPECT_EQ(toLower(lukasz), "\xC5\x82ukasz");
    EXPECT_EQ(toUpper("\xCF\x83\xCF\x89"), sigma);
    EXPECT_EQ(toUpper(zhenya), "\xD0\x96\xD0\x95");
    EXPECT_TRUE(containsNoCase("Pan " + lukasz, "\xC5\x82uk"));
    EXPECT_EQ(compareNoCase(sigma, "\xCF\x83\xCF\x89"), 0);
    EXPECT_GT(compareNoCase(lukasz, "Zzz"), 0);
    EXPECT_GT(compareNoCase(lukasz, "\xC3\xBF"), 0);  // after y diaeresis
    EXPECT_LT(compareNoCase(lukasz, zhenya), 0);
    EXPECT_LT(compareNoCase("Ann", "Ann" + lukasz), 0);
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
