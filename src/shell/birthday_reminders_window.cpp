#include "shell/birthday_reminders_window.h"

#include <QCoreApplication>
#include <QDate>

#include "app/app_state.h"
#include "platform/qt_text.h"
#include "shell/birthday_scan.h"

namespace qm {

namespace {

struct BirthdayReminders {
    Q_DECLARE_TR_FUNCTIONS(BirthdayReminders)
};

QString listLine(const UpcomingBirthday& birthday) {
    QString line = fromCore(birthday.text());
    if (birthday.age) {
        line += BirthdayReminders::tr(" (turns %1)").arg(*birthday.age);
    }
    return line;
}

void announceBirthdays(AppState& state, QWidget* parent,
                       const std::vector<UpcomingBirthday>& upcoming) {
    if (std::ssize(upcoming) <= kMostBirthdayBoxes) {
        for (const UpcomingBirthday& birthday : upcoming) {
            state.platform.messageBox(parent, BirthdayReminders::tr("Birthday reminder"),
                                      fromCore(birthday.text()), MsgButtons::Ok,
                                      MsgIcon::Information);
        }
        return;
    }
    QStringList lines;
    for (const UpcomingBirthday& birthday : soonestFirst(upcoming)) {
        lines << listLine(birthday);
    }
    state.platform.listBox(parent, BirthdayReminders::tr("Birthday reminders"),
                           BirthdayReminders::tr("%n birthdays are coming up in the next 15 days:",
                                                 nullptr, static_cast<int>(lines.size())),
                           lines);
}

}  // namespace

void showRemindersFromFile(AppState& state, QWidget* parent) {
    switch (reminderMenuOf(state.contacts())) {
        case ReminderMenu::NoRecords:
            state.resetReminders();
            break;
        case ReminderMenu::On:
            state.setReminders(true);
            break;
        case ReminderMenu::Off:
            state.setReminders(false);
            break;
    }
    const QDate today = QDate::currentDate();
    announceBirthdays(
        state, parent,
        upcomingBirthdaysIn(state.contacts(), {today.year(), today.month(), today.day()}));
}

}  // namespace qm
