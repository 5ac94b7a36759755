#include "records/contact_file.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <functional>

#include "records/error.h"
#include "support/step_file_ops.h"
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

std::vector<std::string> lastNames(const ContactFile& file) {
    std::vector<std::string> names;
    for (const ContactRecord& r : file.readAll()) {
        names.push_back(r.lastName);
    }
    return names;
}

// Names in the folder, hidden ones included, sorted.
std::vector<std::string> filesIn(const test::TempFolder& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path())) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ContactFileTest : public ::testing::Test {
  protected:
    test::TempFolder folder;
    std::string path = folder.file("Friends.DAT");

    void writeThree() const {
        ContactFile file;
        file.open(path);
        file.appendAll({contact("A", "One"), contact("B", "Two"), contact("C", "Three")});
    }
    std::string threeBytes() const {
        std::string bytes;
        for (const auto& [first, last] : {std::pair{"A", "One"}, {"B", "Two"}, {"C", "Three"}}) {
            const RecordBytes r = encodeRecord(contact(first, last));
            bytes.append(r.data(), r.size());
        }
        return bytes;
    }
};

TEST_F(ContactFileTest, OpeningAMissingPathCreatesAnEmptyFile) {
    ContactFile file;
    file.open(path);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(file.count(), 0);
    EXPECT_EQ(file.append(contact("Ann", "Able")), 1);
    EXPECT_EQ(std::filesystem::file_size(path), kRecordSize);
}

// An interrupted write leaves part of a record: no reader shows it, the next writer cuts it.
TEST_F(ContactFileTest, AnIncompleteLastRecordIsLeftOutThenCutOff) {
    const RecordBytes full = encodeRecord(contact("Ann", "Able"));
    const std::string whole(full.data(), kRecordSize);
    test::writeBytes(path, whole + whole + std::string(full.data(), 300));
    std::vector<std::string> notes;
    ContactFile file;
    file.open(path);
    file.setNoteSink([&notes](const std::string& n) { notes.push_back(n); });
    EXPECT_EQ(file.count(), 2);
    EXPECT_EQ(file.readAll().size(), 2u);
    EXPECT_THROW(file.read(3), QmError);
    EXPECT_EQ(std::filesystem::file_size(path), 2 * kRecordSize + 300);
    ASSERT_EQ(notes.size(), 1u);
    EXPECT_NE(notes[0].find("300 bytes"), std::string::npos) << notes[0];
    EXPECT_NE(notes[0].find("left out"), std::string::npos) << notes[0];

    EXPECT_EQ(file.append(contact("Bob", "Baker")), 3);
    EXPECT_EQ(lastNames(file), (std::vector<std::string>{"Able", "Able", "Baker"}));
    EXPECT_EQ(std::filesystem::file_size(path), 3 * kRecordSize);
    ASSERT_EQ(notes.size(), 2u);
    EXPECT_NE(notes[1].find("cut off"), std::string::npos) << notes[1];
}

TEST_F(ContactFileTest, ReadAllMatchesReadingOneByOneAcrossBlocks) {
    ContactFile file;
    file.open(path);
    std::vector<ContactRecord> all;
    for (int i = 1; i <= 4100; ++i) {
        all.push_back(contact("N" + std::to_string(i), "Last" + std::to_string(i)));
    }
    file.appendAll(all);
    const std::vector<ContactRecord> read = file.readAll();
    ASSERT_EQ(read.size(), all.size());
    for (int n : {1, 2048, 2049, 4096, 4097, 4100}) {
        EXPECT_EQ(read[static_cast<std::size_t>(n - 1)], file.read(n)) << n;
        EXPECT_EQ(read[static_cast<std::size_t>(n - 1)].lastName, "Last" + std::to_string(n));
    }
}

// The visited record is reused: a short value after a long one must not keep the long one's
// tail, and every record number arrives once, in order, across block boundaries.
TEST_F(ContactFileTest, ForEachRecordVisitsEveryRecordInOrderWithFreshValues) {
    ContactFile file;
    file.open(path);
    std::vector<ContactRecord> all;
    for (int i = 1; i <= 2050; ++i) {
        ContactRecord r = contact(i % 2 ? "Bartholomew" : "Al", "L" + std::to_string(i));
        r.email = i % 3 ? "someone.long@example.com" : "";
        all.push_back(r);
    }
    file.appendAll(all);
    int expected = 1;
    file.forEachRecord([&](int n, const ContactRecord& r) {
        ASSERT_EQ(n, expected++);
        EXPECT_EQ(r, all[static_cast<std::size_t>(n - 1)]) << n;
    });
    EXPECT_EQ(expected, 2051);
}

TEST_F(ContactFileTest, ReadRecordsReadsTheGivenNumbersInTheirOrder) {
    writeThree();
    ContactFile file;
    file.open(path);
    const std::vector<int> numbers = {3, 1, 3, 2};
    std::vector<std::string> names;
    for (const ContactRecord& r : file.readRecords(numbers)) {
        names.push_back(r.lastName);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Three", "One", "Three", "Two"}));
    for (const std::vector<int>& bad : {std::vector<int>{1, 4}, std::vector<int>{0}}) {
        try {
            file.readRecords(bad);
            ADD_FAILURE() << "read record " << bad.back();
        } catch (const QmError& e) {
            EXPECT_EQ(e.number(), err::kBadRecordNumber);
        }
    }
}

TEST_F(ContactFileTest, WritesInPlaceAndAppendsAtTheEnd) {
    ContactFile file;
    file.open(path);
    file.append(contact("Ann", "Able"));
    file.append(contact("Bob", "Baker"));
    file.write(1, contact("Ann", "Archer"));
    EXPECT_EQ(file.count(), 2);
    EXPECT_EQ(lastNames(file), (std::vector<std::string>{"Archer", "Baker"}));
    file.close();
    file.open(path);
    EXPECT_EQ(file.read(2).firstName, "Bob");
}

TEST_F(ContactFileTest, SetsEveryReminderFlag) {
    ContactFile file;
    file.open(path);
    file.appendAll({contact("A", "One"), contact("B", "Two"), contact("C", "Three")});
    file.setAllReminderFlags("0");
    for (const ContactRecord& r : file.readAll()) {
        EXPECT_EQ(r.reminder, "0");
    }
    EXPECT_EQ(lastNames(file), (std::vector<std::string>{"One", "Two", "Three"}));
}

TEST_F(ContactFileTest, OperationsWithoutAnOpenFileFail) {
    ContactFile file;
    EXPECT_THROW(file.count(), QmError);
    EXPECT_THROW(file.read(1), QmError);
    EXPECT_THROW(file.append(contact("A", "B")), QmError);
    EXPECT_NO_THROW(file.close());
}

TEST_F(ContactFileTest, DeleteCompactsKeepingTheOrder) {
    ContactFile file;
    file.open(path);
    file.appendAll({contact("A", "One"), contact("B", "Two"), contact("C", "Three"),
                    contact("D", "Four"), contact("E", "Five")});
    file.deleteRecord(2);
    EXPECT_EQ(lastNames(file), (std::vector<std::string>{"One", "Three", "Four", "Five"}));
    EXPECT_EQ(std::filesystem::file_size(path), 4 * kRecordSize);
    EXPECT_EQ(filesIn(folder), (std::vector<std::string>{"Friends.DAT"}));
    // The file stays open and usable.
    EXPECT_EQ(file.append(contact("F", "Six")), 5);
}

// Deletion goes by position: a name is never a mark, and a file named as the temporary file
// of earlier versions is nobody's business.
TEST_F(ContactFileTest, DeleteRemovesOnlyTheRecordAtItsPosition) {
    test::writeBytes(folder.file("Tempf"), "keep me");
    ContactFile file;
    file.open(path);
    file.appendAll({contact("*DELETED*", "Marked"), contact("B", "Two"), contact("C", "Three")});
    file.deleteRecord(3);
    EXPECT_EQ(lastNames(file), (std::vector<std::string>{"Marked", "Two"}));
    file.deleteRecord(2);
    EXPECT_EQ(lastNames(file), (std::vector<std::string>{"Marked"}));
    EXPECT_EQ(test::readBytes(folder.file("Tempf")), "keep me");
}

TEST_F(ContactFileTest, TheNextWriterRemovesTemporaryFilesOfAKilledDeletion) {
    const std::string leftover = folder.file(".qmk-tmp.Friends.DAT.a1B2c3");
    const std::string otherFiles = folder.file(".qmk-tmp.Other.DAT.a1B2c3");
    const RecordBytes stale = encodeRecord(contact("Old", "Leftover"));
    test::writeBytes(leftover, std::string(stale.data(), kRecordSize));
    test::writeBytes(otherFiles, "another file's");
    ContactFile file;
    file.open(path);
    file.appendAll({contact("A", "One"), contact("B", "Two")});
    file.deleteRecord(1);
    EXPECT_EQ(lastNames(file), (std::vector<std::string>{"Two"}));
    EXPECT_FALSE(std::filesystem::exists(leftover));
    EXPECT_TRUE(std::filesystem::exists(otherFiles));
}

// The compaction replaces the contacts themselves, whatever the path the user chose looks like.
TEST_F(ContactFileTest, DeleteKeepsTheFileItselfItsLinkAndItsPermissions) {
    namespace fs = std::filesystem;
    const std::string real = folder.file("real.DAT");
    const std::string link = folder.file("Link.DAT");
    const std::string namedTempf = folder.file("Tempf");
    for (const std::string& chosen : {link, namedTempf}) {
        fs::remove(real);
        fs::remove(link);
        fs::remove(namedTempf);
        const std::string holder = chosen == link ? real : chosen;
        if (chosen == link) {
            fs::create_symlink(real, link);
        }
        ContactFile file;
        file.open(chosen);
        file.appendAll({contact("A", "One"), contact("B", "Two"), contact("C", "Three")});
        fs::permissions(holder, fs::perms::owner_read | fs::perms::owner_write);
        file.deleteRecord(2);
        EXPECT_EQ(lastNames(file), (std::vector<std::string>{"One", "Three"})) << chosen;
        EXPECT_EQ(file.path(), chosen);
        EXPECT_EQ(fs::file_size(holder), 2 * kRecordSize) << chosen;
        EXPECT_EQ(fs::status(holder).permissions(), fs::perms::owner_read | fs::perms::owner_write)
            << chosen;
        if (chosen == link) {
            EXPECT_TRUE(fs::is_symlink(link));
        }
    }
}

TEST_F(ContactFileTest, DeleteOutOfRangeIsAnError) {
    ContactFile file;
    file.open(path);
    file.append(contact("A", "One"));
    EXPECT_THROW(file.deleteRecord(0), QmError);
    EXPECT_THROW(file.deleteRecord(2), QmError);
    EXPECT_EQ(file.count(), 1);
}

std::vector<ContactRecord> threeContacts() {
    return {contact("A", "One"), contact("B", "Two"), contact("C", "Three")};
}

const std::vector<std::string> kThree{"One", "Two", "Three"};

// What one step of a writer may leave: the file before or after the change, nothing in
// between, and after the next writer no temporary file or journal.
struct Change {
    const char* name;
    std::function<void(ContactFile&)> run;
    std::vector<std::string> after;
};

const std::vector<Change>& changes() {
    static const std::vector<Change> all = {
        {"delete", [](ContactFile& f) { f.deleteRecord(2); }, {"One", "Three"}},
        {"append",
         [](ContactFile& f) { f.append(contact("D", "Four")); },
         {"One", "Two", "Three", "Four"}},
        {"append two",
         [](ContactFile& f) {
             f.appendAll({contact("D", "Four"), contact("E", "Five")});
         },
         {"One", "Two", "Three", "Four", "Five"}},
    };
    return all;
}

class ContactFileStepTest : public ContactFileTest {
  protected:
    void makeFile() {
        std::filesystem::remove(path);
        ContactFile setup;
        setup.open(path);
        setup.appendAll(threeContacts());
    }

    // The number of file operations the change makes when nothing goes wrong.
    int stepsOf(const Change& change) {
        makeFile();
        test::StepFileOps counter;
        ContactFile file(counter);
        file.open(path);
        change.run(file);
        return counter.calls;
    }

    // Makes the change in a child process that dies before step `at`.
    bool killedAt(const Change& change, int at) {
        const pid_t child = ::fork();
        if (child == 0) {
            test::StepFileOps ops(test::StepFileOps::Action::Die, at);
            ContactFile file(ops);
            file.open(path);
            change.run(file);
            ::_exit(0);
        }
        int status = 0;
        return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status);
    }

    // The file as a reader sees it, which the next writer then puts in order without
    // changing a contact.
    std::vector<std::string> namesAfterNextWriter() {
        ContactFile reader;
        reader.open(path, ContactFile::Access::Read);
        const std::vector<std::string> names = lastNames(reader);
        ContactFile writer;
        writer.open(path);
        writer.setAllReminderFlags("1");
        EXPECT_EQ(lastNames(writer), names);
        EXPECT_EQ(filesIn(folder), (std::vector<std::string>{"Friends.DAT"}));
        EXPECT_EQ(std::filesystem::file_size(path), names.size() * kRecordSize);
        return names;
    }
};

TEST_F(ContactFileStepTest, AFailureAtAnyStepKeepsEveryContactAndIsReported) {
    for (const Change& change : changes()) {
        const int steps = stepsOf(change);
        for (int at = 1; at <= steps; ++at) {
            makeFile();
            test::StepFileOps ops(test::StepFileOps::Action::Fail, at);
            ContactFile file(ops);
            bool failed = false;
            try {
                file.open(path);
                change.run(file);
            } catch (const QmError& e) {
                failed = true;
                EXPECT_EQ(e.number(), 28);
            }
            const std::string where = std::string(change.name) + " failing at step " +
                                      std::to_string(at) + " (" + ops.failedStep + ")";
            EXPECT_TRUE(failed) << where;
            const std::vector<std::string> names = namesAfterNextWriter();
            // Only the folder's flush comes after the rename (or the journal's removal): the
            // change is then complete.
            const bool complete = ops.failedStep == "syncFolder" && at == steps;
            EXPECT_EQ(names, complete ? change.after : kThree) << where;
        }
    }
}

// kill -9 at every step: a child process makes the change and dies before the step.
TEST_F(ContactFileStepTest, AKillAtAnyStepLeavesTheFileBeforeOrAfterTheChange) {
    for (const Change& change : changes()) {
        const int steps = stepsOf(change);
        for (int at = 1; at <= steps; ++at) {
            makeFile();
            const std::string where =
                std::string(change.name) + " killed at step " + std::to_string(at);
            ASSERT_TRUE(killedAt(change, at)) << where;
            const std::vector<std::string> names = namesAfterNextWriter();
            EXPECT_TRUE(names == kThree || names == change.after) << where;
        }
    }
}

// A journal names the file it was written for: once another file has taken the name, it
// cuts nothing.
TEST_F(ContactFileStepTest, AJournalOfAReplacedFileCutsNothing) {
    const Change& several = changes()[2];
    // Dies before the journal's removal: the records are written and synced.
    const int beforeRemoval = stepsOf(several) - 1;
    makeFile();
    ASSERT_TRUE(killedAt(several, beforeRemoval));
    ContactFile reader;
    reader.open(path, ContactFile::Access::Read);
    EXPECT_EQ(lastNames(reader), kThree);
    EXPECT_EQ(std::filesystem::file_size(path), 5 * kRecordSize);
    const std::string other = folder.file("Other.DAT");
    ContactFile replacement;
    replacement.open(other);
    replacement.appendAll(
        {contact("W", "Uno"), contact("X", "Dos"), contact("Y", "Tres"), contact("Z", "Cuatro")});
    std::filesystem::rename(other, path);
    EXPECT_EQ(namesAfterNextWriter(), (std::vector<std::string>{"Uno", "Dos", "Tres", "Cuatro"}));
}

TEST_F(ContactFileTest, AFileThatCannotBeWrittenIsReadAndRefusesWrites) {
    // Root may write any file, so the refusal comes through the seam.
    struct ReadOnlyOps : FileOps {
        int openReadWrite(const std::string& p) override {
            errno = EROFS;
            throwErrno("opening", p);
        }
    } readOnly;
    writeThree();
    ContactFile file(readOnly);
    file.open(path);
    EXPECT_EQ(lastNames(file), kThree);
    EXPECT_EQ(file.read(2).lastName, "Two");
    for (const auto& write : std::vector<std::function<void()>>{
             [&] { file.append(contact("D", "Four")); }, [&] { file.deleteRecord(1); },
             [&] { file.write(1, contact("A", "Uno")); }, [&] { file.setAllReminderFlags("0"); }}) {
        try {
            write();
            ADD_FAILURE() << "a write went through";
        } catch (const QmError& e) {
            EXPECT_EQ(e.number(), EROFS);
            EXPECT_NE(e.description().find("writing"), std::string::npos) << e.description();
        }
    }
    EXPECT_EQ(test::readBytes(path), threeBytes());
}

TEST_F(ContactFileTest, AWriterWaitsForTheLockThenSaysTheFileIsInUse) {
    writeThree();
    ContactFile holder;
    holder.open(path);
    ContactFile other;
    other.open(path);
    other.setLockWait(std::chrono::milliseconds(200));
    {
        const ContactFile::Lock lock(holder, LockKind::Exclusive);
        try {
            other.append(contact("D", "Four"));
            ADD_FAILURE() << "appended under another's lock";
        } catch (const QmError& e) {
            EXPECT_EQ(e.number(), err::kFileInUse);
            EXPECT_EQ(commonErrorText(e),
                      "An error has occurred. Error number 70 -- The contact file is in use by "
                      "another Quillmark window or command.  Try again, or notify author.");
        }
        EXPECT_THROW(other.count(), QmError);
    }
    {
        // Readers share.
        const ContactFile::Lock lock(holder, LockKind::Shared);
        EXPECT_EQ(other.count(), 3);
        EXPECT_THROW(other.append(contact("D", "Four")), QmError);
    }
    EXPECT_EQ(other.append(contact("D", "Four")), 4);
}

// A deletion puts a new file in place; a window that had the old one open writes to the new.
TEST_F(ContactFileTest, AnOpenFileFollowsADeletionMadeElsewhere) {
    writeThree();
    ContactFile window;
    window.open(path);
    ContactFile command;
    command.open(path);
    command.deleteRecord(1);
    EXPECT_EQ(window.count(), 2);
    EXPECT_EQ(window.append(contact("D", "Four")), 3);
    ContactFile check;
    check.open(path);
    EXPECT_EQ(lastNames(check), (std::vector<std::string>{"Two", "Three", "Four"}));
    EXPECT_EQ(window.permissions(), check.permissions());
}

TEST_F(ContactFileTest, AbsurdSizesAreAnErrorNotACrash) {
    writeThree();
    // A sparse file of more records than a record number can hold.
    ASSERT_EQ(
        ::truncate(path.c_str(), static_cast<off_t>((ContactFile::kMaxRecords + 1) * kRecordSize)),
        0);
    ContactFile file;
    file.open(path);
    for (const auto& use : std::vector<std::function<void()>>{
             [&] { file.count(); }, [&] { file.readAll(); }, [&] { file.read(1); },
             [&] { file.append(contact("D", "Four")); }}) {
        try {
            use();
            ADD_FAILURE() << "no error";
        } catch (const QmError& e) {
            EXPECT_EQ(e.number(), err::kOverflow);
            EXPECT_NE(e.description().find("2147483648 records"), std::string::npos)
                << e.description();
        }
    }
}

}  // namespace
}  // namespace qm
