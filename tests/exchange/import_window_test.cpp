#include <QApplication>
#include <QPointer>
#include <QtTest>

#include "desktop/main_window.h"
#include "exchange/import_window.h"
#include "support/controls_qt.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

using qm::test::control;

using qm::MsgAnswer;
using qm::MsgButtons;
using qm::MsgIcon;

namespace {

const char* const kHeader =
    "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Company,Include Company in "
    "Address,Home Phone,Cell Phone,Work Phone,Email,Birthdate,Category,Notes\r\n";

std::string person(const std::string& first, const std::string& last, const std::string& email) {
    return first + ",," + last + ",,,,,,,,0,,,," + email + ",04-10-1980,,\r\n";
}

// The main window with a contact file open, and the import window opened from it.
struct Session {
    qm::test::TempFolder folder;
    qm::ScriptedPlatform platform;
    qm::AppState state{platform, QString::fromStdString(folder.path())};
    frmDEdavu main{state};
    QPointer<frmLMImport> window;

    explicit Session(bool remindersOn = true) {
        state.openFile(QString::fromStdString(folder.file("Family.DAT")));
        state.setReminders(remindersOn);
        main.show();
        control<QAction>(main, "mnuImport")->trigger();
        window = qobject_cast<frmLMImport*>(state.openWindows.back().data());
    }
    ~Session() { delete window.data(); }

    QString writeCsv(const std::string& name, const std::string& bytes) {
        qm::test::writeBytes(folder.file(name), bytes);
        return QString::fromStdString(folder.file(name));
    }

    void choose(const QString& path) {
        platform.fileAnswers.push_back(path);
        control<QPushButton>(window, "cmdCsvOpen")->click();
    }

    // The preview's row as shown: the texts of the columns not hidden.
    QStringList shownRow(int row) const {
        QStringList texts;
        const QTreeWidgetItem* item =
            control<QTreeWidget>(window, "lstImpPreview")->topLevelItem(row);
        for (int c = 0; c < control<QTreeWidget>(window, "lstImpPreview")->columnCount(); ++c) {
            if (!control<QTreeWidget>(window, "lstImpPreview")->isColumnHidden(c)) {
                texts << item->text(c);
            }
        }
        return texts;
    }

    void importFile(const std::string& bytes) {
        choose(writeCsv("people.csv", bytes));
        control<QPushButton>(window, "cmdStartImport")->click();
    }
};

}  // namespace

class ImportWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void opensInPlaceOfTheMainWindow() {
        Session s;
        QVERIFY(s.window);
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Import Contacts  [Family]"));
        QVERIFY(s.window->isVisible());
        QVERIFY(!s.main.isVisible());
        QVERIFY(!control<QLineEdit>(s.window, "txtImpFilename")->isVisible());
        QVERIFY(!control<QLineEdit>(s.window, "txtImpData")->isVisible());
        QVERIFY(!control<QPushButton>(s.window, "cmdStartImport")->isEnabled());
    }

    void choosingAFileShowsItsTitleAndEnablesImport() {
        Session s;
        control<QPushButton>(s.window, "cmdCsvOpen")->click();  // cancelled, nothing chosen before
        QVERIFY(!control<QPushButton>(s.window, "cmdStartImport")->isEnabled());
        QVERIFY(!control<QLineEdit>(s.window, "txtImpFilename")->isVisible());
        QCOMPARE(s.platform.fileDialogTitles, QStringList{QStringLiteral("Open")});

        s.choose(s.writeCsv("people.csv", kHeader));
        QVERIFY(control<QLineEdit>(s.window, "txtImpFilename")->isVisible());
        QCOMPARE(control<QLineEdit>(s.window, "txtImpFilename")->text(),
                 QStringLiteral("people.csv"));
        QVERIFY(control<QPushButton>(s.window, "cmdStartImport")->isEnabled());
        QVERIFY(s.platform.messages.empty());

        // A file that cannot be read: the common error, Retry leaves the window.
        control<QPushButton>(s.window, "cmdStartImport")->setEnabled(false);
        s.choose(QString::fromStdString(s.folder.file("missing.csv")));
        QCOMPARE(s.platform.messages.size(), std::size_t(1));
        QCOMPARE(s.platform.messages[0].buttons, MsgButtons::RetryCancel);
        QVERIFY(s.platform.messages[0].text.startsWith(
            QStringLiteral("An error has occurred. Error number 2 -- ")));
        QVERIFY(s.platform.messages[0].text.endsWith(
            QStringLiteral(".  Try again, or notify author.")));
        QVERIFY(s.window->isVisible());
        QVERIFY(!control<QPushButton>(s.window, "cmdStartImport")->isEnabled());
    }

    void choosingACsvFileShowsItsFormatAndFirstContacts() {
        Session s;
        std::string csv =
            "First Name,Middle Name,Last Name,E-mail 1 - Value,Address 1 - City\r\n"
            "\xC5\x81ukasz,,\xC5\xBB\xC3\xB3\xC5\x82\xC4\x87,lz@x.pl,\xC5\x81\xC3\xB3"
            "d\xC5\xBA\r\n";
        for (const char* name : {"Bo", "Cy", "Di", "Ed", "Flo"}) {
            csv += std::string(name) + ",,Ray," + name + "@x.com,\r\n";
        }
        s.choose(s.writeCsv("google.csv", csv));
        QVERIFY(control<QLabel>(s.window, "lblImpFormat")
                    ->text()
                    .contains(QStringLiteral("CSV file (named columns)")));
        QVERIFY(control<QTreeWidget>(s.window, "lstImpPreview")->isVisible());
        QCOMPARE(control<QTreeWidget>(s.window, "lstImpPreview")->topLevelItemCount(), 5);
        QCOMPARE(s.shownRow(0),
                 (QStringList{QStringLiteral("Lukasz"), QString::fromUtf8("Z\u00F3lc"),
                              QString::fromUtf8("L\u00F3dz"), QStringLiteral("lz@x.pl")}));
        QVERIFY(s.platform.messages.empty());
        // The preview writes nothing; Import then adds all six.
        QCOMPARE(s.state.contacts().count(), 0);
        control<QPushButton>(s.window, "cmdStartImport")->click();
        QCOMPARE(s.state.contacts().count(), 6);
    }

    void choosingAVCardFileShowsItsFormatAndContacts() {
        Session s;
        s.choose(s.writeCsv("people.vcf",
                            "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Lee;Ann;;;\r\nFN:Ann Lee\r\n"
                            "ADR;TYPE=HOME:;;12 Oak St;Salem;OR;97301;\r\n"
                            "EMAIL;TYPE=INTERNET:ann@x.com\r\nEND:VCARD\r\n"));
        QVERIFY(control<QLabel>(s.window, "lblImpFormat")
                    ->text()
                    .contains(QStringLiteral("vCard file (version 3.0)")));
        QCOMPARE(control<QTreeWidget>(s.window, "lstImpPreview")->topLevelItemCount(), 1);
        QCOMPARE(s.shownRow(0),
                 (QStringList{"Ann", "Lee", "12 Oak St", "Salem", "OR", "97301", "ann@x.com"}));
        // A file that cannot be read replaces the preview with none.
        s.choose(QString::fromStdString(s.folder.file("missing.vcf")));
        QVERIFY(!control<QLabel>(s.window, "lblImpFormat")->isVisible() &&
                !control<QTreeWidget>(s.window, "lstImpPreview")->isVisible());
    }

    void importAppendsContactsAndReportsTheCount() {
        Session s(false);
        s.importFile(std::string(kHeader) + person("Ann", "Lee", "ann@x.com") +
                     person("Bob", "Ray", "bob@x.com") + person("", "", ""));
        QCOMPARE(s.platform.messageTexts(),
                 QStringList{QStringLiteral("D O N E !  2 contacts successfully imported.\n"
                                            "Skipped: 1 line without a name or e-mail address.")});
        QCOMPARE(s.platform.messages[0].title, QStringLiteral("Import completed"));
        QCOMPARE(s.platform.messages[0].icon, MsgIcon::None);
        QCOMPARE(s.state.contacts().count(), 2);
        const qm::ContactRecord bob = s.state.contacts().read(2);
        QCOMPARE(bob.firstName, std::string("Bob"));
        QCOMPARE(bob.birthdate, std::string("19800410"));
        QCOMPARE(bob.reminder, std::string("0"));
        QVERIFY(!control<QPushButton>(s.window, "cmdStartImport")->isEnabled());
        QCOMPARE(s.window->focusWidget(), control<QPushButton>(s.window, "cmdImpCancel"));
        QCOMPARE(s.platform.busyDepth, 0);

        // The same file again: every contact is on file already.
        s.platform.clearRecords();
        s.platform.fileAnswers.push_back(QString::fromStdString(s.folder.file("people.csv")));
        control<QPushButton>(s.window, "cmdCsvOpen")->click();
        control<QPushButton>(s.window, "cmdStartImport")->click();
        QCOMPARE(s.platform.messageTexts(),
                 QStringList{QStringLiteral("D O N E !  0 contacts successfully imported.\n"
                                            "Skipped: 2 contacts already on file and 1 line "
                                            "without a name or e-mail address.")});
        QCOMPARE(s.state.contacts().count(), 2);
    }

    void spreadsheetFileWithBlankLinesImportsEveryContact() {
        // Saved as UTF-8 with byte-order mark, quoted fields, a doubled line end at the close.
        Session s;
        s.importFile("\xEF\xBB\xBF" + std::string(kHeader) +
                     person("\"Jos\xC3\xA9\"", "\"Lee\"", "jose@x.com") + "\r\n" +
                     person("Bob", "Ray", "bob@x.com") + "\r\n");
        QCOMPARE(s.platform.messageTexts(),
                 QStringList{QStringLiteral("D O N E !  2 contacts successfully imported.")});
        QCOMPARE(s.state.contacts().count(), 2);
        QCOMPARE(s.state.contacts().read(1).firstName, std::string("Jos\xC3\xA9"));
    }

    void incompatibleFileIsReportedAndImportDisabled() {
        Session s;
        // No column holds a name or an e-mail address: said as the file is chosen, and again
        // by Import as always.
        s.choose(s.writeCsv("people.csv", "Title,Phone\r\nMr,555-1234\r\n"));
        QVERIFY(control<QLabel>(s.window, "lblImpFormat")->isVisible() &&
                !control<QTreeWidget>(s.window, "lstImpPreview")->isVisible());
        QVERIFY(control<QPushButton>(s.window, "cmdStartImport")->isEnabled() &&
                s.platform.messages.empty());
        control<QPushButton>(s.window, "cmdStartImport")->click();
        QCOMPARE(s.platform.messages.size(), std::size_t(1));
        QCOMPARE(s.platform.messages[0].title, QStringLiteral("No contacts imported"));
        QCOMPARE(s.platform.messages[0].text,
                 QStringLiteral("CSV file not compatible with import function."));
        QCOMPARE(s.platform.messages[0].icon, MsgIcon::Information);
        QVERIFY(!control<QPushButton>(s.window, "cmdStartImport")->isEnabled());
        QCOMPARE(s.state.contacts().count(), 0);
    }

    void fileOfNoLayoutIsReadByItsColumnNames() {
        // Such a file used to end without a word; a short line used to stop the import.
        Session s;
        s.importFile("Title,Email,Name\r\nMr,a@b.com,Ann Lee\r\nMs\r\n");
        QCOMPARE(s.platform.messageTexts(),
                 QStringList{QStringLiteral("D O N E !  1 contacts successfully imported.\n"
                                            "Skipped: 1 line without a name or e-mail address.")});
        QCOMPARE(s.state.contacts().read(1).lastName, std::string("Lee"));
        QCOMPARE(s.platform.busyDepth, 0);
    }

    void errorRetryLeavesTheWindow() {
        Session s;
        s.importFile("");
        QCOMPARE(s.platform.messageTexts(),
                 QStringList{QStringLiteral("An error has occurred. Error number 62 -- Input "
                                            "past end of file.  Try again, or notify author.")});
        QCOMPARE(s.state.contacts().count(), 0);
        QVERIFY(s.window->isVisible());
        QVERIFY(control<QPushButton>(s.window, "cmdStartImport")->isEnabled());
        QVERIFY(!s.main.isVisible());
        QCOMPARE(s.platform.busyDepth, 0);
    }

    void errorAnsweredWithCancelClosesTheWindow() {
        Session s;
        s.platform.messageAnswers.push_back(MsgAnswer::Cancel);
        s.importFile("");
        QCOMPARE(s.platform.messages.size(), std::size_t(1));
        QVERIFY(s.platform.messages[0].text.contains(QStringLiteral("Error number 62")));
        QVERIFY(s.main.isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!s.window);
    }

    void closeReturnsToTheMainWindow() {
        Session s;
        control<QPushButton>(s.window, "cmdImpCancel")->click();
        QVERIFY(s.main.isVisible());
        QCOMPARE(s.main.focusWidget(), control<QLineEdit>(s.main, "txtLMLine1"));
        QVERIFY(s.state.contacts().isOpen());
    }

    void exitEndsTheApplicationWithoutTheMainWindowsSteps() {
        Session s;
        control<QAction>(s.window, "mnuITFileExit")->trigger();
        QVERIFY(!s.state.contacts().isOpen());
        QVERIFY(!s.main.isVisible());
        // No window geometry written (the recent files were written as the file opened).
        QVERIFY(std::ranges::none_of(s.platform.settings, [](const auto& setting) {
            return setting.first.startsWith(QStringLiteral("Main"));
        }));
    }
};

QTEST_MAIN(ImportWindowTest)
#include "import_window_test.moc"
