// The address book server in the windows, against radicale: the import window's button and
// the sync's Cancel.
#include <QApplication>
#include <QProgressDialog>
#include <QtTest>
#include <functional>

#include "carddav/address_book_window.h"
#include "carddav/radicale_server.h"
#include "desktop/main_window.h"
#include "exchange/import_window.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

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
        dialog->txtServerUrl->setText(url);
        dialog->txtServerUser->setText(QStringLiteral("alice"));
        dialog->txtServerPassword->setText(password);
        if (during) {
            QTimer::singleShot(0, during);
        }
        dialog->cmdServerStart->click();
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
        s.main.mnuImport->trigger();
        auto* window = qobject_cast<frmLMImport*>(s.state.openWindows.back().data());
        QVERIFY(window != nullptr);

        answerServerDialog(book, QStringLiteral("secret"));
        window->cmdFromServer->click();
        QCOMPARE(s.platform.messageTitles(), QStringList{QStringLiteral("Import completed")});
        QCOMPARE(s.platform.messageTexts(),
                 QStringList{QStringLiteral("D O N E !  2 contacts successfully imported.")});
        QCOMPARE(s.state.contacts.count(), 2);
        QStringList remembered;
        for (const auto& [key, value] : s.platform.settings) {
            remembered << value.toString();
        }
        QVERIFY(remembered.contains(book));
        QVERIFY(!remembered.join(' ').contains(QStringLiteral("secret")));
        delete window;
    }

    void cancelDuringTheReadLeavesTheFileAsItWas() {
        Session s;
        qm::ContactRecord ann;
        ann.firstName = "Ann";
        s.state.contacts.append(ann);
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
            progress->findChild<QPushButton*>()->click();
            cancelled = true;
        });
        s.main.mnuSyncServer->trigger();
        QVERIFY(cancelled);
        QCOMPARE(qm::test::readBytes(s.dat), before);
        QVERIFY(!QFile::exists(QString::fromStdString(s.dat + ".carddav")));
        QVERIFY(s.platform.messages.empty());
    }
};

QTEST_MAIN(AddressBookWindowTest)
#include "address_book_window_test.moc"
