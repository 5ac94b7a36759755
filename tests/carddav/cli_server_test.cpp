// The real quillmark program against radicale: `import FILE.DAT URL` and `sync FILE.DAT URL`.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTcpServer>
#include <filesystem>

#include "carddav/radicale_server.h"
#include "records/contact_file.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using test::kAlice;

struct Outcome {
    int status;
    std::string out;
    std::string err;
};

class CliServer : public ::testing::Test {
  protected:
    test::TempFolder folder;
    std::string dat = folder.file("Family.DAT");

    // quillmark ARGS with the password in the environment and a home without ~/.netrc.
    Outcome quillmark(const QStringList& args, const QString& password) const {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QUILLMARK_CARDDAV_PASSWORD", password);
        env.insert("HOME", QString::fromStdString(folder.path()));
        process.setProcessEnvironment(env);
        process.start(QUILLMARK_BIN,
                      QStringList{"--home", QString::fromStdString(folder.file("app"))} + args);
        EXPECT_TRUE(process.waitForFinished(300000));
        return {process.exitCode(), process.readAllStandardOutput().toStdString(),
                process.readAllStandardError().toStdString()};
    }

    std::vector<ContactRecord> contacts() const {
        ContactFile file;
        file.open(dat);
        return file.readAll();
    }
};

TEST_F(CliServer, ImportsAThousandCards) {
    const QString book = test::makeFilledAddressBook(kAlice, "cli-thousand", 1000);
    const Outcome run = quillmark({"import", QString::fromStdString(dat), book, "--user", "alice"},
                                  QString::fromStdString(kAlice.password));
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out, "D O N E !  1000 contacts successfully imported.\n");
    EXPECT_EQ(run.err, "");  // no progress line: standard error is not a terminal
    const std::vector<ContactRecord> read = contacts();
    ASSERT_EQ(read.size(), 1000u);
    EXPECT_EQ(read[0].lastName, "Number0");
    EXPECT_EQ(read[0].city, "Troy");
}

TEST_F(CliServer, SyncFindsTheBookFromTheServerRootAndKeepsTheFileInStep) {
    const test::RadicaleUser bob{"bob", "other"};
    const QString book = test::makeAddressBook(bob, "contacts", "Contacts");
    for (const char* uid : {"ann", "cy", "dee", "eve"}) {
        test::putCard(bob, book, uid, test::personCard(uid, "Person", uid));
    }
    const QStringList sync{"sync", QString::fromStdString(dat), test::radicaleUrl(), "--user",
                           "bob"};
    const auto syncOut = [&] {
        const Outcome run = quillmark(sync, "other");
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
    const QString closedUrl = QString("http://127.0.0.1:%1/").arg(closed.serverPort());
    closed.close();
    QString withPassword = book;
    withPassword.replace("://", "://alice:secret@");

    struct Case {
        QStringList args;
        QString password;
        int status;
        std::string err;
    };
    const Case cases[] = {
        {{"import", book, "--user", "alice"},
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
    };
    test::writeBytes(dat, "");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QStringList args = c.args;
        args.insert(1, QString::fromStdString(dat));
        const Outcome run = quillmark(args, c.password);
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(run.err.rfind(c.err, 0), 0u) << run.err;
        EXPECT_EQ(run.out, "");
        EXPECT_TRUE(contacts().empty());
        EXPECT_FALSE(std::filesystem::exists(dat + ".carddav"));
    }
}

}  // namespace
}  // namespace qm
