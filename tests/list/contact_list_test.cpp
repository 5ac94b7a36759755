#include "list/contact_list.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "records/contact_file.h"
#include "records/text_rules.h"
#include "support/contacts_on_file.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

ContactRecord contact(std::string first, std::string initial, std::string last,
                      std::string city = "Boston") {
    ContactRecord r;
    r.firstName = std::move(first);
    r.middleInitial = std::move(initial);
    r.lastName = std::move(last);
    r.city = std::move(city);
    r.state = "MA";
    r.zip = "02101";
    r.homePhone = "617-555-0100";
    r.cellPhone = "";
    r.email = "john@example.com";
    return r;
}

std::string column(const std::string& line, int n) {
    std::size_t from = 0;
    for (int i = 0; i < n; ++i) {
        from = line.find('\t', from) + 1;
    }
    return line.substr(from, line.find('\t', from) - from);
}

TEST(ListLine, NameColumnByEitherOrder) {
    struct Case {
        const char* initial;
        SortOrder order;
        const char* expected;
    };
    const Case cases[] = {
        {"Q", SortOrder::ByFirstName, "John Q. Smith"},
        {"Q", SortOrder::ByLastName, "Smith, John Q. "},
        {"", SortOrder::ByFirstName, "John Smith"},
        {"", SortOrder::ByLastName, "Smith, John "},
        // Only capitals A to Z make an initial part.
        {"q", SortOrder::ByFirstName, "John Smith"},
        {".", SortOrder::ByFirstName, "John Smith"},
        {"7", SortOrder::ByLastName, "Smith, John "},
        {"Z", SortOrder::ByFirstName, "John Z. Smith"},
    };
    for (const Case& c : cases) {
        const std::string line = listLine(contact("John", c.initial, "Smith"), c.order);
        EXPECT_EQ(column(line, 0), c.expected) << "initial '" << c.initial << "'";
    }
}

TEST(ListLine, KeepsRawColumnsWithTheirTrailingBlanks) {
    ContactRecord r = contact("John", "Q", "Smith");
    r.cellPhone = "555-1234";
    const std::string line = listLine(r, SortOrder::ByFirstName);
    EXPECT_EQ(line, std::string("John Q. Smith\t") + "Boston          \t" + "MA\t" +
                        "02101     \t" + "617-555-0100   \t" + "555-1234       \t" +
                        "john@example.com" + std::string(34, ' '));
}

TEST(ListLine, PhonesWhoseNumberValueIsBelowOneShowAsBlanks) {
    struct Case {
        const char* phone;
        bool blank;
    };
    const Case cases[] = {
        {"", true},    {"(617) 555-0100", true},  {"000-555-0100", true}, {"x-555", true},
        {"0.9", true}, {"1-800-555-0100", false}, {"555-1234", false},
    };
    for (const Case& c : cases) {
        ContactRecord r = contact("A", "", "B");
        r.homePhone = c.phone;
        r.cellPhone = c.phone;
        const std::string line = listLine(r, SortOrder::ByFirstName);
        const std::string expected = c.blank ? std::string(22, ' ') : fitWidth(c.phone, 15);
        EXPECT_EQ(column(line, 4), expected) << c.phone;
        EXPECT_EQ(column(line, 5), expected) << c.phone;
    }
}

TEST(Search, SubstringIgnoringCaseExceptTheZipCode) {
    ContactRecord boston = contact("A", "", "B", "Boston");
    ContactRecord bossier = contact("C", "", "D", "Bossier City");
    ContactRecord loud = contact("E", "", "F", "BOSTON");
    ContactRecord other = contact("G", "", "H", "Albany");
    for (const ContactRecord& r : {boston, bossier, loud}) {
        EXPECT_TRUE(matchesSearch(r, SearchField::City, "bos")) << r.city;
    }
    EXPECT_FALSE(matchesSearch(other, SearchField::City, "bos"));

    ContactRecord canada = contact("I", "", "J");
    canada.zip = "K1A 0B1";
    EXPECT_FALSE(matchesSearch(canada, SearchField::Zip, "k1a"));
    EXPECT_TRUE(matchesSearch(canada, SearchField::Zip, "K1A"));

    // A state search is a substring test, not equality.
    for (const char* state : {"CA", "AZ", "MA", "ga"}) {
        ContactRecord r = contact("K", "", "L");
        r.state = state;
        EXPECT_TRUE(matchesSearch(r, SearchField::State, "A")) << state;
    }
    ContactRecord ny = contact("M", "", "N");
    ny.state = "NY";
    EXPECT_FALSE(matchesSearch(ny, SearchField::State, "A"));
}

TEST(Search, EmptyTextFindsEveryFilledFieldAndNoBlankOne) {
    ContactRecord withCompany = contact("A", "", "B");
    withCompany.company = "Acme";
    ContactRecord without = contact("C", "", "D");
    EXPECT_TRUE(matchesSearch(withCompany, SearchField::Company, ""));
    EXPECT_FALSE(matchesSearch(without, SearchField::Company, ""));
    EXPECT_FALSE(matchesSearch(without, SearchField::Company, "a"));
    EXPECT_TRUE(matchesSearch(without, SearchField::All, "anything"));
}

TEST(Search, EachFieldComparesItsOwnValue) {
    ContactRecord r = contact("Maria", "", "Lopez");
    r.email = "ml@Example.org";
    r.category = "Family";
    r.company = "Lopez Bakery";
    EXPECT_TRUE(matchesSearch(r, SearchField::FirstName, "ARI"));
    EXPECT_FALSE(matchesSearch(r, SearchField::FirstName, "lop"));
    EXPECT_TRUE(matchesSearch(r, SearchField::LastName, "lop"));
    EXPECT_TRUE(matchesSearch(r, SearchField::Email, "example"));
    EXPECT_TRUE(matchesSearch(r, SearchField::Category, "fam"));
    EXPECT_TRUE(matchesSearch(r, SearchField::Company, "bakery"));
    EXPECT_FALSE(matchesSearch(r, SearchField::City, "lop"));
}

TEST(BuildList, OrdersByWholeLineIgnoringCaseAndKeepsRecordNumbers) {
    const std::vector<ContactRecord> records = {
        contact("john", "", "Zeller"),   contact("Anna", "", "smith"),
        contact("Bert", "", "Smithers"), contact("Carl", "", "Smith"),
        contact("anna", "", "Adams"),
    };
    test::ContactsOnFile contacts(records);
    const auto byFirst =
        buildContactList(contacts.file(), SearchField::All, "", SortOrder::ByFirstName);
    std::vector<std::string> names;
    std::vector<int> numbers;
    for (const ListEntry& e : byFirst) {
        names.push_back(column(e.line, 0));
        numbers.push_back(e.record);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"anna Adams", "Anna smith", "Bert Smithers",
                                               "Carl Smith", "john Zeller"}));
    EXPECT_EQ(numbers, (std::vector<int>{5, 2, 3, 4, 1}));

    const auto byLast =
        buildContactList(contacts.file(), SearchField::All, "", SortOrder::ByLastName);
    names.clear();
    numbers.clear();
    for (const ListEntry& e : byLast) {
        names.push_back(column(e.line, 0));
        numbers.push_back(e.record);
    }
    // Smith before Smithers: the comma sorts before letters, keeping a last name together.
    EXPECT_EQ(names, (std::vector<std::string>{"Adams, anna ", "smith, Anna ", "Smith, Carl ",
                                               "Smithers, Bert ", "Zeller, john "}));
    EXPECT_EQ(numbers, (std::vector<int>{5, 2, 4, 3, 1}));
}

TEST(BuildList, EqualLinesKeepFileOrderAndOnlyMatchesAreListed) {
    const std::vector<ContactRecord> records = {
        contact("Sam", "", "Lee", "Austin"),
        contact("SAM", "", "LEE", "AUSTIN"),
        contact("Sam", "", "Lee", "Denver"),
        contact("sam", "", "lee", "austin"),
    };
    test::ContactsOnFile contacts(records);
    const auto list =
        buildContactList(contacts.file(), SearchField::City, "aus", SortOrder::ByFirstName);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].record, 1);
    EXPECT_EQ(list[1].record, 2);
    EXPECT_EQ(list[2].record, 4);
}

// The sort compares a short folded prefix first and whole lines only when prefixes agree:
// names that share more than the prefix and differ after it by case, by accented letters
// (folded too) or by length must still come out as a stable sort of the whole lines does.
TEST(BuildList, AgreesWithAStableSortOfWholeLines) {
    const std::vector<std::string> pieces = {"Bartholomew",  "BARTHOLOMEW", "bart", "\xC3\x89mile",
                                             "\xC3\xA9mile", "Zo\xC3\xAB",  "zoe",  ""};
    std::vector<ContactRecord> records;
    // Enough for a list sorted in two halves at once.
    for (std::size_t i = 0; i < 10000; ++i) {
        ContactRecord r =
            contact(pieces[i % pieces.size()], i % 5 == 0 ? "Q" : "",
                    pieces[(i / 3) % pieces.size()] + "-" + pieces[(i / 7) % pieces.size()],
                    i % 11 == 0 ? "Boston" : "boston");
        records.push_back(r);
    }
    test::ContactsOnFile contacts(records);
    const std::vector<ContactRecord> stored = contacts.stored();
    for (const SortOrder order : {SortOrder::ByFirstName, SortOrder::ByLastName}) {
        std::vector<ListEntry> expected;
        for (std::size_t i = 0; i < stored.size(); ++i) {
            expected.push_back({listLine(stored[i], order), static_cast<int>(i + 1)});
        }
        std::stable_sort(expected.begin(), expected.end(), [](const auto& a, const auto& b) {
            return listLineBefore(a.line, b.line);
        });
        EXPECT_EQ(buildContactList(contacts.file(), SearchField::All, "", order), expected);
    }
}

TEST(BuildList, ReadsTheOpenContactFile) {
    test::TempFolder folder;
    ContactFile file;
    file.open(folder.file("Friends.DAT"));
    EXPECT_TRUE(buildContactList(file, SearchField::All, "", SortOrder::ByFirstName).empty());
    file.appendAll({contact("Zoe", "", "Ames"), contact("Adam", "", "Young")});
    const auto list = buildContactList(file, SearchField::All, "", SortOrder::ByLastName);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(column(list[0].line, 0), "Ames, Zoe ");
    EXPECT_EQ(list[0].record, 1);
    EXPECT_EQ(list[1].record, 2);
}

TEST(PastedLines, SplitAtEveryLineBreakKeepingEmptyPieces) {
    EXPECT_EQ(splitPastedLines("X\r\nY"), (std::vector<std::string>{"X", "Y"}));
    EXPECT_EQ(splitPastedLines("\r\nA\r\nB"), (std::vector<std::string>{"", "A", "B"}));
    EXPECT_EQ(splitPastedLines("A\r\n"), (std::vector<std::string>{"A", ""}));
    EXPECT_EQ(splitPastedLines(""), (std::vector<std::string>{""}));
    // A lone line feed is part of the text.
    EXPECT_EQ(splitPastedLines("A\nB"), (std::vector<std::string>{"A\nB"}));
    EXPECT_EQ(clipboardTextOfLines({"A", "B"}), "\r\nA\r\nB");
    EXPECT_EQ(clipboardTextOfLines({}), "");
}

TEST(PastedLines, JoinTheListAtTheirSortedPlace) {
    std::vector<ListEntry> entries = {{"apple", 1}, {"Melon", 2}, {"melon", 3}, {"pear", 4}};
    EXPECT_EQ(sortedInsertPosition(entries, ""), 0u);
    EXPECT_EQ(sortedInsertPosition(entries, "MELON"), 3u);
    EXPECT_EQ(sortedInsertPosition(entries, "Kiwi"), 1u);
    EXPECT_EQ(sortedInsertPosition(entries, "zucchini"), 4u);
}

}  // namespace
}  // namespace qm
