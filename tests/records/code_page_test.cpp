#include "records/code_page.h"
#include "records/code_page_fold.h"
#include "records/text_rules.h"

#include <gtest/gtest.h>

namespace qm {
namespace {

TEST(CodePage, RoundTripsEveryByteThroughUtf8) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        all += static_cast<char>(b);
    }
    EXPECT_EQ(utf8ToCp1252(cp1252ToUtf8(all)), all);
}

TEST(CodePage, MapsTheHighRangeAndMarksWhatItCannotHold) {
    EXPECT_EQ(cp1252ToUtf8("\x80"), "\xE2\x82\xAC");  // euro sign
    EXPECT_EQ(utf8ToCp1252("M\xC3\xBCller \xE2\x80\x93 x"), "M\xFCller \x96 x");
    EXPECT_EQ(utf8ToCp1252("\xE4\xB8\xAD"), "?");        // a CJK character
    EXPECT_EQ(utf8ToCp1252("\xF0\x9F\x98\x80!"), "?!");  // outside the BMP
    EXPECT_EQ(utf8ToCp1252("a\xC3"), "a?");              // cut sequence
}

TEST(TextFileToUtf8, RecognisesByteOrderMarksAndUtf8) {
    EXPECT_EQ(textFileToUtf8("\xEF\xBB\xBFJos\xC3\xA9"), "Jos\xC3\xA9");
    EXPECT_EQ(textFileToUtf8(std::string("\xFF\xFEJ\0o\0\xE9\0", 8)), "Jo\xC3\xA9");
    EXPECT_EQ(textFileToUtf8(std::string("\xFE\xFF\0J\0o\0\xE9", 8)), "Jo\xC3\xA9");
    EXPECT_EQ(textFileToUtf8("Jos\xC3\xA9"), "Jos\xC3\xA9");
    // Not valid UTF-8: taken as the code page.
    EXPECT_EQ(textFileToUtf8("Jos\xE9 \x80"), "Jos\xC3\xA9 \xE2\x82\xAC");
    EXPECT_EQ(textFileToUtf8("plain"), "plain");
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

TEST(FoldToCodePage, NearestLettersTheCodePageHoldsNeverAQuestionMark) {
    struct Case {
        const char* utf8;
        const char* folded;
        bool changed;
    };
    const Case cases[] = {
        {"Jos\xC3\xA9 M\xC3\xBCller \xE2\x82\xAC", "Jos\xC3\xA9 M\xC3\xBCller \xE2\x82\xAC", false},
        {"Jose\xCC\x81", "Jos\xC3\xA9", false},  // a base letter and its combining mark
        {"\xC5\x81ukasz \xC5\xBB\xC3\xB3\xC5\x82\xC4\x87", "Lukasz Z\xC3\xB3lc", true},
        {"Erd\xC5\x91s \xC5\xB0r", "Erd\xC3\xB6s \xC3\x9Cr", true},  // double acute
        {"\xCE\xA3\xCF\x89\xCE\xBA\xCF\x81\xCE\xAC\xCF\x84\xCE\xB7\xCF\x82", "Sokrates", true},
        {"\xD0\xAE\xD1\x80\xD0\xB8\xD0\xB9", "Yuriy", true},  // Cyrillic
        {"x\xF0\x9F\x98\x80y", "xy", true},                   // no Latin form: left out
        {"plain", "plain", false},
    };
    for (const Case& c : cases) {
        const FoldedText f = foldToCodePage(c.utf8);
        EXPECT_EQ(f.text, c.folded) << c.utf8;
        EXPECT_EQ(f.changed, c.changed) << c.utf8;
        EXPECT_EQ(f.text.find('?'), std::string::npos);
    }
}

// A long text is folded a piece at a time, as the whole would be; with `enough` the folding
// stops early, after the same start.
TEST(FoldToCodePage, ALongTextFoldsAsTheWholeAndStopsWhenItHasEnough) {
    const std::string word =
        "\xD0\xAE\xD1\x80\xD0\xB8\xD0\xB9 \xC5\x81\xC3\xB3"
        "d\xC5\xBA ";
    const std::string once = foldToCodePage(word).text;
    ASSERT_EQ(once,
              "Yuriy L\xC3\xB3"
              "dz ");
    std::string text;
    std::string expected;
    for (int i = 0; i < 5000; ++i) {
        text += word;
        expected += once;
    }
    EXPECT_EQ(foldToCodePage(text).text, expected);
    const FoldedText start = foldToCodePage(text, 100);
    EXPECT_GE(characterCount(start.text), 100u);
    EXPECT_LT(characterCount(start.text), 1000u);
    EXPECT_EQ(expected.rfind(start.text, 0), 0u);
    EXPECT_TRUE(start.changed);
}

}  // namespace
}  // namespace qm
