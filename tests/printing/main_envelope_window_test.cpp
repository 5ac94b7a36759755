// The main window's envelope options, Clear Form, Enter in the typed lines, and the
// return-address dialogue.
#include <QtTest>
#include <memory>

#include "printing/text_grid_surface.h"
#include "shell/main_window.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

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
    qm::TextGridSurface* grid = nullptr;  // the surface of the print job in hand
    qm::TextGridSurface printed;          // what the latest print job printed

    Fixture() {
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
    }

    void answerPrint(int copies = 1, std::string device = "Office Laser") {
        qm::PrintAnswer answer;
        answer.copies = copies;
        answer.makeSurface = [this, device] {
            auto surface = std::make_unique<KeptTextGrid>(printed, device);
            grid = surface.get();
            return surface;
        };
        platform.printAnswers.push_back(std::move(answer));
    }

    void type(const QStringList& lines) {
        QLineEdit* fields[] = {w.txtLMLine1, w.txtLMLine2, w.txtLMline3, w.txtLMLine4,
                               w.txtLMLine5};
        for (int i = 0; i < 5; ++i) {
            fields[i]->setText(i < lines.size() ? lines[i] : QString());
        }
    }

    void pickSize(int index) {
        w.cboLMEnvelope->setCurrentIndex(index);
        Q_EMIT w.cboLMEnvelope->activated(index);
    }

    QPair<QString, QString> pads() const { return {w.txtLMLeftPad->text(), w.txtLMToppad->text()}; }

    bool inReturnAddressMode() const {
        return !w.cmdRetAddress->isHidden() && w.cmdLMStart->isHidden() &&
               !w.optLMLabel->isEnabled() && !w.optLMEnvelope->isEnabled();
    }
};

using Pads = QPair<QString, QString>;

}  // namespace

class MainEnvelopeWindowTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void envelopeWithoutSizeShowsTheListOnly() {
        Fixture f;
        f.w.optLMEnvelope->click();
        QVERIFY(f.w.optLandscape->isChecked());
        QVERIFY(!f.w.cboLMEnvelope->isHidden());
        QVERIFY(f.w.lblLMEnvSize->isHidden());
        QCOMPARE(f.w.envelopeSize, QStringLiteral("0"));
        QCOMPARE(f.pads(), Pads("2", "3"));
        QCOMPARE(f.w.focusWidget(), f.w.txtLMLine1);
    }

    void sizePickedThenEnvelopeAgainUsesTheSecondTable() {
        Fixture f;
        f.w.optLMEnvelope->click();
        f.pickSize(1);
        QCOMPARE(f.w.envelopeSize, QStringLiteral("2"));
        QCOMPARE(f.w.lblLMEnvSize->text(),
                 QStringLiteral("#6 3/4 Small envelope (3 5/8 in x 6 1/2 in)"));
        QCOMPARE(f.pads(), Pads("23", "32"));
        QVERIFY(!f.w.chkBold->isHidden());
        QVERIFY(!f.w.chkLargeFont->isHidden());
        QCOMPARE(f.w.focusWidget(), f.w.cmdLMStart);

        f.w.optLMEnvelope->click();
        QCOMPARE(f.w.envelopeSize, QStringLiteral("2"));
        QCOMPARE(f.pads(), Pads("28", "39"));

        f.pickSize(6);
        QCOMPARE(f.w.envelopeSize, QStringLiteral("7"));
        QCOMPARE(f.pads(), Pads("30", "30"));
    }

    void portraitAfterASizeResetsTheSlot() {
        Fixture f;
        f.w.optLMEnvelope->click();
        f.pickSize(0);
        QCOMPARE(f.pads(), Pads("38", "33"));
        f.w.optPortrait->click();
        QCOMPARE(f.pads(), Pads("2", "3"));
        QCOMPARE(f.w.envelopeSize, QStringLiteral("1"));

        f.type({"Ann Smith"});
        f.answerPrint();
        f.w.cmdLMStart->click();
        QCOMPARE(f.printed.orientation(), qm::kPortrait);
        QCOMPARE(f.printed.runs().front().size, 10.0);
        QCOMPARE(f.printed.runs().front().column, 2);
        QCOMPARE(f.printed.runs().front().line, 3 + 2);
    }

    void enterMovesThroughLinesOneToFour() {
        Fixture f;
        QLineEdit* fields[] = {f.w.txtLMLine1, f.w.txtLMLine2, f.w.txtLMline3, f.w.txtLMLine4,
                               f.w.txtLMLine5};
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
        f.w.optLMEnvelope->click();
        f.pickSize(2);
        f.w.chkBold->click();
        f.w.chkLargeFont->click();
        f.w.startPosition = QStringLiteral("7");
        f.w.lblLMPosition->setText(QStringLiteral("Label Position 7"));
        f.w.lblLMPosition->show();
        f.w.mnuRetAddress->trigger();  // empty lines: enters return-address mode
        QVERIFY(f.inReturnAddressMode());
        f.type({"a", "b", "c", "d", "e"});
        f.platform.clearRecords();

        f.w.cmdLMClear->click();

        for (QLineEdit* line :
             {f.w.txtLMLine1, f.w.txtLMLine2, f.w.txtLMline3, f.w.txtLMLine4, f.w.txtLMLine5}) {
            QVERIFY(line->text().isEmpty());
        }
        for (QCheckBox* style : {f.w.chkBold, f.w.chkLargeFont}) {
            QVERIFY(!style->isChecked());
            QVERIFY(style->isHidden());
        }
        QVERIFY(!f.w.cmdLMStart->isHidden());
        QVERIFY(f.w.cmdRetAddress->isHidden());
        QVERIFY(f.w.optLMLabel->isEnabled() && f.w.optLMEnvelope->isEnabled());
        QVERIFY(!f.w.optLMLabel->isChecked() && !f.w.optLMEnvelope->isChecked());
        QVERIFY(f.w.lblLMPosition->isHidden());
        QVERIFY(f.w.lblLMPosition->text().isEmpty());
        QVERIFY(f.w.cboLMEnvelope->isHidden());
        QCOMPARE(f.w.envelopeSize, QStringLiteral("0"));
        QCOMPARE(f.w.startPosition, QStringLiteral("0"));
        QCOMPARE(f.pads(), Pads("2", "3"));
        QCOMPARE(f.w.focusWidget(), f.w.txtLMLine1);
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
        f.w.cmdLMClear->setFocus();
        f.w.mnuRetAddress->trigger();
        QCOMPARE(f.platform.messageTitles(),
                 QStringList({kLoadTitle, QStringLiteral("Small label can fit only 3 lines")}));
        QCOMPARE(f.platform.messages[1].text, QStringLiteral("Leave Lines 4 and 5 blank"));
        QCOMPARE(f.platform.messages[1].icon, MsgIcon::Exclamation);
        QCOMPARE(f.platform.beeps, 1);
        QCOMPARE(f.w.focusWidget(), f.w.txtLMLine4);
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
        f.w.cmdRetAddress->click();
        QCOMPARE(f.platform.messageTitles(), QStringList({kLoadTitle}));
        QCOMPARE(f.platform.printRequests.size(), std::size_t{1});
        QCOMPARE(f.platform.beeps, 0);
        QVERIFY(f.inReturnAddressMode());
    }

    void copiesThenNoLeavesTheMode() {
        Fixture f;
        f.w.mnuRetAddress->trigger();
        f.type({"Ann", "", "Town"});
        f.w.optLMCenter->click();
        f.w.chkBold->setChecked(true);
        f.w.chkBold->show();
        f.platform.clearRecords();
        f.answerPrint(2);
        f.platform.messageAnswers = {MsgAnswer::Ok, MsgAnswer::No};
        bool askedAfterPrinting = false;
        f.platform.onMessage = [&](const qm::RecordedMessage& m) {
            if (m.title == QStringLiteral("Completed")) {
                askedAfterPrinting = f.grid->documentCount() == 2;
                QVERIFY(f.w.cmdRetAddress->isHidden());
                QVERIFY(!f.w.cmdLMStart->isHidden());
                QVERIFY(!f.w.optLMLabel->isEnabled());
            }
        };
        f.w.cmdRetAddress->click();

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
        QVERIFY(!f.w.chkBold->isChecked());
        QVERIFY(f.w.chkBold->isHidden());
        QVERIFY(!f.inReturnAddressMode());
        QVERIFY(f.w.optLMLabel->isEnabled() && f.w.optLMEnvelope->isEnabled());
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
                sheets << static_cast<int>(f.grid->runs().size());
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
        f.w.optLMEnvelope->click();
        f.pickSize(1);
        f.w.chkBold->click();
        f.answerPrint(2);
        f.w.cmdLMStart->click();

        QVERIFY(f.platform.messages.empty());
        QCOMPARE(f.printed.documentCount(), 2);
        QCOMPARE(f.printed.orientation(), qm::kLandscape);
        const auto runs = f.printed.runsOnPage(1);
        QCOMPARE(runs.size(), std::size_t{3});
        // Size 2 picked: column 23, 32 lines; adjusted to 22, 34; bold one line higher.
        QCOMPARE(runs[0].column, 22);
        QCOMPARE(runs[0].line, 33 + 2);
        QVERIFY(runs[0].bold);
        QCOMPARE(runs[0].size, 12.0);
        QCOMPARE(f.printed.pageLines(2), f.printed.pageLines(1));
        // Printing leaves the options as they were.
        QVERIFY(f.w.chkBold->isChecked() && !f.w.chkBold->isHidden());
        QCOMPARE(f.pads(), Pads("23", "32"));
    }

    void largeFontOnAListedPrinter() {
        Fixture f;
        f.type({"Ann Smith", "12 Elm St", "Springfield"});
        f.w.optLMEnvelope->click();
        f.pickSize(0);
        f.w.optPortrait->click();
        f.pickSize(0);  // Portrait, then the size again: the size's slot in portrait
        f.w.chkLargeFont->click();
        f.answerPrint(1, "HP ENVY 5000 series");
        f.w.cmdLMStart->click();

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
        f.w.optLMEnvelope->click();
        f.pickSize(1);
        f.platform.inputAnswers.push_back(QStringLiteral("5"));
        f.w.optLMLabel->click();
        QVERIFY(f.w.cboLMEnvelope->isHidden());
        QVERIFY(f.w.optPortrait->isChecked());
        f.w.optLMEnvelope->click();
        QVERIFY(f.w.optLandscape->isChecked());
        QVERIFY(f.w.lblLMPosition->text().isEmpty());
        QCOMPARE(f.pads(), Pads("28", "39"));
        f.answerPrint();
        f.w.cmdLMStart->click();
        QCOMPARE(f.printed.runs().front().column, 28);
        QCOMPARE(f.printed.runs().front().line, 39 + 2);
    }

    void clearFormThenPrintAsksForAMedium() {
        Fixture f;
        f.type({"Ann Smith"});
        f.w.optLMEnvelope->click();
        f.pickSize(1);
        f.w.cmdLMClear->click();
        f.type({"Ann Smith"});
        f.w.cmdLMStart->click();
        QCOMPARE(f.platform.messageTexts(), QStringList({"Select Label stock or Envelope"}));
        QVERIFY(f.platform.printRequests.empty());
    }
};

QTEST_MAIN(MainEnvelopeWindowTest)
#include "main_envelope_window_test.moc"
