#include "exchange/csv_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "exchange/contact_import.h"
#include "exchange/own_layout.h"
#include "records/contact_file.h"
#include "records/error.h"
#include "support/temp_folder.h"

// Records name only the fields that are set; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace qm {
namespace {

using test::readBytes;
using test::TempFolder;
using test::writeBytes;

ContactRecord fullContact() {
    return ContactRecord{.firstName = "Ann",
                         .middleInitial = "M",
                         .lastName = "Lee",
                         .street = "12 Elm Street",
                         .street2 = "Apt 4",
                         .city = "Springfield",
                         .state = "IL",
                         .zip = "62701",
                         .country = "USA",
                         .homePhone = "555-1234",
                         .cellPhone = "555-5678",
                         .workPhone = "555-9876",
                         .email = "ann@x.com",
                         .birthdate = "19800410",
                         .category = "Family;Friends",
                         .notes = "Likes tea",
                         .company = "Acme",
                         .includeCompany = "0",
                         .reminder = "1"};
}

TEST(ExportNames, BaseAndPathFollowTheContactFile) {
    struct Case {
        const char* contactPath;
        const char* base;
    };
    const Case cases[] = {
        {"/home/u/QM/Family.DAT", "Family"},         {"/home/u/QM/Family.dat", "Family"},
        {"/home/u/QM/Family.Dat", "Family.Dat"},  // replacements are exact
        {"/home/u/QM/sub/Family.DAT", "sub/Family"}, {"/elsewhere/Family.DAT", "/elsewhere/Family"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(exportBaseName(c.contactPath, "/home/u/QM"), c.base) << c.contactPath;
    }
    EXPECT_EQ(exportFilePath("/home/u/QM", "Family", ExportFormat::Csv),
              "/home/u/QM/QMKC_Family.csv");
    EXPECT_EQ(exportFilePath("/home/u/QM", "Family", ExportFormat::Txt),
              "/home/u/QM/QMKT_Family.txt");
}

TEST(ExportLines, HeaderAndRecordLines) {
    EXPECT_EQ(exportHeaderLine(ExportFormat::Csv),
              "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Company,Include "
              "Company in Address,Home Phone,Cell Phone,Work Phone,Email,Birthdate,Category,"
              "Notes\r\n");
    EXPECT_EQ(exportLine(fullContact(), ExportFormat::Csv),
              "Ann,M,Lee,12 Elm Street,Apt 4,Springfield,IL,62701,USA,Acme,0,555-1234,555-5678,"
              "555-9876,ann@x.com,04-10-1980,Family;Friends,Likes tea\r\n");
    ContactRecord plain;
    plain.firstName = "Bob";
    plain.notes = "a|b, c";  // the text file writes it unchanged; CSV quotes the comma
    EXPECT_EQ(exportLine(plain, ExportFormat::Txt), "Bob||||||||||0|||||||a|b, c\r\n");
    EXPECT_EQ(exportLine(plain, ExportFormat::Csv), "Bob,,,,,,,,,,0,,,,,,,\"a|b, c\"\r\n");
}

class ExportFile : public ::testing::Test {
  protected:
    TempFolder folder;
    ContactFile contacts;
    std::string path = folder.file("Family.DAT");

    void SetUp() override { contacts.open(path); }
};

TEST_F(ExportFile, EmptyFileWritesTheHeaderAloneAndOverwrites) {
    writeBytes(folder.file("QMKC_Family.csv"), "old contents that are longer than a header\r\n");
    const ExportResult r = exportContacts(contacts, path, folder.path(), ExportFormat::Csv);
    EXPECT_EQ(r.count, 0);
    EXPECT_EQ(readBytes(r.path), exportHeaderLine(ExportFormat::Csv));
}

// A contact file's CSV and text exports hold its own bytes (code page 1252), as they always
// have; its vCards are UTF-8.
TEST_F(ExportFile, AContactFilesLettersKeepItsCodePageButInVCards) {
    ContactRecord zoe;
    zoe.firstName = "Zoë";
    zoe.lastName = "Müller";
    zoe.notes = "5 € Łódź";
    contacts.appendAll({zoe});
    const std::string csv =
        readBytes(exportContacts(contacts, path, folder.path(), ExportFormat::Csv).path);
    EXPECT_NE(csv.find("\r\nZo\xEB,,M\xFCller,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",5 \x80 L\xF3\x64z\r\n"), std::string::npos) << csv;
    const std::string txt =
        readBytes(exportContacts(contacts, path, folder.path(), ExportFormat::Txt).path);
    EXPECT_NE(txt.find("\r\nZo\xEB||M\xFCller|"), std::string::npos) << txt;
    const std::string cards =
        readBytes(exportContacts(contacts, path, folder.path(), ExportFormat::VCard).path);
    EXPECT_NE(cards.find("\r\nN:M\xC3\xBCller;Zo\xC3\xAB;;;\r\n"), std::string::npos) << cards;
}

TEST_F(ExportFile, FailedWriteLeavesTheEarlierFile) {
    struct FailingSync : FileOps {
        void sync(int) override { throwError(28, "No space left on device"); }
    } failing;
    contacts.append(fullContact());
    writeBytes(folder.file("QMKC_Family.csv"), "earlier export\r\n");
    EXPECT_THROW(exportContacts(contacts, path, folder.path(), ExportFormat::Csv, failing),
                 QmError);
    EXPECT_EQ(readBytes(folder.file("QMKC_Family.csv")), "earlier export\r\n");
    EXPECT_FALSE(systemFileOps().exists(folder.file("QMKC_Family.csv.tmp")));
}

// The export is written in pieces as the records are read: a file of several pieces must
// come out exactly as the whole text would, in every format, and leave no temporary file.
TEST_F(ExportFile, ALargeFileExportsInPiecesAsTheWholeText) {
    std::vector<ContactRecord> records;
    for (int i = 0; i < 7000; ++i) {
        ContactRecord r = fullContact();
        r.lastName = "Lee" + std::to_string(i);
        r.notes = std::string(static_cast<std::size_t>(i % 160), 'n');
        records.push_back(r);
    }
    contacts.appendAll(records);
    for (const ExportFormat format : {ExportFormat::Csv, ExportFormat::Txt, ExportFormat::VCard}) {
        const ExportResult r = exportContacts(contacts, path, folder.path(), format);
        EXPECT_EQ(r.count, 7000);
        const std::string written = readBytes(r.path);
        EXPECT_GT(written.size(), 1u << 20);
        EXPECT_EQ(written, exportText(records, format, TextEncoding::CodePage1252));
    }
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        EXPECT_EQ(entry.path().filename().string().rfind(kTemporaryPrefix, 0), std::string::npos)
            << entry.path();
    }
}

TEST_F(ExportFile, AFailedPieceLeavesTheEarlierFileAndNoTemporary) {
    struct FailingSecondWrite : FileOps {
        int writes = 0;
        void writeAt(int fd, const char* data, std::size_t n, std::int64_t offset) override {
            if (++writes == 2) {
                throwError(28, "No space left on device");
            }
            FileOps::writeAt(fd, data, n, offset);
        }
    } failing;
    contacts.appendAll(std::vector<ContactRecord>(9000, fullContact()));
    writeBytes(folder.file("QMKC_Family.csv"), "earlier export\r\n");
    EXPECT_THROW(exportContacts(contacts, path, folder.path(), ExportFormat::Csv, failing),
                 QmError);
    EXPECT_EQ(failing.writes, 2);
    EXPECT_EQ(readBytes(folder.file("QMKC_Family.csv")), "earlier export\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator()),
              2);
}

TEST_F(ExportFile, RoundTripThroughImportRecreatesEveryContact) {
    ContactRecord cleaned = fullContact();
    cleaned.firstName = "Cy";
    cleaned.city = "Area 51";
    cleaned.zip = "AB123";
    cleaned.homePhone = "555-12AB";
    cleaned.includeCompany = "1";
    cleaned.reminder = "0";
    ContactRecord noBirthday = fullContact();
    noBirthday.firstName = "Bob";
    noBirthday.birthdate.clear();
    const std::vector<ContactRecord> originals = {fullContact(), noBirthday, cleaned};
    contacts.appendAll(originals);
    const ExportResult exported = exportContacts(contacts, path, folder.path(), ExportFormat::Csv);

    ContactFile target;
    target.open(folder.file("Copy.DAT"));
    const ImportResult imported =
        importContacts(readBytes(exported.path), indexContacts(target), true);
    ASSERT_EQ(imported.outcome, ImportOutcome::Done);
    target.appendAll(imported.records);

    std::vector<ContactRecord> expected = originals;
    for (ContactRecord& r : expected) {
        r.reminder = "1";  // from the reminder state, not the file
    }
    EXPECT_EQ(target.readAll(), expected);
}

}  // namespace
}  // namespace qm

namespace qm {
namespace {

TEST(ExportCells, FormulaStartsAreGuardedAndTheOwnLayoutTakesTheGuardOff) {
    struct Case {
        const char* value;
        const char* written;
    };
    const Case cases[] = {
        {"=SUM(A1)", "'=SUM(A1)"}, {"+1 555", "'+1 555"}, {"-5", "'-5"},  {"@home", "'@home"},
        {"'=x", "''=x"},           {"'tis", "'tis"},      {"a=b", "a=b"}, {"", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(guardedCell(c.value), c.written) << c.value;
        EXPECT_EQ(unguardedCell(c.written), c.value) << c.value;
    }
    ContactRecord r;
    r.firstName = "=cmd";
    r.lastName = "Lee";
    r.notes = "@SUM(1)";
    const ImportResult back =
        importContacts(exportText({r}, ExportFormat::Csv, TextEncoding::CodePage1252), {}, false);
    ASSERT_EQ(back.records.size(), 1u);
    EXPECT_EQ(back.records[0].firstName, "=cmd");
    EXPECT_EQ(back.records[0].notes, "@SUM(1)");
}

// Values holding quotes come back whole, each contact once; other cells stay unquoted.
TEST(ExportCells, QuotesAreQuotedAndReadBack) {
    ContactRecord bob;
    bob.firstName = "Rob \"Bo\"";
    bob.lastName = "Ray";
    bob.company = "\"Ace\" Hardware";
    ContactRecord cy;
    cy.firstName = "\"";
    cy.lastName = "Quote";
    cy.notes = "=\"x\"";
    const std::string text = exportText({bob, cy}, ExportFormat::Csv, TextEncoding::CodePage1252);
    EXPECT_NE(text.find("\r\n\"Rob \"\"Bo\"\"\",,Ray,,,,,,,\"\"\"Ace\"\" Hardware\","),
              std::string::npos)
        << text;
    EXPECT_NE(text.find(",\"'=\"\"x\"\"\"\r\n"), std::string::npos) << text;
    const ImportResult back = importContacts(text, {}, false);
    ASSERT_EQ(back.records.size(), 2u);
    EXPECT_EQ(back.records[0].firstName, bob.firstName);
    EXPECT_EQ(back.records[0].company, bob.company);
    EXPECT_EQ(back.records[1].firstName, cy.firstName);
    EXPECT_EQ(back.records[1].notes, cy.notes);
    EXPECT_EQ(quotedCell(" lead"), "\" lead\"");  // stored values never begin so
}

}  // namespace
}  // namespace qm
