#include "exchange/contact_formats.h"

#include <gtest/gtest.h>

#include "exchange/contact_import.h"
#include "exchange/csv_export.h"
#include "records/text_rules.h"

namespace qm {
namespace {

TEST(ContactFormats, AnEndingNamesOneFormatWhateverItsCase) {
    for (const ContactFormat& row : contactFormats()) {
        for (std::string_view ending : row.endings) {
            EXPECT_EQ(formatOfEnding(ending), &row) << ending << " is claimed twice";
            EXPECT_EQ(formatOfEnding(toUpper(ending)), &row) << ending;
        }
    }
    EXPECT_EQ(formatOfEnding("pdf"), nullptr);
    EXPECT_EQ(formatOfEnding(""), nullptr);
}

// Whatever the order of the rows, a vCard is read as one and any other text as CSV.
TEST(ContactFormats, TheContentPicksTheReader) {
    const char* const card =
        "\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\nEND:VCARD\r\n";
    ASSERT_NE(openContactReader(card), nullptr);
    EXPECT_NE(openContactReader(card)->formatName().find("vCard"), std::string::npos);
    const auto csv = openContactReader("First Name,Last Name\r\nAnn,Lee\r\n");
    ASSERT_NE(csv, nullptr);
    EXPECT_EQ(csv->formatName().find("vCard"), std::string::npos);
    EXPECT_EQ(openContactReader("Street,Town\r\n1 Elm St,Troy\r\n"), nullptr);
}

// What an export writes in a format the import recognises comes back as it was stored.
TEST(ContactFormats, EachReadableExportReadsBack) {
    ContactRecord ann;
    ann.firstName = "Ann";
    ann.lastName = "Lee";
    ann.street = "12 Elm St";
    ann.email = "ann@example.com";
    ann.birthdate = "19800410";
    ann.category = "Golf;Friends";
    int checked = 0;
    for (const ContactFormat& row : contactFormats()) {
        if (!row.exportFormat || row.recognition == Recognition::None) {
            continue;
        }
        const ImportResult back = importContacts(
            exportText({ann}, *row.exportFormat, TextEncoding::CodePage1252), {}, false);
        ASSERT_EQ(back.records.size(), 1u) << row.name;
        EXPECT_EQ(back.records.front(), ann) << row.name;
        ++checked;
    }
    EXPECT_GE(checked, 2);
}

}  // namespace
}  // namespace qm
