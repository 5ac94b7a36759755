// A contact file named at start (--open, a file manager's "Open with").
#include <QtTest>

#include "desktop/main_window.h"
#include "records/contact_file.h"
#include "shell/file_commands_window.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

class OpenAtStartTest : public QObject {
    Q_OBJECT

    struct Fixture {
        qm::test::TempFolder folder;
        qm::ScriptedPlatform platform;
        qm::AppState state{platform, QString::fromStdString(folder.path())};
        frmDEdavu w{state};
    };

  private Q_SLOTS:
    void opensAnExistingFileByItsFullPath() {
        Fixture f;
        qm::ContactFile file;
        file.open(f.folder.file("Friends.DAT"));
        qm::ContactRecord r;
        r.firstName = "Ann";
        r.reminder = "1";
        file.appendAll({r});
        file.close();
        // A relative name, as typed in a terminal started in the folder.
        const QString before = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(f.folder.path()));
        qm::openContactFileAt(f.state, &f.w, QStringLiteral("Friends.DAT"));
        QDir::setCurrent(before);
        QVERIFY(f.state.contacts.isOpen());
        QCOMPARE(f.state.contacts.count(), 1);
        QCOMPARE(f.state.filePath(), QString::fromStdString(f.folder.file("Friends.DAT")));
        QCOMPARE(f.w.windowTitle(), QStringLiteral("Quillmark  [Friends]"));
        QVERIFY(f.w.mnuFileBdayOff->isEnabled());
    }

    void aMissingFileIsAnErrorAndNoFileIsMade() {
        Fixture f;
        const std::string missing = f.folder.file("Typo.DAT");
        qm::openContactFileAt(f.state, &f.w, QString::fromStdString(missing));
        QCOMPARE(f.platform.messageTexts(),
                 QStringList{QStringLiteral("An error has occurred. Error number 53 -- File not "
                                            "found (") +
                             QString::fromStdString(missing) +
                             QStringLiteral(").  Try again, or notify author.")});
        QVERIFY(!QFile::exists(QString::fromStdString(missing)));
        QVERIFY(!f.state.contacts.isOpen());
        QCOMPARE(f.w.windowTitle(), QStringLiteral("Quillmark"));
    }
};

QTEST_MAIN(OpenAtStartTest)
#include "open_at_start_window_test.moc"
