#include "records/contact_book.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

#include "records/contact_file.h"
#include "records/error.h"
#include "records/open_contact_store.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

ContactRecord contact(const std::string& first, const std::string& last) {
    ContactRecord r;
    r.firstName = first;
    r.lastName = last;
    r.reminder = "1";
    return r;
}

std::vector<std::string> lastNames(const ContactStore& store) {
    std::vector<std::string> names;
    store.forEachRecord([&names](int, const ContactRecord& r) { names.push_back(r.lastName); });
    return names;
}

class ContactBookTest : public ::testing::Test {
  protected:
    test::TempFolder folder;
    std::string path = folder.file("Friends.qmbook");

    void writeFive() const {
        ContactBook book;
        book.open(path);
        book.appendAll({contact("A", "One"), contact("B", "Two"), contact("C", "Three"),
                        contact("D", "Four"), contact("E", "Five")});
    }
};

// Values as people write them, the card they came from, and numbers that close up after a
// deletion, seen by a second connection that had the old numbers in memory.
TEST_F(ContactBookTest, KeepsWholeValuesAndNumbersLikeTheContactFile) {
    writeFive();
    ContactBook book;
    book.open(path);
    ContactRecord long1;
    long1.firstName = "Maximilian-Alexander";
    long1.lastName = "Wojciechowska-Grzybowska";
    long1.street = "1600 Pennsylvania Avenue Northwest Suite 1200";
    long1.city = std::string(490, 'x') + "Ελληνικά Łódź";  // 1,000 characters with the blank
    long1.city += std::string(1000 - 490 - 13, 'y');
    long1.notes = "two\r\nlines  ";
    long1.card = "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Max\r\nPHOTO:...\r\nEND:VCARD\r\n";
    EXPECT_EQ(book.append(long1), 6);

    ContactBook other;
    other.open(path);
    EXPECT_EQ(other.count(), 6);
    ContactRecord stored = other.read(6);
    EXPECT_EQ(stored.lastName, long1.lastName);
    EXPECT_EQ(stored.street, long1.street);
    EXPECT_EQ(stored.city, long1.city);
    EXPECT_EQ(stored.notes, "two lines");
    EXPECT_EQ(stored.card, long1.card);
    EXPECT_EQ(other.read(1).card, "");

    book.deleteRecord(2);
    EXPECT_EQ(lastNames(other), (std::vector<std::string>{"One", "Three", "Four", "Five",
                                                          "Wojciechowska-Grzybowska"}));
    other.write(2, contact("C", "Drei"));
    const std::vector<int> numbers{5, 2, 1};
    const std::vector<ContactRecord> three = book.readRecords(numbers);
    EXPECT_EQ(three[0].lastName, long1.lastName);
    EXPECT_EQ(three[1].lastName, "Drei");
    EXPECT_EQ(three[2].lastName, "One");
    EXPECT_THROW(book.read(6), QmError);
    EXPECT_THROW(book.deleteRecord(0), QmError);

    book.setAllReminderFlags("0");
    other.forEachRecord([](int, const ContactRecord& r) { EXPECT_EQ(r.reminder, "0"); });

    ContactRecord tooLong = contact("A", std::string(1001, 'z'));
    try {
        book.append(tooLong);
        ADD_FAILURE() << "a value of 1,001 characters was stored";
    } catch (const QmError& e) {
        EXPECT_EQ(e.number(), err::kInvalidCall);
    }
    EXPECT_EQ(other.count(), 5);
}

// A value that looks like SQL is a value.
TEST_F(ContactBookTest, ValuesNeverReachTheDatabaseAsSql) {
    writeFive();
    ContactBook book;
    book.open(path);
    const std::string attack = "Robert'); DROP TABLE contacts; --";
    book.write(1, contact(attack, "O'Brien\"; DELETE FROM contacts"));
    ContactBook other;
    other.open(path);
    EXPECT_EQ(other.count(), 5);
    EXPECT_EQ(other.read(1).firstName, attack);
}

TEST_F(ContactBookTest, TheStoreIsChosenByContentThenByEnding) {
    // New: by the ending, in any case; the header then says what it is.
    const std::string upper = folder.file("New.QMBOOK");
    std::unique_ptr<ContactStore> made = openContactStore(upper);
    made->append(contact("A", "One"));
    EXPECT_NE(dynamic_cast<ContactBook*>(made.get()), nullptr);
    made->close();
    EXPECT_TRUE(looksLikeContactBook(test::readBytes(upper)));

    // Existing: by the content, whatever the name says.
    const std::string renamed = folder.file("Book.DAT");
    std::filesystem::copy_file(upper, renamed);
    EXPECT_NE(dynamic_cast<ContactBook*>(openContactStore(renamed).get()), nullptr);
    const std::string fileAsBook = folder.file("File.qmbook");
    {
        ContactFile file;
        file.open(fileAsBook);
        file.append(contact("B", "Two"));
    }
    EXPECT_NE(dynamic_cast<ContactFile*>(openContactStore(fileAsBook).get()), nullptr);
    EXPECT_NE(dynamic_cast<ContactFile*>(openContactStore(folder.file("New.DAT")).get()), nullptr);
}

// Refused with a message naming the file, and left byte for byte as it was.
TEST_F(ContactBookTest, WhatIsNoBookOfOursIsRefusedAndLeftAlone) {
    writeFive();
    const std::string book = test::readBytes(path);
    std::string newer = book;
    newer[63] = 2;  // user_version, big-endian at offset 60
    std::string foreign = book;
    foreign[71] = 'X';  // application_id
    std::string damaged = book;
    for (std::size_t i = 4096; i < 2 * 4096; ++i) {
        damaged[i] = static_cast<char>(0xA5);
    }
    const struct {
        const char* name;
        std::string bytes;
        const char* says;
    } cases[] = {
        {"newer.qmbook", newer, "newer Quillmark"},
        {"foreign.DAT", foreign, "not a contact book"},
        {"damaged.qmbook", damaged, "is damaged"},
        {"text.qmbook", "Name,City\nAnn,Oslo\n", "neither a contact book nor a contact file"},
    };
    for (const auto& c : cases) {
        const std::string at = folder.file(c.name);
        test::writeBytes(at, c.bytes);
        for (auto access : {ContactStore::Access::ReadWrite, ContactStore::Access::Read}) {
            try {
                openContactStore(at, access)->count();
                ADD_FAILURE() << c.name << " was opened";
            } catch (const QmError& e) {
                EXPECT_EQ(e.number(), err::kInvalidFileFormat) << c.name;
                EXPECT_NE(e.description().find(at), std::string::npos) << e.description();
                EXPECT_NE(e.description().find(c.says), std::string::npos) << e.description();
            }
        }
        EXPECT_EQ(test::readBytes(at), c.bytes) << c.name;
        EXPECT_FALSE(std::filesystem::exists(at + "-journal")) << c.name;
    }
}

// The lock promises of the store, between two connections: a writer waits for a Lock held
// elsewhere and gives up with error 70; what a Lock's operation wrote is kept when it
// returns, even if the process dies before the Lock ends.
TEST_F(ContactBookTest, LocksKeepOthersOutAndWritesAreKeptWhenTheyReturn) {
    writeFive();
    ContactBook holder;
    holder.open(path);
    ContactBook other;
    other.open(path);
    other.setLockWait(std::chrono::milliseconds(50));
    {
        const ContactStore::Lock lock(holder, LockKind::Exclusive);
        holder.deleteRecord(1);
        try {
            other.append(contact("X", "Late"));
            ADD_FAILURE() << "a writer got past an exclusive lock";
        } catch (const QmError& e) {
            EXPECT_EQ(e.number(), err::kFileInUse);
            EXPECT_EQ(e.description(), kFileInUseText);
        }
        EXPECT_THROW(other.count(), QmError);
    }
    {
        const ContactStore::Lock lock(holder, LockKind::Shared);
        EXPECT_EQ(other.count(), 4);
        EXPECT_THROW(other.deleteRecord(1), QmError);
        EXPECT_THROW(holder.deleteRecord(1), QmError);  // a read lock is not raised
    }
    EXPECT_EQ(other.append(contact("Y", "InTime")), 5);
    EXPECT_FALSE(std::filesystem::exists(path + "-journal"));

    const pid_t child = ::fork();
    if (child == 0) {
        ContactBook book;
        book.open(path);
        const ContactStore::Lock lock(book, LockKind::Exclusive);
        book.write(1, contact("B", "Kept"));
        ::_exit(0);  // the Lock never ends
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_EQ(other.read(1).lastName, "Kept");
    EXPECT_EQ(other.count(), 5);
}

}  // namespace
}  // namespace qm
