// The About window as the Help menus open it.
#include <QtTest>

#include "desktop/main_window.h"
#include "shell/about_window.h"
#include "support/controls_qt.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

using qm::test::control;

namespace {

QList<frmLMAbout*> aboutWindows() {
    QList<frmLMAbout*> found;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* about = qobject_cast<frmLMAbout*>(w); about != nullptr && about->isVisible()) {
            found << about;
        }
    }
    return found;
}

}  // namespace

class AboutWindowTest : public QObject {
    Q_OBJECT

    struct Fixture {
        qm::test::TempFolder folder;
        qm::ScriptedPlatform platform;
        qm::AppState state{platform, QString::fromStdString(folder.path())};
        frmDEdavu w{state};
        Fixture() { w.show(); }
        ~Fixture() {
            for (frmLMAbout* about : aboutWindows()) {
                delete about;
            }
        }
    };

  private Q_SLOTS:
    void showsTitleVersionAndTextsBesideTheMainWindow() {
        Fixture f;
        control<QAction>(f.w, "mnuAbout")->trigger();
        const QList<frmLMAbout*> shown = aboutWindows();
        QCOMPARE(shown.size(), 1);
        frmLMAbout* about = shown.first();
        QCOMPARE(about->objectName(), QStringLiteral("frmLMAbout"));
        QVERIFY(!about->isModal());
        QVERIFY(f.w.isVisible());
        QCOMPARE(about->windowTitle(), QStringLiteral("About Quillmark"));
        QCOMPARE(control<QLabel>(about, "lblTitle")->text(), QStringLiteral("Quillmark"));
        QCOMPARE(control<QLabel>(about, "lblVersion")->text(), QStringLiteral("Version 5.9.0"));
        QCOMPARE(control<QLabel>(about, "lblDescription")->text(),
                 QStringLiteral("Quillmark  is a software program for your home or small "
                                "business.  It allows you to type and print your label, or "
                                "retrieve label information from your contact file.  With its "
                                "comprehensive features, you can save time and money."));
        QVERIFY(control<QLabel>(about, "lblDisclaimer")
                    ->text()
                    .startsWith(QStringLiteral(
                        "Disclaimer:  This software is provided as a tool for individuals and "
                        "small business owners.")));
        QCOMPARE(control<QPushButton>(about, "cmdOK")->text(), QStringLiteral("OK"));
        QCOMPARE(control<QPushButton>(about, "cmdSysInfo")->text(),
                 QStringLiteral("&System Info..."));
        QVERIFY(!control<QLabel>(about, "picIcon")->pixmap().isNull());
    }

    void aSecondRequestBringsTheSameWindowForward() {
        Fixture f;
        control<QAction>(f.w, "mnuAbout")->trigger();
        control<QAction>(f.w, "mnuAbout")->trigger();
        QCOMPARE(aboutWindows().size(), 1);
    }

    void okClosesIt() {
        Fixture f;
        control<QAction>(f.w, "mnuAbout")->trigger();
        QTest::mouseClick(control<QPushButton>(aboutWindows().first(), "cmdOK"), Qt::LeftButton);
        QVERIFY(aboutWindows().isEmpty());
        QVERIFY(f.w.isVisible());
    }

    void systemInfoStartsTheProgramOrSaysItIsUnavailable() {
        Fixture f;
        control<QAction>(f.w, "mnuAbout")->trigger();
        frmLMAbout* about = aboutWindows().first();

        f.platform.systemInfoAvailable = true;
        QTest::mouseClick(control<QPushButton>(about, "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(f.platform.systemInfoStarts, 1);
        QVERIFY(f.platform.messages.empty());

        f.platform.systemInfoAvailable = false;
        QTest::mouseClick(control<QPushButton>(about, "cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(f.platform.systemInfoStarts, 2);
        QCOMPARE(f.platform.messageTexts(),
                 QStringList{QStringLiteral("System Information Is Unavailable At This Time")});
        QCOMPARE(f.platform.messages[0].buttons, qm::MsgButtons::Ok);
        QVERIFY(about->isVisible());
    }

    void exitClosesAnOpenAboutWindow() {
        Fixture f;
        control<QAction>(f.w, "mnuAbout")->trigger();
        f.w.close();
        QVERIFY(aboutWindows().isEmpty());
    }
};

QTEST_MAIN(AboutWindowTest)
#include "about_window_test.moc"
