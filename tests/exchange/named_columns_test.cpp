#include <gtest/gtest.h>

#include "exchange/contact_import.h"
#include "exchange/import_into_file.h"

namespace qm {
namespace {

// first|middle|last|street|street2|state|email|home|cell|work|birthdate|category
std::string fieldsOf(const ContactRecord& r) {
    return r.firstName + "|" + r.middleInitial + "|" + r.lastName + "|" + r.street + "|" +
           r.street2 + "|" + r.state + "|" + r.email + "|" + r.homePhone + "|" + r.cellPhone + "|" +
           r.workPhone + "|" + r.birthdate + "|" + r.category;
}

TEST(NamedColumns, ValuesAreFoundByNameAndCleanedAsTyped) {
    struct Case {
        const char* file;
        const char* expected;
    };
    const Case cases[] = {
        // A single word is the last name; a state that is no abbreviation is left out.
        {"Name,State\r\nCher,California\r\n", "||Cher|||||||||"},
        // Google's typed pairs decide the phone; the first of a list of addresses.
        {"Given Name,Family Name,E-mail 1 - Value,Phone 1 - Type,Phone 1 - Value,Phone 2 - "
         "Type,Phone 2 - Value\r\nAnn,Lee,a@x.com ::: b@x.com,Work,(555) 123-4567,Other,555-1\r\n",
         "Ann||Lee||||a@x.com|555-1||555-123-4567||"},
        // A year, month and day in three columns; an e-mail address without "@" is left out.
        {"First Name,Last Name,Primary Email,Birth Year,Birth Month,Birth Day\r\n"
         "Ann,Lee,ann.example.com,1975,7,4\r\n",
         "Ann||Lee||||||||19750704|"},
        // A street on two lines; Google's labels without the system's own.
        {"First Name,Last Name,Home Street,Home State,Labels\r\n"
         "Ann,Lee,\"12 Elm St\nApt 4\",il,* myContacts ::: Golf ::: Chess\r\n",
         "Ann||Lee|12 Elm St|Apt 4|IL||||||Golf;Chess"},
        // A preamble before the header; a birthday without a year is left out.
        {"Notes:\r\n\"About this file, and more\"\r\n\r\nFirst Name,Last Name,Birthday\r\n"
         "Bob,Ray,--12-05\r\n",
         "Bob||Ray|||||||||"},
    };
    for (const Case& c : cases) {
        const ImportResult r = importContacts(c.file, {}, true);
        ASSERT_EQ(r.records.size(), 1u) << c.file;
        EXPECT_EQ(fieldsOf(r.records[0]), c.expected) << c.file;
        EXPECT_EQ(r.format, "CSV file (named columns)") << c.file;
    }
}

TEST(ImportReport, SecondLineSaysWhatWasSkippedOrChanged) {
    struct Case {
        ImportCounts counts;
        const char* text;
    };
    const Case cases[] = {
        {{0, 0, 0}, ""},
        {{1, 0, 0}, "Skipped: 1 contact already on file."},
        {{2, 1, 0},
         "Skipped: 2 contacts already on file and 1 line without a name or e-mail "
         "address."},
        {{0, 3, 1},
         "Skipped: 3 lines without a name or e-mail address.  Changed: letters in 1 "
         "value to the nearest ones the contact file can hold."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(importSkippedText(c.counts), c.text);
    }
}

TEST(ImportPreview, FormatAndTheFirstContactsAsStored) {
    std::string file = "First Name,Last Name,E-mail\r\n";
    for (int i = 0; i < 20; ++i) {
        file += "Ann,Lee" + std::to_string(i) + ",a" + std::to_string(i) + "@x.com\r\n";
    }
    const ImportResult preview = previewImport(file, {}, true, 3);
    EXPECT_EQ(preview.format, "CSV file (names and e-mail addresses)");
    ASSERT_EQ(preview.records.size(), 3u);
    EXPECT_EQ(preview.records[2].lastName, "Lee2");
    EXPECT_EQ(previewImport("Title\r\nMr\r\n", {}, true).outcome, ImportOutcome::NotCompatible);
}

}  // namespace
}  // namespace qm
