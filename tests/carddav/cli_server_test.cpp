// The real quillmark program against radicale: `import FILE.DAT URL` and `sync FILE.DAT URL`.
#include <gtest/gtest.h>

#include <QTcpServer>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <thread>

#include "carddav/radicale_server.h"
#include "cli/process_support.h"
#include "records/contact_file.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using test::kAlice;

using test::CliResult;

std::string str(const QString& text) {
    return text.toStdString();
}

// A pseudo-terminal for a program's standard error; what it shows is collected here as it
// comes, until the program ends.
class Terminal {
  public:
    Terminal() : master_(::posix_openpt(O_RDWR | O_NOCTTY)) {
        if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
            throw std::runtime_error("no pseudo-terminal");
        }
        path_ = ::ptsname(master_);
        // Held here too until the program ends: a terminal nobody holds reads as ended.
        held_ = ::open(path_.c_str(), O_RDWR | O_NOCTTY);
    }
    ~Terminal() {
        shown();
        ::close(master_);
    }
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    const std::string& path() const { return path_; }

    // `onText` sees everything shown so far, each time more comes (on another thread).
    void collect(std::function<void(const std::string&)> onText = {}) {
        reader_ = std::thread([this, onText] {
            char buffer[256];
            ssize_t n = 0;
            while ((n = ::read(master_, buffer, sizeof buffer)) > 0) {
                shown_.append(buffer, static_cast<std::size_t>(n));
                if (onText) {
                    onText(shown_);
                }
            }
        });
    }

    // Once the program has ended.
    const std::string& shown() {
        if (held_ >= 0) {
            ::close(held_);
            held_ = -1;
        }
        if (reader_.joinable()) {
            reader_.join();
        }
        return shown_;
    }

  private:
    int master_;
    int held_ = -1;
    std::string path_;
    std::thread reader_;
    std::string shown_;
};

class CliServer : public ::testing::Test {
  protected:
    test::TempFolder folder;
    std::string dat = folder.file("Family.DAT");

    // quillmark ARGS with the password in the environment and a home without ~/.netrc.
    CliResult quillmark(std::vector<std::string> args, const std::string& password) const {
        ::setenv("QUILLMARK_CARDDAV_PASSWORD", password.c_str(), 1);
        ::setenv("HOME", folder.path().c_str(), 1);
        args.insert(args.begin(), {"--home", folder.file("app")});
        return test::runQuillmarkProcess(args, folder.path());
    }

    std::vector<ContactRecord> contacts() const {
        ContactFile file;
        file.open(dat);
        return file.readAll();
    }
};

TEST_F(CliServer, ImportsAThousandCards) {
    const QString book = test::makeFilledAddressBook(kAlice, "cli-thousand", 1000);
    const CliResult run = quillmark({"import", dat, str(book), "--user", "alice"}, kAlice.password);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "D O N E !  1000 contacts successfully imported.\n");
    EXPECT_EQ(run.err, "");  // no progress line: standard error is not a terminal
    const std::vector<ContactRecord> read = contacts();
    ASSERT_EQ(read.size(), 1000u);
    EXPECT_EQ(read[0].lastName, "Number0");
    EXPECT_EQ(read[0].city, "Troy");
}

// Standard error on a terminal gets the line that counts the cards, written over in place and
// ended once the read is done.
TEST_F(CliServer, OnATerminalALineCountsTheCards) {
    const QString book = test::makeFilledAddressBook(kAlice, "cli-terminal", 150);
    Terminal terminal;
    ::setenv("QUILLMARK_CARDDAV_PASSWORD", kAlice.password.c_str(), 1);
    test::QuillmarkProcess run(
        {"--home", folder.file("app"), "import", dat, str(book), "--user", "alice"}, folder.path(),
        terminal.path());
    terminal.collect();
    const CliResult result = run.finish();
    ASSERT_EQ(result.status, 0) << terminal.shown();
    EXPECT_EQ(result.out, "D O N E !  150 contacts successfully imported.\n");
    EXPECT_EQ(terminal.shown(), "\r0 of 150 cards\r100 of 150 cards\r150 of 150 cards\r\n");
    EXPECT_EQ(contacts().size(), 150u);
}

// Ctrl+C while the cards are read ends the program by the signal, as ever, and leaves the
// contact file as it was: a file made for the run goes again, one that was there is untouched.
TEST_F(CliServer, CtrlCDuringTheReadLeavesTheFileAsItWas) {
    const QString book = test::makeFilledAddressBook(kAlice, "cli-interrupt", 500);
    ::setenv("QUILLMARK_CARDDAV_PASSWORD", kAlice.password.c_str(), 1);
    ContactRecord ann;
    ann.firstName = "Ann";
    for (const char* command : {"sync", "import"}) {
        SCOPED_TRACE(command);
        const bool existed = std::string(command) == "import";
        std::string before;
        if (existed) {
            ContactFile file;
            file.open(dat);
            file.append(ann);
            before = test::readBytes(dat);
        }
        Terminal terminal;
        test::QuillmarkProcess run(
            {"--home", folder.file("app"), command, dat, str(book), "--user", "alice"},
            folder.path(), terminal.path());
        bool sent = false;
        terminal.collect([&](const std::string& shown) {
            if (!sent && shown.find(" of 500 cards") != std::string::npos) {
                sent = ::kill(run.pid(), SIGINT) == 0;
            }
        });
        const CliResult result = run.finish();
        const std::string shown = terminal.shown();  // and `sent` is settled
        EXPECT_TRUE(sent);
        EXPECT_EQ(result.status, 128 + SIGINT) << shown;
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(std::filesystem::exists(dat), existed);
        EXPECT_EQ(test::readBytes(dat), before);
        EXPECT_FALSE(std::filesystem::exists(dat + ".carddav"));
    }
}

TEST_F(CliServer, SyncFindsTheBookFromTheServerRootAndKeepsTheFileInStep) {
    const test::RadicaleUser bob{"bob", "other"};
    const QString book = test::makeAddressBook(bob, "contacts", "Contacts");
    for (const char* uid : {"ann", "cy", "dee", "eve"}) {
        test::putCard(bob, book, uid, test::personCard(uid, "Person", uid));
    }
    const std::vector<std::string> sync{"sync", dat, str(test::radicaleUrl()), "--user", "bob"};
    const auto syncOut = [&] {
        const CliResult run = quillmark(sync, "other");
        EXPECT_EQ(run.status, 0) << run.err;
        return run.out;
    };
    EXPECT_EQ(syncOut(), "D O N E !  4 contacts added, 0 updated, 0 unchanged.\n");
    const std::string state = test::readBytes(dat + ".carddav");
    const auto written = std::filesystem::last_write_time(dat);
    EXPECT_EQ(syncOut(), "D O N E !  0 contacts added, 0 updated, 4 unchanged.\n");
    EXPECT_EQ(std::filesystem::last_write_time(dat), written);
    EXPECT_EQ(test::readBytes(dat + ".carddav"), state);

    // Changed on the server: ann and cy; cy also here. Added: fay. Removed: dee.
    ContactRecord cyHere = contacts()[1];
    cyHere.notes = "called in May";
    {
        ContactFile file;
        file.open(dat);
        file.write(2, cyHere);
    }
    test::putCard(bob, book, "ann", test::personCard("ann", "Anne", "ann"));
    test::putCard(bob, book, "cy", test::personCard("cy", "Cyrus", "cy"));
    test::putCard(bob, book, "fay", test::personCard("fay", "Person", "fay"));
    test::deleteCard(bob, book, "dee");
    EXPECT_EQ(syncOut(),
              "D O N E !  1 contact added, 1 updated, 1 unchanged.\n"
              "Left alone: 1 contact changed or deleted here since the last sync.  Kept here: 1 "
              "contact removed on the server.\n");
    const std::vector<ContactRecord> after = contacts();
    ASSERT_EQ(after.size(), 5u);
    EXPECT_EQ(after[0].firstName, "Anne");
    EXPECT_EQ(after[1], cyHere);
    EXPECT_EQ(after[2].lastName, "dee");
    EXPECT_EQ(after[4].lastName, "fay");
}

TEST_F(CliServer, FailuresExitWithTheirMessagesAndChangeNothing) {
    const QString book = test::makeAddressBook(kAlice, "cli-failures", "Failures");
    test::putCard(kAlice, book, "ann", test::personCard("ann", "Ann", "Lee"));
    QTcpServer closed;
    ASSERT_TRUE(closed.listen(QHostAddress::LocalHost));
    const std::string closedUrl = str(QString("http://127.0.0.1:%1/").arg(closed.serverPort()));
    closed.close();
    const std::string withPassword = str(QString(book).replace("://", "://alice:secret@"));
    test::putCard(kAlice, book, "bob", test::personCard("bob", "Bob", "Ray"));
    QTcpServer silent;  // takes connections, never answers
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost));
    const std::string silentUrl = str(QString("http://127.0.0.1:%1/").arg(silent.serverPort()));

    struct Case {
        std::vector<std::string> args;
        std::string password;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"import", str(book), "--user", "alice"},
         "wrong",
         1,
         "Error: An error has occurred. Error number 35752 -- The address book server 127.0.0.1 "
         "refused the user name alice or its password."},
        {{"sync", closedUrl, "--user", "alice"},
         "secret",
         1,
         "Error: An error has occurred. Error number 35750 -- Cannot reach the address book "
         "server 127.0.0.1 (Connection refused)."},
        {{"import", withPassword}, "", 2, "quillmark import: the address holds a password"},
        {{"import", silentUrl, "--timeout", "1"},
         "",
         1,
         "Error: An error has occurred. Error number 35754 -- The address book server 127.0.0.1 "
         "did not answer within 1 seconds."},
        {{"sync", str(book), "--user", "alice", "--max-cards", "1"},
         "secret",
         1,
         "Error: An error has occurred. Error number 35763 -- The address book server 127.0.0.1 "
         "sent more than 1 cards; a run stops there (on the command line, --max-cards raises "
         "the limit)."},
    };
    test::writeBytes(dat, "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args[1]);
        std::vector<std::string> args = c.args;
        args.insert(args.begin() + 1, dat);
        const CliResult run = quillmark(args, c.password);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err.rfind(c.err, 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(contacts().empty());
        EXPECT_FALSE(std::filesystem::exists(dat + ".carddav"));
    }
}

}  // namespace
}  // namespace qm
