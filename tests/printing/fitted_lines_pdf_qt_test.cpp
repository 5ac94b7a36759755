// A mailing list of long names, streets and cities printed into PDF files as list labels and
// on every envelope: every word of every address comes back (pdftotext), wholly inside its
// label or half an inch inside its envelope, in 7 point type or larger. The letters of every
// script come from a face that has them, or are named with the package to install.
#include <QtTest>

#include "list/list_labels.h"
#include "platform/letter_faces.h"
#include "platform/qt_printer_surface.h"
#include "printing/envelope_layout.h"
#include "printing/label_stock.h"
#include "printing/print_rules.h"
#include "support/pdf_text_qt.h"
#include "support/temp_folder.h"

using namespace qm;
using test::PdfText;
using test::PdfWord;

namespace {

constexpr double kTolerance = 0.2;
// pdftotext's box of a Liberation Mono word is 1.133 times its size high.
constexpr double kBoxPerPoint = 1.1328;

// Names, streets and cities as long as they come: at the contact file's widths, and whole.
std::vector<ContactRecord> mailingList() {
    const struct {
        const char *first, *initial, *last, *company, *street, *street2, *city, *state, *zip;
    } rows[] = {
        {"Bernadette", "Q", "Fitzwilliam-Harr", "", "4820 South Lake Shore Boulevd",
         "Penthouse 4100", "Lake Havasu City", "AZ", "86403-1234"},
        {"Konstantinos", "", "Alexopoulos", "Rolling Meadows Industrial Co",
         "1 Rolling Meadows Parkway", "Building 7 Ste", "West Bloomfield", "MI", "48322"},
        {"Dorota", "", "Wisniewska-Kolod", "", "ul. Marszalkowska 140 lok. 12", "", "Lodz", "",
         "90-001"},
        {"Nguyen", "T", "Minh Khai", "", "15 Duong Le Loi Phuong Ben Ng", "Quan 1 Tang 12",
         "Thanh pho Ho Ch", "", "700000"},
        {"Ioana", "", "Varzaru-Stefanes", "", "Bulevardul Stefan cel Mare 7", "Bloc A Scara 2",
         "Iasi", "", "700064"},
        {"Ann", "", "Lee", "", "12 Oak St", "", "Troy", "NY", "12180"},
        {"Alexandra", "K", "Montgomery-Whitf", "Montgomery-Whitfield Holdings",
         "12345 Martin Luther King Jr", "Blvd Suite 2200", "Rancho Santa Mar", "CA", "92688-1234"},
        // As a contact book keeps them: whole, in their own scripts.
        {"Łukasz", "", "Żółć-Wojciechowska-Grzybowska", "",
         "1600 Pennsylvania Avenue Northwest Suite 1200", "", "Rancho Palos Verdes", "CA", "90275"},
        {"Αλέξανδρος", "", "Παπαδόπουλος-Καραμανλής", "", "Οδός Ερμού 12", "", "Αθήνα", "",
         "10563"},
        {"Дмитрий", "", "Шостакович", "", "Тверская улица 7", "", "Москва", "", "125009"},
        {"Nguyễn Thị", "", "Minh Khai", "", "15 Đường Lê Lợi Phường Bến Nghé", "", "Hồ Chí Minh",
         "", "700000"},
    };
    std::vector<ContactRecord> list;
    for (const auto& r : rows) {
        ContactRecord c;
        c.firstName = r.first;
        c.middleInitial = r.initial;
        c.lastName = r.last;
        c.company = r.company;
        c.includeCompany = *r.company != '\0' ? "1" : "0";
        c.street = r.street;
        c.street2 = r.street2;
        c.city = r.city;
        c.state = r.state;
        c.zip = r.zip;
        list.push_back(c);
    }
    return list;
}

QStringList wordsOf(const std::vector<std::string>& lines) {
    QStringList words;
    for (const std::string& line : lines) {
        words += QString::fromUtf8(line.c_str()).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    }
    return words;
}

PdfText printed(const PrintPlan& plan) {
    test::TempFolder folder;
    const QString path = QString::fromStdString(folder.file("job.pdf"));
    auto surface = QtPrinterSurface::forPdfFile(path, "PDF");
    drawPlan(*surface, plan, {}, 1);
    surface.reset();
    return test::readPdfText(path);
}

QString describe(const PdfWord& w) {
    return QStringLiteral("%1 at (%2, %3)-(%4, %5)")
        .arg(w.text)
        .arg(w.xMin)
        .arg(w.yMin)
        .arg(w.xMax)
        .arg(w.yMax);
}

bool largeEnough(const PdfWord& w) {
    return (w.yMax - w.yMin) / kBoxPerPoint >= kSmallestFitSize - 0.05;
}

}  // namespace

class FittedLinesPdfTest : public QObject {
    Q_OBJECT

  private Q_SLOTS:
    void everyWordOfAListComesBackInsideItsLabel() {
        // Three sheets' worth, so every contact lands in every column.
        std::vector<ContactRecord> list;
        for (int copy = 0; copy < 9; ++copy) {
            for (const ContactRecord& c : mailingList()) {
                list.push_back(c);
            }
        }
        const PdfText pdf = printed(
            listLabelsPlan(kAddressSheet, list.size(), [&list](std::size_t i) { return list[i]; }));
        QStringList expected;
        for (const ContactRecord& c : list) {
            expected += wordsOf(contactLabelLines(c));
        }
        QStringList found;
        const SheetGeometry& sheet = kAddressSheet.sheet;
        for (const PdfWord& w : pdf.words) {
            found += w.text;
            const auto cell = sheet.labelAt(w.xMin + kTolerance, w.yMin + kTolerance);
            QVERIFY2(cell.has_value(), qPrintable(describe(w)));
            const PaperRect label = sheet.label(*cell);
            QVERIFY2(w.xMax <= label.right() + kTolerance && w.yMax <= label.bottom() + kTolerance,
                     qPrintable(describe(w)));
            QVERIFY2(largeEnough(w), qPrintable(describe(w)));
        }
        expected.sort();
        found.sort();
        QCOMPARE(found, expected);
    }

    void everyWordOfALongAddressComesBackHalfAnInchInsideEachEnvelope() {
        const std::array<std::string, 5> address = {
            "Alexandra-Katharina Montgomery-Whitfield",
            "Montgomery-Whitfield Holdings International",
            "12345 Martin Luther King Jr Boulevard Suite 2200",
            "Rancho Santa Margarita, CA 92688-1234", ""};
        std::vector<std::string> lines(address.begin(), address.end());
        QStringList expected = wordsOf(lines);
        expected.sort();
        for (int size = 1; size <= kEnvelopeSizes; ++size) {
            if (!envelopeSize(size)->hasPhysicalSize()) {
                continue;  // the custom size
            }
            for (const bool centered : {false, true}) {
                EnvelopeJob job;
                job.lines = address;
                job.size = size;
                job.centered = centered;
                job.slot = *envelopeSlotPicked(size);
                const EnvelopeSize& envelope = *envelopeSize(size);
                const PdfText pdf = printed(envelopePlan(job));
                QStringList found;
                for (const PdfWord& w : pdf.words) {
                    found += w.text;
                    const QString where = QString::number(size) + ": " + describe(w);
                    QVERIFY2(w.xMin >= 36 && w.yMin >= 36, qPrintable(where));
                    QVERIFY2(w.xMax <= envelope.height - 36 + kTolerance &&
                                 w.yMax <= envelope.width - 36,
                             qPrintable(where));
                    QVERIFY2(largeEnough(w), qPrintable(where));
                }
                found.sort();
                QCOMPARE(found, expected);
            }
        }
    }

    void everyScriptsLettersComeFromAFaceThatHasThem() {
        QFont font(paperFontFamily(kPrintFont));
        font.setPixelSize(1000);
        LetterFaces faces(font);
        // The print face's own: Latin with its accents (Vietnamese's stacked ones too),
        // Greek, Cyrillic; its fallback's: Armenian and Georgian (DejaVu).
        const QString own =
            QStringLiteral("Łukasz Żółć Nguyễn Thị Minh Khai Ştefan Ţiriac Αθήνα Москва");
        for (const char32_t letter : own.toUcs4()) {
            const auto glyph = faces.glyphOf(letter);
            QVERIFY2(glyph && glyph->face == 0 && glyph->index != 0,
                     qPrintable(QString::fromUcs4(&letter, 1)));
        }
        for (const char32_t letter : QStringLiteral("Երևան თბილისი").toUcs4()) {
            const auto glyph = faces.glyphOf(letter);
            QVERIFY(glyph.has_value());
            if (letter != U' ') {
                QVERIFY(glyph->face != 0 && glyph->index != 0);
                QVERIFY(faces.face(glyph->face).supportsCharacter(letter));
            }
        }
        // No installed face has Chinese or Thai: missing, named with the package to install.
        QVERIFY(!faces.glyphOf(U'北'));
        QVERIFY(!faces.glyphOf(U'ก'));
        QCOMPARE(QString::fromStdString(missingLettersText(U"北ก京😀")),
                 QStringLiteral(
                     "北京 (fonts-noto-cjk), ก (fonts-noto-core), 😀 (fonts-noto-color-emoji)"));
        // A letter and its mark are one column once composed; a letter beyond 16 bits is one.
        const QString decomposed = QStringLiteral("Nguye\u0302\u0303n");
        QCOMPARE(letterCount(composedLetters(decomposed)), 6);
        QCOMPARE(letterCount(QString::fromUcs4(U"a\U0001D400b")), 3);
    }
};

QTEST_MAIN(FittedLinesPdfTest)
#include "fitted_lines_pdf_qt_test.moc"
