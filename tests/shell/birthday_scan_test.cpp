#include "shell/birthday_scan.h"

#include <gtest/gtest.h>

#include "support/contacts_on_file.h"

namespace qm {
namespace {

ContactRecord contact(const std::string& first, const std::string& last,
                      const std::string& birthdate, const std::string& reminder = "1") {
    ContactRecord record;
    record.firstName = first;
    record.lastName = last;
    record.birthdate = birthdate;
    record.reminder = reminder;
    return record;
}

// The reminder texts for a contact file holding these records.
std::vector<std::string> remindersOnFile(const std::vector<ContactRecord>& records,
                                         CalendarDate today) {
    test::ContactsOnFile contacts(records);
    std::vector<std::string> texts;
    for (const UpcomingBirthday& birthday : upcomingBirthdaysIn(contacts.file(), today)) {
        texts.push_back(birthday.text());
    }
    return texts;
}

struct WindowCase {
    const char* name;
    CalendarDate today;
    const char* birthdate;
    bool announced;
};

TEST(BirthdayReminders, AnnouncesOneToFifteenDaysAheadInTodaysYear) {
    const WindowCase cases[] = {
        {"today", {2024, 6, 10}, "19800610", false},
        {"tomorrow", {2024, 6, 10}, "19800611", true},
        {"fifteen days", {2024, 6, 10}, "19800625", true},
        {"sixteen days", {2024, 6, 10}, "19800626", false},
        {"yesterday", {2024, 6, 10}, "19800609", false},
        {"across a month end", {2024, 1, 25}, "19900205", true},
        {"late December seen in early January", {2024, 1, 2}, "19701228", false},
        {"early January seen in late December", {2024, 12, 28}, "19700102", false},
        {"New Year's Eve from mid December", {2024, 12, 20}, "19701231", true},
        {"29 February in a leap year", {2024, 2, 20}, "19920229", true},
        {"29 February outside leap years", {2023, 2, 20}, "19920229", false},
        {"1 March after 28 February", {2023, 2, 28}, "19920301", true},
        {"blanks inside the stored date", {2024, 6, 10}, "1980 06 12", true},
    };
    for (const WindowCase& c : cases) {
        EXPECT_EQ(upcomingBirthday(contact("Ann", "Lee", c.birthdate), c.today).has_value(),
                  c.announced)
            << c.name;
    }
}

TEST(BirthdayReminders, SkipsBlankAndInvalidDatesAndGoesOn) {
    const std::vector<ContactRecord> records = {
        contact("No", "Date", ""),
        contact("Bad", "Month", "19801305"),
        contact("Bad", "Day", "19800432"),
        contact("Zero", "Month", "19800005"),
        contact("Not", "Digits", "1980JUNE"),
        contact("Short", "Date", "198006"),
        contact("Good", "One", "19800612"),
    };
    EXPECT_EQ(remindersOnFile(records, {2024, 6, 10}),
              std::vector<std::string>{"Good One has a birthday coming up on 06/12"});
}

TEST(BirthdayReminders, FollowsEachRecordsOwnFlagInRecordOrder) {
    const std::vector<ContactRecord> records = {
        contact("Off", "First", "19800612", "0"),
        contact("Zed", "Young", "20010620"),
        contact("Blank", "Flag", "19800612", ""),
        contact("Amy", "Old", "19400611"),
    };
    EXPECT_EQ(remindersOnFile(records, {2024, 6, 10}),
              (std::vector<std::string>{"Zed Young has a birthday coming up on 06/20",
                                        "Amy Old has a birthday coming up on 06/11"}));
}

TEST(BirthdayReminders, NamesAreTrimmedAndJoinedByOneBlank) {
    EXPECT_EQ(upcomingBirthday(contact("  Jo ", " Smith  ", "19800611"), {2024, 6, 10})->text(),
              "Jo Smith has a birthday coming up on 06/11");
    EXPECT_EQ(remindersOnFile({contact("Cher", "", "19460520")}, {2024, 5, 19}),
              std::vector<std::string>{"Cher  has a birthday coming up on 05/20"});
}

TEST(UpcomingBirthdays, SoonestFirstWithTheAgeWhereTheYearIsKnown) {
    const std::vector<ContactRecord> records = {
        contact("Late", "One", "19800620"),   contact("No", "Year", "00000612"),
        contact("Soon", "Two", "20000611"),   contact("Same", "Day", "19900620"),
        contact("Born", "Later", "20300612"),
    };
    test::ContactsOnFile contacts(records);
    const auto upcoming = soonestFirst(upcomingBirthdaysIn(contacts.file(), {2024, 6, 10}));
    std::vector<std::string> names;
    std::vector<std::optional<int>> ages;
    for (const UpcomingBirthday& b : upcoming) {
        names.push_back(b.name);
        ages.push_back(b.age);
    }
    EXPECT_EQ(names, (std::vector<std::string>{"Soon Two", "No Year", "Born Later", "Late One",
                                               "Same Day"}));
    EXPECT_EQ(ages, (std::vector<std::optional<int>>{24, std::nullopt, std::nullopt, 44, 34}));
    EXPECT_EQ(upcoming.front().text(), "Soon Two has a birthday coming up on 06/11");
}

TEST(ReminderMenu, FirstRecordStandsForTheFile) {
    const auto menuOf = [](const std::vector<ContactRecord>& records) {
        test::ContactsOnFile contacts(records);
        return reminderMenuOf(contacts.file());
    };
    EXPECT_EQ(menuOf({}), ReminderMenu::NoRecords);
    EXPECT_EQ(menuOf({contact("A", "B", "", "1"), contact("C", "D", "", "0")}), ReminderMenu::On);
    EXPECT_EQ(menuOf({contact("A", "B", "", "0"), contact("C", "D", "", "1")}), ReminderMenu::Off);
    EXPECT_EQ(menuOf({contact("A", "B", "", "")}), ReminderMenu::Off);
}

}  // namespace
}  // namespace qm
