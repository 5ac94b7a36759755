#include "shell/file_commands_window.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include "app/app_state.h"
#include "app/command_error.h"
#include "exchange/contact_formats.h"
#include "exchange/store_conversion.h"
#include "platform/messages.h"
#include "records/error.h"
#include "records/open_contact_store.h"
#include "shell/birthday_reminders_window.h"

namespace qm {

namespace {

struct FileCommands {
    Q_DECLARE_TR_FUNCTIONS(FileCommands)
};

// Each kind of contact store, the book first; "All files" lets a contact file made without
// the ending be opened all the same.
QString dataFilter() {
    QString filter;
    for (const ContactFormat* row : contactStoreFormats()) {
        const std::string text(row->storeFilter);
        const std::string pattern =
            text.substr(text.rfind('(') + 1, text.rfind(')') - text.rfind('(') - 1);
        filter += FileCommands::tr(text.c_str()) + QLatin1Char('|') +
                  QString::fromStdString(pattern) + QLatin1Char('|');
    }
    return filter + FileCommands::tr("All files (*)") + QStringLiteral("|*");
}

// Runs a file command; its errors get Retry (close the file) or Cancel (exit).
template <typename Command>
void runFileCommand(AppState& state, QWidget* parent, Command command) {
    try {
        command();
    } catch (const QmError& error) {
        reportCommandError(state, parent, error);
    }
}

void openChosenFile(AppState& state, QWidget* parent, const QString& path, bool announceBirthdays) {
    if (!unloadContactBrowser(state)) {
        return;
    }
    state.openFile(path);
    if (announceBirthdays) {
        showRemindersFromFile(state, parent);
    } else {
        state.setReminders(true);
    }
}

// The name as typed, with ".DAT" when it has no extension of its own.
QString withDataEnding(const QString& path) {
    const QFileInfo info(path);
    if (!info.suffix().isEmpty()) {
        return path;
    }
    return path.endsWith(QLatin1Char('.')) ? path + QStringLiteral("DAT")
                                           : path + QStringLiteral(".DAT");
}

// The changes a conversion makes, as the question before Save As shows them: a screenful,
// then how many more.
QString changedValuesText(const Conversion& conversion) {
    constexpr std::size_t kShown = 20;
    QStringList lines;
    for (std::size_t i = 0; i < conversion.changed.size() && i < kShown; ++i) {
        lines << QString::fromStdString(convertedValueLine(conversion.changed[i]))
                     .replace(QLatin1Char('\t'), QStringLiteral("  "));
    }
    if (conversion.changed.size() > kShown) {
        lines << FileCommands::tr("... and %1 more").arg(conversion.changed.size() - kShown);
    }
    return lines.join(QLatin1Char('\n'));
}

}  // namespace

void saveContactsAs(AppState& state, QWidget* parent) {
    runFileCommand(state, parent, [&] {
        const QString chosen = state.platform.newFileDialog(parent, FileCommands::tr("Save As"),
                                                            dataFilter(), state.appFolder);
        if (chosen.isEmpty()) {
            return;
        }
        const QString path = withDataEnding(chosen);
        const std::string target = QFile::encodeName(path).toStdString();
        const Conversion conversion = convertContacts(state.contacts(), fieldLimitsAt(target));
        if (!conversion.changed.empty()) {
            const MsgAnswer answer = state.platform.messageBox(
                parent, FileCommands::tr("Values changed"),
                FileCommands::tr("%1 cannot hold %2 values as they are.  They will be saved "
                                 "as:\n\n%3\n\nDo you want to save the contacts this way?")
                    .arg(path)
                    .arg(conversion.changed.size())
                    .arg(changedValuesText(conversion)),
                MsgButtons::YesNo, MsgIcon::Question, MsgDefault::Second);
            if (answer != MsgAnswer::Yes) {
                return;
            }
        }
        const bool existed = QFile::exists(path);
        {
            const std::unique_ptr<ContactStore> store = openContactStore(target);
            try {
                writeConversion(conversion, *store);
            } catch (const QmError&) {
                if (!existed && store->count() == 0) {
                    QFile::remove(path);
                }
                throw;
            }
        }
        if (unloadContactBrowser(state)) {
            state.openFile(path);
        }
    });
}

void newContactFile(AppState& state, QWidget* parent) {
    runFileCommand(state, parent, [&] {
        // The former file stays open until a name is chosen, so a cancelled dialog changes
        // nothing.
        const QString path = state.platform.newFileDialog(parent, FileCommands::tr("New"),
                                                          dataFilter(), state.appFolder);
        if (!path.isEmpty()) {
            openChosenFile(state, parent, withDataEnding(path), false);
        }
    });
}

void openContactFile(AppState& state, QWidget* parent) {
    runFileCommand(state, parent, [&] {
        const QString path = state.platform.openFileDialog(parent, FileCommands::tr("Open"),
                                                           dataFilter(), state.appFolder);
        if (!path.isEmpty()) {
            openChosenFile(state, parent, path, true);
        }
    });
}

void openContactFileAt(AppState& state, QWidget* parent, const QString& path) {
    runFileCommand(state, parent, [&] {
        const QFileInfo file(path);
        if (!file.isFile()) {
            throwError(err::kFileNotFound,
                       "File not found (" + QFile::encodeName(path).toStdString() + ")");
        }
        openChosenFile(state, parent, file.absoluteFilePath(), true);
    });
}

void setEveryReminder(AppState& state, QWidget* parent, bool on) {
    runFileCommand(state, parent, [&] {
        state.contacts().setAllReminderFlags(on ? "1" : "0");
        if (on) {
            state.platform.messageBox(parent, FileCommands::tr("Birthday reminders enabled"),
                                      FileCommands::tr("Birthday Reminders have been turned on."),
                                      MsgButtons::Ok, MsgIcon::Information);
        } else {
            state.platform.messageBox(parent, FileCommands::tr("Birthday reminders disabled"),
                                      FileCommands::tr("Birthday Reminders have been turned off."),
                                      MsgButtons::Ok, MsgIcon::Information);
        }
        state.setReminders(on);
    });
}

}  // namespace qm
