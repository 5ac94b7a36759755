#include "desktop/main_window.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include "app/command_error.h"
#include "carddav/address_book_open.h"
#include "contacts/contact_browser_open.h"
#include "contacts/contact_commands_window.h"
#include "desktop/file_drop.h"
#include "exchange/export_open.h"
#include "exchange/import_open.h"
#include "list/contact_list_open.h"
#include "platform/edit_menu.h"
#include "platform/enter_presses_button.h"
#include "platform/lookups.h"
#include "platform/widget_names.h"
#include "platform/window_place.h"
#include "printing/calibration_window.h"
#include "printing/margins_window.h"
#include "records/error.h"
#include "shell/about_open.h"
#include "shell/file_commands_window.h"
#include "shell/recent_files_window.h"

using qm::named;

frmDEdavu::frmDEdavu(qm::AppState& state) : state_(state) {
    setObjectName(QStringLiteral("frmDEdavu"));
    buildControls();
    buildMenus();
    connectCommands();
    followState();
    startUp();
    qm::installEnterPressesButton(this);
    setAcceptDrops(true);
}

void frmDEdavu::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    lblLMHeader = named(new QLabel(tr("Quillmark")), "lblLMHeader");
    QFont headerFont = lblLMHeader->font();
    headerFont.setPointSize(headerFont.pointSize() + 8);
    headerFont.setBold(true);
    lblLMHeader->setFont(headerFont);
    lblLMInstruct = named(new QLabel, "lblLMInstruct");
    lblLMInstruct->setWordWrap(true);
    panel = new qm::TypedLinesPanel(state_);

    cmdLMExit = named(new QPushButton(tr("Exit")), "cmdLMExit");
    cmdAddContact = named(new QPushButton(tr("Add Contact")), "cmdAddContact");
    cmdAddContact->setToolTip(tr("Add a new contact to file"));
    cmdFindContact = named(new QPushButton(tr("Find Contact")), "cmdFindContact");
    cmdFindContact->setToolTip(tr("Retrieve a contact from file"));
    cmdPeopleFind = named(new QPushButton(tr("People Finder")), "cmdPeopleFind");
    cmdZipFinder = named(new QPushButton(tr("Zip Code Finder")), "cmdZipFinder");
    cmdZipFinder->setToolTip(tr("Look up Zip Code"));

    // The panel in the middle, commands along the bottom.
    auto* commands = new QHBoxLayout;
    commands->addWidget(cmdAddContact);
    commands->addWidget(cmdFindContact);
    commands->addWidget(cmdPeopleFind);
    commands->addWidget(cmdZipFinder);
    commands->addStretch();
    commands->addWidget(cmdLMExit);

    auto* page = new QVBoxLayout(central);
    page->addWidget(lblLMHeader);
    page->addWidget(lblLMInstruct);
    page->addSpacing(8);
    page->addWidget(panel);
    page->addStretch();
    page->addLayout(commands);
}

void frmDEdavu::buildMenus() {
    // Every menu and item has its Alt key; the letters differ within each menu.
    mnuFile = named(menuBar()->addMenu(tr("&File")), "mnuFile");
    mnuFileNew = qm::addMenuItem(mnuFile, "mnuFileNew", tr("&New"));
    mnuFileOpen = qm::addMenuItem(mnuFile, "mnuFileOpen", tr("&Open"), QKeySequence("Ctrl+O"));
    mnuFileClose = qm::addMenuItem(mnuFile, "mnuFileClose", tr("&Close"));
    mnuFile->addSeparator();
    mnuFileBdayOn = qm::addMenuItem(mnuFile, "mnuFileBdayOn", tr("&Enable Birthday Reminders"));
    mnuFileBdayOff = qm::addMenuItem(mnuFile, "mnuFileBdayOff", tr("&Disable Birthday Reminders"));
    mnuFile->addSeparator();
    mnuRetAddress = qm::addMenuItem(mnuFile, "mnuRetAddress", tr("&Return Address Labels"));
    mnuRetPreview = qm::addMenuItem(mnuFile, "mnuRetPreview", tr("Return Address Labels Previe&w"));
    mnuStates = qm::addMenuItem(mnuFile, "mnuStates", tr("&State Abbreviations"));
    mnuFile->addSeparator();
    mnuFilePrint = qm::addMenuItem(mnuFile, "mnuFilePrint", tr("&Print"), QKeySequence("Ctrl+P"));
    mnuFilePreview = qm::addMenuItem(mnuFile, "mnuFilePreview", tr("Print Pre&view"),
                                     QKeySequence("Ctrl+Shift+P"));
    mnuFile->addSeparator();
    mnuFileExit = qm::addMenuItem(mnuFile, "mnuFileExit", tr("E&xit"));
    recentFiles = new qm::RecentFilesMenu(state_, mnuFile, mnuFileExit, this);

    mnuLMEdit = named(menuBar()->addMenu(tr("&Edit")), "mnuLMEdit");
    mnuLMEditCut = qm::addMenuItem(mnuLMEdit, "mnuLMEditCut", tr("Cu&t"), QKeySequence("Ctrl+X"));
    mnuLMEditCopy =
        qm::addMenuItem(mnuLMEdit, "mnuLMEditCopy", tr("&Copy"), QKeySequence("Ctrl+C"));
    mnuLMEditPaste =
        qm::addMenuItem(mnuLMEdit, "mnuLMEditPaste", tr("&Paste"), QKeySequence("Ctrl+V"));

    mnuContacts = named(menuBar()->addMenu(tr("&Contacts")), "mnuContacts");
    mnuAdd = qm::addMenuItem(mnuContacts, "mnuAdd", tr("&Add Contact"));
    mnuEdit = qm::addMenuItem(mnuContacts, "mnuEdit", tr("&Edit Contact"));
    mnuFind = qm::addMenuItem(mnuContacts, "mnuFind", tr("&Find Contact"));
    mnuDelete = qm::addMenuItem(mnuContacts, "mnuDelete", tr("&Delete Contact"));
    mnuContacts->addSeparator();
    mnuSrchContacts = qm::addMenuItem(mnuContacts, "mnuSrchContacts", tr("&Search Contacts"));
    mnuContacts->addSeparator();
    mnuImport = qm::addMenuItem(mnuContacts, "mnuImport", tr("&Import Contacts"));
    mnuExport = qm::addMenuItem(mnuContacts, "mnuExport", tr("E&xport Contacts"));
    mnuSyncServer =
        qm::addMenuItem(mnuContacts, "mnuSyncServer", tr("&Keep in step with an address book..."));

    mnuView = named(menuBar()->addMenu(tr("&View")), "mnuView");
    mnuViewOne = qm::addMenuItem(mnuView, "mnuViewOne", tr("&One Contact"));
    mnuViewAll = qm::addMenuItem(mnuView, "mnuViewAll", tr("&All Contacts"));

    mnuMargins = named(menuBar()->addMenu(tr("&Margins")), "mnuMargins");
    mnuAdjustOTF = qm::addMenuItem(mnuMargins, "mnuAdjustOTF", tr("&On-The-Fly label"));
    mnuAdjustSR = qm::addMenuItem(mnuMargins, "mnuAdjustSR", tr("&Search-result labels"));
    mnuAdjustENV = qm::addMenuItem(mnuMargins, "mnuAdjustENV", tr("&Envelope"));
    mnuMargins->addSeparator();
    mnuCalibrate = qm::addMenuItem(mnuMargins, "mnuCalibrate", tr("&Calibrate..."));

    mnuHelp = named(menuBar()->addMenu(tr("&Help")), "mnuHelp");
    mnuManual = qm::addMenuItem(mnuHelp, "mnuManual", tr("&User Manual"), QKeySequence("F1"));
    mnuAbout = qm::addMenuItem(mnuHelp, "mnuAbout", tr("&About Quillmark"));

    qm::attachCommonEditMenu(mnuLMEdit, mnuLMEditCut, mnuLMEditCopy, mnuLMEditPaste,
                             state_.platform);
}

void frmDEdavu::connectCommands() {
    qm::AppState& s = state_;
    connect(mnuFileNew, &QAction::triggered, this, [this] { qm::newContactFile(state_, this); });
    connect(mnuFileOpen, &QAction::triggered, this, [this] { qm::openContactFile(state_, this); });
    connect(mnuFileClose, &QAction::triggered, this,
            [this] { qm::closeContactFile(state_, this); });
    connect(mnuFileBdayOn, &QAction::triggered, this,
            [this] { qm::setEveryReminder(state_, this, true); });
    connect(mnuFileBdayOff, &QAction::triggered, this,
            [this] { qm::setEveryReminder(state_, this, false); });
    connect(mnuRetAddress, &QAction::triggered, panel, &qm::TypedLinesPanel::returnAddressCommand);
    connect(mnuStates, &QAction::triggered, this,
            [&s] { qm::openStateList(s.platform, s.appFolder); });
    connect(mnuFilePrint, &QAction::triggered, panel, &qm::TypedLinesPanel::printCommand);
    connect(mnuFilePreview, &QAction::triggered, panel, &qm::TypedLinesPanel::previewCommand);
    connect(mnuRetPreview, &QAction::triggered, panel,
            &qm::TypedLinesPanel::returnAddressPreviewCommand);
    connect(mnuCalibrate, &QAction::triggered, this, [this] { qm::calibrate(state_, this); });
    connect(mnuFileExit, &QAction::triggered, this, &frmDEdavu::close);
    connect(cmdLMExit, &QPushButton::clicked, this, &frmDEdavu::close);

    const auto addContact = [this] { qm::addContactFromTypedLines(state_, this); };
    connect(mnuAdd, &QAction::triggered, this, addContact);
    connect(cmdAddContact, &QPushButton::clicked, this, addContact);
    for (QAction* browse : {mnuEdit, mnuFind, mnuDelete, mnuViewOne}) {
        connect(browse, &QAction::triggered, this, [&s] { openContactBrowser(s, false); });
    }
    connect(cmdFindContact, &QPushButton::clicked, this, [&s] { openContactBrowser(s, true); });
    for (QAction* list : {mnuSrchContacts, mnuViewAll}) {
        connect(list, &QAction::triggered, this, [&s] { qm::openContactList(s); });
    }
    connect(mnuImport, &QAction::triggered, this, [&s] { qm::openImportWindow(s, QString()); });
    connect(mnuExport, &QAction::triggered, this, [&s] { qm::openExportWindow(s); });
    connect(mnuSyncServer, &QAction::triggered, this,
            [this] { qm::keepInStepWithAddressBook(state_, this); });

    const std::pair<QAction*, const char*> margins[] = {
        {mnuAdjustOTF, "ONTHEFLY"}, {mnuAdjustSR, "BULKLIST"}, {mnuAdjustENV, "ENVELOPE"}};
    for (const auto& [item, section] : margins) {
        connect(item, &QAction::triggered, this,
                [this, section] { qm::adjustMargins(state_, this, section); });
    }

    connect(mnuManual, &QAction::triggered, this,
            [&s] { qm::openUserManual(s.platform, s.appFolder); });
    connect(mnuAbout, &QAction::triggered, this, [this] { showAboutWindow(state_, this); });
    connect(cmdPeopleFind, &QPushButton::clicked, this, [&s] { qm::openPeopleSearch(s.platform); });
    connect(cmdZipFinder, &QPushButton::clicked, this, [&s] { qm::openZipLookup(s.platform); });
}

void frmDEdavu::followState() {
    connect(&state_, &qm::AppState::fileOpened, this, &frmDEdavu::showOpenFile);
    connect(&state_, &qm::AppState::fileClosed, this, &frmDEdavu::showNoFile);
    connect(&state_, &qm::AppState::remindersChanged, this, &frmDEdavu::showReminders);
    connect(&state_, &qm::AppState::mainWindowLeft, this, &frmDEdavu::leaveForAnotherWindow);
    connect(&state_, &qm::AppState::mainWindowWanted, this, &frmDEdavu::returnToMain);
    connect(&state_, &qm::AppState::exitRequested, this, &frmDEdavu::close);
    connect(&state_, &qm::AppState::addressBookImportRequested, this,
            [this](QWidget* from) { qm::importFromAddressBook(state_, from); });
}

void frmDEdavu::startUp() {
    setWindowTitle(tr("Quillmark"));
    lblLMInstruct->setText(
        tr("Quillmark prints labels (compatible with Avery 5160 and 8160 labels) and "
           "envelopes.\nPower tip: click 'Search Contacts' to print labels for a "
           "specific subset of your contacts."));
    setContactCommandsEnabled(false);
    mnuFileBdayOn->setEnabled(false);
    mnuFileBdayOff->setEnabled(false);
    resize(860, 460);
    panel->focusFirstLine();
}

void frmDEdavu::setContactCommandsEnabled(bool on) {
    for (QWidget* button :
         {static_cast<QWidget*>(cmdFindContact), static_cast<QWidget*>(cmdAddContact)}) {
        button->setEnabled(on);
    }
    for (QAction* item : {mnuAdd, mnuEdit, mnuDelete, mnuFind, mnuViewOne, mnuViewAll, mnuImport,
                          mnuExport, mnuSrchContacts, mnuSyncServer}) {
        item->setEnabled(on);
    }
}

void frmDEdavu::showOpenFile() {
    setWindowTitle(qm::captionWithFileTitle(state_, tr("Quillmark")));
    setContactCommandsEnabled(true);
}

// Close leaves Import and Export as they were.
void frmDEdavu::showNoFile() {
    setWindowTitle(tr("Quillmark"));
    const bool importOn = mnuImport->isEnabled();
    const bool exportOn = mnuExport->isEnabled();
    setContactCommandsEnabled(false);
    mnuImport->setEnabled(importOn);
    mnuExport->setEnabled(exportOn);
}

void frmDEdavu::showReminders() {
    const bool switchable = state_.remindersSwitchable();
    mnuFileBdayOn->setEnabled(switchable && !state_.remindersOn());
    mnuFileBdayOff->setEnabled(switchable && state_.remindersOn());
}

void frmDEdavu::leaveForAnotherWindow() {
    // A window shown again without a place of its own is placed afresh by the window manager.
    if (isVisible() && !isMinimized() && !isMaximized() && !isFullScreen()) {
        placeWhileAway_ = QRect(pos(), size());
    }
    hide();
}

void frmDEdavu::returnToMain() {
    if (exiting_) {
        return;
    }
    if (placeWhileAway_) {
        move(placeWhileAway_->topLeft());
        resize(placeWhileAway_->size());
        placeWhileAway_.reset();
    }
    show();
    raise();
    activateWindow();
    panel->focusFirstLine();
}

void frmDEdavu::dragEnterEvent(QDragEnterEvent* event) {
    const std::optional<qm::DroppedFile> file = qm::droppedFile(event->mimeData());
    // A file to import is taken only while Import Contacts can be chosen.
    if (file && (file->kind == qm::DroppedKind::ContactFile || mnuImport->isEnabled())) {
        event->acceptProposedAction();
    }
}

void frmDEdavu::dropEvent(QDropEvent* event) {
    const std::optional<qm::DroppedFile> file = qm::droppedFile(event->mimeData());
    if (!file) {
        return;
    }
    event->acceptProposedAction();
    // The drop finishes before the command runs, so the source is not held by its dialogs.
    QTimer::singleShot(0, this, [this, file = *file] { openDroppedFile(file); });
}

void frmDEdavu::openDroppedFile(const qm::DroppedFile& file) {
    if (file.kind == qm::DroppedKind::ContactFile) {
        qm::openContactFileAt(state_, this, file.path);
    } else if (mnuImport->isEnabled()) {
        qm::openImportWindow(state_, file.path);
    }
}

void frmDEdavu::openFileNamedAtStart(const QString& path) {
    const qm::DroppedFile file = qm::fileNamedAtStart(path);
    if (file.kind == qm::DroppedKind::ContactFile) {
        qm::openContactFileAt(state_, this, path);
        return;
    }
    if (!state_.contacts().isOpen()) {
        const qm::MsgAnswer answer = state_.platform.messageBox(
            this, tr("No contact file open"),
            tr("The contacts in %1 are imported into the open contact file, and no contact "
               "file is open.\nDo you want to open one now?")
                .arg(QFileInfo(path).fileName()),
            qm::MsgButtons::YesNo, qm::MsgIcon::Question);
        if (answer != qm::MsgAnswer::Yes) {
            return;
        }
        // Open's own steps: its dialog, a new name making a new file, the reminders.
        qm::openContactFile(state_, this);
        if (!state_.contacts().isOpen()) {
            return;
        }
    }
    qm::openImportWindow(state_, QFileInfo(path).absoluteFilePath());
}

void frmDEdavu::restoreSavedPlace() {
    const QScreen* primary = QGuiApplication::primaryScreen();
    if (primary == nullptr) {
        return;
    }
    QList<QRect> screens;
    for (const QScreen* s : QGuiApplication::screens()) {
        screens << s->availableGeometry();
    }
    restoredFrame_ = qm::readWindowPlace(state_.platform, primary->logicalDotsPerInch(), screens);
    if (restoredFrame_) {
        move(restoredFrame_->topLeft());
        resize(restoredFrame_->size());
    }
}

void frmDEdavu::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!restoredFrame_) {
        return;
    }
    // The saved size is the frame's: once the window shows, its decoration is taken off.
    QTimer::singleShot(0, this, [this, frame = *restoredFrame_] {
        resize(frame.size() - (frameGeometry().size() - geometry().size()));
    });
    restoredFrame_.reset();
}

void frmDEdavu::closeEvent(QCloseEvent* event) {
    if (!exiting_) {
        // Changes left unsaved in the contact browser are settled while the file is open;
        // Cancel there keeps the program running.
        if (!settleContactBrowserChanges(state_)) {
            event->ignore();
            return;
        }
        exiting_ = true;
        runExitSteps();
    }
    event->accept();
}

void frmDEdavu::runExitSteps() {
    try {
        state_.contacts().close();
    } catch (const qm::QmError&) {
        // Exit reports nothing; the descriptor is released either way.
    }
    setContactCommandsEnabled(false);
    mnuFileBdayOn->setEnabled(false);
    mnuFileBdayOff->setEnabled(false);

    // Newest first; a window that closes hands back to the main window, which is leaving.
    const std::vector<QPointer<QWidget>> windows = std::move(state_.openWindows);
    state_.openWindows.clear();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
        if (!it->isNull()) {
            (*it)->close();
        }
    }

    if (!isMinimized()) {
        const double dpi = screen() != nullptr ? screen()->logicalDotsPerInch() : 96.0;
        qm::writeWindowPlace(state_.platform, frameGeometry(), dpi);
    }
}
