#include <QApplication>
#include <QPointer>
#include <QtTest>

#include "desktop/main_window.h"
#include "exchange/export_window.h"
#include "support/controls_qt.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

using qm::test::control;

using qm::MsgAnswer;
using qm::MsgButtons;
using qm::MsgIcon;

namespace {

qm::ContactRecord contact(const std::string& first) {
    qm::ContactRecord r;
    r.firstName = first;
    r.lastName = "Lee";
    r.birthdate = "19800410";
    return r;
}

// The main window with a contact file open, and the export window opened from it.
struct Session {
    qm::test::TempFolder folder;
    qm::ScriptedPlatform platform;
    qm::AppState state{platform, QString::fromStdString(folder.path())};
    frmDEdavu main{state};
    QPointer<frmLMExport> window;

    explicit Session(const std::string& contactPath = {}) {
        const std::string path = contactPath.empty() ? folder.file("Family.DAT") : contactPath;
        state.openFile(QString::fromStdString(path));
        main.show();
        control<QAction>(main, "mnuExport")->trigger();
        window = qobject_cast<frmLMExport*>(state.openWindows.back().data());
    }
    ~Session() { delete window.data(); }

    std::string exported(const std::string& name) { return qm::test::readBytes(folder.file(name)); }
};

}  // namespace

class ExportWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void opensWithNoFormatChosen() {
        Session s;
        QVERIFY(s.window);
        QCOMPARE(s.window->windowTitle(), QStringLiteral("Export Contacts  [Family]"));
        QVERIFY(!s.main.isVisible());
        QVERIFY(!control<QRadioButton>(s.window, "optExpCGCSV")->isChecked());
        QVERIFY(!control<QRadioButton>(s.window, "optExpCGTXT")->isChecked());
        QVERIFY(!control<QRadioButton>(s.window, "optExpVCard")->isChecked());
        QVERIFY(!control<QPushButton>(s.window, "cmdExpCreate")->isEnabled());
    }

    void csvExportWritesTheFileAndNamesIt() {
        Session s;
        s.state.contacts().appendAll({contact("Ann"), contact("Bob")});
        control<QRadioButton>(s.window, "optExpCGCSV")->click();
        QVERIFY(control<QPushButton>(s.window, "cmdExpCreate")->isEnabled());
        control<QPushButton>(s.window, "cmdExpCreate")->click();
        QCOMPARE(s.platform.messages.size(), std::size_t(1));
        QCOMPARE(s.platform.messages[0].title, QStringLiteral("Export file created"));
        QCOMPARE(s.platform.messages[0].text,
                 QStringLiteral("D O N E !  A csv file of contacts has been created and stored "
                                "in your Quillmark folder.  This file is named QMKC_Family.csv"));
        QCOMPARE(s.platform.messages[0].icon, MsgIcon::None);
        const std::string csv = s.exported("QMKC_Family.csv");
        QVERIFY(csv.find("\r\nAnn,,Lee,,,,,,,,0,,,,,04-10-1980,,\r\nBob,") != std::string::npos);
        QCOMPARE(s.platform.busyDepth, 0);
        QCOMPARE(s.window->focusWidget(), control<QPushButton>(s.window, "cmdExpCancel"));
        QVERIFY(s.window->isVisible());  // stays open for the other format
    }

    void txtExportUsesItsOwnNameAndSeparator() {
        Session s;
        s.state.contacts().append(contact("Ann"));
        control<QRadioButton>(s.window, "optExpCGTXT")->click();
        control<QPushButton>(s.window, "cmdExpCreate")->click();
        QCOMPARE(s.platform.messageTexts(),
                 QStringList{QStringLiteral(
                     "D O N E !  A text file of contacts has been created and stored in your "
                     "Quillmark folder.  This file is named QMKT_Family.txt")});
        QVERIFY(s.exported("QMKT_Family.txt").find("Ann||Lee|") != std::string::npos);
    }

    void vcardExportWritesEveryContactInUtf8() {
        Session s;
        s.state.contacts().appendAll({contact("Zo\xC3\xAB"), contact("Bob")});
        control<QRadioButton>(s.window, "optExpVCard")->click();
        control<QPushButton>(s.window, "cmdExpCreate")->click();
        QVERIFY(
            s.platform.messageTexts().first().endsWith(QStringLiteral("named QMKV_Family.vcf")));
        const std::string cards = s.exported("QMKV_Family.vcf");
        QVERIFY(cards.starts_with("BEGIN:VCARD\r\nVERSION:3.0\r\n"));
        QVERIFY(cards.find("\r\nN:Lee;Zo\xC3\xAB;;;\r\n") != std::string::npos);
        QVERIFY(cards.find("\r\nN:Lee;Bob;;;\r\n") != std::string::npos);
    }

    void emptyContactFileSaysSoAndWritesTheHeader() {
        Session s;
        control<QRadioButton>(s.window, "optExpCGCSV")->click();
        control<QPushButton>(s.window, "cmdExpCreate")->click();
        QCOMPARE(s.platform.messages.size(), std::size_t(1));
        QCOMPARE(s.platform.messages[0].title, QStringLiteral("Export file not created"));
        QCOMPARE(
            s.platform.messages[0].text,
            QStringLiteral("Export file could not be created.  There were no contacts on file."));
        QCOMPARE(s.platform.messages[0].icon, MsgIcon::Information);
        QVERIFY(s.exported("QMKC_Family.csv").starts_with("First Name,MI,Last Name,"));
    }

    void errorOffersRetryAndCancel() {
        qm::test::TempFolder elsewhere;
        Session s(elsewhere.file("Family.DAT"));
        control<QRadioButton>(s.window, "optExpCGCSV")->click();
        control<QPushButton>(s.window, "cmdExpCreate")->click();  // Retry
        QCOMPARE(s.platform.messages.size(), std::size_t(1));
        QCOMPARE(s.platform.messages[0].title, QStringLiteral("Error"));
        QCOMPARE(s.platform.messages[0].buttons, MsgButtons::RetryCancel);
        QVERIFY(s.platform.messages[0].text.endsWith(
            QStringLiteral(".  Try again, or notify author.")));
        QVERIFY(s.window->isVisible());
        QCOMPARE(s.platform.busyDepth, 0);

        s.platform.messageAnswers.push_back(MsgAnswer::Cancel);
        control<QPushButton>(s.window, "cmdExpCreate")->click();
        QVERIFY(s.main.isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!s.window);
    }

    void closeReturnsToTheMainWindow() {
        Session s;
        control<QPushButton>(s.window, "cmdExpCancel")->click();
        QVERIFY(s.main.isVisible());
        QCOMPARE(s.main.focusWidget(), control<QLineEdit>(s.main, "txtLMLine1"));
    }

    void exitEndsTheApplicationWithoutTheMainWindowsSteps() {
        Session s;
        control<QAction>(s.window, "mnuETFileExit")->trigger();
        QVERIFY(!s.state.contacts().isOpen());
        QVERIFY(!s.main.isVisible());
        // No window geometry written (the recent files were written as the file opened).
        QVERIFY(std::ranges::none_of(s.platform.settings, [](const auto& setting) {
            return setting.first.startsWith(QStringLiteral("Main"));
        }));
    }
};

QTEST_MAIN(ExportWindowTest)
#include "export_window_test.moc"
