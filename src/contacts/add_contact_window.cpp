#include "contacts/add_contact_window.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QVBoxLayout>

#include "contacts/add_contact_open.h"
#include "platform/edit_menu.h"
#include "platform/enter_presses_button.h"
#include "platform/lookups.h"
#include "platform/messages.h"
#include "platform/qt_text.h"
#include "shell/about_open.h"

frmNewContact::frmNewContact(qm::AppState& state) : state_(state) {
    setObjectName(QStringLiteral("frmNewContact"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    buildMenus();
    connectCommands();
    qm::installEnterPressesButton(this);
    setWindowTitle(qm::captionWithFileTitle(state_, tr("Add Contact")));
    form->focusField(qm::ContactField::FirstName);
}

void frmNewContact::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    form = new qm::ContactForm(central);
    layout->addWidget(form);

    const auto button = [central](const char* name, const QString& caption,
                                  const QString& tip = QString()) {
        auto* b = new QPushButton(caption, central);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setAutoDefault(false);
        return b;
    };
    cmdStateAbb = button("cmdStateAbb", tr("?"), tr("Look up State abbreviations"));
    cmdPeopleFind = button("cmdPeopleFind", tr("People Finder"));
    cmdZipFinder = button("cmdZipFinder", tr("Zip Code Finder"));
    cmdSave = button("cmdSave", tr("Save"), tr("Saves contact to file"));
    cmdCancel = button("cmdCancel", tr("Close"), tr("Return to main screen"));

    chkIncComp = new QCheckBox(central);
    chkIncComp->setObjectName(QStringLiteral("chkIncComp"));
    chkIncComp->setToolTip(tr("If checked, Company Name will be included when printing address"));
    lblIncCompName = new QLabel(tr("Include Company Name in Address"), central);
    lblIncCompName->setObjectName(QStringLiteral("lblIncCompName"));
    chkIncComp->hide();
    lblIncCompName->hide();

    form->placeBeside(qm::ContactField::Street, {cmdPeopleFind});
    form->placeBeside(qm::ContactField::State, {cmdStateAbb});
    form->placeBeside(qm::ContactField::Zip, {cmdZipFinder});
    form->placeBeside(qm::ContactField::Company, {chkIncComp, lblIncCompName});

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdSave);
    buttons->addWidget(cmdCancel);
    layout->addLayout(buttons);
    setCentralWidget(central);

    // The seventeen fields first, then the rest.
    QWidget* previous = form->lastInTabOrder();
    for (QWidget* next : std::initializer_list<QWidget*>{
             chkIncComp, cmdSave, cmdCancel, cmdStateAbb, cmdPeopleFind, cmdZipFinder}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

void frmNewContact::buildMenus() {
    mnuNewEdit = menuBar()->addMenu(tr("&Edit"));
    mnuNewEdit->setObjectName(QStringLiteral("mnuNewEdit"));
    const auto item = [](QMenu* menu, const char* name, const QString& caption,
                         const QKeySequence& keys) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        return action;
    };
    mnuNewEditCut =
        item(mnuNewEdit, "mnuNewEditCut", tr("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X));
    mnuNewEditCopy =
        item(mnuNewEdit, "mnuNewEditCopy", tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    mnuNewEditPaste =
        item(mnuNewEdit, "mnuNewEditPaste", tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    qm::attachCommonEditMenu(mnuNewEdit, mnuNewEditCut, mnuNewEditCopy, mnuNewEditPaste,
                             state_.platform);

    mnuNewHelp = menuBar()->addMenu(tr("&Help"));
    mnuNewHelp->setObjectName(QStringLiteral("mnuNewHelp"));
    mnuNewManual = item(mnuNewHelp, "mnuNewManual", tr("&User Manual"), QKeySequence(Qt::Key_F1));
    mnuNewAbout = item(mnuNewHelp, "mnuNewAbout", tr("&About Quillmark"), QKeySequence());
}

void frmNewContact::connectCommands() {
    connect(cmdSave, &QPushButton::clicked, this, &frmNewContact::save);
    connect(cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(form->txtACCompany, &QLineEdit::textChanged, this, &frmNewContact::showIncludeCompany);
    connect(cmdStateAbb, &QPushButton::clicked, this, [this] {
        qm::openStateList(state_.platform, state_.appFolder);
        form->focusField(qm::ContactField::State);
    });
    connect(cmdPeopleFind, &QPushButton::clicked, this,
            [this] { qm::openPeopleSearch(state_.platform); });
    connect(cmdZipFinder, &QPushButton::clicked, this,
            [this] { qm::openZipLookup(state_.platform); });
    connect(mnuNewManual, &QAction::triggered, this,
            [this] { qm::openUserManual(state_.platform, state_.appFolder); });
    connect(mnuNewAbout, &QAction::triggered, this, [this] { showAboutWindow(state_, this); });
}

// Once shown, the box stays: clearing the company again does not hide it.
void frmNewContact::showIncludeCompany() {
    chkIncComp->show();
    lblIncCompName->show();
}

void frmNewContact::save() {
    const std::optional<qm::ContactRecord> record =
        form->recordToSave(state_.platform, this, qm::kAddContactChecks, chkIncComp->isChecked(),
                           state_.remindersOn());
    if (!record) {
        return;
    }
    try {
        appendRecord(*record);
    } catch (const qm::QmError& error) {
        if (qm::showCommonError(state_.platform, this, error) == qm::MsgAnswer::Cancel) {
            close();
        }
        return;
    }
    state_.platform.messageBox(this, tr("Contact saved to file"), tr("S A V E D"),
                               qm::MsgButtons::Ok, qm::MsgIcon::None);
    close();
}

void frmNewContact::appendRecord(const qm::ContactRecord& record) {
    if (!qm::flagIsSet(record.includeCompany)) {
        chkIncComp->setChecked(false);
    }
    state_.contacts().append(record);
    state_.contactsSaved();
}

void frmNewContact::closeEvent(QCloseEvent* event) {
    event->accept();
    state_.returnToMain();
}

void openAddContact(qm::AppState& state, const qm::ContactFields& fields) {
    auto* window = new frmNewContact(state);
    window->setFields(fields);
    state.showInsteadOfMain(window);
    window->form->focusField(qm::ContactField::FirstName);
}
