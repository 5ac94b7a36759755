#pragma once

// The main window: the typed-lines panel, the buttons and menus that lead to every other
// window, and the application's exit. It shows the application state and puts together the
// parts each feature owns.

#include <QMainWindow>
#include <optional>

#include "app/app_state.h"
#include "desktop/file_drop.h"

class QAction;
class QLabel;
class QMenu;
class QPushButton;

namespace qm {
class RecentFilesMenu;
class TypedLinesPanel;
}  // namespace qm

class frmDEdavu : public QMainWindow {
    Q_OBJECT
  public:
    explicit frmDEdavu(qm::AppState& state);

    // The place the window had at the last exit, when it is still on a screen; before show.
    void restoreSavedPlace();
    // A file named at start: a contact file opens; a CSV or vCard file opens the import
    // with it chosen, once a contact file is open to take its contacts.
    void openFileNamedAtStart(const QString& path);
    // The keyboard focus on the first typed line, where the user starts.
    void focusFirstLine();

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // The controls; each carries its member's name as its object name.
    struct Ui {
        // Controls, named as everywhere else in the program; the typed lines and their print
        // options are the panel's.
        QLabel* lblLMHeader;
        QLabel* lblLMInstruct;
        qm::TypedLinesPanel* panel;
        QPushButton* cmdLMExit;
        QPushButton* cmdAddContact;
        QPushButton* cmdFindContact;
        QPushButton* cmdPeopleFind;
        QPushButton* cmdZipFinder;

        QMenu* mnuFile;
        QAction* mnuFileNew;
        QAction* mnuFileOpen;
        QAction* mnuFileClose;
        QAction* mnuFileBdayOn;
        QAction* mnuFileBdayOff;
        QAction* mnuRetAddress;
        QAction* mnuRetPreview;
        QAction* mnuFilePreview;
        QAction* mnuCalibrate;
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
        QAction* mnuSyncServer;
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
        // The contact files opened last, in the File menu above Exit.
        qm::RecentFilesMenu* recentFiles;
    };

    void buildControls();
    void buildMenus();
    void connectCommands();
    void followState();
    void startUp();
    void runExitSteps();

    // Enables or disables the commands that need an open contact file.
    void setContactCommandsEnabled(bool on);
    void showOpenFile();
    void showNoFile();
    void showReminders();
    void leaveForAnotherWindow();
    void returnToMain();
    void openDroppedFile(const qm::DroppedFile& file);

    qm::AppState& state_;
    bool exiting_ = false;
    // The frame restored before the window showed, fitted again once its decoration is known.
    std::optional<QRect> restoredFrame_;
    // Where the window stood (frame position, size) when another window took its place.
    std::optional<QRect> placeWhileAway_;
    Ui ui_{};
};
