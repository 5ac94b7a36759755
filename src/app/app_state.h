#pragma once

// What the program keeps application-wide, below every window: the open contacts and their
// names, the birthday-reminder state, the current record, the typed label lines with their
// print options, the application folder and the platform services. Windows read and change
// it through this interface; the signals tell the windows that show a part of it.

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "platform/platform_services.h"
#include "records/contact_store.h"
#include "records/error.h"
#include "surface/printer_surface.h"

namespace qm {

enum class PrintMedium { None, LabelStock, Envelope };
enum class TextAlignment { None, LeftJustified, Centered };

// The print options of the typed lines.
struct PrintOptions {
    PrintMedium medium = PrintMedium::None;
    int envelopeSize = 0;  // 1..7 in the order listed; 0 when none is chosen
    bool portrait = true;
    TextAlignment alignment = TextAlignment::LeftJustified;
    bool bold = false;
    bool largeFont = false;
    // The label position entry as taken (cleaned, "4-9"), the position the next label goes
    // to, and how many labels one job prints. While an entry chose label stock it is shown,
    // and Print starts again from the entry's range.
    QString positionRange;
    bool positionEntered = false;
    int startPosition = 0;
    int labelCount = 0;
    // Start column and empty lines above the next label, or above the envelope's address.
    int leftPad = kDefaultSlot.startColumn;
    int topPad = kDefaultSlot.topLines;
    bool operator==(const PrintOptions&) const = default;
};

inline constexpr int kTypedLineCount = 5;
using TypedLines = std::array<QString, kTypedLineCount>;

class AppState : public QObject {
    Q_OBJECT
  public:
    AppState(PlatformServices& services, QString folder);

    PlatformServices& platform;
    const QString appFolder;
    QString appFile(const QString& name) const { return appFolder + QLatin1Char('/') + name; }

    // Records are read and written here; the store is opened and closed through openFile,
    // reopenFile and closeFile, so that its names follow. While none is open, every
    // operation fails with error 52. A reference is good until the next open or close.
    ContactStore& contacts() { return *contacts_; }
    const ContactStore& contacts() const { return *contacts_; }
    // The contact shown in the contact browser; 0 when none.
    int currentRecord = 0;
    // The contact browser while it is loaded (it stays loaded, hidden, after Print Label).
    QPointer<QWidget> contactBrowser;
    // Windows other than the main window, oldest first, closed newest first at exit.
    std::vector<QPointer<QWidget>> openWindows;

    // ---- The open contact file
    bool hasFile() const { return !filePath_.isEmpty(); }
    // Full path as chosen, and the title captions and the report show (the name without its
    // folder and ".DAT"); both empty while no file is open.
    const QString& filePath() const { return filePath_; }
    const QString& fileTitle() const { return fileTitle_; }
    // Opens the file (made when missing) in place of the one open. Throws QmError, leaving
    // the former names.
    void openFile(const QString& path);
    // Closes and opens the same file again. Throws QmError.
    void reopenFile();
    // Releases the file. A failure is handed to reportFailure first; either way no file is
    // open afterwards and the reminders are reset.
    void closeFile(const std::function<void(const QmError&)>& reportFailure);
    // Import and Export apply once a contact file was opened, and Close leaves them so.
    bool importExportAvailable() const { return importExportAvailable_; }

    // ---- Birthday reminders
    // New contacts are saved with reminders on. They count as on while no file, or a file
    // without records, is open; only then can they not be switched.
    bool remindersOn() const { return remindersOn_; }
    bool remindersSwitchable() const { return remindersSwitchable_; }
    void setReminders(bool on);
    void resetReminders();
    // Contacts were saved with the reminder flag of the moment: reminders that are on can
    // now be switched off.
    void contactsSaved();

    // ---- The typed label lines and their print options
    const TypedLines& typedLines() const { return typedLines_; }
    void setTypedLines(const TypedLines& lines);
    void setTypedLine(int index, const QString& text);
    // A contact's label lines taken over from elsewhere; bold is switched off.
    void handLabelLines(const TypedLines& lines);
    const PrintOptions& printOptions() const { return options_; }
    void setPrintOptions(const PrintOptions& options);

    // ---- Going between windows
    // Hides the main window and shows this one in its place; it is closed at exit.
    void showInsteadOfMain(QWidget* window);
    // A window that closes hands back to the main window.
    void returnToMain();
    // Cancel in an error message of a main-window command ends the program.
    void requestExit() { Q_EMIT exitRequested(); }
    // The import window's "From an address book server...": the desktop, which assembles the
    // address book server's windows, answers it.
    void requestAddressBookImport(QWidget* from) { Q_EMIT addressBookImportRequested(from); }

  Q_SIGNALS:
    void fileOpened();
    void fileClosed();
    void remindersChanged();
    void typedLinesChanged();
    void printOptionsChanged();
    void labelLinesHanded();
    void mainWindowLeft();
    void mainWindowWanted();
    void exitRequested();
    void addressBookImportRequested(QWidget* from);

  private:
    // Lets the open store go, even when closing it fails.
    void closeContacts();
    void forgetFile();

    std::unique_ptr<ContactStore> contacts_;
    QString filePath_;
    QString fileTitle_;
    bool importExportAvailable_ = false;
    bool remindersOn_ = true;
    bool remindersSwitchable_ = false;
    TypedLines typedLines_;
    PrintOptions options_;
};

// The caption of a window working on the open contact file: its name, two blanks and the
// file's title in brackets.
QString captionWithFileTitle(const AppState& state, const QString& name);

}  // namespace qm
