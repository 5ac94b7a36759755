// A file named at start (--open, a file manager's "Open with"): a contact file, or a CSV
// or vCard file to import.
#include <QtTest>

#include "desktop/main_window.h"
#include "exchange/import_window.h"
#include "records/contact_file.h"
#include "shell/file_commands_window.h"
#include "support/controls_qt.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

using qm::test::control;

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
        QVERIFY(f.state.contacts().isOpen());
        QCOMPARE(f.state.contacts().count(), 1);
        QCOMPARE(f.state.filePath(), QString::fromStdString(f.folder.file("Friends.DAT")));
        QCOMPARE(f.w.windowTitle(), QStringLiteral("Quillmark  [Friends]"));
        QVERIFY(control<QAction>(f.w, "mnuFileBdayOff")->isEnabled());
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
        QVERIFY(!f.state.contacts().isOpen());
        QCOMPARE(f.w.windowTitle(), QStringLiteral("Quillmark"));
    }

    void aFileToImportAsksForTheContactFileFirst() {
        Fixture f;
        f.w.show();
        const std::string csv = f.folder.file("people.VCF");  // any case of the ending
        qm::test::writeBytes(csv, "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nEND:VCARD\r\n");

        // Going back: no file opened, no dialog, no import.
        f.platform.messageAnswers.push_back(qm::MsgAnswer::No);
        f.w.openFileNamedAtStart(QString::fromStdString(csv));
        QVERIFY(f.platform.fileDialogTitles.isEmpty() && f.state.openWindows.empty());

        // Going on: Open's dialog, here naming a new file, then the import with the file chosen.
        f.platform.fileAnswers.push_back(QString::fromStdString(f.folder.file("Club.DAT")));
        f.w.openFileNamedAtStart(QString::fromStdString(csv));
        QCOMPARE(f.platform.fileDialogTitles, QStringList{QStringLiteral("Open")});
        QVERIFY(f.state.contacts().isOpen());
        auto* import = qobject_cast<frmLMImport*>(f.state.openWindows.back().data());
        QVERIFY(import != nullptr && import->isVisible() && !f.w.isVisible());
        QCOMPARE(control<QLineEdit>(import, "txtImpFilename")->text(),
                 QStringLiteral("people.VCF"));
        QCOMPARE(control<QTreeWidget>(import, "lstImpPreview")->topLevelItemCount(), 1);
        import->close();
    }
};

QTEST_MAIN(OpenAtStartTest)
#include "open_at_start_window_test.moc"
