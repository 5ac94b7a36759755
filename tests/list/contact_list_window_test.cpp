// The contact list window driven through the scripted platform: building the list, its
// messages, the clipboard, opening a contact, and what its print commands put on paper.
#include <QtTest>

#include "contacts/contact_browser_window.h"
#include "contacts/contact_form_window.h"
#include "desktop/main_window.h"
#include "list/contact_list_window.h"
#include "platform/qt_text.h"
#include "records/error.h"
#include "records/parameter_file.h"
#include "shell/app_folder.h"
#include "support/controls_qt.h"
#include "support/grid_printer.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"
#include "surface/text_grid_surface.h"

using qm::test::control;

using namespace qm;

namespace {

ContactRecord contact(const char* first, const char* initial, const char* last, const char* city,
                      const char* zip = "02101") {
    ContactRecord r;
    r.firstName = first;
    r.middleInitial = initial;
    r.lastName = last;
    r.street = "1 Elm St";
    r.city = city;
    r.state = "MA";
    r.zip = zip;
    r.homePhone = "617-555-0100";
    return r;
}

const std::vector<ContactRecord> kContacts = {
    contact("John", "Q", "Smith", "Boston"),
    contact("anna", "", "Adams", "Bossier City"),
    contact("Carl", "", "Smith", "BOSTON"),
    contact("Zed", "", "Young", "Ottawa", "K1A 0B1"),
};

const QString kHeading = QStringLiteral(
    "Name                               City               ST     Zip         Home         Cell"
    "                   Email Address");

struct Fixture {
    test::TempFolder folder;
    ScriptedPlatform platform;
    AppState state{platform, QString::fromStdString(folder.path())};
    frmDEdavu main{state};
    TextGridSurface grid;
    QPointer<frmViewAll> list;

    explicit Fixture(const std::vector<ContactRecord>& contacts = kContacts) {
        prepareAppFolder(folder.path());
        test::GridPrinter::kills = 0;
        const std::string path = folder.file("Friends.DAT");
        state.openFile(QString::fromStdString(path));
        state.contacts().appendAll(contacts);
        main.show();
        control<QAction>(main, "mnuViewAll")->trigger();
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<frmViewAll*>(w);
                found != nullptr && found->isVisible()) {
                list = found;
            }
        }
    }
    ~Fixture() {
        if (list) {
            delete list.data();
        }
    }

    QStringList lines() const {
        QStringList out;
        for (const ListEntry& e : list->listModel().entries()) {
            out << fromCore(e.line);
        }
        return out;
    }
    QStringList names() const {
        QStringList out;
        for (const QString& line : lines()) {
            out << line.section(QLatin1Char('\t'), 0, 0);
        }
        return out;
    }
    int rowOf(const QString& name) const { return names().indexOf(name); }
    void select(std::initializer_list<int> rows) {
        auto* selection = control<QListView>(list, "lstAllContacts")->selectionModel();
        selection->clearSelection();
        for (int row : rows) {
            selection->select(control<QListView>(list, "lstAllContacts")->model()->index(row, 0),
                              QItemSelectionModel::Select);
        }
    }
    void doubleClick(int row) {
        QListView* view = control<QListView>(list, "lstAllContacts");
        const QModelIndex index = view->model()->index(row, 0);
        view->setCurrentIndex(index);
        Q_EMIT view->doubleClicked(index);
    }
    void answerPrintDialog(int copies = 1, bool selection = false) {
        PrintAnswer answer;
        answer.copies = copies;
        answer.selection = selection;
        answer.makeSurface = [this] { return std::make_unique<test::GridPrinter>(grid); };
        platform.printAnswers.push_back(std::move(answer));
    }
    std::vector<std::string> printedTexts() const {
        std::vector<std::string> out;
        for (const PrintedRun& r : grid.runs()) {
            out.push_back(r.text);
        }
        return out;
    }
    void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
};

void expectMessage(const RecordedMessage& m, const QString& title, const QString& text,
                   MsgButtons buttons, MsgIcon icon) {
    QCOMPARE(m.title, title);
    QCOMPARE(m.text, text);
    QCOMPARE(m.buttons, buttons);
    QCOMPARE(m.icon, icon);
}

}  // namespace

class ContactListWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void opensInPlaceOfTheMainWindowWithAllContactsByFirstName() {
        Fixture f;
        QVERIFY(f.list);
        QVERIFY(f.main.isHidden());
        QCOMPARE(f.list->windowTitle(), QStringLiteral("All Contacts  [Friends]"));
        QVERIFY(control<QRadioButton>(f.list, "optSearchAll")->isChecked());
        QVERIFY(control<QRadioButton>(f.list, "optFnameSort")->isChecked());
        QVERIFY(f.platform.inputs.empty());
        QVERIFY(control<QGroupBox>(f.list, "frSearch")->isVisible() &&
                control<QGroupBox>(f.list, "frSortOrder")->isVisible());
        QVERIFY(!control<QPushButton>(f.list, "cmdPrintLabels")->isEnabled());
        QVERIFY(!control<QAction>(f.list, "mnuPrint")->isEnabled());
        QVERIFY(control<QLabel>(f.list, "lblSearchDisplay")->isHidden());
        QVERIFY(control<QLabel>(f.list, "lblTotContacts")->text().isEmpty());
        QVERIFY(control<QListView>(f.list, "lstAllContacts")->uniformItemSizes());
        QCOMPARE(control<QListView>(f.list, "lstAllContacts")->selectionMode(),
                 QAbstractItemView::ExtendedSelection);
    }

    void getReportListsEveryContactOnce() {
        Fixture f;
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        QCOMPARE(f.names(),
                 (QStringList{"anna Adams", "Carl Smith", "John Q. Smith", "Zed Young"}));
        QCOMPARE(control<QLineEdit>(f.list, "txtViewAllHeader")->text(), kHeading);
        QCOMPARE(control<QLineEdit>(f.list, "txtViewAllHeader")->font().pointSizeF(), 12.0);
        QVERIFY(control<QLineEdit>(f.list, "txtViewAllHeader")->font().bold());
        QCOMPARE(control<QLabel>(f.list, "lblTotContacts")->text(),
                 QStringLiteral("Contacts Found = 4"));
        QVERIFY(control<QGroupBox>(f.list, "frSearch")->isHidden() &&
                control<QGroupBox>(f.list, "frSortOrder")->isHidden());
        QVERIFY(control<QLabel>(f.list, "lblSearchDisplay")->isHidden());
        QVERIFY(!control<QPushButton>(f.list, "cmdACGetReport")->isEnabled());
        QVERIFY(control<QPushButton>(f.list, "cmdPrintLabels")->isEnabled() &&
                control<QAction>(f.list, "mnuPrint")->isEnabled());
        QCOMPARE(f.list->focusWidget(), control<QPushButton>(f.list, "cmdViewAllClose"));
        QVERIFY(f.platform.messages.empty());
    }

    void searchOptionsPromptAndCaptionTheResult() {
        Fixture f;
        f.platform.inputAnswers = {QStringLiteral("bos")};
        control<QRadioButton>(f.list, "optSearchCity")->click();
        QCOMPARE(f.platform.inputs.size(), std::size_t{1});
        QCOMPARE(f.platform.inputs[0].title, QStringLiteral("City Search"));
        QCOMPARE(f.platform.inputs[0].prompt, QStringLiteral("Search For: "));
        QVERIFY(f.platform.inputs[0].defaultAnswer.isEmpty());
        QCOMPARE(control<QLabel>(f.list, "lblSearchDisplay")->text(), QStringLiteral("bos"));
        QVERIFY(control<QLabel>(f.list, "lblSearchDisplay")->isVisible());
        control<QRadioButton>(f.list, "optLnameSort")->click();
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        QCOMPARE(f.names(), (QStringList{"Adams, anna ", "Smith, Carl ", "Smith, John Q. "}));
        QCOMPARE(control<QLabel>(f.list, "lblSearchDisplay")->text(), QStringLiteral("City = bos"));
        QCOMPARE(control<QLabel>(f.list, "lblTotContacts")->text(),
                 QStringLiteral("Contacts Found = 3"));
    }

    void nothingFoundKeepsGetReport() {
        Fixture f;
        // Zip codes compare with case.
        f.platform.inputAnswers = {QStringLiteral("k1a")};
        control<QRadioButton>(f.list, "optSearchZip")->click();
        QCOMPARE(f.platform.inputs[0].title, QStringLiteral("Zip code Search"));
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        QCOMPARE(f.platform.messages.size(), std::size_t{1});
        expectMessage(f.platform.messages[0], QStringLiteral("Contact file empty."),
                      QStringLiteral("No contacts found."), MsgButtons::Ok, MsgIcon::None);
        QCOMPARE(control<QLabel>(f.list, "lblSearchDisplay")->text(), QStringLiteral(" = k1a"));
        QCOMPARE(control<QLabel>(f.list, "lblTotContacts")->text(),
                 QStringLiteral("Contacts Found = 0"));
        QVERIFY(control<QPushButton>(f.list, "cmdACGetReport")->isEnabled());

        // Labels of an empty list: a message and no print dialog.
        control<QPushButton>(f.list, "cmdPrintLabels")->click();
        expectMessage(f.platform.messages.back(), QStringLiteral("No contacts found"),
                      QStringLiteral("Empty list, no labels to print."), MsgButtons::Ok,
                      MsgIcon::None);
        QVERIFY(f.platform.printRequests.empty());
    }

    void columnsStandUnderTheirHeadingNames() {
        Fixture f;
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        QLineEdit* heading = control<QLineEdit>(f.list, "txtViewAllHeader");
        QCOMPARE(heading->cursorPosition(), 0);
        const std::vector<double>& columns = f.list->listDelegate().columnPositions();
        const QStringList names = {"Name", "City", "ST", "Zip", "Home", "Cell", "Email Address"};
        QCOMPARE(columns.size(), std::size_t(names.size()));
        QWidget* viewport = control<QListView>(f.list, "lstAllContacts")->viewport();
        qsizetype from = 0;
        for (qsizetype i = 0; i < names.size(); ++i) {
            // Where the heading field itself puts the name, read through its cursor.
            from = kHeading.indexOf(names[i], from);
            heading->setCursorPosition(static_cast<int>(from));
            const QPoint cursor =
                heading->inputMethodQuery(Qt::ImCursorRectangle).toRect().center();
            const int x = viewport->mapFrom(f.list, heading->mapTo(f.list, cursor)).x();
            QVERIFY2(qAbs(columns[std::size_t(i)] - x) <= 2.0, qPrintable(names[i]));
        }
    }

    void rowsDrawTheirColumnsAtTheSamePlaces() {
        Fixture f;
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        const ListLineDelegate& delegate = f.list->listDelegate();
        const std::vector<double>& columns = delegate.columnPositions();
        const double right = columns.back() + 400;
        ContactRecord longName = contact("Bartholomew", "Q", "Vanderbilt-Jones", "Fort Lauderdale");
        longName.homePhone = "";
        longName.cellPhone = "508-555-0199";
        longName.email = "bart@example.com";
        const ContactRecord shortName = contact("Al", "", "Ng", "Ames");
        const auto drawn = [&](const ContactRecord& r) {
            return delegate.layoutColumns(fromCore(listLine(r, SortOrder::ByFirstName)), right);
        };
        const auto a = drawn(longName);
        const auto b = drawn(shortName);
        // The blank home phone draws nothing; every other column starts at its place,
        // without the trailing blanks of its raw field, and ends before the next one.
        QCOMPARE(a.size(), std::size_t{6});
        QCOMPARE(b.size(), std::size_t{5});
        QCOMPARE(a[1].text, QStringLiteral("Fort Lauderdale"));
        QCOMPARE(b[1].text, QStringLiteral("Ames"));
        QCOMPARE(a[1].left, b[1].left);
        QCOMPARE(a[2].left, b[2].left);
        QCOMPARE(a[4].text, QStringLiteral("508-555-0199"));
        QCOMPARE(a[4].left, columns[5]);
        for (std::size_t i = 0; i + 1 < a.size(); ++i) {
            QVERIFY(a[i].left + a[i].width <= a[i + 1].left);
        }
        // A pasted line with more tabs than columns keeps the rest in the last column.
        const auto pasted =
            delegate.layoutColumns(QStringLiteral("1\t2\t3\t4\t5\t6\t7\t8\t9"), right);
        QCOMPARE(pasted.size(), std::size_t{7});
        QCOMPARE(pasted.back().text, QStringLiteral("7 8 9"));
        // Nothing is drawn past the right edge.
        const auto narrow = delegate.layoutColumns(
            fromCore(listLine(shortName, SortOrder::ByFirstName)), columns[2] + 10);
        QCOMPARE(narrow.size(), std::size_t{3});
        QCOMPARE(narrow.back().width, 10.0);
    }

    void keysTabOrderAndPlainCaptions() {
        Fixture f;
        const std::pair<QAction*, const char*> keys[] = {
            {control<QAction>(f.list, "mnuVAEditCut"), "Ctrl+X"},
            {control<QAction>(f.list, "mnuVAEditCopy"), "Ctrl+C"},
            {control<QAction>(f.list, "mnuVAEditPaste"), "Ctrl+V"},
            {control<QAction>(f.list, "mnuVAEditSelAll"), "Ctrl+A"},
            {control<QAction>(f.list, "mnuVAManual"), "F1"}};
        for (const auto& [action, key] : keys) {
            QCOMPARE(action->shortcut().toString(), QString::fromLatin1(key));
        }
        const auto nextStop = [](QWidget* w) {
            do {
                w = w->nextInFocusChain();
            } while ((w->focusPolicy() & Qt::TabFocus) == 0);
            return w;
        };
        QCOMPARE(nextStop(control<QRadioButton>(f.list, "optSearchCompany")),
                 control<QRadioButton>(f.list, "optFnameSort"));
        QCOMPARE(nextStop(control<QRadioButton>(f.list, "optLnameSort")),
                 control<QPushButton>(f.list, "cmdACGetReport"));
        QCOMPARE(nextStop(control<QPushButton>(f.list, "cmdViewAllClose")),
                 control<QListView>(f.list, "lstAllContacts"));

        // The keys reach the list's own commands.
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        f.list->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(f.list));
        control<QListView>(f.list, "lstAllContacts")->setFocus();
        QTest::keyClick(control<QListView>(f.list, "lstAllContacts"), Qt::Key_A,
                        Qt::ControlModifier);
        QTest::keyClick(control<QListView>(f.list, "lstAllContacts"), Qt::Key_C,
                        Qt::ControlModifier);
        QVERIFY(f.platform.clipboard.startsWith(QStringLiteral("\r\n")));
        QCOMPARE(f.platform.clipboard.count(QStringLiteral("\r\n")), 4);

        f.platform.inputAnswers = {QStringLiteral("<b>x</b>")};
        control<QRadioButton>(f.list, "optSearchCat")->click();
        QCOMPARE(control<QLabel>(f.list, "lblSearchDisplay")->textFormat(), Qt::PlainText);
        QCOMPARE(control<QLabel>(f.list, "lblSearchDisplay")->text(), QStringLiteral("<b>x</b>"));
    }

    void aReadFailureOffersRetryAndCancel() {
        Fixture f;
        f.state.contacts().close();
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        QCOMPARE(f.platform.messages.size(), std::size_t{1});
        QCOMPARE(f.platform.messages[0].title, QStringLiteral("Error"));
        QCOMPARE(f.platform.messages[0].buttons, MsgButtons::RetryCancel);
        QVERIFY(f.platform.messages[0].text.startsWith(
            QStringLiteral("An error has occurred. Error number ")));
        QVERIFY(f.list->isVisible());

        f.platform.messageAnswers = {MsgAnswer::Cancel};
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        f.settle();
        QVERIFY(!f.list);
        QVERIFY(f.main.isVisible());
    }

    void closeShowsTheMainWindowAgain() {
        Fixture f;
        control<QPushButton>(f.list, "cmdViewAllClose")->click();
        f.settle();
        QVERIFY(!f.list);
        QVERIFY(f.main.isVisible());
    }

    void copyAndCutTakeSelectedLinesInListOrder() {
        Fixture f;
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        const QStringList before = f.lines();
        control<QListView>(f.list, "lstAllContacts")->setFocus();
        f.select({2, 0});
        control<QAction>(f.list, "mnuVAEditCopy")->trigger();
        QCOMPARE(f.platform.clipboard,
                 QStringLiteral("\r\n") + before[0] + QStringLiteral("\r\n") + before[2]);

        f.select({});
        control<QAction>(f.list, "mnuVAEditCopy")->trigger();
        QVERIFY(f.platform.clipboard.isEmpty());

        f.select({1, 3});
        control<QAction>(f.list, "mnuVAEditCut")->trigger();
        QCOMPARE(f.platform.clipboard,
                 QStringLiteral("\r\n") + before[1] + QStringLiteral("\r\n") + before[3]);
        QCOMPARE(f.lines(), (QStringList{before[0], before[2]}));
        // The count and the file stay as they were.
        QCOMPARE(control<QLabel>(f.list, "lblTotContacts")->text(),
                 QStringLiteral("Contacts Found = 4"));
        QCOMPARE(f.state.contacts().count(), 4);

        control<QAction>(f.list, "mnuVAEditSelAll")->trigger();
        QCOMPARE(
            control<QListView>(f.list, "lstAllContacts")->selectionModel()->selectedRows().size(),
            2);
    }

    void pastedLinesHaveNoContactBehindThem() {
        Fixture f;
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        control<QListView>(f.list, "lstAllContacts")->setFocus();
        f.platform.clipboard = QStringLiteral("Bea\r\nyves");
        control<QAction>(f.list, "mnuVAEditPaste")->trigger();
        QCOMPARE(f.names(), (QStringList{"anna Adams", "Bea", "Carl Smith", "John Q. Smith", "yves",
                                         "Zed Young"}));
        QCOMPARE(f.list->listModel().entry(1).record, 0);

        f.doubleClick(f.rowOf(QStringLiteral("Bea")));
        QCOMPARE(f.platform.messages.size(), std::size_t{1});
        QCOMPARE(f.platform.messages[0].title, QStringLiteral("Error"));
        QCOMPARE(f.platform.messages[0].buttons, MsgButtons::RetryCancel);
        QCOMPARE(f.state.currentRecord, 0);
        QVERIFY(f.list->isVisible());
        QCOMPARE(f.lines().size(), 6);

        // Labels reach the pasted line and give up there, abandoning the job.
        f.answerPrintDialog();
        control<QPushButton>(f.list, "cmdPrintLabels")->click();
        expectMessage(f.platform.messages.back(), QStringLiteral("Printer error"),
                      QStringLiteral("A printer problem exists.  Check printer."), MsgButtons::Ok,
                      MsgIcon::Exclamation);
        QCOMPARE(test::GridPrinter::kills, 1);
        QVERIFY(f.grid.runs().empty());
    }

    void pasteKeepsTheSelectionAndOrdersAsOneByOne() {
        Fixture f;
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        control<QListView>(f.list, "lstAllContacts")->setFocus();
        const QString carl = f.lines()[f.rowOf(QStringLiteral("Carl Smith"))];
        f.select({f.rowOf(QStringLiteral("Carl Smith")), f.rowOf(QStringLiteral("Zed Young"))});
        // Ties go after the lines already listed and keep the pasted order among themselves.
        const QStringList pasted = {QStringLiteral("BEA"), carl.toUpper(), QStringLiteral("zz"),
                                    QStringLiteral("bea"), QString()};
        f.platform.clipboard = pasted.join(QStringLiteral("\r\n"));
        std::vector<ListEntry> expected = f.list->listModel().entries();
        for (const QString& line : pasted) {
            const std::string text = toCore(line);
            expected.insert(expected.begin() +
                                static_cast<std::ptrdiff_t>(sortedInsertPosition(expected, text)),
                            ListEntry{text, 0});
        }
        control<QAction>(f.list, "mnuVAEditPaste")->trigger();
        QVERIFY(f.list->listModel().entries() == expected);
        QCOMPARE(f.lines().size(), 9);
        QStringList selected;
        for (const QModelIndex& index :
             control<QListView>(f.list, "lstAllContacts")->selectionModel()->selectedRows()) {
            selected << f.lines()[index.row()].section(QLatin1Char('\t'), 0, 0);
        }
        selected.sort();
        QCOMPARE(selected, (QStringList{"Carl Smith", "Zed Young"}));
    }

    void doubleClickOpensExactlyThatContact() {
        Fixture f;
        control<QRadioButton>(f.list, "optLnameSort")->click();
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        const int row = f.rowOf(QStringLiteral("Smith, Carl "));
        QCOMPARE(row, 1);
        f.doubleClick(row);
        f.settle();
        QVERIFY(f.platform.messages.empty());
        QCOMPARE(f.state.currentRecord, 3);
        QVERIFY(!f.list);
        QVERIFY(f.state.contacts().isOpen());
        // Closing the list went back to the browser, not to the main window.
        frmEdDelViewContact* browser = loadedContactBrowser(f.state);
        QVERIFY(browser != nullptr && browser->isVisible());
        QVERIFY(f.main.isHidden());
        QCOMPARE(control<QLineEdit>(browser, "txtACFName")->text(), QStringLiteral("Carl"));
        QCOMPARE(control<QLineEdit>(browser, "txtACLName")->text(), QStringLiteral("Smith"));
        QVERIFY(control<QPushButton>(browser, "cmdSave")->isEnabled() &&
                control<QPushButton>(browser, "cmdDelete")->isEnabled());
        QCOMPARE(control<QComboBox>(browser, "cboFindContact")->count(), 4);
        delete browser;
    }

    void headingFieldEditsItsOwnText() {
        Fixture f;
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        QLineEdit* heading = control<QLineEdit>(f.list, "txtViewAllHeader");
        heading->setFocus();
        heading->deselect();
        Q_EMIT control<QMenu>(f.list, "mnuVAEdit")->aboutToShow();
        QVERIFY(!control<QAction>(f.list, "mnuVAEditCut")->isEnabled() &&
                !control<QAction>(f.list, "mnuVAEditCopy")->isEnabled());
        QVERIFY(control<QAction>(f.list, "mnuVAEditPaste")->isEnabled() &&
                control<QAction>(f.list, "mnuVAEditSelAll")->isEnabled());

        control<QAction>(f.list, "mnuVAEditSelAll")->trigger();
        QCOMPARE(heading->selectedText(), kHeading);
        QCOMPARE(
            control<QListView>(f.list, "lstAllContacts")->selectionModel()->selectedRows().size(),
            0);
        Q_EMIT control<QMenu>(f.list, "mnuVAEdit")->aboutToShow();
        QVERIFY(control<QAction>(f.list, "mnuVAEditCut")->isEnabled() &&
                control<QAction>(f.list, "mnuVAEditCopy")->isEnabled());
        control<QAction>(f.list, "mnuVAEditCopy")->trigger();
        QCOMPARE(f.platform.clipboard, kHeading);

        // Cut without a selection takes nothing away.
        heading->deselect();
        heading->setCursorPosition(0);
        control<QAction>(f.list, "mnuVAEditCut")->trigger();
        QCOMPARE(heading->text(), kHeading);

        heading->setSelection(0, 4);
        control<QAction>(f.list, "mnuVAEditCut")->trigger();
        QCOMPARE(f.platform.clipboard, QStringLiteral("Name"));
        QVERIFY(!heading->text().startsWith(QStringLiteral("Name")));
        QCOMPARE(f.lines().size(), 4);
    }

    void labelsForEveryListedContactOncePerCopy() {
        Fixture f;
        addToAdjustment(f.folder.file(kParameterFileName), kSectionBulkList, "-1", "1");
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        f.answerPrintDialog(2);
        control<QPushButton>(f.list, "cmdPrintLabels")->click();
        QVERIFY(f.platform.messages.empty());
        QCOMPARE(f.grid.documentCount(), 2);
        QCOMPARE(f.grid.orientation(), kPortrait);
        const PrintedRun& first = f.grid.runs().front();
        QCOMPARE(first.text, std::string("anna Adams"));
        QCOMPARE(first.column, 1);
        QCOMPARE(first.line, 6);
        QCOMPARE(first.font, std::string("Courier New"));
        QCOMPARE(f.grid.runs()[1].column, 34);
        QCOMPARE(f.list->focusWidget(), control<QPushButton>(f.list, "cmdViewAllClose"));
    }

    void aMalformedAdjustmentIsAPrinterProblem() {
        Fixture f;
        test::writeBytes(f.folder.file(kParameterFileName), "BULKLIST abc 0  \r\n");
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        f.answerPrintDialog();
        control<QPushButton>(f.list, "cmdPrintLabels")->click();
        QCOMPARE(f.platform.messages.back().text,
                 QStringLiteral("A printer problem exists.  Check printer."));
        QVERIFY(f.platform.printRequests.empty());
    }

    void reportPrintsEveryLineWhateverPageRange() {
        std::vector<ContactRecord> many;
        for (int i = 0; i < 81; ++i) {
            many.push_back(contact("P", "", qPrintable(QString::number(1000 + i)), "Utica"));
        }
        Fixture f(many);
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        PrintAnswer answer;
        answer.copies = 2;
        answer.makeSurface = [&f] { return std::make_unique<test::GridPrinter>(f.grid); };
        f.platform.printAnswers.push_back(std::move(answer));
        control<QAction>(f.list, "mnuPrint")->trigger();

        QCOMPARE(f.platform.printRequests.size(), std::size_t{1});
        QCOMPARE(f.platform.printRequests[0].pageCount, 2);
        QVERIFY(!f.platform.printRequests[0].allowSelection);
        QCOMPARE(f.grid.documentCount(), 2);
        QCOMPARE(f.grid.orientation(), kLandscape);
        const auto texts = f.printedTexts();
        QCOMPARE(std::count(texts.begin(), texts.end(), std::string("File: Friends")), 2);
        QCOMPARE(std::count_if(texts.begin(), texts.end(),
                               [](const std::string& t) { return t.starts_with("P 1"); }),
                 162);
    }

    void reportSelectionPrintsTheChosenLinesOnce() {
        Fixture f;
        control<QPushButton>(f.list, "cmdACGetReport")->click();
        control<QListView>(f.list, "lstAllContacts")->setFocus();
        f.select({1, 3});
        f.answerPrintDialog(3, true);
        control<QAction>(f.list, "mnuPrint")->trigger();
        QVERIFY(f.platform.printRequests[0].allowSelection);
        QCOMPARE(f.grid.documentCount(), 1);
        QCOMPARE(f.grid.runs().front().font, std::string("MS Sans Serif"));
        const auto texts = f.printedTexts();
        QCOMPARE(std::count(texts.begin(), texts.end(), std::string("Carl Smith")), 1);
        QCOMPARE(std::count(texts.begin(), texts.end(), std::string("Zed Young")), 1);
        QCOMPARE(std::count(texts.begin(), texts.end(), std::string("anna Adams")), 0);

        // With the focus in the heading field, its selected text is what gets printed.
        control<QLineEdit>(f.list, "txtViewAllHeader")->setFocus();
        control<QLineEdit>(f.list, "txtViewAllHeader")->setSelection(0, 4);
        f.answerPrintDialog(1, true);
        control<QAction>(f.list, "mnuPrint")->trigger();
        QCOMPARE(f.grid.documentCount(), 2);
        QCOMPARE(f.printedTexts().back(), std::string("Name"));
    }
};

QTEST_MAIN(ContactListWindowTest)
#include "contact_list_window_test.moc"
