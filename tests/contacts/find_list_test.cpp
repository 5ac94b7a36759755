#include "contacts/find_list.h"

#include <gtest/gtest.h>

#include "support/contacts_on_file.h"

namespace qm {
namespace {

ContactRecord named(std::string first, std::string middle, std::string last) {
    ContactRecord r;
    r.firstName = std::move(first);
    r.middleInitial = std::move(middle);
    r.lastName = std::move(last);
    return r;
}

TEST(FindList, EntryTextKeepsTheBlanksOfMissingNames) {
    EXPECT_EQ(findEntryText(named("anna", "B", "Jones")), "anna B Jones");
    EXPECT_EQ(findEntryText(named("Bob", "", "Lee")), "Bob  Lee");
    EXPECT_EQ(findEntryText(named("", "", "")), "  ");
    EXPECT_EQ(findEntryText(named(" Al ", " C ", " Ray ")), "Al C Ray");
}

TEST(FindList, SortsIgnoringCaseAndKeepsRecordNumbers) {
    test::ContactsOnFile contacts(
        {named("Carl", "", "Smith"), named("anna", "B", "Jones"), named("Bob", "", "Lee")});
    const std::vector<FindEntry> expected = {
        {"anna B Jones", 2}, {"Bob  Lee", 3}, {"Carl  Smith", 1}};
    EXPECT_EQ(buildFindList(contacts.file()), expected);
}

TEST(FindList, EqualNamesStayInFileOrder) {
    test::ContactsOnFile contacts(
        {named("ann", "", "X"), named("Ann", "", "x"), named("ANN", "", "X")});
    const auto list = buildFindList(contacts.file());
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].record, 1);
    EXPECT_EQ(list[1].record, 2);
    EXPECT_EQ(list[2].record, 3);
}

TEST(FindList, EmptyFileHasNoEntries) {
    test::ContactsOnFile contacts;
    EXPECT_TRUE(buildFindList(contacts.file()).empty());
}

TEST(FindList, ShowsTheNamesAsTheFileHoldsThem) {
    test::ContactsOnFile contacts({named("  Christopherson", "b", "Smith")});
    EXPECT_EQ(buildFindList(contacts.file()), (std::vector<FindEntry>{{"Christopher b Smith", 1}}));
}

}  // namespace
}  // namespace qm
