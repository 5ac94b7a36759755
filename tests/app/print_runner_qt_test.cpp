// The one way windows print: a plan through the print dialog or the preview, its adjustment
// from the parameter file, and every failure in the plan's own message.
#include <QtTest>
#include <stdexcept>

#include "app/print_runner.h"
#include "records/parameter_file.h"
#include "support/grid_printer.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

using namespace qm;

namespace {

struct Fixture {
    test::TempFolder folder;
    ScriptedPlatform platform;
    AppState state{platform, QString::fromStdString(folder.path())};
    TextGridSurface grid{"HP ENVY 5000"};
    Adjustment drawnWith{-99, -99};

    Fixture() { test::GridPrinter::kills = 0; }
    void answerDialog(int copies = 1) {
        PrintAnswer answer;
        answer.copies = copies;
        answer.makeSurface = [this] { return std::make_unique<test::GridPrinter>(grid); };
        platform.printAnswers.push_back(std::move(answer));
    }
    // A plan of one line a copy, moved by the ENVELOPE record; `fail` throws midway.
    PrintPlan plan(const std::function<void()>& fail = {}) {
        PrintPlan p;
        p.paper = {kPaperEnvelope10, kLandscape};
        p.fonts = {PrintFont{}};
        p.adjustment = kSectionEnvelope;
        p.draw = [this, fail](PrinterSurface& surface, Adjustment adjust) {
            drawnWith = adjust;
            surface.print({PrintItem::Text("line")});
            if (fail) {
                fail();
            }
        };
        return p;
    }
};

}  // namespace

class PrintRunnerTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void printsEveryCopyWithItsAdjustmentOnThePlansPaper() {
        Fixture f;
        test::writeBytes(parameterFilePath(f.state), "ENVELOPE 2   -1 \r\n");
        f.answerDialog(2);
        bool accepted = false;
        const PrintOutcome outcome =
            runPrintPlan(f.state, nullptr, f.plan(), false, [&accepted] { accepted = true; });
        QVERIFY(outcome.printed);
        QCOMPARE(outcome.deviceName, std::string("HP ENVY 5000"));
        QVERIFY(accepted);
        QCOMPARE(f.drawnWith, (Adjustment{2, -1}));
        QCOMPARE(f.grid.documentCount(), 2);
        QCOMPARE(f.platform.printRequests.front().paper, kPaperEnvelope10);
        QCOMPARE(f.platform.printRequests.front().orientation, kLandscape);
        QVERIFY(!f.platform.printRequests.front().allowSelection);
        QVERIFY(f.platform.messages.empty());
    }

    void anyFailureWhilePrintingAbandonsTheJobWithThePlansMessage() {
        // Not only the program's own errors: whatever the printing throws.
        Fixture f;
        f.answerDialog();
        PrintPlan plan = f.plan([] { throw std::runtime_error("out of paper"); });
        plan.problem.title = "Printer error.";
        QVERIFY(!runPrintPlan(f.state, nullptr, std::move(plan), false).printed);
        QCOMPARE(test::GridPrinter::kills, 1);
        QVERIFY(f.grid.runs().empty());
        QCOMPARE(f.platform.messageTitles(), QStringList{QStringLiteral("Printer error.")});
        QCOMPARE(f.platform.messages.front().text,
                 QStringLiteral("A printer problem exists.  Check printer."));
        QCOMPARE(f.platform.messages.front().icon, MsgIcon::Exclamation);
    }

    void anUnreadableParameterFileStopsBeforeTheDialog() {
        Fixture f;
        test::writeBytes(parameterFilePath(f.state), "ENVELOPE abc 0  \r\n");
        f.answerDialog();
        QVERIFY(!runPrintPlan(f.state, nullptr, f.plan(), false).printed);
        QVERIFY(f.platform.printRequests.empty());
        QCOMPARE(f.platform.messageTitles(), QStringList{QStringLiteral("Printer error")});
        // A plan no section moves never reads the file.
        PrintPlan unmoved = f.plan();
        unmoved.adjustment = {};
        QVERIFY(runPrintPlan(f.state, nullptr, std::move(unmoved), false).printed);
        QCOMPARE(f.drawnWith, Adjustment{});
    }

    void aPreviewAloneIsNotPrinted() {
        Fixture f;
        f.platform.previewPrints.push_back(false);
        QVERIFY(!runPrintPlan(f.state, nullptr, f.plan(), true).printed);
        QCOMPARE(int(f.platform.previews.size()), 1);
        QCOMPARE(f.platform.previews.front()->pageCount(), 1);
        QVERIFY(f.grid.runs().empty());

        f.answerDialog();
        f.platform.previewPrints.push_back(true);
        QVERIFY(runPrintPlan(f.state, nullptr, f.plan(), true).printed);
        QCOMPARE(int(f.grid.runs().size()), 1);
    }
};

QTEST_MAIN(PrintRunnerTest)
#include "print_runner_qt_test.moc"
