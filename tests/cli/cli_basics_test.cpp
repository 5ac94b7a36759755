#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_support.h"
#include "records/contact_file.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using test::runQuillmark;

TEST(CliBasics, HelpListsEveryCommandAndExplainsEach) {
    const auto overview = runQuillmark({"--help"});
    EXPECT_EQ(overview.status, 0);
    EXPECT_NE(overview.out.find("delete FILE.DAT RECNO"), std::string::npos);
    const auto one = runQuillmark({"help", "delete"});
    EXPECT_EQ(one.status, 0);
    EXPECT_NE(one.out.find("Example:"), std::string::npos);
}

TEST(CliBasics, UsageErrorsExitWithTwo) {
    EXPECT_EQ(runQuillmark({"frobnicate"}).status, 2);
    EXPECT_EQ(runQuillmark({"delete"}).status, 2);
    EXPECT_EQ(runQuillmark({"delete", "a.DAT", "x"}).status, 2);
    EXPECT_EQ(runQuillmark({"delete", "a.DAT", "1", "--bogus"}).status, 2);
}

class CliContacts : public ::testing::Test {
protected:
    test::TempFolder folder;
    std::string dat = folder.file("Friends.DAT");

    void makeFile(int records) {
        ContactFile file;
        file.open(dat);
        for (int i = 1; i <= records; ++i) {
            ContactRecord r;
            r.firstName = "N" + std::to_string(i);
            r.lastName = "Last" + std::to_string(i);
            file.append(r);
        }
    }
    std::vector<std::string> run(std::vector<std::string> args) {
        args.insert(args.begin(), {"--home", folder.file("home")});
        const auto r = runQuillmark(args);
        return {std::to_string(r.status), r.out, r.err};
    }
};

TEST_F(CliContacts, DeleteRemovesOneRecordAndKeepsTheOrder) {
    makeFile(5);
    const auto r = run({"delete", dat, "2"});
    EXPECT_EQ(r[0], "0");
    EXPECT_EQ(r[1], "");
    ContactFile file;
    file.open(dat);
    ASSERT_EQ(file.count(), 4);
    EXPECT_EQ(file.read(2).lastName, "Last3");
}

TEST_F(CliContacts, RefusedDeleteChangesNothing) {
    makeFile(2);
    const std::string before = test::readBytes(dat);
    const auto r = run({"delete", dat, "3"});
    EXPECT_EQ(r[0], "1");
    EXPECT_NE(r[2].find("Error: An error has occurred. Error number 63"), std::string::npos);
    EXPECT_EQ(test::readBytes(dat), before);
    // A missing contact file is refused, not created.
    EXPECT_EQ(run({"delete", folder.file("Nope.DAT"), "1"})[0], "1");
    EXPECT_FALSE(std::filesystem::exists(folder.file("Nope.DAT")));
}

}  // namespace
}  // namespace qm
