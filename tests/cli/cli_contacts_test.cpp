#include <gtest/gtest.h>

#include <filesystem>

#include "cli/cli_support.h"
#include "support/temp_folder.h"

namespace qm {
namespace {

using test::contact;
using test::linesOf;

class CliContacts : public test::CliTest {};

TEST_F(CliContacts, AddCleansChecksAndPrintsTheNewRecordNumber) {
    writeContacts({contact("Ann", "Lee")});
    const auto r = run({"add", dat, "--first", " Bob", "--middle", "q.", "--last", "Ray,",
                        "--state", "ny", "--birthdate", "04/10/1980", "--home-phone",
                        "(555) 123-4567", "--company", "Acme", "--include-company"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "2\n");
    const ContactRecord added = contacts().at(1);
    EXPECT_EQ(added.firstName, "Bob");
    EXPECT_EQ(added.middleInitial, "Q");
    EXPECT_EQ(added.lastName, "Ray");
    EXPECT_EQ(added.state, "NY");
    EXPECT_EQ(added.birthdate, "19800410");
    EXPECT_EQ(added.homePhone, "555-123-4567");
    EXPECT_EQ(added.includeCompany, "1");
}

// Each field's option, its typed field and its stored field are one row of the field table:
// a value given by option lands in its own stored field and no other.
TEST_F(CliContacts, EachFieldOptionFillsItsOwnField) {
    const auto r = run(
        {"add",          dat,           "--first",      "Ann",       "--middle",     "b",
         "--last",       "Lee",         "--street",     "12 Oak St", "--street2",    "Apt 4",
         "--city",       "Troy",        "--state",      "ny",        "--zip",        "12180",
         "--country",    "usa",         "--company",    "Acme",      "--birthdate",  "04/10/1980",
         "--home-phone", "111-1111",    "--cell-phone", "222-2222",  "--work-phone", "333-3333",
         "--email",      "ann@lee.org", "--category",   "Golf",      "--notes",      "Met in May"});
    ASSERT_EQ(r.status, 0) << r.err;
    ContactRecord expected;
    expected.firstName = "Ann";
    expected.middleInitial = "B";
    expected.lastName = "Lee";
    expected.street = "12 Oak St";
    expected.street2 = "Apt 4";
    expected.city = "Troy";
    expected.state = "NY";
    expected.zip = "12180";
    expected.country = "USA";
    expected.company = "Acme";
    expected.birthdate = "19800410";
    expected.homePhone = "111-1111";
    expected.cellPhone = "222-2222";
    expected.workPhone = "333-3333";
    expected.email = "ann@lee.org";
    expected.category = "Golf";
    expected.notes = "Met in May";
    expected.reminder = "1";
    EXPECT_EQ(contacts().at(0), expected);
}

TEST_F(CliContacts, RemindersFollowTheFileUnlessGiven) {
    // A new file starts with reminders on; a file whose first record has them off keeps
    // them off; --reminders wins over both.
    ASSERT_EQ(run({"add", dat, "--first", "A", "--last", "B"}).status, 0);
    EXPECT_EQ(contacts().at(0).reminder, "1");
    std::filesystem::remove(dat);
    writeContacts({contact("Ann", "Lee", "", "0")});
    ASSERT_EQ(run({"add", dat, "--first", "A", "--last", "B"}).status, 0);
    ASSERT_EQ(run({"add", dat, "--first", "C", "--last", "D", "--reminders", "on"}).status, 0);
    EXPECT_EQ(contacts().at(1).reminder, "0");
    EXPECT_EQ(contacts().at(2).reminder, "1");
}

TEST_F(CliContacts, RefusedContactsChangeNoFile) {
    writeContacts({contact("Ann", "Lee"), contact("Bob", "Ray")});
    const std::string before = test::readBytes(dat);
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const std::vector<Case> cases = {
        {{"add", dat, "--first", "Cy"}, ""},
        {{"add", dat, "--first", "Cy", "--last", "Do", "--state", "NYC"},
         "Incorrect entry: State must be 2 character abbreviation.\n"},
        {{"add", dat, "--first", "Cy", "--last", "Do", "--birthdate", "4/10/1980"},
         "Date error: Date must be in format MM/DD/YYYY   Example: April 10, 1980 is 04/10/1980\n"},
        {{"edit", dat, "2", "--last", ""}, ""},
        {{"edit", dat, "1", "--birthdate", "4/10/1980"},
         "Date error: Date must be in format MM/DD/YYYY   Example: April 10, 1980 is 04/10/1980\n"},
        {{"edit", dat, "3", "--city", "Troy"}, ""},
        {{"delete", dat, "3"}, ""},
    };
    for (const Case& c : cases) {
        const auto r = run(c.args);
        EXPECT_EQ(r.status, 1) << c.args[0] << " " << c.args.back();
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(": "), std::string::npos);
        if (!c.message.empty()) {
            EXPECT_EQ(r.err, c.message);
        }
        EXPECT_EQ(test::readBytes(dat), before) << c.args[0] << " " << c.args.back();
    }
    // A contact that fails its checks does not create the file it was meant for.
    const std::string fresh = folder.file("New.DAT");
    EXPECT_EQ(run({"add", fresh, "--first", "Cy"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(fresh));
    EXPECT_EQ(run({"edit", fresh, "1", "--city", "Troy"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(fresh));
}

TEST_F(CliContacts, EditSavesTheShownRecordWithTheGivenFieldsReplaced) {
    ContactRecord ann = contact("Ann", "Lee", "Troy");
    ann.birthdate = "19800410";
    ann.company = "Acme";
    ann.includeCompany = "0";
    writeContacts({ann, contact("Bob", "Ray")});

    ASSERT_EQ(run({"edit", dat, "1", "--city", "Albany"}).status, 0);
    ContactRecord saved = contacts().at(0);
    EXPECT_EQ(saved.city, "Albany");
    EXPECT_EQ(saved.birthdate, "19800410");  // shown as 04/10/1980, saved back the same
    EXPECT_EQ(saved.includeCompany, "0");    // company unchanged: the box stays as stored
    EXPECT_EQ(contacts().at(1).lastName, "Ray");

    // A changed company name ticks the box, unless told otherwise.
    ASSERT_EQ(run({"edit", dat, "1", "--company", "Beta"}).status, 0);
    EXPECT_EQ(contacts().at(0).includeCompany, "1");
    ASSERT_EQ(run({"edit", dat, "1", "--company", "Gamma", "--include-company", "off"}).status, 0);
    EXPECT_EQ(contacts().at(0).includeCompany, "0");
    ASSERT_EQ(run({"edit", dat, "1", "--include-company", "on"}).status, 0);
    EXPECT_EQ(contacts().at(0).includeCompany, "1");
}

TEST_F(CliContacts, DeleteRemovesOneRecordAndKeepsTheOrder) {
    writeContacts({contact("A", "One"), contact("B", "Two"), contact("C", "Three")});
    const auto r = run({"delete", dat, "2"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    ASSERT_EQ(contacts().size(), 2u);
    EXPECT_EQ(contacts().at(1).lastName, "Three");
    // A missing contact file is refused, not created.
    const std::string missing = folder.file("Nope.DAT");
    EXPECT_EQ(run({"delete", missing, "1"}).status, 1);
    EXPECT_FALSE(std::filesystem::exists(missing));
}

TEST_F(CliContacts, ParsePrintsEightFieldsOrRefusesLineOne) {
    const auto r = run({"parse", "Ann B. Lee", "12 Oak St", "Troy, NY 12180"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(linesOf(r.out),
              (std::vector<std::string>{"first\tAnn", "middle\tB", "last\tLee", "street\t12 Oak St",
                                        "street2\t", "city\tTroy", "state\tNY", "zip\t12180"}));
    const auto refused = run({"parse", "Ann"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_EQ(refused.err, "Incorrect entry: Line 1 must contain a space.\n");
}

TEST_F(CliContacts, BirthdaysListTheComingFifteenDaysInRecordOrder) {
    ContactRecord soon = contact("Ann", "Lee");
    soon.birthdate = "19800410";
    ContactRecord off = soon;
    off.firstName = "Off";
    off.reminder = "0";
    ContactRecord far = soon;
    far.firstName = "Far";
    far.birthdate = "19800430";
    ContactRecord first = soon;
    first.firstName = "Cy";
    first.birthdate = "19750402";
    writeContacts({soon, off, far, first});
    const auto r = run({"birthdays", dat, "--today", "2025-04-01"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "Ann Lee has a birthday coming up on 04/10\n"
              "Cy Lee has a birthday coming up on 04/02\n");
}

}  // namespace
}  // namespace qm
