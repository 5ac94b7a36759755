#pragma once

// The main window: the five typed label lines with their print options, the buttons and
// menus that lead everywhere else, and the application's start and exit.

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "app/app_state.h"
#include "printing/envelope_layout.h"

class frmDEdavu : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmDEdavu(qm::AppState& state);

    // Controls, named as everywhere else in the program.
    QLabel* lblLMHeader;
    QLabel* lblLMInstruct;
    QLabel* lblLMLine1;
    QLabel* lblLMLine2;
    QLabel* lblLMLine3;
    QLabel* lblLMLine4;
    QLabel* lblLMLine5;
    QLineEdit* txtLMLine1;
    QLineEdit* txtLMLine2;
    QLineEdit* txtLMline3;
    QLineEdit* txtLMLine4;
    QLineEdit* txtLMLine5;
    QPushButton* cmdLMStart;
    QPushButton* cmdLMClear;
    QPushButton* cmdLMExit;
    QPushButton* cmdAddContact;
    QPushButton* cmdFindContact;
    QPushButton* cmdRetAddress;
    QPushButton* cmdPeopleFind;
    QPushButton* cmdZipFinder;
    QGroupBox* frLMMediaType;
    QRadioButton* optLMLabel;
    QRadioButton* optLMEnvelope;
    QComboBox* cboLMEnvelope;
    QGroupBox* frPortLand;
    QRadioButton* optPortrait;
    QRadioButton* optLandscape;
    QGroupBox* frLMJust;
    QRadioButton* optLMCenter;
    QRadioButton* optLMLeftjust;
    QLineEdit* txtLMLeftPad;
    QLineEdit* txtLMToppad;
    QCheckBox* chkBold;
    QCheckBox* chkLargeFont;
    QLabel* lblLMPosition;
    QLabel* lblLMEnvSize;
    QLineEdit* txtFileNam;
    QLineEdit* txtFileTitle;

    QMenu* mnuFile;
    QAction* mnuFileNew;
    QAction* mnuFileOpen;
    QAction* mnuFileClose;
    QAction* mnuFileBdayOn;
    QAction* mnuFileBdayOff;
    QAction* mnuRetAddress;
    QAction* mnuStates;
    QAction* mnuFilePrint;
    QAction* mnuFileExit;
    QMenu* mnuLMEdit;
    QAction* mnuLMEditCut;
    QAction* mnuLMEditCopy;
    QAction* mnuLMEditPaste;
    QMenu* mnuContacts;
    QAction* mnuAdd;
    QAction* mnuEdit;
    QAction* mnuFind;
    QAction* mnuDelete;
    QAction* mnuSrchContacts;
    QAction* mnuImport;
    QAction* mnuExport;
    QMenu* mnuView;
    QAction* mnuViewOne;
    QAction* mnuViewAll;
    QMenu* mnuMargins;
    QAction* mnuAdjustOTF;
    QAction* mnuAdjustSR;
    QAction* mnuAdjustENV;
    QMenu* mnuHelp;
    QAction* mnuManual;
    QAction* mnuAbout;

    // Print-option state of the typed lines (label stock and envelopes).
    QString positionRange;
    QString startPosition = QStringLiteral("0");
    QString endPosition;
    int labelCount = 0;
    QString envelopeSize = QStringLiteral("0");

    qm::AppState& state() { return state_; }

    // Reminders are on exactly when "Enable Birthday Reminders" is disabled.
    bool remindersOn() const { return !mnuFileBdayOn->isEnabled(); }
    // Enables or disables the commands that need an open contact file.
    void setContactCommandsEnabled(bool on);
    // Records the open file in the hidden fields, the application state and the caption.
    void showOpenFile(const QString& path, const QString& title);
    void showNoFile();
    // Close: the contact file closed and the window in its no-file state. Also what Retry
    // after a failed command leaves, so the window never shows a file that is closed.
    void fileClose();

    // Hides this window and shows another in its place.
    void showInsteadOfMain(QWidget* window);
    // Called when such a window closes: this window again, focus on the first line.
    void returnToMain();
    // Opens the contact file named at start (--open, a file manager's "Open with") as Open
    // does; a file that does not exist is an error rather than a new file.
    void openContactFile(const QString& path);

    // Both options of a frame off (a plain exclusive group never allows that).
    static void clearOptions(QRadioButton* a, QRadioButton* b);

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void buildControls();
    void buildMenus();
    void connectCommands();
    void startUp();
    void runExitSteps();

    // File commands (New, Open, Close, reminders).
    void fileNew();
    void fileOpen();
    void remindersOnCommand();
    void remindersOffCommand();
    // (file command helpers go here)
    void unloadContactBrowser();
    void chooseContactFile(const QString& dialogTitle, bool announceBirthdays);
    void useContactFile(const QString& path, bool isNew);
    void showRemindersFromFile();
    void setReminderMenu(bool on);
    void setEveryReminderFlag(bool on);
    // Runs a file command; its errors get Retry (close the file) or Cancel (exit).
    template <typename Command>
    void runFileCommand(Command command);

    // Label stock, the Print command and the Margins menu.
    void labelStockClicked();
    void printCommand();
    void adjustMargins(const char* section);
    // (label printing helpers go here)

    // Envelopes, Clear Form and return-address labels.
    void envelopeClicked();
    void envelopeSizePicked(int index);
    // The envelope job of the Print command from the options; the ENVELOPE adjustment is
    // already read by the command.
    qm::EnvelopeJob envelopeJob(int adjustLeft, int adjustTop) const;
    void clearForm();
    void returnAddressCommand();
    // (envelope and return-address helpers go here)

    // Contact windows.
    void addContactCommand();
    // (add-contact helpers go here)

    void openContactBrowser(bool focusFind);
    // (contact browser helpers go here)

    void openContactList();
    // (contact list helpers go here)

    void openImport();
    void openExport();
    // (import and export helpers go here)

    void openAbout();

    // Documents and look-ups.
    void openManual();
    void openStateAbbreviations();
    void openPeopleFinder();
    void openZipFinder();

    qm::AppState& state_;
    bool exiting_ = false;
};

// The caption of a window working on the open contact file: its name, two blanks and the
// file's title in brackets.
inline QString captionWithFileTitle(const qm::AppState& state, const QString& name) {
    const QString title =
        state.mainWindow != nullptr ? state.mainWindow->txtFileTitle->text() : QString();
    return name + QStringLiteral("  [") + title + QLatin1Char(']');
}
