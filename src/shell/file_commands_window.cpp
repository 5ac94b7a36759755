#include "shell/file_commands_window.h"

#include <QDate>

#include "app/app_state.h"
#include "platform/messages.h"
#include "platform/qt_text.h"
#include "records/error.h"
#include "shell/birthday_scan.h"

namespace qm {

namespace {

const QString kDataFilter = QStringLiteral("Data Files (*.DAT)|*.DAT");

// Runs a file command; its errors get Retry (close the file) or Cancel (exit).
template <typename Command>
void runFileCommand(AppState& state, QWidget* parent, Command command) {
    try {
        command();
    } catch (const QmError& error) {
        reportCommandError(state, parent, error);
    }
}

// A browser kept loaded (hidden after Print Label) holds a record number of the file it was
// opened on; it must not come back over another file, where Save would overwrite a stranger.
void unloadContactBrowser(AppState& state) {
    if (!state.contactBrowser.isNull()) {
        state.contactBrowser->close();
    }
    state.currentRecord = 0;
}

void showRemindersFromFile(AppState& state, QWidget* parent) {
    const std::vector<ContactRecord> records = state.contacts.readAll();
    switch (reminderMenuFor(records)) {
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
    for (const std::string& text :
         birthdayReminders(records, {today.year(), today.month(), today.day()})) {
        state.platform.messageBox(parent, QStringLiteral("Birthday reminder"), fromCp(text),
                                  MsgButtons::Ok, MsgIcon::Information);
    }
}

// The former file stays open until a name is chosen, so a cancelled dialog changes nothing.
void chooseContactFile(AppState& state, QWidget* parent, const QString& dialogTitle,
                       bool announceBirthdays) {
    const QString path =
        state.platform.openFileDialog(parent, dialogTitle, kDataFilter, state.appFolder);
    if (path.isEmpty()) {
        return;
    }
    unloadContactBrowser(state);
    state.openFile(path);
    if (announceBirthdays) {
        showRemindersFromFile(state, parent);
    } else {
        state.setReminders(true);
    }
}

}  // namespace

void newContactFile(AppState& state, QWidget* parent) {
    runFileCommand(state, parent,
                   [&] { chooseContactFile(state, parent, QStringLiteral("New"), false); });
}

void openContactFile(AppState& state, QWidget* parent) {
    runFileCommand(state, parent,
                   [&] { chooseContactFile(state, parent, QStringLiteral("Open"), true); });
}

void closeContactFile(AppState& state, QWidget* parent) {
    unloadContactBrowser(state);
    state.closeFile([&](const QmError& error) { showCommonError(state.platform, parent, error); });
}

void setEveryReminder(AppState& state, QWidget* parent, bool on) {
    runFileCommand(state, parent, [&] {
        state.contacts.setAllReminderFlags(on ? "1" : "0");
        if (on) {
            state.platform.messageBox(parent, QStringLiteral("Birthday reminders enabled"),
                                      QStringLiteral("Birthday Reminders have been turned on."),
                                      MsgButtons::Ok, MsgIcon::Information);
        } else {
            state.platform.messageBox(parent, QStringLiteral("Birthday reminders disabled"),
                                      QStringLiteral("Birthday Reminders have been turned off."),
                                      MsgButtons::Ok, MsgIcon::Information);
        }
        state.setReminders(on);
    });
}

void reportCommandError(AppState& state, QWidget* parent, const QmError& error) {
    if (showCommonError(state.platform, parent, error) == MsgAnswer::Cancel) {
        state.requestExit();
        return;
    }
    closeContactFile(state, parent);
}

}  // namespace qm
