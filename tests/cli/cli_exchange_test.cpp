#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_support.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using test::contact;
using test::linesOf;

class CliExchange : public test::CliTest {
  protected:
    // The contact file lives in the application folder, as the export needs.
    std::string homeDat = home + "/Family.DAT";

    void writeHomeContacts(const std::vector<ContactRecord>& records) {
        std::filesystem::create_directories(home);
        ContactFile file;
        file.open(homeDat);
        for (const ContactRecord& r : records) {
            file.append(r);
        }
    }
};

TEST_F(CliExchange, ExportThenImportRecreatesTheContacts) {
    ContactRecord ann = contact("Ann", "Lee", "Troy");
    ann.birthdate = "19800410";
    ann.email = "ann@example.com";
    writeHomeContacts({ann, contact("Bob", "Ray", "Albany")});

    const auto exported = run({"export", homeDat, "--csv"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    const std::string csv = home + "/QMKC_Family.csv";
    EXPECT_EQ(exported.out, csv + "\n");
    EXPECT_EQ(linesOf(test::readBytes(csv)).size(), 3u);

    const auto imported = run({"import", dat, csv});
    ASSERT_EQ(imported.status, 0) << imported.err;
    EXPECT_EQ(imported.out, "D O N E !  2 contacts successfully imported.\n");
    ASSERT_EQ(contacts().size(), 2u);
    EXPECT_EQ(contacts()[0].birthdate, "19800410");
    EXPECT_EQ(contacts()[1].city, "Albany");

    // Again: every contact is a duplicate now, and the message says so.
    EXPECT_EQ(run({"import", dat, csv}).out,
              "D O N E !  0 contacts successfully imported.\n"
              "Skipped: 2 contacts already on file.\n");
    EXPECT_EQ(contacts().size(), 2u);
}

TEST_F(CliExchange, ImportTakesTheReminderSettingOfTheFile) {
    writeContacts({contact("Zed", "Quill", "", "0")});
    const std::string csv = folder.file("in.csv");
    test::writeBytes(csv,
                     "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Company,"
                     "Include Company in Address,Home Phone,Cell Phone,Work Phone,Email,Birthdate,"
                     "Category,Notes\r\nAnn,,Lee,,,,,,,,0,,,,ann@example.com,,,\r\n");
    ASSERT_EQ(run({"import", dat, csv}).status, 0);
    ASSERT_EQ(contacts().size(), 2u);
    EXPECT_EQ(contacts()[1].reminder, "0");
}

TEST_F(CliExchange, RefusedImportsChangeNoFile) {
    writeContacts({contact("Ann", "Lee")});
    const std::string before = test::readBytes(dat);
    const std::string incompatible = folder.file("titles.csv");
    test::writeBytes(incompatible, "Title,Phone\r\nMr,555-1234\r\n");

    const auto refused = run({"import", dat, incompatible});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "No contacts imported: CSV file not compatible with import function.\n");
    const auto missing = run({"import", dat, folder.file("nope.csv")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("Try again, or notify author."), std::string::npos);
    EXPECT_EQ(test::readBytes(dat), before);

    // A contact file that did not exist is not left behind either.
    const std::string fresh = folder.file("New.DAT");
    EXPECT_EQ(run({"import", fresh, incompatible}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(fresh));
}

TEST_F(CliExchange, DryRunPrintsTheContactsItWouldAddAndWritesNothing) {
    writeContacts({contact("Ann", "Lee")});
    const std::string before = test::readBytes(dat);
    const std::string vcf = folder.file("people.txt");  // recognised by content, not by name
    test::writeBytes(vcf,
                     "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nEND:VCARD\r\n"
                     "BEGIN:VCARD\r\nVERSION:3.0\r\nN:\xC5\xBB\xC3\xB3\xC5\x82\xC4\x87;"
                     "\xC5\x81ukasz;;;\r\nADR;TYPE=HOME:;;ul. D\xC5\x82uga 5;Krak\xC3\xB3w;;31-147;"
                     "\r\nEND:VCARD\r\n");
    const auto r = run({"import", dat, vcf, "--dry-run"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("2\tLukasz Z\xC3\xB3lc\tKrak\xC3\xB3w", 0), 0u) << r.out;
    EXPECT_EQ(r.err,
              "Dry run: 1 contacts would be imported (vCard file (version 3.0)); nothing was "
              "written.  Skipped: 1 contact already on file.  Changed: letters in 3 values to "
              "the nearest ones the contact file can hold.\n");
    EXPECT_EQ(test::readBytes(dat), before);
    EXPECT_FALSE(std::filesystem::exists(folder.file("Missing.DAT")));
    EXPECT_EQ(run({"import", folder.file("Missing.DAT"), vcf, "--dry-run"}).status, 0);
    EXPECT_FALSE(std::filesystem::exists(folder.file("Missing.DAT")));
}

TEST_F(CliExchange, VCardExportImportsBackToTheSameRecords) {
    ContactRecord ann = contact("Ann", "Lee", "Troy");
    ann.birthdate = "19800410";
    ann.email = "ann@example.com";
    ann.notes = "=1+1; call first";
    ann.category = "Golf;Friends";
    ann.company = "Lee & Co";
    ann.includeCompany = "1";
    writeHomeContacts({ann, contact("Bob", "Ray", "Albany")});
    const auto exported = run({"export", homeDat, "--vcard"});
    ASSERT_EQ(exported.status, 0) << exported.err;
    EXPECT_EQ(exported.out, home + "/QMKV_Family.vcf\n");
    ASSERT_EQ(run({"import", dat, home + "/QMKV_Family.vcf"}).status, 0);
    ContactFile original;
    original.open(homeDat);
    EXPECT_EQ(contacts(), original.readAll());
    EXPECT_EQ(run({"export", homeDat, "--csv", "--vcard"}).status, 2);
}

TEST_F(CliExchange, EmptyFileExportsItsHeaderAlone) {
    writeHomeContacts({});
    const auto r = run({"export", homeDat, "--txt"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, home + "/QMKT_Family.txt\n");
    const auto lines = linesOf(test::readBytes(home + "/QMKT_Family.txt"));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("First Name|MI|Last Name|", 0), 0u);
}

class CliList : public test::CliTest {};

TEST_F(CliList, LinesCarryTheirRecordNumbersInListOrder) {
    writeContacts({contact("Cy", "Able", "Troy"), contact("Ann", "Zed", "Albany"),
                   contact("Bob", "Lee", "troy")});
    const auto byFirst = run({"list", dat});
    ASSERT_EQ(byFirst.status, 0) << byFirst.err;
    const auto lines = linesOf(byFirst.out);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].rfind("2\tAnn Zed\tAlbany", 0), 0u);
    EXPECT_EQ(lines[1].rfind("3\tBob Lee\ttroy", 0), 0u);
    EXPECT_EQ(lines[2].rfind("1\tCy Able\tTroy", 0), 0u);

    const auto troy = linesOf(run({"list", dat, "--search", "city=Troy", "--sort", "last"}).out);
    ASSERT_EQ(troy.size(), 2u);
    EXPECT_EQ(troy[0].rfind("1\tAble, Cy", 0), 0u);
    EXPECT_EQ(troy[1].rfind("3\tLee, Bob", 0), 0u);
}

TEST_F(CliList, LabelsAndReportPrintTheListedContacts) {
    writeContacts({contact("Cy", "Able", "Troy"), contact("Ann", "Zed", "Albany")});
    const auto labels = run({"list", dat, "--search", "city=Troy", "--labels", "--text"});
    ASSERT_EQ(labels.status, 0) << labels.err;
    EXPECT_NE(labels.out.find("Cy Able"), std::string::npos);
    EXPECT_EQ(labels.out.find("Ann Zed"), std::string::npos);

    const auto report = run({"list", dat, "--report", "--text"});
    ASSERT_EQ(report.status, 0) << report.err;
    EXPECT_NE(report.out.find("File: Friends"), std::string::npos);
    EXPECT_LT(report.out.find("Ann Zed"), report.out.find("Cy Able"));

    const auto none = run({"list", dat, "--search", "city=Paris", "--labels", "--text"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "No contacts found: Empty list, no labels to print.\n");
}

}  // namespace
}  // namespace qm
