#include "shell/birthday_scan.h"

#include <chrono>
#include <optional>

#include "records/text_rules.h"

namespace qm {

namespace {

constexpr int kLastDayAhead = 15;

bool twoDigits(const std::string& text, int& value) {
    if (text.size() != 2 || text[0] < '0' || text[0] > '9' || text[1] < '0' || text[1] > '9') {
        return false;
    }
    value = (text[0] - '0') * 10 + (text[1] - '0');
    return true;
}

std::chrono::sys_days toDays(int year, int month, int day) {
    return std::chrono::sys_days(std::chrono::year(year) /
                                 std::chrono::month(static_cast<unsigned>(month)) /
                                 std::chrono::day(static_cast<unsigned>(day)));
}

// Days from today to the birthdate's month and day in today's year; nothing when those do
// not make a date of this year.
std::optional<int> daysUntilBirthday(const std::string& birthdate, CalendarDate today) {
    const std::string compact = removeAll(birthdate, " ");
    int month = 0;
    int day = 0;
    if (!twoDigits(midOf(compact, 5, 2), month) || !twoDigits(midOf(compact, 7, 2), day)) {
        return std::nullopt;
    }
    const std::chrono::year_month_day date{std::chrono::year(today.year),
                                           std::chrono::month(static_cast<unsigned>(month)),
                                           std::chrono::day(static_cast<unsigned>(day))};
    if (!date.ok()) {
        return std::nullopt;
    }
    return static_cast<int>(
        (std::chrono::sys_days(date) - toDays(today.year, today.month, today.day)).count());
}

}  // namespace

ReminderMenu reminderMenuFor(const std::vector<ContactRecord>& records) {
    if (records.empty()) {
        return ReminderMenu::NoRecords;
    }
    return records.front().reminder == "1" ? ReminderMenu::On : ReminderMenu::Off;
}

std::vector<std::string> birthdayReminders(const std::vector<ContactRecord>& records,
                                           CalendarDate today) {
    std::vector<std::string> texts;
    for (const ContactRecord& record : records) {
        if (record.reminder != "1") {
            continue;
        }
        const std::optional<int> days = daysUntilBirthday(record.birthdate, today);
        if (!days || *days < 1 || *days > kLastDayAhead) {
            continue;
        }
        const std::string compact = removeAll(record.birthdate, " ");
        texts.push_back(trim(record.firstName) + " " + trim(record.lastName) +
                        " has a birthday coming up on " + midOf(compact, 5, 2) + "/" +
                        midOf(compact, 7, 2));
    }
    return texts;
}

}  // namespace qm
