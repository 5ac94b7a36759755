#include "contacts/contact_browser_window.h"

#include <QtTest>
#include <filesystem>
#include <functional>
#include <memory>

#include "desktop/main_window.h"
#include "records/contact_file.h"
#include "support/controls_qt.h"
#include "support/grid_printer.h"
#include "support/menu_captions_qt.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"
#include "surface/text_grid_surface.h"

using qm::test::control;

using namespace qm;

namespace {

ContactRecord person(const std::string& first, const std::string& middle, const std::string& last) {
    ContactRecord r;
    r.firstName = first;
    r.middleInitial = middle;
    r.lastName = last;
    r.city = "Springfield";
    return r;
}

std::string bytesOf(const ContactRecord& r) {
    const RecordBytes b = encodeRecord(r);
    return std::string(b.begin(), b.end());
}

}  // namespace

class ContactBrowserTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::TempFolder> folder;
    std::unique_ptr<ScriptedPlatform> platform;
    std::unique_ptr<AppState> state;
    std::unique_ptr<frmDEdavu> main;
    std::string path;

    void openFile(const std::vector<ContactRecord>& records) {
        path = folder->file("Friends.DAT");
        std::string bytes;
        for (const ContactRecord& r : records) {
            bytes += bytesOf(r);
        }
        test::writeBytes(path, bytes);
        state->openFile(QString::fromStdString(path));
        state->setReminders(false);
        main->show();
    }
    std::vector<ContactRecord> fiveContacts() {
        return {person("Ann", "", "One"), person("Ben", "", "Two"), person("Cy", "", "Three"),
                person("Di", "", "Four"), person("Ed", "", "Five")};
    }
    frmEdDelViewContact* open() { return openContactBrowser(*state, false); }
    void choose(frmEdDelViewContact* b, const QString& entry) {
        const int index = control<QComboBox>(b, "cboFindContact")->findText(entry);
        QVERIFY2(index >= 0, qPrintable(entry));
        control<QComboBox>(b, "cboFindContact")->setCurrentIndex(index);
        Q_EMIT control<QComboBox>(b, "cboFindContact")->activated(index);
    }
    static QStringList entries(const QComboBox* list) {
        QStringList texts;
        for (int i = 0; i < list->count(); ++i) {
            texts << list->itemText(i);
        }
        return texts;
    }
    std::string fileBytes() const { return test::readBytes(path); }

  private Q_SLOTS:
    void init() {
        folder = std::make_unique<test::TempFolder>();
        platform = std::make_unique<ScriptedPlatform>();
        state = std::make_unique<AppState>(*platform, QString::fromStdString(folder->path()));
        main = std::make_unique<frmDEdavu>(*state);
    }
    void cleanup() {
        delete loadedContactBrowser(*state);
        main.reset();
        state.reset();
        platform.reset();
        folder.reset();
    }

    // ---- Find list and display ----

    void findListIsSortedIgnoringCaseAndFindsByRecordNumber() {
        openFile(
            {person("Carl", "", "Smith"), person("anna", "B", "Jones"), person("Bob", "", "Lee")});
        frmEdDelViewContact* b = open();
        QVERIFY(b != nullptr);
        QCOMPARE(b->windowTitle(), QStringLiteral("Contact Information  [Friends]"));
        QCOMPARE(entries(control<QComboBox>(b, "cboFindContact")),
                 QStringList({"anna B Jones", "Bob  Lee", "Carl  Smith"}));
        QCOMPARE(control<QComboBox>(b, "cboFindContact")->itemData(1).toInt(), 3);
        QVERIFY(!control<QLineEdit>(b, "txtACFName")->isEnabled());
        QVERIFY(!control<QPushButton>(b, "cmdSave")->isEnabled());

        choose(b, QStringLiteral("Bob  Lee"));
        QCOMPARE(state->currentRecord, 3);
        QCOMPARE(control<QLineEdit>(b, "txtACFName")->text(), QStringLiteral("Bob"));
        QCOMPARE(control<QLineEdit>(b, "txtACLName")->text(), QStringLiteral("Lee"));
        for (QWidget* w : {static_cast<QWidget*>(control<QLineEdit>(b, "txtACNotes")),
                           static_cast<QWidget*>(control<QCheckBox>(b, "chkCompanyInclude")),
                           static_cast<QWidget*>(control<QPushButton>(b, "cmdSave")),
                           static_cast<QWidget*>(control<QPushButton>(b, "cmdDelete")),
                           static_cast<QWidget*>(control<QPushButton>(b, "cmdPrintLabel"))}) {
            QVERIFY(w->isEnabled());
        }
        QVERIFY(platform->messages.empty());
    }

    void controlsCarryTheirCaptionsTipsAndTabOrder() {
        openFile({person("Ann", "", "One")});
        frmEdDelViewContact* b = open();
        struct Expect {
            const char* name;
            const char* caption;
            const char* tip;
        };
        const Expect buttons[] = {
            {"cmdFirst", "|<", "Jump to first contact in file"},
            {"cmdPrevious", "<", "Previous contact"},
            {"cmdNext", ">", "Next contact"},
            {"cmdLast", ">|", "Jump to last contact in file"},
            {"cmdSave", "Save changes", ""},
            {"cmdDelete", "Delete contact", ""},
            {"cmdPrintLabel", "Print Label", ""},
            {"cmdCancel", "Close", "Return to main screen"},
            {"cmdStateAbb", "?", "Look up State abbreviations"},
            {"cmdZipFinder", "Zip Code Finder", "Look up Zip Code"},
            {"cmdPeopleFind", "People Finder", ""},
        };
        for (const Expect& e : buttons) {
            auto* button = control<QPushButton>(b, e.name);
            QVERIFY2(button != nullptr, e.name);
            QCOMPARE(button->text(), QString::fromLatin1(e.caption));
            QCOMPARE(button->toolTip(), QString::fromLatin1(e.tip));
        }
        QCOMPARE(control<QLabel>(b, "lblACCompOnLabel")->text(),
                 QStringLiteral("Include Company Name in Address"));
        QCOMPARE(control<QCheckBox>(b, "chkCompanyInclude")->toolTip(),
                 QStringLiteral("If checked, Company Name will be included when printing address"));
        // The navigation row runs |< < > >| from left to right, below the fields.
        QVERIFY(control<QPushButton>(b, "cmdFirst")->x() <
                control<QPushButton>(b, "cmdPrevious")->x());
        QVERIFY(control<QPushButton>(b, "cmdPrevious")->x() <
                control<QPushButton>(b, "cmdNext")->x());
        QVERIFY(control<QPushButton>(b, "cmdNext")->x() < control<QPushButton>(b, "cmdLast")->x());
        QVERIFY(control<QComboBox>(b, "cboFindContact")->mapTo(b, QPoint()).y() <
                control<QLineEdit>(b, "txtACFName")->mapTo(b, QPoint()).y());
        QVERIFY(control<QPushButton>(b, "cmdFirst")->mapTo(b, QPoint()).y() >
                control<QLineEdit>(b, "txtACNotes")->mapTo(b, QPoint()).y());

        const std::pair<QMenu*, QStringList> menus[] = {
            {control<QMenu>(b, "mnuEDVFile"), {"Print", "Print Preview"}},
            {control<QMenu>(b, "mnuEDVEdit"), {"Cut", "Copy", "Paste"}},
            {control<QMenu>(b, "mnuEDVHelp"), {"User Manual", "About Quillmark"}},
        };
        QStringList titles;
        for (const auto& [menu, items] : menus) {
            titles << test::withoutAltKey(menu->title());
            QCOMPARE(test::menuCaptions(menu), items);
        }
        QCOMPARE(titles, QStringList({"File", "Edit", "Help"}));

        // Find list first, then the fields in form order, then the box.
        choose(b, QStringLiteral("Ann  One"));
        control<QLineEdit>(b, "txtACCompany")->setText(QStringLiteral("Acme"));
        QStringList order;
        for (QWidget* at = control<QComboBox>(b, "cboFindContact"); order.size() < 19;
             at = at->nextInFocusChain()) {
            if ((at->focusPolicy() & Qt::TabFocus) && at->focusProxy() == nullptr) {
                order << at->objectName();
            }
        }
        QCOMPARE(order,
                 (QStringList{"cboFindContact", "txtACFName", "txtACMiddleInit", "txtACLName",
                              "txtACFStreet", "txtACSStreet", "txtACCity", "txtACState", "txtACZip",
                              "txtACCountry", "txtACCompany", "txtACBirthdate", "txtACHPhone",
                              "txtACCPhone", "txtACWPhone", "txtACEmail", "txtACCategory",
                              "txtACNotes", "chkCompanyInclude"}));
    }

    void editMenuWorksOnTheFocusedField() {
        openFile({person("Ann", "", "One")});
        frmEdDelViewContact* b = open();
        choose(b, QStringLiteral("Ann  One"));
        b->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(b));
        control<QLineEdit>(b, "txtACCity")->setFocus();
        control<QLineEdit>(b, "txtACCity")->setSelection(0, 6);
        Q_EMIT control<QMenu>(b, "mnuEDVEdit")->aboutToShow();
        QVERIFY(control<QAction>(b, "mnuEDVEditCut")->isEnabled());
        control<QAction>(b, "mnuEDVEditCut")->trigger();
        QCOMPARE(platform->clipboard, QStringLiteral("Spring"));
        QCOMPARE(control<QLineEdit>(b, "txtACCity")->text(), QStringLiteral("field"));
        Q_EMIT control<QMenu>(b, "mnuEDVEdit")->aboutToShow();
        QVERIFY(!control<QAction>(b, "mnuEDVEditCopy")->isEnabled());
        QVERIFY(control<QAction>(b, "mnuEDVEditPaste")->isEnabled());
        control<QAction>(b, "mnuEDVEditPaste")->trigger();
        QCOMPARE(control<QLineEdit>(b, "txtACCity")->text(), QStringLiteral("Springfield"));
    }

    void typingIntoTheFindListFindsNothing() {
        openFile({person("Carl", "", "Smith"), person("Bob", "", "Lee")});
        frmEdDelViewContact* b = open();
        QCOMPARE(control<QComboBox>(b, "cboFindContact")->placeholderText(),
                 QStringLiteral("Select Contact"));
        control<QComboBox>(b, "cboFindContact")->setFocus();
        QTest::keyClicks(control<QComboBox>(b, "cboFindContact"), QStringLiteral("Bo"));
        QTest::keyClick(control<QComboBox>(b, "cboFindContact"), Qt::Key_Return);
        QCOMPARE(state->currentRecord, 0);
        QVERIFY(control<QLineEdit>(b, "txtACFName")->text().isEmpty());
        QCOMPARE(entries(control<QComboBox>(b, "cboFindContact")),
                 QStringList({"Bob  Lee", "Carl  Smith"}));
        // Choosing an entry with the keyboard is a choice: it finds.
        QTest::keyClick(control<QComboBox>(b, "cboFindContact"), Qt::Key_Down);
        QCOMPARE(state->currentRecord, 2);
        QCOMPARE(control<QLineEdit>(b, "txtACFName")->text(), QStringLiteral("Bob"));
        QVERIFY(control<QPushButton>(b, "cmdSave")->isEnabled());
    }

    void companyBoxFollowsTheCompanyName() {
        ContactRecord plain = person("Ann", "", "One");
        ContactRecord firm = person("Ben", "", "Two");
        firm.company = "Acme";
        firm.includeCompany = "0";
        openFile({plain, firm});
        frmEdDelViewContact* b = open();
        choose(b, QStringLiteral("Ann  One"));
        QVERIFY(control<QCheckBox>(b, "chkCompanyInclude")->isHidden());
        QVERIFY(control<QLabel>(b, "lblACCompOnLabel")->isHidden());

        QTest::keyClick(control<QLineEdit>(b, "txtACCompany"), Qt::Key_X);
        QVERIFY(!control<QCheckBox>(b, "chkCompanyInclude")->isHidden());
        QVERIFY(!control<QLabel>(b, "lblACCompOnLabel")->isHidden());
        QVERIFY(control<QCheckBox>(b, "chkCompanyInclude")->isChecked());
        control<QLineEdit>(b, "txtACCompany")->clear();
        QVERIFY(!control<QCheckBox>(b, "chkCompanyInclude")->isHidden());
        QVERIFY(!control<QLabel>(b, "lblACCompOnLabel")->isHidden());
        QVERIFY(!control<QCheckBox>(b, "chkCompanyInclude")->isChecked());

        // A shown contact keeps its stored flag, even though setting the name ticked the box.
        choose(b, QStringLiteral("Ben  Two"));
        QVERIFY(!control<QCheckBox>(b, "chkCompanyInclude")->isHidden());
        QVERIFY(!control<QCheckBox>(b, "chkCompanyInclude")->isChecked());
        // Back to a contact without company: both hidden again.
        choose(b, QStringLiteral("Ann  One"));
        QVERIFY(control<QCheckBox>(b, "chkCompanyInclude")->isHidden());
        QVERIFY(control<QLabel>(b, "lblACCompOnLabel")->isHidden());
    }

    // ---- Navigation ----

    void navigationStopsAtBothEnds() {
        openFile({person("Ann", "", "One"), person("Ben", "", "Two"), person("Cy", "", "Three")});
        frmEdDelViewContact* b = open();

        control<QPushButton>(b, "cmdPrevious")->click();
        QCOMPARE(platform->messageTexts(), QStringList{"Beginning of file."});
        QCOMPARE(platform->messageTitles(), QStringList{"Start of file reached"});
        QCOMPARE(state->currentRecord, 0);

        control<QPushButton>(b, "cmdNext")->click();  // from no contact to record 1
        QCOMPARE(state->currentRecord, 1);
        QCOMPARE(control<QLineEdit>(b, "txtACFName")->text(), QStringLiteral("Ann"));
        QVERIFY(!control<QLineEdit>(b, "txtACFName")->isEnabled());  // navigation enables nothing
        QVERIFY(!control<QPushButton>(b, "cmdSave")->isEnabled());

        control<QPushButton>(b, "cmdLast")->click();
        QCOMPARE(state->currentRecord, 3);
        platform->clearRecords();
        control<QPushButton>(b, "cmdNext")->click();
        QCOMPARE(platform->messageTexts(), QStringList{"End of file."});
        QCOMPARE(platform->messageTitles(), QStringList{"No more contacts"});
        QCOMPARE(state->currentRecord, 3);
        QCOMPARE(control<QLineEdit>(b, "txtACFName")->text(), QStringLiteral("Cy"));

        control<QPushButton>(b, "cmdPrevious")->click();
        QCOMPARE(state->currentRecord, 2);
        control<QPushButton>(b, "cmdFirst")->click();
        QCOMPARE(state->currentRecord, 1);
        platform->clearRecords();
        control<QPushButton>(b, "cmdPrevious")->click();
        QCOMPARE(platform->messageTexts(), QStringList{"Beginning of file."});
        QCOMPARE(state->currentRecord, 1);
    }

    void navigationRebuildsTheFindList() {
        openFile({person("Ann", "", "One"), person("Ben", "", "Two")});
        frmEdDelViewContact* b = open();
        // A record added behind the browser's back shows once it navigates.
        state->contacts().append(person("Al", "", "Zed"));
        control<QPushButton>(b, "cmdLast")->click();
        QCOMPARE(state->currentRecord, 3);
        QCOMPARE(entries(control<QComboBox>(b, "cboFindContact")),
                 QStringList({"Al  Zed", "Ann  One", "Ben  Two"}));
    }

    void firstAndLastOnAnEmptyFileDoNothing() {
        openFile({});
        frmEdDelViewContact* b = open();
        control<QPushButton>(b, "cmdFirst")->click();
        control<QPushButton>(b, "cmdLast")->click();
        QVERIFY(platform->messages.empty());
        QCOMPARE(state->currentRecord, 0);
        QCOMPARE(fileBytes(), std::string());
        control<QPushButton>(b, "cmdNext")->click();
        QCOMPARE(platform->messageTexts(), QStringList{"End of file."});
        QCOMPARE(fileBytes(), std::string());
    }

    // ---- Save ----

    void saveRewritesTheContactInPlace() {
        const std::vector<ContactRecord> records = {
            person("Ann", "", "One"), person("Ben", "", "Two"), person("Cy", "", "Three")};
        openFile(records);
        frmEdDelViewContact* b = open();
        choose(b, QStringLiteral("Ben  Two"));
        control<QLineEdit>(b, "txtACState")->setText(QStringLiteral("n"));
        control<QLineEdit>(b, "txtACCountry")->setText(QStringLiteral("U,S,A"));
        control<QLineEdit>(b, "txtACWPhone")->setText(QStringLiteral("(555) 123-4567"));
        control<QPushButton>(b, "cmdSave")->click();

        QCOMPARE(platform->messageTitles(), QStringList{"Changes saved"});
        QCOMPARE(platform->messageTexts(), QStringList{"S A V E D"});
        QCOMPARE(control<QLineEdit>(b, "txtACCountry")->text(), QStringLiteral("USA"));
        QCOMPARE(control<QLineEdit>(b, "txtACWPhone")->text(), QStringLiteral("555-123-4567"));
        QVERIFY(b->isVisible());

        ContactRecord expected = records[1];
        expected.state = "N";
        expected.country = "USA";
        expected.workPhone = "555-123-4567";
        QCOMPARE(fileBytes(), bytesOf(records[0]) + bytesOf(expected) + bytesOf(records[2]));
    }

    void saveSetsTheReminderFlagFromTheMainWindow() {
        openFile({person("Ann", "", "One")});
        state->resetReminders();  // reminders on, as in a file without records
        frmEdDelViewContact* b = open();
        choose(b, QStringLiteral("Ann  One"));
        control<QPushButton>(b, "cmdSave")->click();
        QCOMPARE(state->contacts().read(1).reminder, std::string("1"));
        QVERIFY(control<QAction>(main, "mnuFileBdayOff")->isEnabled());
    }

    void saveKeepsTheCompanyBoxAsTheUserLeftIt() {
        ContactRecord firm = person("Ann", "", "One");
        firm.company = "Acme";
        firm.includeCompany = "1";
        openFile({firm});
        frmEdDelViewContact* b = open();
        choose(b, QStringLiteral("Ann  One"));
        control<QLineEdit>(b, "txtACCompany")->setText(QStringLiteral("Acme, Inc"));
        control<QCheckBox>(b, "chkCompanyInclude")->setChecked(false);
        control<QPushButton>(b, "cmdSave")->click();
        // The comma goes, and the box the user cleared stays cleared.
        QCOMPARE(control<QLineEdit>(b, "txtACCompany")->text(), QStringLiteral("Acme Inc"));
        QVERIFY(!control<QCheckBox>(b, "chkCompanyInclude")->isChecked());
        QCOMPARE(state->contacts().read(1).company, std::string("Acme Inc"));
        QCOMPARE(state->contacts().read(1).includeCompany, std::string("0"));
    }

    void failedCheckWritesNothing() {
        openFile({person("Ann", "", "One")});
        const std::string before = fileBytes();
        frmEdDelViewContact* b = open();
        choose(b, QStringLiteral("Ann  One"));
        control<QLineEdit>(b, "txtACState")->setText(QStringLiteral("NYC"));
        control<QPushButton>(b, "cmdSave")->click();
        QCOMPARE(platform->messageTexts(), QStringList{"State must be 2 character abbreviation."});
        QCOMPARE(platform->messageTitles(), QStringList{"Incorrect entry"});
        QCOMPARE(b->focusWidget(), control<QLineEdit>(b, "txtACState"));
        QCOMPARE(fileBytes(), before);
    }

    void saveKeepsCodePageTextAndRefusesOverlongNotes() {
        ContactRecord zoe = person("Zo\xC3\xAB", "", "M\xC3\xBCller");
        openFile({person("Ann", "", "One"), zoe});
        frmEdDelViewContact* b = open();
        QCOMPARE(entries(control<QComboBox>(b, "cboFindContact")),
                 QStringList({"Ann  One", "Zo\u00EB  M\u00FCller"}));
        choose(b, QStringLiteral("Zo\u00EB  M\u00FCller"));
        QCOMPARE(state->currentRecord, 2);

        control<QLineEdit>(b, "txtACNotes")->setText(QString(161, QLatin1Char('n')));
        control<QPushButton>(b, "cmdSave")->click();
        QCOMPARE(platform->messageTexts(), QStringList{"Notes must be 160 characters or less."});
        QCOMPARE(b->focusWidget(), control<QLineEdit>(b, "txtACNotes"));
        QCOMPARE(fileBytes().size(), std::size_t{2 * 513});

        // The euro sign is in the code page; the emoji is not, has no letters, and is left
        // out once the user agrees.
        control<QLineEdit>(b, "txtACNotes")
            ->setText(QStringLiteral("5 \u20AC ") + QString::fromUtf8("\xF0\x9F\x98\x80"));
        control<QLineEdit>(b, "txtACCountry")->setText(QStringLiteral("\u00D6sterreich"));
        platform->clearRecords();
        control<QPushButton>(b, "cmdSave")->click();
        QCOMPARE(platform->messageTitles(), (QStringList{"Letters changed", "Changes saved"}));
        ContactRecord expected = zoe;
        expected.notes = "5 \xE2\x82\xAC";
        expected.country = "\xC3\x96STERREICH";
        QCOMPARE(fileBytes(), bytesOf(person("Ann", "", "One")) + bytesOf(expected));
    }

    // ---- Unsaved changes ----

    // Every way away from a changed contact asks first. Save writes through Save's own checks,
    // Discard drops the change, Cancel stays on the contact with the change still typed.
    void leavingAChangedContactAsksFirst() {
        const std::pair<std::function<void(frmEdDelViewContact*)>, int> moves[] = {
            {[](auto* b) { control<QPushButton>(b, "cmdFirst")->click(); }, 1},
            {[](auto* b) { control<QPushButton>(b, "cmdPrevious")->click(); }, 1},
            {[](auto* b) { control<QPushButton>(b, "cmdNext")->click(); }, 3},
            {[](auto* b) { control<QPushButton>(b, "cmdLast")->click(); }, 3},
            {[this](auto* b) { choose(b, QStringLiteral("Cy  Three")); }, 3},
            {[](auto* b) { control<QPushButton>(b, "cmdCancel")->click(); }, 0}};
        const auto records = std::vector<ContactRecord>{
            person("Ann", "", "One"), person("Ben", "", "Two"), person("Cy", "", "Three")};
        ContactRecord saved = records[1];
        saved.city = "Troy";
        for (const auto& [move, target] : moves) {
            for (MsgAnswer answer : {MsgAnswer::Save, MsgAnswer::Discard, MsgAnswer::Cancel}) {
                cleanup();
                init();
                openFile(records);
                frmEdDelViewContact* b = open();
                choose(b, QStringLiteral("Ben  Two"));
                control<QLineEdit>(b, "txtACCity")->setText(QStringLiteral("Troy"));
                platform->messageAnswers = {answer, MsgAnswer::Ok};
                move(b);

                QCOMPARE(platform->messageTitles().value(0), QStringLiteral("Unsaved changes"));
                QCOMPARE(platform->messages[0].buttons, MsgButtons::SaveDiscardCancel);
                QCOMPARE(state->contacts().read(2), answer == MsgAnswer::Save ? saved : records[1]);
                const bool stays = answer == MsgAnswer::Cancel;
                QCOMPARE(state->currentRecord, stays ? 2 : target);
                QCOMPARE(loadedContactBrowser(*state) == nullptr, !stays && target == 0);
                if (stays) {
                    QCOMPARE(control<QLineEdit>(b, "txtACCity")->text(), QStringLiteral("Troy"));
                    QCOMPARE(control<QComboBox>(b, "cboFindContact")->currentText(),
                             QStringLiteral("Ben  Two"));
                }
            }
        }
    }

    void aFailedCheckOnTheWayOutStaysOnTheContact() {
        openFile({person("Ann", "", "One"), person("Ben", "", "Two")});
        frmEdDelViewContact* b = open();
        choose(b, QStringLiteral("Ben  Two"));
        control<QLineEdit>(b, "txtACState")->setText(QStringLiteral("NYC"));
        platform->messageAnswers = {MsgAnswer::Save};
        control<QPushButton>(b, "cmdFirst")->click();
        QCOMPARE(platform->messageTitles(), QStringList({"Unsaved changes", "Incorrect entry"}));
        QCOMPARE(state->currentRecord, 2);
        QCOMPARE(b->focusWidget(), control<QLineEdit>(b, "txtACState"));
        // Unchanged again, the contact is left without a question.
        control<QLineEdit>(b, "txtACState")->setText(QString());
        platform->clearRecords();
        control<QPushButton>(b, "cmdFirst")->click();
        QVERIFY(platform->messages.empty());
        QCOMPARE(state->currentRecord, 1);
    }

    // Changes in a browser hidden by Print Label are settled at exit, while the file is open.
    void exitAsksAboutChangesInAHiddenBrowser() {
        openFile({person("Ann", "", "One")});
        frmEdDelViewContact* b = open();
        choose(b, QStringLiteral("Ann  One"));
        control<QLineEdit>(b, "txtACCity")->setText(QStringLiteral("Troy"));
        control<QPushButton>(b, "cmdPrintLabel")->click();
        platform->messageAnswers = {MsgAnswer::Cancel, MsgAnswer::Save, MsgAnswer::Ok};
        main->close();
        QVERIFY(main->isVisible() && state->contacts().isOpen());
        main->close();
        QVERIFY(!main->isVisible());
        ContactFile written;
        written.open(path);
        QCOMPARE(written.read(1).city, std::string("Troy"));
    }

    // ---- Delete ----

    void deleteRemovesTheContactAndClosesTheBrowser() {
        const auto records = fiveContacts();
        openFile(records);
        frmEdDelViewContact* b = open();
        choose(b, QStringLiteral("Ben  Two"));
        platform->messageAnswers = {MsgAnswer::Yes, MsgAnswer::Ok};
        control<QPushButton>(b, "cmdDelete")->click();

        QCOMPARE(platform->messageTitles(), QStringList({"Confirm deletion.", "Contact deleted."}));
        QCOMPARE(platform->messageTexts(),
                 QStringList({"WARNING!  This will delete entire contact from your file.\n"
                              "Do you REALLY want to delete this contact?",
                              "Contact deleted!"}));
        QCOMPARE(platform->messages[0].buttons, MsgButtons::YesNo);
        QCOMPARE(platform->messages[0].defaultButton, MsgDefault::Second);
        QCOMPARE(fileBytes(), bytesOf(records[0]) + bytesOf(records[2]) + bytesOf(records[3]) +
                                  bytesOf(records[4]));
        QCOMPARE(state->contacts().count(), 4);
        QCOMPARE(state->currentRecord, 0);
        QVERIFY(loadedContactBrowser(*state) == nullptr);
        QVERIFY(main->isVisible());
        for (const auto& entry : std::filesystem::directory_iterator(folder->path())) {
            QVERIFY(entry.path().filename().string().rfind(".qmk-tmp.", 0) != 0);
        }
    }

    void noToTheDeleteQuestionKeepsEverything() {
        openFile(fiveContacts());
        const std::string before = fileBytes();
        frmEdDelViewContact* b = open();
        choose(b, QStringLiteral("Cy  Three"));
        // Enter answers No.
        control<QPushButton>(b, "cmdDelete")->click();
        QCOMPARE(platform->unanswered, 1);

        QCOMPARE(platform->messageTexts().last(), QStringLiteral("Nothing deleted..."));
        QCOMPARE(platform->messageTitles().last(), QStringLiteral("Deletion not performed."));
        QCOMPARE(fileBytes(), before);
        QCOMPARE(state->currentRecord, 3);
        QCOMPARE(control<QLineEdit>(b, "txtACFName")->text(), QStringLiteral("Cy"));
        QVERIFY(b->isVisible());
        QCOMPARE(b->focusWidget(), control<QPushButton>(b, "cmdCancel"));
    }

    void failedCompactionIsNotReportedAsADeletion() {
        const auto records = fiveContacts();
        openFile(records);
        // Another command holding the file makes the deletion fail.
        qm::ContactFile other;
        other.open(state->contacts().path());
        auto held = std::make_unique<qm::ContactFile::Lock>(other, qm::LockKind::Shared);
        state->contacts().setLockWait(std::chrono::milliseconds(100));
        frmEdDelViewContact* b = open();
        choose(b, QStringLiteral("Ben  Two"));
        platform->messageAnswers = {MsgAnswer::Yes, MsgAnswer::Retry};
        control<QPushButton>(b, "cmdDelete")->click();

        QCOMPARE(platform->messageTitles(), QStringList({"Confirm deletion.", "Error"}));
        QCOMPARE(platform->messageTexts().last(),
                 QStringLiteral("An error has occurred. Error number 70 -- The contact file is in "
                                "use by another Quillmark window or command.  Try again, or "
                                "notify author."));
        QCOMPARE(platform->messages.back().buttons, MsgButtons::RetryCancel);
        // Retry leaves the browser as it was; every other contact is still on disk.
        QVERIFY(b->isVisible());
        QCOMPARE(state->currentRecord, 2);
        QCOMPARE(state->contacts().count(), 5);
        for (int n : {1, 3, 4, 5}) {
            QCOMPARE(state->contacts().read(n), records[static_cast<std::size_t>(n - 1)]);
        }

        platform->messageAnswers = {MsgAnswer::Yes, MsgAnswer::Cancel};
        control<QPushButton>(b, "cmdDelete")->click();
        QVERIFY(loadedContactBrowser(*state) == nullptr);
        QVERIFY(main->isVisible());
        held.reset();
    }

    // ---- Ways in and out ----

    void closeForgetsTheContact() {
        openFile({person("Ann", "", "One")});
        frmEdDelViewContact* b = open();
        QVERIFY(!main->isVisible());
        choose(b, QStringLiteral("Ann  One"));
        control<QPushButton>(b, "cmdCancel")->click();
        QCOMPARE(state->currentRecord, 0);
        QVERIFY(loadedContactBrowser(*state) == nullptr);
        QVERIFY(main->isVisible());
        // The next opening starts afresh.
        frmEdDelViewContact* again = open();
        QVERIFY(control<QLineEdit>(again, "txtACFName")->text().isEmpty());
        QVERIFY(!control<QPushButton>(again, "cmdSave")->isEnabled());
    }

    void printLabelHandsTheContactToTheMainWindow() {
        ContactRecord jane = person("Jane", "", "Doe");
        jane.company = "Acme";
        jane.includeCompany = "1";
        jane.street = "1 Main St";
        jane.state = "IL";
        jane.zip = "12345";
        openFile({person("Ann", "", "One"), jane});
        control<QCheckBox>(main, "chkBold")->show();
        control<QCheckBox>(main, "chkBold")->setChecked(true);
        frmEdDelViewContact* b = open();
        choose(b, QStringLiteral("Jane  Doe"));
        control<QPushButton>(b, "cmdPrintLabel")->click();

        QVERIFY(!b->isVisible());
        QCOMPARE(loadedContactBrowser(*state), b);
        QVERIFY(main->isVisible());
        QCOMPARE(main->focusWidget(), control<QLineEdit>(main, "txtLMLine1"));
        QVERIFY(control<QCheckBox>(main, "chkBold")->isHidden());
        QVERIFY(!control<QCheckBox>(main, "chkBold")->isChecked());
        QCOMPARE(control<QLineEdit>(main, "txtLMLine1")->text(), QStringLiteral("Jane Doe"));
        QCOMPARE(control<QLineEdit>(main, "txtLMLine2")->text(), QStringLiteral("Acme"));
        QCOMPARE(control<QLineEdit>(main, "txtLMline3")->text(), QStringLiteral("1 Main St"));
        QCOMPARE(control<QLineEdit>(main, "txtLMLine4")->text(),
                 QStringLiteral("Springfield, IL  12345"));
        QCOMPARE(control<QLineEdit>(main, "txtLMLine5")->text(), QString());

        // Opening again shows the same browser as it was, without the load steps.
        QCOMPARE(openContactBrowser(*state, true), b);
        QVERIFY(b->isVisible());
        QCOMPARE(state->currentRecord, 2);
        QCOMPARE(control<QLineEdit>(b, "txtACFName")->text(), QStringLiteral("Jane"));
        QVERIFY(control<QPushButton>(b, "cmdSave")->isEnabled());
        QCOMPARE(b->focusWidget(), control<QComboBox>(b, "cboFindContact"));
    }

    void aBrowserKeptAfterPrintLabelDoesNotSurviveAnotherFile() {
        openFile({person("Ann", "", "One"), person("Ben", "", "Two")});
        frmEdDelViewContact* b = open();
        choose(b, QStringLiteral("Ben  Two"));
        control<QPushButton>(b, "cmdPrintLabel")->click();
        QVERIFY(loadedContactBrowser(*state) != nullptr);

        const std::string other = folder->file("Other.DAT");
        test::writeBytes(other, bytesOf(person("Zed", "", "Zulu")));
        platform->fileAnswers = {QString::fromStdString(other)};
        control<QAction>(main, "mnuFileOpen")->trigger();
        QVERIFY(loadedContactBrowser(*state) == nullptr);
        QCOMPARE(state->currentRecord, 0);
        frmEdDelViewContact* fresh = openContactBrowser(*state, false);
        QVERIFY(!control<QPushButton>(fresh, "cmdSave")->isEnabled());

        fresh->close();
        control<QAction>(main, "mnuFileClose")->trigger();
        QVERIFY(loadedContactBrowser(*state) == nullptr);
    }

    void openingOnARecordShowsItReadyToEdit() {
        openFile({person("Carl", "", "Smith"), person("anna", "B", "Jones")});
        frmEdDelViewContact* b = openContactBrowserOnRecord(*state, 2);
        QVERIFY(b != nullptr);
        QCOMPARE(state->currentRecord, 2);
        QCOMPARE(control<QLineEdit>(b, "txtACFName")->text(), QStringLiteral("anna"));
        QVERIFY(control<QLineEdit>(b, "txtACFName")->isEnabled());
        QVERIFY(control<QPushButton>(b, "cmdDelete")->isEnabled());
        QCOMPARE(control<QComboBox>(b, "cboFindContact")->count(), 2);
        QCOMPARE(b->focusWidget(), control<QComboBox>(b, "cboFindContact"));
        // A pasted list line carries record number 0: that fails before anything opens.
        delete b;
        QVERIFY_THROWS_EXCEPTION(QmError, openContactBrowserOnRecord(*state, 0));
        QVERIFY(loadedContactBrowser(*state) == nullptr);
    }

    // ---- Details sheet ----

    void detailsSheetPrintsCopiesOrTheSelection() {
        ContactRecord ann = person("Ann", "", "One");
        ann.notes = "Likes green tea";
        openFile({ann});
        frmEdDelViewContact* b = open();
        choose(b, QStringLiteral("Ann  One"));

        TextGridSurface sheet;
        platform->printAnswers.push_back(
            {false, 2, false, [&] { return std::make_unique<test::GridPrinter>(sheet); }});
        control<QAction>(b, "mnuEDVPrint")->trigger();
        QCOMPARE(sheet.pageCount(), 2);
        QCOMPARE(sheet.documentCount(), 1);
        QVERIFY(sheet.renderText().find("Ann  One") != std::string::npos);
        QVERIFY(platform->printRequests.back().allowSelection);

        TextGridSurface selection;
        control<QLineEdit>(b, "txtACNotes")->setFocus();
        control<QLineEdit>(b, "txtACNotes")->setSelection(6, 5);
        platform->printAnswers.push_back(
            {false, 1, true, [&] { return std::make_unique<test::GridPrinter>(selection); }});
        control<QAction>(b, "mnuEDVPrint")->trigger();
        QCOMPARE(selection.pageLines(1), (std::vector<std::string>{"", "green"}));

        // Cancel prints nothing and says nothing.
        platform->printAnswers.push_back({true, 1, false, {}});
        control<QAction>(b, "mnuEDVPrint")->trigger();
        QVERIFY(platform->messages.empty());
    }
};

QTEST_MAIN(ContactBrowserTest)
#include "contact_browser_window_test.moc"
