#pragma once

// Birthday reminders of the open contacts: which reminder menu item they call for, and the
// contacts whose birthday falls within the next fifteen days of a given date.

#include <optional>
#include <string>
#include <vector>

#include "records/contact_record.h"
#include "records/contact_store.h"

namespace qm {

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

// The file state the reminder menu items show: no records (both items off), reminders on
// ("Disable" offered) or off ("Enable" offered). The first record's flag stands for the file.
enum class ReminderMenu { NoRecords, On, Off };

// Needs only the count and the first record.
ReminderMenu reminderMenuOf(const ContactStore& contacts);

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

// The birthday of a record flagged "1" when, taken in today's year, it is 1 to 15 days ahead.
// A birthdate whose month and day do not make a date of this year (29 February outside leap
// years, non-digits) is never upcoming.
std::optional<UpcomingBirthday> upcomingBirthday(const ContactRecord& record, CalendarDate today);

// The upcoming birthdays of the open contacts, in record order, read a block at a time.
std::vector<UpcomingBirthday> upcomingBirthdaysIn(const ContactStore& contacts, CalendarDate today);

// The same birthdays, soonest first; those on one day stay in record order.
std::vector<UpcomingBirthday> soonestFirst(std::vector<UpcomingBirthday> birthdays);

}  // namespace qm
