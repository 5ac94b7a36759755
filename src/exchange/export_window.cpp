#include "exchange/export_window.h"
#include "exchange/export_open.h"
#include "platform/app_exit.h"
#include "platform/widget_names.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/busy_pointer.h"
#include "platform/enter_presses_button.h"
#include "platform/lookups.h"
#include "platform/messages.h"
#include "shell/about_open.h"

namespace {

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

// A text of the formats' table, which is ASCII.
QString fromCore(std::string_view text) {
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

frmLMExport::frmLMExport(qm::AppState& state) : state_(state) {
    setObjectName(QStringLiteral("frmLMExport"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildMenus();
    qm::installEnterPressesButton(this);
    setWindowTitle(qm::captionWithFileTitle(state_, tr("Export Contacts")));
}

void frmLMExport::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);
    ui_.lblExpBanner = qm::named(new QLabel(tr("Quillmark")), "lblExpBanner");
    QFont banner(QStringLiteral("Times New Roman"), 18);
    banner.setBold(true);
    ui_.lblExpBanner->setFont(banner);
    ui_.lblExport = qm::named(
        new QLabel(
            tr("Select type of export file to create, Comma Separated Values (csv), Text (txt) "
               "or vCard (vcf).\n"
               "Export file will contain First Name, Middle Initial, Last Name, Street Address1,\n"
               "Street Address 2, City, State, Zip Code, Country, Company, Incl Company, Home "
               "Phone,\n"
               "Cell Phone, Work Phone, Email Address, Birthdate, Category, and Notes.\n"
               "The export file will be stored in your Quillmark folder.")),
        "lblExport");

    ui_.frExpOptions = qm::named(new QGroupBox, "frExpOptions");
    auto* options = new QVBoxLayout(ui_.frExpOptions);
    for (const qm::ContactFormat& row : qm::contactFormats()) {
        if (!row.exportFormat) {
            continue;
        }
        auto* option = qm::named(new QRadioButton(tr(std::string(row.exportOption).c_str())),
                                 std::string(row.exportControl).c_str());
        option->setToolTip(tr("Creates and stores a %1 file of contacts, with file name of: %2")
                               .arg(fromCore(row.exportKind), fromCore(row.exportPrefix) +
                                                                  QStringLiteral("filename") +
                                                                  fromCore(row.exportEnding)));
        options->addWidget(option);
        connect(option, &QRadioButton::clicked, this, [this, format = *row.exportFormat] {
            chosen_ = format;
            ui_.cmdExpCreate->setEnabled(true);
        });
    }

    ui_.cmdExpCreate = qm::named(new QPushButton(tr("&Create export file")), "cmdExpCreate");
    ui_.cmdExpCreate->setToolTip(
        tr("Creates selected export file and stores in application's folder"));
    ui_.cmdExpCreate->setEnabled(false);
    ui_.cmdExpCancel = qm::named(new QPushButton(tr("C&lose")), "cmdExpCancel");
    ui_.cmdExpCancel->setToolTip(tr("Return to main screen"));

    auto* commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(ui_.cmdExpCreate);
    commands->addWidget(ui_.cmdExpCancel);
    auto* page = new QVBoxLayout(central);
    page->addWidget(ui_.lblExpBanner);
    page->addWidget(ui_.lblExport);
    page->addWidget(ui_.frExpOptions);
    page->addStretch();
    page->addLayout(commands);

    connect(ui_.cmdExpCreate, &QPushButton::clicked, this, &frmLMExport::createExportFile);
    connect(ui_.cmdExpCancel, &QPushButton::clicked, this, &frmLMExport::close);
}

void frmLMExport::buildMenus() {
    ui_.mnuETFile = qm::named(menuBar()->addMenu(tr("&File")), "mnuETFile");
    ui_.mnuETFileExit = qm::addMenuItem(ui_.mnuETFile, "mnuETFileExit", tr("E&xit"));
    ui_.mnuETHelp = qm::named(menuBar()->addMenu(tr("&Help")), "mnuETHelp");
    ui_.mnuETHelpUM = qm::addMenuItem(ui_.mnuETHelp, "mnuETHelpUM", tr("&User Manual"));
    ui_.mnuETHelpUM->setShortcut(QKeySequence(QStringLiteral("F1")));
    ui_.mnuETHelpBar0 = qm::named(ui_.mnuETHelp->addSeparator(), "mnuETHelpBar0");
    ui_.mnuETHelpAbout = qm::addMenuItem(ui_.mnuETHelp, "mnuETHelpAbout", tr("&About Quillmark"));

    connect(ui_.mnuETFileExit, &QAction::triggered, this, &frmLMExport::exitApplication);
    connect(ui_.mnuETHelpUM, &QAction::triggered, this,
            [this] { qm::openUserManual(state_.platform, state_.appFolder); });
    connect(ui_.mnuETHelpAbout, &QAction::triggered, this,
            [this] { showAboutWindow(state_, this); });
}

void frmLMExport::createExportFile() {
    if (!chosen_) {
        return;
    }
    const qm::ExportFormat format = *chosen_;
    qm::ExportResult result;
    qm::BusyPointer busy(state_.platform);
    try {
        result = qm::exportContacts(state_.contacts(), localPath(state_.filePath()),
                                    localPath(state_.appFolder), format);
    } catch (const qm::QmError& e) {
        busy.restore();
        if (qm::showCommonError(state_.platform, this, e) == qm::MsgAnswer::Cancel) {
            close();
        }
        return;
    }
    busy.restore();
    if (result.count == 0) {
        state_.platform.messageBox(
            this, tr("Export file not created"),
            tr("Export file could not be created.  There were no contacts on file."),
            qm::MsgButtons::Ok, qm::MsgIcon::Information);
    } else {
        const qm::ContactFormat& row = qm::exportRow(format);
        const QString text =
            tr("D O N E !  A %1 file of contacts has been created and stored in your Quillmark "
               "folder.  This file is named %2")
                .arg(fromCore(row.exportKind), fromCore(row.exportPrefix) +
                                                   QFile::decodeName(result.base.c_str()) +
                                                   fromCore(row.exportEnding));
        state_.platform.messageBox(this, tr("Export file created"), text, qm::MsgButtons::Ok,
                                   qm::MsgIcon::None);
    }
    ui_.cmdExpCancel->setFocus();
}

void frmLMExport::exitApplication() {
    endingApplication_ = true;
    qm::endApplicationAtOnce(state_.contacts());
    close();
}

void frmLMExport::closeEvent(QCloseEvent* event) {
    event->accept();
    if (!endingApplication_) {
        state_.returnToMain();
    }
}

namespace qm {

void openExportWindow(AppState& state) {
    state.showInsteadOfMain(new frmLMExport(state));
}

}  // namespace qm
