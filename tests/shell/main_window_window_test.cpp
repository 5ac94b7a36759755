#include <QClipboard>
#include <QMenuBar>
#include <QSignalSpy>
#include <QtTest>

#include "desktop/main_window.h"
#include "support/controls_qt.h"
#include "support/menu_captions_qt.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

using qm::test::control;

using namespace qm;

class MainWindowTest : public QObject {
    Q_OBJECT

    struct Fixture {
        test::TempFolder folder;
        ScriptedPlatform platform;
        AppState state{platform, QString::fromStdString(folder.path())};
        frmDEdavu window{state};
    };

    static QStringList menuTexts(QMenu* menu) { return test::menuCaptions(menu); }

  private Q_SLOTS:
    void startsWithNoFileAndContactCommandsDisabled() {
        Fixture f;
        frmDEdavu& w = f.window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Quillmark"));
        QVERIFY(control<QRadioButton>(w, "optPortrait")->isChecked());
        QVERIFY(control<QRadioButton>(w, "optLMLeftjust")->isChecked());
        QVERIFY(!control<QRadioButton>(w, "optLMLabel")->isChecked());
        QVERIFY(!control<QRadioButton>(w, "optLMEnvelope")->isChecked());
        QCOMPARE(f.state.printOptions().leftPad, 2);
        QCOMPARE(f.state.printOptions().topPad, 3);
        QVERIFY(control<QComboBox>(w, "cboLMEnvelope")->isHidden());
        QCOMPARE(control<QComboBox>(w, "cboLMEnvelope")->count(), 11);  // seven, then DL to C4
        QCOMPARE(control<QComboBox>(w, "cboLMEnvelope")->itemText(1),
                 QStringLiteral("#6 3/4 Small envelope (3 5/8 in x 6 1/2 in)"));
        QCOMPARE(control<QComboBox>(w, "cboLMEnvelope")->placeholderText(),
                 QStringLiteral("Select Envelope Size"));
        QVERIFY(control<QCheckBox>(w, "chkBold")->isHidden() &&
                !control<QCheckBox>(w, "chkBold")->isChecked());
        QVERIFY(control<QCheckBox>(w, "chkLargeFont")->isHidden() &&
                !control<QCheckBox>(w, "chkLargeFont")->isChecked());
        QVERIFY(control<QPushButton>(w, "cmdRetAddress")->isHidden());
        QVERIFY(!f.state.hasFile() && f.state.filePath().isEmpty());
        QVERIFY(control<QLabel>(w, "lblLMInstruct")
                    ->text()
                    .startsWith(QStringLiteral(
                        "Quillmark prints labels (compatible with Avery 5160 and 8160 labels) "
                        "and envelopes.\nPower tip: click 'Search Contacts'")));
        for (QWidget* b : {static_cast<QWidget*>(control<QPushButton>(w, "cmdAddContact")),
                           static_cast<QWidget*>(control<QPushButton>(w, "cmdFindContact"))}) {
            QVERIFY(!b->isEnabled());
        }
        for (QAction* a : {control<QAction>(w, "mnuAdd"), control<QAction>(w, "mnuEdit"),
                           control<QAction>(w, "mnuFind"), control<QAction>(w, "mnuDelete"),
                           control<QAction>(w, "mnuSrchContacts"), control<QAction>(w, "mnuImport"),
                           control<QAction>(w, "mnuExport"), control<QAction>(w, "mnuViewOne"),
                           control<QAction>(w, "mnuViewAll"), control<QAction>(w, "mnuFileBdayOn"),
                           control<QAction>(w, "mnuFileBdayOff")}) {
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
        }
        QVERIFY(control<QAction>(w, "mnuFileNew")->isEnabled() &&
                control<QAction>(w, "mnuFilePrint")->isEnabled());
    }

    void menuBarIsInOrderWithShortcuts() {
        Fixture f;
        frmDEdavu& w = f.window;
        QStringList titles;
        for (QAction* a : w.menuBar()->actions()) {
            titles << a->text();
        }
        QCOMPARE(titles,
                 (QStringList{"&File", "&Edit", "&Contacts", "&View", "&Margins", "&Help"}));
        QCOMPARE(menuTexts(control<QMenu>(w, "mnuFile")),
                 (QStringList{"New", "Open", "Close", "Save As...", "-",
                              "Enable Birthday Reminders", "Disable Birthday Reminders", "-",
                              "Return Address Labels", "Return Address Labels Preview",
                              "State Abbreviations", "-", "Print", "Print Preview", "-", "Exit"}));
        QCOMPARE(menuTexts(control<QMenu>(w, "mnuContacts")),
                 (QStringList{"Add Contact", "Edit Contact", "Find Contact", "Delete Contact", "-",
                              "Search Contacts", "-", "Import Contacts", "Export Contacts",
                              "Keep in step with an address book..."}));
        QCOMPARE(menuTexts(control<QMenu>(w, "mnuView")),
                 (QStringList{"One Contact", "All Contacts"}));
        QCOMPARE(menuTexts(control<QMenu>(w, "mnuMargins")),
                 (QStringList{"On-The-Fly label", "Search-result labels", "Envelope", "-",
                              "Calibrate..."}));
        QCOMPARE(menuTexts(control<QMenu>(w, "mnuHelp")),
                 (QStringList{"User Manual", "About Quillmark"}));
        QCOMPARE(control<QAction>(w, "mnuFileOpen")->shortcut(), QKeySequence("Ctrl+O"));
        QCOMPARE(control<QAction>(w, "mnuFilePrint")->shortcut(), QKeySequence("Ctrl+P"));
        QCOMPARE(control<QAction>(w, "mnuLMEditCut")->shortcut(), QKeySequence("Ctrl+X"));
        QCOMPARE(control<QAction>(w, "mnuLMEditCopy")->shortcut(), QKeySequence("Ctrl+C"));
        QCOMPARE(control<QAction>(w, "mnuLMEditPaste")->shortcut(), QKeySequence("Ctrl+V"));
        QCOMPARE(control<QAction>(w, "mnuManual")->shortcut(), QKeySequence("F1"));
        // Controls are found by their names, line 3's with its small "l".
        QVERIFY(control<QLineEdit>(w, "txtLMline3") != nullptr);
        QVERIFY(control<QAction>(w, "mnuAdjustSR") != nullptr);
    }

    void editMenuFollowsTheFocusedFieldsSelection() {
        Fixture f;
        frmDEdavu& w = f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        control<QLineEdit>(w, "txtLMLine1")->setFocus();
        control<QLineEdit>(w, "txtLMLine1")->setText(QStringLiteral("John Q. Public"));
        control<QLineEdit>(w, "txtLMLine1")->deselect();
        Q_EMIT control<QMenu>(w, "mnuLMEdit")->aboutToShow();
        QVERIFY(!control<QAction>(w, "mnuLMEditCut")->isEnabled());
        QVERIFY(!control<QAction>(w, "mnuLMEditCopy")->isEnabled());
        QVERIFY(control<QAction>(w, "mnuLMEditPaste")->isEnabled());

        control<QLineEdit>(w, "txtLMLine1")->setSelection(0, 4);
        Q_EMIT control<QMenu>(w, "mnuLMEdit")->aboutToShow();
        QVERIFY(control<QAction>(w, "mnuLMEditCut")->isEnabled() &&
                control<QAction>(w, "mnuLMEditCopy")->isEnabled());
        control<QAction>(w, "mnuLMEditCopy")->trigger();
        QCOMPARE(f.platform.clipboard, QStringLiteral("John"));
        control<QAction>(w, "mnuLMEditCut")->trigger();
        QCOMPARE(control<QLineEdit>(w, "txtLMLine1")->text(), QStringLiteral(" Q. Public"));
        control<QLineEdit>(w, "txtLMLine1")->setCursorPosition(0);
        f.platform.clipboard = QStringLiteral("Jane");
        control<QAction>(w, "mnuLMEditPaste")->trigger();
        QCOMPARE(control<QLineEdit>(w, "txtLMLine1")->text(), QStringLiteral("Jane Q. Public"));
        // Cut with nothing selected removes nothing.
        control<QLineEdit>(w, "txtLMLine1")->deselect();
        control<QAction>(w, "mnuLMEditCut")->trigger();
        QCOMPARE(control<QLineEdit>(w, "txtLMLine1")->text(), QStringLiteral("Jane Q. Public"));
        QCOMPARE(f.platform.clipboard, QString());
    }

    // The line fields' own Ctrl+X/C/V would go straight to the system clipboard; the keys must
    // act as the menu commands do, through the program's clipboard.
    void editShortcutKeysActThroughTheMenuCommands() {
        Fixture f;
        frmDEdavu& w = f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QApplication::clipboard()->setText(QStringLiteral("system"));
        control<QLineEdit>(w, "txtLMLine2")->setFocus();
        control<QLineEdit>(w, "txtLMLine2")->setText(QStringLiteral("12 Elm Street"));
        control<QLineEdit>(w, "txtLMLine2")->setSelection(3, 3);

        QTest::keyClick(control<QLineEdit>(w, "txtLMLine2"), Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.platform.clipboard, QStringLiteral("Elm"));
        QTest::keyClick(control<QLineEdit>(w, "txtLMLine2"), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(control<QLineEdit>(w, "txtLMLine2")->text(), QStringLiteral("12  Street"));
        QCOMPARE(f.platform.clipboard, QStringLiteral("Elm"));
        f.platform.clipboard = QStringLiteral("Oak");
        QTest::keyClick(control<QLineEdit>(w, "txtLMLine2"), Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(control<QLineEdit>(w, "txtLMLine2")->text(), QStringLiteral("12 Oak Street"));

        // Without a selection the menu offers no Cut or Copy, and the keys do nothing either.
        control<QLineEdit>(w, "txtLMLine2")->deselect();
        QTest::keyClick(control<QLineEdit>(w, "txtLMLine2"), Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(control<QLineEdit>(w, "txtLMLine2"), Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(f.platform.clipboard, QStringLiteral("Oak"));
        QCOMPARE(control<QLineEdit>(w, "txtLMLine2")->text(), QStringLiteral("12 Oak Street"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("system"));

        // Keys the menu does not carry stay the field's own.
        control<QLineEdit>(w, "txtLMLine2")->selectAll();
        QTest::keyClick(control<QLineEdit>(w, "txtLMLine2"), Qt::Key_Backspace);
        QVERIFY(control<QLineEdit>(w, "txtLMLine2")->text().isEmpty());
    }

    // Alt+E gives the focus to the menu bar, and a line field drops its selection when it
    // loses the focus; the menu must still act on that field and its selection.
    void editMenuOpenedFromTheKeyboardActsOnTheField() {
        Fixture f;
        frmDEdavu& w = f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        control<QLineEdit>(w, "txtLMLine1")->setFocus();
        control<QLineEdit>(w, "txtLMLine1")->setText(QStringLiteral("Ann Lee"));
        control<QLineEdit>(w, "txtLMLine1")->setSelection(4, 3);
        QTest::keyClick(&w, Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(control<QMenu>(w, "mnuLMEdit")->isVisible());
        QVERIFY(control<QAction>(w, "mnuLMEditCut")->isEnabled() &&
                control<QAction>(w, "mnuLMEditCopy")->isEnabled());
        // Cut is the first item.
        control<QMenu>(w, "mnuLMEdit")->setActiveAction(control<QAction>(w, "mnuLMEditCut"));
        QTest::keyClick(control<QMenu>(w, "mnuLMEdit"), Qt::Key_Return);
        QTRY_VERIFY(!control<QMenu>(w, "mnuLMEdit")->isVisible());
        QCOMPARE(f.platform.clipboard, QStringLiteral("Lee"));
        QCOMPARE(control<QLineEdit>(w, "txtLMLine1")->text(), QStringLiteral("Ann "));
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(w, "txtLMLine1"));

        QTest::keyClick(&w, Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(control<QMenu>(w, "mnuLMEdit")->isVisible());
        QVERIFY(!control<QAction>(w, "mnuLMEditCut")->isEnabled() &&
                !control<QAction>(w, "mnuLMEditCopy")->isEnabled());
        QVERIFY(control<QAction>(w, "mnuLMEditPaste")->isEnabled());
        QTest::keyClick(control<QMenu>(w, "mnuLMEdit"), Qt::Key_Escape);
        QTRY_VERIFY(!control<QMenu>(w, "mnuLMEdit")->isVisible());
    }

    void enterMovesOnFromLinesOneToFour() {
        Fixture f;
        frmDEdavu& w = f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        control<QLineEdit>(w, "txtLMLine1")->setFocus();
        QTest::keyClick(control<QLineEdit>(w, "txtLMLine1"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(w, "txtLMLine2"));
        QTest::keyClick(control<QLineEdit>(w, "txtLMLine2"), Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(w, "txtLMline3"));
        control<QLineEdit>(w, "txtLMLine4")->setFocus();
        QTest::keyClick(control<QLineEdit>(w, "txtLMLine4"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(w, "txtLMLine5"));
        // The keypad's Enter key, as a keyboard sends it.
        control<QLineEdit>(w, "txtLMline3")->setFocus();
        QTest::keyClick(control<QLineEdit>(w, "txtLMline3"), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(w, "txtLMLine4"));
        // Line 5 keeps Enter to itself.
        control<QLineEdit>(w, "txtLMLine5")->setFocus();
        QTest::keyClick(control<QLineEdit>(w, "txtLMLine5"), Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(w, "txtLMLine5"));
    }

    void openAndCloseOfTheStateShowInTheCaption() {
        Fixture f;
        f.state.openFile(QString::fromStdString(f.folder.file("Friends.DAT")));
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Quillmark  [Friends]"));
        QCOMPARE(f.state.filePath(), QString::fromStdString(f.folder.file("Friends.DAT")));
        f.state.closeFile([](const QmError&) { QFAIL("close failed"); });
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Quillmark"));
        QVERIFY(f.state.fileTitle().isEmpty());
    }

    void exitWritesGeometryInTwips() {
        Fixture f;
        frmDEdavu& w = f.window;
        const std::string contacts = f.folder.file("Friends.DAT");
        f.state.openFile(QString::fromStdString(contacts));
        f.platform.settings.clear();  // the recent files' entry; only exit's writes are checked
        auto* other = new QWidget;
        other->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<QWidget> watch(other);
        w.show();
        f.state.showInsteadOfMain(other);
        w.close();
        QVERIFY(!f.state.contacts().isOpen());
        QTRY_VERIFY(watch.isNull());
        QStringList keys;
        for (const auto& [key, value] : f.platform.settings) {
            keys << key;
            QVERIFY(value.toString().toInt() != 0 || key == "MainLeft" || key == "MainTop");
        }
        QCOMPARE(keys, (QStringList{"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
        const int width = f.platform.settings[2].second.toString().toInt();
        const double dpi = w.screen()->logicalDotsPerInch();
        QCOMPARE(width, qRound(w.frameGeometry().width() * 1440.0 / dpi));
    }

    // What exit writes, the next start reads back; a place off every screen is ignored.
    void thePlaceWrittenAtExitComesBackAtStart() {
        Fixture f;
        f.window.show();
        f.window.move(f.window.screen()->availableGeometry().topLeft() + QPoint(40, 30));
        f.window.resize(700, 400);
        const QRect frame = f.window.frameGeometry();
        f.window.close();
        frmDEdavu next{f.state};
        next.restoreSavedPlace();
        QCOMPARE(next.pos(), frame.topLeft());
        QCOMPARE(next.size(), frame.size());

        f.platform.settings.emplace_back(QStringLiteral("MainLeft"), QStringLiteral("-99999"));
        frmDEdavu offScreen{f.state};
        offScreen.restoreSavedPlace();
        QCOMPARE(offScreen.size(), QSize(860, 460));
    }

    void exitWhileMinimisedWritesNoSettings() {
        Fixture f;
        f.window.show();
        f.window.setWindowState(Qt::WindowMinimized);
        f.window.close();
        QVERIFY(f.platform.settings.empty());
    }

    void exitClosesOtherWindowsNewestFirst() {
        Fixture f;
        QStringList closed;
        auto makeWindow = [&](const QString& name) {
            auto* w = new QWidget;
            w->setObjectName(name);
            w->setAttribute(Qt::WA_DeleteOnClose);
            QObject::connect(w, &QObject::destroyed, [&closed, name] { closed << name; });
            return w;
        };
        f.window.show();
        f.state.showInsteadOfMain(makeWindow("first"));
        f.state.showInsteadOfMain(makeWindow("second"));
        f.window.close();
        QTRY_COMPARE(closed, (QStringList{"second", "first"}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_window_test.moc"
