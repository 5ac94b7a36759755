#include "carddav/address_book_window.h"
#include "platform/widget_names.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>

#include "app/app_state.h"
#include "carddav/address_book_commands.h"
#include "carddav/address_book_open.h"
#include "exchange/import_into_file.h"
#include "platform/enter_presses_button.h"
#include "platform/messages.h"

namespace {

const QString kUrlSetting = QStringLiteral("AddressBookUrl");
const QString kUserSetting = QStringLiteral("AddressBookUser");

struct AddressBookTexts {
    Q_DECLARE_TR_FUNCTIONS(AddressBookTexts)
};

// A progress dialog for the read of the server; Cancel ends the read. The windows answer
// while the server is waited for, so it blocks all of them from the start: nothing may close
// or change the contact file the run will write.
class ReadProgressDialog {
  public:
    explicit ReadProgressDialog(QWidget* parent)
        : dialog_(AddressBookTexts::tr("Reading the address book..."),
                  AddressBookTexts::tr("Cancel"), 0, 0, parent) {
        dialog_.setObjectName(QStringLiteral("dlgServerProgress"));
        dialog_.setWindowTitle(AddressBookTexts::tr("Address Book Server"));
        dialog_.setWindowModality(Qt::ApplicationModal);
        dialog_.setMinimumDuration(0);
        dialog_.show();
        // Kept apart from wasCanceled(), which a progress dialog forgets when it resets.
        QObject::connect(&dialog_, &QProgressDialog::canceled, &dialog_,
                         [this] { cancelled_ = true; });
    }

    qm::carddav::ReadProgress progress() {
        return {
            [this](std::size_t done, std::size_t total) {
                dialog_.setLabelText(AddressBookTexts::tr("%1 of %2 cards").arg(done).arg(total));
                dialog_.setMaximum(static_cast<int>(total));
                dialog_.setValue(static_cast<int>(done));
            },
            [this] { return cancelled_ || dialog_.wasCanceled(); }};
    }

  private:
    QProgressDialog dialog_;
    bool cancelled_ = false;
};

std::string utf8(const QString& text) {
    return text.toUtf8().toStdString();
}

// An address is never kept or used with user information in it: a user name there goes to
// the user name field; an address holding a password is refused (false), with the password
// gone from the field, and the dialog asks again.
bool takeUserInfo(qm::AppState& state, dlgAddressBook& dialog) {
    const qm::carddav::TypedAddress typed = qm::carddav::partTypedAddress(utf8(dialog.url()));
    dialog.setUrl(QString::fromStdString(typed.url));
    if (dialog.user().isEmpty()) {
        dialog.setUser(QString::fromStdString(typed.user));
    }
    if (typed.heldPassword) {
        state.platform.messageBox(
            &dialog, AddressBookTexts::tr("Address Book Server"),
            AddressBookTexts::tr("The address held a password. Type the password into the "
                                 "Password field: it is used for the one run and never saved."),
            qm::MsgButtons::Ok, qm::MsgIcon::Exclamation);
    }
    return !typed.heldPassword;
}

// The user's answers as a connection: a typed password, else the one the environment or
// ~/.netrc holds.
qm::carddav::ServerConnection connectionFrom(const dlgAddressBook& dialog) {
    qm::carddav::ServerConnection connection =
        qm::carddav::connectionFor(utf8(dialog.url()), utf8(dialog.user()), false);
    if (!dialog.password().isEmpty()) {
        connection.password = utf8(dialog.password());
    }
    return connection;
}

// The message a finished run shows.
struct RunReport {
    const char* title = "";
    std::string text;
};

using ServerWork = std::function<RunReport(const qm::carddav::ServerConnection&,
                                           const qm::carddav::ReadProgress&)>;

// Asks for the server and runs `work` with it until it succeeds, the user cancels the dialog
// or the read, or answers the error with Cancel; Retry asks again with the answers kept.
void runWithServer(qm::AppState& state, QWidget* parent, const QString& action, const QString& url,
                   const ServerWork& work) {
    dlgAddressBook dialog(parent, action);
    // An address saved before addresses were kept without user information loses it now.
    const QString saved = state.platform.readSetting(kUrlSetting).toString();
    const QString savedClean =
        QString::fromStdString(qm::carddav::partTypedAddress(utf8(saved)).url);
    if (savedClean != saved) {
        state.platform.writeSetting(kUrlSetting, savedClean);
    }
    dialog.setUrl(url.isEmpty() ? savedClean : url);
    dialog.setUser(state.platform.readSetting(kUserSetting).toString());
    while (dialog.exec() == QDialog::Accepted) {
        if (!takeUserInfo(state, dialog)) {
            continue;
        }
        try {
            RunReport report;
            {
                // Gone before the report shows: an empty address book never fills its bar.
                ReadProgressDialog progress(parent);
                report = work(connectionFrom(dialog), progress.progress());
            }
            state.platform.writeSetting(kUrlSetting, dialog.url());
            state.platform.writeSetting(kUserSetting, dialog.user());
            state.platform.messageBox(parent, QString::fromLatin1(report.title),
                                      QString::fromLatin1(report.text), qm::MsgButtons::Ok,
                                      qm::MsgIcon::None);
            return;
        } catch (const qm::QmError& e) {
            if (e.number() == qm::err::kServerReadCancelled) {
                return;  // the user's own choice; nothing was written
            }
            if (qm::showCommonError(state.platform, parent, e) != qm::MsgAnswer::Retry) {
                return;
            }
        }
    }
}

}  // namespace

dlgAddressBook::dlgAddressBook(QWidget* parent, const QString& action) : QDialog(parent) {
    setObjectName(QStringLiteral("dlgAddressBook"));
    setWindowTitle(tr("Address Book Server"));
    buildControls(action);
    qm::installEnterPressesButton(this, ui_.cmdServerStart);
    connect(ui_.cmdServerStart, &QPushButton::clicked, this, &QDialog::accept);
    connect(ui_.cmdServerCancel, &QPushButton::clicked, this, &QDialog::reject);
    const auto needsAddress = [this] {
        ui_.cmdServerStart->setEnabled(!ui_.txtServerUrl->text().trimmed().isEmpty());
    };
    connect(ui_.txtServerUrl, &QLineEdit::textChanged, this, needsAddress);
    needsAddress();
}

void dlgAddressBook::buildControls(const QString& action) {
    auto* intro = qm::named(
        new QLabel(tr("The address of the address book, or of its server "
                      "(https://cloud.example.com/), and your user name there.\nLeave the "
                      "password empty to take it from QUILLMARK_CARDDAV_PASSWORD or ~/.netrc; "
                      "a password typed here is used for this run only and never saved.")),
        "lblServerIntro");
    intro->setWordWrap(true);
    ui_.txtServerUrl = qm::named(new QLineEdit, "txtServerUrl");
    ui_.txtServerUser = qm::named(new QLineEdit, "txtServerUser");
    ui_.txtServerPassword = qm::named(new QLineEdit, "txtServerPassword");
    ui_.txtServerPassword->setEchoMode(QLineEdit::Password);
    ui_.cmdServerStart = qm::named(new QPushButton(action), "cmdServerStart");
    ui_.cmdServerStart->setDefault(true);
    ui_.cmdServerCancel = qm::named(new QPushButton(tr("Cancel")), "cmdServerCancel");

    auto* fields = new QFormLayout;
    fields->addRow(tr("&Address:"), ui_.txtServerUrl);
    fields->addRow(tr("&User name:"), ui_.txtServerUser);
    fields->addRow(tr("&Password:"), ui_.txtServerPassword);
    auto* commands = new QHBoxLayout;
    commands->addStretch();
    commands->addWidget(ui_.cmdServerStart);
    commands->addWidget(ui_.cmdServerCancel);
    auto* page = new QVBoxLayout(this);
    page->addWidget(intro);
    page->addLayout(fields);
    page->addLayout(commands);
    resize(520, sizeHint().height());
}

QString dlgAddressBook::url() const {
    return ui_.txtServerUrl->text().trimmed();
}

QString dlgAddressBook::user() const {
    return ui_.txtServerUser->text().trimmed();
}

QString dlgAddressBook::password() const {
    return ui_.txtServerPassword->text();
}

void dlgAddressBook::setUrl(const QString& url) {
    ui_.txtServerUrl->setText(url);
}

void dlgAddressBook::setUser(const QString& user) {
    ui_.txtServerUser->setText(user);
}

namespace qm {

void importFromAddressBook(AppState& state, QWidget* parent) {
    try {
        // Without an open contact file nothing else is asked.
        state.contacts().count();
    } catch (const QmError& e) {
        showCommonError(state.platform, parent, e);
        return;
    }
    runWithServer(
        state, parent, AddressBookTexts::tr("&Import"), QString(),
        [&](const carddav::ServerConnection& connection, const carddav::ReadProgress& progress) {
            const ImportResult result = carddav::importAddressBook(state.contacts(), connection,
                                                                   state.remindersOn(), progress);
            if (!result.records.empty()) {
                state.contactsSaved();
            }
            return RunReport{kImportCompletedTitle, importCompletedText(result)};
        });
}

void keepInStepWithAddressBook(AppState& state, QWidget* parent) {
    QString known;
    try {
        state.contacts().count();
        known = QString::fromStdString(
            readSyncState(syncStatePath(state.contacts().path())).addressBookUrl);
    } catch (const QmError& e) {
        showCommonError(state.platform, parent, e);
        return;
    }
    runWithServer(
        state, parent, AddressBookTexts::tr("&Keep in step"), known,
        [&](const carddav::ServerConnection& connection, const carddav::ReadProgress& progress) {
            const SyncCounts counts = carddav::syncAddressBook(state.contacts(), connection,
                                                               state.remindersOn(), progress);
            if (counts.added + counts.updated > 0) {
                state.contactsSaved();
            }
            return RunReport{kSyncCompletedTitle, syncCompletedText(counts)};
        });
}

}  // namespace qm
