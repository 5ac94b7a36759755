#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "cli/cli_commands.h"
#include "cli/cli_support.h"

namespace qm {
namespace {

using test::runQuillmark;

TEST(CliBasics, HelpListsEveryCommandAndExplainsEachWithAnExample) {
    const auto overview = runQuillmark({"--help"});
    EXPECT_EQ(overview.status, 0);
    for (const cli::Command& c : cli::commands()) {
        EXPECT_NE(overview.out.find(std::string("  ") + c.name + " "), std::string::npos) << c.name;
        EXPECT_NE(overview.out.find(c.help), std::string::npos) << c.name;
        const auto one = runQuillmark({"help", c.name});
        EXPECT_EQ(one.status, 0);
        EXPECT_NE(one.out.find("Example"), std::string::npos) << c.name;
        EXPECT_NE(one.out.find("--home DIR"), std::string::npos) << c.name;
        // Every option the command takes is explained.
        for (const auto& names : {c.options.withValue, c.options.flags}) {
            for (const std::string& name : names) {
                const std::string shown = name == "o" ? "-o" : "--" + name;
                if (name != "help") {
                    EXPECT_NE(one.out.find(shown), std::string::npos) << c.name << " " << shown;
                }
            }
        }
    }
}

TEST(CliBasics, AWordWhereTheCommandStandsIsACommandLineCall) {
    struct Case {
        std::vector<std::string> args;
        bool cli;
    };
    const std::vector<Case> cases = {
        {{}, false},
        {{"--home", "/tmp/q"}, false},
        {{"--home=/tmp/q"}, false},
        {{"-style", "fusion"}, false},
        {{"list", "a.DAT"}, true},
        {{"--home", "/tmp/q", "labels"}, true},
        {{"--help"}, true},
        {{"--version"}, true},
        {{"--open", "/tmp/q/Friends.DAT"}, false},  // the windowed program opens it
        {{"help", "list"}, true},
        {{"frobnicate"}, true},  // an unknown command is a usage error, not the windows
        {{""}, true},
    };
    for (const Case& c : cases) {
        std::vector<std::string> words = {"quillmark"};
        words.insert(words.end(), c.args.begin(), c.args.end());
        std::vector<char*> argv;
        for (std::string& w : words) {
            argv.push_back(w.data());
        }
        EXPECT_EQ(cli::isCliInvocation(static_cast<int>(argv.size()), argv.data()), c.cli)
            << (c.args.empty() ? "(none)" : c.args[0]);
    }
}

TEST(CliBasics, OutputThatCannotBeWrittenIsNoSuccess) {
    std::ostream lost(nullptr);  // every write fails, as on a full disk
    std::ostringstream err;
    EXPECT_EQ(cli::runCli({"parse", "Ann Lee"}, lost, err), cli::kRefused);
    EXPECT_EQ(err.str(), "quillmark parse: cannot write the output\n");
}

class CliUsage : public test::CliTest {};

TEST_F(CliUsage, UsageErrorsExitWithTwo) {
    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"frobnicate"},
             {"delete"},
             {"delete", "a.DAT", "x"},
             {"delete", "a.DAT", "1", "--bogus"},
             {"labels", "--line", "A B", "--positions", "5"},  // no output
             {"labels", "--line", "A B", "--positions", "5", "--text", "--runs"},
             {"labels", "--line", "A B", "--positions", "5", "--center=yes", "--text"},
             {"envelope", "--line", "A B", "--size", "12", "--text"},
             {"export", "a.DAT"},
             {"edit", "a.DAT", "1", "--reminders", "maybe"},
             {"list", "a.DAT", "--search", "street=Oak"},
             {"list", "a.DAT", "--text"},
             {"birthdays", "a.DAT", "--today", "2025-13-01"},
         }) {
        EXPECT_EQ(run(args).status, 2) << args[0];
    }
}

}  // namespace
}  // namespace qm
