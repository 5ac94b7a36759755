// A full sheet of typed-line labels printed from the main window into a PDF, read back to
// see that every label starts inside its label on real 30-up stock and every line sits where
// the character cells put it. With QUILLMARK_SHEET_PDF set, the PDF is kept at that path.
#include <QtTest>

#include "desktop/main_window.h"
#include "platform/qt_printer_surface.h"
#include "printing/label_sheet.h"
#include "printing/label_stock.h"
#include "shell/app_folder.h"
#include "support/controls_qt.h"
#include "support/pdf_text_qt.h"
#include "support/scripted_platform_qt.h"
#include "support/temp_folder.h"
#include "support/typed_lines_qt.h"
#include "surface/text_grid_surface.h"

using namespace qm;
using test::control;
using test::PdfText;
using test::PdfWord;

namespace {

// Lines are exact; columns of Liberation Mono drift by under a tenth of a point per page.
constexpr double kTolerance = 0.1;

const QStringList kAddress = {"Ann Example", "12 Main St", "Apt 4", "Springfield IL 62701", "USA"};

PaperRect labelOnStock(int position) {
    const SheetGeometry& sheet = kAddressSheet.sheet;
    return sheet.label({(position - 1) / sheet.across, (position - 1) % sheet.across});
}

// With QUILLMARK_SHEET_PDF set, the label outlines go beside the PDF (one "left top right
// bottom" line in points each), for scripts/sheet-png.sh to draw.
void writeOutlines(const QString& pdfPath) {
    QFile file(pdfPath + QStringLiteral(".outlines"));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Text));
    QTextStream out(&file);
    for (int p = 1; p <= kAddressSheet.sheet.labels(); ++p) {
        const PaperRect r = labelOnStock(p);
        out << r.left << ' ' << r.top << ' ' << r.right() << ' ' << r.bottom() << '\n';
    }
}

// Paper coordinates of a cell of the 10-point font.
double cellX(int column) {
    return kPaperSideMarginPoints + (column - 1) * columnWidthPoints(10);
}
double cellY(int line) {
    return (line - 1) * lineHeightPoints(10);
}

// The one word with this text at this place, if any.
const PdfWord* wordAt(const PdfText& pdf, const QString& text, double x, double y) {
    const PdfWord* found = nullptr;
    for (const PdfWord& w : pdf.words) {
        if (w.text == text && qAbs(w.xMin - x) < kTolerance && qAbs(w.yMin - y) < kTolerance) {
            if (found != nullptr) {
                return nullptr;
            }
            found = &w;
        }
    }
    return found;
}

}  // namespace

class LabelSheetPdfTest : public QObject {
    Q_OBJECT
  private Q_SLOTS:
    void fullSheetLandsOnTheStock();
};

void LabelSheetPdfTest::fullSheetLandsOnTheStock() {
    test::TempFolder folder;
    prepareAppFolder(folder.path());
    const QByteArray keep = qgetenv("QUILLMARK_SHEET_PDF");
    const QString pdfPath = keep.isEmpty() ? QString::fromStdString(folder.file("sheet.pdf"))
                                           : QString::fromLocal8Bit(keep);

    ScriptedPlatform platform;
    AppState state(platform, QString::fromStdString(folder.path()));
    frmDEdavu window(state);
    test::typeLines(window, kAddress);
    platform.inputAnswers.push_back(QStringLiteral("1-30"));
    control<QRadioButton>(window, "optLMLabel")->click();
    PrintAnswer answer;
    answer.makeSurface = [pdfPath]() -> std::unique_ptr<PrinterSurface> {
        return makePdfSurface(pdfPath);
    };
    platform.printAnswers.push_back(std::move(answer));
    control<QPushButton>(window, "cmdLMStart")->click();
    QVERIFY2(platform.messages.empty(), qPrintable(platform.messageTexts().join('\n')));

    if (!keep.isEmpty()) {
        writeOutlines(pdfPath);
    }
    QCOMPARE(test::pdfPageCount(pdfPath), 1);
    const PdfText pdf = test::readPdfText(pdfPath);
    int wordsPerLabel = 0;
    for (const QString& line : kAddress) {
        wordsPerLabel += static_cast<int>(line.split(QLatin1Char(' ')).size());
    }
    QCOMPARE(static_cast<int>(pdf.words.size()), 30 * wordsPerLabel);

    for (int p = 1; p <= 30; ++p) {
        const LabelSlot slot = labelSlot(kAddressSheet, p, false);
        const PaperRect label = labelOnStock(p);
        for (int i = 0; i < 5; ++i) {
            const QString first = kAddress[i].section(QLatin1Char(' '), 0, 0);
            // 1 + top lines empty above the label, then its lines in order.
            const PdfWord* w =
                wordAt(pdf, first, cellX(slot.startColumn), cellY(slot.topLines + 2 + i));
            QVERIFY2(w != nullptr, qPrintable(QStringLiteral("position %1 line %2").arg(p).arg(i)));
            // The line starts on the label and its box ends above the label's bottom.
            QVERIFY2(w->xMin >= label.left && w->xMin + columnWidthPoints(10) <= label.right() &&
                         w->yMin >= label.top - kTolerance && w->yMax <= label.bottom(),
                     qPrintable(QStringLiteral("position %1 line %2 at %3,%4")
                                    .arg(p)
                                    .arg(i)
                                    .arg(w->xMin)
                                    .arg(w->yMin)));
        }
    }
}

QTEST_MAIN(LabelSheetPdfTest)
#include "label_sheet_pdf_window_test.moc"
