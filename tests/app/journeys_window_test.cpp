// Whole journeys through the program as a user walks them: the real main window and the
// windows it leads to, driven through their buttons and menu items, with the scripted
// platform answering the dialogs. Each step checks what the user would see: which window is
// on show, its caption, the commands that can be chosen, and the messages in order.
#include <QtTest>

#include "contacts/add_contact_window.h"
#include "contacts/contact_browser_window.h"
#include "desktop/main_window.h"
#include "exchange/export_window.h"
#include "exchange/import_window.h"
#include "list/contact_list_window.h"
#include "platform/qt_text.h"
#include "printing/label_sheet.h"
#include "printing/label_stock.h"
#include "records/contact_file.h"
#include "shell/about_window.h"
#include "shell/app_folder.h"
#include "support/controls_qt.h"
#include "support/grid_printer.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"
#include "support/typed_lines_qt.h"
#include "surface/text_grid_surface.h"

using qm::test::control;

using namespace qm;

namespace {

// Records the order in which top-level windows receive their close event.
class CloseOrder : public QObject {
  public:
    QStringList names;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            auto* widget = qobject_cast<QWidget*>(watched);
            if (widget != nullptr && widget->isWindow()) {
                names << widget->objectName();
            }
        }
        return false;
    }
};

ContactRecord person(const char* first, const char* last, const char* city,
                     const std::string& birthdate = {}) {
    ContactRecord r;
    r.firstName = first;
    r.lastName = last;
    r.street = "1 Elm St";
    r.city = city;
    r.state = "MA";
    r.zip = "02101";
    r.birthdate = birthdate;
    r.reminder = "1";
    return r;
}

std::string storedDate(const QDate& d) {
    return d.toString(QStringLiteral("yyyyMMdd")).toStdString();
}

// The main window on screen with the application folder prepared, as at start-up.
struct Desk {
    test::TempFolder folder;
    ScriptedPlatform platform;
    AppState state{platform, QString::fromStdString(folder.path())};
    frmDEdavu main{state};
    TextGridSurface grid;

    Desk() {
        prepareAppFolder(folder.path());
        main.show();
        control<QLineEdit>(main, "txtLMLine1")->setFocus();
    }
    ~Desk() {
        for (const QPointer<QWidget>& w : state.openWindows) {
            delete w.data();
        }
        settle();
    }

    QString path(const char* name) const { return QString::fromStdString(folder.file(name)); }

    // Writes a contact file and opens it through File > Open.
    void openFile(const char* name, const std::vector<ContactRecord>& records) {
        {
            ContactFile file;
            file.open(folder.file(name));
            file.appendAll(records);
            file.close();
        }
        platform.fileAnswers.push_back(path(name));
        control<QAction>(main, "mnuFileOpen")->trigger();
    }

    void typeLines(const QStringList& lines) { test::typeLines(main, lines); }
    QStringList mainLines() const { return test::typedLineTexts(main); }

    void answerPrintDialog() {
        PrintAnswer answer;
        answer.makeSurface = [this] { return std::make_unique<test::GridPrinter>(grid); };
        platform.printAnswers.push_back(std::move(answer));
    }

    // Windows with WA_DeleteOnClose go at the next turn of the event loop.
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    // The object names of the windows on screen: the user works in exactly one.
    static QStringList visibleWindows() {
        QStringList names;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && !w->objectName().isEmpty()) {
                names << w->objectName();
            }
        }
        names.sort();
        return names;
    }
    template <typename W>
    static W* shown() {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* found = qobject_cast<W*>(w); found != nullptr && found->isVisible()) {
                return found;
            }
        }
        return nullptr;
    }

    // The main window back on top with the focus on the first typed line.
    void expectMainBack() const {
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("frmDEdavu")});
        QCOMPARE(main.focusWidget(), static_cast<QWidget*>(control<QLineEdit>(main, "txtLMLine1")));
    }

    // Which of the contact-dependent commands can be chosen.
    QList<bool> contactCommands() const {
        return {control<QPushButton>(main, "cmdAddContact")->isEnabled(),
                control<QPushButton>(main, "cmdFindContact")->isEnabled(),
                control<QAction>(main, "mnuAdd")->isEnabled(),
                control<QAction>(main, "mnuEdit")->isEnabled(),
                control<QAction>(main, "mnuFind")->isEnabled(),
                control<QAction>(main, "mnuDelete")->isEnabled(),
                control<QAction>(main, "mnuSrchContacts")->isEnabled(),
                control<QAction>(main, "mnuViewOne")->isEnabled(),
                control<QAction>(main, "mnuViewAll")->isEnabled()};
    }
};

const QList<bool> kAllOn(9, true);
const QList<bool> kAllOff(9, false);

void choose(frmEdDelViewContact* browser, const QString& entry) {
    const int index = control<QComboBox>(browser, "cboFindContact")->findText(entry);
    QVERIFY2(index >= 0, qPrintable(entry));
    control<QComboBox>(browser, "cboFindContact")->setCurrentIndex(index);
    Q_EMIT control<QComboBox>(browser, "cboFindContact")->activated(index);
}

void doubleClick(frmViewAll* list, const QString& name) {
    QListView* view = control<QListView>(list, "lstAllContacts");
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        const QModelIndex index = view->model()->index(row, 0);
        const QString line = fromCore(list->listModel().entry(row).line);
        if (line.section(QLatin1Char('\t'), 0, 0) == name) {
            view->setCurrentIndex(index);
            Q_EMIT view->doubleClicked(index);
            return;
        }
    }
    QFAIL(qPrintable(QStringLiteral("no list line for ") + name));
}

}  // namespace

class JourneysTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    // New file, two contacts typed as label lines and saved, a city search and its labels.
    void newFileTypedContactsThenCityLabels() {
        Desk d;
        QCOMPARE(d.main.windowTitle(), QStringLiteral("Quillmark"));
        QCOMPARE(d.contactCommands(), kAllOff);

        d.platform.fileAnswers.push_back(d.path("Friends.DAT"));
        control<QAction>(d.main, "mnuFileNew")->trigger();
        QCOMPARE(d.platform.fileDialogTitles, QStringList{QStringLiteral("New")});
        QCOMPARE(d.main.windowTitle(), QStringLiteral("Quillmark  [Friends]"));
        QCOMPARE(d.contactCommands(), kAllOn);
        QVERIFY(!control<QAction>(d.main, "mnuFileBdayOn")->isEnabled() &&
                control<QAction>(d.main, "mnuFileBdayOff")->isEnabled());

        const QStringList typed[] = {
            {"John Q. Public", "12 Main St", "Boston, MA 02101"},
            {"Mary Smith", "5 Oak St", "Salem, OR 97301"},
        };
        for (const QStringList& lines : typed) {
            d.typeLines(lines);
            control<QPushButton>(d.main, "cmdAddContact")->click();
            auto* add = Desk::shown<frmNewContact>();
            QVERIFY(add != nullptr);
            QCOMPARE(Desk::visibleWindows(), QStringList{QStringLiteral("frmNewContact")});
            QCOMPARE(add->windowTitle(), QStringLiteral("Add Contact  [Friends]"));
            QCOMPARE(add->focusWidget(),
                     static_cast<QWidget*>(control<QLineEdit>(add, "txtACFName")));
            control<QPushButton>(add, "cmdSave")->click();
            Desk::settle();
            d.expectMainBack();
            // The typed lines wait in the main window as they were.
            QCOMPARE(d.mainLines().mid(0, 3), lines);
        }
        QCOMPARE(d.platform.messageTitles(),
                 QStringList(2, QStringLiteral("Contact saved to file")));
        QCOMPARE(d.platform.messageTexts(), QStringList(2, QStringLiteral("S A V E D")));
        QCOMPARE(d.state.contacts().count(), 2);
        const ContactRecord john = d.state.contacts().read(1);
        QCOMPARE(john.middleInitial, std::string("Q"));
        QCOMPARE(john.city, std::string("Boston"));
        QCOMPARE(john.reminder, std::string("1"));

        d.platform.clearRecords();
        control<QAction>(d.main, "mnuSrchContacts")->trigger();
        auto* list = Desk::shown<frmViewAll>();
        QVERIFY(list != nullptr);
        QCOMPARE(Desk::visibleWindows(), QStringList{QStringLiteral("frmViewAll")});
        QCOMPARE(list->windowTitle(), QStringLiteral("All Contacts  [Friends]"));
        QVERIFY(control<QRadioButton>(list, "optSearchAll")->isChecked() &&
                control<QRadioButton>(list, "optFnameSort")->isChecked());
        QVERIFY(!control<QPushButton>(list, "cmdPrintLabels")->isEnabled() &&
                !control<QAction>(list, "mnuPrint")->isEnabled());

        d.platform.inputAnswers.push_back(QStringLiteral("bos"));
        control<QRadioButton>(list, "optSearchCity")->click();
        control<QPushButton>(list, "cmdACGetReport")->click();
        QCOMPARE(control<QLabel>(list, "lblTotContacts")->text(),
                 QStringLiteral("Contacts Found = 1"));
        QCOMPARE(control<QLabel>(list, "lblSearchDisplay")->text(), QStringLiteral("City = bos"));
        QCOMPARE(list->listModel().entries().size(), std::size_t(1));
        QCOMPARE(list->listModel().entries()[0].record, 1);
        QVERIFY(control<QPushButton>(list, "cmdPrintLabels")->isEnabled() &&
                control<QAction>(list, "mnuPrint")->isEnabled());

        d.answerPrintDialog();
        control<QPushButton>(list, "cmdPrintLabels")->click();
        QVERIFY(d.platform.messages.empty());
        QCOMPARE(d.grid.documentCount(), 1);
        const std::string paper = d.grid.renderText();
        QVERIFY(paper.find("John Q Public") != std::string::npos);
        QVERIFY(paper.find("Boston, MA  02101") != std::string::npos);
        QVERIFY(paper.find("Mary") == std::string::npos);

        control<QPushButton>(list, "cmdViewAllClose")->click();
        Desk::settle();
        QVERIFY(Desk::shown<frmViewAll>() == nullptr);
        d.expectMainBack();
        QCOMPARE(d.main.windowTitle(), QStringLiteral("Quillmark  [Friends]"));
        QCOMPARE(d.contactCommands(), kAllOn);
    }

    // Birthdays announced on Open; a contact opened from the list, edited and saved in the
    // browser; the list gives way to the browser, the browser to the main window.
    void birthdaysThenListToBrowserAndBack() {
        const QDate today = QDate::currentDate();
        if (today.addDays(5).year() != today.year()) {
            QSKIP("birthdays are taken in the current year; too close to its end");
        }
        Desk d;
        d.openFile("Club.DAT", {person("Ann", "Lee", "Boston", storedDate(today.addDays(5))),
                                person("Bob", "Ray", "Salem", storedDate(today.addDays(1))),
                                person("Cy", "Fox", "Lowell", storedDate(today))});
        const auto monthDay = [](const QDate& date) {
            return date.toString(QStringLiteral("MM/dd"));
        };
        QCOMPARE(
            d.platform.messageTexts(),
            (QStringList{"Ann Lee has a birthday coming up on " + monthDay(today.addDays(5)),
                         "Bob Ray has a birthday coming up on " + monthDay(today.addDays(1))}));
        QCOMPARE(d.platform.messageTitles(), QStringList(2, QStringLiteral("Birthday reminder")));
        QCOMPARE(d.platform.messages[0].icon, MsgIcon::Information);
        QCOMPARE(d.main.windowTitle(), QStringLiteral("Quillmark  [Club]"));
        QVERIFY(!control<QAction>(d.main, "mnuFileBdayOn")->isEnabled() &&
                control<QAction>(d.main, "mnuFileBdayOff")->isEnabled());
        d.expectMainBack();

        d.platform.clearRecords();
        control<QAction>(d.main, "mnuViewAll")->trigger();
        auto* list = Desk::shown<frmViewAll>();
        QVERIFY(list != nullptr);
        control<QRadioButton>(list, "optLnameSort")->click();
        control<QPushButton>(list, "cmdACGetReport")->click();
        QCOMPARE(control<QLabel>(list, "lblTotContacts")->text(),
                 QStringLiteral("Contacts Found = 3"));

        doubleClick(list, QStringLiteral("Ray, Bob "));
        Desk::settle();
        QVERIFY(Desk::shown<frmViewAll>() == nullptr);
        auto* browser = Desk::shown<frmEdDelViewContact>();
        QVERIFY(browser != nullptr);
        QCOMPARE(Desk::visibleWindows(), QStringList{QStringLiteral("frmEdDelViewContact")});
        QCOMPARE(browser->windowTitle(), QStringLiteral("Contact Information  [Club]"));
        QCOMPARE(d.state.currentRecord, 2);
        QCOMPARE(control<QLineEdit>(browser, "txtACFName")->text(), QStringLiteral("Bob"));
        QVERIFY(control<QPushButton>(browser, "cmdSave")->isEnabled() &&
                control<QLineEdit>(browser, "txtACCity")->isEnabled());
        QCOMPARE(control<QComboBox>(browser, "cboFindContact")->count(), 3);
        QCOMPARE(browser->focusWidget(),
                 static_cast<QWidget*>(control<QComboBox>(browser, "cboFindContact")));

        control<QLineEdit>(browser, "txtACCity")->setText(QStringLiteral("Salem Depot"));
        control<QPushButton>(browser, "cmdSave")->click();
        QCOMPARE(d.platform.messageTitles(), QStringList{QStringLiteral("Changes saved")});
        QCOMPARE(d.state.contacts().read(2).city, std::string("Salem Depot"));
        QCOMPARE(d.state.contacts().read(2).reminder, std::string("1"));
        QCOMPARE(d.state.contacts().count(), 3);

        control<QPushButton>(browser, "cmdCancel")->click();
        Desk::settle();
        QVERIFY(Desk::shown<frmEdDelViewContact>() == nullptr);
        QCOMPARE(d.state.currentRecord, 0);
        d.expectMainBack();

        // Opened again from the main window, the list closes straight back to it.
        control<QAction>(d.main, "mnuViewAll")->trigger();
        list = Desk::shown<frmViewAll>();
        QVERIFY(list != nullptr);
        control<QPushButton>(list, "cmdACGetReport")->click();
        QCOMPARE(fromCore(list->listModel().entries()[1].line)
                     .section(QLatin1Char('\t'), 0, 1)
                     .trimmed(),
                 QStringLiteral("Bob Ray\tSalem Depot"));
        list->close();
        Desk::settle();
        d.expectMainBack();
        QCOMPARE(d.platform.messages.size(), std::size_t(1));
    }

    // Find Contact, Print Label into the main window, a label at position 5, and the
    // hidden browser brought back as it was by Edit Contact.
    void printLabelThenEditContactShowsTheBrowserAsItWas() {
        Desk d;
        ContactRecord ann = person("Ann", "Lee", "Boston");
        ann.middleInitial = "B";
        ann.street2 = "Apt 4";
        d.openFile("Club.DAT", {person("Bob", "Ray", "Salem"), ann});
        d.typeLines({"left over"});

        control<QPushButton>(d.main, "cmdFindContact")->click();
        auto* browser = Desk::shown<frmEdDelViewContact>();
        QVERIFY(browser != nullptr);
        QCOMPARE(Desk::visibleWindows(), QStringList{QStringLiteral("frmEdDelViewContact")});
        QCOMPARE(browser->focusWidget(),
                 static_cast<QWidget*>(control<QComboBox>(browser, "cboFindContact")));
        QVERIFY(!control<QPushButton>(browser, "cmdPrintLabel")->isEnabled() &&
                !control<QPushButton>(browser, "cmdSave")->isEnabled());

        choose(browser, QStringLiteral("Ann B Lee"));
        QCOMPARE(d.state.currentRecord, 2);
        QVERIFY(control<QPushButton>(browser, "cmdPrintLabel")->isEnabled());
        // An edit not saved goes onto the label and stays in the browser.
        control<QLineEdit>(browser, "txtACNotes")->setText(QStringLiteral("not saved yet"));
        control<QLineEdit>(browser, "txtACFStreet")->setText(QStringLiteral("9 Elm St"));

        control<QCheckBox>(d.main, "chkBold")->show();
        control<QCheckBox>(d.main, "chkBold")->setChecked(true);
        control<QPushButton>(browser, "cmdPrintLabel")->click();
        d.expectMainBack();
        QCOMPARE(d.mainLines(),
                 (QStringList{"Ann B Lee", "9 Elm St", "Apt 4", "Boston, MA  02101", ""}));
        QVERIFY(control<QCheckBox>(d.main, "chkBold")->isHidden() &&
                !control<QCheckBox>(d.main, "chkBold")->isChecked());
        QCOMPARE(d.state.currentRecord, 2);

        d.platform.inputAnswers.push_back(QStringLiteral("5"));
        control<QRadioButton>(d.main, "optLMLabel")->click();
        QCOMPARE(control<QLabel>(d.main, "lblLMPosition")->text(),
                 QStringLiteral("Label Position 5"));
        const LabelSlot slot = labelSlot(kAddressSheet, 5, false);
        QCOMPARE(d.state.printOptions().leftPad, slot.startColumn);
        QCOMPARE(d.state.printOptions().topPad, slot.topLines);

        d.answerPrintDialog();
        control<QPushButton>(d.main, "cmdLMStart")->click();
        QVERIFY(d.platform.messages.empty());
        QCOMPARE(d.grid.documentCount(), 1);
        QList<QPair<int, int>> placed;
        for (const PrintedRun& r : d.grid.runs()) {
            if (r.text == "Ann B Lee") {
                placed.append({r.line, r.column});
            }
        }
        // The middle label of the second row, as the label print tests place position 5.
        QCOMPARE(placed, (QList<QPair<int, int>>{{slot.topLines + 2, slot.startColumn}}));
        QCOMPARE(slot, (LabelSlot{35, 10}));

        // The list opened and closed in between opened no contact: back to the main window.
        control<QAction>(d.main, "mnuViewAll")->trigger();
        auto* list = Desk::shown<frmViewAll>();
        QVERIFY(list != nullptr);
        control<QPushButton>(list, "cmdACGetReport")->click();
        control<QPushButton>(list, "cmdViewAllClose")->click();
        Desk::settle();
        d.expectMainBack();
        QVERIFY(browser->isHidden());

        control<QAction>(d.main, "mnuEdit")->trigger();
        QCOMPARE(Desk::shown<frmEdDelViewContact>(), browser);
        QCOMPARE(Desk::visibleWindows(), QStringList{QStringLiteral("frmEdDelViewContact")});
        QCOMPARE(d.state.currentRecord, 2);
        QCOMPARE(control<QLineEdit>(browser, "txtACNotes")->text(),
                 QStringLiteral("not saved yet"));
        QCOMPARE(control<QLineEdit>(browser, "txtACFStreet")->text(), QStringLiteral("9 Elm St"));
        QVERIFY(control<QPushButton>(browser, "cmdSave")->isEnabled() &&
                control<QLineEdit>(browser, "txtACNotes")->isEnabled());
        QCOMPARE(d.state.contacts().read(2).street, std::string("1 Elm St"));

        control<QPushButton>(browser, "cmdCancel")->click();
        Desk::settle();
        QCOMPARE(d.state.currentRecord, 0);
        d.expectMainBack();
        // A fresh browser after Close: load steps, nothing shown.
        control<QAction>(d.main, "mnuViewOne")->trigger();
        browser = Desk::shown<frmEdDelViewContact>();
        QVERIFY(browser != nullptr);
        QVERIFY(control<QLineEdit>(browser, "txtACNotes")->text().isEmpty());
        QVERIFY(!control<QPushButton>(browser, "cmdSave")->isEnabled());
        browser->close();
        Desk::settle();
        d.expectMainBack();
    }

    // A CSV imported into an empty file and exported again gives the same text; Close then
    // leaves Import and Export as they were.
    void importExportThenClose() {
        Desk d;
        d.openFile("Family.DAT", {});
        QVERIFY(d.platform.messages.empty());
        QVERIFY(!control<QAction>(d.main, "mnuFileBdayOn")->isEnabled() &&
                !control<QAction>(d.main, "mnuFileBdayOff")->isEnabled());

        const std::string csv =
            "First Name,MI,Last Name,Street1,Street2,City,State,Zip,Country,Company,Include "
            "Company in Address,Home Phone,Cell Phone,Work Phone,Email,Birthdate,Category,"
            "Notes\r\n"
            "Ann,B,Lee,1 Elm St,Apt 4,Boston,MA,02101,USA,Acme,1,617-555-0100,,,ann@x.com,"
            "04-10-1980,Golf,likes tea\r\n"
            "Bob,,Ray,5 Oak St,,Salem,OR,97301,,,0,,,,bob@x.com,,,\r\n";
        test::writeBytes(d.folder.file("people.csv"), csv);

        control<QAction>(d.main, "mnuImport")->trigger();
        auto* import = Desk::shown<frmLMImport>();
        QVERIFY(import != nullptr);
        QCOMPARE(Desk::visibleWindows(), QStringList{QStringLiteral("frmLMImport")});
        QCOMPARE(import->windowTitle(), QStringLiteral("Import Contacts  [Family]"));
        d.platform.fileAnswers.push_back(d.path("people.csv"));
        control<QPushButton>(import, "cmdCsvOpen")->click();
        control<QPushButton>(import, "cmdStartImport")->click();
        QCOMPARE(d.platform.messageTexts(),
                 QStringList{QStringLiteral("D O N E !  2 contacts successfully imported.")});
        QCOMPARE(d.state.contacts().count(), 2);
        QCOMPARE(d.state.contacts().read(1).reminder, std::string("1"));
        control<QPushButton>(import, "cmdImpCancel")->click();
        Desk::settle();
        d.expectMainBack();
        // The file has records now, saved with reminders on: they can be switched off.
        QVERIFY(!control<QAction>(d.main, "mnuFileBdayOn")->isEnabled() &&
                control<QAction>(d.main, "mnuFileBdayOff")->isEnabled());

        d.platform.clearRecords();
        control<QAction>(d.main, "mnuExport")->trigger();
        auto* exporter = Desk::shown<frmLMExport>();
        QVERIFY(exporter != nullptr);
        QCOMPARE(exporter->windowTitle(), QStringLiteral("Export Contacts  [Family]"));
        control<QRadioButton>(exporter, "optExpCGCSV")->click();
        control<QPushButton>(exporter, "cmdExpCreate")->click();
        QCOMPARE(d.platform.messageTitles(), QStringList{QStringLiteral("Export file created")});
        QCOMPARE(test::readBytes(d.folder.file("QMKC_Family.csv")), csv);
        control<QPushButton>(exporter, "cmdExpCancel")->click();
        Desk::settle();
        d.expectMainBack();

        control<QAction>(d.main, "mnuFileClose")->trigger();
        QCOMPARE(d.main.windowTitle(), QStringLiteral("Quillmark"));
        QCOMPARE(d.contactCommands(), kAllOff);
        QVERIFY(!control<QAction>(d.main, "mnuFileBdayOn")->isEnabled() &&
                !control<QAction>(d.main, "mnuFileBdayOff")->isEnabled());
        QVERIFY(control<QAction>(d.main, "mnuImport")->isEnabled() &&
                control<QAction>(d.main, "mnuExport")->isEnabled());
        QVERIFY(d.state.filePath().isEmpty() && d.state.fileTitle().isEmpty());
        QVERIFY(!d.state.contacts().isOpen());

        // Export with no file open: the command's own error, nothing written, no crash.
        d.platform.clearRecords();
        control<QAction>(d.main, "mnuExport")->trigger();
        exporter = Desk::shown<frmLMExport>();
        QVERIFY(exporter != nullptr);
        QCOMPARE(exporter->windowTitle(), QStringLiteral("Export Contacts  []"));
        control<QRadioButton>(exporter, "optExpCGCSV")->click();
        d.platform.messageAnswers.push_back(MsgAnswer::Cancel);
        control<QPushButton>(exporter, "cmdExpCreate")->click();
        QCOMPARE(d.platform.messageTitles(), QStringList{QStringLiteral("Error")});
        Desk::settle();
        d.expectMainBack();
        QCOMPARE(test::readBytes(d.folder.file("QMKC_Family.csv")), csv);
    }

    // Exit with a hidden browser and the About window still loaded.
    void exitClosesFilesAndWindowsNewestFirst() {
        Desk d;
        d.openFile("Club.DAT", {person("Ann", "Lee", "Boston")});
        control<QPushButton>(d.main, "cmdFindContact")->click();
        auto* browser = Desk::shown<frmEdDelViewContact>();
        QVERIFY(browser != nullptr);
        choose(browser, QStringLiteral("Ann  Lee"));
        control<QPushButton>(browser, "cmdPrintLabel")->click();
        d.expectMainBack();
        QPointer<QWidget> hiddenBrowser = browser;
        QVERIFY(hiddenBrowser->isHidden());

        control<QAction>(d.main, "mnuAbout")->trigger();
        auto* about = Desk::shown<frmLMAbout>();
        QVERIFY(about != nullptr);
        QCOMPARE(Desk::visibleWindows(),
                 (QStringList{QStringLiteral("frmDEdavu"), QStringLiteral("frmLMAbout")}));

        CloseOrder order;
        qApp->installEventFilter(&order);
        control<QPushButton>(d.main, "cmdLMExit")->click();
        qApp->removeEventFilter(&order);
        Desk::settle();

        QCOMPARE(order.names, (QStringList{"frmDEdavu", "frmLMAbout", "frmEdDelViewContact"}));
        QVERIFY(Desk::visibleWindows().isEmpty());
        QVERIFY(hiddenBrowser.isNull());
        QVERIFY(!d.state.contacts().isOpen());
        QCOMPARE(d.state.currentRecord, 0);
        QStringList keys;
        for (const auto& [key, value] : d.platform.settings) {
            if (key != QStringLiteral("RecentFiles")) {  // written as files open
                keys << key;
            }
        }
        QCOMPARE(keys, (QStringList{"MainLeft", "MainTop", "MainWidth", "MainHeight"}));
        QVERIFY(d.platform.messages.empty());
    }
};

QTEST_MAIN(JourneysTest)
#include "journeys_window_test.moc"
