#include "shell/main_window.h"
#include "platform/widget_names.h"

#include <QCloseEvent>
#include <algorithm>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/edit_menu.h"
#include "platform/enter_as_tab.h"
#include "records/error.h"
#include "shell/app_folder.h"

namespace {

const char* const kEnvelopeSizes[] = {
    "#10 Standard Business envelope (4 1/8 in x 9 1/2 in)",
    "#6 3/4 Small envelope (3 5/8 in x 6 1/2 in)",
    "#A2 Invitation envelope (4 3/8 in x 5 3/4 in)",
    "#A7 Announcement envelope (5 1/4 in x 7 1/4 in)",
    "#A8 Std Greeting Card envelope (5.5 in x 8 1/8 in)",
    "#A10 Lrg Greeting Card envelope (6 in x 9 1/2 in)",
    "Custom (edit Left and Top margin boxes)",
};

}  // namespace

frmDEdavu::frmDEdavu(qm::AppState& state) : state_(state) {
    setObjectName(QStringLiteral("frmDEdavu"));
    state_.mainWindow = this;
    buildControls();
    buildMenus();
    connectCommands();
    startUp();
}

void frmDEdavu::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    lblLMHeader = qm::named(new QLabel(QStringLiteral("Quillmark")), "lblLMHeader");
    QFont headerFont = lblLMHeader->font();
    headerFont.setPointSize(headerFont.pointSize() + 8);
    headerFont.setBold(true);
    lblLMHeader->setFont(headerFont);
    lblLMInstruct = qm::named(new QLabel, "lblLMInstruct");
    lblLMInstruct->setWordWrap(true);

    lblLMLine1 = qm::named(new QLabel(QStringLiteral("Line #1:")), "lblLMLine1");
    lblLMLine2 = qm::named(new QLabel(QStringLiteral("Line #2:")), "lblLMLine2");
    lblLMLine3 = qm::named(new QLabel(QStringLiteral("Line #3:")), "lblLMLine3");
    lblLMLine4 = qm::named(new QLabel(QStringLiteral("Line #4:")), "lblLMLine4");
    lblLMLine5 = qm::named(new QLabel(QStringLiteral("Line #5:")), "lblLMLine5");
    txtLMLine1 = qm::named(new QLineEdit, "txtLMLine1");
    txtLMLine2 = qm::named(new QLineEdit, "txtLMLine2");
    txtLMline3 = qm::named(new QLineEdit, "txtLMline3");
    txtLMLine4 = qm::named(new QLineEdit, "txtLMLine4");
    txtLMLine5 = qm::named(new QLineEdit, "txtLMLine5");

    cmdLMStart = qm::named(new QPushButton(QStringLiteral("Print")), "cmdLMStart");
    cmdLMClear = qm::named(new QPushButton(QStringLiteral("Clear Form")), "cmdLMClear");
    cmdLMExit = qm::named(new QPushButton(QStringLiteral("Exit")), "cmdLMExit");
    cmdAddContact = qm::named(new QPushButton(QStringLiteral("Add Contact")), "cmdAddContact");
    cmdAddContact->setToolTip(QStringLiteral("Add a new contact to file"));
    cmdFindContact = qm::named(new QPushButton(QStringLiteral("Find Contact")), "cmdFindContact");
    cmdFindContact->setToolTip(QStringLiteral("Retrieve a contact from file"));
    cmdRetAddress = qm::named(new QPushButton(QStringLiteral("Print")), "cmdRetAddress");
    cmdRetAddress->setToolTip(
        QStringLiteral("Prints 80 return address labels on Avery 5167 (1/2\" x 1 3/4\") labels"));
    cmdPeopleFind = qm::named(new QPushButton(QStringLiteral("People Finder")), "cmdPeopleFind");
    cmdZipFinder = qm::named(new QPushButton(QStringLiteral("Zip Code Finder")), "cmdZipFinder");
    cmdZipFinder->setToolTip(QStringLiteral("Look up Zip Code"));

    frLMMediaType = qm::named(new QGroupBox, "frLMMediaType");
    optLMLabel = qm::named(new QRadioButton(QStringLiteral("Label stock")), "optLMLabel");
    optLMEnvelope = qm::named(new QRadioButton(QStringLiteral("Envelope")), "optLMEnvelope");
    cboLMEnvelope = qm::named(new QComboBox, "cboLMEnvelope");
    cboLMEnvelope->setPlaceholderText(QStringLiteral("Select Envelope Size"));
    frPortLand = qm::named(new QGroupBox, "frPortLand");
    optPortrait = qm::named(new QRadioButton(QStringLiteral("Portrait")), "optPortrait");
    optLandscape = qm::named(new QRadioButton(QStringLiteral("Landscape")), "optLandscape");
    frLMJust = qm::named(new QGroupBox, "frLMJust");
    optLMCenter = qm::named(new QRadioButton(QStringLiteral("Centered")), "optLMCenter");
    optLMLeftjust = qm::named(new QRadioButton(QStringLiteral("Left-Justified")), "optLMLeftjust");
    chkBold = qm::named(new QCheckBox(QStringLiteral("Bold")), "chkBold");
    chkBold->setToolTip(QStringLiteral("If checked, will print envelope in bold"));
    chkLargeFont = qm::named(new QCheckBox(QStringLiteral("Large Font")), "chkLargeFont");
    chkLargeFont->setToolTip(
        QStringLiteral("If checked, will print envelope in larger, italicized font"));
    lblLMPosition = qm::named(new QLabel, "lblLMPosition");
    lblLMEnvSize = qm::named(new QLabel, "lblLMEnvSize");
    lblLMEnvSize->setWordWrap(true);

    txtLMLeftPad = qm::named(new QLineEdit(central), "txtLMLeftPad");
    txtLMToppad = qm::named(new QLineEdit(central), "txtLMToppad");
    txtFileNam = qm::named(new QLineEdit(central), "txtFileNam");
    txtFileTitle = qm::named(new QLineEdit(central), "txtFileTitle");
    for (QLineEdit* hidden : {txtLMLeftPad, txtLMToppad, txtFileNam, txtFileTitle}) {
        hidden->hide();
    }

    // Lines on the left, print options on the right, commands along the bottom.
    auto* lines = new QGridLayout;
    const QList<QPair<QLabel*, QLineEdit*>> rows = {{lblLMLine1, txtLMLine1},
                                                    {lblLMLine2, txtLMLine2},
                                                    {lblLMLine3, txtLMline3},
                                                    {lblLMLine4, txtLMLine4},
                                                    {lblLMLine5, txtLMLine5}};
    for (int r = 0; r < rows.size(); ++r) {
        lines->addWidget(rows[r].first, r, 0);
        lines->addWidget(rows[r].second, r, 1);
        rows[r].second->setMinimumWidth(320);
    }
    auto* lineButtons = new QHBoxLayout;
    lineButtons->addWidget(cmdLMStart);
    lineButtons->addWidget(cmdRetAddress);
    lineButtons->addWidget(cmdLMClear);
    lineButtons->addStretch();
    lines->addLayout(lineButtons, 5, 1);
    lines->addWidget(lblLMPosition, 6, 1);

    auto* media = new QVBoxLayout(frLMMediaType);
    media->addWidget(optLMLabel);
    media->addWidget(optLMEnvelope);
    auto* orientation = new QVBoxLayout(frPortLand);
    orientation->addWidget(optPortrait);
    orientation->addWidget(optLandscape);
    auto* justification = new QVBoxLayout(frLMJust);
    justification->addWidget(optLMLeftjust);
    justification->addWidget(optLMCenter);
    auto* options = new QVBoxLayout;
    auto* frames = new QHBoxLayout;
    frames->addWidget(frLMMediaType);
    frames->addWidget(frPortLand);
    frames->addWidget(frLMJust);
    options->addLayout(frames);
    options->addWidget(cboLMEnvelope);
    options->addWidget(lblLMEnvSize);
    auto* styles = new QHBoxLayout;
    styles->addWidget(chkBold);
    styles->addWidget(chkLargeFont);
    styles->addStretch();
    options->addLayout(styles);
    options->addStretch();

    auto* body = new QHBoxLayout;
    body->addLayout(lines, 3);
    body->addSpacing(12);
    body->addLayout(options, 2);

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
    page->addLayout(body);
    page->addStretch();
    page->addLayout(commands);

    // Print first, then the five lines, as the typed-line workflow expects.
    setTabOrder(cmdLMStart, txtLMLine1);
    setTabOrder(txtLMLine1, txtLMLine2);
    setTabOrder(txtLMLine2, txtLMline3);
    setTabOrder(txtLMline3, txtLMLine4);
    setTabOrder(txtLMLine4, txtLMLine5);
    for (QLineEdit* line : {txtLMLine1, txtLMLine2, txtLMline3, txtLMLine4}) {
        qm::installEnterAsTab(line);
    }
}

void frmDEdavu::buildMenus() {
    mnuFile = qm::named(menuBar()->addMenu(QStringLiteral("&File")), "mnuFile");
    mnuFileNew = qm::addMenuItem(mnuFile, "mnuFileNew", QStringLiteral("New"));
    mnuFileOpen =
        qm::addMenuItem(mnuFile, "mnuFileOpen", QStringLiteral("Open"), QKeySequence("Ctrl+O"));
    mnuFileClose = qm::addMenuItem(mnuFile, "mnuFileClose", QStringLiteral("Close"));
    mnuFile->addSeparator();
    mnuFileBdayOn =
        qm::addMenuItem(mnuFile, "mnuFileBdayOn", QStringLiteral("Enable Birthday Reminders"));
    mnuFileBdayOff =
        qm::addMenuItem(mnuFile, "mnuFileBdayOff", QStringLiteral("Disable Birthday Reminders"));
    mnuFile->addSeparator();
    mnuRetAddress =
        qm::addMenuItem(mnuFile, "mnuRetAddress", QStringLiteral("Return Address Labels"));
    mnuStates = qm::addMenuItem(mnuFile, "mnuStates", QStringLiteral("State Abbreviations"));
    mnuFile->addSeparator();
    mnuFilePrint =
        qm::addMenuItem(mnuFile, "mnuFilePrint", QStringLiteral("Print"), QKeySequence("Ctrl+P"));
    mnuFile->addSeparator();
    mnuFileExit = qm::addMenuItem(mnuFile, "mnuFileExit", QStringLiteral("Exit"));

    mnuLMEdit = qm::named(menuBar()->addMenu(QStringLiteral("&Edit")), "mnuLMEdit");
    mnuLMEditCut =
        qm::addMenuItem(mnuLMEdit, "mnuLMEditCut", QStringLiteral("Cut"), QKeySequence("Ctrl+X"));
    mnuLMEditCopy =
        qm::addMenuItem(mnuLMEdit, "mnuLMEditCopy", QStringLiteral("Copy"), QKeySequence("Ctrl+C"));
    mnuLMEditPaste = qm::addMenuItem(mnuLMEdit, "mnuLMEditPaste", QStringLiteral("Paste"),
                                     QKeySequence("Ctrl+V"));

    mnuContacts = qm::named(menuBar()->addMenu(QStringLiteral("&Contacts")), "mnuContacts");
    mnuAdd = qm::addMenuItem(mnuContacts, "mnuAdd", QStringLiteral("Add Contact"));
    mnuEdit = qm::addMenuItem(mnuContacts, "mnuEdit", QStringLiteral("Edit Contact"));
    mnuFind = qm::addMenuItem(mnuContacts, "mnuFind", QStringLiteral("Find Contact"));
    mnuDelete = qm::addMenuItem(mnuContacts, "mnuDelete", QStringLiteral("Delete Contact"));
    mnuContacts->addSeparator();
    mnuSrchContacts =
        qm::addMenuItem(mnuContacts, "mnuSrchContacts", QStringLiteral("Search Contacts"));
    mnuContacts->addSeparator();
    mnuImport = qm::addMenuItem(mnuContacts, "mnuImport", QStringLiteral("Import Contacts"));
    mnuExport = qm::addMenuItem(mnuContacts, "mnuExport", QStringLiteral("Export Contacts"));

    mnuView = qm::named(menuBar()->addMenu(QStringLiteral("&View")), "mnuView");
    mnuViewOne = qm::addMenuItem(mnuView, "mnuViewOne", QStringLiteral("One Contact"));
    mnuViewAll = qm::addMenuItem(mnuView, "mnuViewAll", QStringLiteral("All Contacts"));

    mnuMargins = qm::named(menuBar()->addMenu(QStringLiteral("&Margins")), "mnuMargins");
    mnuAdjustOTF = qm::addMenuItem(mnuMargins, "mnuAdjustOTF", QStringLiteral("On-The-Fly label"));
    mnuAdjustSR =
        qm::addMenuItem(mnuMargins, "mnuAdjustSR", QStringLiteral("Search-result labels"));
    mnuAdjustENV = qm::addMenuItem(mnuMargins, "mnuAdjustENV", QStringLiteral("Envelope"));

    mnuHelp = qm::named(menuBar()->addMenu(QStringLiteral("&Help")), "mnuHelp");
    mnuManual =
        qm::addMenuItem(mnuHelp, "mnuManual", QStringLiteral("User Manual"), QKeySequence("F1"));
    mnuAbout = qm::addMenuItem(mnuHelp, "mnuAbout", QStringLiteral("About Quillmark"));

    qm::attachCommonEditMenu(mnuLMEdit, mnuLMEditCut, mnuLMEditCopy, mnuLMEditPaste,
                             state_.platform);
}

void frmDEdavu::connectCommands() {
    connect(mnuFileNew, &QAction::triggered, this, &frmDEdavu::fileNew);
    connect(mnuFileOpen, &QAction::triggered, this, &frmDEdavu::fileOpen);
    connect(mnuFileClose, &QAction::triggered, this, &frmDEdavu::fileClose);
    connect(mnuFileBdayOn, &QAction::triggered, this, &frmDEdavu::remindersOnCommand);
    connect(mnuFileBdayOff, &QAction::triggered, this, &frmDEdavu::remindersOffCommand);
    connect(mnuRetAddress, &QAction::triggered, this, &frmDEdavu::returnAddressCommand);
    connect(cmdRetAddress, &QPushButton::clicked, this, &frmDEdavu::returnAddressCommand);
    connect(mnuStates, &QAction::triggered, this, &frmDEdavu::openStateAbbreviations);
    connect(mnuFilePrint, &QAction::triggered, this, &frmDEdavu::printCommand);
    connect(cmdLMStart, &QPushButton::clicked, this, &frmDEdavu::printCommand);
    connect(mnuFileExit, &QAction::triggered, this, &frmDEdavu::close);
    connect(cmdLMExit, &QPushButton::clicked, this, &frmDEdavu::close);
    connect(cmdLMClear, &QPushButton::clicked, this, &frmDEdavu::clearForm);

    connect(mnuAdd, &QAction::triggered, this, &frmDEdavu::addContactCommand);
    connect(cmdAddContact, &QPushButton::clicked, this, &frmDEdavu::addContactCommand);
    for (QAction* browse : {mnuEdit, mnuFind, mnuDelete, mnuViewOne}) {
        connect(browse, &QAction::triggered, this, [this] { openContactBrowser(false); });
    }
    connect(cmdFindContact, &QPushButton::clicked, this, [this] { openContactBrowser(true); });
    connect(mnuSrchContacts, &QAction::triggered, this, &frmDEdavu::openContactList);
    connect(mnuViewAll, &QAction::triggered, this, &frmDEdavu::openContactList);
    connect(mnuImport, &QAction::triggered, this, &frmDEdavu::openImport);
    connect(mnuExport, &QAction::triggered, this, &frmDEdavu::openExport);

    connect(mnuAdjustOTF, &QAction::triggered, this, [this] { adjustMargins("ONTHEFLY"); });
    connect(mnuAdjustSR, &QAction::triggered, this, [this] { adjustMargins("BULKLIST"); });
    connect(mnuAdjustENV, &QAction::triggered, this, [this] { adjustMargins("ENVELOPE"); });

    connect(mnuManual, &QAction::triggered, this, &frmDEdavu::openManual);
    connect(mnuAbout, &QAction::triggered, this, &frmDEdavu::openAbout);
    connect(cmdPeopleFind, &QPushButton::clicked, this, &frmDEdavu::openPeopleFinder);
    connect(cmdZipFinder, &QPushButton::clicked, this, &frmDEdavu::openZipFinder);

    connect(optLMLabel, &QRadioButton::clicked, this, &frmDEdavu::labelStockClicked);
    connect(optLMEnvelope, &QRadioButton::clicked, this, &frmDEdavu::envelopeClicked);
    connect(cboLMEnvelope, &QComboBox::activated, this, &frmDEdavu::envelopeSizePicked);
    connect(optPortrait, &QRadioButton::clicked, this, [this] {
        txtLMLeftPad->setText(QStringLiteral("2"));
        txtLMToppad->setText(QStringLiteral("3"));
    });
    for (QRadioButton* option : {optLandscape, optLMCenter, optLMLeftjust}) {
        connect(option, &QRadioButton::clicked, this, [this] { txtLMLine1->setFocus(); });
    }
    for (QCheckBox* style : {chkBold, chkLargeFont}) {
        connect(style, &QCheckBox::clicked, this, [this] { cmdLMStart->setFocus(); });
    }
}

void frmDEdavu::startUp() {
    setWindowTitle(QStringLiteral("Quillmark"));
    lblLMInstruct->setText(
        QStringLiteral("Quillmark prints labels (compatible with Avery 5160 and 8160 labels) and "
                       "envelopes.\nPower tip: click 'Search Contacts' to print labels for a "
                       "specific subset of your contacts."));
    optPortrait->setChecked(true);
    optLMLeftjust->setChecked(true);
    txtLMLeftPad->setText(QStringLiteral("2"));
    txtLMToppad->setText(QStringLiteral("3"));
    for (const char* size : kEnvelopeSizes) {
        cboLMEnvelope->addItem(QString::fromLatin1(size));
    }
    cboLMEnvelope->setCurrentIndex(-1);
    cboLMEnvelope->hide();
    chkBold->setChecked(false);
    chkLargeFont->setChecked(false);
    chkBold->hide();
    chkLargeFont->hide();
    cmdRetAddress->hide();
    setContactCommandsEnabled(false);
    mnuFileBdayOn->setEnabled(false);
    mnuFileBdayOff->setEnabled(false);
    resize(860, 460);
    txtLMLine1->setFocus();
}

void frmDEdavu::setContactCommandsEnabled(bool on) {
    for (QWidget* button :
         {static_cast<QWidget*>(cmdFindContact), static_cast<QWidget*>(cmdAddContact)}) {
        button->setEnabled(on);
    }
    for (QAction* item : {mnuAdd, mnuEdit, mnuDelete, mnuFind, mnuViewOne, mnuViewAll, mnuImport,
                          mnuExport, mnuSrchContacts}) {
        item->setEnabled(on);
    }
}

void frmDEdavu::showOpenFile(const QString& path, const QString& title) {
    txtFileNam->setText(path);
    txtFileTitle->setText(title);
    setWindowTitle(QStringLiteral("Quillmark  [") + title + QLatin1Char(']'));
}

void frmDEdavu::showNoFile() {
    txtFileNam->clear();
    txtFileTitle->clear();
    setWindowTitle(QStringLiteral("Quillmark"));
}

void frmDEdavu::clearOptions(QRadioButton* a, QRadioButton* b) {
    a->setAutoExclusive(false);
    b->setAutoExclusive(false);
    a->setChecked(false);
    b->setChecked(false);
    a->setAutoExclusive(true);
    b->setAutoExclusive(true);
}

void frmDEdavu::showInsteadOfMain(QWidget* window) {
    if (std::find(state_.openWindows.begin(), state_.openWindows.end(), window) ==
        state_.openWindows.end()) {
        state_.openWindows.emplace_back(window);
    }
    hide();
    window->show();
    window->activateWindow();
}

void frmDEdavu::returnToMain() {
    if (exiting_) {
        return;
    }
    // Windows that are gone drop out; a hidden one that stays loaded is still closed at exit.
    std::erase_if(state_.openWindows, [](const QPointer<QWidget>& w) { return w.isNull(); });
    show();
    activateWindow();
    txtLMLine1->setFocus();
}

void frmDEdavu::closeEvent(QCloseEvent* event) {
    if (!exiting_) {
        exiting_ = true;
        runExitSteps();
    }
    event->accept();
}

void frmDEdavu::runExitSteps() {
    try {
        state_.contacts.close();
    } catch (const qm::QmError&) {
        // Exit reports nothing; the descriptor is released either way.
    }
    setContactCommandsEnabled(false);
    mnuFileBdayOn->setEnabled(false);
    mnuFileBdayOff->setEnabled(false);

    const QString parked = state_.appFile(QString::fromLatin1(qm::kUninstallerParked));
    if (QFile::exists(parked)) {
        QFile::rename(parked, state_.appFile(QString::fromLatin1(qm::kUninstallerData)));
    }

    for (auto it = state_.openWindows.rbegin(); it != state_.openWindows.rend(); ++it) {
        if (!it->isNull()) {
            (*it)->close();
        }
    }
    state_.openWindows.clear();

    if (!isMinimized()) {
        const QRect frame = frameGeometry();
        const double dpi = screen() != nullptr ? screen()->logicalDotsPerInch() : 96.0;
        const auto twips = [dpi](int pixels) { return qRound(pixels * 1440.0 / dpi); };
        state_.platform.writeSetting(QStringLiteral("MainLeft"), QString::number(twips(frame.x())));
        state_.platform.writeSetting(QStringLiteral("MainTop"), QString::number(twips(frame.y())));
        state_.platform.writeSetting(QStringLiteral("MainWidth"),
                                     QString::number(twips(frame.width())));
        state_.platform.writeSetting(QStringLiteral("MainHeight"),
                                     QString::number(twips(frame.height())));
    }
}
