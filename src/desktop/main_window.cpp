#include "desktop/main_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
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
#include "platform/file_drops_pass_fields.h"
#include "platform/lookups.h"
#include "platform/widget_names.h"
#include "platform/window_place.h"
#include "printing/calibration_window.h"
#include "printing/margins_window.h"
#include "printing/typed_lines_panel_window.h"
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
    qm::letFileDropsPassFields(this);
}

void frmDEdavu::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    ui_.lblLMHeader = named(new QLabel(tr("Quillmark")), "lblLMHeader");
    QFont headerFont = ui_.lblLMHeader->font();
    headerFont.setPointSize(headerFont.pointSize() + 8);
    headerFont.setBold(true);
    ui_.lblLMHeader->setFont(headerFont);
    ui_.lblLMInstruct = named(new QLabel, "lblLMInstruct");
    ui_.lblLMInstruct->setWordWrap(true);
    ui_.panel = new qm::TypedLinesPanel(state_);

    ui_.cmdLMExit = named(new QPushButton(tr("Exit")), "cmdLMExit");
    ui_.cmdAddContact = named(new QPushButton(tr("Add Contact")), "cmdAddContact");
    ui_.cmdAddContact->setToolTip(tr("Add a new contact to file"));
    ui_.cmdFindContact = named(new QPushButton(tr("Find Contact")), "cmdFindContact");
    ui_.cmdFindContact->setToolTip(tr("Retrieve a contact from file"));
    ui_.cmdPeopleFind = named(new QPushButton(tr("People Finder")), "cmdPeopleFind");
    ui_.cmdZipFinder = named(new QPushButton(tr("Zip Code Finder")), "cmdZipFinder");
    ui_.cmdZipFinder->setToolTip(tr("Look up Zip Code"));

    // The panel in the middle, commands along the bottom.
    auto* commands = new QHBoxLayout;
    commands->addWidget(ui_.cmdAddContact);
    commands->addWidget(ui_.cmdFindContact);
    commands->addWidget(ui_.cmdPeopleFind);
    commands->addWidget(ui_.cmdZipFinder);
    commands->addStretch();
    commands->addWidget(ui_.cmdLMExit);

    auto* page = new QVBoxLayout(central);
    page->addWidget(ui_.lblLMHeader);
    page->addWidget(ui_.lblLMInstruct);
    page->addSpacing(8);
    page->addWidget(ui_.panel);
    page->addStretch();
    page->addLayout(commands);
}

void frmDEdavu::buildMenus() {
    // Every menu and item has its Alt key; the letters differ within each menu.
    ui_.mnuFile = named(menuBar()->addMenu(tr("&File")), "mnuFile");
    ui_.mnuFileNew = qm::addMenuItem(ui_.mnuFile, "mnuFileNew", tr("&New"));
    ui_.mnuFileOpen =
        qm::addMenuItem(ui_.mnuFile, "mnuFileOpen", tr("&Open"), QKeySequence("Ctrl+O"));
    ui_.mnuFileClose = qm::addMenuItem(ui_.mnuFile, "mnuFileClose", tr("&Close"));
    ui_.mnuFileSaveAs = qm::addMenuItem(ui_.mnuFile, "mnuFileSaveAs", tr("Save &As..."));
    ui_.mnuFile->addSeparator();
    ui_.mnuFileBdayOn =
        qm::addMenuItem(ui_.mnuFile, "mnuFileBdayOn", tr("&Enable Birthday Reminders"));
    ui_.mnuFileBdayOff =
        qm::addMenuItem(ui_.mnuFile, "mnuFileBdayOff", tr("&Disable Birthday Reminders"));
    ui_.mnuFile->addSeparator();
    ui_.mnuRetAddress = qm::addMenuItem(ui_.mnuFile, "mnuRetAddress", tr("&Return Address Labels"));
    ui_.mnuRetPreview =
        qm::addMenuItem(ui_.mnuFile, "mnuRetPreview", tr("Return Address Labels Previe&w"));
    ui_.mnuStates = qm::addMenuItem(ui_.mnuFile, "mnuStates", tr("&State Abbreviations"));
    ui_.mnuFile->addSeparator();
    ui_.mnuFilePrint =
        qm::addMenuItem(ui_.mnuFile, "mnuFilePrint", tr("&Print"), QKeySequence("Ctrl+P"));
    ui_.mnuFilePreview = qm::addMenuItem(ui_.mnuFile, "mnuFilePreview", tr("Print Pre&view"),
                                         QKeySequence("Ctrl+Shift+P"));
    ui_.mnuFile->addSeparator();
    ui_.mnuFileExit = qm::addMenuItem(ui_.mnuFile, "mnuFileExit", tr("E&xit"));
    ui_.recentFiles = new qm::RecentFilesMenu(state_, ui_.mnuFile, ui_.mnuFileExit, this);

    ui_.mnuLMEdit = named(menuBar()->addMenu(tr("&Edit")), "mnuLMEdit");
    ui_.mnuLMEditCut =
        qm::addMenuItem(ui_.mnuLMEdit, "mnuLMEditCut", tr("Cu&t"), QKeySequence("Ctrl+X"));
    ui_.mnuLMEditCopy =
        qm::addMenuItem(ui_.mnuLMEdit, "mnuLMEditCopy", tr("&Copy"), QKeySequence("Ctrl+C"));
    ui_.mnuLMEditPaste =
        qm::addMenuItem(ui_.mnuLMEdit, "mnuLMEditPaste", tr("&Paste"), QKeySequence("Ctrl+V"));

    ui_.mnuContacts = named(menuBar()->addMenu(tr("&Contacts")), "mnuContacts");
    ui_.mnuAdd = qm::addMenuItem(ui_.mnuContacts, "mnuAdd", tr("&Add Contact"));
    ui_.mnuEdit = qm::addMenuItem(ui_.mnuContacts, "mnuEdit", tr("&Edit Contact"));
    ui_.mnuFind = qm::addMenuItem(ui_.mnuContacts, "mnuFind", tr("&Find Contact"));
    ui_.mnuDelete = qm::addMenuItem(ui_.mnuContacts, "mnuDelete", tr("&Delete Contact"));
    ui_.mnuContacts->addSeparator();
    ui_.mnuSrchContacts =
        qm::addMenuItem(ui_.mnuContacts, "mnuSrchContacts", tr("&Search Contacts"));
    ui_.mnuContacts->addSeparator();
    ui_.mnuImport = qm::addMenuItem(ui_.mnuContacts, "mnuImport", tr("&Import Contacts"));
    ui_.mnuExport = qm::addMenuItem(ui_.mnuContacts, "mnuExport", tr("E&xport Contacts"));
    ui_.mnuSyncServer = qm::addMenuItem(ui_.mnuContacts, "mnuSyncServer",
                                        tr("&Keep in step with an address book..."));

    ui_.mnuView = named(menuBar()->addMenu(tr("&View")), "mnuView");
    ui_.mnuViewOne = qm::addMenuItem(ui_.mnuView, "mnuViewOne", tr("&One Contact"));
    ui_.mnuViewAll = qm::addMenuItem(ui_.mnuView, "mnuViewAll", tr("&All Contacts"));

    ui_.mnuMargins = named(menuBar()->addMenu(tr("&Margins")), "mnuMargins");
    ui_.mnuAdjustOTF = qm::addMenuItem(ui_.mnuMargins, "mnuAdjustOTF", tr("&On-The-Fly label"));
    ui_.mnuAdjustSR = qm::addMenuItem(ui_.mnuMargins, "mnuAdjustSR", tr("&Search-result labels"));
    ui_.mnuAdjustENV = qm::addMenuItem(ui_.mnuMargins, "mnuAdjustENV", tr("&Envelope"));
    ui_.mnuMargins->addSeparator();
    ui_.mnuCalibrate = qm::addMenuItem(ui_.mnuMargins, "mnuCalibrate", tr("&Calibrate..."));

    ui_.mnuHelp = named(menuBar()->addMenu(tr("&Help")), "mnuHelp");
    ui_.mnuManual =
        qm::addMenuItem(ui_.mnuHelp, "mnuManual", tr("&User Manual"), QKeySequence("F1"));
    ui_.mnuAbout = qm::addMenuItem(ui_.mnuHelp, "mnuAbout", tr("&About Quillmark"));

    qm::attachCommonEditMenu(ui_.mnuLMEdit, ui_.mnuLMEditCut, ui_.mnuLMEditCopy, ui_.mnuLMEditPaste,
                             state_.platform);
}

void frmDEdavu::connectCommands() {
    qm::AppState& s = state_;
    connect(ui_.mnuFileNew, &QAction::triggered, this,
            [this] { qm::newContactFile(state_, this); });
    connect(ui_.mnuFileOpen, &QAction::triggered, this,
            [this] { qm::openContactFile(state_, this); });
    connect(ui_.mnuFileClose, &QAction::triggered, this,
            [this] { qm::closeContactFile(state_, this); });
    connect(ui_.mnuFileSaveAs, &QAction::triggered, this,
            [this] { qm::saveContactsAs(state_, this); });
    connect(ui_.mnuFileBdayOn, &QAction::triggered, this,
            [this] { qm::setEveryReminder(state_, this, true); });
    connect(ui_.mnuFileBdayOff, &QAction::triggered, this,
            [this] { qm::setEveryReminder(state_, this, false); });
    connect(ui_.mnuRetAddress, &QAction::triggered, ui_.panel,
            &qm::TypedLinesPanel::returnAddressCommand);
    connect(ui_.mnuStates, &QAction::triggered, this,
            [&s] { qm::openStateList(s.platform, s.appFolder); });
    connect(ui_.mnuFilePrint, &QAction::triggered, ui_.panel, &qm::TypedLinesPanel::printCommand);
    connect(ui_.mnuFilePreview, &QAction::triggered, ui_.panel,
            &qm::TypedLinesPanel::previewCommand);
    connect(ui_.mnuRetPreview, &QAction::triggered, ui_.panel,
            &qm::TypedLinesPanel::returnAddressPreviewCommand);
    connect(ui_.mnuCalibrate, &QAction::triggered, this, [this] { qm::calibrate(state_, this); });
    connect(ui_.mnuFileExit, &QAction::triggered, this, &frmDEdavu::close);
    connect(ui_.cmdLMExit, &QPushButton::clicked, this, &frmDEdavu::close);

    const auto addContact = [this] { qm::addContactFromTypedLines(state_, this); };
    connect(ui_.mnuAdd, &QAction::triggered, this, addContact);
    connect(ui_.cmdAddContact, &QPushButton::clicked, this, addContact);
    for (QAction* browse : {ui_.mnuEdit, ui_.mnuFind, ui_.mnuDelete, ui_.mnuViewOne}) {
        connect(browse, &QAction::triggered, this, [&s] { openContactBrowser(s, false); });
    }
    connect(ui_.cmdFindContact, &QPushButton::clicked, this, [&s] { openContactBrowser(s, true); });
    for (QAction* list : {ui_.mnuSrchContacts, ui_.mnuViewAll}) {
        connect(list, &QAction::triggered, this, [&s] { qm::openContactList(s); });
    }
    connect(ui_.mnuImport, &QAction::triggered, this, [&s] { qm::openImportWindow(s, QString()); });
    connect(ui_.mnuExport, &QAction::triggered, this, [&s] { qm::openExportWindow(s); });
    connect(ui_.mnuSyncServer, &QAction::triggered, this,
            [this] { qm::keepInStepWithAddressBook(state_, this); });

    const std::pair<QAction*, const char*> margins[] = {{ui_.mnuAdjustOTF, "ONTHEFLY"},
                                                        {ui_.mnuAdjustSR, "BULKLIST"},
                                                        {ui_.mnuAdjustENV, "ENVELOPE"}};
    for (const auto& [item, section] : margins) {
        connect(item, &QAction::triggered, this,
                [this, section] { qm::adjustMargins(state_, this, section); });
    }

    connect(ui_.mnuManual, &QAction::triggered, this,
            [&s] { qm::openUserManual(s.platform, s.appFolder); });
    connect(ui_.mnuAbout, &QAction::triggered, this, [this] { showAboutWindow(state_, this); });
    connect(ui_.cmdPeopleFind, &QPushButton::clicked, this,
            [&s] { qm::openPeopleSearch(s.platform); });
    connect(ui_.cmdZipFinder, &QPushButton::clicked, this, [&s] { qm::openZipLookup(s.platform); });
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
    ui_.lblLMInstruct->setText(
        tr("Quillmark prints labels (compatible with Avery 5160 and 8160 labels) and "
           "envelopes.\nPower tip: click 'Search Contacts' to print labels for a "
           "specific subset of your contacts."));
    setContactCommandsEnabled(false);
    ui_.mnuFileBdayOn->setEnabled(false);
    ui_.mnuFileBdayOff->setEnabled(false);
    resize(860, 460);
    focusFirstLine();
}

void frmDEdavu::focusFirstLine() {
    ui_.panel->focusFirstLine();
}

void frmDEdavu::setContactCommandsEnabled(bool on) {
    for (QWidget* button :
         {static_cast<QWidget*>(ui_.cmdFindContact), static_cast<QWidget*>(ui_.cmdAddContact)}) {
        button->setEnabled(on);
    }
    for (QAction* item :
         {ui_.mnuAdd, ui_.mnuEdit, ui_.mnuDelete, ui_.mnuFind, ui_.mnuViewOne, ui_.mnuViewAll,
          ui_.mnuSrchContacts, ui_.mnuSyncServer, ui_.mnuFileSaveAs}) {
        item->setEnabled(on);
    }
    // Import and Export apply from the first file opened on; Close leaves them so.
    const bool exchange = state_.importExportAvailable() && !exiting_;
    ui_.mnuImport->setEnabled(exchange);
    ui_.mnuExport->setEnabled(exchange);
}

void frmDEdavu::showOpenFile() {
    setWindowTitle(qm::captionWithFileTitle(state_, tr("Quillmark")));
    setContactCommandsEnabled(true);
}

void frmDEdavu::showNoFile() {
    setWindowTitle(tr("Quillmark"));
    setContactCommandsEnabled(false);
}

void frmDEdavu::showReminders() {
    const bool switchable = state_.remindersSwitchable();
    ui_.mnuFileBdayOn->setEnabled(switchable && !state_.remindersOn());
    ui_.mnuFileBdayOff->setEnabled(switchable && state_.remindersOn());
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
    focusFirstLine();
}

void frmDEdavu::dragEnterEvent(QDragEnterEvent* event) {
    const std::optional<qm::DroppedFile> file = qm::droppedFile(event->mimeData());
    // A file to import is taken only while Import Contacts can be chosen.
    if (file && (file->kind == qm::DroppedKind::ContactFile || state_.importExportAvailable())) {
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
    } else if (state_.importExportAvailable()) {
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
    ui_.mnuFileBdayOn->setEnabled(false);
    ui_.mnuFileBdayOff->setEnabled(false);

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
