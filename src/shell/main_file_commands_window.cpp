// New, Open and Close of contact files, and the birthday-reminder commands.
#include <QDate>
#include <QFileInfo>

#include "platform/messages.h"
#include "platform/qt_text.h"
#include "records/error.h"
#include "shell/app_folder.h"
#include "shell/birthday_scan.h"
#include "shell/file_title.h"
#include "shell/main_window.h"

namespace {

const QString kDataFilter = QStringLiteral("Data Files (*.DAT)|*.DAT");

QString fileTitleOf(const QString& path) {
    return QFile::decodeName(qm::contactFileTitle(QFile::encodeName(path).toStdString()).c_str());
}

std::string folderBytes(const QString& folder) {
    return QFile::encodeName(folder).toStdString();
}

}  // namespace

template <typename Command>
void frmDEdavu::runFileCommand(Command command) {
    try {
        command();
    } catch (const qm::QmError& error) {
        if (qm::showCommonError(state_.platform, this, error) == qm::MsgAnswer::Cancel) {
            close();
            return;
        }
        // Retry leaves no file open, and the window says so rather than show a closed file.
        fileClose();
    }
}

void frmDEdavu::fileNew() {
    runFileCommand([this] { chooseContactFile(QStringLiteral("New"), false); });
}

void frmDEdavu::fileOpen() {
    runFileCommand([this] { chooseContactFile(QStringLiteral("Open"), true); });
}

// The former file stays open until a name is chosen, so a cancelled dialog changes nothing
// but the parked uninstaller file, which gets its name back with the next choice or at exit.
void frmDEdavu::chooseContactFile(const QString& dialogTitle, bool announceBirthdays) {
    const std::string folder = folderBytes(state_.appFolder);
    qm::parkUninstallerData(folder);
    const QString path =
        state_.platform.openFileDialog(this, dialogTitle, kDataFilter, state_.appFolder);
    if (path.isEmpty()) {
        return;
    }
    useContactFile(path, !announceBirthdays);
    qm::restoreUninstallerData(folder);
    if (announceBirthdays) {
        showRemindersFromFile();
    }
}

void frmDEdavu::useContactFile(const QString& path, bool isNew) {
    unloadContactBrowser();
    state_.contacts.open(QFile::encodeName(path).toStdString());
    showOpenFile(path, fileTitleOf(path));
    setContactCommandsEnabled(true);
    if (isNew) {
        setReminderMenu(true);
    }
}

void frmDEdavu::openContactFile(const QString& path) {
    runFileCommand([this, &path] {
        const QFileInfo file(path);
        if (!file.isFile()) {
            qm::throwError(qm::err::kFileNotFound,
                           "File not found (" + QFile::encodeName(path).toStdString() + ")");
        }
        useContactFile(file.absoluteFilePath(), false);
        showRemindersFromFile();
    });
}

void frmDEdavu::showRemindersFromFile() {
    const std::vector<qm::ContactRecord> records = state_.contacts.readAll();
    switch (qm::reminderMenuFor(records)) {
        case qm::ReminderMenu::NoRecords:
            mnuFileBdayOn->setEnabled(false);
            mnuFileBdayOff->setEnabled(false);
            break;
        case qm::ReminderMenu::On:
            setReminderMenu(true);
            break;
        case qm::ReminderMenu::Off:
            setReminderMenu(false);
            break;
    }
    const QDate today = QDate::currentDate();
    for (const std::string& text :
         qm::birthdayReminders(records, {today.year(), today.month(), today.day()})) {
        state_.platform.messageBox(this, QStringLiteral("Birthday reminder"), qm::fromCp(text),
                                   qm::MsgButtons::Ok, qm::MsgIcon::Information);
    }
}

// A browser kept loaded (hidden after Print Label) holds a record number of the file it was
// opened on; it must not come back over another file, where Save would overwrite a stranger.
void frmDEdavu::unloadContactBrowser() {
    if (!state_.contactBrowser.isNull()) {
        state_.contactBrowser->close();
    }
    state_.currentRecord = 0;
}

void frmDEdavu::setReminderMenu(bool on) {
    mnuFileBdayOn->setEnabled(!on);
    mnuFileBdayOff->setEnabled(on);
}

void frmDEdavu::fileClose() {
    unloadContactBrowser();
    const bool importOn = mnuImport->isEnabled();
    const bool exportOn = mnuExport->isEnabled();
    // Closing releases the descriptor even when the system reports a failure; the window
    // shows no file either way.
    try {
        state_.contacts.close();
    } catch (const qm::QmError& error) {
        qm::showCommonError(state_.platform, this, error);
    }
    showNoFile();
    setContactCommandsEnabled(false);
    mnuImport->setEnabled(importOn);
    mnuExport->setEnabled(exportOn);
    mnuFileBdayOn->setEnabled(false);
    mnuFileBdayOff->setEnabled(false);
}

void frmDEdavu::remindersOnCommand() {
    runFileCommand([this] { setEveryReminderFlag(true); });
}

void frmDEdavu::remindersOffCommand() {
    runFileCommand([this] { setEveryReminderFlag(false); });
}

void frmDEdavu::setEveryReminderFlag(bool on) {
    state_.contacts.setAllReminderFlags(on ? "1" : "0");
    if (on) {
        state_.platform.messageBox(this, QStringLiteral("Birthday reminders enabled"),
                                   QStringLiteral("Birthday Reminders have been turned on."),
                                   qm::MsgButtons::Ok, qm::MsgIcon::Information);
    } else {
        state_.platform.messageBox(this, QStringLiteral("Birthday reminders disabled"),
                                   QStringLiteral("Birthday Reminders have been turned off."),
                                   qm::MsgButtons::Ok, qm::MsgIcon::Information);
    }
    setReminderMenu(on);
}
