// Every job on its own paper whatever the printer's default (A4 here), every word inside its
// label or well inside its envelope (read back from the PDF), and the preview showing the
// pages and runs the printed PDF gets.
#include <QPrinter>
#include <QtTest>

#include "app/print_runner.h"
#include "desktop/main_window.h"
#include "list/contact_report.h"
#include "list/list_labels.h"
#include "platform/preview_page_view.h"
#include "platform/print_preview_window.h"
#include "platform/qt_printer_surface.h"
#include "printing/envelope_layout.h"
#include "printing/label_sheet.h"
#include "printing/label_stock.h"
#include "printing/return_labels.h"
#include "shell/app_folder.h"
#include "support/controls_qt.h"
#include "support/grid_printer.h"
#include "support/pdf_text_qt.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"

using namespace qm;
using test::control;
using test::PdfText;
using test::PdfWord;

namespace {

constexpr double kTolerance = 0.2;
const std::string kLong = "Dr. Bartholomew Featherstonehaugh-Smythe";

// A PDF printer as a machine whose default paper is A4 gives it.
std::unique_ptr<QtPrinterSurface> a4Surface(const QString& path) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(QPageSize::A4));
    auto surface = std::make_unique<QtPrinterSurface>(std::move(printer));
    surface->recordRuns();
    return surface;
}

using Pages = std::function<void(PrinterSurface&, int copies, bool selection)>;

ContactRecord listedContact(std::size_t index) {
    ContactRecord r;
    r.firstName = "Bartholomew" + std::to_string(index + 1);
    r.lastName = "Featherstonehau";
    r.street = "12345 Longest Avenue Northwest";
    r.street2 = "Building 99 Ste";
    r.city = "Springfield";
    r.state = "IL";
    r.zip = "62701-1234";
    return r;
}

LabelJob fullSheet() {
    LabelJob job;
    job.lines = {kLong, kLong, kLong, kLong, kLong};
    job.startPosition = 1;
    job.labelCount = 30;
    job.slot = {2, 3};
    job.slotFromPrinter = true;
    return job;
}

EnvelopeJob envelopeOf(int size) {
    EnvelopeJob job;
    job.lines = {"Ann Example", "1234 Longest Avenue Northwest", "Apartment 4B",
                 "Springfield, IL 62701-1234", "United States"};
    job.size = size;
    job.slot = *envelopeSlotPicked(size);
    return job;
}

// The jobs of the print commands, each with the stock its labels lie on (none: no labels).
struct JobCase {
    const char* name;
    Pages pages;
    const LabelStock* stock;
    int pageCount;
    QSizeF pageSize;  // points, as oriented
};

// The pages of a plan, as the print commands hand them to the preview and the dialog.
Pages pagesOf(PrintPlan plan) {
    return [plan = std::move(plan)](PrinterSurface& s, int copies, bool selection) {
        drawPlan(s, plan, {}, copies, selection);
    };
}

std::vector<JobCase> jobCases() {
    const QSizeF letter(612, 792);
    return {
        {"30 labels of five long lines", pagesOf(labelsPlan(kAddressSheet, fullSheet())),
         &kAddressSheet, 1, letter},
        {"90 listed contacts", pagesOf(listLabelsPlan(kAddressSheet, 90, listedContact)),
         &kAddressSheet, 3, letter},
        {"80 return labels",
         pagesOf(returnLabelsPlan(kReturnAddressSheet, {kLong, kLong, kLong}, false)),
         &kReturnAddressSheet, 1, letter},
        {"report",
         pagesOf(contactReportPlan(std::vector<std::string>(70, "Ann\tLee\t12 Oak St"), "Friends",
                                   std::nullopt)),
         nullptr, 2, QSizeF(792, 612)},
    };
}

QString describe(const PdfWord& w) {
    return QStringLiteral("%1 page %2 at (%3, %4)-(%5, %6)")
        .arg(w.text)
        .arg(w.page)
        .arg(w.xMin)
        .arg(w.yMin)
        .arg(w.xMax)
        .arg(w.yMax);
}

}  // namespace

class PaperAndPreviewTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void everyWordLiesInsideItsLabelOnLetterWhateverTheDefault() {
        for (const JobCase& c : jobCases()) {
            if (c.stock == nullptr) {
                continue;
            }
            test::TempFolder folder;
            const QString path = QString::fromStdString(folder.file("job.pdf"));
            auto surface = a4Surface(path);
            c.pages(*surface, 1, false);
            surface.reset();
            const PdfText text = test::readPdfText(path);
            QCOMPARE(int(text.pages.size()), c.pageCount);
            QVERIFY(!text.words.empty());
            for (const auto& page : text.pages) {
                QCOMPARE(QSizeF(page.width, page.height), c.pageSize);
            }
            const SheetGeometry& sheet = c.stock->sheet;
            for (const PdfWord& w : text.words) {
                const auto cell = sheet.labelAt(w.xMin + kTolerance, w.yMin + kTolerance);
                QVERIFY2(cell.has_value(), qPrintable(QString(c.name) + ": " + describe(w)));
                const PaperRect label = sheet.label(*cell);
                QVERIFY2(
                    w.xMax <= label.right() + kTolerance && w.yMax <= label.bottom() + kTolerance,
                    qPrintable(QString(c.name) + ": " + describe(w)));
            }
        }
    }

    void everyEnvelopesAddressIsHalfAnInchInsideIt() {
        for (int size = 1; size <= 6; ++size) {
            const EnvelopeSize& envelope = *envelopeSize(size);
            test::TempFolder folder;
            const QString path = QString::fromStdString(folder.file("envelope.pdf"));
            auto surface = a4Surface(path);
            drawPlan(*surface, envelopePlan(envelopeOf(size)), {}, 1);
            surface.reset();
            const PdfText text = test::readPdfText(path);
            QCOMPARE(int(text.pages.size()), 1);
            // Landscape: the long side across.
            QCOMPARE(text.pages[0].width, envelope.height);
            QCOMPARE(text.pages[0].height, envelope.width);
            QVERIFY(text.words.size() >= 10);
            for (const PdfWord& w : text.words) {
                const QString where = QString::number(size) + ": " + describe(w);
                QVERIFY2(w.xMin >= 36 && w.yMin >= 36, qPrintable(where));
                QVERIFY2(w.xMax <= envelope.height - 36 && w.yMax <= envelope.width - 36,
                         qPrintable(where));
            }
        }
    }

    void linesCutShortAreNamedInThePreviewAndAskedAboutBeforePrinting() {
        test::TempFolder folder;
        prepareAppFolder(folder.path());
        ScriptedPlatform platform;
        AppState state{platform, QString::fromStdString(folder.path())};
        LabelJob job = fullSheet();
        job.lines = {std::string(50, 'W'), "2", "3", "4", "5"};
        job.startPosition = 4;
        job.labelCount = 6;
        for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
            platform.clearRecords();
            TextGridSurface grid;
            PrintAnswer printer;
            printer.makeSurface = [&grid] { return std::make_unique<test::GridPrinter>(grid); };
            platform.printAnswers.push_back(std::move(printer));
            platform.previewPrints.push_back(true);
            platform.messageAnswers.push_back(answer);
            const PrintOutcome outcome =
                runPrintPlan(state, nullptr, labelsPlan(kAddressSheet, job), true);
            const auto* named = test::control<QLabel>(platform.previews.back(), "lblCut");
            QVERIFY(!named->isHidden());
            QCOMPARE(
                named->text(),
                QStringLiteral("Lines too long even in 7 point type, cut short on labels 4-9"));
            QCOMPARE(platform.messageTitles(),
                     QStringList{QStringLiteral("Not everything will print")});
            QVERIFY(platform.messages.front().text.contains(QStringLiteral("labels 4-9")));
            QCOMPARE(outcome.printed, answer == MsgAnswer::Yes);
            QCOMPARE(grid.runs().empty(), answer == MsgAnswer::No);
        }
    }

    void previewShowsThePagesAndRunsOfThePrintedJob() {
        ScriptedPlatform platform;
        for (const JobCase& c : jobCases()) {
            test::TempFolder folder;
            const QString path = QString::fromStdString(folder.file("printed.pdf"));
            std::vector<PaintedRun> printed;
            PreviewableJob job;
            job.pages = c.pages;
            job.print = [&](PrintJob& printJob) {
                job.pages(*printJob.surface, printJob.copies, false);
                printed = dynamic_cast<QtPrinterSurface&>(*printJob.surface).paintedRuns();
            };
            PrintAnswer answer;
            answer.makeSurface = [&path] { return a4Surface(path); };
            platform.printAnswers.push_back(std::move(answer));
            PrintRequest request;
            request.paper = kPaperLetter;
            PrintPreviewWindow preview(platform, nullptr, request, job);
            QCOMPARE(preview.pageCount(), c.pageCount);
            QCOMPARE(int(preview.pageLayouts().size()), c.pageCount);
            for (const QPageLayout& layout : preview.pageLayouts()) {
                QCOMPARE(layout.fullRectPoints().size().toSizeF(), c.pageSize);
            }
            control<QAction>(preview, "actLast")->trigger();
            QCOMPARE(control<PreviewPageView>(preview, "previewView")->currentPage(), c.pageCount);
            QVERIFY(preview.printFromPreview());
            QCOMPARE(test::pdfPageCount(path), c.pageCount);
            QVERIFY(!printed.empty());
            QVERIFY2(preview.runs() == printed, c.name);
        }
    }

    // A job of any length shows at once: a page is painted only while it is in view.
    void previewPaintsOnlyThePagesInView() {
        PreviewPageView view;
        view.resize(600, 500);
        std::vector<int> painted;
        view.setPages(std::vector<QSizeF>(100, QSizeF(612, 792)),
                      [&painted](QPainter&, int index) { painted.push_back(index); });
        view.show();
        view.viewport()->grab();
        QVERIFY(!painted.empty() && painted.size() <= 2);
        QCOMPARE(painted.front(), 0);
        QCOMPARE(view.currentPage(), 1);

        painted.clear();
        view.setCurrentPage(100);
        QCOMPARE(view.currentPage(), 100);
        view.viewport()->grab();
        QVERIFY(!painted.empty() && painted.size() <= 2);
        QCOMPARE(painted.back(), 99);

        // Zooming keeps the page in view.
        const double fitted = view.zoom();
        view.zoomIn();
        QVERIFY(view.zoom() > fitted);
        QCOMPARE(view.currentPage(), 100);
        view.fitInView();
        QCOMPARE(view.currentPage(), 100);
        QVERIFY(792 * view.zoom() <= view.viewport()->height());
    }

    void mainWindowPreviewHasPrintsChecksThenTheJobsPaper() {
        test::TempFolder folder;
        prepareAppFolder(folder.path());
        ScriptedPlatform platform;
        AppState state{platform, QString::fromStdString(folder.path())};
        frmDEdavu window{state};
        // No lines: Print's first check, and no preview.
        control<QPushButton>(window, "cmdLMPreview")->click();
        QCOMPARE(platform.messageTitles(), QStringList{QStringLiteral("Missing Data")});
        QVERIFY(platform.previews.empty());

        control<QLineEdit>(window, "txtLMLine1")->setText(QString::fromStdString(kLong));
        platform.inputAnswers.push_back(QStringLiteral("4-9"));
        control<QRadioButton>(window, "optLMLabel")->click();
        platform.clearRecords();
        TextGridSurface grid;
        PrintAnswer answer;
        answer.makeSurface = [&grid] { return std::make_unique<test::GridPrinter>(grid); };
        platform.printAnswers.push_back(std::move(answer));
        platform.previewPrints.push_back(true);
        control<QPushButton>(window, "cmdLMPreview")->click();
        QCOMPARE(int(platform.previews.size()), 1);
        const PrintPreviewWindow& preview = *platform.previews.back();
        QCOMPARE(preview.pageCount(), 1);
        QCOMPARE(preview.pageLayouts().front().pageSize().id(), QPageSize::Letter);
        QCOMPARE(int(preview.runs().size()), 6);
        // The long line is set smaller to fit its label, so nothing is cut.
        QVERIFY(!preview.runs().front().cut);
        // Printed from the preview through the dialog, with the paper selected, as Print does.
        QCOMPARE(int(platform.printRequests.size()), 1);
        QCOMPARE(platform.printRequests.front().paper, kPaperLetter);
        QCOMPARE(int(grid.runs().size()), 6);
        QCOMPARE(state.printOptions().startPosition, 10);

        // An envelope: its own paper, in landscape.
        platform.clearRecords();
        control<QRadioButton>(window, "optLMEnvelope")->click();
        Q_EMIT control<QComboBox>(window, "cboLMEnvelope")->activated(1);
        control<QRadioButton>(window, "optLMLeftjust")->click();
        control<QAction>(window, "mnuFilePreview")->trigger();
        QCOMPARE(int(platform.previews.size()), 1);
        QCOMPARE(platform.previewRequests.front().paper, kPaperEnvelope634);
        QCOMPARE(platform.previews.back()->pageLayouts().front().orientation(),
                 QPageLayout::Landscape);
    }
};

QTEST_MAIN(PaperAndPreviewTest)
#include "paper_and_preview_window_test.moc"
