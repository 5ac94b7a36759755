#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "records/contact_file.h"
#include "support/temp_folder.h"

namespace qm::test {

struct CliResult {
    int status;
    std::string out;
    std::string err;
};

inline CliResult runQuillmark(const std::vector<std::string>& args) {
    std::ostringstream out;
    std::ostringstream err;
    const int status = cli::runCli(args, out, err);
    return {status, out.str(), err.str()};
}

// A test folder with a contact file and an application folder of their own.
class CliTest : public ::testing::Test {
  protected:
    TempFolder folder;
    std::string home = folder.file("home");
    std::string dat = folder.file("Friends.DAT");

    CliResult run(std::vector<std::string> args) const {
        args.insert(args.begin(), {"--home", home});
        return runQuillmark(args);
    }

    void writeContacts(const std::vector<ContactRecord>& records) const {
        ContactFile file;
        file.open(dat);
        for (const ContactRecord& r : records) {
            file.append(r);
        }
    }

    std::vector<ContactRecord> contacts() const {
        ContactFile file;
        file.open(dat);
        return file.readAll();
    }
};

inline ContactRecord contact(const std::string& first, const std::string& last,
                             const std::string& city = "", const std::string& reminder = "1") {
    ContactRecord r;
    r.firstName = first;
    r.lastName = last;
    r.city = city;
    r.reminder = reminder;
    return r;
}

// Lines of a text, without their line ends.
inline std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace qm::test
