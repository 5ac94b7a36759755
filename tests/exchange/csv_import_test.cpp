#include "exchange/contact_import.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

#include "exchange/csv_cleaning.h"
#include "exchange/csv_layout.h"
#include "exchange/csv_text.h"
#include "records/error.h"
#include "support/contacts_on_file.h"

// Expected records name only the fields that are set; the rest keep their defaults.
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"

namespace qm {
namespace {

// One CSV line of `width` fields, the given ones set, the others empty.
std::string line(std::size_t width, const std::map<std::size_t, std::string>& set) {
    std::string out;
    for (std::size_t i = 0; i < width; ++i) {
        if (i > 0) {
            out += ',';
        }
        if (const auto it = set.find(i); it != set.end()) {
            out += it->second;
        }
    }
    return out;
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) {
        out += l + "\r\n";
    }
    return out;
}

ContactRecord onFile(std::string first, std::string last, std::string email) {
    ContactRecord r;
    r.firstName = std::move(first);
    r.lastName = std::move(last);
    r.email = std::move(email);
    return r;
}

// The import into a contact file that holds `existing`.
ImportResult importText(const std::string& text, const std::vector<ContactRecord>& existing = {},
                        bool remindersOn = true) {
    test::ContactsOnFile contacts(existing);
    return importContacts(text, indexContacts(contacts.file()), remindersOn);
}

const std::string kLayoutAHeader = line(33, {{0, "First"},
                                             {1, "Middle"},
                                             {2, "Last"},
                                             {4, "Email"},
                                             {5, "Category"},
                                             {8, "Home"},
                                             {9, "Work"},
                                             {10, "Yahoo! Phone"},
                                             {12, "Mobile"},
                                             {21, "Company"},
                                             {27, "Home Address"},
                                             {28, "Home City"},
                                             {29, "Home State"},
                                             {30, "Home ZIP"},
                                             {31, "Home Country"},
                                             {32, "Birthday"}});

const std::string kLayoutBHeader = line(26, {{0, "First Name"},
                                             {1, "Middle Name"},
                                             {2, "Last Name"},
                                             {8, "Birthday"},
                                             {14, "E-mail Address"},
                                             {17, "Primary Phone"},
                                             {18, "Home Phone"},
                                             {20, "Mobile Phone"},
                                             {25, "Web Page"}});

const std::string kLayoutDHeader =
    "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Company,Include Company in "
    "Address,Home Phone,Cell Phone,Work Phone,Email,Birthdate,Category,Notes";

// --- Lines and fields ---------------------------------------------------------------------

TEST(CsvRecords, EndAtCarriageReturnsOrAtLineFeedsWhenTheFileHasNoCarriageReturn) {
    using Records = std::vector<std::vector<std::string>>;
    struct Case {
        const char* text;
        Records expected;
    };
    const Case cases[] = {
        {"a,b\r\nc\r\n", {{"a", "b"}, {"c"}}},
        {"a\rb", {{"a"}, {"b"}}},
        {"a\nb\nc\n", {{"a"}, {"b"}, {"c"}}},  // Linux and macOS files
        {"a\nb\r\nc", {{"a\nb"}, {"c"}}},      // one carriage return: line feeds stay in lines
        {"a\r\n\r\n , \r\nb,", {{"a"}, {"b", ""}}},
        {"\"x, \"\"y\"\"\",z\r\n", {{"x, \"y\"", "z"}}},  // quoted comma, doubled quote
        {"\"1 Oak\r\nApt 2\",z\r\nq", {{"1 Oak\r\nApt 2", "z"}, {"q"}}},  // quoted line break
        {"\"a\"b,c", {{"ab", "c"}}},                  // text after the closing quote is kept
        {"\"open,c\r\nd", {{"\"open", "c"}, {"d"}}},  // a quote never closed is a character
        {"", {}},
    };
    for (const Case& c : cases) {
        CsvReader reader(c.text);
        Records records;
        for (CsvRecord r; reader.next(r);) {
            records.push_back(r.fields);
        }
        EXPECT_EQ(records, c.expected) << c.text;
    }
}

// --- Layout recognition -------------------------------------------------------------------

TEST(CsvLayouts, FirstRuleThatHoldsWins) {
    struct Case {
        std::string header;
        std::optional<CsvLayout> expected;
    };
    const Case cases[] = {
        {kLayoutAHeader, CsvLayout::A},
        {"First,Last,Yahoo Phone,Primary Phone,Web Page", CsvLayout::A},
        {kLayoutBHeader, CsvLayout::B},
        {"Name,E-mail Address,Notes", CsvLayout::C},
        // Names then e-mail, yet the pair "Name,E-mail Address" makes it C.
        {"First Name,Last Name,E-mail Address,Phone", CsvLayout::C},
        {kLayoutDHeader, CsvLayout::D},
        {"First Name,Last Name,Email", CsvLayout::E},
        {"First Name,Last Name,Distribution Lists,Email", std::nullopt},
        {"Title,Email,Phone", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(detectLayout(c.header), c.expected) << c.header;
    }
}

TEST(CsvLayouts, NoLayoutReadsNamedColumnsAndAnEmptyFileIsAnError) {
    const ImportResult unknown = importText(crlf({"Title,Email", "Mr,a@b.com"}));
    EXPECT_EQ(unknown.outcome, ImportOutcome::Done);
    ASSERT_EQ(unknown.records.size(), 1u);
    EXPECT_EQ(unknown.records[0].email, "a@b.com");
    EXPECT_EQ(importText(crlf({"Title,Phone", "Mr,555-1234"})).outcome,
              ImportOutcome::NotCompatible);
    EXPECT_THROW(importText(""), QmError);
}

TEST(CsvLines, BlankLinesHoldNoContactAndStopNothing) {
    const std::string a = line(33, {{0, "Ann"}, {2, "Lee"}, {4, "ann@x.com"}});
    const std::string b = line(26, {{0, "Ann"}, {2, "Lee"}, {14, "ann@x.com"}});
    const std::string d = "Ann,,Lee,,,,,,,,0,,,,ann@x.com,,,";
    const std::string bob = "Bob,,Ray,,,,,,,,0,,,,bob@x.com,,,";
    const std::string files[] = {
        kLayoutAHeader + "\r\n" + a + "\r\n\r\n",      // doubled line end
        kLayoutBHeader + "\r\n\r\n" + b + "\r\n",      // blank line after the header
        kLayoutDHeader + "\r\n" + d + "\r\n   \r\n",   // blanks only
        kLayoutDHeader + "\r\r\n" + d + "\r\r\n",      // CR CR LF line ends
        kLayoutDHeader + "\n" + d + "\n\n",            // line feeds only
        kLayoutAHeader + "\r\n" + a + "\r\n\"\"\r\n",  // a line of quotes alone
    };
    for (const std::string& file : files) {
        const ImportResult r = importText(file);
        EXPECT_EQ(r.outcome, ImportOutcome::Done) << file;
        ASSERT_EQ(r.records.size(), 1u) << file;
        EXPECT_EQ(r.records[0].email, "ann@x.com");
    }
    // A blank line between contacts does not end the file.
    const ImportResult both = importText(crlf({kLayoutDHeader, d, "", bob}));
    EXPECT_EQ(both.records.size(), 2u);
}

// --- Layout A -----------------------------------------------------------------------------

TEST(LayoutA, MapsAndCleansAddressBookColumns) {
    // clang-format off
    const std::string ann = line(33, {
        {0, "\"Ann\""}, {1, "Marie"}, {2, "Lee"}, {4, "ann@x.com"}, {5, "Family"},
        {8, "555 1234"}, {9, "555-9876"}, {12, "555-1111"}, {21, "Acme"},
        {27, "12 Elm Street"}, {28, "Springfield"}, {29, "il"}, {30, "62701-1234"},
        {31, "USA"}, {32, "4/1/1975"}});
    const std::string bo = line(33, {
        {0, "Bo"}, {2, "Ray"}, {8, "555-12x4"}, {9, "5551234"}, {27, "Elm"},
        {28, "Area 51"}, {29, "N#"}, {30, "6a701"}, {31, "Zone 9"}, {32, "1980-04-10"}});
    // clang-format on
    const ImportResult r = importText(crlf({kLayoutAHeader, ann, bo}));
    ASSERT_EQ(r.outcome, ImportOutcome::Done);
    ASSERT_EQ(r.records.size(), 2u);
    // A home phone without "-" is dropped, then takes the work phone.
    EXPECT_EQ(r.records[0], (ContactRecord{.firstName = "Ann",
                                           .middleInitial = "M",
                                           .lastName = "Lee",
                                           .street = "12 Elm Street",
                                           .city = "Springfield",
                                           .state = "IL",
                                           .zip = "62701-1234",
                                           .country = "USA",
                                           .homePhone = "555-9876",
                                           .cellPhone = "555-1111",
                                           .workPhone = "555-9876",
                                           .email = "ann@x.com",
                                           .birthdate = "19750401",
                                           .category = "Family",
                                           .company = "Acme",
                                           .includeCompany = "1",
                                           .reminder = "1"}));
    // Every value that does not fit its rule is dropped; the birthdate by the century rule.
    EXPECT_EQ(r.records[1],
              (ContactRecord{
                  .firstName = "Bo", .lastName = "Ray", .includeCompany = "1", .reminder = "1"}));
}

TEST(LayoutA, ShortLineGivesEmptyFields) {
    const std::string good = line(33, {{0, "Ann"}, {2, "Lee"}, {4, "ann@x.com"}});
    const ImportResult r = importText(crlf({kLayoutAHeader, good, "Bob,,Ray,,bob@x.com"}));
    ASSERT_EQ(r.outcome, ImportOutcome::Done);
    ASSERT_EQ(r.records.size(), 2u);
    EXPECT_EQ(r.records[1].email, "bob@x.com");
    EXPECT_EQ(r.records[1].city, "");
}

// --- Birthdates ---------------------------------------------------------------------------

TEST(Birthdates, NormalisedPerLayout) {
    struct Case {
        const char* value;
        char separator;
        bool check;
        const char* stored;
    };
    const Case cases[] = {
        {"4/1/1975", '/', true, "19750401"},
        {"12/5/1980", '/', true, "19801205"},
        {"4/10/1980", '/', true, "19800410"},
        {"04/10/1980", '/', true, "19800410"},
        {"13/01/1980", '/', true, ""},
        {"01/32/1980", '/', true, ""},
        {"4-1-1975", '-', false, "19750401"},
        {"13-01-1980", '-', false, "19801301"},
        {"", '/', true, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(normaliseBirthdate(c.value, c.separator, c.check), c.stored) << c.value;
    }
}

TEST(Cleaning, BlanksAroundValuesDoNotSpoilIt) {
    // Hand-edited files put a blank after each comma; the values still read as they mean.
    const std::string a = line(33, {{0, " Ann"},
                                    {1, " Marie"},
                                    {2, "Lee "},
                                    {4, " ann@x.com"},
                                    {29, " il "},
                                    {32, " 4/1/1975 "}});
    const std::string b =
        line(26, {{0, "Ann"}, {1, " M"}, {2, "Lee"}, {8, "12/5/1980 "}, {14, "ann@x.com"}});
    const std::string d = "Ann, M, Lee,,,,  il ,,,,0,,,,ann@x.com, 04-10-1980,,";
    for (const std::string& file :
         {crlf({kLayoutAHeader, a}), crlf({kLayoutBHeader, b}), crlf({kLayoutDHeader, d})}) {
        const ImportResult r = importText(file);
        ASSERT_EQ(r.records.size(), 1u) << file;
        const ContactRecord& c = r.records[0];
        EXPECT_EQ(c.firstName + "|" + c.middleInitial + "|" + c.lastName, "Ann|M|Lee") << file;
        EXPECT_EQ(c.email, "ann@x.com");
        EXPECT_NE(c.birthdate, "");
        EXPECT_EQ(c.birthdate.find_first_not_of("0123456789"), std::string::npos) << c.birthdate;
    }
    EXPECT_EQ(importText(crlf({kLayoutAHeader, a})).records[0].state, "IL");
    EXPECT_EQ(importText(crlf({kLayoutDHeader, d})).records[0].state, "IL");
}

TEST(Birthdates, OnlyDatesOfTheTwoCenturiesAreStored) {
    struct Case {
        std::string file;
        const char* stored;
    };
    const auto a = [](const char* birthday) {
        return crlf({kLayoutAHeader, line(33, {{0, "Ann"}, {2, "Lee"}, {32, birthday}})});
    };
    const auto d = [](const char* birthdate) {
        return crlf({kLayoutDHeader, std::string("Ann,,Lee,,,,,,,,0,,,,,") + birthdate + ",,"});
    };
    const Case cases[] = {
        {a("4/1/1975"), "19750401"},
        {a("1/2/1880"), ""},
        {a("April 1 1980"), ""},  // would be rearranged into "1980Apil"
        {d("04-10-1980"), "19800410"},
        {d("13-01-1980"), "19801301"},  // no month and day check here
        {d("4/10/1980"), ""},           // a spreadsheet's own form: "19804/0/"
        {d("ab-cd-2001"), "2001abcd"},  // the export's own form reads back as it was stored
    };
    for (const Case& c : cases) {
        const ImportResult r = importText(c.file);
        ASSERT_EQ(r.records.size(), 1u) << c.file;
        EXPECT_EQ(r.records[0].birthdate, c.stored) << c.file;
    }
}

// --- Layout B -----------------------------------------------------------------------------

TEST(LayoutB, MapsCleansAndSkips) {
    // clang-format off
    const std::string ann = line(26, {
        {0, "Ann"}, {1, "Marie"}, {2, "Lee"}, {8, "12/5/1980"}, {14, "ann@x.com"},
        {18, "+1 (555) 123-4567"}, {20, "5551234"}});
    // clang-format on
    const std::string noLastName = line(26, {{0, "Bob"}, {14, "bob@x.com"}});
    const std::string noEmail = line(26, {{0, "Cy"}, {2, "Dee"}});
    const ImportResult r = importText(crlf({kLayoutBHeader, ann, noLastName, noEmail}));
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(r.records[0], (ContactRecord{.firstName = "Ann",
                                           .middleInitial = "M",
                                           .lastName = "Lee",
                                           .homePhone = "1 555 123-4567",
                                           .email = "ann@x.com",
                                           .birthdate = "19801205",
                                           .includeCompany = "1",
                                           .reminder = "1"}));
}

// --- Layout C -----------------------------------------------------------------------------

TEST(LayoutC, KeepsNamesAndEmailAndTakesTheOtherColumnsByName) {
    const ImportResult r =
        importText(crlf({"First Name,Last Name,E-mail Address,Phone", "Ann,Lee,ann@x.com,555-1234",
                         "Bob,Ray,bob@x.de", ",Dee,dee@x.com"}));
    ASSERT_EQ(r.records.size(), 2u);
    EXPECT_EQ(r.records[0], (ContactRecord{.firstName = "Ann",
                                           .lastName = "Lee",
                                           .homePhone = "555-1234",
                                           .email = "ann@x.com",
                                           .includeCompany = "1",
                                           .reminder = "1"}));
    EXPECT_EQ(r.records[1].email, "bob@x.de");  // every domain is real
    EXPECT_EQ(r.counts.withoutNameOrEmail, 1u);

    // A header that begins with "Name" has no name column of the layout: named columns.
    const ImportResult named =
        importText(crlf({"Name,E-mail Address,Phone", "Ann Lee,ann@x.com,(555) 123-4567"}));
    ASSERT_EQ(named.records.size(), 1u);
    EXPECT_EQ(named.records[0].firstName + "|" + named.records[0].lastName, "Ann|Lee");
    EXPECT_EQ(named.records[0].homePhone, "555-123-4567");
}

TEST(LayoutD, QuotedCommaStaysInItsColumn) {
    const std::string data =
        "Ann,,\"Smith, Jr.\",\"12 Elm St, Apt 4\",,Springfield,IL,62701,\"U,S\",,0,,,,ann@x.com,,,";
    const ImportResult r = importText(crlf({kLayoutDHeader, data}));
    ASSERT_EQ(r.records.size(), 1u);
    const ContactRecord& c = r.records[0];
    // Commas leave as Add Contact takes them out: the export writes values unquoted.
    EXPECT_EQ(c.lastName, "Smith Jr.");
    EXPECT_EQ(c.street, "12 Elm St Apt 4");
    EXPECT_EQ(c.city, "Springfield");
    EXPECT_EQ(c.state, "IL");
    EXPECT_EQ(c.country, "U S");
    EXPECT_EQ(c.email, "ann@x.com");
}

TEST(LayoutE, TakesNamesAndEmailAndTheRestByName) {
    const ImportResult r =
        importText(crlf({"First Name,Last Name,Street,City,State,Zip,Phone,E-mail Address,Notes",
                         "Bob,Ray,1 Main St,Town,st,12345,555-1234,bob@x.com,a note",
                         "Cy,Dee,1 Main St,Town,ST,12345,555-1234,cy@x.de,no domain ending",
                         ",Eve,1 Main St,Town,ST,12345,555-1234,eve@x.com,no first field"}));
    ASSERT_EQ(r.records.size(), 2u);
    EXPECT_EQ(r.records[0], (ContactRecord{.firstName = "Bob",
                                           .lastName = "Ray",
                                           .street = "1 Main St",
                                           .city = "Town",
                                           .state = "ST",
                                           .zip = "12345",
                                           .homePhone = "555-1234",
                                           .email = "bob@x.com",
                                           .notes = "a note",
                                           .includeCompany = "1",
                                           .reminder = "1"}));
}

TEST(LayoutE, ShortLinesAndHeadersWithoutItsColumns) {
    // The e-mail column among the first seven no longer stops the import.
    const ImportResult r = importText(
        crlf({"First Name,Last Name,Email,Phone", "Bob,Ray,bob@x.com,555-1234", "Cy,Dee"}));
    ASSERT_EQ(r.outcome, ImportOutcome::Done);
    ASSERT_EQ(r.records.size(), 2u);
    EXPECT_EQ(r.records[1].lastName, "Dee");
    // Without the layout's e-mail column the named columns read the file.
    const ImportResult named = importText(crlf({"First Name,Last Name,Mail", "Bob,Ray,x"}));
    ASSERT_EQ(named.records.size(), 1u);
    EXPECT_EQ(named.records[0].lastName, "Ray");
}

// --- Duplicates and writing ---------------------------------------------------------------

std::string layoutDFile(const std::vector<std::array<std::string, 3>>& people) {
    std::vector<std::string> lines{kLayoutDHeader};
    for (const auto& [first, last, email] : people) {
        lines.push_back(first + ",," + last + ",,,,,,,,0,,,," + email + ",,,");
    }
    return crlf(lines);
}

TEST(Duplicates, ImportingTheSameFileTwiceAddsNothing) {
    const std::string file =
        layoutDFile({{"Ann", "Lee", "ann@x.com"}, {"Bob", "Ray", "bob@x.com"}});
    const ImportResult first = importText(file);
    ASSERT_EQ(first.records.size(), 2u);
    EXPECT_TRUE(importText(file, first.records).records.empty());
}

TEST(Duplicates, ValuesLongerThanTheirFieldsAreFoundAgain) {
    // Stored cut to 50 characters; an address of 60 must still match its copy on file.
    const std::string longEmail = std::string(48, 'a') + "@example.com";
    const std::string file = layoutDFile({{"Maximilianus", "Vanderbiltshausen", longEmail},
                                          {"Maximilianus", "Vanderbiltshausen", ""},
                                          {"Bob", "Ray", longEmail + "x"}});
    const ImportResult first = importText(file);
    ASSERT_EQ(first.records.size(), 3u);
    EXPECT_EQ(first.records[0].email.size(), 50u);
    EXPECT_EQ(first.records[0].firstName, "Maximilianu");
    EXPECT_TRUE(importText(file, first.records).records.empty());
}

TEST(Duplicates, EmptyEmailsAreNotEqual) {
    // A record without e-mail on file must not swallow every new contact without one.
    const std::vector<ContactRecord> existing = {onFile("Zed", "Zulu", "")};
    const ImportResult r =
        importText(layoutDFile({{"Ann", "Lee", ""}, {"Bob", "Ray", ""}}), existing);
    EXPECT_EQ(r.records.size(), 2u);
}

TEST(Duplicates, ContactWithoutNamesOrEmailIsSkipped) {
    const ImportResult r = importText(layoutDFile({{"", "", ""}, {"", "", "x@y.com"}}));
    ASSERT_EQ(r.records.size(), 1u);
    EXPECT_EQ(r.records[0].email, "x@y.com");
}

TEST(Duplicates, NameTestIsCaseSensitiveContainment) {
    const std::vector<ContactRecord> existing = {onFile("Anne", "Leeds", "anne@x.com")};
    struct Case {
        std::array<std::string, 3> person;
        bool imported;
    };
    const Case cases[] = {
        {{"Ann", "Lee", "other@x.com"}, false},
        {{"ann", "Lee", "other@x.com"}, true},
        {{"Ann", "", ""}, false},          // an empty last name occurs in any last name
        {{"", "", "anne@x.com"}, false},   // e-mail match
        {{"Bo", "Le", "b@x.com"}, true},   // too short to narrow: full scan, no match
        {{"An", "Le", "b@x.com"}, false},  // too short to narrow: full scan, match
    };
    for (const Case& c : cases) {
        const ImportResult r = importText(layoutDFile({c.person}), existing);
        EXPECT_EQ(r.records.size(), c.imported ? 1u : 0u) << c.person[0] << " " << c.person[1];
    }
}

TEST(Duplicates, ContactsOfTheSameImportAreNotCompared) {
    const ImportResult r =
        importText(layoutDFile({{"Ann", "Lee", "ann@x.com"}, {"Ann", "Lee", "ann@x.com"}}));
    EXPECT_EQ(r.records.size(), 2u);
}

// --- Encodings ----------------------------------------------------------------------------

TEST(Encodings, Utf8AndUtf16FilesAreReadAlike) {
    const std::string utf8 = layoutDFile({{"Jos\xC3\xA9", "Lee", "jose@x.com"}});
    std::string utf16le = "\xFF\xFE";
    for (unsigned char c : std::string(layoutDFile({{"Jos\xE9", "Lee", "jose@x.com"}}))) {
        utf16le += static_cast<char>(c);
        utf16le += '\0';
    }
    for (const std::string& bytes : {utf8, "\xEF\xBB\xBF" + utf8, utf16le}) {
        const ImportResult r = importText(bytes);
        ASSERT_EQ(r.records.size(), 1u);
        EXPECT_EQ(r.records[0].firstName, "Jos\xC3\xA9");
    }
}

TEST(Encodings, LineFeedFilesImportEveryLine) {
    std::string file = layoutDFile({{"Ann", "Lee", "ann@x.com"}, {"Bob", "Ray", "bob@x.com"}});
    std::erase(file, '\r');
    EXPECT_EQ(importText(file).records.size(), 2u);
}

}  // namespace
}  // namespace qm
