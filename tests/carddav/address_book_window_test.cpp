// The address book server in the windows, against radicale: the import window's button and
// the sync's Cancel.
#include <QApplication>
#include <QProgressDialog>
#include <QtTest>
#include <algorithm>
#include <functional>
#include <optional>

#include "carddav/address_book_window.h"
#include "carddav/radicale_server.h"
#include "desktop/main_window.h"
#include "exchange/import_window.h"
#include "support/controls_qt.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

using qm::test::control;

namespace {

template <typename T>
T* shownWindow() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* found = qobject_cast<T*>(w); found != nullptr && found->isVisible()) {
            return found;
        }
    }
    return nullptr;
}

// Fills the server dialog once it shows and starts the run; `during` runs next, while the
// server is read.
void answerServerDialog(const QString& url, const QString& password,
                        const std::function<void()>& during = {}) {
    QTimer::singleShot(0, [=] {
        dlgAddressBook* dialog = shownWindow<dlgAddressBook>();
        QVERIFY(dialog != nullptr);
        control<QLineEdit>(dialog, "txtServerUrl")->setText(url);
        control<QLineEdit>(dialog, "txtServerUser")->setText(QStringLiteral("alice"));
        control<QLineEdit>(dialog, "txtServerPassword")->setText(password);
        if (during) {
            QTimer::singleShot(0, during);
        }
        control<QPushButton>(dialog, "cmdServerStart")->click();
    });
}

struct Session {
    qm::test::TempFolder folder;
    std::string dat = folder.file("Family.DAT");
    qm::ScriptedPlatform platform;
    qm::AppState state{platform, QString::fromStdString(folder.path())};
    frmDEdavu main{state};

    Session() {
        state.openFile(QString::fromStdString(dat));
        main.show();
    }
};

}  // namespace

class AddressBookWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void theImportWindowImportsAnAddressBookAndKeepsNoPassword() {
        Session s;
        const QString book = qm::test::makeAddressBook(qm::test::kAlice, "window-import", "W");
        qm::test::putCard(qm::test::kAlice, book, "ann", qm::test::personCard("ann", "Ann", "Lee"));
        qm::test::putCard(qm::test::kAlice, book, "bob", qm::test::personCard("bob", "Bob", "Ray"));
        control<QAction>(s.main, "mnuImport")->trigger();
        auto* window = qobject_cast<frmLMImport*>(s.state.openWindows.back().data());
        QVERIFY(window != nullptr);

        answerServerDialog(book, QStringLiteral("secret"));
        control<QPushButton>(window, "cmdFromServer")->click();
        QCOMPARE(s.platform.messageTitles(), QStringList{QStringLiteral("Import completed")});
        QCOMPARE(s.platform.messageTexts(),
                 QStringList{QStringLiteral("D O N E !  2 contacts successfully imported.")});
        QCOMPARE(s.state.contacts().count(), 2);
        QStringList remembered;
        for (const auto& [key, value] : s.platform.settings) {
            remembered << value.toString();
        }
        QVERIFY(remembered.contains(book));
        QVERIFY(!remembered.join(' ').contains(QStringLiteral("secret")));
        delete window;
    }

    // The dialog's own Cancel, and a wrong password answered with Retry (the dialog comes back
    // with the address and user kept) or with Cancel; the address is remembered only after a
    // run that worked.
    void answersToTheServerDialogAndItsErrors() {
        const QString book = qm::test::makeAddressBook(qm::test::kAlice, "window-answers", "A");
        qm::test::putCard(qm::test::kAlice, book, "ann", qm::test::personCard("ann", "Ann", "Lee"));
        struct Case {
            const char* name;
            const char* password;  // nullptr: the dialog is cancelled
            std::optional<qm::MsgAnswer> toError;
            QStringList titles;
            int contacts;
        };
        const QStringList done{QStringLiteral("Sync completed")};
        const Case cases[] = {
            {"cancelled", nullptr, {}, {}, 0},
            {"right password", "secret", {}, done, 1},
            {"wrong, then Retry", "wrong", qm::MsgAnswer::Retry, QStringList{"Error"} + done, 1},
            {"wrong, then Cancel", "wrong", qm::MsgAnswer::Cancel, {"Error"}, 0},
        };
        for (const Case& c : cases) {
            Session s;
            if (c.password == nullptr) {
                QTimer::singleShot(0, [] {
                    control<QPushButton>(shownWindow<dlgAddressBook>(), "cmdServerCancel")->click();
                });
            } else {
                answerServerDialog(book, QString::fromLatin1(c.password));
            }
            if (c.toError) {
                s.platform.messageAnswers.push_back(*c.toError);
            }
            bool keptAnswers = false;
            s.platform.onMessage = [&](const qm::RecordedMessage& m) {
                if (m.title != QStringLiteral("Error") || c.toError != qm::MsgAnswer::Retry) {
                    return;
                }
                QTimer::singleShot(0, [&] {
                    dlgAddressBook* again = shownWindow<dlgAddressBook>();
                    QVERIFY(again != nullptr);
                    keptAnswers = control<QLineEdit>(again, "txtServerUrl")->text() == book &&
                                  control<QLineEdit>(again, "txtServerUser")->text() ==
                                      QStringLiteral("alice");
                    control<QLineEdit>(again, "txtServerPassword")
                        ->setText(QStringLiteral("secret"));
                    control<QPushButton>(again, "cmdServerStart")->click();
                });
            };
            control<QAction>(s.main, "mnuSyncServer")->trigger();
            QVERIFY2(s.platform.messageTitles() == c.titles, c.name);
            QVERIFY2(s.state.contacts().count() == c.contacts, c.name);
            QVERIFY2(keptAnswers == (c.toError == qm::MsgAnswer::Retry), c.name);
            if (!s.platform.messages.empty() && c.toError) {
                QVERIFY2(s.platform.messages[0].text.contains(QStringLiteral("35752")), c.name);
            }
            const bool remembered =
                std::any_of(s.platform.settings.begin(), s.platform.settings.end(),
                            [&](const auto& setting) { return setting.second == book; });
            QVERIFY2(remembered == (c.contacts > 0), c.name);
            QVERIFY2(QFile::exists(QString::fromStdString(s.dat + ".carddav")) == (c.contacts > 0),
                     c.name);
        }
    }

    // An address is never kept with user information: one saved with a password loses it as
    // the dialog opens; a typed one with a password is refused (the user name is kept, the
    // password must go into its own field); what is remembered has neither.
    void anAddressWithAPasswordIsRefusedAndNeverKept() {
        Session s;
        const QString book = qm::test::makeAddressBook(qm::test::kAlice, "window-userinfo", "U");
        qm::test::putCard(qm::test::kAlice, book, "ann", qm::test::personCard("ann", "Ann", "Lee"));
        const QString withPassword = QString(book).replace("://", "://alice:secret@");
        s.platform.settings.emplace_back(QStringLiteral("AddressBookUrl"), withPassword);
        const std::size_t seeded = s.platform.settings.size();
        QString shownFirst;
        QTimer::singleShot(0, [&] {
            dlgAddressBook* dialog = shownWindow<dlgAddressBook>();
            QVERIFY(dialog != nullptr);
            shownFirst = control<QLineEdit>(dialog, "txtServerUrl")->text();
            control<QLineEdit>(dialog, "txtServerUrl")->setText(withPassword);
            control<QLineEdit>(dialog, "txtServerUser")->clear();
            control<QPushButton>(dialog, "cmdServerStart")->click();
        });
        bool askedAgain = false;
        s.platform.onMessage = [&](const qm::RecordedMessage& m) {
            if (m.title != QStringLiteral("Address Book Server")) {
                return;
            }
            QTimer::singleShot(0, [&] {
                dlgAddressBook* again = shownWindow<dlgAddressBook>();
                QVERIFY(again != nullptr);
                askedAgain =
                    control<QLineEdit>(again, "txtServerUrl")->text() == book &&
                    control<QLineEdit>(again, "txtServerUser")->text() == QStringLiteral("alice") &&
                    control<QLineEdit>(again, "txtServerPassword")->text().isEmpty();
                control<QLineEdit>(again, "txtServerPassword")->setText(QStringLiteral("secret"));
                control<QPushButton>(again, "cmdServerStart")->click();
            });
        };
        control<QAction>(s.main, "mnuSyncServer")->trigger();
        QCOMPARE(shownFirst, book);
        QVERIFY(askedAgain);
        QCOMPARE(s.platform.messageTitles(), (QStringList{QStringLiteral("Address Book Server"),
                                                          QStringLiteral("Sync completed")}));
        QCOMPARE(s.state.contacts().count(), 1);
        for (std::size_t i = seeded; i < s.platform.settings.size(); ++i) {
            QVERIFY(!s.platform.settings[i].second.toString().contains(QStringLiteral("secret")));
        }
        QCOMPARE(s.platform.readSetting(QStringLiteral("AddressBookUrl")).toString(), book);
    }

    void cancelDuringTheReadLeavesTheFileAsItWas() {
        Session s;
        qm::ContactRecord ann;
        ann.firstName = "Ann";
        s.state.contacts().append(ann);
        const std::string before = qm::test::readBytes(s.dat);
        const QString book =
            qm::test::makeFilledAddressBook(qm::test::kAlice, "window-cancel", 300);

        bool cancelled = false;
        answerServerDialog(book, QStringLiteral("secret"), [&] {
            QProgressDialog* progress = nullptr;
            for (QWidget* w : QApplication::topLevelWidgets()) {
                progress = progress != nullptr ? progress : qobject_cast<QProgressDialog*>(w);
            }
            QVERIFY(progress != nullptr);
            // Nothing else answers while the server is read: no window may close the file.
            QCOMPARE(QApplication::activeModalWidget(), progress);
            progress->findChild<QPushButton*>()->click();
            cancelled = true;
        });
        control<QAction>(s.main, "mnuSyncServer")->trigger();
        QVERIFY(cancelled);
        QCOMPARE(qm::test::readBytes(s.dat), before);
        QVERIFY(!QFile::exists(QString::fromStdString(s.dat + ".carddav")));
        QVERIFY(s.platform.messages.empty());
    }
};

QTEST_MAIN(AddressBookWindowTest)
#include "address_book_window_test.moc"
