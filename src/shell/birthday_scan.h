#pragma once

// Birthday reminders of a contact file: which reminder menu item the file calls for, and the
// contacts whose birthday falls within the next fifteen days, as a pure function of the
// records and today's date.

#include <string>
#include <vector>

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

// Whether a file opens with reminders on. Reminders count as on while "Enable Birthday
// Reminders" is disabled, which a file without records also leaves it.
inline bool remindersOnWhenOpened(ReminderMenu menu) {
    return menu != ReminderMenu::Off;
}

// "First Last has a birthday coming up on MM/DD" for every record flagged "1" whose birthday,
// taken in today's year, is 1 to 15 days ahead; in record order. A birthdate whose month and
// day do not make a date of this year (29 February outside leap years, non-digits) is skipped.
std::vector<std::string> birthdayReminders(const std::vector<ContactRecord>& records,
                                           CalendarDate today);

}  // namespace qm
