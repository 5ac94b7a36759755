#include <QApplication>
#include <QPointer>
#include <QtTest>
#include <memory>

#include "contacts/add_contact_window.h"
#include "contacts/contact_form_window.h"
#include "desktop/main_window.h"
#include "platform/lookups.h"
#include "records/text_rules.h"
#include "support/controls_qt.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

using qm::test::control;

namespace {

void flushDeletes() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A main window with an open, empty contact file called Friends.
struct Desk {
    qm::test::TempFolder folder;
    qm::ScriptedPlatform platform;
    qm::AppState state{platform, QString::fromStdString(folder.path())};
    std::string path = folder.file("Friends.DAT");
    std::unique_ptr<frmDEdavu> main;

    explicit Desk(bool remindersOn = true) {
        main = std::make_unique<frmDEdavu>(state);
        main->show();
        state.openFile(QString::fromStdString(path));
        // As after opening an empty file: reminders on, not yet switchable; or off.
        if (!remindersOn) {
            state.setReminders(false);
        }
    }

    // An Add Contact window a failed check left open must not leak into the next test.
    ~Desk() {
        while (frmNewContact* w = addWindow()) {
            w->close();
        }
        flushDeletes();
    }

    frmNewContact* addWindow() const {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* add = qobject_cast<frmNewContact*>(w); add != nullptr && add->isVisible()) {
                return add;
            }
        }
        return nullptr;
    }

    frmNewContact* openAdd() {
        control<QPushButton>(main, "cmdAddContact")->click();
        return addWindow();
    }
};

QLineEdit* field(frmNewContact* w, const char* name) {
    return control<QLineEdit>(w, QString::fromLatin1(name));
}

void type(frmNewContact* w, const char* name, const QString& text) {
    QTest::keyClicks(field(w, name), text);
}

// The stored record, laid out field by field, independent of the record encoder.
std::string recordBytes(const std::vector<std::pair<std::string, std::size_t>>& fields) {
    std::string out;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        out += qm::fitWidth(fields[i].first, fields[i].second);
        if (i + 1 < fields.size()) {
            out += '|';
        }
    }
    return out + "\r\n";
}

}  // namespace

class AddContactWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void opensEmptyInPlaceOfTheMainWindow() {
        Desk desk;
        frmNewContact* w = desk.openAdd();
        QVERIFY(w != nullptr);
        QCOMPARE(w->windowTitle(), QStringLiteral("Add Contact  [Friends]"));
        QVERIFY(!desk.main->isVisible());
        QCOMPARE(w->focusWidget(), control<QLineEdit>(w, "txtACFName"));
        QVERIFY(!control<QCheckBox>(w, "chkIncComp")->isVisible());
        QVERIFY(!control<QLabel>(w, "lblIncCompName")->isVisible());
        for (qm::ContactField f : qm::kAllContactFields) {
            QVERIFY(control<QLineEdit>(w, qm::fieldControlName(f))->text().isEmpty());
        }
        // Tab order runs through the seventeen fields in form order.
        QStringList order;
        for (QWidget* at = control<QLineEdit>(w, "txtACFName"); order.size() < 17;
             at = at->nextInFocusChain()) {
            if (at->focusPolicy() & Qt::TabFocus) {
                order << at->objectName();
            }
        }
        QCOMPARE(order,
                 (QStringList{"txtACFName", "txtACMiddleInit", "txtACLName", "txtACFStreet",
                              "txtACSStreet", "txtACCity", "txtACState", "txtACZip", "txtACCountry",
                              "txtACCompany", "txtACBirthdate", "txtACHPhone", "txtACCPhone",
                              "txtACWPhone", "txtACEmail", "txtACCategory", "txtACNotes"}));
        QCOMPARE(control<QLabel>(w, "lblACCategory")->text(), QStringLiteral("Category:"));
        QVERIFY(control<QLineEdit>(w, "txtACCategory")
                    ->toolTip()
                    .startsWith("Enter one or more categories"));
        w->close();
    }

    void theDefaultSizeShowsAWholeStreetAndKeepsButtonsTheirSize() {
        Desk desk;
        frmNewContact* w = desk.openAdd();
        QTest::keyClicks(control<QLineEdit>(w, "txtACCompany"), QStringLiteral("Acme"));
        w->adjustSize();
        QCoreApplication::processEvents();
        const QFontMetrics metrics(control<QLineEdit>(w, "txtACFStreet")->font());
        QVERIFY(control<QLineEdit>(w, "txtACFStreet")->width() >=
                metrics.horizontalAdvance(QString(30, QLatin1Char('0'))));
        // The wide company row must not stretch the look-up buttons of the other rows.
        QCOMPARE(control<QPushButton>(w, "cmdStateAbb")->width(),
                 control<QPushButton>(w, "cmdStateAbb")->sizeHint().width());
        QCOMPARE(control<QPushButton>(w, "cmdPeopleFind")->width(),
                 control<QPushButton>(w, "cmdPeopleFind")->sizeHint().width());
        QVERIFY(control<QLabel>(w, "lblIncCompName")->x() >
                control<QCheckBox>(w, "chkIncComp")->x());
        QVERIFY(control<QLabel>(w, "lblIncCompName")->x() -
                    (control<QCheckBox>(w, "chkIncComp")->x() +
                     control<QCheckBox>(w, "chkIncComp")->width()) <
                20);
        w->close();
    }

    void aWholeAddWritesTheRecordByteForByte() {
        Desk desk(/*remindersOn=*/true);
        frmNewContact* w = desk.openAdd();
        type(w, "txtACFName", "  John");
        type(w, "txtACMiddleInit", "q.");
        type(w, "txtACLName", "Public, Jr");
        type(w, "txtACFStreet", "12 Oak St, Apt 4");
        type(w, "txtACCity", "Salem,");
        type(w, "txtACState", "or");
        type(w, "txtACZip", "97301");
        type(w, "txtACCountry", "u,s");
        type(w, "txtACCompany", "Acme, Inc");
        QVERIFY(control<QCheckBox>(w, "chkIncComp")->isVisible());
        control<QCheckBox>(w, "chkIncComp")->setChecked(true);
        type(w, "txtACBirthdate", "04/10/1980");
        type(w, "txtACHPhone", "(503) 555-0100");
        type(w, "txtACEmail", "jq@public.org");
        type(w, "txtACCategory", "Golf,Tennis");
        QPointer<frmNewContact> guard(w);

        control<QPushButton>(w, "cmdSave")->click();
        flushDeletes();

        QCOMPARE(desk.platform.messageTitles(), QStringList{"Contact saved to file"});
        QCOMPARE(desk.platform.messageTexts(), QStringList{"S A V E D"});
        QVERIFY(guard.isNull());
        QVERIFY(desk.main->isVisible());
        QCOMPARE(desk.main->focusWidget(), control<QLineEdit>(desk.main, "txtLMLine1"));
        QVERIFY(control<QAction>(desk.main, "mnuFileBdayOff")->isEnabled());
        desk.state.contacts().close();
        const std::string expected = recordBytes({{"John", 11},
                                                  {"Q", 1},
                                                  {"Public Jr", 16},
                                                  {"12 Oak St Apt 4", 30},
                                                  {"", 15},
                                                  {"Salem", 16},
                                                  {"OR", 2},
                                                  {"97301", 10},
                                                  {"U S", 19},
                                                  {"503-555-0100", 15},
                                                  {"", 15},
                                                  {"", 13},
                                                  {"jq@public.org", 50},
                                                  {"19800410", 8},
                                                  {"Golf Tennis", 80},
                                                  {"", 160},
                                                  {"Acme Inc", 30},
                                                  {"1", 1},
                                                  {"1", 1}});
        QCOMPARE(expected.size(), std::size_t{513});
        QCOMPARE(qm::test::readBytes(desk.path), expected);
    }

    void appendsAfterExistingRecordsWithRemindersOff() {
        Desk desk(/*remindersOn=*/false);
        qm::ContactRecord first;
        first.lastName = "First";
        desk.state.contacts().append(first);
        frmNewContact* w = desk.openAdd();
        type(w, "txtACLName", "Lee");
        type(w, "txtACCompany", "x");
        field(w, "txtACCompany")->clear();
        QVERIFY2(control<QCheckBox>(w, "chkIncComp")->isVisible(), "once shown, the box stays");
        control<QCheckBox>(w, "chkIncComp")->setChecked(true);
        control<QPushButton>(w, "cmdSave")->click();
        QCOMPARE(desk.state.contacts().count(), 2);
        const qm::ContactRecord stored = desk.state.contacts().read(2);
        QCOMPARE(stored.lastName, std::string("Lee"));
        QCOMPARE(stored.includeCompany, std::string("0"));
        QCOMPARE(stored.reminder, std::string("0"));
        QVERIFY(!control<QAction>(desk.main, "mnuFileBdayOff")->isEnabled());
    }

    void aFailingCheckKeepsTheCleanedTextAndFocusesTheField() {
        Desk desk;
        frmNewContact* w = desk.openAdd();
        type(w, "txtACLName", "Smith, Jr");
        type(w, "txtACWPhone", "(503) 555 0100");
        type(w, "txtACEmail", "ann@mailcom");
        // A later field keeps what was typed, even what the file cannot hold.
        const QString notes = QString::fromUtf8("caf\u00e9 \u20ac5 \U0001F600, later");
        field(w, "txtACNotes")->setText(notes);
        control<QPushButton>(w, "cmdSave")->click();

        QCOMPARE(desk.platform.messages.size(), std::size_t{1});
        const qm::RecordedMessage& m = desk.platform.messages.front();
        QCOMPARE(m.title, QStringLiteral("Incorrect entry"));
        QCOMPARE(m.text, QStringLiteral("Email address must contain the '.' character."));
        QCOMPARE(m.buttons, qm::MsgButtons::Ok);
        QVERIFY(w->isVisible());
        QCOMPARE(field(w, "txtACLName")->text(), QStringLiteral("Smith Jr"));
        QCOMPARE(field(w, "txtACWPhone")->text(), QStringLiteral("503-5550100"));
        QCOMPARE(w->focusWidget(), field(w, "txtACEmail"));
        QCOMPARE(desk.state.contacts().count(), 0);
        QCOMPARE(field(w, "txtACNotes")->text(), notes);

        // Corrected, the same window saves; the emoji, which has no letters, is left out.
        field(w, "txtACEmail")->setText(QStringLiteral("ann@mail.com"));
        control<QPushButton>(w, "cmdSave")->click();
        QCOMPARE(desk.platform.messageTitles().at(1), QStringLiteral("Letters changed"));
        QCOMPARE(desk.state.contacts().count(), 1);
        QCOMPARE(desk.state.contacts().read(1).lastName, std::string("Smith Jr"));
        QCOMPARE(desk.state.contacts().read(1).notes, std::string("caf\xC3\xA9 \xE2\x82\xAC"
                                                                  "5   later"));
    }

    void lettersTheFileCannotHoldAreShownFoldedBeforeSaving() {
        Desk desk;
        frmNewContact* w = desk.openAdd();
        const QString first = QString::fromUtf8("\u0141ukasz");
        const QString last = QString::fromUtf8("\u017B\u00F3\u0142\u0107");
        field(w, "txtACFName")->setText(first);
        field(w, "txtACLName")->setText(last);

        // Going back: nothing written, the fields as typed, the first changed one focused.
        desk.platform.messageAnswers.push_back(qm::MsgAnswer::No);
        control<QPushButton>(w, "cmdSave")->click();
        QCOMPARE(desk.platform.messages.size(), std::size_t{1});
        QVERIFY(desk.platform.messages[0].text.contains(
            first + QStringLiteral(" -> Lukasz\n") + last + QString::fromUtf8(" -> Z\u00F3lc\n")));
        QCOMPARE(desk.state.contacts().count(), 0);
        QCOMPARE(QStringList({field(w, "txtACFName")->text(), field(w, "txtACLName")->text()}),
                 QStringList({first, last}));
        QCOMPARE(w->focusWidget(), field(w, "txtACFName"));

        // Going on: the folded letters are stored, never "?".
        control<QPushButton>(w, "cmdSave")->click();
        flushDeletes();
        QCOMPARE(desk.platform.messageTexts().last(), QStringLiteral("S A V E D"));
        desk.state.contacts().close();
        QCOMPARE(qm::test::readBytes(desk.path).substr(0, 30),
                 recordBytes({{"Lukasz", 11}, {"", 1}, {"Z\xF3lc", 16}}).substr(0, 30));
    }

    void typedLinesWithForeignLettersFillTheFormFolded() {
        Desk desk;
        control<QLineEdit>(desk.main, "txtLMLine1")
            ->setText(QString::fromUtf8("\u0141ukasz \u017B\u00F3\u0142\u0107"));
        frmNewContact* w = desk.openAdd();
        QCOMPARE(control<QLineEdit>(w, "txtACFName")->text() +
                     control<QLineEdit>(w, "txtACLName")->text(),
                 QString::fromUtf8("LukaszZ\u00F3lc"));
        w->close();
    }

    void aBirthdateErrorLeavesTheFocusAlone() {
        Desk desk;
        frmNewContact* w = desk.openAdd();
        type(w, "txtACLName", "Lee");
        type(w, "txtACBirthdate", "4/10/1980");
        field(w, "txtACCity")->setFocus();
        control<QPushButton>(w, "cmdSave")->click();
        QCOMPARE(desk.platform.messageTitles(), QStringList{"Date error"});
        QCOMPARE(desk.platform.messageTexts(),
                 QStringList{
                     "Date must be in format MM/DD/YYYY   Example: April 10, 1980 is 04/10/1980"});
        QCOMPARE(w->focusWidget(), field(w, "txtACCity"));
        w->close();
    }

    void opensFilledFromTheTypedLines() {
        Desk desk;
        control<QLineEdit>(desk.main, "txtLMLine1")->setText(QStringLiteral("John Q. Public"));
        control<QLineEdit>(desk.main, "txtLMLine2")
            ->setText(QStringLiteral("123 Main Street Apt 4"));
        control<QLineEdit>(desk.main, "txtLMline3")
            ->setText(QStringLiteral("Springfield, IL 62704"));
        frmNewContact* w = desk.openAdd();
        QVERIFY(w != nullptr);
        const QStringList shown{control<QLineEdit>(w, "txtACFName")->text(),
                                control<QLineEdit>(w, "txtACMiddleInit")->text(),
                                control<QLineEdit>(w, "txtACLName")->text(),
                                control<QLineEdit>(w, "txtACFStreet")->text(),
                                control<QLineEdit>(w, "txtACSStreet")->text(),
                                control<QLineEdit>(w, "txtACCity")->text(),
                                control<QLineEdit>(w, "txtACState")->text(),
                                control<QLineEdit>(w, "txtACZip")->text()};
        QCOMPARE(shown, (QStringList{"John", "Q", "Public", "123 Main Street", "Apt 4",
                                     "Springfield", "IL", "62704"}));
        QVERIFY(control<QLineEdit>(w, "txtACCountry")->text().isEmpty());
        QVERIFY(!control<QCheckBox>(w, "chkIncComp")->isVisible());
        QCOMPARE(w->focusWidget(), control<QLineEdit>(w, "txtACFName"));
        QCOMPARE(control<QLineEdit>(desk.main, "txtLMLine1")->text(),
                 QStringLiteral("John Q. Public"));
        QVERIFY(desk.platform.messages.empty());
        w->close();
    }

    void lineOneWithoutABlankOpensNothing() {
        Desk desk;
        control<QLineEdit>(desk.main, "txtLMLine1")->setText(QStringLiteral("Smith"));
        control<QPushButton>(desk.main, "cmdAddContact")->click();
        QCOMPARE(desk.platform.beeps, 1);
        QCOMPARE(desk.platform.messageTitles(), QStringList{"Incorrect entry"});
        QCOMPARE(desk.platform.messageTexts(), QStringList{"Line 1 must contain a space."});
        QVERIFY(desk.addWindow() == nullptr);
        QVERIFY(desk.main->isVisible());
    }

    void closeReturnsToTheMainWindowWithoutSaving() {
        Desk desk;
        frmNewContact* w = desk.openAdd();
        type(w, "txtACLName", "Lee");
        QPointer<frmNewContact> guard(w);
        control<QPushButton>(w, "cmdCancel")->click();
        flushDeletes();
        QVERIFY(guard.isNull());
        QVERIFY(desk.main->isVisible());
        QCOMPARE(desk.main->focusWidget(), control<QLineEdit>(desk.main, "txtLMLine1"));
        QCOMPARE(desk.state.contacts().count(), 0);
        QVERIFY(desk.platform.messages.empty());
    }

    void aWriteErrorOffersRetryThenCancel() {
        Desk desk;
        frmNewContact* w = desk.openAdd();
        type(w, "txtACLName", "Lee");
        desk.state.contacts().close();
        QPointer<frmNewContact> guard(w);

        desk.platform.messageAnswers = {qm::MsgAnswer::Retry};
        control<QPushButton>(w, "cmdSave")->click();
        QCOMPARE(desk.platform.messages.size(), std::size_t{1});
        QCOMPARE(desk.platform.messages[0].title, QStringLiteral("Error"));
        QCOMPARE(desk.platform.messages[0].buttons, qm::MsgButtons::RetryCancel);
        QVERIFY(desk.platform.messages[0].text.startsWith(
            QStringLiteral("An error has occurred. Error number 52 -- ")));
        QVERIFY(w->isVisible());
        QCOMPARE(field(w, "txtACLName")->text(), QStringLiteral("Lee"));

        desk.platform.messageAnswers = {qm::MsgAnswer::Cancel};
        control<QPushButton>(w, "cmdSave")->click();
        flushDeletes();
        QVERIFY(guard.isNull());
        QVERIFY(desk.main->isVisible());
    }

    void enterMovesOnAndLookUpsOpenTheirTargets() {
        Desk desk;
        frmNewContact* w = desk.openAdd();
        control<QLineEdit>(w, "txtACFName")->setFocus();
        QTest::keyClick(control<QLineEdit>(w, "txtACFName"), Qt::Key_Return);
        QCOMPARE(w->focusWidget(), control<QLineEdit>(w, "txtACMiddleInit"));

        control<QPushButton>(w, "cmdStateAbb")->click();
        QCOMPARE(w->focusWidget(), control<QLineEdit>(w, "txtACState"));
        control<QPushButton>(w, "cmdPeopleFind")->click();
        control<QPushButton>(w, "cmdZipFinder")->click();
        control<QAction>(w, "mnuNewManual")->trigger();
        const QString folder = desk.state.appFolder;
        QCOMPARE(desk.platform.openedDocuments,
                 (QStringList{folder + "/qmk_state_abbreviations.pdf",
                              QString::fromLatin1(qm::kPeopleSearchUrl),
                              QString::fromLatin1(qm::kZipLookupUrl), folder + "/qmkUman.pdf"}));
        w->close();
    }
};

QTEST_MAIN(AddContactWindowTest)
#include "add_contact_window_test.moc"
