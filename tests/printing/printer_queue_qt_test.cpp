// Every job printed through a real print server's PDF queue (cups-pdf, A4 by default, its
// whole page printable; started by scripts/cups-server.sh) puts every word where the PDF file
// of the same job puts it, on the job's own paper.
#include <QProcess>
#include <QThread>
#include <QtTest>

#include "records/contact_file.h"
#include "support/pdf_text_qt.h"
#include "support/temp_folder.h"

using namespace qm;
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
        QTest::newRow("return labels") << (QStringList{QStringLiteral("return-labels"),
                                                       QStringLiteral("--center")} +
                                           lines);
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
        const PdfText printer = test::readPdfText(queued);
        QCOMPARE(printer.pages.size(), file.pages.size());
        for (std::size_t p = 0; p < file.pages.size(); ++p) {
            QCOMPARE(printer.pages[p].width, file.pages[p].width);
            QCOMPARE(printer.pages[p].height, file.pages[p].height);
        }
        QVERIFY(!file.words.empty());
        QCOMPARE(printer.words.size(), file.words.size());
        for (std::size_t i = 0; i < file.words.size(); ++i) {
            const PdfWord& a = file.words[i];
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
