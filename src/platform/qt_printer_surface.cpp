#include "platform/qt_printer_surface.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

#include <malloc.h>

#include "platform/qt_text.h"
#include "records/error.h"
#include "surface/paper_sizes.h"
#include "surface/text_grid_surface.h"

namespace qm {

namespace {

// Slack for comparing positions built from sums of cell widths.
constexpr double kEpsilonPoints = 1e-6;
// Font metrics are read at this pixel size and scaled to the point size.
constexpr int kMeasuringPixels = 1000;
// Text is painted in a coordinate system of this many units per point.
constexpr double kUnitsPerPoint = 100.0;
// The resolution a PDF file is written at, as a high-resolution printer's.
constexpr int kPdfResolution = 1200;

[[noreturn]] void printerFailure(const std::string& what, const std::string& device) {
    throw QmError(err::kPrinterError, "Printer error (" + what + " on " + device + ")");
}

// Qt's PDF engine takes a 10 MB buffer and zlib's state for every page it compresses and
// frees them again at the page's end. By default the C library hands that memory back to the
// kernel each time and the next page faults it in anew, a tenth of a label job's time; this
// keeps freed memory for the next page instead. Once per process, before the first page.
void keepPageBuffersForReuse() {
    static const bool kept = [] {
        constexpr int kLargestFromHeap = 32 * 1024 * 1024;  // the C library's upper limit
        constexpr int kKeptWhenFreed = 64 * 1024 * 1024;
        // A hint: refused, each page only costs its faults again.
        return mallopt(M_MMAP_THRESHOLD, kLargestFromHeap) == 1 &&
               mallopt(M_TRIM_THRESHOLD, kKeptWhenFreed) == 1;
    }();
    static_cast<void>(kept);
}

// Gathers what the PDF writer writes, token by token, into large blocks and hands each to
// the file in one write. The file itself is unbuffered, so that a failed write (a full
// disk) is seen by the file and fails its commit; a buffered file loses the failure of its
// last flush.
class BlockWriter : public QIODevice {
  public:
    explicit BlockWriter(QIODevice& target) : target_(target) { block_.reserve(kBlockBytes); }
    bool isSequential() const override { return true; }
    // Writes what is left; false when any write failed.
    bool finish() {
        writeBlock();
        return !failed_;
    }

  protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char* data, qint64 size) override {
        block_.append(data, size);
        if (block_.size() >= kBlockBytes) {
            writeBlock();
        }
        return failed_ ? -1 : size;
    }

  private:
    static constexpr qsizetype kBlockBytes = 256 * 1024;

    void writeBlock() {
        if (!block_.isEmpty() && !failed_) {
            failed_ = target_.write(block_) != block_.size();
        }
        block_.resize(0);  // keeps the block's memory for the next one
    }

    QIODevice& target_;
    QByteArray block_;
    bool failed_ = false;
};

}  // namespace

QString printerDeviceName(const QString& queueName, const QString& description) {
    const QString shown = description.trimmed();
    return shown.isEmpty() ? queueName : shown;
}

QString paperFontFamily(const std::string& name) {
    if (name == kPrintFont) {
        return QStringLiteral("Liberation Mono");
    }
    if (name == "Trebuchet MS") {
        return QStringLiteral("Liberation Sans");
    }
    return fromCore(name);
}

QtPrinterSurface::QtPrinterSurface(std::unique_ptr<QPrinter> printer, std::string deviceName)
    : owned_(std::move(printer)), printer_(owned_.get()), device_(std::move(deviceName)) {
    target_ = printer_->outputFormat() == QPrinter::PdfFormat ? Target::PdfFile : Target::Printer;
    if (device_.empty()) {
        device_ = printsToFile() ? std::string("PDF") : toCore(printer_->printerName());
    }
    filePath_ = printer_->outputFileName();
    pointsToPixels_ = (printsToFile() ? kPdfResolution : printer_->resolution()) / kPointsPerInch;
    const QPageLayout layout = printer_->pageLayout();
    setup_ = Setup{layout.pageSize(), layout.orientation(), {}};
}

std::unique_ptr<QtPrinterSurface> QtPrinterSurface::forPreview(QPrinter& printer,
                                                               std::string deviceName) {
    return std::unique_ptr<QtPrinterSurface>(new QtPrinterSurface(printer, std::move(deviceName)));
}

QtPrinterSurface::QtPrinterSurface(QPrinter& printer, std::string deviceName)
    : printer_(&printer), device_(std::move(deviceName)), target_(Target::Preview) {
    pointsToPixels_ = printer.resolution() / kPointsPerInch;
    const QPageLayout layout = printer.pageLayout();
    setup_ = Setup{layout.pageSize(), layout.orientation(), {}};
}

// A QPrinter would load the print system and ask it for its default printer, which a file
// does not need.
QtPrinterSurface::QtPrinterSurface(Target target, std::string deviceName)
    : device_(std::move(deviceName)), target_(target) {
    pointsToPixels_ = kPdfResolution / kPointsPerInch;
    setup_ = Setup{QPageSize(QPageSize::Letter), QPageLayout::Portrait, {}};
}

std::unique_ptr<QtPrinterSurface> QtPrinterSurface::forImages(const QString& dir, int dpi,
                                                              std::string deviceName) {
    std::unique_ptr<QtPrinterSurface> surface(
        new QtPrinterSurface(Target::Images, std::move(deviceName)));
    surface->imageDir_ = dir;
    surface->imageDpi_ = dpi;
    surface->pointsToPixels_ = dpi / kPointsPerInch;
    return surface;
}

// The file a PDF job writes: a temporary beside its name until it is committed. A name that
// is a device or a pipe (/dev/stdout) is written straight into, as it cannot be replaced.
struct QtPrinterSurface::PdfFile {
    explicit PdfFile(const QString& path)
        : target(QFileInfo::exists(path) && !QFileInfo(path).isFile()
                     ? std::unique_ptr<QFileDevice>(std::make_unique<QFile>(path))
                     : std::make_unique<QSaveFile>(path)),
          blocks(*target),
          writer(&blocks) {}
    bool open() {
        return target->open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
               blocks.open(QIODevice::WriteOnly);
    }
    // Ends the painting and gives the file its name; false, with the temporary discarded,
    // when anything could not be written.
    bool commit() {
        if (!painter.end() || !blocks.finish()) {
            return false;
        }
        if (auto* file = dynamic_cast<QSaveFile*>(target.get())) {
            return file->commit();
        }
        target->close();
        return target->error() == QFileDevice::NoError;
    }

    std::unique_ptr<QFileDevice> target;
    BlockWriter blocks;
    QPdfWriter writer;
    QPainter painter;  // open from the first page to the end of the job
};

QtPrinterSurface::~QtPrinterSurface() {
    if (pdf_ != nullptr) {
        // Nobody is left to hear of a failure: the temporary is then discarded and a file of
        // that name keeps what it held.
        static_cast<void>(pdf_->commit());
    }
}

void QtPrinterSurface::setFont(const std::string& name) {
    family_ = name;
    cellValid_ = false;
}

void QtPrinterSurface::setFontSize(double points) {
    size_ = points;
    cellValid_ = false;
}

void QtPrinterSurface::setFontBold(bool on) {
    bold_ = on;
    cellValid_ = false;
}

void QtPrinterSurface::setFontItalic(bool on) {
    italic_ = on;
    cellValid_ = false;
}

void QtPrinterSurface::setOrientation(int orientation) {
    if (orientation != kPortrait && orientation != kLandscape) {
        throw QmError(err::kInvalidCall, "Invalid orientation " + std::to_string(orientation));
    }
    if (paperKept_) {
        return;
    }
    setup_.orientation = orientation == kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    areaValid_ = false;
}

void QtPrinterSurface::setPaperSize(int paper) {
    const PaperSize* size = paperSize(paper);
    if (size == nullptr) {
        throw QmError(err::kInvalidCall, "Invalid paper size " + std::to_string(paper));
    }
    if (paperKept_) {
        return;
    }
    setup_.size = qtPageSize(*size);
    areaValid_ = false;
}

double QtPrinterSurface::pageWidthPoints() const {
    const QSizeF paper = setup_.size.size(QPageSize::Point);
    return setup_.orientation == QPageLayout::Landscape ? paper.height() : paper.width();
}

double QtPrinterSurface::pageHeightPoints() const {
    const QSizeF paper = setup_.size.size(QPageSize::Point);
    return setup_.orientation == QPageLayout::Landscape ? paper.width() : paper.height();
}

void QtPrinterSurface::setBackdrop(std::vector<PaperRect> outlines) {
    // Only what is seen on screen or in an image shows it.
    if (decorated()) {
        setup_.backdrop = std::move(outlines);
    }
}

void QtPrinterSurface::setCurrentX(double twips) {
    x_ = twips / 20.0;
}

void QtPrinterSurface::setCurrentY(double twips) {
    y_ = twips / 20.0;
}

const QtPrinterSurface::Cell& QtPrinterSurface::cell() {
    if (!cellValid_) {
        cellIndex_ = cellIndexFor(family_, size_, bold_, italic_);
        cellValid_ = true;
    }
    return cells_[cellIndex_];
}

std::size_t QtPrinterSurface::cellIndexFor(const std::string& family, double size, bool bold,
                                           bool italic) {
    const auto same = [&](const Cell& c) {
        return c.family == family && c.size == size && c.bold == bold && c.italic == italic;
    };
    auto found = std::find_if(cells_.begin(), cells_.end(), same);
    if (found == cells_.end()) {
        cells_.push_back(measureCell(family, size, bold, italic));
        found = cells_.end() - 1;
    }
    return static_cast<std::size_t>(found - cells_.begin());
}

QtPrinterSurface::Cell QtPrinterSurface::measureCell(const std::string& family, double size,
                                                     bool bold, bool italic) const {
    // Design metrics, read at a large size so that no pixel rounding creeps into the cells.
    QFont font(paperFontFamily(family));
    font.setBold(bold);
    font.setItalic(italic);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    font.setPixelSize(kMeasuringPixels);
    const QFontMetricsF metrics(font);
    const double perPixel = size / kMeasuringPixels;
    Cell c;
    c.family = family;
    c.size = size;
    c.bold = bold;
    c.italic = italic;
    c.fixedPitch = QFontInfo(font).fixedPitch();
    c.column = perPixel * (c.fixedPitch ? metrics.horizontalAdvance(QLatin1Char('M'))
                                        : metrics.averageCharWidth());
    c.blank = perPixel * metrics.horizontalAdvance(QLatin1Char(' '));
    c.ascent = perPixel * metrics.ascent();
    c.measuring = font;
    // Drawn in hundredths of a point, so the glyphs have the size asked for, not one
    // rounded to the printer's pixels.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size * kUnitsPerPoint))));
    c.font = font;
    if (c.fixedPitch) {
        c.glyphs = QRawFont::fromFont(font);
    }
    return c;
}

double QtPrinterSurface::textWidth(const QString& text) {
    const Cell& c = cell();
    // Fixed pitch: a letter is exactly one column, so Tab compares columns as counted.
    if (c.fixedPitch) {
        return c.column * static_cast<double>(letterCount(text));
    }
    return QFontMetricsF(c.measuring).horizontalAdvance(text) * size_ / kMeasuringPixels;
}

void QtPrinterSurface::applySetup(const Setup& setup) {
    printer_->setPageSize(setup.size);
    printer_->setPageOrientation(setup.orientation);
}

QtPrinterSurface::Area QtPrinterSurface::area() {
    if (areaValid_) {
        return area_;
    }
    area_ = measureArea();
    areaValid_ = true;
    return area_;
}

// Every target places text in paper coordinates on the printable area of the paper model (a
// PDF file's): a printer's own margins move nothing, so the paper gets what the preview shows.
QtPrinterSurface::Area QtPrinterSurface::measureArea() const {
    const QSizeF paper = setup_.size.size(QPageSize::Point);
    const double height =
        setup_.orientation == QPageLayout::Landscape ? paper.width() : paper.height();
    return Area{kPaperSideMarginPoints, 0.0, height - kPaperBottomMarginPoints};
}

void QtPrinterSurface::breakPageIfBelowBottom() {
    if (y_ >= area().height - kEpsilonPoints) {
        newPage();
    }
}

int QtPrinterSurface::linesLeftOnPage() {
    return linesLeftBelow(y_, area().height, lineHeightPoints(size_));
}

void QtPrinterSurface::nextLine() {
    y_ += lineHeightPoints(size_);
    x_ = 0.0;
}

void QtPrinterSurface::drawRule(const PaperRect& rule) {
    startPageIfNeeded();
    document_.back().rules.push_back(rule);
}

LetterFaces& QtPrinterSurface::lettersOf(std::size_t cell) {
    Cell& c = cells_[cell];
    if (c.letters == nullptr) {
        c.letters = std::make_shared<LetterFaces>(c.font);
    }
    return *c.letters;
}

void QtPrinterSurface::noteMissingLetters(const QString& text, std::size_t cell) {
    LetterFaces& faces = lettersOf(cell);
    for (const char32_t letter : text.toUcs4()) {
        if (letter > 0x7F && !faces.glyphOf(letter)) {
            noteMissingLetter(letter);
        }
    }
}

void QtPrinterSurface::putText(const QString& typed, bool cut, double size) {
    if (typed.isEmpty()) {
        return;
    }
    startPageIfNeeded();
    const bool letters = beyondAscii(typed);
    const QString text = letters ? composedLetters(typed) : typed;
    const Area a = area();
    const double baseline = a.top + y_ + cell().ascent;
    if (size > 0 && size != size_) {
        // Set smaller on the line of the current font, on its baseline.
        const std::size_t index = cellIndexFor(family_, size, bold_, italic_);
        if (letters) {
            noteMissingLetters(text, index);
        }
        const Cell& smaller = cells_[index];
        document_.back().runs.push_back(Run{a.left + x_, baseline, index, text, cut});
        x_ += smaller.fixedPitch ? smaller.column * static_cast<double>(letterCount(text))
                                 : QFontMetricsF(smaller.measuring).horizontalAdvance(text) * size /
                                       kMeasuringPixels;
        return;
    }
    if (letters) {
        noteMissingLetters(text, cellIndex_);
    }
    document_.back().runs.push_back(Run{a.left + x_, baseline, cellIndex_, text, cut});
    x_ += textWidth(text);
}

void QtPrinterSurface::startPageIfNeeded() {
    if (!pageHasText_) {
        if (printsToFile()) {
            // The pages before are finished: into the file with them.
            paintIntoFile(document_);
            document_.clear();
        }
        document_.push_back(Page{setup_, {}, {}});
        ++documentPages_;
        pageHasText_ = true;
    }
}

void QtPrinterSurface::print(const std::vector<PrintItem>& items) {
    breakPageIfBelowBottom();
    for (const PrintItem& item : items) {
        switch (item.kind) {
            case PrintItem::Kind::Tab: {
                const double target = cell().column * (std::max(1, item.n) - 1);
                if (x_ > target + kEpsilonPoints) {
                    nextLine();
                    breakPageIfBelowBottom();
                }
                x_ = target;
                break;
            }
            case PrintItem::Kind::Spc:
                x_ += cell().blank * std::max(0, item.n);
                break;
            case PrintItem::Kind::Text:
                putText(fromCore(item.text), item.cut, item.size);
                break;
        }
    }
    nextLine();
}

void QtPrinterSurface::resetPosition() {
    x_ = 0.0;
    y_ = 0.0;
}

void QtPrinterSurface::newPage() {
    pageHasText_ = false;
    resetPosition();
}

void QtPrinterSurface::paintRuns(QPainter& painter, const std::vector<Run>& runs) {
    // Runs in a fixed-pitch font are their glyphs a column apart: they are placed without
    // shaping and without loading a glyph outline for an advance, and consecutive glyphs of
    // one face go out as one glyph run (one text object in a PDF). Blanks draw nothing and are
    // left out (readers of the PDF see the gap), and positions are whole units (a hundredth
    // of a point): both keep the PDF's text short. A letter the font lacks comes from the face
    // its fallback has it in, in its column all the same.
    const QRawFont* face = nullptr;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    const auto flush = [&] {
        if (!glyphs.isEmpty()) {
            QGlyphRun run;
            run.setRawFont(*face);
            run.setGlyphIndexes(glyphs);
            run.setPositions(positions);
            painter.drawGlyphRun(QPointF(), run);
            glyphs.clear();
            positions.clear();
        }
    };
    const auto place = [&](const QRawFont& from, quint32 glyph, QPointF at) {
        if (&from != face) {
            flush();
            face = &from;
        }
        glyphs.append(glyph);
        positions.append(at);
    };
    for (const Run& run : runs) {
        const Cell& c = cells_[run.cell];
        if (!c.glyphs.isValid()) {
            // Proportional text: shaped, with the font's fallback.
            flush();
            painter.setFont(c.font);
            painter.drawText(QPointF(run.x * kUnitsPerPoint, run.baseline * kUnitsPerPoint),
                             run.text);
            continue;
        }
        // One whole step a column: the PDF then repeats the same move glyph after glyph, which
        // its compression finds far faster than moves that vary by a unit. The drift is under
        // half a unit a column (0.05 pt over 40 columns).
        const double y = std::round(run.baseline * kUnitsPerPoint);
        const double left = std::round(run.x * kUnitsPerPoint);
        const double step = std::round(c.column * kUnitsPerPoint);
        const QList<quint32> indexes = c.glyphs.glyphIndexesForString(run.text);
        if (indexes.size() == run.text.size() && !indexes.contains(0)) {
            for (qsizetype i = 0; i < indexes.size(); ++i) {
                if (run.text[i] != QLatin1Char(' ')) {
                    place(c.glyphs, indexes[i], QPointF(left + static_cast<double>(i) * step, y));
                }
            }
            continue;
        }
        LetterFaces& faces = lettersOf(run.cell);
        double column = 0;
        for (const char32_t letter : run.text.toUcs4()) {
            const QPointF at(left + column * step, y);
            column += 1;
            if (letter == U' ') {
                continue;
            }
            // A letter no face has: the font's own empty box, where the job warned of it.
            const auto glyph = faces.glyphOf(letter).value_or(LetterFaces::Glyph{0, 0});
            place(faces.face(glyph.face), glyph.index, at);
        }
    }
    flush();
}

void QtPrinterSurface::paintBackdrop(QPainter& painter, const Page& page) const {
    if (page.setup.backdrop.empty()) {
        return;
    }
    painter.save();
    painter.setPen(QPen(QColor(150, 170, 205), 0.75 * kUnitsPerPoint));
    painter.setBrush(QColor(240, 245, 252));
    painter.setRenderHint(QPainter::Antialiasing);
    const double radius = 4 * kUnitsPerPoint;
    for (const PaperRect& r : page.setup.backdrop) {
        // Inside its rectangle, so the outline of a whole page still shows.
        const double inset = 0.5;
        painter.drawRoundedRect(
            QRectF((r.left + inset) * kUnitsPerPoint, (r.top + inset) * kUnitsPerPoint,
                   (r.width - 2 * inset) * kUnitsPerPoint, (r.height - 2 * inset) * kUnitsPerPoint),
            radius, radius);
    }
    painter.restore();
}

void QtPrinterSurface::paintCutMarks(QPainter& painter, const std::vector<Run>& runs) const {
    painter.save();
    painter.setPen(QPen(QColor(210, 30, 30), 1.2 * kUnitsPerPoint));
    for (const Run& run : runs) {
        if (!run.cut) {
            continue;
        }
        const Cell& c = cells_[run.cell];
        const double right = run.x + c.column * static_cast<double>(letterCount(run.text));
        const double top = run.baseline - c.ascent;
        const double bottom = run.baseline + c.size * 0.25;
        // A bar at the label's edge where the line was cut, and the line underlined.
        painter.drawLine(QPointF(right * kUnitsPerPoint, top * kUnitsPerPoint),
                         QPointF(right * kUnitsPerPoint, bottom * kUnitsPerPoint));
        painter.drawLine(QPointF(run.x * kUnitsPerPoint, bottom * kUnitsPerPoint),
                         QPointF(right * kUnitsPerPoint, bottom * kUnitsPerPoint));
    }
    painter.restore();
}

void QtPrinterSurface::drawPage(QPainter& painter, const Page& page) {
    if (decorated()) {
        paintBackdrop(painter, page);
    }
    for (const PaperRect& r : page.rules) {
        painter.fillRect(QRectF(r.left * kUnitsPerPoint, r.top * kUnitsPerPoint,
                                r.width * kUnitsPerPoint, r.height * kUnitsPerPoint),
                         Qt::black);
    }
    paintRuns(painter, page.runs);
    if (decorated()) {
        paintCutMarks(painter, page.runs);
    }
}

void QtPrinterSurface::paintPage(QPainter& painter, const Page& page) {
    ++pagesPainted_;
    drawPage(painter, page);
    if (recording_ || decorated()) {
        paintedPages_.push_back(QPageLayout(page.setup.size, page.setup.orientation, QMarginsF()));
    }
    if (recording_) {
        for (const Run& run : page.runs) {
            painted_.push_back(
                PaintedRun{pagesPainted_, run.x, run.baseline, toCore(run.text), run.cut});
        }
    }
}

void QtPrinterSurface::paintImages(const std::vector<Page>& pages) {
    for (const Page& page : pages) {
        const QSizeF size = page.setup.size.size(QPageSize::Point);
        const bool landscape = page.setup.orientation == QPageLayout::Landscape;
        const double width = landscape ? size.height() : size.width();
        const double height = landscape ? size.width() : size.height();
        QImage image(static_cast<int>(std::lround(width * pointsToPixels_)),
                     static_cast<int>(std::lround(height * pointsToPixels_)), QImage::Format_RGB32);
        image.setDotsPerMeterX(static_cast<int>(std::lround(imageDpi_ / 0.0254)));
        image.setDotsPerMeterY(static_cast<int>(std::lround(imageDpi_ / 0.0254)));
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.setRenderHints(QPainter::TextAntialiasing | QPainter::Antialiasing);
        painter.scale(pointsToPixels_ / kUnitsPerPoint, pointsToPixels_ / kUnitsPerPoint);
        paintPage(painter, page);
        painter.end();
        const QString path =
            imageDir_ + QStringLiteral("/page-%1.png").arg(pagesPainted_, 3, 10, QLatin1Char('0'));
        QSaveFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
            printerFailure("cannot write " + toCore(path), device_);
        }
        ++pagesSent_;
    }
}

void QtPrinterSurface::paint(const std::vector<Page>& pages) {
    keepPageBuffersForReuse();
    printer_->setFullPage(true);
    applySetup(pages.front().setup);
    QPainter painter;
    if (!painter.begin(printer_)) {
        printerFailure("cannot start printing", device_);
    }
    painter.scale(pointsToPixels_ / kUnitsPerPoint, pointsToPixels_ / kUnitsPerPoint);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            applySetup(pages[i].setup);
            if (!printer_->newPage()) {
                printer_->abort();
                painter.end();
                printerFailure("cannot start a new page", device_);
            }
        }
        paintPage(painter, pages[i]);
    }
    if (!painter.end()) {
        printerFailure("cannot finish the document", device_);
    }
}

void QtPrinterSurface::openFile(const Setup& setup) {
    keepPageBuffersForReuse();
    auto pdf = std::make_unique<PdfFile>(filePath_);
    if (!pdf->open()) {
        printerFailure("cannot create " + toCore(filePath_), device_);
    }
    pdf->writer.setResolution(kPdfResolution);
    pdf->writer.setPageLayout(QPageLayout(setup.size, setup.orientation, QMarginsF()));
    if (!pdf->painter.begin(&pdf->writer)) {
        printerFailure("cannot start " + toCore(filePath_), device_);
    }
    pdf->painter.scale(pointsToPixels_ / kUnitsPerPoint, pointsToPixels_ / kUnitsPerPoint);
    pdf_ = std::move(pdf);
}

void QtPrinterSurface::paintIntoFile(const std::vector<Page>& pages) {
    for (const Page& page : pages) {
        if (pdf_ == nullptr) {
            openFile(page.setup);
        } else {
            pdf_->writer.setPageLayout(
                QPageLayout(page.setup.size, page.setup.orientation, QMarginsF()));
            if (!pdf_->writer.newPage()) {
                printerFailure("cannot start a new page", device_);
            }
        }
        paintPage(pdf_->painter, page);
        ++pagesSent_;
    }
}

void QtPrinterSurface::endDoc() {
    newPage();
    std::vector<Page> document = std::move(document_);
    document_.clear();
    documentPages_ = 0;
    if (document.empty()) {
        return;  // nothing was printed: no sheet goes through the printer
    }
    if (target_ == Target::Preview) {
        // The preview shows the whole job, each page painted when it is seen; a page keeps
        // no spare room for runs, as a large job keeps thousands of pages.
        for (Page& page : document) {
            page.runs.shrink_to_fit();
        }
        jobPages_.insert(jobPages_.end(), std::make_move_iterator(document.begin()),
                         std::make_move_iterator(document.end()));
    } else if (target_ == Target::Images) {
        paintImages(document);
    } else if (printsToFile()) {
        // The file is finished once, at EndJob.
        paintIntoFile(document);
    } else {
        paint(document);
        pagesSent_ += static_cast<int>(document.size());
    }
}

void QtPrinterSurface::killDoc() {
    document_.clear();
    documentPages_ = 0;
    newPage();
    if (pdf_ != nullptr) {
        // A file is written whole or not at all: its temporary goes, the name keeps what it
        // held, and a later document starts the file again.
        pdf_.reset();
        pagesSent_ = 0;
    }
}

QPageLayout QtPrinterSurface::keptPageLayout(int index) const {
    const Setup& setup = jobPages_.at(static_cast<std::size_t>(index)).setup;
    return QPageLayout(setup.size, setup.orientation, QMarginsF());
}

void QtPrinterSurface::paintKeptPage(QPainter& painter, int index) {
    painter.save();
    painter.scale(1.0 / kUnitsPerPoint, 1.0 / kUnitsPerPoint);
    drawPage(painter, jobPages_.at(static_cast<std::size_t>(index)));
    painter.restore();
}

std::vector<PaintedRun> QtPrinterSurface::keptRuns() const {
    std::vector<PaintedRun> runs;
    for (std::size_t i = 0; i < jobPages_.size(); ++i) {
        for (const Run& run : jobPages_[i].runs) {
            runs.push_back(PaintedRun{static_cast<int>(i) + 1, run.x, run.baseline,
                                      toCore(run.text), run.cut});
        }
    }
    return runs;
}

void QtPrinterSurface::endJob() {
    if (pdf_ == nullptr) {
        return;
    }
    const std::unique_ptr<PdfFile> pdf = std::move(pdf_);
    // A write that failed anywhere (a full disk) fails the commit, which discards the
    // temporary: the name never holds a partial file.
    if (!pdf->commit()) {
        printerFailure("cannot write " + toCore(filePath_), device_);
    }
}

QPageSize qtPageSize(const PaperSize& paper) {
    // A size that matches a standard one (letter, the number-10 and 6 3/4 envelopes) is that
    // size; the others keep their own name.
    return QPageSize(
        QSizeF(paper.width, paper.height), QPageSize::Point,
        QString::fromLatin1(paper.name.data(), static_cast<qsizetype>(paper.name.size())));
}

std::unique_ptr<QtPrinterSurface> QtPrinterSurface::forPdfFile(const QString& path,
                                                               std::string deviceName) {
    std::unique_ptr<QtPrinterSurface> surface(
        new QtPrinterSurface(Target::PdfFile, std::move(deviceName)));
    surface->filePath_ = path;
    return surface;
}

std::unique_ptr<QtPrinterSurface> makePdfSurface(const QString& path,
                                                 const std::string& deviceName) {
    return QtPrinterSurface::forPdfFile(path, deviceName.empty() ? "PDF" : deviceName);
}

}  // namespace qm
