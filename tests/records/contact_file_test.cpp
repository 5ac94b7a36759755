#include "records/contact_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "records/error.h"
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

class ContactFileTest : public ::testing::Test {
  protected:
    test::TempFolder folder;
    std::string path = folder.file("Friends.DAT");
};

TEST_F(ContactFileTest, OpeningAMissingPathCreatesAnEmptyFile) {
    ContactFile file;
    file.open(path);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(file.count(), 0);
    EXPECT_EQ(file.append(contact("Ann", "Able")), 1);
    EXPECT_EQ(std::filesystem::file_size(path), kRecordSize);
}

TEST_F(ContactFileTest, CountRoundsTheLengthHalvesToEven) {
    ContactFile file;
    for (const auto& [length, expected] : std::vector<std::pair<std::size_t, int>>{
             {0, 0}, {256, 0}, {257, 1}, {513, 1}, {769, 1}, {770, 2}, {1282, 2}, {1283, 3}}) {
        test::writeBytes(path, std::string(length, 'x'));
        file.open(path);
        EXPECT_EQ(file.count(), expected) << "length " << length;
    }
    // 1.5 records rounds to 2 (even) and 2.5 to 2: the halves
    test::writeBytes(path, std::string(kRecordSize * 5 / 2 + 0, 'x'));
    file.open(path);
    EXPECT_EQ(file.count(), 2);
}

TEST_F(ContactFileTest, ReadsAShortLastRecordWithBlanks) {
    const RecordBytes full = encodeRecord(contact("Ann", "Able"));
    test::writeBytes(path, std::string(full.data(), kRecordSize) + std::string(full.data(), 300));
    ContactFile file;
    file.open(path);
    ASSERT_EQ(file.count(), 2);
    const ContactRecord second = file.read(2);
    EXPECT_EQ(second.lastName, "Able");
    EXPECT_EQ(second.reminder, "");
    EXPECT_EQ(file.readAll().size(), 2u);
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
    EXPECT_FALSE(std::filesystem::exists(folder.file(ContactFile::tempFileName())));
    // The file stays open and usable.
    EXPECT_EQ(file.append(contact("F", "Six")), 5);
}

TEST_F(ContactFileTest, DeleteDropsRecordsLeftMarkedByAnEarlierFailure) {
    ContactFile file;
    file.open(path);
    file.appendAll({contact("*DELETED*", "Stale"), contact("B", "Two"), contact("C", "Three")});
    file.deleteRecord(3);
    EXPECT_EQ(lastNames(file), (std::vector<std::string>{"Two"}));
}

TEST_F(ContactFileTest, StaleTemporaryFileContributesNothing) {
    const RecordBytes stale = encodeRecord(contact("Old", "Leftover"));
    test::writeBytes(folder.file("Tempf"), std::string(stale.data(), kRecordSize) +
                                               std::string(stale.data(), kRecordSize) +
                                               std::string(stale.data(), kRecordSize));
    ContactFile file;
    file.open(path);
    file.appendAll({contact("A", "One"), contact("B", "Two")});
    file.deleteRecord(1);
    EXPECT_EQ(lastNames(file), (std::vector<std::string>{"Two"}));
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

// Fails the n-th call of one kind of operation, as a full disk or a lost device would.
class FailingOps : public FileOps {
  public:
    enum class Step { OpenTruncate, WriteAt, Sync, Rename, SyncFolder, OpenReadWrite };
    Step failAt;
    int failOnCall;
    int calls = 0;

    FailingOps(Step step, int call) : failAt(step), failOnCall(call) {}

    void maybeFail(Step step) {
        if (step == failAt && ++calls == failOnCall) {
            throw QmError(28, "No space left on device");
        }
    }
    int openTruncate(const std::string& p) override {
        maybeFail(Step::OpenTruncate);
        return FileOps::openTruncate(p);
    }
    int openReadWrite(const std::string& p) override {
        maybeFail(Step::OpenReadWrite);
        return FileOps::openReadWrite(p);
    }
    void writeAt(int fd, const char* d, std::size_t n, std::int64_t o) override {
        maybeFail(Step::WriteAt);
        FileOps::writeAt(fd, d, n, o);
    }
    void sync(int fd) override {
        maybeFail(Step::Sync);
        FileOps::sync(fd);
    }
    void rename(const std::string& a, const std::string& b) override {
        maybeFail(Step::Rename);
        FileOps::rename(a, b);
    }
    void syncFolder(const std::string& f) override {
        maybeFail(Step::SyncFolder);
        FileOps::syncFolder(f);
    }
};

TEST_F(ContactFileTest, AFailureAtAnyStepOfTheDeletionKeepsEveryContact) {
    using Step = FailingOps::Step;
    // Writes: 1 = the marker, 2 = the survivors into the temporary file. Up to the rename a
    // failure leaves the file as it was, with no half-made temporary file; after it the
    // deletion is complete.
    struct Case {
        Step step;
        int call;
        std::vector<std::string> expected;
    };
    const std::vector<std::string> all{"One", "Two", "Three"};
    const std::vector<std::string> compacted{"One", "Three"};
    const std::vector<Case> cases = {{Step::WriteAt, 1, all},
                                     {Step::OpenTruncate, 1, all},
                                     {Step::WriteAt, 2, all},
                                     {Step::Sync, 1, all},
                                     {Step::Rename, 1, all},
                                     {Step::SyncFolder, 1, compacted},
                                     {Step::OpenReadWrite, 2, compacted}};
    for (const Case& c : cases) {
        const std::string where = "step " + std::to_string(static_cast<int>(c.step));
        std::filesystem::remove(path);
        {
            ContactFile setup;
            setup.open(path);
            setup.appendAll({contact("A", "One"), contact("B", "Two"), contact("C", "Three")});
        }
        FailingOps ops(c.step, c.call);
        ContactFile file(ops);
        file.open(path);
        EXPECT_THROW(file.deleteRecord(2), QmError) << where;

        ContactFile check;
        check.open(path);
        EXPECT_EQ(lastNames(check), c.expected) << where;
        // The contact keeps its name: nothing is left marked for the next deletion to drop.
        for (const ContactRecord& r : check.readAll()) {
            EXPECT_NE(r.firstName, "*DELETED*") << where;
        }
        if (c.expected == all) {
            EXPECT_FALSE(std::filesystem::exists(folder.file(ContactFile::tempFileName())))
                << where;
        }
    }
}

}  // namespace
}  // namespace qm
