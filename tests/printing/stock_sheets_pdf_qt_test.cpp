// A full sheet of five-line addresses on every built-in stock and on every rectangular sheet
// of the Avery, Herma and Zweckform template files, printed into PDF files: the page is the
// stock's, and every word comes back (pdftotext -bbox) wholly inside its own label.
#include <QtTest>

#include "platform/label_templates.h"
#include "platform/qt_printer_surface.h"
#include "printing/label_sheet.h"
#include "printing/label_stock.h"
#include "printing/stock_layout.h"
#include "support/pdf_text_qt.h"
#include "support/temp_folder.h"

using namespace qm;
using test::PdfText;
using test::PdfWord;

namespace {

constexpr double kTolerance = 0.3;

const std::array<std::string, 5> kAddress = {"Ann B. Lee", "Rolling Meadows Co", "12 Oak St",
                                             "Apt 4", "Troy, NY 12180"};

PdfText printed(const PrintPlan& plan, const test::TempFolder& folder) {
    const QString path = QString::fromStdString(folder.file("sheet.pdf"));
    auto surface = QtPrinterSurface::forPdfFile(path, "PDF");
    drawPlan(*surface, plan, {}, 1);
    surface.reset();
    return test::readPdfText(path);
}

// Whether the label holds all five lines in its layout: a label too low for them in 7 pt
// (or below the paper's printable area) prints what it can, inside itself all the same.
bool holdsFiveLines(const LabelStock& stock, LabelCell cell) {
    const StockTextLayout layout = stockTextLayout(stock.sheet, kLabelLines);
    return !placeLabelLines(stock, cell, layout, kAddress, false, {}).cut;
}

// Empty when the sheet printed as it should; else what went wrong.
QString checkSheet(const LabelStock& stock, const test::TempFolder& folder) {
    LabelJob job;
    job.lines = kAddress;
    job.startPosition = 1;
    job.labelCount = stock.sheet.labels();
    const PdfText pdf = printed(labelsPlan(stock, job), folder);
    const SheetGeometry& sheet = stock.sheet;
    if (pdf.pages.size() != 1 || std::abs(pdf.pages[0].width - sheet.pageWidth) > 0.5 ||
        std::abs(pdf.pages[0].height - sheet.pageHeight) > 0.5) {
        return QStringLiteral("not one page of the stock's paper");
    }
    std::map<std::pair<int, int>, int> wordsPerLabel;
    for (const PdfWord& w : pdf.words) {
        const auto cell = sheet.labelAt(w.xMin + kTolerance, w.yMin + kTolerance);
        const PaperRect label = cell ? sheet.label(*cell) : PaperRect{};
        if (!cell || w.xMax > label.right() + kTolerance || w.yMax > label.bottom() + kTolerance) {
            return QStringLiteral("%1 at (%2, %3)-(%4, %5) is off its label")
                .arg(w.text)
                .arg(w.xMin)
                .arg(w.yMin)
                .arg(w.xMax)
                .arg(w.yMax);
        }
        ++wordsPerLabel[{cell->row, cell->column}];
    }
    constexpr int kWords = 14;
    for (int row = 0; row < sheet.down; ++row) {
        for (int column = 0; column < sheet.across; ++column) {
            const int words = wordsPerLabel[{row, column}];
            if (holdsFiveLines(stock, {row, column}) ? words != kWords : words > kWords) {
                return QStringLiteral("%1 words on label %2, %3").arg(words).arg(row).arg(column);
            }
        }
    }
    return {};
}

}  // namespace

class StockSheetsPdfTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void everyBuiltInStockPrintsEveryWordInsideItsLabel() {
        const test::TempFolder folder;
        for (const LabelStock& stock : kLabelStocks) {
            if (stock.hasCells()) {
                continue;  // today's two sheets: their own tests
            }
            const QString problem = checkSheet(stock, folder);
            QVERIFY2(problem.isEmpty(), qPrintable(QString::fromStdString(std::string(stock.name)) +
                                                   QStringLiteral(": ") + problem));
        }
    }

    void everyTemplateSheetOfThreeMakersPrintsEveryWordInsideItsLabel() {
        StockLibrary library;
        readTemplateFolder(library, kSystemTemplateFolder);
        QVERIFY(library.skipped().empty());
        const test::TempFolder folder;
        int checked = 0;
        for (const LabelStock* stock : library.search("")) {
            const std::string_view vendor = stock->vendor;
            if ((vendor != "Avery" && vendor != "Herma" && vendor != "Zweckform") ||
                stock == &kAddressSheet) {
                continue;
            }
            const QString problem = checkSheet(*stock, folder);
            QVERIFY2(problem.isEmpty(),
                     qPrintable(QString::fromStdString(std::string(stock->name)) +
                                QStringLiteral(": ") + problem));
            ++checked;
        }
        // The package holds over a hundred sheets of theirs beside the built-in ones.
        QVERIFY2(checked > 100, qPrintable(QString::number(checked)));
    }
};

QTEST_MAIN(StockSheetsPdfTest)
#include "stock_sheets_pdf_qt_test.moc"
