// The application state on its own: no window is made; the signals are what windows follow.
#include <QSignalSpy>
#include <QtTest>

#include "app/app_state.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

using namespace qm;

class AppStateTest : public QObject {
    Q_OBJECT

    static void expectNothingOpen(AppState& state) {
        try {
            state.contacts().count();
            QFAIL("counted contacts with no file open");
        } catch (const QmError& e) {
            QCOMPARE(e.number(), err::kBadFileNameOrNumber);
        }
    }

    struct Fixture {
        test::TempFolder folder;
        ScriptedPlatform platform;
        AppState state{platform, QString::fromStdString(folder.path())};
        QString path(const char* name) const { return QString::fromStdString(folder.file(name)); }
    };

  private Q_SLOTS:
    void openFileNamesItAndTellsTheWindows_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("title");
        QTest::newRow("plain") << "Friends.DAT"
                               << "Friends";
        QTest::newRow("every upper-case .DAT goes") << "A.DATB.DAT"
                                                    << "AB";
        QTest::newRow("lower case stays") << "Club.dat"
                                          << "Club.dat";
    }
    void openFileNamesItAndTellsTheWindows() {
        QFETCH(QString, name);
        QFETCH(QString, title);
        Fixture f;
        QSignalSpy opened(&f.state, &AppState::fileOpened);
        QVERIFY(!f.state.hasFile());
        f.state.openFile(f.path(name.toLatin1().constData()));
        QCOMPARE(opened.count(), 1);
        QVERIFY(f.state.hasFile() && f.state.contacts().isOpen());
        QCOMPARE(f.state.filePath(), f.path(name.toLatin1().constData()));
        QCOMPARE(f.state.fileTitle(), title);
        QCOMPARE(captionWithFileTitle(f.state, QStringLiteral("Add Contact")),
                 QStringLiteral("Add Contact  [") + title + QLatin1Char(']'));
    }

    void aFileThatCannotOpenKeepsTheFormerNames() {
        Fixture f;
        f.state.openFile(f.path("Friends.DAT"));
        QSignalSpy opened(&f.state, &AppState::fileOpened);
        QVERIFY_THROWS_EXCEPTION(QmError, f.state.openFile(f.path("missing/Other.DAT")));
        QCOMPARE(opened.count(), 0);
        QCOMPARE(f.state.fileTitle(), QStringLiteral("Friends"));
        // The former file was let go first: no command works on it under the other's name.
        QVERIFY(!f.state.contacts().isOpen());
        expectNothingOpen(f.state);
    }

    void reopenFindsTheRecordsAndCloseLetsThemGo() {
        Fixture f;
        f.state.openFile(f.path("Friends.DAT"));
        ContactRecord ann;
        ann.firstName = "Ann";
        f.state.contacts().append(ann);
        f.state.reopenFile();
        QCOMPARE(f.state.contacts().count(), 1);
        QCOMPARE(f.state.contacts().read(1).firstName, std::string("Ann"));
        f.state.closeFile([](const QmError&) { QFAIL("close failed"); });
        expectNothingOpen(f.state);
    }

    void closeForgetsTheFileAndResetsReminders() {
        Fixture f;
        f.state.openFile(f.path("Friends.DAT"));
        f.state.setReminders(false);
        QSignalSpy closed(&f.state, &AppState::fileClosed);
        QSignalSpy reminders(&f.state, &AppState::remindersChanged);
        int failures = 0;
        f.state.closeFile([&failures](const QmError&) { ++failures; });
        QCOMPARE(failures, 0);
        QCOMPARE(closed.count(), 1);
        QCOMPARE(reminders.count(), 1);
        QVERIFY(!f.state.hasFile() && !f.state.contacts().isOpen());
        QVERIFY(f.state.fileTitle().isEmpty());
        QVERIFY(f.state.remindersOn() && !f.state.remindersSwitchable());
        QCOMPARE(captionWithFileTitle(f.state, QStringLiteral("All Contacts")),
                 QStringLiteral("All Contacts  []"));
    }

    // Saving contacts makes reminders switchable only while they are on and were not.
    void savedContactsMakeRemindersSwitchable() {
        Fixture f;
        QSignalSpy changed(&f.state, &AppState::remindersChanged);
        QVERIFY(f.state.remindersOn() && !f.state.remindersSwitchable());
        f.state.contactsSaved();
        QVERIFY(f.state.remindersOn() && f.state.remindersSwitchable());
        f.state.contactsSaved();
        QCOMPARE(changed.count(), 1);

        f.state.setReminders(false);
        f.state.contactsSaved();
        QVERIFY(!f.state.remindersOn() && f.state.remindersSwitchable());
        QCOMPARE(changed.count(), 2);
        f.state.resetReminders();
        QVERIFY(f.state.remindersOn() && !f.state.remindersSwitchable());
    }

    void linesAndOptionsSignalOnlyRealChanges() {
        Fixture f;
        QSignalSpy lines(&f.state, &AppState::typedLinesChanged);
        QSignalSpy options(&f.state, &AppState::printOptionsChanged);
        f.state.setTypedLine(2, QStringLiteral("Troy, NY"));
        f.state.setTypedLine(2, QStringLiteral("Troy, NY"));
        QCOMPARE(lines.count(), 1);
        QCOMPARE(f.state.typedLines()[2], QStringLiteral("Troy, NY"));

        PrintOptions o = f.state.printOptions();
        f.state.setPrintOptions(o);
        QCOMPARE(options.count(), 0);
        o.leftPad = 35;
        f.state.setPrintOptions(o);
        QCOMPARE(options.count(), 1);
    }

    // A contact's label lines replace the typed ones and switch bold off.
    void handedLabelLinesSwitchBoldOff() {
        Fixture f;
        PrintOptions o = f.state.printOptions();
        o.bold = true;
        f.state.setPrintOptions(o);
        QSignalSpy handed(&f.state, &AppState::labelLinesHanded);
        f.state.handLabelLines({QStringLiteral("Ann Lee"), QStringLiteral("12 Oak St")});
        QCOMPARE(handed.count(), 1);
        QVERIFY(!f.state.printOptions().bold);
        QCOMPARE(f.state.typedLines()[1], QStringLiteral("12 Oak St"));
        QVERIFY(f.state.typedLines()[4].isEmpty());
    }
};

QTEST_GUILESS_MAIN(AppStateTest)
#include "app_state_qt_test.moc"
