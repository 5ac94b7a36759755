// Return-address labels printed from the main window into a PDF, read back and laid over
// real 80-up stock.
#include <QtTest>
#include <memory>

#include "desktop/main_window.h"
#include "platform/qt_printer_surface.h"
#include "printing/label_stock.h"
#include "support/controls_qt.h"
#include "support/pdf_text_qt.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"
#include "support/typed_lines_qt.h"

using qm::test::control;

namespace {

// Row 6 begins exactly on its label's top edge; a hundredth of a point keeps rounding out.
constexpr double kEdge = 0.01;
// One column of Courier New 8.
constexpr double kColumn = 0.6 * 8;

// Queues a print dialog answer that chooses a PDF file.
void choosePdf(qm::ScriptedPlatform& platform, const QString& path) {
    qm::PrintAnswer answer;
    answer.makeSurface = [path]() -> std::unique_ptr<qm::PrinterSurface> {
        return qm::makePdfSurface(path);
    };
    platform.printAnswers.push_back(std::move(answer));
}

// The label of the stock under a point, as (row, column) from 0; (-1, -1) off every label.
QPair<int, int> labelAt(const qm::SheetGeometry& sheet, double xPoints, double yPoints) {
    const auto cell = sheet.labelAt(xPoints, yPoints);
    return cell ? QPair<int, int>{cell->row, cell->column} : QPair<int, int>{-1, -1};
}

}  // namespace

class ReturnAddressPdfTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void everyLabelStartsInsideItsLabel() {
        qm::test::TempFolder folder;
        qm::ScriptedPlatform platform;
        qm::AppState state(platform, QString::fromStdString(folder.path()));
        frmDEdavu w(state);
        const QString pdf = QString::fromStdString(folder.file("return.pdf"));

        qm::test::typeLines(w, {"Ann Smith", "12 Elm St", "Springfield IL 62701"});
        choosePdf(platform, pdf);
        platform.messageAnswers = {qm::MsgAnswer::Ok, qm::MsgAnswer::No};
        control<QAction>(w, "mnuRetAddress")->trigger();
        QCOMPARE(
            platform.messageTitles(),
            QStringList({QStringLiteral("Load printer with Avery 5167, 8167, or 18167 label stock"),
                         QStringLiteral("Completed")}));

        QCOMPARE(qm::test::pdfPageCount(pdf), 1);
        const qm::test::PdfText text = qm::test::readPdfText(pdf);
        const qm::SheetGeometry& stock = qm::kReturnAddressSheet.sheet;
        // Each label's first character lies wholly on its label.
        const auto first = text.find(QStringLiteral("Ann"));
        QCOMPARE(first.size(), std::size_t{80});
        QSet<QPair<int, int>> labels;
        for (const qm::test::PdfWord& at : first) {
            const auto label = labelAt(stock, at.xMin, at.yMin + kEdge);
            QVERIFY2(
                label.first >= 0,
                qPrintable(
                    QStringLiteral("label at %1, %2 off the stock").arg(at.xMin).arg(at.yMin)));
            QCOMPARE(labelAt(stock, at.xMin + kColumn, at.yMax - kEdge), label);
            labels.insert(label);
        }
        QCOMPARE(labels.size(), 80);
        // The lines below start on the same labels (the third line's descenders may touch
        // the edge of the label below, as on the stock itself, which has no gap).
        for (const QString& word : {QStringLiteral("12"), QStringLiteral("Springfield")}) {
            QSet<QPair<int, int>> below;
            for (const qm::test::PdfWord& at : text.find(word)) {
                below.insert(labelAt(stock, at.xMin, at.yMin + kEdge));
            }
            QCOMPARE(below, labels);
        }
    }

    void aFailedJobIsAbandonedWithAPrinterMessage() {
        qm::test::TempFolder folder;
        qm::ScriptedPlatform platform;
        qm::AppState state(platform, QString::fromStdString(folder.path()));
        frmDEdavu w(state);
        control<QAction>(w, "mnuRetAddress")->trigger();  // no lines yet: return-address mode
        platform.clearRecords();

        qm::test::typeLines(w, {"Ann Smith", "12 Elm St", "Springfield IL 62701"});
        choosePdf(platform, QString::fromStdString(folder.file("missing/return.pdf")));
        control<QPushButton>(w, "cmdRetAddress")->click();

        QCOMPARE(
            platform.messageTitles(),
            QStringList({QStringLiteral("Load printer with Avery 5167, 8167, or 18167 label stock"),
                         QStringLiteral("Printer error")}));
        QCOMPARE(platform.messages[1].text,
                 QStringLiteral("A printer problem exists.  Check printer."));
        QCOMPARE(platform.messages[1].icon, qm::MsgIcon::Exclamation);
        QVERIFY(!control<QPushButton>(w, "cmdRetAddress")->isHidden());
        QVERIFY(control<QPushButton>(w, "cmdLMStart")->isHidden());
        QVERIFY(!control<QRadioButton>(w, "optLMLabel")->isEnabled());
    }
};

QTEST_MAIN(ReturnAddressPdfTest)
#include "return_address_pdf_window_test.moc"
