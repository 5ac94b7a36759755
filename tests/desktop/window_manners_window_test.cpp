// How every window behaves at the keyboard and between windows: Alt keys on every menu,
// Enter on buttons, the main window's place and focus when another window closes, the recent
// files of the File menu, and files dropped on the main window.
#include <QMimeData>
#include <QSignalSpy>
#include <QtTest>
#include <functional>

#include "desktop/main_window.h"
#include "list/contact_list_window.h"
#include "records/contact_file.h"
#include "shell/app_folder.h"
#include "shell/recent_files_window.h"
#include "support/controls_qt.h"
#include "support/menu_captions_qt.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

using qm::test::control;

using namespace qm;

namespace {

struct Desk {
    test::TempFolder folder;
    ScriptedPlatform platform;
    AppState state{platform, QString::fromStdString(folder.path())};
    frmDEdavu main{state};

    Desk() {
        prepareAppFolder(folder.path());
        main.show();
        control<QLineEdit>(main, "txtLMLine1")->setFocus();
    }
    ~Desk() {
        for (const QPointer<QWidget>& w : state.openWindows) {
            delete w.data();
        }
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QString path(const char* name) const { return QString::fromStdString(folder.file(name)); }
    void openFile(const char* name, int records = 1) {
        ContactFile file;
        file.open(folder.file(name));
        file.appendAll(std::vector<ContactRecord>(static_cast<std::size_t>(records)));
        file.close();
        platform.fileAnswers.push_back(path(name));
        control<QAction>(main, "mnuFileOpen")->trigger();
    }
    // The File menu's recent files, newest first: as shown, and the paths they stand for.
    static QList<QAction*> recentItems(const frmDEdavu& window) {
        QList<QAction*> items;
        for (int i = 1; i <= qm::kRecentFileCount; ++i) {
            items << control<QAction>(window, QStringLiteral("mnuFileRecent%1").arg(i));
        }
        return items;
    }
    QStringList recentEntries() const {
        QStringList out;
        for (QAction* item : recentItems(main)) {
            if (item->isVisible()) {
                out << test::withoutAltKey(item->text());
            }
        }
        return out;
    }
    static QStringList recentPaths(const frmDEdavu& window) {
        QStringList out;
        for (QAction* item : recentItems(window)) {
            if (item->isVisible()) {
                out << item->toolTip();
            }
        }
        return out;
    }
    // Drags a file over the main window (or one of its controls) and drops it; false when the
    // window refuses it.
    bool drop(const QString& file, QWidget* onto = nullptr) {
        QWidget* target = onto != nullptr ? onto : &main;
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(file)});
        data.setText(QUrl::fromLocalFile(file).toString());  // as file managers send it too
        QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        enter.ignore();
        QApplication::sendEvent(target, &enter);
        QDropEvent dropped(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        if (enter.isAccepted()) {
            QApplication::sendEvent(target, &dropped);
            QCoreApplication::processEvents();
        }
        return enter.isAccepted();
    }
};

QWidget* shownWindow(const char* name) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && w->objectName() == QLatin1String(name)) {
            return w;
        }
    }
    return nullptr;
}

// Each menu title and each item that shows has an Alt key, none twice in one bar or menu.
void expectAltKeys(QMainWindow* window) {
    QStringList barKeys;
    QVERIFY(!window->menuBar()->actions().isEmpty());
    for (QAction* title : window->menuBar()->actions()) {
        QStringList keys{QKeySequence::mnemonic(title->text()).toString()};
        QVERIFY2(!keys[0].isEmpty() && !barKeys.contains(keys[0]), qPrintable(title->text()));
        barKeys << keys[0];
        for (QAction* item : title->menu()->actions()) {
            const QString key = QKeySequence::mnemonic(item->text()).toString();
            if (!item->isSeparator() && item->isVisible()) {
                QVERIFY2(!key.isEmpty() && !keys.contains(key), qPrintable(item->text()));
                keys << key;
            }
        }
    }
}

}  // namespace

class WindowMannersTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // Every window the main window leads to: its menus, Enter on one of its buttons, and the
    // main window back at its place with the focus on the first typed line.
    void everyWindowKeepsTheKeyboardMannersAndHandsBackTheMainWindow() {
        Desk d;
        d.openFile("Friends.DAT");  // a recent-file entry shows in the File menu
        expectAltKeys(&d.main);
        control<QLineEdit>(d.main, "txtLMLine1")->setText(QStringLiteral("Ann Lee"));
        control<QLineEdit>(d.main, "txtLMline3")->setText(QStringLiteral("Troy, NY 12180"));
        d.main.move(d.main.screen()->availableGeometry().topLeft() + QPoint(70, 50));
        d.main.resize(820, 470);
        const QRect place(d.main.pos(), d.main.size());

        const struct {
            const char* window;
            std::function<void()> open;
            const char* button;
        } windows[] = {
            {"frmEdDelViewContact",
             [&] { control<QPushButton>(d.main, "cmdFindContact")->click(); }, "cmdNext"},
            {"frmNewContact", [&] { control<QAction>(d.main, "mnuAdd")->trigger(); },
             "cmdZipFinder"},
            {"frmViewAll", [&] { control<QAction>(d.main, "mnuViewAll")->trigger(); },
             "cmdACGetReport"},
            {"frmLMImport", [&] { control<QAction>(d.main, "mnuImport")->trigger(); },
             "cmdCsvOpen"},
            {"frmLMExport", [&] { control<QAction>(d.main, "mnuExport")->trigger(); },
             "cmdExpCancel"},
            {"frmLMAbout", [&] { control<QAction>(d.main, "mnuAbout")->trigger(); }, "cmdSysInfo"},
        };
        for (const auto& w : windows) {
            w.open();
            QWidget* window = shownWindow(w.window);
            QVERIFY2(window != nullptr, w.window);
            if (auto* withMenus = qobject_cast<QMainWindow*>(window)) {
                expectAltKeys(withMenus);
            }
            window->activateWindow();
            QVERIFY2(QTest::qWaitForWindowActive(window), w.window);
            auto* button = control<QPushButton>(window, QLatin1String(w.button));
            button->setFocus();
            QSignalSpy clicked(button, &QPushButton::clicked);
            QTest::keyClick(button, Qt::Key_Return);
            QVERIFY2(clicked.count() == 1, w.window);

            window->close();
            QVERIFY2(d.main.isVisible() && QRect(d.main.pos(), d.main.size()) == place, w.window);
            // About opens beside the main window, which keeps its focus as it was.
            QVERIFY2(w.window == QByteArray("frmLMAbout") ||
                         d.main.focusWidget() == control<QLineEdit>(d.main, "txtLMLine1"),
                     w.window);
        }
    }

    // Enter presses Print right after the program put the focus there, and the list's "Get
    // report" when no button has the focus.
    void enterPressesTheFocusedOrTheDefaultButton() {
        Desk d;
        d.openFile("Friends.DAT");
        QVERIFY(QTest::qWaitForWindowActive(&d.main));
        control<QCheckBox>(d.main, "chkBold")->show();
        control<QCheckBox>(d.main, "chkBold")->click();
        QSignalSpy print(control<QPushButton>(d.main, "cmdLMStart"), &QPushButton::clicked);
        QTest::keyClick(d.main.focusWidget(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(print.count(), 1);

        control<QAction>(d.main, "mnuViewAll")->trigger();
        auto* list = static_cast<frmViewAll*>(shownWindow("frmViewAll"));
        list->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(list));
        control<QRadioButton>(list, "optLnameSort")->setFocus();
        QTest::keyClick(control<QRadioButton>(list, "optLnameSort"), Qt::Key_Return);
        QCOMPARE(control<QLabel>(list, "lblTotContacts")->text(),
                 QStringLiteral("Contacts Found = 1"));
        list->close();
    }

    void fileMenuListsTheFiveFilesOpenedLast() {
        Desk d;
        for (const char* name : {"F1.DAT", "F2.DAT", "F3.DAT", "F4.DAT", "F5.DAT", "F6.DAT"}) {
            d.openFile(name);
        }
        QCOMPARE(d.recentEntries(),
                 (QStringList{"1 F6.DAT", "2 F5.DAT", "3 F4.DAT", "4 F3.DAT", "5 F2.DAT"}));
        QCOMPARE(Desk::recentPaths(frmDEdavu(d.state)), Desk::recentPaths(d.main));

        // An entry runs the steps of Open and comes to the top.
        d.platform.clearRecords();
        Desk::recentItems(d.main)[3]->trigger();
        QCOMPARE(d.main.windowTitle(), QStringLiteral("Quillmark  [F3]"));
        QVERIFY(control<QAction>(d.main, "mnuFileBdayOn")
                    ->isEnabled());  // the file's reminders were read
        QVERIFY(d.platform.fileDialogTitles.isEmpty());
        QCOMPARE(d.recentEntries().first(), QStringLiteral("1 F3.DAT"));

        // A file that is gone is taken off the list with a message; the open file stays.
        QFile::remove(d.path("F5.DAT"));
        Desk::recentItems(d.main)[2]->trigger();
        QCOMPARE(d.platform.messageTitles(), QStringList{"Contact file not found"});
        QCOMPARE(d.recentEntries(), (QStringList{"1 F3.DAT", "2 F6.DAT", "3 F4.DAT", "4 F2.DAT"}));
        QCOMPARE(d.state.filePath(), d.path("F3.DAT"));
        QVERIFY(!QFile::exists(d.path("F5.DAT")));
    }

    void droppedFilesOpenOrGoToTheImport() {
        Desk d;
        for (const char* name : {"people.csv", "manual.pdf", "cards.VCF", "notes.txt"}) {
            QFile file(d.path(name));
            QVERIFY(file.open(QIODevice::WriteOnly));
        }
        // Nothing to import into yet, and a file of another kind is no contact file.
        QVERIFY(!d.drop(d.path("people.csv")));
        QVERIFY(!d.drop(d.path("manual.pdf")));

        ContactFile club;
        club.open(d.folder.file("Club.dat"));
        club.appendAll(std::vector<ContactRecord>(2));
        club.close();
        // Dropped on a typed line, the file opens as anywhere else; its address is not typed.
        QLineEdit* line = control<QLineEdit>(d.main, "txtLMLine1");
        QVERIFY(d.drop(d.path("Club.dat"), line));
        QCOMPARE(d.state.filePath(), d.path("Club.dat"));
        QCOMPARE(d.state.contacts().count(), 2);
        QVERIFY(line->text().isEmpty());

        QVERIFY(d.drop(d.path("people.csv")));
        QWidget* import = shownWindow("frmLMImport");
        QVERIFY(import != nullptr && !d.main.isVisible());
        QCOMPARE(control<QLineEdit>(import, "txtImpFilename")->text(),
                 QStringLiteral("people.csv"));
        QVERIFY(control<QPushButton>(import, "cmdStartImport")->isEnabled());
        import->close();

        // The ending's case does not matter; a text file is imported only when chosen in the
        // import's own dialog.
        QVERIFY(d.drop(d.path("cards.VCF")));
        import = shownWindow("frmLMImport");
        QVERIFY(import != nullptr);
        QCOMPARE(control<QLineEdit>(import, "txtImpFilename")->text(), QStringLiteral("cards.VCF"));
        import->close();
        QVERIFY(!d.drop(d.path("notes.txt")));
    }
};

QTEST_MAIN(WindowMannersTest)
#include "window_manners_window_test.moc"
