// The main window's envelope options, Clear Form, Enter in the typed lines, and the
// return-address dialogue.
#include <QtTest>
#include <memory>

#include "desktop/main_window.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"
#include "surface/text_grid_surface.h"

using qm::MsgAnswer;
using qm::MsgButtons;
using qm::MsgIcon;

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

    void type(const QStringList& lines) {
        QLineEdit* fields[] = {w.panel->txtLMLine1, w.panel->txtLMLine2, w.panel->txtLMline3,
                               w.panel->txtLMLine4, w.panel->txtLMLine5};
        for (int i = 0; i < 5; ++i) {
            fields[i]->setText(i < lines.size() ? lines[i] : QString());
        }
    }

    void pickSize(int index) {
        w.panel->cboLMEnvelope->setCurrentIndex(index);
        Q_EMIT w.panel->cboLMEnvelope->activated(index);
    }

    QPair<QString, QString> pads() const {
        return {QString::number(state.printOptions().leftPad),
                QString::number(state.printOptions().topPad)};
    }

    bool inReturnAddressMode() const {
        return !w.panel->cmdRetAddress->isHidden() && w.panel->cmdLMStart->isHidden() &&
               !w.panel->optLMLabel->isEnabled() && !w.panel->optLMEnvelope->isEnabled();
    }
};

using Pads = QPair<QString, QString>;

}  // namespace

class MainEnvelopeWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void envelopeWithoutSizeShowsTheListOnly() {
        Fixture f;
        f.w.panel->optLMEnvelope->click();
        QVERIFY(f.w.panel->optLandscape->isChecked());
        QVERIFY(!f.w.panel->cboLMEnvelope->isHidden());
        QVERIFY(f.w.panel->lblLMEnvSize->isHidden());
        QCOMPARE(f.state.printOptions().envelopeSize, 0);
        QCOMPARE(f.pads(), Pads("2", "3"));
        QCOMPARE(f.w.focusWidget(), f.w.panel->txtLMLine1);
    }

    void sizePickedThenEnvelopeAgainUsesTheSecondTable() {
        Fixture f;
        f.w.panel->optLMEnvelope->click();
        f.pickSize(1);
        QCOMPARE(f.state.printOptions().envelopeSize, 2);
        QCOMPARE(f.w.panel->lblLMEnvSize->text(),
                 QStringLiteral("#6 3/4 Small envelope (3 5/8 in x 6 1/2 in)"));
        QCOMPARE(f.pads(), Pads("23", "32"));
        QVERIFY(!f.w.panel->chkBold->isHidden());
        QVERIFY(!f.w.panel->chkLargeFont->isHidden());
        QCOMPARE(f.w.focusWidget(), f.w.panel->cmdLMStart);

        f.w.panel->optLMEnvelope->click();
        QCOMPARE(f.state.printOptions().envelopeSize, 2);
        QCOMPARE(f.pads(), Pads("28", "39"));

        f.pickSize(6);
        QCOMPARE(f.state.printOptions().envelopeSize, 7);
        QCOMPARE(f.pads(), Pads("30", "30"));
    }

    void portraitAfterASizeResetsTheSlot() {
        Fixture f;
        f.w.panel->optLMEnvelope->click();
        f.pickSize(0);
        QCOMPARE(f.pads(), Pads("38", "33"));
        f.w.panel->optPortrait->click();
        QCOMPARE(f.pads(), Pads("2", "3"));
        QCOMPARE(f.state.printOptions().envelopeSize, 1);

        f.type({"Ann Smith"});
        f.answerPrint();
        f.w.panel->cmdLMStart->click();
        QCOMPARE(f.printed.orientation(), qm::kPortrait);
        QCOMPARE(f.printed.runs().front().size, 10.0);
        QCOMPARE(f.printed.runs().front().column, 2);
        QCOMPARE(f.printed.runs().front().line, 3 + 2);
    }

    void enterMovesThroughLinesOneToFour() {
        Fixture f;
        QLineEdit* fields[] = {f.w.panel->txtLMLine1, f.w.panel->txtLMLine2, f.w.panel->txtLMline3,
                               f.w.panel->txtLMLine4, f.w.panel->txtLMLine5};
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
        f.w.panel->optLMEnvelope->click();
        f.pickSize(2);
        f.w.panel->chkBold->click();
        f.w.panel->chkLargeFont->click();
        qm::PrintOptions options = f.state.printOptions();
        options.startPosition = 7;
        f.state.setPrintOptions(options);
        f.w.panel->lblLMPosition->setText(QStringLiteral("Label Position 7"));
        f.w.panel->lblLMPosition->show();
        f.w.mnuRetAddress->trigger();  // empty lines: enters return-address mode
        QVERIFY(f.inReturnAddressMode());
        f.type({"a", "b", "c", "d", "e"});
        f.platform.clearRecords();

        f.w.panel->cmdLMClear->click();

        for (QLineEdit* line : {f.w.panel->txtLMLine1, f.w.panel->txtLMLine2, f.w.panel->txtLMline3,
                                f.w.panel->txtLMLine4, f.w.panel->txtLMLine5}) {
            QVERIFY(line->text().isEmpty());
        }
        for (QCheckBox* style : {f.w.panel->chkBold, f.w.panel->chkLargeFont}) {
            QVERIFY(!style->isChecked());
            QVERIFY(style->isHidden());
        }
        QVERIFY(!f.w.panel->cmdLMStart->isHidden());
        QVERIFY(f.w.panel->cmdRetAddress->isHidden());
        QVERIFY(f.w.panel->optLMLabel->isEnabled() && f.w.panel->optLMEnvelope->isEnabled());
        QVERIFY(!f.w.panel->optLMLabel->isChecked() && !f.w.panel->optLMEnvelope->isChecked());
        QVERIFY(f.w.panel->lblLMPosition->isHidden());
        QVERIFY(f.w.panel->lblLMPosition->text().isEmpty());
        QVERIFY(f.w.panel->cboLMEnvelope->isHidden());
        QCOMPARE(f.state.printOptions().envelopeSize, 0);
        QCOMPARE(f.state.printOptions().startPosition, 0);
        QCOMPARE(f.pads(), Pads("2", "3"));
        QCOMPARE(f.w.focusWidget(), f.w.panel->txtLMLine1);
        QVERIFY(f.platform.messages.empty());
    }
    void returnAddressWithoutLinesEntersTheMode() {
        Fixture f;
        f.type({"", "", "", "x"});
        f.w.mnuRetAddress->trigger();
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
        f.w.panel->cmdLMClear->setFocus();
        f.w.mnuRetAddress->trigger();
        QCOMPARE(f.platform.messageTitles(),
                 QStringList({kLoadTitle, QStringLiteral("Small label can fit only 3 lines")}));
        QCOMPARE(f.platform.messages[1].text, QStringLiteral("Leave Lines 4 and 5 blank"));
        QCOMPARE(f.platform.messages[1].icon, MsgIcon::Exclamation);
        QCOMPARE(f.platform.beeps, 1);
        QCOMPARE(f.w.focusWidget(), f.w.panel->txtLMLine4);
        QVERIFY(f.platform.printRequests.empty());
        QVERIFY(!f.inReturnAddressMode());
    }

    void cancelledPrintDialogKeepsTheMode() {
        Fixture f;
        f.w.mnuRetAddress->trigger();
        f.type({"Ann", "Elm St", "Town"});
        f.platform.clearRecords();
        qm::PrintAnswer cancel;
        cancel.cancel = true;
        f.platform.printAnswers.push_back(std::move(cancel));
        f.w.panel->cmdRetAddress->click();
        QCOMPARE(f.platform.messageTitles(), QStringList({kLoadTitle}));
        QCOMPARE(f.platform.printRequests.size(), std::size_t{1});
        QCOMPARE(f.platform.beeps, 0);
        QVERIFY(f.inReturnAddressMode());
    }

    void copiesThenNoLeavesTheMode() {
        Fixture f;
        f.w.mnuRetAddress->trigger();
        f.type({"Ann", "", "Town"});
        f.w.panel->optLMCenter->click();
        f.w.panel->chkBold->setChecked(true);
        f.w.panel->chkBold->show();
        f.platform.clearRecords();
        f.answerPrint(2);
        f.platform.messageAnswers = {MsgAnswer::Ok, MsgAnswer::No};
        bool askedAfterPrinting = false;
        f.platform.onMessage = [&](const qm::RecordedMessage& m) {
            if (m.title == QStringLiteral("Completed")) {
                // The job is done and its printer let go of before the question.
                askedAfterPrinting = f.printed.documentCount() == 2;
                QVERIFY(f.w.panel->cmdRetAddress->isHidden());
                QVERIFY(!f.w.panel->cmdLMStart->isHidden());
                QVERIFY(!f.w.panel->optLMLabel->isEnabled());
            }
        };
        f.w.panel->cmdRetAddress->click();

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
        QVERIFY(!f.w.panel->chkBold->isChecked());
        QVERIFY(f.w.panel->chkBold->isHidden());
        QVERIFY(!f.inReturnAddressMode());
        QVERIFY(f.w.panel->optLMLabel->isEnabled() && f.w.panel->optLMEnvelope->isEnabled());
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
        f.w.mnuRetAddress->trigger();
        QCOMPARE(f.platform.messageTitles(),
                 QStringList({kLoadTitle, QStringLiteral("Completed"), kLoadTitle,
                              QStringLiteral("Completed")}));
        QCOMPARE(f.platform.printRequests.size(), std::size_t{2});
        QCOMPARE(sheets, QList<int>({240, 240}));
        QCOMPARE(f.platform.unanswered, 0);
    }
    void printsTheEnvelopeWithItsOwnAdjustment() {
        Fixture f;
        // ONTHEFLY must not move an envelope; ENVELOPE moves it one left and two down.
        qm::test::writeBytes(f.folder.file("QMKPARAM.TXT"),
                             "ONTHEFLY 5   5  \r\nENVELOPE -1  2  \r\nBULKLIST 0   0  \r\n");
        f.type({"Ann Smith", "12 Elm St", "Springfield"});
        f.w.panel->optLMEnvelope->click();
        f.pickSize(1);
        f.w.panel->chkBold->click();
        f.answerPrint(2);
        f.w.panel->cmdLMStart->click();

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
        QVERIFY(f.w.panel->chkBold->isChecked() && !f.w.panel->chkBold->isHidden());
        QCOMPARE(f.pads(), Pads("23", "32"));
    }

    void largeFontOnAListedPrinter() {
        Fixture f;
        f.type({"Ann Smith", "12 Elm St", "Springfield"});
        f.w.panel->optLMEnvelope->click();
        f.pickSize(0);
        f.w.panel->optPortrait->click();
        f.pickSize(0);  // Portrait, then the size again: the size's slot in portrait
        f.w.panel->chkLargeFont->click();
        f.answerPrint(1, "HP ENVY 5000 series");
        f.w.panel->cmdLMStart->click();

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
        f.w.panel->optLMEnvelope->click();
        f.pickSize(1);
        f.platform.inputAnswers.push_back(QStringLiteral("5"));
        f.w.panel->optLMLabel->click();
        QVERIFY(f.w.panel->cboLMEnvelope->isHidden());
        QVERIFY(f.w.panel->optPortrait->isChecked());
        f.w.panel->optLMEnvelope->click();
        QVERIFY(f.w.panel->optLandscape->isChecked());
        QVERIFY(f.w.panel->lblLMPosition->text().isEmpty());
        QCOMPARE(f.pads(), Pads("28", "39"));
        f.answerPrint();
        f.w.panel->cmdLMStart->click();
        QCOMPARE(f.printed.runs().front().column, 28);
        QCOMPARE(f.printed.runs().front().line, 39 + 2 - 27);
    }

    void clearFormThenPrintAsksForAMedium() {
        Fixture f;
        f.type({"Ann Smith"});
        f.w.panel->optLMEnvelope->click();
        f.pickSize(1);
        f.w.panel->cmdLMClear->click();
        f.type({"Ann Smith"});
        f.w.panel->cmdLMStart->click();
        QCOMPARE(f.platform.messageTexts(), QStringList({"Select Label stock or Envelope"}));
        QVERIFY(f.platform.printRequests.empty());
    }
};

QTEST_MAIN(MainEnvelopeWindowTest)
#include "main_envelope_window_test.moc"
