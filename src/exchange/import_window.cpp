#include "exchange/import_window.h"
#include "exchange/import_open.h"
#include "platform/app_exit.h"
#include "platform/widget_names.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "contacts/field_rules.h"
#include "exchange/contact_formats.h"
#include "exchange/import_into_file.h"
#include "exchange/own_layout.h"
#include "platform/busy_pointer.h"
#include "platform/edit_menu.h"
#include "platform/enter_presses_button.h"
#include "platform/lookups.h"
#include "platform/messages.h"
#include "platform/qt_text.h"
#include "records/file_ops.h"
#include "shell/about_open.h"

namespace {

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

constexpr std::size_t kPreviewContacts = 5;

// Every typed field, in the order of the program's own export; a column no previewed contact
// fills is hidden.
const std::vector<qm::ContactField>& previewColumns() {
    static const std::vector<qm::ContactField> columns = [] {
        std::vector<qm::ContactField> fields;
        for (const qm::OwnColumn& column : qm::kOwnColumns) {
            if (const auto typed = qm::kFieldDescriptions[qm::fieldIndex(column.member)].typed) {
                fields.push_back(*typed);
            }
        }
        return fields;
    }();
    return columns;
}

}  // namespace

frmLMImport::frmLMImport(qm::AppState& state) : state_(state) {
    setObjectName(QStringLiteral("frmLMImport"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildMenus();
    qm::installEnterPressesButton(this);
    setWindowTitle(qm::captionWithFileTitle(state_, tr("Import Contacts")));
    ui_.txtImpFilename->hide();
    ui_.txtImpData->hide();
    ui_.lblImpFormat->hide();
    ui_.lstImpPreview->hide();
    ui_.cmdStartImport->setEnabled(false);
}

void frmLMImport::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    ui_.lblImpHdr = qm::named(
        new QLabel(
            tr("First, download contacts (as a csv or vCard file) from your email "
               "provider or other source, and save to PC.\nWhen ready, click 'Open csv file' "
               "to select the file to import.  Click 'Import' to begin importing.")),
        "lblImpHdr");
    ui_.lblImpHdr->setWordWrap(true);
    ui_.cmdCsvOpen = qm::named(new QPushButton(tr("&Open csv file")), "cmdCsvOpen");
    ui_.cmdFromServer =
        qm::named(new QPushButton(tr("From an &address book server...")), "cmdFromServer");
    ui_.txtImpFilename = qm::named(new QLineEdit, "txtImpFilename");
    ui_.txtImpFilename->setReadOnly(true);
    ui_.lblImpFormat = qm::named(new QLabel, "lblImpFormat");
    ui_.lblImpFormat->setWordWrap(true);
    ui_.lstImpPreview = qm::named(new QTreeWidget, "lstImpPreview");
    ui_.lstImpPreview->setRootIsDecorated(false);
    ui_.lstImpPreview->setUniformRowHeights(true);
    ui_.lstImpPreview->setSelectionMode(QAbstractItemView::NoSelection);
    ui_.lstImpPreview->setColumnCount(static_cast<int>(previewColumns().size()));
    QStringList titles;
    for (qm::ContactField field : previewColumns()) {
        titles << tr(std::string(qm::describe(field).heading).c_str());
    }
    ui_.lstImpPreview->setHeaderLabels(titles);
    ui_.cmdStartImport = qm::named(new QPushButton(tr("&Import")), "cmdStartImport");
    ui_.cmdImpCancel = qm::named(new QPushButton(tr("&Close")), "cmdImpCancel");
    ui_.txtImpData = qm::named(new QLineEdit(central), "txtImpData");

    auto* file = new QHBoxLayout;
    file->addWidget(ui_.cmdCsvOpen);
    file->addWidget(ui_.txtImpFilename, 1);
    auto* commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(ui_.cmdStartImport);
    commands->addWidget(ui_.cmdImpCancel);
    auto* page = new QVBoxLayout(central);
    page->addWidget(ui_.lblImpHdr);
    page->addSpacing(8);
    page->addLayout(file);
    page->addWidget(ui_.lblImpFormat);
    // The preview takes the room a larger window gives; before a file is chosen the
    // stretch below it does.
    page->addWidget(ui_.lstImpPreview, 1);
    page->addStretch(0);
    page->addWidget(ui_.cmdFromServer, 0, Qt::AlignLeft);
    page->addLayout(commands);
    resize(680, 360);

    connect(ui_.cmdCsvOpen, &QPushButton::clicked, this, &frmLMImport::chooseFile);
    connect(ui_.cmdFromServer, &QPushButton::clicked, this,
            [this] { state_.requestAddressBookImport(this); });
    connect(ui_.cmdStartImport, &QPushButton::clicked, this, &frmLMImport::startImport);
    connect(ui_.cmdImpCancel, &QPushButton::clicked, this, &frmLMImport::close);
}

void frmLMImport::buildMenus() {
    ui_.mnuITFile = qm::named(menuBar()->addMenu(tr("&File")), "mnuITFile");
    ui_.mnuITFileExit = qm::addMenuItem(ui_.mnuITFile, "mnuITFileExit", tr("E&xit"));
    ui_.mnuITEdit = qm::named(menuBar()->addMenu(tr("&Edit")), "mnuITEdit");
    ui_.mnuITEditCut = qm::addMenuItem(ui_.mnuITEdit, "mnuITEditCut", tr("Cu&t"));
    ui_.mnuITEditCopy = qm::addMenuItem(ui_.mnuITEdit, "mnuITEditCopy", tr("&Copy"));
    ui_.mnuITEditPaste = qm::addMenuItem(ui_.mnuITEdit, "mnuITEditPaste", tr("&Paste"));
    ui_.mnuITHelp = qm::named(menuBar()->addMenu(tr("&Help")), "mnuITHelp");
    ui_.mnuITHelpUM = qm::addMenuItem(ui_.mnuITHelp, "mnuITHelpUM", tr("&User Manual"));
    ui_.mnuITHelpBar0 = qm::named(ui_.mnuITHelp->addSeparator(), "mnuITHelpBar0");
    ui_.mnuITHelpAbout = qm::addMenuItem(ui_.mnuITHelp, "mnuITHelpAbout", tr("&About Quillmark"));

    qm::attachCommonEditMenu(ui_.mnuITEdit, ui_.mnuITEditCut, ui_.mnuITEditCopy, ui_.mnuITEditPaste,
                             state_.platform);
    connect(ui_.mnuITFileExit, &QAction::triggered, this, &frmLMImport::exitApplication);
    connect(ui_.mnuITHelpUM, &QAction::triggered, this,
            [this] { qm::openUserManual(state_.platform, state_.appFolder); });
    connect(ui_.mnuITHelpAbout, &QAction::triggered, this,
            [this] { showAboutWindow(state_, this); });
}

void frmLMImport::chooseFile() {
    // A cancelled dialog keeps the name it had, so the previous choice stands.
    const QString answer = state_.platform.openFileDialog(
        this, tr("Open"), tr(qm::importDialogFilter().c_str()), state_.appFolder);
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
    ui_.txtImpFilename->setText(title_);
    ui_.txtImpFilename->show();
    ui_.lblImpFormat->hide();
    ui_.lstImpPreview->clear();
    ui_.lstImpPreview->hide();
    try {
        // Only proves the file can be read; the import reads it afresh.
        qm::FileOps& ops = qm::systemFileOps();
        ops.close(ops.openRead(localPath(path_)));
    } catch (const qm::QmError& e) {
        reportError(e);
        return;
    }
    ui_.cmdStartImport->setEnabled(true);
    showPreview();
}

// Shows what Import would do; the file is read afresh by Import, which reports as always.
// A preview that fails says so beside the file name, without a message box.
void frmLMImport::showPreview() {
    qm::ImportResult preview;
    try {
        qm::BusyPointer busy(state_.platform);
        preview = qm::previewContactFile(state_.contacts(), localPath(path_), state_.remindersOn(),
                                         kPreviewContacts);
    } catch (const qm::QmError& e) {
        ui_.lblImpFormat->setText(
            tr("No preview: %1.").arg(QString::fromStdString(e.description())));
        ui_.lblImpFormat->show();
        return;
    }
    if (preview.outcome == qm::ImportOutcome::NotCompatible) {
        ui_.lblImpFormat->setText(
            tr("This file is not compatible with the import: none of its "
               "columns holds a name or an e-mail address."));
    } else if (preview.records.empty()) {
        const std::string skipped = qm::importSkippedText(preview.counts);
        ui_.lblImpFormat->setText(
            tr("Recognised format: %1.  No contacts will be imported.")
                .arg(QString::fromStdString(preview.format)) +
            (skipped.empty() ? QString() : QStringLiteral("  ") + QString::fromStdString(skipped)));
    } else {
        ui_.lblImpFormat->setText(tr("Recognised format: %1.  The first contacts as they will be "
                                     "stored:")
                                      .arg(QString::fromStdString(preview.format)));
        showPreviewRows(preview);
    }
    ui_.lblImpFormat->show();
}

void frmLMImport::showPreviewRows(const qm::ImportResult& preview) {
    const std::vector<qm::ContactField>& columns = previewColumns();
    std::vector<bool> filled(columns.size(), false);
    for (const qm::ContactRecord& record : preview.records) {
        const qm::ContactFields fields = qm::fieldsFromRecord(record);
        QStringList values;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const std::string& value = fields.text(columns[i]);
            filled[i] = filled[i] || !value.empty();
            values << qm::fromCore(value);
        }
        ui_.lstImpPreview->addTopLevelItem(new QTreeWidgetItem(values));
    }
    for (std::size_t i = 0; i < filled.size(); ++i) {
        ui_.lstImpPreview->setColumnHidden(static_cast<int>(i), !filled[i]);
        ui_.lstImpPreview->resizeColumnToContents(static_cast<int>(i));
    }
    ui_.lstImpPreview->show();
}

void frmLMImport::startImport() {
    qm::ImportResult result;
    try {
        // The record count comes first: without an open contact file nothing else is asked.
        state_.contacts().count();
        if (path_.isEmpty()) {
            state_.platform.beep();
            state_.platform.messageBox(this, tr("No csv file selected"),
                                       tr("Click 'Open csv file' to select a file to import."),
                                       qm::MsgButtons::Ok, qm::MsgIcon::Information);
            return;
        }
        qm::BusyPointer busy(state_.platform);
        result = qm::importContactFile(state_.contacts(), localPath(path_), state_.remindersOn());
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
    ui_.cmdStartImport->setEnabled(false);
    ui_.cmdImpCancel->setFocus();
}

void frmLMImport::reportError(const qm::QmError& error) {
    if (qm::showCommonError(state_.platform, this, error) == qm::MsgAnswer::Cancel) {
        close();
    }
}

void frmLMImport::exitApplication() {
    endingApplication_ = true;
    qm::endApplicationAtOnce(state_.contacts());
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
