#include <QClipboard>
#include <QMenuBar>
#include <QSignalSpy>
#include <QtTest>

#include "shell/main_window.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

using namespace qm;

class MainWindowTest : public QObject {
    Q_OBJECT

    struct Fixture {
        test::TempFolder folder;
        ScriptedPlatform platform;
        AppState state{platform, QString::fromStdString(folder.path())};
        frmDEdavu window{state};
    };

    static QStringList menuTexts(QMenu* menu) {
        QStringList out;
        for (QAction* a : menu->actions()) {
            out << (a->isSeparator() ? QStringLiteral("-") : a->text());
        }
        return out;
    }

  private Q_SLOTS:
    void startsWithNoFileAndContactCommandsDisabled() {
        Fixture f;
        frmDEdavu& w = f.window;
        QCOMPARE(w.windowTitle(), QStringLiteral("Quillmark"));
        QVERIFY(w.optPortrait->isChecked());
        QVERIFY(w.optLMLeftjust->isChecked());
        QVERIFY(!w.optLMLabel->isChecked());
        QVERIFY(!w.optLMEnvelope->isChecked());
        QCOMPARE(w.txtLMLeftPad->text(), QStringLiteral("2"));
        QCOMPARE(w.txtLMToppad->text(), QStringLiteral("3"));
        QVERIFY(w.cboLMEnvelope->isHidden());
        QCOMPARE(w.cboLMEnvelope->count(), 7);
        QCOMPARE(w.cboLMEnvelope->itemText(1),
                 QStringLiteral("#6 3/4 Small envelope (3 5/8 in x 6 1/2 in)"));
        QCOMPARE(w.cboLMEnvelope->placeholderText(), QStringLiteral("Select Envelope Size"));
        QVERIFY(w.chkBold->isHidden() && !w.chkBold->isChecked());
        QVERIFY(w.chkLargeFont->isHidden() && !w.chkLargeFont->isChecked());
        QVERIFY(w.cmdRetAddress->isHidden());
        QVERIFY(w.txtFileNam->isHidden() && w.txtFileNam->text().isEmpty());
        QVERIFY(w.lblLMInstruct->text().startsWith(
            QStringLiteral("Quillmark prints labels (compatible with Avery 5160 and 8160 labels) "
                           "and envelopes.\nPower tip: click 'Search Contacts'")));
        for (QWidget* b :
             {static_cast<QWidget*>(w.cmdAddContact), static_cast<QWidget*>(w.cmdFindContact)}) {
            QVERIFY(!b->isEnabled());
        }
        for (QAction* a :
             {w.mnuAdd, w.mnuEdit, w.mnuFind, w.mnuDelete, w.mnuSrchContacts, w.mnuImport,
              w.mnuExport, w.mnuViewOne, w.mnuViewAll, w.mnuFileBdayOn, w.mnuFileBdayOff}) {
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
        }
        QVERIFY(w.mnuFileNew->isEnabled() && w.mnuFilePrint->isEnabled());
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
        QCOMPARE(menuTexts(w.mnuFile),
                 (QStringList{"New", "Open", "Close", "-", "Enable Birthday Reminders",
                              "Disable Birthday Reminders", "-", "Return Address Labels",
                              "State Abbreviations", "-", "Print", "-", "Exit"}));
        QCOMPARE(menuTexts(w.mnuContacts),
                 (QStringList{"Add Contact", "Edit Contact", "Find Contact", "Delete Contact", "-",
                              "Search Contacts", "-", "Import Contacts", "Export Contacts"}));
        QCOMPARE(menuTexts(w.mnuView), (QStringList{"One Contact", "All Contacts"}));
        QCOMPARE(menuTexts(w.mnuMargins),
                 (QStringList{"On-The-Fly label", "Search-result labels", "Envelope"}));
        QCOMPARE(menuTexts(w.mnuHelp), (QStringList{"User Manual", "About Quillmark"}));
        QCOMPARE(w.mnuFileOpen->shortcut(), QKeySequence("Ctrl+O"));
        QCOMPARE(w.mnuFilePrint->shortcut(), QKeySequence("Ctrl+P"));
        QCOMPARE(w.mnuLMEditCut->shortcut(), QKeySequence("Ctrl+X"));
        QCOMPARE(w.mnuLMEditCopy->shortcut(), QKeySequence("Ctrl+C"));
        QCOMPARE(w.mnuLMEditPaste->shortcut(), QKeySequence("Ctrl+V"));
        QCOMPARE(w.mnuManual->shortcut(), QKeySequence("F1"));
        // Controls are found by their names.
        QVERIFY(w.findChild<QLineEdit*>("txtLMline3") == w.txtLMline3);
        QVERIFY(w.findChild<QAction*>("mnuAdjustSR") == w.mnuAdjustSR);
    }

    void editMenuFollowsTheFocusedFieldsSelection() {
        Fixture f;
        frmDEdavu& w = f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.txtLMLine1->setFocus();
        w.txtLMLine1->setText(QStringLiteral("John Q. Public"));
        w.txtLMLine1->deselect();
        Q_EMIT w.mnuLMEdit->aboutToShow();
        QVERIFY(!w.mnuLMEditCut->isEnabled());
        QVERIFY(!w.mnuLMEditCopy->isEnabled());
        QVERIFY(w.mnuLMEditPaste->isEnabled());

        w.txtLMLine1->setSelection(0, 4);
        Q_EMIT w.mnuLMEdit->aboutToShow();
        QVERIFY(w.mnuLMEditCut->isEnabled() && w.mnuLMEditCopy->isEnabled());
        w.mnuLMEditCopy->trigger();
        QCOMPARE(f.platform.clipboard, QStringLiteral("John"));
        w.mnuLMEditCut->trigger();
        QCOMPARE(w.txtLMLine1->text(), QStringLiteral(" Q. Public"));
        w.txtLMLine1->setCursorPosition(0);
        f.platform.clipboard = QStringLiteral("Jane");
        w.mnuLMEditPaste->trigger();
        QCOMPARE(w.txtLMLine1->text(), QStringLiteral("Jane Q. Public"));
        // Cut with nothing selected removes nothing.
        w.txtLMLine1->deselect();
        w.mnuLMEditCut->trigger();
        QCOMPARE(w.txtLMLine1->text(), QStringLiteral("Jane Q. Public"));
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
        w.txtLMLine2->setFocus();
        w.txtLMLine2->setText(QStringLiteral("12 Elm Street"));
        w.txtLMLine2->setSelection(3, 3);

        QTest::keyClick(w.txtLMLine2, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(f.platform.clipboard, QStringLiteral("Elm"));
        QTest::keyClick(w.txtLMLine2, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(w.txtLMLine2->text(), QStringLiteral("12  Street"));
        QCOMPARE(f.platform.clipboard, QStringLiteral("Elm"));
        f.platform.clipboard = QStringLiteral("Oak");
        QTest::keyClick(w.txtLMLine2, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(w.txtLMLine2->text(), QStringLiteral("12 Oak Street"));

        // Without a selection the menu offers no Cut or Copy, and the keys do nothing either.
        w.txtLMLine2->deselect();
        QTest::keyClick(w.txtLMLine2, Qt::Key_C, Qt::ControlModifier);
        QTest::keyClick(w.txtLMLine2, Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(f.platform.clipboard, QStringLiteral("Oak"));
        QCOMPARE(w.txtLMLine2->text(), QStringLiteral("12 Oak Street"));
        QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("system"));

        // Keys the menu does not carry stay the field's own.
        w.txtLMLine2->selectAll();
        QTest::keyClick(w.txtLMLine2, Qt::Key_Backspace);
        QVERIFY(w.txtLMLine2->text().isEmpty());
    }

    // Alt+E gives the focus to the menu bar, and a line field drops its selection when it
    // loses the focus; the menu must still act on that field and its selection.
    void editMenuOpenedFromTheKeyboardActsOnTheField() {
        Fixture f;
        frmDEdavu& w = f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.txtLMLine1->setFocus();
        w.txtLMLine1->setText(QStringLiteral("Ann Lee"));
        w.txtLMLine1->setSelection(4, 3);
        QTest::keyClick(&w, Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(w.mnuLMEdit->isVisible());
        QVERIFY(w.mnuLMEditCut->isEnabled() && w.mnuLMEditCopy->isEnabled());
        // Cut is the first item.
        w.mnuLMEdit->setActiveAction(w.mnuLMEditCut);
        QTest::keyClick(w.mnuLMEdit, Qt::Key_Return);
        QTRY_VERIFY(!w.mnuLMEdit->isVisible());
        QCOMPARE(f.platform.clipboard, QStringLiteral("Lee"));
        QCOMPARE(w.txtLMLine1->text(), QStringLiteral("Ann "));
        QCOMPARE(QApplication::focusWidget(), w.txtLMLine1);

        QTest::keyClick(&w, Qt::Key_E, Qt::AltModifier);
        QTRY_VERIFY(w.mnuLMEdit->isVisible());
        QVERIFY(!w.mnuLMEditCut->isEnabled() && !w.mnuLMEditCopy->isEnabled());
        QVERIFY(w.mnuLMEditPaste->isEnabled());
        QTest::keyClick(w.mnuLMEdit, Qt::Key_Escape);
        QTRY_VERIFY(!w.mnuLMEdit->isVisible());
    }

    void enterMovesOnFromLinesOneToFour() {
        Fixture f;
        frmDEdavu& w = f.window;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.txtLMLine1->setFocus();
        QTest::keyClick(w.txtLMLine1, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.txtLMLine2);
        QTest::keyClick(w.txtLMLine2, Qt::Key_Enter);
        QCOMPARE(QApplication::focusWidget(), w.txtLMline3);
        w.txtLMLine4->setFocus();
        QTest::keyClick(w.txtLMLine4, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.txtLMLine5);
        // The keypad's Enter key, as a keyboard sends it.
        w.txtLMline3->setFocus();
        QTest::keyClick(w.txtLMline3, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(QApplication::focusWidget(), w.txtLMLine4);
        // Line 5 keeps Enter to itself.
        w.txtLMLine5->setFocus();
        QTest::keyClick(w.txtLMLine5, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), w.txtLMLine5);
    }

    void showingAnOpenFileSetsCaptionAndHiddenFields() {
        Fixture f;
        f.window.showOpenFile(QStringLiteral("/tmp/Friends.DAT"), QStringLiteral("Friends"));
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Quillmark  [Friends]"));
        QCOMPARE(f.window.txtFileNam->text(), QStringLiteral("/tmp/Friends.DAT"));
        f.window.showNoFile();
        QCOMPARE(f.window.windowTitle(), QStringLiteral("Quillmark"));
        QVERIFY(f.window.txtFileTitle->text().isEmpty());
    }

    void exitWritesGeometryInTwipsAndRestoresTheUninstallerFile() {
        Fixture f;
        frmDEdavu& w = f.window;
        test::writeBytes(f.folder.file("unins000.DAK"), "x");
        const std::string contacts = f.folder.file("Friends.DAT");
        f.state.contacts.open(contacts);
        auto* other = new QWidget;
        other->setAttribute(Qt::WA_DeleteOnClose);
        QPointer<QWidget> watch(other);
        w.show();
        w.showInsteadOfMain(other);
        w.close();
        QVERIFY(!f.state.contacts.isOpen());
        QVERIFY(QFile::exists(QString::fromStdString(f.folder.file("unins000.DAT"))));
        QVERIFY(!QFile::exists(QString::fromStdString(f.folder.file("unins000.DAK"))));
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
        f.window.showInsteadOfMain(makeWindow("first"));
        f.window.showInsteadOfMain(makeWindow("second"));
        f.window.close();
        QTRY_COMPARE(closed, (QStringList{"second", "first"}));
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_window_test.moc"
