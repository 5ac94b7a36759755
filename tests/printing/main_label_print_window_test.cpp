// The main window's label stock entry, Print command and Margins menu, driven through the
// scripted platform; what reached the paper is read from a text grid.
#include <QtTest>

#include "desktop/main_window.h"
#include "platform/qt_text.h"
#include "records/error.h"
#include "records/parameter_file.h"
#include "records/text_rules.h"
#include "shell/app_folder.h"
#include "support/controls_qt.h"
#include "support/grid_printer.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"
#include "support/typed_lines_qt.h"
#include "surface/text_grid_surface.h"

using namespace qm;
using test::control;

namespace {

struct Fixture {
    test::TempFolder folder;
    ScriptedPlatform platform;
    AppState state{platform, QString::fromStdString(folder.path())};
    frmDEdavu window{state};

    Fixture() {
        prepareAppFolder(folder.path());
        test::GridPrinter::kills = 0;
    }
    std::string paramPath() const { return folder.file(kParameterFileName); }

    void typeLines(const QStringList& lines) { test::typeLines(window, lines); }
    void choosePositions(const QString& answer) {
        platform.inputAnswers.push_back(answer);
        control<QRadioButton>(window, "optLMLabel")->click();
    }
    void answerPrintDialog(TextGridSurface& grid, int copies = 1, int failAtText = 0) {
        PrintAnswer answer;
        answer.copies = copies;
        answer.makeSurface = [&grid, failAtText] {
            return std::make_unique<test::GridPrinter>(grid, failAtText);
        };
        platform.printAnswers.push_back(std::move(answer));
    }
    void print() { control<QPushButton>(window, "cmdLMStart")->click(); }
    const PrintOptions& options() const { return state.printOptions(); }
    void setOptions(const std::function<void(PrintOptions&)>& change) {
        PrintOptions o = state.printOptions();
        change(o);
        state.setPrintOptions(o);
    }
};

const QStringList kAddress = {"Ann Example", "12 Main St", "Apt 4", "Springfield IL 62701", "USA"};

// Line (from 1) and column of each run holding `text`.
QList<QPair<int, int>> placesOf(const TextGridSurface& grid, const std::string& text) {
    QList<QPair<int, int>> out;
    for (const PrintedRun& r : grid.runs()) {
        if (r.text == text) {
            out.append({r.line, r.column});
        }
    }
    return out;
}

void expectMessage(const RecordedMessage& m, const QString& title, const QString& text,
                   MsgIcon icon, MsgButtons buttons = MsgButtons::Ok) {
    QCOMPARE(m.title, title);
    QCOMPARE(m.text, text);
    QCOMPARE(m.icon, icon);
    QCOMPARE(m.buttons, buttons);
}

}  // namespace

class LabelPrintWindowTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void positionEntryAcceptsACleanedRange();
    void positionEntryRefusalsBeepAndAskAgain();
    void emptyPositionEntryLeavesNoMedium();
    void printChecksRunInOrder_data();
    void printChecksRunInOrder();
    void printPlacesTheRangeAndAgainOnTheNextPrint();
    void copiesPrintTheSameSheetEach();
    void listedPrinterAndAdjustmentMoveTheLabels();
    void cancelledPrintDialogEndsQuietly();
    void badParameterFileIsAPrinterProblem();
    void failureMidJobAbandonsIt();
    void envelopeBranchUsesTheDialogAndNoLabelJob();
    void marginsAccumulateAndRefuseBadAnswers();
    void marginsWithOnlyATopAnswer();
    void marginsWithNoAnswer();
    void marginsFileErrorRetryClosesTheContactFile();
    void marginsFileErrorCancelEndsTheApplication();
};

void LabelPrintWindowTest::positionEntryAcceptsACleanedRange() {
    Fixture f;
    control<QRadioButton>(f.window, "optLandscape")->setChecked(true);
    control<QCheckBox>(f.window, "chkBold")->setChecked(true);
    control<QCheckBox>(f.window, "chkBold")->show();
    control<QComboBox>(f.window, "cboLMEnvelope")->show();
    control<QLabel>(f.window, "lblLMEnvSize")->setText(QStringLiteral("#10"));
    f.choosePositions(QStringLiteral("4 - 9"));

    QCOMPARE(f.platform.inputs.size(), std::size_t(1));
    QCOMPARE(f.platform.inputs[0].title, QStringLiteral("Label position reading L to R"));
    QCOMPARE(f.platform.inputs[0].prompt,
             QStringLiteral("Enter the label position [a number between 1 and 30] on which to "
                            "print.  Example: label position 5 would be the middle label on the "
                            "2nd row of label sheet.  To print multiple labels, enter a range "
                            "such as 4-9, 15-18, etc.  To print an entire sheet, enter 1-30."));
    QCOMPARE(f.platform.inputs[0].defaultAnswer, QStringLiteral("1"));
    QCOMPARE(f.platform.beeps, 0);
    QVERIFY(f.platform.messages.empty());

    QCOMPARE(f.options().positionRange, QStringLiteral("4-9"));
    QCOMPARE(f.options().startPosition, 4);
    QCOMPARE(f.options().labelCount, 6);
    QCOMPARE(f.options().leftPad, 2);
    QCOMPARE(f.options().topPad, 10);
    QCOMPARE(control<QLabel>(f.window, "lblLMPosition")->text(),
             QStringLiteral("Label Position 4-9"));
    QVERIFY(!control<QLabel>(f.window, "lblLMPosition")->isHidden());
    QVERIFY(control<QRadioButton>(f.window, "optLMLabel")->isChecked());
    QVERIFY(control<QRadioButton>(f.window, "optPortrait")->isChecked());
    QVERIFY(!control<QCheckBox>(f.window, "chkBold")->isChecked());
    QVERIFY(control<QCheckBox>(f.window, "chkBold")->isHidden());
    QVERIFY(control<QComboBox>(f.window, "cboLMEnvelope")->isHidden());
    QVERIFY(control<QLabel>(f.window, "lblLMEnvSize")->text().isEmpty());
    QCOMPARE(f.window.focusWidget(), control<QPushButton>(f.window, "cmdLMStart"));
}

void LabelPrintWindowTest::positionEntryRefusalsBeepAndAskAgain() {
    Fixture f;
    for (const char* answer : {"123", "45-50", "1-100", "12-3", "5"}) {
        f.platform.inputAnswers.push_back(QString::fromLatin1(answer));
    }
    control<QRadioButton>(f.window, "optLMLabel")->click();

    QCOMPARE(f.platform.inputs.size(), std::size_t(5));
    QCOMPARE(f.platform.beeps, 4);
    QCOMPARE(f.platform.messages.size(), std::size_t(4));
    expectMessage(f.platform.messages[0], QStringLiteral("Include dash for range of labels"),
                  QStringLiteral("Use a dash when specifying a range of labels to print.  "
                                 "Examples: 1-30, 5-8, 15-22.  Each number represents a label "
                                 "position on label sheet."),
                  MsgIcon::Information);
    expectMessage(f.platform.messages[1], QStringLiteral("Maximum is 30"),
                  QStringLiteral("Label position cannot exceed 30"), MsgIcon::Information);
    expectMessage(f.platform.messages[2], QStringLiteral("Maximum is 30"),
                  QStringLiteral("No more than 30 labels may be printed.  To print an entire "
                                 "sheet, enter 1-30."),
                  MsgIcon::Information);
    expectMessage(f.platform.messages[3], QStringLiteral("Try again"),
                  QStringLiteral("Label starting position cannot exceed ending position."),
                  MsgIcon::Information);

    QCOMPARE(f.options().positionRange, QStringLiteral("5"));
    QCOMPARE(f.options().labelCount, 1);
    QCOMPARE(f.options().leftPad, 35);
    QCOMPARE(f.options().topPad, 10);
    QCOMPARE(control<QLabel>(f.window, "lblLMPosition")->text(),
             QStringLiteral("Label Position 5"));
}

void LabelPrintWindowTest::emptyPositionEntryLeavesNoMedium() {
    Fixture f;
    f.choosePositions(QStringLiteral("5"));
    // A second entry cancelled: no stale position from the first survives.
    f.choosePositions(QString());
    QVERIFY(!control<QRadioButton>(f.window, "optLMLabel")->isChecked());
    QVERIFY(!control<QRadioButton>(f.window, "optLMEnvelope")->isChecked());
    QVERIFY(control<QLabel>(f.window, "lblLMPosition")->isHidden());
    QVERIFY(control<QLabel>(f.window, "lblLMPosition")->text().isEmpty());
    QCOMPARE(f.options().leftPad, 2);
    QCOMPARE(f.options().topPad, 3);
    QCOMPARE(f.platform.beeps, 0);

    f.typeLines(kAddress);
    f.print();
    QCOMPARE(f.platform.messageTitles(), QStringList{QStringLiteral("Media Selection")});
    QVERIFY(f.platform.printRequests.empty());
}

void LabelPrintWindowTest::printChecksRunInOrder_data() {
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("medium");  // label, envelope, envelope-sized or none
    QTest::addColumn<bool>("aligned");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");

    const QStringList none;
    QTest::newRow("no lines, nothing chosen") << none << "none" << false << "Missing Data"
                                              << "No information entered";
    QTest::newRow("blank line is text")
        << QStringList{"", "", "   "} << "none" << false << "Media Selection"
        << "Select Label stock or Envelope";
    QTest::newRow("envelope without size")
        << QStringList{"", "", "", "", "x"} << "envelope" << false << "Envelope Size"
        << "Select Envelope size";
    QTest::newRow("label without alignment") << kAddress << "label" << false << "Text Alignment"
                                             << "Select Left-Justified or Centered";
    QTest::newRow("sized envelope without alignment")
        << kAddress << "envelope-sized" << false << "Text Alignment"
        << "Select Left-Justified or Centered";
}

void LabelPrintWindowTest::printChecksRunInOrder() {
    QFETCH(QStringList, lines);
    QFETCH(QString, medium);
    QFETCH(bool, aligned);
    QFETCH(QString, title);
    QFETCH(QString, text);

    Fixture f;
    f.typeLines(lines);
    if (medium == QLatin1String("label")) {
        f.choosePositions(QStringLiteral("1-3"));
    } else if (medium.startsWith(QLatin1String("envelope"))) {
        control<QRadioButton>(f.window, "optLMEnvelope")->setChecked(true);
        f.setOptions([&](PrintOptions& o) {
            o.envelopeSize = medium.endsWith(QLatin1String("sized")) ? 1 : 0;
        });
    }
    if (!aligned) {
        f.setOptions([](PrintOptions& o) { o.alignment = TextAlignment::None; });
    }
    f.print();

    QCOMPARE(f.platform.beeps, 1);
    QCOMPARE(f.platform.messages.size(), std::size_t(1));
    expectMessage(f.platform.messages[0], title, text, MsgIcon::Exclamation);
    QVERIFY(f.platform.printRequests.empty());
}

void LabelPrintWindowTest::printPlacesTheRangeAndAgainOnTheNextPrint() {
    Fixture f;
    f.typeLines(kAddress);
    f.choosePositions(QStringLiteral("4-9"));
    TextGridSurface first;
    f.answerPrintDialog(first);
    f.print();

    QVERIFY(f.platform.messages.empty());
    QCOMPARE(f.platform.printRequests.size(), std::size_t(1));
    QCOMPARE(f.platform.printRequests[0].orientation, kPortrait);
    QCOMPARE(first.documentCount(), 1);
    const QList<QPair<int, int>> expected = {{10 + 2, 2}, {10 + 2, 35}, {10 + 2, 68},
                                             {16 + 2, 2}, {16 + 2, 35}, {16 + 2, 68}};
    QCOMPARE(placesOf(first, "Ann Example"), expected);
    QCOMPARE(f.options().startPosition, 10);
    QCOMPARE(f.options().topPad, 23);
    QCOMPARE(f.options().positionRange, QStringLiteral("4-9"));
    QCOMPARE(f.options().labelCount, 6);

    TextGridSurface second;
    f.answerPrintDialog(second);
    f.print();
    QCOMPARE(placesOf(second, "Ann Example"), expected);
    QCOMPARE(second.renderText(), first.renderText());
}

void LabelPrintWindowTest::copiesPrintTheSameSheetEach() {
    Fixture f;
    f.typeLines(kAddress);
    control<QRadioButton>(f.window, "optLMCenter")->setChecked(true);
    f.choosePositions(QStringLiteral("28-30"));
    TextGridSurface grid;
    f.answerPrintDialog(grid, 2);
    f.print();

    QCOMPARE(grid.documentCount(), 2);
    QCOMPARE(grid.pageCount(), 2);
    QCOMPARE(grid.pageLines(2), grid.pageLines(1));
    // "USA" centered: 15 - 1.5 rounds to 14 blanks after the start column.
    const QList<QPair<int, int>> usa = {{63 + 6, 2 + 14}, {63 + 6, 35 + 14}, {63 + 6, 68 + 14}};
    QCOMPARE(placesOf(grid, "USA"), usa + usa);
}

void LabelPrintWindowTest::listedPrinterAndAdjustmentMoveTheLabels() {
    Fixture f;
    test::writeBytes(f.paramPath(), "ENVELOPE 9   9  \r\nONTHEFLY -1  2  \r\n");
    f.typeLines(kAddress);
    f.choosePositions(QStringLiteral("5-6"));
    QCOMPARE(f.options().leftPad, 35);
    TextGridSurface grid("HP ENVY 4500 series");
    f.answerPrintDialog(grid);
    f.print();
    // Listed: one column right (36, 69), then the ONTHEFLY adjustment -1 and +2 lines.
    const QList<QPair<int, int>> expected = {{10 + 2 + 2, 35}, {10 + 2 + 2, 68}};
    QCOMPARE(placesOf(grid, "Ann Example"), expected);
    QCOMPARE(grid.paperSize(), kPaperLetter);
}

void LabelPrintWindowTest::cancelledPrintDialogEndsQuietly() {
    Fixture f;
    f.typeLines(kAddress);
    f.choosePositions(QStringLiteral("1"));
    PrintAnswer cancel;
    cancel.cancel = true;
    f.platform.printAnswers.push_back(cancel);
    f.print();
    QCOMPARE(f.platform.printRequests.size(), std::size_t(1));
    QVERIFY(f.platform.messages.empty());
    QCOMPARE(f.platform.beeps, 0);
    QCOMPARE(f.options().startPosition, 1);
}

void LabelPrintWindowTest::badParameterFileIsAPrinterProblem() {
    Fixture f;
    test::writeBytes(f.paramPath(), "ONTHEFLY 0      \r\n");
    f.typeLines(kAddress);
    f.choosePositions(QStringLiteral("1"));
    f.print();
    QCOMPARE(f.platform.messages.size(), std::size_t(1));
    expectMessage(f.platform.messages[0], QStringLiteral("Printer error"),
                  QStringLiteral("A printer problem exists.  Check printer."),
                  MsgIcon::Exclamation);
    QVERIFY(f.platform.printRequests.empty());
    QCOMPARE(control<QLabel>(f.window, "lblLMPosition")->text(),
             QStringLiteral("Label Position 1"));
}

void LabelPrintWindowTest::failureMidJobAbandonsIt() {
    Fixture f;
    f.typeLines(kAddress);
    f.choosePositions(QStringLiteral("1-30"));
    TextGridSurface grid;
    f.answerPrintDialog(grid, 3, 12);
    f.print();
    QCOMPARE(test::GridPrinter::kills, 1);
    QVERIFY(grid.runs().empty());
    QCOMPARE(grid.documentCount(), 0);
    QCOMPARE(f.platform.messageTitles(), QStringList{QStringLiteral("Printer error")});
    QCOMPARE(f.options().positionRange, QStringLiteral("1-30"));
}

void LabelPrintWindowTest::envelopeBranchUsesTheDialogAndNoLabelJob() {
    Fixture f;
    f.typeLines(kAddress);
    control<QRadioButton>(f.window, "optLMEnvelope")->setChecked(true);
    control<QRadioButton>(f.window, "optLandscape")->setChecked(true);
    f.setOptions([](PrintOptions& o) {
        o.envelopeSize = 2;
        o.startPosition = 7;
    });
    TextGridSurface grid;
    f.answerPrintDialog(grid, 2);
    f.print();
    QVERIFY(f.platform.messages.empty());
    QCOMPARE(f.platform.printRequests.size(), std::size_t(1));
    QCOMPARE(f.platform.printRequests[0].orientation, kLandscape);
    // The label state is not touched by an envelope.
    QCOMPARE(f.options().startPosition, 7);
}

void LabelPrintWindowTest::marginsAccumulateAndRefuseBadAnswers() {
    Fixture f;
    for (const char* answer : {"1000", "ab", "-1", "", "-1", ""}) {
        f.platform.inputAnswers.push_back(QString::fromLatin1(answer));
    }
    control<QAction>(f.window, "mnuAdjustOTF")->trigger();
    control<QAction>(f.window, "mnuAdjustOTF")->trigger();

    QCOMPARE(readAdjustment(f.paramPath(), kSectionOnTheFly), (Adjustment{-2, 0}));
    QCOMPARE(test::readBytes(f.paramPath()),
             std::string("ONTHEFLY -2  0  \r\nBULKLIST 0   0  \r\nENVELOPE 0   0  \r\n"));
    const QStringList titles = {"Left margin adjustment",
                                "Non-valid entry",
                                "Non-valid entry",
                                "Top margin adjustment",
                                "Margin adjustment completed",
                                "Left margin adjustment",
                                "Top margin adjustment",
                                "Margin adjustment completed"};
    QCOMPARE(f.platform.messageTitles(), titles);
    QCOMPARE(f.platform.messages[1].text, QStringLiteral("Number too high."));
    QCOMPARE(f.platform.messages[2].text,
             QStringLiteral("Enter no. of characters to move right or left."));
    expectMessage(
        f.platform.messages[4], QStringLiteral("Margin adjustment completed"),
        QStringLiteral("D O N E !  Margin(s) for on-the-fly labels adjusted successfully."),
        MsgIcon::None);
    QCOMPARE(f.platform.inputs[0].title, QStringLiteral("How many characters right or left?"));
    QCOMPARE(f.platform.inputs[0].prompt,
             QStringLiteral("Enter number of characters, positive or negative, to move right "
                            "or left, respectively:"));
    QCOMPARE(f.platform.inputs[3].title, QStringLiteral("How many characters down or up?"));
    QCOMPARE(f.platform.inputs[3].prompt,
             QStringLiteral("Enter number of characters, positive or negative, to move down or "
                            "up, respectively:"));
    QCOMPARE(f.platform.beeps, 0);
}

void LabelPrintWindowTest::marginsWithOnlyATopAnswer() {
    Fixture f;
    for (const char* answer : {"", "xyz", "3"}) {
        f.platform.inputAnswers.push_back(QString::fromLatin1(answer));
    }
    control<QAction>(f.window, "mnuAdjustENV")->trigger();
    QCOMPARE(readAdjustment(f.paramPath(), kSectionEnvelope), (Adjustment{0, 3}));
    QCOMPARE(readAdjustment(f.paramPath(), kSectionOnTheFly), (Adjustment{0, 0}));
    const QStringList titles = {"Left margin adjustment", "Non-valid entry",
                                "Margin adjustment completed"};
    QCOMPARE(f.platform.messageTitles(), titles);
    QVERIFY(f.platform.messages[0].text.endsWith(
        QStringLiteral("If you find that to be the case, simply reverse them here accordingly.")));
    QCOMPARE(f.platform.messages[1].text,
             QStringLiteral("Enter no. of characters to move down or up."));
}

void LabelPrintWindowTest::marginsWithNoAnswer() {
    Fixture f;
    const std::string before = test::readBytes(f.paramPath());
    control<QAction>(f.window, "mnuAdjustSR")->trigger();
    QCOMPARE(test::readBytes(f.paramPath()), before);
    QCOMPARE(f.platform.messages.size(), std::size_t(2));
    expectMessage(f.platform.messages[1], QStringLiteral("Margins not adjusted"),
                  QStringLiteral("No margin adjustment made."), MsgIcon::None);
    QVERIFY(f.platform.messages[0].text.contains(QStringLiteral("Search-result labels")));
}

void LabelPrintWindowTest::marginsFileErrorRetryClosesTheContactFile() {
    Fixture f;
    f.state.openFile(QString::fromStdString(f.folder.file("PEOPLE.DAT")));
    std::filesystem::remove(f.paramPath());
    std::filesystem::create_directory(f.paramPath());  // cannot be opened for writing
    f.window.show();
    f.platform.inputAnswers.push_back(QStringLiteral("1"));
    f.platform.messageAnswers = {MsgAnswer::Ok, MsgAnswer::Ok, MsgAnswer::Retry};
    control<QAction>(f.window, "mnuAdjustOTF")->trigger();

    QCOMPARE(f.platform.messages.size(), std::size_t(3));
    const RecordedMessage& error = f.platform.messages[2];
    QCOMPARE(error.title, QStringLiteral("Error"));
    QCOMPARE(error.buttons, MsgButtons::RetryCancel);
    QVERIFY(error.text.startsWith(QStringLiteral("An error has occurred. Error number 21 -- ")));
    QVERIFY(error.text.endsWith(QStringLiteral(".  Try again, or notify author.")));
    QVERIFY(!f.state.contacts().isOpen());
    QVERIFY(f.window.isVisible());
}

void LabelPrintWindowTest::marginsFileErrorCancelEndsTheApplication() {
    Fixture f;
    std::filesystem::remove(f.paramPath());
    std::filesystem::create_directory(f.paramPath());
    f.window.show();
    f.platform.messageAnswers = {MsgAnswer::Ok, MsgAnswer::Cancel};
    control<QAction>(f.window, "mnuAdjustENV")->trigger();
    QCOMPARE(f.platform.messageTitles(),
             (QStringList{QStringLiteral("Left margin adjustment"), QStringLiteral("Error")}));
    QVERIFY(!f.window.isVisible());
    // The exit steps ran (geometry written).
    QVERIFY(!f.platform.settings.empty());
}

QTEST_MAIN(LabelPrintWindowTest)
#include "main_label_print_window_test.moc"
