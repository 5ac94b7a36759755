// Several quillmark processes on one folder or file at once, a full disk, a read-only file
// system and planted links: no contact is lost, every failure is exit 1 with its message.
// (A kill at every step: tests/records/contact_file_test.cpp.)
#include <sys/stat.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <map>
#include <memory>
#include <thread>

#include "cli/process_support.h"
#include "records/contact_file.h"
#include "records/error.h"

namespace qm::test {
namespace {

namespace fs = std::filesystem;
using Procs = std::vector<std::unique_ptr<QuillmarkProcess>>;

class ProcessTest : public CliTest {
  protected:
    std::unique_ptr<QuillmarkProcess> start(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--home", home});
        return std::make_unique<QuillmarkProcess>(args, folder.path());
    }
    CliResult runBin(const std::vector<std::string>& args) const { return start(args)->finish(); }

    static void fill(const std::string& path, const std::string& prefix, int n) {
        std::vector<ContactRecord> records;
        for (int i = 1; i <= n; ++i) {
            records.push_back(contact(prefix + std::to_string(i), "L" + std::to_string(i)));
        }
        ContactFile file;
        file.open(path);
        file.appendAll(records);
    }
    static std::vector<std::string> firstNames(const std::string& path) {
        ContactFile file;
        file.open(path, ContactFile::Access::Read);
        std::vector<std::string> names;
        for (const ContactRecord& r : file.readAll()) {
            names.push_back(r.firstName);
        }
        return names;
    }
    // Temporary files left in a folder.
    static int temporariesIn(const std::string& dir) {
        int n = 0;
        for (const auto& e : fs::directory_iterator(dir)) {
            n += e.path().filename().string().rfind(".qmk-tmp.", 0) == 0 ? 1 : 0;
        }
        return n;
    }
};

TEST_F(ProcessTest, FortyParallelAddsEachGetTheirOwnRecord) {
    Procs procs;
    for (int i = 0; i < 40; ++i) {
        procs.push_back(start({"add", dat, "--first", "P" + std::to_string(i), "--last", "Q"}));
    }
    std::map<int, int> byNumber;
    for (int i = 0; i < 40; ++i) {
        const CliResult r = procs[static_cast<std::size_t>(i)]->finish();
        ASSERT_EQ(r.status, 0) << r.err;
        byNumber[std::stoi(r.out)] = i;
    }
    const std::vector<std::string> names = firstNames(dat);
    ASSERT_EQ(names.size(), 40u);
    ASSERT_EQ(byNumber.size(), 40u);
    for (const auto& [number, i] : byNumber) {
        EXPECT_EQ(names[static_cast<std::size_t>(number - 1)], "P" + std::to_string(i));
    }
}

TEST_F(ProcessTest, DeletesOfTwoFilesInOneFolderKeepEachFileItsOwn) {
    const std::string a = folder.file("A.DAT");
    const std::string b = folder.file("B.DAT");
    fill(a, "A", 30);
    fill(b, "B", 30);
    // A file of the name earlier versions used for every deletion, and a link by that name.
    writeBytes(folder.file("victim"), "untouched");
    fs::create_symlink(folder.file("victim"), folder.file("Tempf"));
    for (int round = 0; round < 10; ++round) {
        Procs procs;
        procs.push_back(start({"delete", a, "1"}));
        procs.push_back(start({"delete", b, "1"}));
        for (auto& p : procs) {
            const CliResult r = p->finish();
            EXPECT_EQ(r.status, 0) << r.err;
        }
    }
    for (const auto& [path, prefix] : {std::pair{a, "A"}, {b, "B"}}) {
        std::vector<std::string> expected;
        for (int i = 11; i <= 30; ++i) {
            expected.push_back(prefix + std::to_string(i));
        }
        EXPECT_EQ(firstNames(path), expected);
    }
    EXPECT_EQ(readBytes(folder.file("victim")), "untouched");
    EXPECT_EQ(temporariesIn(folder.path()), 0);
}

TEST_F(ProcessTest, AddsAndDeletesOfOneFileAreTakenInTurn) {
    fill(dat, "C", 20000);
    std::vector<std::string> expected = firstNames(dat);
    for (int round = 0; round < 4; ++round) {
        Procs procs;
        procs.push_back(start({"delete", dat, "1"}));
        procs.push_back(start({"delete", dat, "1"}));
        std::this_thread::sleep_for(std::chrono::milliseconds(5 * round));
        const std::string name = "N" + std::to_string(round);
        procs.push_back(start({"add", dat, "--first", name, "--last", "Q"}));
        for (auto& p : procs) {
            const CliResult r = p->finish();
            ASSERT_EQ(r.status, 0) << r.err;
        }
        // Two deletions of record 1, in turn, take the first two contacts.
        expected.erase(expected.begin(), expected.begin() + 2);
        expected.push_back(name);
        EXPECT_EQ(firstNames(dat), expected) << "round " << round;
    }
}

TEST_F(ProcessTest, AWriterWaitsForAnotherThenSaysTheFileIsInUse) {
    fill(dat, "C", 3);
    const std::string before = readBytes(dat);
    ContactFile window;
    window.open(dat);
    const ContactFile::Lock lock(window, LockKind::Exclusive);
    const auto started = std::chrono::steady_clock::now();
    const CliResult r = runBin({"add", dat, "--first", "D", "--last", "Q"});
    EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::seconds(4));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("The contact file is in use by another Quillmark window or command."),
              std::string::npos)
        << r.err;
    EXPECT_EQ(readBytes(dat), before);
}

// flock lets readers that overlap keep a writer out for ever; the writer's turn lets it in.
TEST_F(ProcessTest, AWriterGetsItsTurnWhileReadersKeepComing) {
    fill(dat, "C", 3);
    std::atomic<bool> writerDone = false;
    std::atomic<int> readersFailed = 0;
    std::vector<std::thread> readers;
    // Each reader holds the file 100 ms, and the next comes 50 ms after it: never a moment
    // without one.
    std::thread relay([&] {
        for (int extra = 3; extra > 0; extra -= writerDone ? 1 : 0) {
            readers.emplace_back([&] {
                try {
                    ContactFile file;
                    file.open(dat, ContactFile::Access::Read);
                    const ContactFile::Lock lock(file, LockKind::Shared);
                    std::this_thread::sleep_for(std::chrono::milliseconds(100));
                } catch (const QmError&) {
                    ++readersFailed;
                }
            });
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    const CliResult r = runBin({"add", dat, "--first", "D", "--last", "Q"});
    writerDone = true;
    relay.join();
    for (std::thread& t : readers) {
        t.join();
    }
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(firstNames(dat), (std::vector<std::string>{"C1", "C2", "C3", "D"}));
    EXPECT_EQ(readersFailed, 0);
}

// kill -9 at moments spread over an import: its contacts are all there or none, for a reader
// at once and after the next change.
TEST_F(ProcessTest, AnImportKilledAtAnyMomentIsWholeOrAbsent) {
    const std::string csv = folder.file("many.csv");
    std::string lines =
        "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Company,Include Company "
        "in Address,Home Phone,Cell Phone,Work Phone,Email,Birthdate,Category,Notes\r\n";
    for (int i = 1; i <= 10000; ++i) {
        lines += "I" + std::to_string(i) + ",,Q,,,,,,,,0,,,,,,,\r\n";
    }
    writeBytes(csv, lines);
    // Kills spread from well before the records are written to after the import's end.
    fill(dat, "C", 100);
    const auto started = std::chrono::steady_clock::now();
    ASSERT_EQ(runBin({"import", dat, csv}).status, 0);
    const auto whole = std::chrono::steady_clock::now() - started;
    for (int round = 0; round < 24; ++round) {
        fs::remove(dat);
        fill(dat, "C", 100);
        auto import = start({"import", dat, csv});
        std::this_thread::sleep_for(whole * (10 + round) / 30);
        ::kill(import->pid(), SIGKILL);
        import->finish();
        const std::size_t seen = firstNames(dat).size();
        EXPECT_TRUE(seen == 100 || seen == 10100) << "round " << round << ": " << seen;
        ASSERT_EQ(runBin({"add", dat, "--first", "D", "--last", "Q"}).status, 0);
        EXPECT_EQ(firstNames(dat).size(), seen + 1) << "round " << round;
        EXPECT_EQ(fs::file_size(dat), (seen + 1) * kRecordSize);
        EXPECT_FALSE(fs::exists(folder.file(".qmk-journal.Friends.DAT")));
    }
}

TEST_F(ProcessTest, AFullDiskRefusesTheChangeAndKeepsEveryContact) {
    SmallTmpfs disk(folder.file("disk"), "64k");
    if (!disk.available()) {
        GTEST_SKIP() << disk.why();
    }
    const std::string small = folder.file("disk/home");
    const std::string file = small + "/F.DAT";
    ASSERT_EQ(runQuillmarkProcess({"--home", small, "add", file, "--first", "A", "--last", "Q"},
                                  folder.path())
                  .status,
              0);
    disk.fill();
    std::vector<std::string> expected{"A"};
    CliResult r{};
    // Each add fits into the file's last page until one needs a new page.
    for (int i = 0; i < 16; ++i) {
        const std::string name = "B" + std::to_string(i);
        r = runQuillmarkProcess({"--home", small, "add", file, "--first", name, "--last", "Q"},
                                folder.path());
        if (r.status != 0) {
            break;
        }
        expected.push_back(name);
    }
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("No space left on device"), std::string::npos) << r.err;
    EXPECT_EQ(firstNames(file), expected);
    EXPECT_EQ(fs::file_size(file), expected.size() * kRecordSize);
    for (const std::vector<std::string>& change :
         {std::vector<std::string>{"delete", file, "1"}, {"export", file, "--csv"}}) {
        std::vector<std::string> args{"--home", small};
        args.insert(args.end(), change.begin(), change.end());
        r = runQuillmarkProcess(args, folder.path());
        EXPECT_EQ(r.status, 1) << change[0];
        EXPECT_NE(r.err.find("No space left on device"), std::string::npos) << r.err;
    }
    EXPECT_EQ(firstNames(file), expected);
    EXPECT_EQ(temporariesIn(small), 0);
    EXPECT_FALSE(fs::exists(small + "/QMKC_F.csv"));
}

// A new application folder on a full disk cannot be seeded: only the commands that need the
// parameter file say so; the others work as ever.
TEST_F(ProcessTest, AFullDiskFailsOnlyTheCommandsThatNeedTheParameterFile) {
    SmallTmpfs disk(folder.file("disk"), "64k");
    if (!disk.available()) {
        GTEST_SKIP() << disk.why();
    }
    disk.fill();
    const std::string fresh = folder.file("disk/new");
    CliResult r = runQuillmarkProcess({"--home", fresh, "parse", "Ann Lee"}, folder.path());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Lee"), std::string::npos) << r.out;
    r = runQuillmarkProcess(
        {"--home", fresh, "labels", "--line", "Ann Lee", "--positions", "1", "--text"},
        folder.path());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("The application folder " + fresh +
                         " could not be prepared: No space left on device"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(temporariesIn(fresh), 0);
}

TEST_F(ProcessTest, AReadOnlyFileSystemIsReadAndRefusesChanges) {
    SmallTmpfs disk(folder.file("disk"), "1m");
    if (!disk.available()) {
        GTEST_SKIP() << disk.why();
    }
    const std::string file = folder.file("disk/Friends.DAT");
    fill(file, "C", 3);
    ASSERT_TRUE(disk.makeReadOnly());
    const std::string before = readBytes(file);
    for (const std::vector<std::string>& reading : {std::vector<std::string>{"list", file},
                                                    {"birthdays", file},
                                                    {"list", file, "--labels", "--text"}}) {
        const CliResult r = runBin(reading);
        EXPECT_EQ(r.status, 0) << reading[0] << ": " << r.err;
        EXPECT_TRUE(reading[0] != "list" || r.out.find("C2") != std::string::npos) << r.out;
    }
    for (const std::vector<std::string>& change :
         {std::vector<std::string>{"add", file, "--first", "D", "--last", "Q"},
          {"delete", file, "1"},
          {"edit", file, "1", "--city", "Troy"}}) {
        const CliResult r = runBin(change);
        EXPECT_EQ(r.status, 1) << change[0];
        EXPECT_NE(r.err.find("Read-only file system (writing"), std::string::npos) << r.err;
    }
    EXPECT_EQ(readBytes(file), before);
}

// Links planted where temporary files went before, and at the export's own name.
TEST_F(ProcessTest, PlantedLinksAreNeverFollowed) {
    const std::string fresh = folder.file("fresh");
    fs::create_directories(fresh);
    writeBytes(folder.file("victim"), "untouched");
    for (const char* name :
         {"QMKPARAM.TXT.tmp", "QMKC_Friends.csv.tmp", "Tempf", "QMKC_Friends.csv"}) {
        fs::create_symlink(folder.file("victim"), fresh + "/" + name);
    }
    const std::string file = fresh + "/Friends.DAT";
    for (const std::vector<std::string>& step :
         {std::vector<std::string>{"add", file, "--first", "A", "--last", "Q"},
          {"add", file, "--first", "B", "--last", "Q"},
          {"delete", file, "1"},
          {"export", file, "--csv"}}) {
        std::vector<std::string> args{"--home", fresh};
        args.insert(args.end(), step.begin(), step.end());
        const CliResult r = runQuillmarkProcess(args, folder.path());
        EXPECT_EQ(r.status, 0) << step[0] << ": " << r.err;
    }
    EXPECT_EQ(readBytes(folder.file("victim")), "untouched");
    EXPECT_FALSE(fs::is_symlink(fresh + "/QMKC_Friends.csv"));
    EXPECT_NE(readBytes(fresh + "/QMKC_Friends.csv").find("B,,Q"), std::string::npos);
}

TEST_F(ProcessTest, ParallelFirstUsesOfAnApplicationFolderAllSucceed) {
    const std::string fresh = folder.file("new/home");
    Procs procs;
    for (int i = 0; i < 8; ++i) {
        procs.push_back(std::make_unique<QuillmarkProcess>(
            std::vector<std::string>{"--home", fresh, "parse", "Ann Lee"}, folder.path()));
    }
    for (auto& p : procs) {
        const CliResult r = p->finish();
        EXPECT_EQ(r.status, 0) << r.err;
    }
    EXPECT_EQ(readBytes(fresh + "/QMKPARAM.TXT"),
              "ONTHEFLY 0   0  \r\n"
              "BULKLIST 0   0  \r\n"
              "ENVELOPE 0   0  \r\n");
    EXPECT_EQ(temporariesIn(fresh), 0);
}

TEST_F(CliTest, AnIncompleteRecordIsLeftOutByReadersAndCutOffByTheNextWriter) {
    writeContacts({contact("Ann", "Lee"), contact("Bob", "Ray")});
    writeBytes(dat, readBytes(dat) + std::string(100, 'x'));
    CliResult r = run({"list", dat});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(linesOf(r.out).size(), 2u);
    EXPECT_NE(r.err.find("the last 100 bytes are an incomplete record"), std::string::npos);
    EXPECT_NE(r.err.find("left out"), std::string::npos) << r.err;
    r = run({"add", dat, "--first", "Cy", "--last", "Doe", "--street", "12 Oak St\nApt 4"});
    EXPECT_EQ(r.out, "3\n");
    EXPECT_NE(r.err.find("cut off"), std::string::npos) << r.err;
    EXPECT_EQ(fs::file_size(dat), 3 * kRecordSize);
    EXPECT_EQ(contacts()[2].street, "12 Oak St Apt 4");
}

TEST_F(CliTest, TheExportStaysInTheApplicationFolderWithTheFilesPermissions) {
    const std::string inside = home + "/Friends.DAT";
    fs::create_directories(home);
    const std::string odd = home + "/..DAT./..DAT./Odd.DAT";
    fs::create_directories(home + "/..DAT./..DAT.");
    for (const std::string& path : {inside, odd}) {
        ContactFile file;
        file.open(path);
        file.append(contact("Ann", "Lee"));
        fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write);
    }
    CliResult r = run({"export", inside, "--csv"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fs::status(home + "/QMKC_Friends.csv").permissions(),
              fs::perms::owner_read | fs::perms::owner_write);
    const auto before = std::distance(fs::recursive_directory_iterator(folder.path()),
                                      fs::recursive_directory_iterator());
    r = run({"export", odd, "--txt"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("the contact file must lie in the application folder"), std::string::npos)
        << r.err;
    EXPECT_EQ(std::distance(fs::recursive_directory_iterator(folder.path()),
                            fs::recursive_directory_iterator()),
              before);
}

}  // namespace
}  // namespace qm::test
