#include "contacts/add_contact_window.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "contacts/add_contact_open.h"
#include "contacts/contact_form_window.h"
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
    ui_.form->focusField(qm::ContactField::FirstName);
}

void frmNewContact::buildControls() {
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    ui_.form = new qm::ContactForm(central);
    layout->addWidget(ui_.form);

    const auto button = [central](const char* name, const QString& caption,
                                  const QString& tip = QString()) {
        auto* b = new QPushButton(caption, central);
        b->setObjectName(QString::fromLatin1(name));
        b->setToolTip(tip);
        b->setAutoDefault(false);
        return b;
    };
    ui_.cmdStateAbb = button("cmdStateAbb", tr("?"), tr("Look up State abbreviations"));
    ui_.cmdPeopleFind = button("cmdPeopleFind", tr("People Finder"));
    ui_.cmdZipFinder = button("cmdZipFinder", tr("Zip Code Finder"));
    ui_.cmdSave = button("cmdSave", tr("Save"), tr("Saves contact to file"));
    ui_.cmdCancel = button("cmdCancel", tr("Close"), tr("Return to main screen"));

    ui_.chkIncComp = new QCheckBox(central);
    ui_.chkIncComp->setObjectName(QStringLiteral("chkIncComp"));
    ui_.chkIncComp->setToolTip(
        tr("If checked, Company Name will be included when printing address"));
    ui_.lblIncCompName = new QLabel(tr("Include Company Name in Address"), central);
    ui_.lblIncCompName->setObjectName(QStringLiteral("lblIncCompName"));
    ui_.chkIncComp->hide();
    ui_.lblIncCompName->hide();

    ui_.form->placeBeside(qm::ContactField::Street, {ui_.cmdPeopleFind});
    ui_.form->placeBeside(qm::ContactField::State, {ui_.cmdStateAbb});
    ui_.form->placeBeside(qm::ContactField::Zip, {ui_.cmdZipFinder});
    ui_.form->placeBeside(qm::ContactField::Company, {ui_.chkIncComp, ui_.lblIncCompName});

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ui_.cmdSave);
    buttons->addWidget(ui_.cmdCancel);
    layout->addLayout(buttons);
    setCentralWidget(central);

    // The seventeen fields first, then the rest.
    QWidget* previous = ui_.form->lastInTabOrder();
    for (QWidget* next :
         std::initializer_list<QWidget*>{ui_.chkIncComp, ui_.cmdSave, ui_.cmdCancel,
                                         ui_.cmdStateAbb, ui_.cmdPeopleFind, ui_.cmdZipFinder}) {
        QWidget::setTabOrder(previous, next);
        previous = next;
    }
}

void frmNewContact::buildMenus() {
    ui_.mnuNewEdit = menuBar()->addMenu(tr("&Edit"));
    ui_.mnuNewEdit->setObjectName(QStringLiteral("mnuNewEdit"));
    const auto item = [](QMenu* menu, const char* name, const QString& caption,
                         const QKeySequence& keys) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        return action;
    };
    ui_.mnuNewEditCut =
        item(ui_.mnuNewEdit, "mnuNewEditCut", tr("Cu&t"), QKeySequence(Qt::CTRL | Qt::Key_X));
    ui_.mnuNewEditCopy =
        item(ui_.mnuNewEdit, "mnuNewEditCopy", tr("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C));
    ui_.mnuNewEditPaste =
        item(ui_.mnuNewEdit, "mnuNewEditPaste", tr("&Paste"), QKeySequence(Qt::CTRL | Qt::Key_V));
    qm::attachCommonEditMenu(ui_.mnuNewEdit, ui_.mnuNewEditCut, ui_.mnuNewEditCopy,
                             ui_.mnuNewEditPaste, state_.platform);

    ui_.mnuNewHelp = menuBar()->addMenu(tr("&Help"));
    ui_.mnuNewHelp->setObjectName(QStringLiteral("mnuNewHelp"));
    ui_.mnuNewManual =
        item(ui_.mnuNewHelp, "mnuNewManual", tr("&User Manual"), QKeySequence(Qt::Key_F1));
    ui_.mnuNewAbout = item(ui_.mnuNewHelp, "mnuNewAbout", tr("&About Quillmark"), QKeySequence());
}

void frmNewContact::connectCommands() {
    connect(ui_.cmdSave, &QPushButton::clicked, this, &frmNewContact::save);
    connect(ui_.cmdCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(ui_.form->field(qm::ContactField::Company), &QLineEdit::textChanged, this,
            &frmNewContact::showIncludeCompany);
    connect(ui_.cmdStateAbb, &QPushButton::clicked, this, [this] {
        qm::openStateList(state_.platform, state_.appFolder);
        ui_.form->focusField(qm::ContactField::State);
    });
    connect(ui_.cmdPeopleFind, &QPushButton::clicked, this,
            [this] { qm::openPeopleSearch(state_.platform); });
    connect(ui_.cmdZipFinder, &QPushButton::clicked, this,
            [this] { qm::openZipLookup(state_.platform); });
    connect(ui_.mnuNewManual, &QAction::triggered, this,
            [this] { qm::openUserManual(state_.platform, state_.appFolder); });
    connect(ui_.mnuNewAbout, &QAction::triggered, this, [this] { showAboutWindow(state_, this); });
}

void frmNewContact::setFields(const qm::ContactFields& fields) {
    ui_.form->write(fields);
}

void frmNewContact::focusFirstField() {
    ui_.form->focusField(qm::ContactField::FirstName);
}

// Once shown, the box stays: clearing the company again does not hide it.
void frmNewContact::showIncludeCompany() {
    ui_.chkIncComp->show();
    ui_.lblIncCompName->show();
}

void frmNewContact::save() {
    const std::optional<qm::ContactRecord> record =
        ui_.form->recordToSave(state_.platform, this, qm::kAddContactChecks,
                               ui_.chkIncComp->isChecked(), state_.remindersOn());
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
        ui_.chkIncComp->setChecked(false);
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
    window->focusFirstField();
}
