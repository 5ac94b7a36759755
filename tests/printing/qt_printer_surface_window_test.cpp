#include <QPrintDialog>
#include <QtTest>
#include <functional>

#include "platform/qt_platform_services.h"
#include "platform/qt_printer_surface.h"
#include "platform/qt_text.h"
#include "printing/envelope_layout.h"
#include "printing/label_stock.h"
#include "printing/print_rules.h"
#include "records/error.h"
#include "support/pdf_text_qt.h"
#include "support/sheet_shapes.h"
#include "support/temp_folder.h"
#include "surface/text_grid_surface.h"

using namespace qm;
using test::PdfText;
using test::PdfWord;

namespace {

// Lines are exact; a column of Liberation Mono is 0.60009 x size rather than 0.6, which
// adds up to a tenth of a point across a page.
constexpr double kTolerance = 0.1;

double columnX(int column, double size) {
    return kPaperSideMarginPoints + (column - 1) * columnWidthPoints(size);
}

double lineY(int line, double size) {
    return (line - 1) * lineHeightPoints(size);
}

// Prints with a fresh PDF surface and ends the job, so the file is complete.
void printPdf(const QString& path, const std::function<void(PrinterSurface&)>& job) {
    auto surface = makePdfSurface(path);
    job(*surface);
    surface->endJob();
}

PdfWord onlyWord(const PdfText& text, const QString& word) {
    const std::vector<PdfWord> found = text.find(word);
    if (found.size() != 1) {
        qWarning() << word << "found" << found.size() << "times";
        return PdfWord{0, -1, -1, -1, -1, word};
    }
    return found.front();
}

// The box of a word's first character lies within the label.
bool firstCharacterInside(const PdfWord& w, double size, const PaperRect& label) {
    const double charRight = w.xMin + columnWidthPoints(size);
    return w.xMin >= label.left - kTolerance && charRight <= label.right() + kTolerance &&
           w.yMin >= label.top - kTolerance && w.yMax <= label.bottom() + kTolerance;
}

QString describe(const PdfWord& w, const PaperRect& r) {
    return QStringLiteral("%1 at (%2, %3)-(%4) outside label (%5, %6)-(%7, %8)")
        .arg(w.text)
        .arg(w.xMin)
        .arg(w.yMin)
        .arg(w.yMax)
        .arg(r.left)
        .arg(r.top)
        .arg(r.right())
        .arg(r.bottom());
}

// A job with page breaks, a Tab that wraps, a return to the top and a font change.
void mixedJob(PrinterSurface& s) {
    s.setFont("Courier New");
    s.setFontSize(10);
    s.print({PrintItem::Tab(40), PrintItem::Text("head")});
    for (int i = 1; i <= 80; ++i) {
        s.print({PrintItem::Tab(1 + i % 7), PrintItem::Text("w" + std::to_string(i))});
    }
    s.print({PrintItem::Text("long-run-of-text"), PrintItem::Tab(5), PrintItem::Text("wrap")});
    s.setCurrentX(0);
    s.setCurrentY(0);
    s.printEmptyLines(2);
    s.print({PrintItem::Spc(30), PrintItem::Text("over")});
    s.setFontSize(12);
    for (int i = 1; i <= 70; ++i) {
        s.print({PrintItem::Tab(20), PrintItem::Text("b" + std::to_string(i))});
    }
    s.endDoc();
}

}  // namespace

class QtPrinterSurfaceTest : public QObject {
    Q_OBJECT

  private:
    QString pdf(const test::TempFolder& folder, const char* name) {
        return QString::fromStdString(folder.file(name));
    }

  private Q_SLOTS:
    void textLandsOnItsCell_data() {
        QTest::addColumn<double>("size");
        QTest::newRow("8 point") << 8.0;
        QTest::newRow("10 point") << 10.0;
        QTest::newRow("12 point") << 12.0;
        QTest::newRow("16 point") << 16.0;
    }

    void textLandsOnItsCell() {
        QFETCH(double, size);
        test::TempFolder folder;
        const QString path = pdf(folder, "cells.pdf");
        std::vector<int> columns;
        for (int c : {1, 10, 35, 68, 96}) {
            if (columnX(c + 8, size) < 612 - kPaperSideMarginPoints) {
                columns.push_back(c);
            }
        }
        printPdf(path, [&](PrinterSurface& s) {
            s.setFont("Courier New");
            s.setFontSize(size);
            for (int line = 1; line <= 30; line += 7) {
                std::vector<PrintItem> items;
                for (int c : columns) {
                    items.push_back(PrintItem::Tab(c));
                    items.push_back(
                        PrintItem::Text(QStringLiteral("c%1l%2").arg(c).arg(line).toStdString()));
                }
                s.print(items);
                s.printEmptyLines(6);
            }
            s.endDoc();
        });
        const PdfText text = test::readPdfText(path);
        QCOMPARE(text.pages.size(), std::size_t(1));
        QCOMPARE(text.pages[0].width, 612.0);
        QCOMPARE(text.pages[0].height, 792.0);
        for (int line = 1; line <= 30; line += 7) {
            for (int c : columns) {
                const PdfWord w = onlyWord(text, QStringLiteral("c%1l%2").arg(c).arg(line));
                QVERIFY2(qAbs(w.xMin - columnX(c, size)) < kTolerance, qPrintable(w.text));
                QVERIFY2(qAbs(w.yMin - lineY(line, size)) < kTolerance, qPrintable(w.text));
            }
        }
    }

    void pagesAndLinesFollowTheTextGrid() {
        TextGridSurface grid;
        mixedJob(grid);
        test::TempFolder folder;
        const QString path = pdf(folder, "mixed.pdf");
        printPdf(path, mixedJob);

        QCOMPARE(test::pdfPageCount(path), grid.pageCount());
        QVERIFY(grid.pageCount() >= 3);
        const PdfText text = test::readPdfText(path);
        QCOMPARE(text.words.size(), grid.runs().size());
        for (const PrintedRun& run : grid.runs()) {
            const PdfWord w = onlyWord(text, QString::fromStdString(run.text));
            QCOMPARE(w.page, run.page);
            QVERIFY2(qAbs(w.xMin - columnX(run.column, run.size)) < kTolerance, qPrintable(w.text));
            QVERIFY2(qAbs(w.yMin - run.yPoints) < kTolerance, qPrintable(w.text));
        }
    }

    void pagesWithoutTextAreNotEmitted() {
        test::TempFolder folder;
        const QString path = pdf(folder, "trailing.pdf");
        printPdf(path, [](PrinterSurface& s) {
            s.print({PrintItem::Text("only")});
            s.printEmptyLines(150);  // past the bottom of two pages
            s.newPage();
            s.endDoc();
        });
        QCOMPARE(test::pdfPageCount(path), 1);

        const QString nothing = pdf(folder, "nothing.pdf");
        printPdf(nothing, [](PrinterSurface& s) {
            s.printEmptyLines(3);
            s.endDoc();
        });
        QVERIFY2(!QFile::exists(nothing), "a document without text made a file");
    }

    void copiesFollowEachOtherInOneFile() {
        test::TempFolder folder;
        const QString path = pdf(folder, "copies.pdf");
        auto surface = makePdfSurface(path);
        for (int copy = 0; copy < 2; ++copy) {
            surface->printEmptyLines(3);
            surface->print({PrintItem::Tab(5), PrintItem::Text("copy")});
            surface->endDoc();
        }
        QCOMPARE(surface->pagesSent(), 2);
        surface->endJob();
        QCOMPARE(test::pdfPageCount(path), 2);
        const std::vector<PdfWord> words = test::readPdfText(path).find(QStringLiteral("copy"));
        QCOMPARE(words.size(), std::size_t(2));
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(words[i].page, i + 1);
            QVERIFY(qAbs(words[i].xMin - columnX(5, 10)) < kTolerance);
            QVERIFY(qAbs(words[i].yMin - lineY(4, 10)) < kTolerance);
        }
    }

    void killDocAbandonsTheWholeFile() {
        // A file is written whole or not at all: a killed job leaves its name as it was,
        // finished copies included, and no temporary beside it.
        test::TempFolder folder;
        const QString path = pdf(folder, "killed.pdf");
        test::writeBytes(path.toStdString(), "before");
        auto surface = makePdfSurface(path);
        surface->print({PrintItem::Text("copy")});
        surface->endDoc();
        surface->print({PrintItem::Text("abandoned")});
        surface->newPage();
        surface->print({PrintItem::Text("abandoned2")});
        surface->killDoc();
        QCOMPARE(test::readBytes(path.toStdString()), std::string("before"));
        QCOMPARE(QDir(QString::fromStdString(folder.path())).entryList(QDir::Files),
                 QStringList{QStringLiteral("killed.pdf")});

        // A later document starts the file again.
        surface->print({PrintItem::Text("after")});
        surface->endDoc();
        surface->endJob();
        const PdfText text = test::readPdfText(path);
        QCOMPARE(test::pdfPageCount(path), 1);
        QCOMPARE(static_cast<int>(text.words.size()), 1);
        QCOMPARE(onlyWord(text, QStringLiteral("after")).page, 1);
    }

    void aFileTakesItsNameOnlyWhenTheJobEnds() {
        test::TempFolder folder;
        const QString path = pdf(folder, "late.pdf");
        auto surface = makePdfSurface(path);
        for (int page = 0; page < 3; ++page) {
            surface->print({PrintItem::Text("p" + std::to_string(page))});
            surface->newPage();
        }
        surface->endDoc();
        QVERIFY(!QFile::exists(path));
        surface->endJob();
        QCOMPARE(test::pdfPageCount(path), 3);
        QCOMPARE(QDir(QString::fromStdString(folder.path())).entryList(QDir::Files),
                 QStringList{QStringLiteral("late.pdf")});
    }

    void unwritableFileIsAPrinterError() {
        test::TempFolder folder;
        auto surface = makePdfSurface(pdf(folder, "missing-folder/out.pdf"));
        surface->print({PrintItem::Text("x")});
        try {
            surface->endDoc();
            QFAIL("no error for a file that cannot be written");
        } catch (const QmError& e) {
            QCOMPARE(e.number(), err::kPrinterError);
            QVERIFY(!e.description().empty());
        }
    }

    void landscapeEnvelopeHasItsOwnPageAndBottom() {
        test::TempFolder folder;
        const QString path = pdf(folder, "envelope.pdf");
        printPdf(path, [](PrinterSurface& s) {
            s.setOrientation(kLandscape);
            s.setPaperSize(kPaperEnvelope10);
            s.setFontSize(12);
            QCOMPARE(s.linesLeftOnPage(), 21);
            for (int i = 1; i <= 22; ++i) {
                if (i == 21) {
                    QCOMPARE(s.linesLeftOnPage(), 1);
                }
                s.print({PrintItem::Tab(i), PrintItem::Text("e" + std::to_string(i))});
            }
            s.endDoc();
        });
        const PdfText text = test::readPdfText(path);
        QCOMPARE(text.pages.size(), std::size_t(2));
        QCOMPARE(text.pages[0].width, 684.0);  // 9.5 x 4.125 inch
        QCOMPARE(text.pages[0].height, 297.0);
        const PdfWord last = onlyWord(text, QStringLiteral("e21"));
        QCOMPARE(last.page, 1);
        QVERIFY(qAbs(last.yMin - lineY(21, 12)) < kTolerance);
        QVERIFY(qAbs(last.xMin - columnX(21, 12)) < kTolerance);
        QCOMPARE(onlyWord(text, QStringLiteral("e22")).page, 2);
    }

    void listedEnvelopeAddressStaysOnOneEnvelope() {
        // The #6 3/4 second-table slot on number-10 paper: the count of empty lines wraps
        // onto a second envelope with four lines left; the address rises to fit there.
        test::TempFolder folder;
        const QString path = pdf(folder, "listed.pdf");
        EnvelopeJob job;
        job.lines = {"Ann", "Elm", "Apt", "Town", "USA"};
        job.slot = {28, 39};
        auto surface = makePdfSurface(path, "HP ENVY 5000");
        drawPlan(*surface, envelopePlan(job), {}, 1);
        surface.reset();

        const PdfText text = test::readPdfText(path);
        QCOMPARE(text.pages.size(), std::size_t(1));
        QCOMPARE(text.pages[0].height, 297.0);
        const char* words[] = {"Ann", "Elm", "Apt", "Town", "USA"};
        for (int i = 0; i < 5; ++i) {
            const PdfWord w = onlyWord(text, QString::fromLatin1(words[i]));
            QVERIFY2(qAbs(w.yMin - lineY(17 + i, 12)) < kTolerance, words[i]);
            QVERIFY(qAbs(w.xMin - columnX(28, 12)) < kTolerance);
        }
    }

    void deviceNameIsPdfUnlessGiven() {
        test::TempFolder folder;
        QCOMPARE(makePdfSurface(pdf(folder, "a.pdf"))->deviceName(), std::string("PDF"));
        QCOMPARE(makePdfSurface(pdf(folder, "b.pdf"), "HP ENVY 5000")->deviceName(),
                 std::string("HP ENVY 5000"));
    }

    void printerDeviceNameIsTheDescriptionPeopleSee() {
        // queue name, description, reported name, listed
        const struct {
            const char* queue;
            const char* description;
            const char* reported;
            bool listed;
        } cases[] = {
            {"HP_Officejet_Pro_8600", "HP Officejet Pro 8600", "HP Officejet Pro 8600", true},
            {"deskjet", "HP DeskJet 640C/642C/648C", "HP DeskJet 640C/642C/648C", true},
            {"HP_ENVY_5000", "", "HP_ENVY_5000", true},
            {"HP_ENVY_5000", "   ", "HP_ENVY_5000", true},
            {"Officejet_Pro", "Office Laser", "Office Laser", false},
        };
        for (const auto& c : cases) {
            const QString reported =
                printerDeviceName(QString::fromLatin1(c.queue), QString::fromLatin1(c.description));
            QCOMPARE(reported, QString::fromLatin1(c.reported));
            QCOMPARE(isListedPrinter(toCore(reported)), c.listed);
        }
    }

    void thirtyUpLabelsStartInsideTheirLabels() {
        test::TempFolder folder;
        const QString path = pdf(folder, "30up.pdf");
        printPdf(path, test::print30UpShape);
        QCOMPARE(test::pdfPageCount(path), 1);
        const PdfText text = test::readPdfText(path);
        QCOMPARE(text.words.size(), std::size_t(150));
        const SheetGeometry& sheet = kAddressSheet.sheet;
        const CellLayout& cells = kAddressSheet.cells;
        for (int p = 1; p <= sheet.labels(); ++p) {
            const PdfWord w = onlyWord(text, QStringLiteral("P%1").arg(p, 2, 10, QLatin1Char('0')));
            const LabelCell cell{(p - 1) / sheet.across, (p - 1) % sheet.across};
            const PaperRect label = sheet.label(cell);
            QVERIFY2(firstCharacterInside(w, 10, label), qPrintable(describe(w, label)));
            const auto row = static_cast<std::size_t>(cell.row);
            const auto column = static_cast<std::size_t>(cell.column);
            QVERIFY(qAbs(w.xMin - columnX(cells.startColumns[column], 10)) < kTolerance);
            QVERIFY(qAbs(w.yMin - lineY(1 + cells.leadLines + cells.topLines[row], 10)) <
                    kTolerance);
        }
        // The other four lines of each label stay on it too.
        for (const PdfWord& w : text.words) {
            const auto cell = sheet.labelAt(w.xMin, w.yMin + kTolerance);
            QVERIFY2(cell.has_value(), qPrintable(w.text));
            const PaperRect label = sheet.label(*cell);
            QVERIFY2(firstCharacterInside(w, 10, label), qPrintable(describe(w, label)));
        }
    }

    void eightyUpLabelsStartInsideTheirLabels() {
        test::TempFolder folder;
        const QString path = pdf(folder, "80up.pdf");
        printPdf(path, test::print80UpShape);
        QCOMPARE(test::pdfPageCount(path), 1);
        const PdfText text = test::readPdfText(path);
        QCOMPARE(text.words.size(), std::size_t(240));
        const LabelStock& stock = kReturnAddressSheet;
        for (int row = 1; row <= stock.sheet.down; ++row) {
            for (int c = 1; c <= stock.sheet.across; ++c) {
                const PdfWord w = onlyWord(
                    text, QStringLiteral("R%1C%2").arg(row, 2, 10, QLatin1Char('0')).arg(c));
                const PaperRect label = stock.sheet.label({row - 1, c - 1});
                QVERIFY2(firstCharacterInside(w, 8, label), qPrintable(describe(w, label)));
                const int column = stock.cells.startColumns[static_cast<std::size_t>(c - 1)];
                QVERIFY(qAbs(w.xMin - columnX(column, 8)) < kTolerance);
            }
        }
    }

    void printDialogCancelIsACancelledJob() {
        QtPlatformServices services;
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            dialog->reject();
        });
        const PrintJob job = services.printDialog(nullptr, PrintRequest{});
        QVERIFY(job.cancelled());
    }

    void printDialogGivesCopiesAndAPaperSurface() {
        QtPlatformServices services;
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<QPrintDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr);
            auto* copies = dialog->findChild<QSpinBox*>(QStringLiteral("copies"));
            QVERIFY(copies != nullptr);
            copies->setValue(3);
            dialog->accept();
        });
        PrintJob job = services.printDialog(nullptr, PrintRequest{});
        QVERIFY(!job.cancelled());
        QCOMPARE(job.copies, 3);
        QVERIFY(!job.selection);
        auto* surface = dynamic_cast<QtPrinterSurface*>(job.surface.get());
        QVERIFY(surface != nullptr);
        qInfo() << "chosen device" << surface->deviceName().c_str() << surface->printsToFile();
    }
};

QTEST_MAIN(QtPrinterSurfaceTest)
#include "qt_printer_surface_window_test.moc"
