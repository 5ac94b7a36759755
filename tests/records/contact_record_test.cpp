#include "records/contact_record.h"

#include <gtest/gtest.h>

#include "records/code_page.h"

namespace qm {
namespace {

ContactRecord sample() {
    ContactRecord r;
    r.firstName = "John";
    r.middleInitial = "Q";
    r.lastName = "Public";
    r.street = "123 Main Street";
    r.street2 = "Apt 4";
    r.city = "Springfield";
    r.state = "IL";
    r.zip = "62701";
    r.country = "USA";
    r.homePhone = "217-555-0100";
    r.cellPhone = "217-555-0101";
    r.workPhone = "217-555-0102";
    r.email = "john@example.com";
    r.birthdate = "19800410";
    r.category = "Christmas;Golf";
    r.notes = "Met at the fair";
    r.company = "Acme";
    r.includeCompany = "1";
    r.reminder = "1";
    return r;
}

TEST(RecordCodec, EncodesEveryFieldAtItsOffsetAndWidth) {
    const RecordBytes bytes = encodeRecord(sample());
    const std::string text(bytes.data(), bytes.size());
    const std::string expected =
        "John       |Q|Public          |123 Main Street               |Apt 4          |"
        "Springfield     |IL|62701     |USA                |217-555-0100   |217-555-0101   |"
        "217-555-0102 |john@example.com" +
        std::string(34, ' ') + "|19800410|Christmas;Golf" + std::string(66, ' ') +
        "|Met at the fair" + std::string(145, ' ') + "|Acme                          |1|1\r\n";
    EXPECT_EQ(text, expected);
    EXPECT_EQ(text.size(), kRecordSize);
}

TEST(RecordCodec, RecordViewedAsTextIsOneLine) {
    const RecordBytes bytes = encodeRecord(ContactRecord{});
    const std::string text(bytes.data(), bytes.size());
    EXPECT_EQ(text.find('\n'), kRecordSize - 1);
    EXPECT_EQ(text.find('\r'), kRecordSize - 2);
    int bars = 0;
    for (char c : text) {
        bars += c == '|' ? 1 : 0;
    }
    EXPECT_EQ(bars, 18);
}

// Every way in (typed, imported, edited) ends here: a value never breaks its record's line.
TEST(RecordCodec, LineBreaksBecomeOneBlankAndNulIsDropped) {
    const std::pair<std::string, std::string> cases[] = {
        {"12 Oak St\r\nApt 4", "12 Oak St Apt 4"},
        {"12 Oak St\nApt 4", "12 Oak St Apt 4"},
        {"a\r\r\nb\rc", "a b c"},
        {std::string("An\0n", 4), "Ann"},
        {"\r\nLee", "Lee"},
    };
    for (const auto& [value, stored] : cases) {
        ContactRecord r = sample();
        r.street = value;
        r.notes = value;
        const RecordBytes bytes = encodeRecord(r);
        const std::string text(bytes.data(), bytes.size());
        EXPECT_EQ(text.find_first_of(std::string("\r\n\0", 3)), kRecordSize - 2) << stored;
        const ContactRecord back = decodeRecord(text);
        EXPECT_EQ(back.street, stored);
        EXPECT_EQ(back.notes, stored);
    }
}

TEST(RecordCodec, RoundTripsTrimmedValues) {
    const RecordBytes bytes = encodeRecord(sample());
    EXPECT_EQ(decodeRecord(std::string_view(bytes.data(), bytes.size())), sample());
}

TEST(RecordCodec, StoresLeftTrimmedAndCutToWidth) {
    ContactRecord r;
    r.firstName = "  Christopher";  // 11 after the blanks go
    r.lastName = "Wolfeschlegelsteinhausen";
    const RecordBytes bytes = encodeRecord(r);
    EXPECT_EQ(std::string(bytes.data(), 11), "Christopher");
    EXPECT_EQ(std::string(bytes.data() + 14, 16), "Wolfeschlegelste");
    r.firstName = "Maximiliana";  // twelve characters are cut to eleven
    r.firstName += "X";
    EXPECT_EQ(decodeRecord(std::string_view(encodeRecord(r).data(), kRecordSize)).firstName,
              "Maximiliana");
}

// The file holds code page 1252 and the record UTF-8: every byte the file may hold comes back
// as it was, the five bytes the code page leaves unassigned included.
TEST(RecordCodec, EveryByteOfTheFileRoundTripsThroughUtf8) {
    const FieldLayout& notes = field::kNotes;
    for (int b = 1; b < 256; ++b) {
        if (b == '\r' || b == '\n') {
            continue;  // a line break in a value is a blank, as it always was
        }
        ContactRecord r = sample();
        r.notes.clear();
        RecordBytes bytes = encodeRecord(r);
        const std::string value{'a', static_cast<char>(b), 'z'};
        value.copy(bytes.data() + notes.offset, value.size());
        const ContactRecord decoded = decodeRecord(std::string_view(bytes.data(), bytes.size()));
        EXPECT_EQ(decoded.notes, cp1252ToUtf8(value)) << b;
        EXPECT_EQ(encodeRecord(decoded), bytes) << b;
    }
}

// Widths count letters, not UTF-8 bytes; a letter the code page lacks is folded before the
// cut, as an import folds it.
TEST(RecordCodec, CutsByLettersAndFoldsWhatTheCodePageLacks) {
    ContactRecord r;
    r.firstName = "\xC3\x89l\xC3\xA9onore-Ana\xC3\xAFs";            // Éléonore-Anaïs
    r.lastName = "\xC5\x81ukasz \xC5\xBB\xC3\xB3\xC5\x82\xC4\x87";  // Łukasz Żółć
    r.city = "\xCE\xA3\xCF\x89\xCE\xBA\xCF\x81\xCE\xAC\xCF\x84\xCE\xB7\xCF\x82";
    const RecordBytes bytes = encodeRecord(r);
    EXPECT_EQ(std::string(bytes.data(), 12), "\xC9l\xE9onore-An|");
    EXPECT_EQ(std::string(bytes.data() + field::kLastName.offset, 16), "Lukasz Z\xF3lc     ");
    EXPECT_EQ(std::string(bytes.data() + field::kCity.offset, 16), "Sokrates        ");
    const ContactRecord back = decodeRecord(std::string_view(bytes.data(), bytes.size()));
    EXPECT_EQ(back.firstName, "\xC3\x89l\xC3\xA9onore-An");
    EXPECT_EQ(back.lastName, "Lukasz Z\xC3\xB3lc");
}

TEST(RecordCodec, ShortRecordReadsMissingBytesAsBlanks) {
    const RecordBytes bytes = encodeRecord(sample());
    const ContactRecord r = decodeRecord(std::string_view(bytes.data(), 100));
    EXPECT_EQ(r.firstName, "John");
    EXPECT_EQ(r.zip, "62");
    EXPECT_EQ(r.country, "");
    EXPECT_EQ(r.reminder, "");
    EXPECT_FALSE(flagIsSet(r.reminder));
}

TEST(Birthdate, ConvertsBetweenEnteredAndStoredForms) {
    EXPECT_EQ(birthdateToStored("04/10/1980"), "19800410");
    EXPECT_EQ(birthdateToStored("ab/cd/efgh"), "efghabcd");
    EXPECT_EQ(birthdateToStored(""), "");
    EXPECT_EQ(birthdateToDisplay("19800410"), "04/10/1980");
    EXPECT_EQ(birthdateToDisplay("        "), "");
    EXPECT_EQ(birthdateToDisplay(""), "");
}

TEST(Flags, ReadAsNumbers) {
    EXPECT_TRUE(flagIsSet("1"));
    EXPECT_FALSE(flagIsSet("0"));
    EXPECT_FALSE(flagIsSet(" "));
    EXPECT_FALSE(flagIsSet(""));
}

}  // namespace
}  // namespace qm
