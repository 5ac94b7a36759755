// Every sample export of a real program: its people in the right fields, a second import
// adds nothing, and the program's own CSV and vCard exports read back to the same records.
#include <gtest/gtest.h>

#include "exchange/contact_import.h"
#include "exchange/csv_export.h"
#include "records/code_page.h"
#include "support/contacts_on_file.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

struct Person {
    const char* first;
    const char* last;
    const char* email;
    const char* street;
    const char* city;
    const char* state;
    const char* zip;
    const char* home;
    const char* cell;
    const char* work;
};

struct Sample {
    const char* file;
    std::vector<Person> people;
};

std::string sampleBytes(const char* name) {
    return test::readBytes(std::string(QUILLMARK_CONTACT_SAMPLES) + "/" + name);
}

std::string fieldsOf(const ContactRecord& r) {
    return r.firstName + "|" + r.lastName + "|" + r.email + "|" + r.street + "|" + r.city + "|" +
           r.state + "|" + r.zip + "|" + r.homePhone + "|" + r.cellPhone + "|" + r.workPhone;
}

// Every field, so that a failure shows which one differs.
std::string allFieldsOf(const std::vector<ContactRecord>& records) {
    std::string out;
    for (const ContactRecord& r : records) {
        for (const FieldLayout& f : field::kAll) {
            out += r.*(f.member) + "|";
        }
        out += "\n";
    }
    return out;
}

// The table below writes its letters as the contact file holds them, in code page 1252.
std::string fieldsOf(const Person& p) {
    return cp1252ToUtf8(std::string(p.first) + "|" + p.last + "|" + p.email + "|" + p.street + "|" +
                        p.city + "|" + p.state + "|" + p.zip + "|" + p.home + "|" + p.cell + "|" +
                        p.work);
}

// clang-format off
const Sample kSamples[] = {
    {"google-2024.csv", {
        {"Ann", "Lee", "ann.lee@example.com", "", "", "", "", "", "1217-555-0187", ""},
        {"Bob", "Ray", "bob.ray@example.net", "", "", "", "", "", "", "1307-555-0199"}}},
    {"google-2014.csv", {
        {"Ann", "Lee", "ann.lee@example.com", "12 Elm St", "Springfield", "IL", "62704",
         "1217-555-0142", "1217-555-0187", ""},
        {"Bob", "Ray", "bob.ray@example.net", "", "", "", "", "", "", "1307-555-0199"}}},
    {"outlook-2016.csv", {
        {"Ann", "Lee", "ann.lee@example.com", "12 Elm St", "Springfield", "IL", "62704",
         "217 555-0142", "217 555-0187", ""},
        {"Bob", "Ray", "bob.ray@example.net", "400 Oak Ave", "Riverton", "WY", "82501", "", "",
         "307-555-0199"}}},
    {"outlookcom-2018.csv", {
        {"Ann", "Lee", "ann.lee@example.com", "12 Elm St", "Springfield", "IL", "62704",
         "1 217-555-0142", "1 217-555-0187", ""},
        {"Bob", "Ray", "bob.ray@example.net", "", "", "", "", "", "", "1307-555-0199"}}},
    {"outlook-express-6.csv", {
        {"Ann", "Lee", "ann.lee@example.com", "12 Elm St", "Springfield", "IL", "62704",
         "217-555-0142", "", ""},
        {"Bob", "Ray", "bob.ray@example.net", "400 Oak Ave", "Riverton", "WY", "82501", "", "",
         "307-555-0199"}}},
    {"thunderbird-115.csv", {
        {"Ann", "Lee", "ann.lee@example.com", "12 Elm St", "Springfield", "IL", "62704",
         "217-555-0142", "217-555-0187", ""},
        {"Bob", "Ray", "bob.ray@example.net", "400 Oak Ave", "Riverton", "WY", "82501", "", "",
         "307-555-0199"}}},
    {"thunderbird-17.csv", {
        {"Ann", "Lee", "ann.lee@example.com", "12 Elm St", "Springfield", "IL", "62704",
         "217-555-0142", "217-555-0187", ""},
        {"Bob", "Ray", "bob.ray@example.net", "400 Oak Ave", "Riverton", "WY", "82501", "", "",
         "307-555-0199"}}},
    {"yahoo-2013.csv", {
        {"Ann", "Lee", "ann.lee@example.com", "12 Elm St", "Springfield", "IL", "62704",
         "217-555-0142", "217-555-0187", ""},
        // The address book's rule: an empty home phone takes the work phone.
        {"Bob", "Ray", "bob.ray@example.net", "400 Oak Ave", "Riverton", "WY", "82501",
         "307-555-0199", "", "307-555-0199"}}},
    {"linkedin-2023.csv", {
        {"Ann", "Lee", "ann.lee@example.com", "", "", "", "", "", "", ""},
        {"Bob", "Ray", "", "", "", "", "", "", "", ""}}},
    {"gmail-2007.csv", {
        {"Ann", "Lee", "ann.lee@example.com", "", "", "", "", "217-555-0142", "217-555-0187", ""},
        {"Bob", "Ray", "bob.ray@example.net", "", "", "", "", "", "", "307-555-0199"}}},
    {"apple-contacts-macos14.vcf", {
        {"Ann", "Lee", "ann.lee@example.com", "12 Elm St", "Springfield", "IL", "62704",
         "217-555-0142", "217-555-0187", ""},
        {"Bob", "Ray", "bob.ray@example.net", "Unit 3 88 Pine Rd", "Riverton", "WY", "82501",
         "307-555-0123", "", "307-555-0199"},
        {"Ren\xE9""e", "C\xF4t\xE9", "renee.cote@example.org", "1234 rue Saint-Denis",
         "Montr\xE9""al", "QC", "H2X 3K8", "", "514-555-0163", "514-555-0112"},
        {"Lukasz", "Z\xF3lc", "lukasz.zolc@example.org", "ul. Dluga 5", "Krak\xF3w", "",
         "31-147", "", "646-555-0148", ""}}},
    {"outlook-2016-renee-cote.vcf", {
        {"Ren\xE9""e", "C\xF4t\xE9", "renee.cote@example.org", "1234 rue Saint-Denis",
         "Montr\xE9""al", "QC", "H2X 3K8", "514-555-0163", "514-555-0171", "514-555-0112"}}},
    {"thunderbird-115.vcf", {
        {"Ann", "Lee", "ann.lee@example.com", "12 Elm St", "Springfield", "IL", "62704",
         "217-555-0142", "217-555-0187", ""},
        {"Bob", "Ray", "bob.ray@example.net", "Unit 3 400 Oak Ave", "Riverton", "WY", "82501",
         "", "307-555-0155", "307-555-0199"},
        {"Lukasz", "Z\xF3lc", "lukasz.zolc@example.org", "ul. Dluga 5", "Krak\xF3w", "",
         "31-147", "646-555-0131", "646-555-0148", ""}}},
};
// clang-format on

TEST(ContactSamples, EveryPersonInTheRightFieldsAndASecondImportAddsNothing) {
    for (const Sample& s : kSamples) {
        const std::string bytes = sampleBytes(s.file);
        const ImportResult first = importContacts(bytes, {}, true);
        ASSERT_EQ(first.outcome, ImportOutcome::Done) << s.file;
        ASSERT_EQ(first.records.size(), s.people.size()) << s.file;
        for (std::size_t i = 0; i < s.people.size(); ++i) {
            EXPECT_EQ(fieldsOf(first.records[i]), fieldsOf(s.people[i])) << s.file;
        }
        test::ContactsOnFile onFile(first.records);
        const ImportResult again = importContacts(bytes, indexContacts(onFile.file()), true);
        EXPECT_TRUE(again.records.empty()) << s.file;
        EXPECT_EQ(again.counts.duplicates, s.people.size()) << s.file;
    }
}

TEST(ContactSamples, OwnExportsReadBackToTheSameRecords) {
    for (const Sample& s : kSamples) {
        const ImportResult imported = importContacts(sampleBytes(s.file), {}, false);
        for (ExportFormat format : {ExportFormat::Csv, ExportFormat::VCard}) {
            const std::string exported =
                exportText(imported.records, format, TextEncoding::CodePage1252);
            const ImportResult back = importContacts(exported, {}, false);
            EXPECT_EQ(allFieldsOf(back.records), allFieldsOf(imported.records)) << s.file;
            EXPECT_EQ(back.counts.foldedValues, 0u) << s.file;
        }
    }
}

TEST(ContactSamples, OtherFieldsAndTheLettersFolded) {
    const ImportResult apple = importContacts(sampleBytes("apple-contacts-macos14.vcf"), {}, true);
    ASSERT_EQ(apple.records.size(), 4u);
    EXPECT_EQ(apple.format, "vCard file (version 3.0)");
    const ContactRecord& ann = apple.records[0];
    EXPECT_EQ(ann.street2, "Apt 4B");
    EXPECT_EQ(ann.company, "Lee Consulting LLC");
    EXPECT_EQ(ann.birthdate, "19750704");
    EXPECT_EQ(ann.notes, "Met at the county fair  2019. Prefers evening calls.");
    EXPECT_EQ(apple.records[1].birthdate, "");  // a birthday without its year
    EXPECT_EQ(apple.records[1].middleInitial, "J");
    EXPECT_EQ(apple.counts.foldedValues, 3u);  // Łukasz, Żółć, Długa

    const ImportResult outlook =
        importContacts(sampleBytes("outlook-2016-renee-cote.vcf"), {}, true);
    ASSERT_EQ(outlook.records.size(), 1u);
    EXPECT_EQ(outlook.records[0].street2, "App. 5");
    EXPECT_EQ(outlook.records[0].company, "Boulangerie C\xC3\xB4t\xC3\xA9 & Fils");
    EXPECT_EQ(
        outlook.records[0].notes.rfind("Livraison le mardi  avant 9 h. Sonner \xC3\xA0 la", 0), 0u);

    const ImportResult google = importContacts(sampleBytes("google-2024.csv"), {}, true);
    EXPECT_EQ(google.records[1].category, "Suppliers");
    EXPECT_EQ(google.records[1].middleInitial, "J");
    EXPECT_EQ(google.records[0].birthdate, "19750704");
    const ImportResult yahoo = importContacts(sampleBytes("yahoo-2013.csv"), {}, true);
    EXPECT_EQ(yahoo.records[1].birthdate, "19801205");
    EXPECT_EQ(yahoo.records[1].notes, "Prefers e-mail  not calls");
    const ImportResult linkedin = importContacts(sampleBytes("linkedin-2023.csv"), {}, true);
    EXPECT_EQ(linkedin.records[0].company, "Lee Consulting LLC");
}

}  // namespace
}  // namespace qm
