#pragma once

// Birthday reminders of a contact file: which reminder menu item the file calls for, and the
// contacts whose birthday falls within the next fifteen days, as a pure function of the
// records and today's date.

#include <optional>
#include <string>
#include <vector>

#include "records/contact_file.h"
#include "records/contact_record.h"

namespace qm {

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The file state the reminder menu items show: no records (both items off), reminders on
// ("Disable" offered) or off ("Enable" offered). The first record's flag stands for the file.
enum class ReminderMenu { NoRecords, On, Off };

ReminderMenu reminderMenuFor(const std::vector<ContactRecord>& records);
// The same from the open file, which needs only its count and first record.
ReminderMenu reminderMenuOf(const ContactFile& file);

// Whether a file opens with reminders on. Reminders count as on while "Enable Birthday
// Reminders" is disabled, which a file without records also leaves it.
inline bool remindersOnWhenOpened(ReminderMenu menu) {
    return menu != ReminderMenu::Off;
}

// A contact whose birthday is coming up.
struct UpcomingBirthday {
    std::string name;      // first and last name, trimmed, joined by one blank
    std::string monthDay;  // "MM/DD" as stored
    int daysAhead = 0;
    // The age the contact reaches, when the stored year is one before today's.
    std::optional<int> age;

    // "First Last has a birthday coming up on MM/DD".
    std::string text() const;
};

// The birthday of one record when it is upcoming, as upcomingBirthdays tells.
std::optional<UpcomingBirthday> upcomingBirthday(const ContactRecord& record, CalendarDate today);

// Every record flagged "1" whose birthday, taken in today's year, is 1 to 15 days ahead; in
// record order. A birthdate whose month and day do not make a date of this year (29 February
// outside leap years, non-digits) is skipped.
std::vector<UpcomingBirthday> upcomingBirthdays(const std::vector<ContactRecord>& records,
                                                CalendarDate today);

// The same birthdays, soonest first; those on one day stay in record order.
std::vector<UpcomingBirthday> soonestFirst(std::vector<UpcomingBirthday> birthdays);

// The texts of upcomingBirthdays, in record order.
std::vector<std::string> birthdayReminders(const std::vector<ContactRecord>& records,
                                           CalendarDate today);

// The upcoming birthdays of the open file, read a block at a time.
std::vector<UpcomingBirthday> upcomingBirthdaysIn(const ContactFile& file, CalendarDate today);

}  // namespace qm
