// The main window's envelope options, Clear Form, Enter in the typed lines, and the
// return-address dialogue.
#include <QtTest>
#include <memory>

#include "desktop/main_window.h"
#include "support/controls_qt.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"
#include "support/typed_lines_qt.h"
#include "surface/text_grid_surface.h"

using qm::MsgAnswer;
using qm::MsgButtons;
using qm::MsgIcon;
using qm::test::control;

namespace {

const QString kLoadTitle =
    QStringLiteral("Load printer with Avery 5167, 8167, or 18167 label stock");
const QString kLoadText =
    QStringLiteral("Prints 80 return address labels on Avery 5167 [1/2 inch x 1 3/4 inch] labels");
const QString kAgainText =
    QStringLiteral("Done!  Do you want to print another page of Return Address Labels?");

// A text grid that leaves a copy of itself behind when the command that printed on it lets
// go of it, so the test can read what was printed.
class KeptTextGrid : public qm::TextGridSurface {
  public:
    explicit KeptTextGrid(qm::TextGridSurface& keep, std::string device)
        : TextGridSurface(std::move(device)), keep_(keep) {}
    ~KeptTextGrid() override { keep_ = *this; }

  private:
    qm::TextGridSurface& keep_;
};

// One window on a scripted desktop, with a text grid standing for each chosen printer.
struct Fixture {
    qm::test::TempFolder folder;
    qm::ScriptedPlatform platform;
    qm::AppState state{platform, QString::fromStdString(folder.path())};
    frmDEdavu w{state};
    qm::TextGridSurface printed;  // what the latest print job printed

    Fixture() {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }

    void answerPrint(int copies = 1, std::string device = "Office Laser") {
        qm::PrintAnswer answer;
        answer.copies = copies;
        answer.makeSurface = [this, device] {
            return std::make_unique<KeptTextGrid>(printed, device);
        };
        platform.printAnswers.push_back(std::move(answer));
    }

    void type(const QStringList& lines) { qm::test::typeLines(w, lines); }

    void pickSize(int index) {
        control<QComboBox>(w, "cboLMEnvelope")->setCurrentIndex(index);
        Q_EMIT control<QComboBox>(w, "cboLMEnvelope")->activated(index);
    }

    QPair<QString, QString> pads() const {
        return {QString::number(state.printOptions().leftPad),
                QString::number(state.printOptions().topPad)};
    }

    bool inReturnAddressMode() const {
        return !control<QPushButton>(w, "cmdRetAddress")->isHidden() &&
               control<QPushButton>(w, "cmdLMStart")->isHidden() &&
               !control<QRadioButton>(w, "optLMLabel")->isEnabled() &&
               !control<QRadioButton>(w, "optLMEnvelope")->isEnabled();
    }
};

using Pads = QPair<QString, QString>;

}  // namespace

class MainEnvelopeWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void envelopeWithoutSizeShowsTheListOnly() {
        Fixture f;
        control<QRadioButton>(f.w, "optLMEnvelope")->click();
        QVERIFY(control<QRadioButton>(f.w, "optLandscape")->isChecked());
        QVERIFY(!control<QComboBox>(f.w, "cboLMEnvelope")->isHidden());
        QVERIFY(control<QLabel>(f.w, "lblLMEnvSize")->isHidden());
        QCOMPARE(f.state.printOptions().envelopeSize, 0);
        QCOMPARE(f.pads(), Pads("2", "3"));
        QCOMPARE(f.w.focusWidget(), control<QLineEdit>(f.w, "txtLMLine1"));
    }

    void sizePickedThenEnvelopeAgainUsesTheSecondTable() {
        Fixture f;
        control<QRadioButton>(f.w, "optLMEnvelope")->click();
        f.pickSize(1);
        QCOMPARE(f.state.printOptions().envelopeSize, 2);
        QCOMPARE(control<QLabel>(f.w, "lblLMEnvSize")->text(),
                 QStringLiteral("#6 3/4 Small envelope (3 5/8 in x 6 1/2 in)"));
        QCOMPARE(f.pads(), Pads("23", "32"));
        QVERIFY(!control<QCheckBox>(f.w, "chkBold")->isHidden());
        QVERIFY(!control<QCheckBox>(f.w, "chkLargeFont")->isHidden());
        QCOMPARE(f.w.focusWidget(), control<QPushButton>(f.w, "cmdLMStart"));

        control<QRadioButton>(f.w, "optLMEnvelope")->click();
        QCOMPARE(f.state.printOptions().envelopeSize, 2);
        QCOMPARE(f.pads(), Pads("28", "39"));

        f.pickSize(6);
        QCOMPARE(f.state.printOptions().envelopeSize, 7);
        QCOMPARE(f.pads(), Pads("30", "30"));
    }

    void portraitAfterASizeResetsTheSlot() {
        Fixture f;
        control<QRadioButton>(f.w, "optLMEnvelope")->click();
        f.pickSize(0);
        QCOMPARE(f.pads(), Pads("38", "33"));
        control<QRadioButton>(f.w, "optPortrait")->click();
        QCOMPARE(f.pads(), Pads("2", "3"));
        QCOMPARE(f.state.printOptions().envelopeSize, 1);

        f.type({"Ann Smith"});
        f.answerPrint();
        control<QPushButton>(f.w, "cmdLMStart")->click();
        QCOMPARE(f.printed.orientation(), qm::kPortrait);
        QCOMPARE(f.printed.runs().front().size, 10.0);
        QCOMPARE(f.printed.runs().front().column, 2);
        QCOMPARE(f.printed.runs().front().line, 3 + 2);
    }

    void enterMovesThroughLinesOneToFour() {
        Fixture f;
        const auto fields = qm::test::typedLineFields(f.w);
        for (int i = 0; i < 4; ++i) {
            fields[i]->setFocus();
            QTest::keyClick(fields[i], Qt::Key_Return);
            QCOMPARE(f.w.focusWidget(), fields[i + 1]);
            // The keypad's Enter too.
            fields[i]->setFocus();
            QTest::keyClick(fields[i], Qt::Key_Enter, Qt::KeypadModifier);
            QCOMPARE(f.w.focusWidget(), fields[i + 1]);
        }
        fields[4]->setFocus();
        QTest::keyClick(fields[4], Qt::Key_Return);
        QCOMPARE(f.w.focusWidget(), fields[4]);
    }

    void clearFormResetsLinesOptionsAndMode() {
        Fixture f;
        control<QRadioButton>(f.w, "optLMEnvelope")->click();
        f.pickSize(2);
        control<QCheckBox>(f.w, "chkBold")->click();
        control<QCheckBox>(f.w, "chkLargeFont")->click();
        qm::PrintOptions options = f.state.printOptions();
        options.startPosition = 7;
        options.positionRange = QStringLiteral("7");
        options.positionEntered = true;
        f.state.setPrintOptions(options);
        QCOMPARE(control<QLabel>(f.w, "lblLMPosition")->text(), QStringLiteral("Label Position 7"));
        control<QAction>(f.w, "mnuRetAddress")
            ->trigger();  // empty lines: enters return-address mode
        QVERIFY(f.inReturnAddressMode());
        f.type({"a", "b", "c", "d", "e"});
        f.platform.clearRecords();

        control<QPushButton>(f.w, "cmdLMClear")->click();

        QCOMPARE(qm::test::typedLineTexts(f.w), QStringList(5, QString()));
        for (QCheckBox* style :
             {control<QCheckBox>(f.w, "chkBold"), control<QCheckBox>(f.w, "chkLargeFont")}) {
            QVERIFY(!style->isChecked());
            QVERIFY(style->isHidden());
        }
        QVERIFY(!control<QPushButton>(f.w, "cmdLMStart")->isHidden());
        QVERIFY(control<QPushButton>(f.w, "cmdRetAddress")->isHidden());
        QVERIFY(control<QRadioButton>(f.w, "optLMLabel")->isEnabled() &&
                control<QRadioButton>(f.w, "optLMEnvelope")->isEnabled());
        QVERIFY(!control<QRadioButton>(f.w, "optLMLabel")->isChecked() &&
                !control<QRadioButton>(f.w, "optLMEnvelope")->isChecked());
        QVERIFY(control<QLabel>(f.w, "lblLMPosition")->isHidden());
        QVERIFY(control<QLabel>(f.w, "lblLMPosition")->text().isEmpty());
        QVERIFY(control<QComboBox>(f.w, "cboLMEnvelope")->isHidden());
        QCOMPARE(f.state.printOptions().envelopeSize, 0);
        QCOMPARE(f.state.printOptions().startPosition, 0);
        QCOMPARE(f.pads(), Pads("2", "3"));
        QCOMPARE(f.w.focusWidget(), control<QLineEdit>(f.w, "txtLMLine1"));
        QVERIFY(f.platform.messages.empty());
    }
    void returnAddressWithoutLinesEntersTheMode() {
        Fixture f;
        f.type({"", "", "", "x"});
        control<QAction>(f.w, "mnuRetAddress")->trigger();
        QCOMPARE(f.platform.messageTitles(),
                 QStringList({kLoadTitle, QStringLiteral("Instructions")}));
        QCOMPARE(f.platform.messages[0].text, kLoadText);
        QCOMPARE(f.platform.messages[0].icon, MsgIcon::Information);
        QCOMPARE(f.platform.messages[1].text,
                 QStringLiteral("Fill in Lines 1, 2, and 3, then press Print."));
        QCOMPARE(f.platform.messages[1].icon, MsgIcon::Exclamation);
        QCOMPARE(f.platform.beeps, 1);
        QVERIFY(f.platform.printRequests.empty());
        QVERIFY(f.inReturnAddressMode());
    }

    void returnAddressRefusesLinesFourAndFive() {
        Fixture f;
        f.type({"Ann", "Elm St", "Town", "", " "});
        control<QPushButton>(f.w, "cmdLMClear")->setFocus();
        control<QAction>(f.w, "mnuRetAddress")->trigger();
        QCOMPARE(f.platform.messageTitles(),
                 QStringList({kLoadTitle, QStringLiteral("Small label can fit only 3 lines")}));
        QCOMPARE(f.platform.messages[1].text, QStringLiteral("Leave Lines 4 and 5 blank"));
        QCOMPARE(f.platform.messages[1].icon, MsgIcon::Exclamation);
        QCOMPARE(f.platform.beeps, 1);
        QCOMPARE(f.w.focusWidget(), control<QLineEdit>(f.w, "txtLMLine4"));
        QVERIFY(f.platform.printRequests.empty());
        QVERIFY(!f.inReturnAddressMode());
    }

    void cancelledPrintDialogKeepsTheMode() {
        Fixture f;
        control<QAction>(f.w, "mnuRetAddress")->trigger();
        f.type({"Ann", "Elm St", "Town"});
        f.platform.clearRecords();
        qm::PrintAnswer cancel;
        cancel.cancel = true;
        f.platform.printAnswers.push_back(std::move(cancel));
        control<QPushButton>(f.w, "cmdRetAddress")->click();
        QCOMPARE(f.platform.messageTitles(), QStringList({kLoadTitle}));
        QCOMPARE(f.platform.printRequests.size(), std::size_t{1});
        QCOMPARE(f.platform.beeps, 0);
        QVERIFY(f.inReturnAddressMode());
    }

    void copiesThenNoLeavesTheMode() {
        Fixture f;
        control<QAction>(f.w, "mnuRetAddress")->trigger();
        f.type({"Ann", "", "Town"});
        control<QRadioButton>(f.w, "optLMCenter")->click();
        control<QCheckBox>(f.w, "chkBold")->setChecked(true);
        control<QCheckBox>(f.w, "chkBold")->show();
        f.platform.clearRecords();
        f.answerPrint(2);
        f.platform.messageAnswers = {MsgAnswer::Ok, MsgAnswer::No};
        bool askedAfterPrinting = false;
        f.platform.onMessage = [&](const qm::RecordedMessage& m) {
            if (m.title == QStringLiteral("Completed")) {
                // The job is done and its printer let go of before the question.
                askedAfterPrinting = f.printed.documentCount() == 2;
                QVERIFY(control<QPushButton>(f.w, "cmdRetAddress")->isHidden());
                QVERIFY(!control<QPushButton>(f.w, "cmdLMStart")->isHidden());
                QVERIFY(!control<QRadioButton>(f.w, "optLMLabel")->isEnabled());
            }
        };
        control<QPushButton>(f.w, "cmdRetAddress")->click();

        QCOMPARE(f.platform.messageTitles(),
                 QStringList({kLoadTitle, QStringLiteral("Completed")}));
        QCOMPARE(f.platform.messages[1].text, kAgainText);
        QCOMPARE(f.platform.messages[1].buttons, MsgButtons::YesNoCancel);
        QCOMPARE(f.platform.messages[1].icon, MsgIcon::None);
        QVERIFY(askedAfterPrinting);
        const std::vector<qm::PrintedRun>& runs = f.printed.runs();
        QCOMPARE(runs.size(), std::size_t{2 * 80 * 2});
        // "Ann" centered on a half width of 12: ten blanks after the label column.
        QCOMPARE(runs[0].text, std::string("Ann"));
        QCOMPARE(runs[0].column, 3 + 10);
        QCOMPARE(runs[4].text, std::string("Town"));
        QCOMPARE(runs[4].column, 3 + 10);
        QVERIFY(!control<QCheckBox>(f.w, "chkBold")->isChecked());
        QVERIFY(control<QCheckBox>(f.w, "chkBold")->isHidden());
        QVERIFY(!f.inReturnAddressMode());
        QVERIFY(control<QRadioButton>(f.w, "optLMLabel")->isEnabled() &&
                control<QRadioButton>(f.w, "optLMEnvelope")->isEnabled());
    }

    void yesPrintsTheSheetAgain() {
        Fixture f;
        f.type({"Ann", "Elm St", "Town"});
        f.answerPrint();
        f.answerPrint();
        f.platform.messageAnswers = {MsgAnswer::Ok, MsgAnswer::Yes, MsgAnswer::Ok,
                                     MsgAnswer::Cancel};
        QList<int> sheets;
        f.platform.onMessage = [&](const qm::RecordedMessage& m) {
            if (m.title == QStringLiteral("Completed")) {
                sheets << static_cast<int>(f.printed.runs().size());
            }
        };
        control<QAction>(f.w, "mnuRetAddress")->trigger();
        QCOMPARE(f.platform.messageTitles(),
                 QStringList({kLoadTitle, QStringLiteral("Completed"), kLoadTitle,
                              QStringLiteral("Completed")}));
        QCOMPARE(f.platform.printRequests.size(), std::size_t{2});
        QCOMPARE(sheets, QList<int>({240, 240}));
        QCOMPARE(f.platform.unanswered, 0);
    }
    // After a sheet printed, a second sheet whose print dialog is cancelled ends the command
    // with Print shown; the media options must not stay disabled with it.
    void aCancelledSecondSheetFreesTheMedium() {
        Fixture f;
        control<QAction>(f.w, "mnuRetAddress")->trigger();  // no lines yet: return-address mode
        f.type({"Ann", "Elm St", "Town"});
        f.platform.clearRecords();
        f.answerPrint();
        qm::PrintAnswer cancel;
        cancel.cancel = true;
        f.platform.printAnswers.push_back(std::move(cancel));
        f.platform.messageAnswers = {MsgAnswer::Ok, MsgAnswer::Yes, MsgAnswer::Ok};
        control<QPushButton>(f.w, "cmdRetAddress")->click();

        QCOMPARE(f.platform.messageTitles(),
                 QStringList({kLoadTitle, QStringLiteral("Completed"), kLoadTitle}));
        QCOMPARE(f.platform.printRequests.size(), std::size_t{2});
        QVERIFY(!control<QPushButton>(f.w, "cmdLMStart")->isHidden());
        QVERIFY(control<QPushButton>(f.w, "cmdRetAddress")->isHidden());
        QVERIFY(control<QRadioButton>(f.w, "optLMLabel")->isEnabled());
        QVERIFY(control<QRadioButton>(f.w, "optLMEnvelope")->isEnabled());
    }

    void printsTheEnvelopeWithItsOwnAdjustment() {
        Fixture f;
        // ONTHEFLY must not move an envelope; ENVELOPE moves it one left and two down.
        qm::test::writeBytes(f.folder.file("QMKPARAM.TXT"),
                             "ONTHEFLY 5   5  \r\nENVELOPE -1  2  \r\nBULKLIST 0   0  \r\n");
        f.type({"Ann Smith", "12 Elm St", "Springfield"});
        control<QRadioButton>(f.w, "optLMEnvelope")->click();
        f.pickSize(1);
        control<QCheckBox>(f.w, "chkBold")->click();
        f.answerPrint(2);
        control<QPushButton>(f.w, "cmdLMStart")->click();

        QVERIFY(f.platform.messages.empty());
        QCOMPARE(f.printed.documentCount(), 2);
        QCOMPARE(f.printed.orientation(), qm::kLandscape);
        const auto runs = f.printed.runsOnPage(1);
        QCOMPARE(runs.size(), std::size_t{3});
        // Size 2 picked: column 23, 32 lines; adjusted to 22, 34; bold one line higher. On
        // its own paper the 27 lines a letter page has above the envelope are left out.
        QCOMPARE(runs[0].column, 22);
        QCOMPARE(runs[0].line, 33 + 2 - 27);
        QVERIFY(runs[0].bold);
        QCOMPARE(runs[0].size, 12.0);
        QCOMPARE(f.printed.pageLines(2), f.printed.pageLines(1));
        // Printing leaves the options as they were.
        QVERIFY(control<QCheckBox>(f.w, "chkBold")->isChecked() &&
                !control<QCheckBox>(f.w, "chkBold")->isHidden());
        QCOMPARE(f.pads(), Pads("23", "32"));
    }

    void largeFontOnAListedPrinter() {
        Fixture f;
        f.type({"Ann Smith", "12 Elm St", "Springfield"});
        control<QRadioButton>(f.w, "optLMEnvelope")->click();
        f.pickSize(0);
        control<QRadioButton>(f.w, "optPortrait")->click();
        f.pickSize(0);  // Portrait, then the size again: the size's slot in portrait
        control<QCheckBox>(f.w, "chkLargeFont")->click();
        f.answerPrint(1, "HP ENVY 5000 series");
        control<QPushButton>(f.w, "cmdLMStart")->click();

        QVERIFY(f.platform.messages.empty());
        QCOMPARE(f.printed.paperSize(), qm::kPaperEnvelope10);
        QCOMPARE(f.printed.orientation(), qm::kPortrait);
        const qm::PrintedRun first = f.printed.runs().front();
        QCOMPARE(first.column, 38 + 4);
        QCOMPARE(first.line, 33 - 8 - 2 + 2);
        QCOMPARE(first.font, std::string("Trebuchet MS"));
        QCOMPARE(first.size, 14.0);
        QVERIFY(first.italic);
    }

    void envelopeAgainAfterLabelStockUsesTheSecondTable() {
        Fixture f;
        f.type({"Ann Smith"});
        control<QRadioButton>(f.w, "optLMEnvelope")->click();
        f.pickSize(1);
        f.platform.inputAnswers.push_back(QStringLiteral("5"));
        control<QRadioButton>(f.w, "optLMLabel")->click();
        QVERIFY(control<QComboBox>(f.w, "cboLMEnvelope")->isHidden());
        QVERIFY(control<QRadioButton>(f.w, "optPortrait")->isChecked());
        control<QRadioButton>(f.w, "optLMEnvelope")->click();
        QVERIFY(control<QRadioButton>(f.w, "optLandscape")->isChecked());
        QVERIFY(control<QLabel>(f.w, "lblLMPosition")->text().isEmpty());
        QCOMPARE(f.pads(), Pads("28", "39"));
        f.answerPrint();
        control<QPushButton>(f.w, "cmdLMStart")->click();
        QCOMPARE(f.printed.runs().front().column, 28);
        QCOMPARE(f.printed.runs().front().line, 39 + 2 - 27);
    }

    void clearFormThenPrintAsksForAMedium() {
        Fixture f;
        f.type({"Ann Smith"});
        control<QRadioButton>(f.w, "optLMEnvelope")->click();
        f.pickSize(1);
        control<QPushButton>(f.w, "cmdLMClear")->click();
        f.type({"Ann Smith"});
        control<QPushButton>(f.w, "cmdLMStart")->click();
        QCOMPARE(f.platform.messageTexts(), QStringList({"Select Label stock or Envelope"}));
        QVERIFY(f.platform.printRequests.empty());
    }
};

QTEST_MAIN(MainEnvelopeWindowTest)
#include "main_envelope_window_test.moc"
