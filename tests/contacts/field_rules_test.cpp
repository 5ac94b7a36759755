#include "contacts/field_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace qm {
namespace {

ContactFields withLastName(const std::string& last = "Smith") {
    ContactFields f;
    f.lastName = last;
    return f;
}

struct FailingCase {
    ContactField field;
    std::string value;
    std::string title;
    std::string text;
};

std::ostream& operator<<(std::ostream& os, const FailingCase& c) {
    return os << "field " << static_cast<int>(c.field) << " value '" << c.value << "'";
}

class AddChecks : public testing::TestWithParam<FailingCase> {};

TEST_P(AddChecks, RejectWithTheirMessageAndField) {
    const FailingCase& c = GetParam();
    ContactFields f = withLastName();
    f.text(c.field) = c.value;
    const auto failed = checkAndCleanForAdd(f);
    ASSERT_TRUE(failed.has_value());
    EXPECT_EQ(failed->title, c.title);
    EXPECT_EQ(failed->text, c.text);
    EXPECT_EQ(failed->field, c.field);
    EXPECT_EQ(failed->moveFocus, c.field != ContactField::Birthdate);
}

const std::string kWrong = "Incorrect entry";

INSTANTIATE_TEST_SUITE_P(
    EveryCheck, AddChecks,
    testing::Values(
        FailingCase{ContactField::Birthdate, "4/10/1980", "Date error",
                    "Date must be in format MM/DD/YYYY   Example: April 10, 1980 is 04/10/1980"},
        FailingCase{ContactField::Birthdate, "04-10-1980", "Date error",
                    "Date must be in format MM/DD/YYYY   Example: April 10, 1980 is 04/10/1980"},
        FailingCase{ContactField::Birthdate, "04/10/19800", "Date error",
                    "Date must be in format MM/DD/YYYY   Example: April 10, 1980 is 04/10/1980"},
        FailingCase{ContactField::FirstName, "Bartholomews", kWrong,
                    "First name must be 11 characters or less."},
        FailingCase{ContactField::MiddleInitial, "JK", kWrong,
                    "Enter only 1 character for middle initial."},
        FailingCase{ContactField::MiddleInitial, " J", kWrong,
                    "Enter only 1 character for middle initial."},
        FailingCase{ContactField::LastName, "Featherstonehaugh", kWrong,
                    "Enter last name, 16 characters or less."},
        FailingCase{ContactField::LastName, "", kWrong, "Enter last name, 16 characters or less."},
        FailingCase{ContactField::LastName, ",,", kWrong,
                    "Enter last name, 16 characters or less."},
        FailingCase{ContactField::Street, std::string(31, 'x'), kWrong,
                    "Street address must be 30 characters or less."},
        FailingCase{ContactField::Street2, std::string(16, 'x'), kWrong,
                    "Street address2 must be 15 characters or less."},
        FailingCase{ContactField::City, "Springfield,,, IL", kWrong,
                    "City must be 16 characters or less."},
        FailingCase{ContactField::State, "N", kWrong, "State must be 2 character abbreviation."},
        FailingCase{ContactField::State, "NYC", kWrong, "State must be 2 character abbreviation."},
        FailingCase{ContactField::Zip, "12345-67890", kWrong,
                    "Zip Code must be 10 characters or less."},
        FailingCase{ContactField::Country, std::string(20, 'x'), kWrong,
                    "Country must be 19 characters or less.  For example, USA."},
        FailingCase{ContactField::Company, std::string(31, 'x'), kWrong,
                    "Company Name must be 30 characters or less."},
        FailingCase{ContactField::HomePhone, "1-800-555-0100 x1", kWrong,
                    "Home Phone must be 15 characters or less."},
        FailingCase{ContactField::CellPhone, "0044-20-7946-0958", kWrong,
                    "Cell Phone must be 15 characters or less."},
        FailingCase{ContactField::WorkPhone, "(800) 555-010000", kWrong,
                    "Work Phone must be 13 characters or less."},
        FailingCase{ContactField::Email, std::string(45, 'a') + "@b.com", kWrong,
                    "Email address must be 50 characters or less."},
        FailingCase{ContactField::Email, "ann,lee@mail.com", kWrong,
                    "Email address cannot contain a comma."},
        FailingCase{ContactField::Email, "ann lee@mail.com", kWrong,
                    "Email address cannot contain a space."},
        FailingCase{ContactField::Email, "ann.lee.mail.com", kWrong,
                    "Email address must contain the '@' character."},
        FailingCase{ContactField::Email, "ann@mailcom", kWrong,
                    "Email address must contain the '.' character."},
        FailingCase{ContactField::Category, std::string(81, 'x'), kWrong,
                    "Category must be 80 characters or less."},
        FailingCase{ContactField::Notes, std::string(161, 'x'), kWrong,
                    "Notes must be 160 characters or less."}));

TEST(AddChecksPass, AtTheLimitsAndWhenEmpty) {
    ContactFields f = withLastName(std::string(16, 'L'));
    f.firstName = std::string(11, 'F');
    f.middleInitial = "j.";
    f.street = std::string(30, 's');
    f.street2 = std::string(15, 's');
    f.city = std::string(16, 'c');
    f.state = "or";
    f.zip = "12345-6789";
    f.country = std::string(19, 'c');
    f.company = std::string(30, 'c');
    f.birthdate = "ab/cd/efgh";  // only the shape is checked
    f.homePhone = "(555) 123-456789";
    f.cellPhone = std::string(15, '5');
    f.workPhone = std::string(13, '5');
    f.email = std::string(44, 'a') + "@b.com";
    f.category = std::string(80, 'c');
    f.notes = std::string(160, 'n');
    EXPECT_EQ(checkAndCleanForAdd(f), std::nullopt);

    ContactFields onlyLast = withLastName("Lee");
    EXPECT_EQ(checkAndCleanForAdd(onlyLast), std::nullopt);
}

TEST(AddChecksOrder, TheFirstFailureWinsAndEarlierCleaningStays) {
    ContactFields f = withLastName("Smith, Jr");
    f.firstName = "Bartholomews";
    f.birthdate = "4/10/1980";
    EXPECT_EQ(checkAndCleanForAdd(f)->field, ContactField::Birthdate);
    f.birthdate.clear();
    EXPECT_EQ(checkAndCleanForAdd(f)->field, ContactField::FirstName);
    EXPECT_EQ(f.lastName, "Smith, Jr") << "nothing after the failing step is cleaned";

    ContactFields g = withLastName("Smith, Jr");
    g.workPhone = "(555) 123 4567";
    g.city = "Salem, OR";
    g.email = "ann@mailcom";
    EXPECT_EQ(checkAndCleanForAdd(g)->field, ContactField::Email);
    EXPECT_EQ(g.lastName, "Smith Jr");
    EXPECT_EQ(g.workPhone, "555-1234567");
    EXPECT_EQ(g.city, "Salem, OR") << "the city loses its commas only in the last step";
}

// Every field wrong at once: each correction uncovers the next check, in the fixed order.
TEST(AddChecksOrder, AllEighteenInTurn) {
    ContactFields f;
    f.birthdate = "4/10/1980";
    f.firstName = std::string(12, 'F');
    f.middleInitial = "JK";
    f.lastName = std::string(17, 'L');
    f.street = std::string(31, 's');
    f.street2 = std::string(16, 's');
    f.city = std::string(17, 'c');
    f.state = "N";
    f.zip = std::string(11, '9');
    f.country = std::string(20, 'c');
    f.company = std::string(31, 'c');
    f.homePhone = std::string(16, '5');
    f.cellPhone = std::string(16, '5');
    f.workPhone = std::string(14, '5');
    f.email = std::string(51, 'a');
    f.category = std::string(81, 'c');
    f.notes = std::string(161, 'n');

    // The correction after each failure; the e-mail address is corrected one fault at a time.
    const std::vector<std::pair<std::string, std::string>> corrections = {
        {"Date must be in format MM/DD/YYYY   Example: April 10, 1980 is 04/10/1980", ""},
        {"First name must be 11 characters or less.", "Ann"},
        {"Enter only 1 character for middle initial.", "B"},
        {"Enter last name, 16 characters or less.", ","},
        {"Enter last name, 16 characters or less.", "Lee"},
        {"Street address must be 30 characters or less.", ""},
        {"Street address2 must be 15 characters or less.", ""},
        {"City must be 16 characters or less.", ""},
        {"State must be 2 character abbreviation.", ""},
        {"Zip Code must be 10 characters or less.", ""},
        {"Country must be 19 characters or less.  For example, USA.", ""},
        {"Company Name must be 30 characters or less.", ""},
        {"Home Phone must be 15 characters or less.", ""},
        {"Cell Phone must be 15 characters or less.", ""},
        {"Work Phone must be 13 characters or less.", ""},
        {"Email address must be 50 characters or less.", "a, b"},
        {"Email address cannot contain a comma.", "a b"},
        {"Email address cannot contain a space.", "ab"},
        {"Email address must contain the '@' character.", "a@b"},
        {"Email address must contain the '.' character.", "a@b.c"},
        {"Category must be 80 characters or less.", ""},
        {"Notes must be 160 characters or less.", ""},
    };
    for (const auto& [text, correction] : corrections) {
        const auto failed = checkAndCleanForAdd(f);
        ASSERT_TRUE(failed.has_value()) << "expected: " << text;
        ASSERT_EQ(failed->text, text);
        f.text(failed->field) = correction;
    }
    EXPECT_EQ(checkAndCleanForAdd(f), std::nullopt);
}

TEST(AddChecksOrder, TheCityCommaCountsTowardsItsLength) {
    ContactFields f = withLastName();
    f.city = "Winston,-Salem NC";  // 17 with the comma, 16 without
    EXPECT_EQ(checkAndCleanForAdd(f)->field, ContactField::City);
    f.city = "Winston,-Salem N";
    EXPECT_EQ(checkAndCleanForAdd(f), std::nullopt);
    EXPECT_EQ(f.city, "Winston-Salem N");
}

struct CleaningCase {
    ContactField field;
    std::string typed;
    std::string cleaned;
};

std::ostream& operator<<(std::ostream& os, const CleaningCase& c) {
    return os << "field " << static_cast<int>(c.field) << " '" << c.typed << "'";
}

class AddCleaning : public testing::TestWithParam<CleaningCase> {};

TEST_P(AddCleaning, ChangesTheTextInPlace) {
    const CleaningCase& c = GetParam();
    ContactFields f = withLastName();
    f.text(c.field) = c.typed;
    ASSERT_EQ(checkAndCleanForAdd(f), std::nullopt);
    EXPECT_EQ(f.text(c.field), c.cleaned);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, AddCleaning,
    testing::Values(CleaningCase{ContactField::FirstName, "Ann,", "Ann"},
                    CleaningCase{ContactField::MiddleInitial, "j.", "j"},
                    CleaningCase{ContactField::MiddleInitial, ",.Q.", "Q"},
                    CleaningCase{ContactField::LastName, "Smith, Jr", "Smith Jr"},
                    CleaningCase{ContactField::Street, "12 Oak St, Apt 4", "12 Oak St Apt 4"},
                    CleaningCase{ContactField::Street2, "Apt 4,", "Apt 4"},
                    CleaningCase{ContactField::City, "Salem, OR", "Salem OR"},
                    CleaningCase{ContactField::State, "O,", "O"},
                    CleaningCase{ContactField::Zip, "97,301", "97301"},
                    CleaningCase{ContactField::Country, "U,S", "U S"},
                    CleaningCase{ContactField::Company, "Acme, Inc.", "Acme Inc."},
                    CleaningCase{ContactField::HomePhone, "(503) 555-0100", "503-555-0100"},
                    CleaningCase{ContactField::CellPhone, "+1 503 555 0100", "15035550100"},
                    CleaningCase{ContactField::WorkPhone, "(503) 555-0100", "503-555-0100"},
                    CleaningCase{ContactField::Category, "Golf,Tennis", "Golf Tennis"},
                    CleaningCase{ContactField::Notes, "Tall, dark", "Tall  dark"}));

TEST(BrowserChecks, DifferOnlyWhereEditingAllows) {
    ContactFields commasOnly = withLastName(",,");
    EXPECT_EQ(checkAndCleanForBrowser(commasOnly), std::nullopt);
    EXPECT_EQ(commasOnly.lastName, "");

    ContactFields empty = withLastName("");
    EXPECT_EQ(checkAndCleanForBrowser(empty)->text, "Enter last name, 16 characters or less.");

    for (const char* state : {"", "N", "NY"}) {
        ContactFields f = withLastName();
        f.state = state;
        EXPECT_EQ(checkAndCleanForBrowser(f), std::nullopt) << state;
    }
    ContactFields longState = withLastName();
    longState.state = "NYC";
    EXPECT_EQ(checkAndCleanForBrowser(longState)->field, ContactField::State);

    ContactFields country = withLastName();
    country.country = "U,S,A";
    EXPECT_EQ(checkAndCleanForBrowser(country), std::nullopt);
    EXPECT_EQ(country.country, "USA");
    country.country = std::string(20, 'x');
    EXPECT_EQ(checkAndCleanForBrowser(country)->text,
              "Country must be 19 characters or less. For example, USA.");

    // Everything else is shared: one check from each end.
    ContactFields date = withLastName();
    date.birthdate = "04-10-1980";
    EXPECT_EQ(checkAndCleanForBrowser(date)->title, "Date error");
    ContactFields notes = withLastName();
    notes.notes = "a,b";
    EXPECT_EQ(checkAndCleanForBrowser(notes), std::nullopt);
    EXPECT_EQ(notes.notes, "a b");
}

TEST(PhoneNormalisation, KeepsDigitsAndDashes) {
    EXPECT_EQ(normalisePhone("(503) 555-0100"), "503-555-0100");
    EXPECT_EQ(normalisePhone("+44 (0)20 7946 0958"), "440-2079460958");
    EXPECT_EQ(normalisePhone("555.0100"), "555.0100");
    EXPECT_EQ(normalisePhone("   "), "");
    EXPECT_EQ(normalisePhone("(503)(555)"), "503-555-");
}

TEST(ContactRecordBuilding, ALastNameAloneGivesBlanksAndTheReminderSetting) {
    ContactFields f = withLastName("Lee");
    const ContactRecord off = buildContactRecord(f, false);
    ContactRecord expected;
    expected.lastName = "Lee";
    EXPECT_EQ(off, expected);
    EXPECT_EQ(buildContactRecord(f, true).reminder, "1");
}

TEST(ContactRecordBuilding, ConvertsCaseDateAndFlags) {
    ContactFields f = withLastName("  Public");
    f.firstName = "  John  ";
    f.middleInitial = "j";
    f.state = "il";
    f.country = "u s";
    f.city = "springfield";
    f.birthdate = "04/10/1980";
    f.company = "Acme";
    f.includeCompany = true;
    const ContactRecord r = buildContactRecord(f, true);
    EXPECT_EQ(r.firstName, "John");
    EXPECT_EQ(r.middleInitial, "J");
    EXPECT_EQ(r.lastName, "Public");
    EXPECT_EQ(r.state, "IL");
    EXPECT_EQ(r.country, "U S");
    EXPECT_EQ(r.city, "springfield") << "other fields keep their case";
    EXPECT_EQ(r.birthdate, "19800410");
    EXPECT_EQ(r.includeCompany, "1");
    EXPECT_EQ(r.reminder, "1");

    f.birthdate = "ab/cd/efgh";
    EXPECT_EQ(buildContactRecord(f, true).birthdate, "efghabcd");
    for (const char* none : {"", "   "}) {
        f.company = none;
        EXPECT_EQ(buildContactRecord(f, true).includeCompany, "0") << "'" << none << "'";
    }
}

TEST(ContactRecordBuilding, RoundTripsThroughTheFormFields) {
    ContactFields f = withLastName("Public");
    f.firstName = "John";
    f.middleInitial = "Q";
    f.birthdate = "04/10/1980";
    f.company = "Acme";
    f.includeCompany = true;
    f.email = "jq@public.org";
    EXPECT_EQ(fieldsFromRecord(buildContactRecord(f, false)), f);

    ContactRecord blankDate;
    blankDate.birthdate = "        ";
    EXPECT_EQ(fieldsFromRecord(blankDate).birthdate, "");
}

// A store that holds longer values: every length check, and the number its message names,
// follow the store's limits instead of the contact file's widths.
TEST(FieldLimits, EveryLengthCheckAndItsMessageFollowTheStore) {
    FieldLimits roomy;
    roomy.longest.fill(40);
    for (const CheckVariant* variant : {&kAddContactChecks, &kEditContactChecks}) {
        for (ContactField field : kAllContactFields) {
            if (describe(field).tooLong.empty()) {
                continue;  // the state and the birthdate have a form instead
            }
            ContactFields over = withLastName();
            over.text(field) = std::string(41, 'x');
            const auto tooLong = checkAndClean(over, *variant, roomy);
            ASSERT_TRUE(tooLong.has_value()) << static_cast<int>(field);
            EXPECT_EQ(tooLong->field, field);
            EXPECT_NE(tooLong->text.find(" 40 character"), std::string::npos) << tooLong->text;

            ContactFields atLimit = withLastName();
            atLimit.text(field) = std::string(40, 'x');
            const auto fits = checkAndClean(atLimit, *variant, roomy);
            EXPECT_TRUE(!fits || fits->text != tooLong->text) << fits->text;
        }
    }
}

}  // namespace
}  // namespace qm
