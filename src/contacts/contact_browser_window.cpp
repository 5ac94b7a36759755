#include "contacts/contact_browser_window.h"
#include "platform/widget_names.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/print_runner.h"
#include "contacts/contact_form_window.h"
#include "contacts/contact_printouts.h"
#include "contacts/find_list.h"
#include "platform/edit_menu.h"
#include "platform/enter_presses_button.h"
#include "platform/lookups.h"
#include "platform/messages.h"
#include "platform/qt_text.h"
#include "shell/about_open.h"

namespace {

QPushButton* button(const char* name, const QString& caption, const QString& tip = QString()) {
    auto* b = qm::named(new QPushButton(caption), name);
    if (!tip.isEmpty()) {
        b->setToolTip(tip);
    }
    return b;
}

}  // namespace

frmEdDelViewContact::frmEdDelViewContact(qm::AppState& state) : state_(state) {
    setObjectName(QStringLiteral("frmEdDelViewContact"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildMenus();
    connectCommands();
    qm::installEnterPressesButton(this);
}

void frmEdDelViewContact::buildControls() {
    auto* central = new QWidget(this);
    setCentralWidget(central);

    ui_.cboFindContact = qm::named(new QComboBox, "cboFindContact");
    // A text part the user may type into without finding anything: a read-only list would
    // jump to the first entry matching a typed letter and show that contact.
    ui_.cboFindContact->setEditable(true);
    ui_.cboFindContact->setInsertPolicy(QComboBox::NoInsert);
    ui_.cboFindContact->setCompleter(nullptr);
    ui_.cboFindContact->setPlaceholderText(tr("Select Contact"));
    ui_.cboFindContact->lineEdit()->setPlaceholderText(tr("Select Contact"));
    ui_.cboFindContact->setMinimumWidth(260);
    ui_.form = new qm::ContactForm;

    ui_.chkCompanyInclude = qm::named(new QCheckBox, "chkCompanyInclude");
    ui_.chkCompanyInclude->setToolTip(
        tr("If checked, Company Name will be included when printing address"));
    ui_.lblACCompOnLabel =
        qm::named(new QLabel(tr("Include Company Name in Address")), "lblACCompOnLabel");
    ui_.cmdStateAbb = button("cmdStateAbb", tr("?"), tr("Look up State abbreviations"));
    ui_.cmdZipFinder = button("cmdZipFinder", tr("Zip Code Finder"), tr("Look up Zip Code"));
    ui_.cmdPeopleFind = button("cmdPeopleFind", tr("People Finder"));
    ui_.form->placeBeside(qm::ContactField::Street, {ui_.cmdPeopleFind});
    ui_.form->placeBeside(qm::ContactField::State, {ui_.cmdStateAbb});
    ui_.form->placeBeside(qm::ContactField::Zip, {ui_.cmdZipFinder});
    // The box and its caption side by side, over the look-up buttons' column and the next,
    // so the caption neither widens the buttons nor drifts away from its box.
    auto* companyOnLabel = new QWidget;
    auto* companyRow = new QHBoxLayout(companyOnLabel);
    companyRow->setContentsMargins(0, 0, 0, 0);
    companyRow->addWidget(ui_.chkCompanyInclude);
    companyRow->addWidget(ui_.lblACCompOnLabel);
    companyRow->addStretch();
    ui_.lblACCompOnLabel->setBuddy(ui_.chkCompanyInclude);
    auto* grid = static_cast<QGridLayout*>(ui_.form->layout());
    grid->addWidget(companyOnLabel, static_cast<int>(qm::ContactField::Company), 2, 1, 2);

    ui_.cmdFirst = button("cmdFirst", tr("|<"), tr("Jump to first contact in file"));
    ui_.cmdPrevious = button("cmdPrevious", tr("<"), tr("Previous contact"));
    ui_.cmdNext = button("cmdNext", tr(">"), tr("Next contact"));
    ui_.cmdLast = button("cmdLast", tr(">|"), tr("Jump to last contact in file"));
    ui_.cmdSave = button("cmdSave", tr("Save changes"));
    ui_.cmdDelete = button("cmdDelete", tr("Delete contact"));
    ui_.cmdPrintLabel = button("cmdPrintLabel", tr("Print Label"));
    ui_.cmdCancel = button("cmdCancel", tr("Close"), tr("Return to main screen"));

    // Find list above the fields, the navigation row below them, the commands at the bottom.
    auto* navigation = new QHBoxLayout;
    navigation->addStretch();
    for (QPushButton* b : {ui_.cmdFirst, ui_.cmdPrevious, ui_.cmdNext, ui_.cmdLast}) {
        navigation->addWidget(b);
    }
    navigation->addStretch();
    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {ui_.cmdSave, ui_.cmdDelete, ui_.cmdPrintLabel, ui_.cmdCancel}) {
        commands->addWidget(b);
    }
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(ui_.cboFindContact, 0, Qt::AlignLeft);
    layout->addWidget(ui_.form);
    layout->addStretch();
    layout->addLayout(navigation);
    layout->addLayout(commands);

    // Room for the longer values (street, e-mail, notes) at the default size.
    resize(sizeHint().expandedTo(QSize(760, 0)));

    QWidget::setTabOrder(ui_.cboFindContact, ui_.form->firstInTabOrder());
    QWidget::setTabOrder(ui_.form->lastInTabOrder(), ui_.chkCompanyInclude);
    QWidget* order[] = {ui_.chkCompanyInclude, ui_.cmdFirst,      ui_.cmdPrevious,
                        ui_.cmdNext,           ui_.cmdLast,       ui_.cmdSave,
                        ui_.cmdDelete,         ui_.cmdPrintLabel, ui_.cmdCancel,
                        ui_.cmdStateAbb,       ui_.cmdZipFinder,  ui_.cmdPeopleFind};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void frmEdDelViewContact::buildMenus() {
    ui_.mnuEDVFile = qm::named(menuBar()->addMenu(tr("&File")), "mnuEDVFile");
    ui_.mnuEDVPrint = qm::addMenuItem(ui_.mnuEDVFile, "mnuEDVPrint", tr("&Print"));
    ui_.mnuEDVPreview = qm::addMenuItem(ui_.mnuEDVFile, "mnuEDVPreview", tr("Print Pre&view"),
                                        QKeySequence(QStringLiteral("Ctrl+Shift+P")));
    ui_.mnuEDVEdit = qm::named(menuBar()->addMenu(tr("&Edit")), "mnuEDVEdit");
    ui_.mnuEDVEditCut = qm::addMenuItem(ui_.mnuEDVEdit, "mnuEDVEditCut", tr("Cu&t"),
                                        QKeySequence(QStringLiteral("Ctrl+X")));
    ui_.mnuEDVEditCopy = qm::addMenuItem(ui_.mnuEDVEdit, "mnuEDVEditCopy", tr("&Copy"),
                                         QKeySequence(QStringLiteral("Ctrl+C")));
    ui_.mnuEDVEditPaste = qm::addMenuItem(ui_.mnuEDVEdit, "mnuEDVEditPaste", tr("&Paste"),
                                          QKeySequence(QStringLiteral("Ctrl+V")));
    ui_.mnuEDVHelp = qm::named(menuBar()->addMenu(tr("&Help")), "mnuEDVHelp");
    ui_.mnuEDVManual = qm::addMenuItem(ui_.mnuEDVHelp, "mnuEDVManual", tr("&User Manual"),
                                       QKeySequence(QStringLiteral("F1")));
    ui_.mnuEDVAbout = qm::addMenuItem(ui_.mnuEDVHelp, "mnuEDVAbout", tr("&About Quillmark"));
    qm::attachCommonEditMenu(ui_.mnuEDVEdit, ui_.mnuEDVEditCut, ui_.mnuEDVEditCopy,
                             ui_.mnuEDVEditPaste, state_.platform);
}

void frmEdDelViewContact::connectCommands() {
    // Only the user's choice finds: rebuilding the list changes its current entry too.
    connect(ui_.cboFindContact, &QComboBox::activated, this, &frmEdDelViewContact::findChosen);
    connect(ui_.cmdFirst, &QPushButton::clicked, this, &frmEdDelViewContact::firstCommand);
    connect(ui_.cmdPrevious, &QPushButton::clicked, this, &frmEdDelViewContact::previousCommand);
    connect(ui_.cmdNext, &QPushButton::clicked, this, &frmEdDelViewContact::nextCommand);
    connect(ui_.cmdLast, &QPushButton::clicked, this, &frmEdDelViewContact::lastCommand);
    connect(ui_.cmdSave, &QPushButton::clicked, this, &frmEdDelViewContact::saveCommand);
    connect(ui_.cmdDelete, &QPushButton::clicked, this, &frmEdDelViewContact::deleteCommand);
    connect(ui_.cmdPrintLabel, &QPushButton::clicked, this,
            &frmEdDelViewContact::printLabelCommand);
    connect(ui_.cmdCancel, &QPushButton::clicked, this, &frmEdDelViewContact::close);
    connect(ui_.form->field(qm::ContactField::Company), &QLineEdit::textChanged, this,
            &frmEdDelViewContact::companyChanged);
    connect(ui_.cmdStateAbb, &QPushButton::clicked, this, [this] {
        qm::openStateList(state_.platform, state_.appFolder);
        ui_.form->focusField(qm::ContactField::State);
    });
    connect(ui_.cmdZipFinder, &QPushButton::clicked, this,
            [this] { qm::openZipLookup(state_.platform); });
    connect(ui_.cmdPeopleFind, &QPushButton::clicked, this,
            [this] { qm::openPeopleSearch(state_.platform); });
    connect(ui_.mnuEDVPrint, &QAction::triggered, this, &frmEdDelViewContact::printDetailsCommand);
    connect(ui_.mnuEDVPreview, &QAction::triggered, this,
            &frmEdDelViewContact::previewDetailsCommand);
    connect(ui_.mnuEDVManual, &QAction::triggered, this,
            [this] { qm::openUserManual(state_.platform, state_.appFolder); });
    connect(ui_.mnuEDVAbout, &QAction::triggered, this, [this] { showAboutWindow(state_, this); });
}

// ---- Load, find list, display ----

bool frmEdDelViewContact::load() {
    setWindowTitle(qm::captionWithFileTitle(state_, tr("Contact Information")));
    try {
        refreshFindList();
    } catch (const qm::QmError& e) {
        if (qm::showCommonError(state_.platform, this, e) == qm::MsgAnswer::Cancel) {
            close();
            return false;
        }
    }
    ui_.cboFindContact->setFocus();
    ui_.lblACCompOnLabel->hide();
    ui_.chkCompanyInclude->hide();
    const qm::ContactFields shown = ui_.form->read();
    if (shown.firstName.empty() && shown.lastName.empty() && shown.email.empty()) {
        setEditingEnabled(false);
    }
    return true;
}

void frmEdDelViewContact::focusFindList() {
    ui_.cboFindContact->setFocus();
}

void frmEdDelViewContact::refreshFindList() {
    const auto entries = qm::buildFindList(state_.contacts());
    ui_.cboFindContact->clear();
    for (const qm::FindEntry& entry : entries) {
        ui_.cboFindContact->addItem(qm::fromCore(entry.text), entry.record);
    }
    ui_.cboFindContact->setCurrentIndex(-1);
}

void frmEdDelViewContact::displayContact(const qm::ContactRecord& record) {
    showFields(qm::fieldsFromRecord(record));
    shown_ = fieldsInWindow();
}

void frmEdDelViewContact::showFields(const qm::ContactFields& fields) {
    ui_.form->write(fields);
    // The stored flag wins over the company-name rule, which ran when the name was set.
    ui_.chkCompanyInclude->setChecked(fields.includeCompany);
    const bool hasCompany = !fields.company.empty();
    ui_.lblACCompOnLabel->setVisible(hasCompany);
    ui_.chkCompanyInclude->setVisible(hasCompany);
}

// ---- Unsaved changes ----

bool frmEdDelViewContact::hasUnsavedChanges() const {
    return shown_.has_value() && editing_ && fieldsInWindow() != *shown_;
}

bool frmEdDelViewContact::settleUnsavedChanges() {
    if (!hasUnsavedChanges()) {
        return true;
    }
    const qm::MsgAnswer answer = state_.platform.messageBox(
        this, tr("Unsaved changes"),
        tr("The changes to this contact have not been saved.\nDo you want to save them?"),
        qm::MsgButtons::SaveDiscardCancel, qm::MsgIcon::Question);
    switch (answer) {
        case qm::MsgAnswer::Save:
            return saveCommand();
        case qm::MsgAnswer::Discard:
            showFields(*shown_);
            return true;
        default:
            return false;
    }
}

void frmEdDelViewContact::companyChanged(const QString& text) {
    ui_.lblACCompOnLabel->show();
    ui_.chkCompanyInclude->show();
    ui_.chkCompanyInclude->setChecked(!text.isEmpty());
}

void frmEdDelViewContact::setEditingEnabled(bool on) {
    editing_ = on;
    ui_.form->setFieldsEnabled(on);
    for (QWidget* w :
         {static_cast<QWidget*>(ui_.chkCompanyInclude), static_cast<QWidget*>(ui_.cmdSave),
          static_cast<QWidget*>(ui_.cmdDelete), static_cast<QWidget*>(ui_.cmdPrintLabel)}) {
        w->setEnabled(on);
    }
}

void frmEdDelViewContact::presentRecord(const qm::ContactRecord& record) {
    displayContact(record);
    setEditingEnabled(true);
    try {
        refreshFindList();
    } catch (const qm::QmError& e) {
        reportError(e);
        return;
    }
    ui_.cboFindContact->setFocus();
}

void frmEdDelViewContact::findChosen(int index) {
    if (index < 0) {
        return;
    }
    if (!settleUnsavedChanges()) {
        // The list shows the contact that stays on show.
        ui_.cboFindContact->setCurrentIndex(ui_.cboFindContact->findData(state_.currentRecord));
        return;
    }
    try {
        const int record = ui_.cboFindContact->itemData(index).toInt();
        state_.currentRecord = record;
        displayContact(state_.contacts().read(record));
        setEditingEnabled(true);
    } catch (const qm::QmError& e) {
        reportError(e);
    }
}

// ---- Navigation ----

void frmEdDelViewContact::navigate(int target) {
    if (!settleUnsavedChanges()) {
        return;
    }
    displayContact(state_.contacts().read(target));
    refreshFindList();
    state_.currentRecord = target;
}

void frmEdDelViewContact::firstCommand() {
    try {
        // An empty file has no record 1; nothing to show and nothing to create.
        if (state_.contacts().count() >= 1) {
            navigate(1);
        }
    } catch (const qm::QmError& e) {
        reportError(e);
    }
}

void frmEdDelViewContact::lastCommand() {
    try {
        const int count = state_.contacts().count();
        if (count >= 1) {
            navigate(count);
        }
    } catch (const qm::QmError& e) {
        reportError(e);
    }
}

void frmEdDelViewContact::nextCommand() {
    try {
        const int target = state_.currentRecord + 1;
        if (state_.contacts().count() < target) {
            state_.platform.messageBox(this, tr("No more contacts"), tr("End of file."));
            return;
        }
        navigate(target);
    } catch (const qm::QmError& e) {
        reportError(e);
    }
}

void frmEdDelViewContact::previousCommand() {
    try {
        const int target = state_.currentRecord - 1;
        if (target < 1) {
            state_.platform.messageBox(this, tr("Start of file reached"), tr("Beginning of file."));
            return;
        }
        navigate(target);
    } catch (const qm::QmError& e) {
        reportError(e);
    }
}

// ---- Closing and errors ----

void frmEdDelViewContact::reportError(const qm::QmError& error) {
    if (qm::showCommonError(state_.platform, this, error) == qm::MsgAnswer::Cancel) {
        close();
    }
}

void frmEdDelViewContact::closeEvent(QCloseEvent* event) {
    if (!settleUnsavedChanges()) {
        event->ignore();
        return;
    }
    state_.currentRecord = 0;
    state_.contactBrowser = nullptr;
    QMainWindow::closeEvent(event);
    hide();
    state_.returnToMain();
}

// ---- Ways in ----

frmEdDelViewContact* loadedContactBrowser(qm::AppState& state) {
    return qobject_cast<frmEdDelViewContact*>(state.contactBrowser.data());
}

namespace {

// A loaded browser shown again as it was, or a fresh one with its load steps; nullptr when
// the load failed and was cancelled.
frmEdDelViewContact* showBrowser(qm::AppState& state) {
    if (frmEdDelViewContact* loaded = loadedContactBrowser(state)) {
        state.showInsteadOfMain(loaded);
        return loaded;
    }
    auto* browser = new frmEdDelViewContact(state);
    state.contactBrowser = browser;
    state.showInsteadOfMain(browser);
    return browser->load() ? browser : nullptr;
}

}  // namespace

frmEdDelViewContact* openContactBrowser(qm::AppState& state, bool focusFind) {
    frmEdDelViewContact* browser = showBrowser(state);
    if (browser != nullptr && focusFind) {
        browser->focusFindList();
    }
    return browser;
}

frmEdDelViewContact* openContactBrowserOnRecord(qm::AppState& state, int record) {
    const qm::ContactRecord contact = state.contacts().read(record);
    state.currentRecord = record;
    frmEdDelViewContact* browser = showBrowser(state);
    if (browser == nullptr) {
        return nullptr;
    }
    browser->presentRecord(contact);
    return browser;
}

// ---- Save ----

bool frmEdDelViewContact::saveCommand() {
    const std::optional<qm::ContactRecord> record =
        ui_.form->recordToSave(state_.platform, this, qm::kEditContactChecks,
                               ui_.chkCompanyInclude->isChecked(), state_.remindersOn());
    if (!record) {
        return false;
    }
    try {
        if (!qm::flagIsSet(record->includeCompany)) {
            ui_.chkCompanyInclude->setChecked(false);
        }
        state_.contacts().write(state_.currentRecord, *record);
        state_.contactsSaved();
    } catch (const qm::QmError& e) {
        reportError(e);
        return false;
    }
    shown_ = fieldsInWindow();
    state_.platform.messageBox(this, tr("Changes saved"), tr("S A V E D"));
    return true;
}

// ---- Delete ----

void frmEdDelViewContact::deleteCommand() {
    try {
        const int record = state_.currentRecord;
        // Reading first makes a missing record fail before the question is asked.
        state_.contacts().read(record);
        // No is the default: Enter must not delete a contact.
        const qm::MsgAnswer answer = state_.platform.messageBox(
            this, tr("Confirm deletion."),
            tr("WARNING!  This will delete entire contact from your file.\n"
               "Do you REALLY want to delete this contact?"),
            qm::MsgButtons::YesNo, qm::MsgIcon::None, qm::MsgDefault::Second);
        if (answer != qm::MsgAnswer::Yes) {
            state_.platform.messageBox(this, tr("Deletion not performed."),
                                       tr("Nothing deleted..."));
            ui_.cmdCancel->setFocus();
            return;
        }
        state_.contacts().deleteRecord(record);
    } catch (const qm::QmError& e) {
        reportError(e);
        return;
    }
    // Only now that the file is compacted is the contact really gone.
    state_.platform.messageBox(this, tr("Contact deleted."), tr("Contact deleted!"));
    if (ui_.cboFindContact->currentIndex() >= 0) {
        ui_.cboFindContact->removeItem(ui_.cboFindContact->currentIndex());
    }
    ui_.form->clear();
    shown_.reset();
    ui_.cmdCancel->setFocus();
    close();
}

// ---- Printouts ----

qm::ContactFields frmEdDelViewContact::fieldsInWindow() const {
    qm::ContactFields fields = ui_.form->read();
    fields.includeCompany = ui_.chkCompanyInclude->isChecked();
    return fields;
}

bool frmEdDelViewContact::isContactField(const QWidget* widget) const {
    return std::ranges::any_of(qm::kAllContactFields, [this, widget](qm::ContactField f) {
        return ui_.form->field(f) == widget;
    });
}

void frmEdDelViewContact::printLabelCommand() {
    const qm::LabelLines lines = qm::contactLabelLines(fieldsInWindow());
    qm::TypedLines typed;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        typed.at(i) = qm::fromCore(lines[i]);
    }
    // Hidden, not closed: opening the browser again brings back this contact.
    hide();
    state_.returnToMain();
    state_.handLabelLines(typed);
}

void frmEdDelViewContact::printDetailsCommand() {
    runDetailsCommand(false);
}

void frmEdDelViewContact::previewDetailsCommand() {
    runDetailsCommand(true);
}

void frmEdDelViewContact::runDetailsCommand(bool preview) {
    // The field with the focus and its selection, taken before the dialog takes the focus.
    const auto* focused = qobject_cast<QLineEdit*>(focusWidget());
    std::optional<std::string> selected;
    if (focused != nullptr && isContactField(focused)) {
        selected = qm::toCore(focused->selectedText());
    }
    const std::string date =
        qm::toCore(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat));
    qm::runPrintPlan(state_, this, qm::contactDetailsPlan(fieldsInWindow(), date, selected),
                     preview);
}

void returnToContactBrowser(qm::AppState& state) {
    if (frmEdDelViewContact* browser = loadedContactBrowser(state)) {
        browser->show();
        browser->activateWindow();
        try {
            browser->refreshFindList();
        } catch (const qm::QmError& e) {
            // The browser is on show either way; its find list stays as it was.
            qm::showCommonError(state.platform, browser, e);
        }
    }
}

bool settleContactBrowserChanges(qm::AppState& state) {
    frmEdDelViewContact* browser = loadedContactBrowser(state);
    return browser == nullptr || browser->settleUnsavedChanges();
}
