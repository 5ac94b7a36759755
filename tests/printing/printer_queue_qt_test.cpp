// Every job printed through a real print server's PDF queue (cups-pdf, A4 by default, its
// whole page printable; started by scripts/cups-server.sh) puts every word where the PDF file
// of the same job puts it, on the job's own paper and in its orientation.
#include <QProcess>
#include <QThread>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <tuple>

#include "records/contact_file.h"
#include "support/pdf_text_qt.h"
#include "support/temp_folder.h"

using namespace qm;
using test::PdfPageSize;
using test::PdfText;
using test::PdfWord;

namespace {

constexpr double kTolerance = 0.5;
const QString kQueue = QStringLiteral("quillmark-pdf");

QString serverDir() {
    return qEnvironmentVariable("QUILLMARK_CUPS");
}

QString run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(120000) || process.exitCode() != 0) {
        return QStringLiteral("FAILED: ") + program + QLatin1Char(' ') + arguments.join(' ') +
               QLatin1Char(' ') + QString::fromUtf8(process.readAllStandardError());
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The PDF the queue wrote for the one job sent since the folder was emptied, once the queue
// has no job left.
QString queuedPdf() {
    const QDir out(serverDir() + QStringLiteral("/pdf"));
    for (int i = 0; i < 600; ++i) {
        const QStringList files = out.entryList({QStringLiteral("*.pdf")}, QDir::Files);
        if (!files.isEmpty() && run(QStringLiteral("lpstat"), {QStringLiteral("-o")}).isEmpty()) {
            return out.filePath(files.front());
        }
        QThread::msleep(100);
    }
    return {};
}

void emptyQueueFolder() {
    QDir out(serverDir() + QStringLiteral("/pdf"));
    for (const QString& f : out.entryList(QDir::Files)) {
        out.remove(f);
    }
}

std::string listFile(const test::TempFolder& folder) {
    const std::string path = folder.file("list.DAT");
    ContactFile file;
    file.open(path);
    std::vector<ContactRecord> records;
    for (int i = 0; i < 40; ++i) {
        ContactRecord r;
        r.firstName = "Bernadette";
        r.lastName = "Fitzwilliam" + std::to_string(i);
        r.company = i % 3 == 0 ? "Rolling Meadows Industrial Co" : "";
        r.includeCompany = i % 3 == 0 ? "1" : "0";
        r.street = "4820 South Lake Shore Boulevd";
        r.street2 = i % 2 == 0 ? "Penthouse 4100" : "";
        r.city = "Lake Havasu City";
        r.state = "AZ";
        r.zip = "86403";
        records.push_back(r);
    }
    file.appendAll(records);
    return path;
}

// The words of a queue's page put into the frame of the file's page: a page across its
// paper comes turned a quarter counterclockwise, and media a point off the paper's size
// (the queue rounds a size of its own to whole points) hold the page centered.
void toFilePage(PdfText& text, int page, const PdfPageSize& paper, const PdfPageSize& media,
                bool across) {
    for (PdfWord& w : text.words) {
        if (w.page != page) {
            continue;
        }
        if (across) {
            const double right = (paper.width + media.height) / 2;
            const double down = (media.width - paper.height) / 2;
            w = PdfWord{w.page,         right - w.yMax, w.xMin - down,
                        right - w.yMin, w.xMax - down,  w.text};
        } else {
            const double right = (media.width - paper.width) / 2;
            const double down = (media.height - paper.height) / 2;
            w = PdfWord{w.page,         w.xMin - right, w.yMin - down,
                        w.xMax - right, w.yMax - down,  w.text};
        }
    }
}

// A turned page is read in another order: words by page, line and place on the line.
void sortByPlace(std::vector<PdfWord>& words) {
    std::stable_sort(words.begin(), words.end(), [](const PdfWord& a, const PdfWord& b) {
        const double lineA = std::round((a.yMin + a.yMax) / 2);
        const double lineB = std::round((b.yMin + b.yMax) / 2);
        return std::tie(a.page, lineA, a.xMin) < std::tie(b.page, lineB, b.xMin);
    });
}

QString where(const PdfWord& w) {
    return QStringLiteral("%1 page %2 at (%3, %4)-(%5, %6)")
        .arg(w.text)
        .arg(w.page)
        .arg(w.xMin)
        .arg(w.yMin)
        .arg(w.xMax)
        .arg(w.yMax);
}

}  // namespace

class PrinterQueueTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void initTestCase() {
        const QString skip = serverDir() + QStringLiteral("/skip");
        if (QFile::exists(skip)) {
            QFile file(skip);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QSKIP(file.readLine().trimmed().constData());
        }
        QVERIFY2(!serverDir().isEmpty(), "QUILLMARK_CUPS names the print server's folder");
        QVERIFY(QFile::exists(serverDir() + QStringLiteral("/cups.sock")));
    }

    void everyJobLandsOnThePrinterWhereItsPdfPutsIt_data() {
        QTest::addColumn<QStringList>("job");
        const QStringList lines = {
            QStringLiteral("--line"), QStringLiteral("Alexandra-Katharina Montgomery-Whitfield"),
            QStringLiteral("--line"), QStringLiteral("12345 Martin Luther King Jr Blvd"),
            QStringLiteral("--line"), QStringLiteral("Rancho Santa Margarita, CA 92688")};
        QTest::newRow("labels") << (QStringList{QStringLiteral("labels")} + lines +
                                    QStringList{QStringLiteral("--positions"),
                                                QStringLiteral("1-30")});
        QTest::newRow("return labels")
            << (QStringList{QStringLiteral("return-labels"), QStringLiteral("--center")} + lines);
        QTest::newRow("list labels") << QStringList{QStringLiteral("list"), QStringLiteral("LIST"),
                                                    QStringLiteral("--labels")};
        for (int size = 1; size <= 7; ++size) {
            QTest::newRow(qPrintable(QStringLiteral("envelope %1").arg(size)))
                << (QStringList{QStringLiteral("envelope"), QStringLiteral("--size"),
                                QString::number(size)} +
                    lines);
        }
    }

    void everyJobLandsOnThePrinterWhereItsPdfPutsIt() {
        QFETCH(QStringList, job);
        test::TempFolder folder;
        job.replaceInStrings(QStringLiteral("LIST"), QString::fromStdString(listFile(folder)));
        const QStringList home = {QStringLiteral("--home"), QString::fromStdString(folder.path())};
        const QString pdfPath = QString::fromStdString(folder.file("job.pdf"));
        QCOMPARE(run(QStringLiteral(QUILLMARK_BIN), home + job + QStringList{"-o", pdfPath}),
                 QString());
        emptyQueueFolder();
        QCOMPARE(run(QStringLiteral(QUILLMARK_BIN), home + job + QStringList{"--printer", kQueue}),
                 QString());
        const QString queued = queuedPdf();
        QVERIFY2(!queued.isEmpty(), "the queue wrote no PDF");

        const PdfText file = test::readPdfText(pdfPath);
        PdfText printer = test::readPdfText(queued);
        QCOMPARE(printer.pages.size(), file.pages.size());
        bool turned = false;
        for (std::size_t p = 0; p < file.pages.size(); ++p) {
            const PdfPageSize& page = file.pages[p];
            const PdfPageSize got = printer.pages[p];
            // A job across its paper (an envelope) reaches the queue's portrait media turned a
            // quarter, as a printer feeds it: turned back, it must be the file's page. The
            // queue's media of a size of its own are whole points.
            const bool across = page.width > page.height;
            QVERIFY(qAbs((across ? got.height : got.width) - page.width) <= 1.0);
            QVERIFY(qAbs((across ? got.width : got.height) - page.height) <= 1.0);
            toFilePage(printer, static_cast<int>(p) + 1, page, got, across);
            turned = turned || across;
        }
        QVERIFY(!file.words.empty());
        QCOMPARE(printer.words.size(), file.words.size());
        std::vector<PdfWord> fileWords = file.words;
        if (turned) {
            sortByPlace(printer.words);
            sortByPlace(fileWords);
        }
        for (std::size_t i = 0; i < fileWords.size(); ++i) {
            const PdfWord& a = fileWords[i];
            const PdfWord& b = printer.words[i];
            const QString both = where(a) + QStringLiteral(" / ") + where(b);
            QVERIFY2(a.text == b.text && a.page == b.page, qPrintable(both));
            // The printer's fonts are its own embedding of the same faces: their boxes differ a
            // little in height, not in the middle of the line.
            QVERIFY2(qAbs(a.xMin - b.xMin) <= kTolerance && qAbs(a.xMax - b.xMax) <= kTolerance,
                     qPrintable(both));
            QVERIFY2(qAbs((a.yMin + a.yMax) - (b.yMin + b.yMax)) / 2 <= kTolerance,
                     qPrintable(both));
        }
    }
};

QTEST_MAIN(PrinterQueueTest)
#include "printer_queue_qt_test.moc"
