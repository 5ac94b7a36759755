#include "shell/birthday_scan.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include "records/text_rules.h"

namespace qm {

namespace {

constexpr int kLastDayAhead = 15;

// The value of a text made only of decimal digits.
bool digitsValue(const std::string& text, std::size_t width, int& value) {
    if (text.size() != width) {
        return false;
    }
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

bool twoDigits(const std::string& text, int& value) {
    return digitsValue(text, 2, value);
}

std::optional<int> ageReached(const std::string& compact, CalendarDate today) {
    int year = 0;
    if (!digitsValue(midOf(compact, 1, 4), 4, year) || year < 1 || year >= today.year) {
        return std::nullopt;
    }
    return today.year - year;
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

std::string UpcomingBirthday::text() const {
    return name + " has a birthday coming up on " + monthDay;
}

ReminderMenu reminderMenuOf(const ContactStore& contacts) {
    const ContactStore::Lock lock(contacts, LockKind::Shared);
    if (contacts.count() == 0) {
        return ReminderMenu::NoRecords;
    }
    return contacts.read(1).reminder == "1" ? ReminderMenu::On : ReminderMenu::Off;
}

std::optional<UpcomingBirthday> upcomingBirthday(const ContactRecord& record, CalendarDate today) {
    if (record.reminder != "1") {
        return std::nullopt;
    }
    const std::optional<int> days = daysUntilBirthday(record.birthdate, today);
    if (!days || *days < 1 || *days > kLastDayAhead) {
        return std::nullopt;
    }
    const std::string compact = removeAll(record.birthdate, " ");
    return UpcomingBirthday{trim(record.firstName) + " " + trim(record.lastName),
                            midOf(compact, 5, 2) + "/" + midOf(compact, 7, 2), *days,
                            ageReached(compact, today)};
}

std::vector<UpcomingBirthday> upcomingBirthdaysIn(const ContactStore& contacts,
                                                  CalendarDate today) {
    std::vector<UpcomingBirthday> found;
    contacts.forEachRecord([&](int, const ContactRecord& record) {
        if (auto birthday = upcomingBirthday(record, today)) {
            found.push_back(std::move(*birthday));
        }
    });
    return found;
}

std::vector<UpcomingBirthday> soonestFirst(std::vector<UpcomingBirthday> birthdays) {
    std::ranges::stable_sort(birthdays, {}, &UpcomingBirthday::daysAhead);
    return birthdays;
}

}  // namespace qm
