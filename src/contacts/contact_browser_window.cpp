#include "contacts/contact_browser_window.h"
#include "platform/widget_names.h"

#include <QCloseEvent>
#include <QDate>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLocale>
#include <QMenuBar>
#include <QVBoxLayout>

#include "app/print_runner.h"
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

    cboFindContact = qm::named(new QComboBox, "cboFindContact");
    // A text part the user may type into without finding anything: a read-only list would
    // jump to the first entry matching a typed letter and show that contact.
    cboFindContact->setEditable(true);
    cboFindContact->setInsertPolicy(QComboBox::NoInsert);
    cboFindContact->setCompleter(nullptr);
    cboFindContact->setPlaceholderText(tr("Select Contact"));
    cboFindContact->lineEdit()->setPlaceholderText(tr("Select Contact"));
    cboFindContact->setMinimumWidth(260);
    form = new qm::ContactForm;

    chkCompanyInclude = qm::named(new QCheckBox, "chkCompanyInclude");
    chkCompanyInclude->setToolTip(
        tr("If checked, Company Name will be included when printing address"));
    lblACCompOnLabel =
        qm::named(new QLabel(tr("Include Company Name in Address")), "lblACCompOnLabel");
    cmdStateAbb = button("cmdStateAbb", tr("?"), tr("Look up State abbreviations"));
    cmdZipFinder = button("cmdZipFinder", tr("Zip Code Finder"), tr("Look up Zip Code"));
    cmdPeopleFind = button("cmdPeopleFind", tr("People Finder"));
    form->placeBeside(qm::ContactField::Street, {cmdPeopleFind});
    form->placeBeside(qm::ContactField::State, {cmdStateAbb});
    form->placeBeside(qm::ContactField::Zip, {cmdZipFinder});
    // The box and its caption side by side, over the look-up buttons' column and the next,
    // so the caption neither widens the buttons nor drifts away from its box.
    auto* companyOnLabel = new QWidget;
    auto* companyRow = new QHBoxLayout(companyOnLabel);
    companyRow->setContentsMargins(0, 0, 0, 0);
    companyRow->addWidget(chkCompanyInclude);
    companyRow->addWidget(lblACCompOnLabel);
    companyRow->addStretch();
    lblACCompOnLabel->setBuddy(chkCompanyInclude);
    auto* grid = static_cast<QGridLayout*>(form->layout());
    grid->addWidget(companyOnLabel, static_cast<int>(qm::ContactField::Company), 2, 1, 2);

    cmdFirst = button("cmdFirst", tr("|<"), tr("Jump to first contact in file"));
    cmdPrevious = button("cmdPrevious", tr("<"), tr("Previous contact"));
    cmdNext = button("cmdNext", tr(">"), tr("Next contact"));
    cmdLast = button("cmdLast", tr(">|"), tr("Jump to last contact in file"));
    cmdSave = button("cmdSave", tr("Save changes"));
    cmdDelete = button("cmdDelete", tr("Delete contact"));
    cmdPrintLabel = button("cmdPrintLabel", tr("Print Label"));
    cmdCancel = button("cmdCancel", tr("Close"), tr("Return to main screen"));

    // Find list above the fields, the navigation row below them, the commands at the bottom.
    auto* navigation = new QHBoxLayout;
    navigation->addStretch();
    for (QPushButton* b : {cmdFirst, cmdPrevious, cmdNext, cmdLast}) {
        navigation->addWidget(b);
    }
    navigation->addStretch();
    auto* commands = new QHBoxLayout;
    for (QPushButton* b : {cmdSave, cmdDelete, cmdPrintLabel, cmdCancel}) {
        commands->addWidget(b);
    }
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(cboFindContact, 0, Qt::AlignLeft);
    layout->addWidget(form);
    layout->addStretch();
    layout->addLayout(navigation);
    layout->addLayout(commands);

    // Room for the longer values (street, e-mail, notes) at the default size.
    resize(sizeHint().expandedTo(QSize(760, 0)));

    QWidget::setTabOrder(cboFindContact, form->firstInTabOrder());
    QWidget::setTabOrder(form->lastInTabOrder(), chkCompanyInclude);
    QWidget* order[] = {chkCompanyInclude, cmdFirst,    cmdPrevious,  cmdNext,
                        cmdLast,           cmdSave,     cmdDelete,    cmdPrintLabel,
                        cmdCancel,         cmdStateAbb, cmdZipFinder, cmdPeopleFind};
    for (std::size_t i = 1; i < std::size(order); ++i) {
        QWidget::setTabOrder(order[i - 1], order[i]);
    }
}

void frmEdDelViewContact::buildMenus() {
    mnuEDVFile = qm::named(menuBar()->addMenu(tr("&File")), "mnuEDVFile");
    mnuEDVPrint = qm::addMenuItem(mnuEDVFile, "mnuEDVPrint", tr("&Print"));
    mnuEDVPreview = qm::addMenuItem(mnuEDVFile, "mnuEDVPreview", tr("Print Pre&view"),
                                    QKeySequence(QStringLiteral("Ctrl+Shift+P")));
    mnuEDVEdit = qm::named(menuBar()->addMenu(tr("&Edit")), "mnuEDVEdit");
    mnuEDVEditCut = qm::addMenuItem(mnuEDVEdit, "mnuEDVEditCut", tr("Cu&t"),
                                    QKeySequence(QStringLiteral("Ctrl+X")));
    mnuEDVEditCopy = qm::addMenuItem(mnuEDVEdit, "mnuEDVEditCopy", tr("&Copy"),
                                     QKeySequence(QStringLiteral("Ctrl+C")));
    mnuEDVEditPaste = qm::addMenuItem(mnuEDVEdit, "mnuEDVEditPaste", tr("&Paste"),
                                      QKeySequence(QStringLiteral("Ctrl+V")));
    mnuEDVHelp = qm::named(menuBar()->addMenu(tr("&Help")), "mnuEDVHelp");
    mnuEDVManual = qm::addMenuItem(mnuEDVHelp, "mnuEDVManual", tr("&User Manual"),
                                   QKeySequence(QStringLiteral("F1")));
    mnuEDVAbout = qm::addMenuItem(mnuEDVHelp, "mnuEDVAbout", tr("&About Quillmark"));
    qm::attachCommonEditMenu(mnuEDVEdit, mnuEDVEditCut, mnuEDVEditCopy, mnuEDVEditPaste,
                             state_.platform);
}

void frmEdDelViewContact::connectCommands() {
    // Only the user's choice finds: rebuilding the list changes its current entry too.
    connect(cboFindContact, &QComboBox::activated, this, &frmEdDelViewContact::findChosen);
    connect(cmdFirst, &QPushButton::clicked, this, &frmEdDelViewContact::firstCommand);
    connect(cmdPrevious, &QPushButton::clicked, this, &frmEdDelViewContact::previousCommand);
    connect(cmdNext, &QPushButton::clicked, this, &frmEdDelViewContact::nextCommand);
    connect(cmdLast, &QPushButton::clicked, this, &frmEdDelViewContact::lastCommand);
    connect(cmdSave, &QPushButton::clicked, this, &frmEdDelViewContact::saveCommand);
    connect(cmdDelete, &QPushButton::clicked, this, &frmEdDelViewContact::deleteCommand);
    connect(cmdPrintLabel, &QPushButton::clicked, this, &frmEdDelViewContact::printLabelCommand);
    connect(cmdCancel, &QPushButton::clicked, this, &frmEdDelViewContact::close);
    connect(form->txtACCompany, &QLineEdit::textChanged, this,
            &frmEdDelViewContact::companyChanged);
    connect(cmdStateAbb, &QPushButton::clicked, this, [this] {
        qm::openStateList(state_.platform, state_.appFolder);
        form->focusField(qm::ContactField::State);
    });
    connect(cmdZipFinder, &QPushButton::clicked, this,
            [this] { qm::openZipLookup(state_.platform); });
    connect(cmdPeopleFind, &QPushButton::clicked, this,
            [this] { qm::openPeopleSearch(state_.platform); });
    connect(mnuEDVPrint, &QAction::triggered, this, &frmEdDelViewContact::printDetailsCommand);
    connect(mnuEDVPreview, &QAction::triggered, this, &frmEdDelViewContact::previewDetailsCommand);
    connect(mnuEDVManual, &QAction::triggered, this,
            [this] { qm::openUserManual(state_.platform, state_.appFolder); });
    connect(mnuEDVAbout, &QAction::triggered, this, [this] { showAboutWindow(state_, this); });
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
    cboFindContact->setFocus();
    lblACCompOnLabel->hide();
    chkCompanyInclude->hide();
    if (form->txtACFName->text().isEmpty() && form->txtACLName->text().isEmpty() &&
        form->txtACEmail->text().isEmpty()) {
        setEditingEnabled(false);
    }
    return true;
}

void frmEdDelViewContact::refreshFindList() {
    const auto entries = qm::buildFindList(state_.contacts());
    cboFindContact->clear();
    for (const qm::FindEntry& entry : entries) {
        cboFindContact->addItem(qm::fromCore(entry.text), entry.record);
    }
    cboFindContact->setCurrentIndex(-1);
}

void frmEdDelViewContact::displayContact(const qm::ContactRecord& record) {
    showFields(qm::fieldsFromRecord(record));
    shown_ = fieldsInWindow();
}

void frmEdDelViewContact::showFields(const qm::ContactFields& fields) {
    form->write(fields);
    // The stored flag wins over the company-name rule, which ran when the name was set.
    chkCompanyInclude->setChecked(fields.includeCompany);
    const bool hasCompany = !fields.company.empty();
    lblACCompOnLabel->setVisible(hasCompany);
    chkCompanyInclude->setVisible(hasCompany);
}

// ---- Unsaved changes ----

bool frmEdDelViewContact::hasUnsavedChanges() const {
    return shown_.has_value() && cmdSave->isEnabled() && fieldsInWindow() != *shown_;
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
    lblACCompOnLabel->show();
    chkCompanyInclude->show();
    chkCompanyInclude->setChecked(!text.isEmpty());
}

void frmEdDelViewContact::setEditingEnabled(bool on) {
    form->setFieldsEnabled(on);
    for (QWidget* w : {static_cast<QWidget*>(chkCompanyInclude), static_cast<QWidget*>(cmdSave),
                       static_cast<QWidget*>(cmdDelete), static_cast<QWidget*>(cmdPrintLabel)}) {
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
    cboFindContact->setFocus();
}

void frmEdDelViewContact::findChosen(int index) {
    if (index < 0) {
        return;
    }
    if (!settleUnsavedChanges()) {
        // The list shows the contact that stays on show.
        cboFindContact->setCurrentIndex(cboFindContact->findData(state_.currentRecord));
        return;
    }
    try {
        const int record = cboFindContact->itemData(index).toInt();
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
        browser->cboFindContact->setFocus();
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
        form->recordToSave(state_.platform, this, qm::kEditContactChecks,
                           chkCompanyInclude->isChecked(), state_.remindersOn());
    if (!record) {
        return false;
    }
    try {
        if (!qm::flagIsSet(record->includeCompany)) {
            chkCompanyInclude->setChecked(false);
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
            cmdCancel->setFocus();
            return;
        }
        state_.contacts().deleteRecord(record);
    } catch (const qm::QmError& e) {
        reportError(e);
        return;
    }
    // Only now that the file is compacted is the contact really gone.
    state_.platform.messageBox(this, tr("Contact deleted."), tr("Contact deleted!"));
    if (cboFindContact->currentIndex() >= 0) {
        cboFindContact->removeItem(cboFindContact->currentIndex());
    }
    form->clear();
    shown_.reset();
    cmdCancel->setFocus();
    close();
}

// ---- Printouts ----

qm::ContactFields frmEdDelViewContact::fieldsInWindow() const {
    qm::ContactFields fields = form->read();
    fields.includeCompany = chkCompanyInclude->isChecked();
    return fields;
}

bool frmEdDelViewContact::isContactField(const QWidget* widget) const {
    return std::ranges::any_of(qm::kAllContactFields, [this, widget](qm::ContactField f) {
        return form->field(f) == widget;
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
