// New, Open and Close of contact files and the reminder commands, on the main window.
#include <QDate>
#include <QtTest>

#include "desktop/main_window.h"
#include "records/contact_file.h"
#include "shell/app_folder.h"
#include "support/controls_qt.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

using qm::test::control;

using qm::MsgAnswer;
using qm::MsgButtons;
using qm::MsgIcon;
using qm::test::readBytes;
using qm::test::writeBytes;

namespace {

qm::ContactRecord contact(const std::string& first, const std::string& last,
                          const std::string& birthdate, const std::string& reminder) {
    qm::ContactRecord r;
    r.firstName = first;
    r.lastName = last;
    r.birthdate = birthdate;
    r.reminder = reminder;
    return r;
}

void writeContacts(const std::string& path, const std::vector<qm::ContactRecord>& records) {
    qm::ContactFile file;
    file.open(path);
    file.appendAll(records);
    file.close();
}

// A birthdate (stored form) that many days ahead; empty when that falls into next year,
// where no reminder is due.
std::string birthdateIn(int days) {
    const QDate today = QDate::currentDate();
    const QDate day = today.addDays(days);
    if (day.year() != today.year()) {
        return {};
    }
    return QStringLiteral("1980%1%2")
        .arg(day.month(), 2, 10, QLatin1Char('0'))
        .arg(day.day(), 2, 10, QLatin1Char('0'))
        .toStdString();
}

QString reminderText(const char* name, const std::string& birthdate) {
    const QString b = QString::fromStdString(birthdate);
    return QString::fromLatin1(name) + QStringLiteral(" has a birthday coming up on ") +
           b.mid(4, 2) + QLatin1Char('/') + b.mid(6, 2);
}

char flagOf(const std::string& bytes, int record) {
    return bytes.at(static_cast<std::size_t>(record - 1) * qm::kRecordSize + 510);
}

}  // namespace

class FileCommandsTest : public QObject {
    Q_OBJECT

    struct Fixture {
        qm::test::TempFolder folder;
        qm::ScriptedPlatform platform;
        qm::AppState state{platform, QString::fromStdString(folder.path())};
        frmDEdavu w{state};
        QString path(const char* name) const { return QString::fromStdString(folder.file(name)); }
        void choose(const QString& answer, QAction* command) {
            platform.fileAnswers.push_back(answer);
            command->trigger();
        }
        bool contactCommandsEnabled() const {
            bool all = control<QPushButton>(w, "cmdFindContact")->isEnabled() &&
                       control<QPushButton>(w, "cmdAddContact")->isEnabled();
            for (QAction* a : {control<QAction>(w, "mnuAdd"), control<QAction>(w, "mnuEdit"),
                               control<QAction>(w, "mnuDelete"), control<QAction>(w, "mnuFind"),
                               control<QAction>(w, "mnuViewOne"), control<QAction>(w, "mnuViewAll"),
                               control<QAction>(w, "mnuImport"), control<QAction>(w, "mnuExport"),
                               control<QAction>(w, "mnuSrchContacts")}) {
                all = all && a->isEnabled();
            }
            return all;
        }
    };

  private Q_SLOTS:
    void newOnANewNameMakesAnEmptyFileWithRemindersOn() {
        Fixture f;
        f.choose(f.path("Friends.DAT"), control<QAction>(f.w, "mnuFileNew"));
        QCOMPARE(f.platform.fileDialogTitles, QStringList{QStringLiteral("New")});
        QCOMPARE(f.platform.fileDialogFilters.value(0),
                 QStringLiteral("Data Files (*.DAT)|*.DAT|All files (*)|*"));
        QCOMPARE(f.platform.fileDialogFolders.value(0), f.state.appFolder);
        QVERIFY(QFile::exists(f.path("Friends.DAT")));
        QCOMPARE(QFileInfo(f.path("Friends.DAT")).size(), 0);
        QVERIFY(f.state.contacts().isOpen());
        QCOMPARE(f.state.filePath(), f.path("Friends.DAT"));
        QCOMPARE(f.state.fileTitle(), QStringLiteral("Friends"));
        QCOMPARE(f.w.windowTitle(), QStringLiteral("Quillmark  [Friends]"));
        QVERIFY(f.contactCommandsEnabled());
        QVERIFY(!control<QAction>(f.w, "mnuFileBdayOn")->isEnabled());
        QVERIFY(control<QAction>(f.w, "mnuFileBdayOff")->isEnabled());
        QVERIFY(f.platform.messages.empty());
    }

    void newOnAnExistingFileKeepsItsRecordsAndAnnouncesNothing() {
        Fixture f;
        const std::string soon = birthdateIn(2);
        writeContacts(f.folder.file("Club.DAT"),
                      {contact("Ann", "Lee", soon, "0"), contact("Bob", "Ray", soon, "1")});
        const std::string before = readBytes(f.folder.file("Club.DAT"));
        f.choose(f.path("Club.DAT"), control<QAction>(f.w, "mnuFileNew"));
        QCOMPARE(readBytes(f.folder.file("Club.DAT")), before);
        QCOMPARE(f.state.contacts().count(), 2);
        QVERIFY(f.state.remindersOn());
        QVERIFY(control<QAction>(f.w, "mnuFileBdayOff")->isEnabled());
        QVERIFY(f.platform.messages.empty());
    }

    void openOfAnEmptyFileDisablesBothReminderItems() {
        Fixture f;
        writeBytes(f.folder.file("Empty.DAT"), "");
        f.choose(f.path("Empty.DAT"), control<QAction>(f.w, "mnuFileOpen"));
        QCOMPARE(f.platform.fileDialogTitles, QStringList{QStringLiteral("Open")});
        QVERIFY(f.contactCommandsEnabled());
        QVERIFY(!control<QAction>(f.w, "mnuFileBdayOn")->isEnabled());
        QVERIFY(!control<QAction>(f.w, "mnuFileBdayOff")->isEnabled());
        QVERIFY(f.platform.messages.empty());
    }

    void openAnnouncesFlaggedBirthdaysInRecordOrder() {
        Fixture f;
        const std::string inThree = birthdateIn(3);
        const std::string tomorrow = birthdateIn(1);
        writeContacts(f.folder.file("Family.DAT"),
                      {contact("Zoe", "Park", inThree, "1"), contact("No", "Date", "", "1"),
                       contact("Off", "Flag", tomorrow, "0"), contact("Al", "Bee", tomorrow, "1"),
                       contact("Too", "Late", birthdateIn(16), "1")});
        f.choose(f.path("Family.DAT"), control<QAction>(f.w, "mnuFileOpen"));
        QVERIFY(control<QAction>(f.w, "mnuFileBdayOff")->isEnabled());
        QVERIFY(!control<QAction>(f.w, "mnuFileBdayOn")->isEnabled());
        QStringList expected;
        if (!inThree.empty()) {
            expected << reminderText("Zoe Park", inThree);
        }
        if (!tomorrow.empty()) {
            expected << reminderText("Al Bee", tomorrow);
        }
        QCOMPARE(f.platform.messageTexts(), expected);
        for (const auto& m : f.platform.messages) {
            QCOMPARE(m.title, QStringLiteral("Birthday reminder"));
            QCOMPARE(m.icon, MsgIcon::Information);
            QCOMPARE(m.buttons, MsgButtons::Ok);
        }
    }

    // More than five upcoming birthdays come in one window, soonest first, not a box each.
    void manyBirthdaysAreListedInOneWindow() {
        Fixture f;
        const std::string sooner = birthdateIn(2);
        const std::string later = birthdateIn(9);
        if (later.empty()) {
            QSKIP("Those days fall into next year.");
        }
        std::vector<qm::ContactRecord> records(49, contact("Later", "One", later, "1"));
        records.push_back(contact("Sooner", "Two", sooner, "1"));
        writeContacts(f.folder.file("Big.DAT"), records);
        f.choose(f.path("Big.DAT"), control<QAction>(f.w, "mnuFileOpen"));

        QVERIFY(f.platform.messages.empty());
        QCOMPARE(f.platform.lists.size(), std::size_t{1});
        const QStringList& lines = f.platform.lists[0].lines;
        QCOMPARE(lines.size(), 50);
        const QString age = QStringLiteral(" (turns %1)").arg(QDate::currentDate().year() - 1980);
        QCOMPARE(lines.first(), reminderText("Sooner Two", sooner) + age);
        QCOMPARE(lines.last(), reminderText("Later One", later) + age);
    }

    // New gives a bare name the ".DAT" ending; a name with an ending of its own keeps it.
    void newAddsTheDataEndingToABareName() {
        Fixture f;
        const std::pair<const char*, const char*> names[] = {{"Friends", "Friends.DAT"},
                                                             {"Club.", "Club.DAT"},
                                                             {"notes.txt", "notes.txt"},
                                                             {"Old.dat", "Old.dat"}};
        for (const auto& [typed, made] : names) {
            f.choose(f.path(typed), control<QAction>(f.w, "mnuFileNew"));
            QCOMPARE(f.state.filePath(), f.path(made));
            QVERIFY(QFile::exists(f.path(made)));
        }
        QVERIFY(!QFile::exists(f.path("Friends")));
    }

    void openWithTheFirstFlagOffOffersEnableAndStillAnnouncesFlaggedOnes() {
        Fixture f;
        const std::string soon = birthdateIn(5);
        writeContacts(f.folder.file("Mixed.DAT"),
                      {contact("Ann", "Lee", soon, "0"), contact("Bob", "Ray", soon, "1")});
        f.choose(f.path("Mixed.DAT"), control<QAction>(f.w, "mnuFileOpen"));
        QVERIFY(control<QAction>(f.w, "mnuFileBdayOn")->isEnabled());
        QVERIFY(!control<QAction>(f.w, "mnuFileBdayOff")->isEnabled());
        QCOMPARE(f.platform.messageTexts(),
                 soon.empty() ? QStringList{} : QStringList{reminderText("Bob Ray", soon)});
    }

    void captionRemovesEveryUpperCaseDatOnly_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("title");
        QTest::newRow("upper-case extension") << "Friends.DAT"
                                              << "Friends";
        QTest::newRow("lower-case extension") << "friends.dat"
                                              << "friends.dat";
        QTest::newRow("doubled extension") << "NAMES.DAT.DAT"
                                           << "NAMES";
        QTest::newRow("no extension") << "list"
                                      << "list";
    }
    void captionRemovesEveryUpperCaseDatOnly() {
        QFETCH(QString, file);
        QFETCH(QString, title);
        Fixture f;
        f.choose(f.path(file.toLatin1().constData()), control<QAction>(f.w, "mnuFileOpen"));
        QVERIFY(QFile::exists(f.path(file.toLatin1().constData())));
        QCOMPARE(f.state.fileTitle(), title);
        QCOMPARE(f.w.windowTitle(), QStringLiteral("Quillmark  [") + title + QLatin1Char(']'));
    }

    void cancelledDialogsKeepTheFormerFile() {
        Fixture f;
        f.choose(f.path("First.DAT"), control<QAction>(f.w, "mnuFileNew"));
        f.choose(QString(), control<QAction>(f.w, "mnuFileOpen"));
        f.choose(QString(), control<QAction>(f.w, "mnuFileNew"));
        QCOMPARE(f.platform.fileDialogTitles.size(), 3);
        QVERIFY(f.state.contacts().isOpen());
        QCOMPARE(QString::fromStdString(f.state.contacts().path()), f.path("First.DAT"));
        QCOMPARE(f.w.windowTitle(), QStringLiteral("Quillmark  [First]"));
        QVERIFY(f.contactCommandsEnabled());
        QVERIFY(control<QAction>(f.w, "mnuFileBdayOff")->isEnabled());

        f.choose(f.path("Second.DAT"), control<QAction>(f.w, "mnuFileOpen"));
        QCOMPARE(f.state.fileTitle(), QStringLiteral("Second"));
    }

    void closeReturnsToTheNoFileStateButKeepsImportAndExport() {
        Fixture f;
        f.choose(f.path("Friends.DAT"), control<QAction>(f.w, "mnuFileOpen"));
        control<QAction>(f.w, "mnuFileClose")->trigger();
        QVERIFY(!f.state.contacts().isOpen());
        QCOMPARE(f.w.windowTitle(), QStringLiteral("Quillmark"));
        QVERIFY(f.state.filePath().isEmpty());
        QVERIFY(f.state.fileTitle().isEmpty());
        for (QAction* a :
             {control<QAction>(f.w, "mnuAdd"), control<QAction>(f.w, "mnuEdit"),
              control<QAction>(f.w, "mnuDelete"), control<QAction>(f.w, "mnuFind"),
              control<QAction>(f.w, "mnuViewOne"), control<QAction>(f.w, "mnuViewAll"),
              control<QAction>(f.w, "mnuSrchContacts"), control<QAction>(f.w, "mnuFileBdayOn"),
              control<QAction>(f.w, "mnuFileBdayOff")}) {
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
        }
        QVERIFY(!control<QPushButton>(f.w, "cmdFindContact")->isEnabled());
        QVERIFY(!control<QPushButton>(f.w, "cmdAddContact")->isEnabled());
        QVERIFY(control<QAction>(f.w, "mnuImport")->isEnabled());
        QVERIFY(control<QAction>(f.w, "mnuExport")->isEnabled());
        control<QAction>(f.w, "mnuFileClose")->trigger();
        QVERIFY(f.platform.messages.empty());
    }

    void reminderCommandsRewriteEveryFlag() {
        Fixture f;
        const std::string soon = birthdateIn(4);
        writeContacts(f.folder.file("Club.DAT"),
                      {contact("Ann", "Lee", soon, "1"), contact("Bob", "Ray", "", "0"),
                       contact("Cy", "Day", soon, "1")});
        f.choose(f.path("Club.DAT"), control<QAction>(f.w, "mnuFileOpen"));
        f.platform.clearRecords();

        control<QAction>(f.w, "mnuFileBdayOff")->trigger();
        std::string bytes = readBytes(f.folder.file("Club.DAT"));
        QCOMPARE(bytes.size(), 3 * qm::kRecordSize);
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(flagOf(bytes, n), '0');
        }
        QCOMPARE(f.platform.messages.size(), 1U);
        QCOMPARE(f.platform.messages[0].title, QStringLiteral("Birthday reminders disabled"));
        QCOMPARE(f.platform.messages[0].text,
                 QStringLiteral("Birthday Reminders have been turned off."));
        QCOMPARE(f.platform.messages[0].icon, MsgIcon::Information);
        QVERIFY(control<QAction>(f.w, "mnuFileBdayOn")->isEnabled());
        QVERIFY(!control<QAction>(f.w, "mnuFileBdayOff")->isEnabled());

        // Off survives reopening: nothing announced, Enable offered.
        f.platform.clearRecords();
        f.choose(f.path("Club.DAT"), control<QAction>(f.w, "mnuFileOpen"));
        QVERIFY(f.platform.messages.empty());
        QVERIFY(control<QAction>(f.w, "mnuFileBdayOn")->isEnabled());

        control<QAction>(f.w, "mnuFileBdayOn")->trigger();
        bytes = readBytes(f.folder.file("Club.DAT"));
        for (int n = 1; n <= 3; ++n) {
            QCOMPARE(flagOf(bytes, n), '1');
        }
        QCOMPARE(f.platform.messageTitles(),
                 QStringList{QStringLiteral("Birthday reminders enabled")});
        QCOMPARE(f.platform.messageTexts(),
                 QStringList{QStringLiteral("Birthday Reminders have been turned on.")});
        QVERIFY(!control<QAction>(f.w, "mnuFileBdayOn")->isEnabled());
        QVERIFY(control<QAction>(f.w, "mnuFileBdayOff")->isEnabled());
    }

    void aFileThatCannotBeOpenedOffersRetryAndCancel() {
        Fixture f;
        f.choose(f.path("Good.DAT"), control<QAction>(f.w, "mnuFileOpen"));
        f.platform.messageAnswers.push_back(MsgAnswer::Retry);
        f.choose(f.path("missing-folder/Bad.DAT"), control<QAction>(f.w, "mnuFileOpen"));
        QCOMPARE(f.platform.messages.size(), 1U);
        QCOMPARE(f.platform.messages[0].title, QStringLiteral("Error"));
        QCOMPARE(f.platform.messages[0].buttons, MsgButtons::RetryCancel);
        QVERIFY(f.platform.messages[0].text.startsWith(
            QStringLiteral("An error has occurred. Error number ")));
        QVERIFY(f.platform.messages[0].text.endsWith(
            QStringLiteral(".  Try again, or notify author.")));
        // Retry leaves no file open, and the window shows none.
        QVERIFY(!f.state.contacts().isOpen());
        QCOMPARE(f.w.windowTitle(), QStringLiteral("Quillmark"));
        QVERIFY(!control<QAction>(f.w, "mnuAdd")->isEnabled());
        // The window's place is written at exit only (the recent files are written as they open).
        const auto placeWrites = [&f] {
            return std::ranges::count_if(f.platform.settings, [](const auto& setting) {
                return setting.first.startsWith(QStringLiteral("Main"));
            });
        };
        QCOMPARE(placeWrites(), 0);

        f.platform.messageAnswers.push_back(MsgAnswer::Cancel);
        f.choose(f.path("missing-folder/Bad.DAT"), control<QAction>(f.w, "mnuFileNew"));
        // Cancel ends the program through the exit steps, which write the window geometry.
        QCOMPARE(placeWrites(), 4);
    }
};

QTEST_MAIN(FileCommandsTest)
#include "file_commands_window_test.moc"
