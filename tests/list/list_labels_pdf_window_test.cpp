// Labels for listed contacts on paper: three sheets through the PDF surface land where the
// text grid puts them, every sheet on a page of its own, every label inside its label.
#include <QtTest>

#include "list/list_labels.h"
#include "platform/qt_printer_surface.h"
#include "printing/label_stock.h"
#include "support/pdf_text_qt.h"
#include "support/temp_folder.h"
#include "surface/text_grid_surface.h"

using namespace qm;

namespace {

constexpr int kLabels = 61;
constexpr double kTolerance = 0.1;

ContactRecord numbered(int n) {
    ContactRecord r;
    r.firstName = "N" + std::to_string(n);
    r.lastName = "Doe";
    r.street = "1 Elm St";
    r.city = "Utica";
    r.state = "NY";
    r.zip = "13501";
    return r;
}

void printLabels(PrinterSurface& surface) {
    const auto contactAt = [](std::size_t i) { return numbered(static_cast<int>(i) + 1); };
    drawPlan(surface, listLabelsPlan(kAddressSheet, kLabels, contactAt), {}, 1);
}

}  // namespace

class ListLabelsPdfTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void sheetsFollowTheTextGridOnRealStock() {
        TextGridSurface grid;
        printLabels(grid);
        test::TempFolder folder;
        const QString path = QString::fromStdString(folder.file("labels.pdf"));
        printLabels(*makePdfSurface(path));

        QCOMPARE(test::pdfPageCount(path), 3);
        const test::PdfText text = test::readPdfText(path);
        const SheetGeometry& stock = kAddressSheet.sheet;
        int checked = 0;
        for (const PrintedRun& run : grid.runs()) {
            if (!run.text.starts_with("N")) {
                continue;
            }
            const int n = std::stoi(run.text.substr(1));
            const auto found =
                text.find(QString::fromStdString(run.text.substr(0, run.text.find(' '))));
            QCOMPARE(found.size(), std::size_t{1});
            const test::PdfWord& w = found.front();
            QCOMPARE(w.page, run.page);
            QCOMPARE(w.page, (n - 1) / stock.labels() + 1);
            QVERIFY2(qAbs(w.yMin - run.yPoints) < kTolerance, qPrintable(w.text));
            const double x =
                kPaperSideMarginPoints + (run.column - 1) * columnWidthPoints(run.size);
            QVERIFY2(qAbs(w.xMin - x) < kTolerance, qPrintable(w.text));
            // Inside its label on the stock.
            const int slot = (n - 1) % stock.labels();
            const PaperRect label = stock.label({slot / stock.across, slot % stock.across});
            QVERIFY2(w.xMin > label.left && w.xMin < label.right(), qPrintable(w.text));
            QVERIFY2(w.yMin > label.top && w.yMax < label.bottom(), qPrintable(w.text));
            ++checked;
        }
        QCOMPARE(checked, kLabels);
    }
};

QTEST_MAIN(ListLabelsPdfTest)
#include "list_labels_pdf_window_test.moc"
