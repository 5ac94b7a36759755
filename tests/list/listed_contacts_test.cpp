#include "list/listed_contacts.h"

#include <gtest/gtest.h>

#include "records/contact_file.h"
#include "records/error.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

// Labels read the list's records in list order, copy after copy; the reader serves them a
// block at a time and must hand out the right contact for every label.
TEST(ListedContacts, ServesTheListInOrderCopyAfterCopy) {
    test::TempFolder folder;
    ContactFile file;
    file.open(folder.file("Friends.DAT"));
    std::vector<ContactRecord> all(600);
    for (std::size_t i = 0; i < all.size(); ++i) {
        all[i].lastName = "L" + std::to_string(i + 1);
    }
    file.appendAll(all);
    std::vector<int> records;
    for (int i = 0; i < 550; ++i) {
        records.push_back((i * 37) % 600 + 1);  // list order is not file order
    }
    ListedContacts listed(file, records);
    for (int copy = 0; copy < 2; ++copy) {
        for (int n : records) {
            ASSERT_EQ(listed(n).lastName, "L" + std::to_string(n)) << "copy " << copy;
        }
    }
    // A record out of the list's order is still the record asked for.
    EXPECT_EQ(listed(5).lastName, "L5");
    EXPECT_EQ(listed(records[0]).lastName, "L" + std::to_string(records[0]));
    EXPECT_EQ(listed(records[1]).lastName, "L" + std::to_string(records[1]));

    // A list within one block: its contacts were handed out, so each copy reads them again.
    const std::vector<int> shortList = {3, 1, 2};
    ListedContacts few(file, shortList);
    for (int copy = 0; copy < 3; ++copy) {
        for (int n : shortList) {
            ASSERT_EQ(few(n).lastName, "L" + std::to_string(n)) << "short list, copy " << copy;
        }
    }
}

TEST(ListedContacts, ARecordNoLongerOnFileFails) {
    test::TempFolder folder;
    ContactFile file;
    file.open(folder.file("Friends.DAT"));
    file.appendAll({ContactRecord{}, ContactRecord{}});
    const std::vector<int> records = {2, 1};
    ListedContacts listed(file, records);
    file.deleteRecord(1);
    try {
        listed(2);
        FAIL() << "read a record beyond the file";
    } catch (const QmError& e) {
        EXPECT_EQ(e.number(), err::kBadRecordNumber);
    }
}

}  // namespace
}  // namespace qm
