#include "exchange/import_window.h"
#include "platform/app_exit.h"
#include "platform/widget_names.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QVBoxLayout>

#include "exchange/import_into_file.h"
#include "platform/busy_pointer.h"
#include "platform/edit_menu.h"
#include "platform/enter_presses_button.h"
#include "platform/lookups.h"
#include "platform/messages.h"
#include "records/file_ops.h"
#include "shell/about_window.h"

namespace {

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

}  // namespace

frmLMImport::frmLMImport(qm::AppState& state) : state_(state) {
    setObjectName(QStringLiteral("frmLMImport"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildMenus();
    qm::installEnterPressesButton(this);
    setWindowTitle(qm::captionWithFileTitle(state_, tr("Import Contacts")));
    txtImpFilename->hide();
    txtImpData->hide();
    cmdStartImport->setEnabled(false);
}

void frmLMImport::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    lblImpHdr = qm::named(
        new QLabel(tr("First, download contacts (as a csv file) from your email provider "
                      "or other source, and save to PC.\nWhen ready, click 'Open csv file' "
                      "to select the file to import.  Click 'Import' to begin importing.")),
        "lblImpHdr");
    lblImpHdr->setWordWrap(true);
    cmdCsvOpen = qm::named(new QPushButton(tr("&Open csv file")), "cmdCsvOpen");
    cmdFromServer =
        qm::named(new QPushButton(tr("From an &address book server...")), "cmdFromServer");
    txtImpFilename = qm::named(new QLineEdit, "txtImpFilename");
    txtImpFilename->setReadOnly(true);
    cmdStartImport = qm::named(new QPushButton(tr("&Import")), "cmdStartImport");
    cmdImpCancel = qm::named(new QPushButton(tr("&Close")), "cmdImpCancel");
    txtImpData = qm::named(new QLineEdit(central), "txtImpData");

    auto* file = new QHBoxLayout;
    file->addWidget(cmdCsvOpen);
    file->addWidget(txtImpFilename, 1);
    auto* commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(cmdStartImport);
    commands->addWidget(cmdImpCancel);
    auto* page = new QVBoxLayout(central);
    page->addWidget(lblImpHdr);
    page->addSpacing(8);
    page->addLayout(file);
    page->addWidget(cmdFromServer, 0, Qt::AlignLeft);
    page->addStretch();
    page->addLayout(commands);
    resize(560, 220);

    connect(cmdCsvOpen, &QPushButton::clicked, this, &frmLMImport::chooseFile);
    connect(cmdFromServer, &QPushButton::clicked, this,
            [this] { state_.requestAddressBookImport(this); });
    connect(cmdStartImport, &QPushButton::clicked, this, &frmLMImport::startImport);
    connect(cmdImpCancel, &QPushButton::clicked, this, &frmLMImport::close);
}

void frmLMImport::buildMenus() {
    mnuITFile = qm::named(menuBar()->addMenu(tr("&File")), "mnuITFile");
    mnuITFileExit = qm::addMenuItem(mnuITFile, "mnuITFileExit", tr("E&xit"));
    mnuITEdit = qm::named(menuBar()->addMenu(tr("&Edit")), "mnuITEdit");
    mnuITEditCut = qm::addMenuItem(mnuITEdit, "mnuITEditCut", tr("Cu&t"));
    mnuITEditCopy = qm::addMenuItem(mnuITEdit, "mnuITEditCopy", tr("&Copy"));
    mnuITEditPaste = qm::addMenuItem(mnuITEdit, "mnuITEditPaste", tr("&Paste"));
    mnuITHelp = qm::named(menuBar()->addMenu(tr("&Help")), "mnuITHelp");
    mnuITHelpUM = qm::addMenuItem(mnuITHelp, "mnuITHelpUM", tr("&User Manual"));
    mnuITHelpBar0 = qm::named(mnuITHelp->addSeparator(), "mnuITHelpBar0");
    mnuITHelpAbout = qm::addMenuItem(mnuITHelp, "mnuITHelpAbout", tr("&About Quillmark"));

    qm::attachCommonEditMenu(mnuITEdit, mnuITEditCut, mnuITEditCopy, mnuITEditPaste,
                             state_.platform);
    connect(mnuITFileExit, &QAction::triggered, this, &frmLMImport::exitApplication);
    connect(mnuITHelpUM, &QAction::triggered, this,
            [this] { qm::openUserManual(state_.platform, state_.appFolder); });
    connect(mnuITHelpAbout, &QAction::triggered, this, [this] { showAboutWindow(state_, this); });
}

void frmLMImport::chooseFile() {
    // A cancelled dialog keeps the name it had, so the previous choice stands.
    const QString answer = state_.platform.openFileDialog(
        this, tr("Open"), tr("CSV Files (*.CSV);;Text Files (*.TXT);;All Files (*)"),
        state_.appFolder);
    if (!answer.isEmpty()) {
        dialogFileName_ = answer;
    }
    if (!dialogFileName_.isEmpty()) {
        useFile(dialogFileName_);
    }
}

void frmLMImport::useFile(const QString& path) {
    dialogFileName_ = path;
    path_ = path;
    title_ = QFileInfo(path_).fileName();
    txtImpFilename->setText(title_);
    txtImpFilename->show();
    try {
        // Only proves the file can be read; the import reads it afresh.
        qm::FileOps& ops = qm::systemFileOps();
        ops.close(ops.openRead(localPath(path_)));
    } catch (const qm::QmError& e) {
        reportError(e);
        return;
    }
    cmdStartImport->setEnabled(true);
}

void frmLMImport::startImport() {
    qm::ImportResult result;
    try {
        // The record count comes first: without an open contact file nothing else is asked.
        state_.contacts.count();
        if (path_.isEmpty()) {
            state_.platform.beep();
            state_.platform.messageBox(this, tr("No csv file selected"),
                                       tr("Click 'Open csv file' to select a file to import."),
                                       qm::MsgButtons::Ok, qm::MsgIcon::Information);
            return;
        }
        qm::BusyPointer busy(state_.platform);
        result = qm::importContactFile(state_.contacts, localPath(path_), state_.remindersOn());
    } catch (const qm::QmError& e) {
        reportError(e);
        return;
    }
    reportOutcome(result);
}

void frmLMImport::reportOutcome(const qm::ImportResult& result) {
    switch (result.outcome) {
        case qm::ImportOutcome::Done:
            // As after Add Contact: a file that had no records now has some, saved with
            // reminders on, so they can be switched off without reopening the file.
            if (!result.records.empty()) {
                state_.contactsSaved();
            }
            state_.platform.messageBox(this, QString::fromLatin1(qm::kImportCompletedTitle),
                                       QString::fromLatin1(qm::importCompletedText(result)),
                                       qm::MsgButtons::Ok, qm::MsgIcon::None);
            finishImport();
            break;
        case qm::ImportOutcome::NotCompatible:
            state_.platform.messageBox(this, QString::fromLatin1(qm::kNotCompatibleTitle),
                                       QString::fromLatin1(qm::kNotCompatibleText),
                                       qm::MsgButtons::Ok, qm::MsgIcon::Information);
            finishImport();
            break;
    }
}

void frmLMImport::finishImport() {
    cmdStartImport->setEnabled(false);
    cmdImpCancel->setFocus();
}

void frmLMImport::reportError(const qm::QmError& error) {
    if (qm::showCommonError(state_.platform, this, error) == qm::MsgAnswer::Cancel) {
        close();
    }
}

void frmLMImport::exitApplication() {
    endingApplication_ = true;
    qm::endApplicationAtOnce(state_.contacts);
    close();
}

void frmLMImport::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!endingApplication_) {
        state_.returnToMain();
    }
}

namespace qm {

frmLMImport* openImportWindow(AppState& state, const QString& path) {
    auto* window = new frmLMImport(state);
    state.showInsteadOfMain(window);
    if (!path.isEmpty()) {
        window->useFile(path);
    }
    return window;
}

}  // namespace qm
