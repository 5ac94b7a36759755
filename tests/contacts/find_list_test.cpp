#include "contacts/find_list.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

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
    const auto list = buildFindList(
        {named("Carl", "", "Smith"), named("anna", "B", "Jones"), named("Bob", "", "Lee")});
    const std::vector<FindEntry> expected = {
        {"anna B Jones", 2}, {"Bob  Lee", 3}, {"Carl  Smith", 1}};
    EXPECT_EQ(list, expected);
}

TEST(FindList, EqualNamesStayInFileOrder) {
    const auto list =
        buildFindList({named("ann", "", "X"), named("Ann", "", "x"), named("ANN", "", "X")});
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].record, 1);
    EXPECT_EQ(list[1].record, 2);
    EXPECT_EQ(list[2].record, 3);
}

TEST(FindList, EmptyFileHasNoEntries) {
    EXPECT_TRUE(buildFindList({}).empty());
}

TEST(FindList, TheOpenFileGivesTheSameList) {
    test::TempFolder folder;
    ContactFile file;
    file.open(folder.file("Friends.DAT"));
    const std::vector<ContactRecord> records = {
        named("Carl", "", "Smith"), named("anna", "B", "Jones"), named("ANNA", "B", "JONES")};
    file.appendAll(records);
    EXPECT_EQ(buildFindListOf(file), buildFindList(records));
}

}  // namespace
}  // namespace qm
