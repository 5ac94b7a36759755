#include "platform/qt_printer_surface.h"

#include <QFileInfo>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>
#include <cmath>

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
    if (name == "Courier New") {
        return QStringLiteral("Liberation Mono");
    }
    if (name == "Trebuchet MS") {
        return QStringLiteral("Liberation Sans");
    }
    return fromCp(name);
}

QtPrinterSurface::QtPrinterSurface(std::unique_ptr<QPrinter> printer, std::string deviceName)
    : printer_(std::move(printer)), device_(std::move(deviceName)) {
    toFile_ = printer_->outputFormat() == QPrinter::PdfFormat;
    if (device_.empty()) {
        device_ = toFile_ ? std::string("PDF") : toCp(printer_->printerName());
    }
    filePath_ = printer_->outputFileName();
    pointsToPixels_ = (toFile_ ? kPdfResolution : printer_->resolution()) / kPointsPerInch;
    const QPageLayout layout = printer_->pageLayout();
    setup_ = Setup{layout.pageSize(), layout.orientation()};
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
    setup_.orientation = orientation == kLandscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    areaValid_ = false;
}

void QtPrinterSurface::setPaperSize(int paper) {
    const PaperSize* size = paperSize(paper);
    if (size == nullptr) {
        throw QmError(err::kInvalidCall, "Invalid paper size " + std::to_string(paper));
    }
    // A size that matches a standard one (letter, number-10 envelope) is that size.
    setup_.size = QPageSize(QSizeF(size->width, size->height), QPageSize::Point);
    areaValid_ = false;
}

void QtPrinterSurface::setCurrentX(double twips) {
    x_ = twips / 20.0;
}

void QtPrinterSurface::setCurrentY(double twips) {
    y_ = twips / 20.0;
}

const QtPrinterSurface::Cell& QtPrinterSurface::cell() {
    if (!cellValid_) {
        const auto same = [this](const Cell& c) {
            return c.family == family_ && c.size == size_ && c.bold == bold_ && c.italic == italic_;
        };
        const auto found = std::find_if(cells_.begin(), cells_.end(), same);
        if (found == cells_.end()) {
            cells_.push_back(measureCell());
        }
        cellIndex_ = static_cast<std::size_t>(std::find_if(cells_.begin(), cells_.end(), same) -
                                              cells_.begin());
        cellValid_ = true;
    }
    return cells_[cellIndex_];
}

QtPrinterSurface::Cell QtPrinterSurface::measureCell() const {
    // Design metrics, read at a large size so that no pixel rounding creeps into the cells.
    QFont font(paperFontFamily(family_));
    font.setBold(bold_);
    font.setItalic(italic_);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    font.setPixelSize(kMeasuringPixels);
    const QFontMetricsF metrics(font);
    const double perPixel = size_ / kMeasuringPixels;
    Cell c;
    c.family = family_;
    c.size = size_;
    c.bold = bold_;
    c.italic = italic_;
    c.fixedPitch = QFontInfo(font).fixedPitch();
    c.column = perPixel * (c.fixedPitch ? metrics.horizontalAdvance(QLatin1Char('M'))
                                        : metrics.averageCharWidth());
    c.blank = perPixel * metrics.horizontalAdvance(QLatin1Char(' '));
    c.ascent = perPixel * metrics.ascent();
    c.measuring = font;
    // Drawn in hundredths of a point, so the glyphs have the size asked for, not one
    // rounded to the printer's pixels.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size_ * kUnitsPerPoint))));
    c.font = font;
    if (c.fixedPitch) {
        c.glyphs = QRawFont::fromFont(font);
    }
    return c;
}

double QtPrinterSurface::textWidth(const QString& text) {
    const Cell& c = cell();
    // Fixed pitch: a character is exactly one column, so Tab compares columns as counted.
    if (c.fixedPitch) {
        return c.column * static_cast<double>(text.size());
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

QtPrinterSurface::Area QtPrinterSurface::measureArea() {
    if (toFile_) {
        const QSizeF paper = setup_.size.size(QPageSize::Point);
        const double height =
            setup_.orientation == QPageLayout::Landscape ? paper.width() : paper.height();
        return Area{kPaperSideMarginPoints, 0.0, height - kPaperBottomMarginPoints};
    }
    // A printer's own printable area, as its driver reports it.
    applySetup(setup_);
    QPageLayout layout = printer_->pageLayout();
    layout.setUnits(QPageLayout::Point);
    const QMarginsF margins = layout.minimumMargins();
    const QRectF full = layout.fullRectPoints();
    return Area{margins.left(), margins.top(), full.height() - margins.top() - margins.bottom()};
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

void QtPrinterSurface::putText(const QString& text) {
    if (text.isEmpty()) {
        return;
    }
    if (!pageHasText_) {
        if (toFile_) {
            // The pages before are finished: into the file with them.
            paintIntoFile(document_);
            document_.clear();
        }
        document_.push_back(Page{setup_, {}});
        ++documentPages_;
        pageHasText_ = true;
    }
    const Area a = area();
    const Cell& c = cell();
    document_.back().runs.push_back(Run{a.left + x_, a.top + y_ + c.ascent, cellIndex_, text});
    x_ += textWidth(text);
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
                putText(fromCp(item.text));
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

void QtPrinterSurface::paintRuns(QPainter& painter, const std::vector<Run>& runs) const {
    // Runs in a fixed-pitch font are their glyphs a column apart: they are placed without
    // shaping and without loading a glyph outline for an advance, and consecutive runs in one
    // font go out as one glyph run (one text object in a PDF). Blanks draw nothing and are
    // left out (readers of the PDF see the gap), and positions are whole units (a hundredth
    // of a point): both keep the PDF's text short.
    const Cell* font = nullptr;
    QList<quint32> glyphs;
    QList<QPointF> positions;
    const auto flush = [&] {
        if (!glyphs.isEmpty()) {
            QGlyphRun run;
            run.setRawFont(font->glyphs);
            run.setGlyphIndexes(glyphs);
            run.setPositions(positions);
            painter.drawGlyphRun(QPointF(), run);
            glyphs.clear();
            positions.clear();
        }
    };
    for (const Run& run : runs) {
        const Cell& c = cells_[run.cell];
        const QList<quint32> indexes =
            c.glyphs.isValid() ? c.glyphs.glyphIndexesForString(run.text) : QList<quint32>();
        if (indexes.isEmpty() || indexes.contains(0)) {
            // Proportional text, or a character the font lacks: shaped, with font fallback.
            flush();
            painter.setFont(c.font);
            painter.drawText(QPointF(run.x * kUnitsPerPoint, run.baseline * kUnitsPerPoint),
                             run.text);
            continue;
        }
        if (&c != font) {
            flush();
            font = &c;
        }
        const double y = std::round(run.baseline * kUnitsPerPoint);
        for (qsizetype i = 0; i < indexes.size(); ++i) {
            if (run.text[i] == QLatin1Char(' ')) {
                continue;
            }
            const double x = run.x + static_cast<double>(i) * c.column;
            glyphs.append(indexes[i]);
            positions.append(QPointF(std::round(x * kUnitsPerPoint), y));
        }
    }
    flush();
}

void QtPrinterSurface::paint(const std::vector<Page>& pages) {
    printer_->setFullPage(true);
    applySetup(pages.front().setup);
    QPainter painter;
    if (!painter.begin(printer_.get())) {
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
        paintRuns(painter, pages[i].runs);
    }
    if (!painter.end()) {
        printerFailure("cannot finish the document", device_);
    }
}

void QtPrinterSurface::openFile(const Setup& setup) {
    auto pdf = std::make_unique<PdfFile>(filePath_);
    if (!pdf->open()) {
        printerFailure("cannot create " + toCp(filePath_), device_);
    }
    pdf->writer.setResolution(kPdfResolution);
    pdf->writer.setPageLayout(QPageLayout(setup.size, setup.orientation, QMarginsF()));
    if (!pdf->painter.begin(&pdf->writer)) {
        printerFailure("cannot start " + toCp(filePath_), device_);
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
        paintRuns(pdf_->painter, page.runs);
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
    if (toFile_) {
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

void QtPrinterSurface::endJob() {
    if (pdf_ == nullptr) {
        return;
    }
    const std::unique_ptr<PdfFile> pdf = std::move(pdf_);
    // A write that failed anywhere (a full disk) fails the commit, which discards the
    // temporary: the name never holds a partial file.
    if (!pdf->commit()) {
        printerFailure("cannot write " + toCp(filePath_), device_);
    }
}

std::unique_ptr<QtPrinterSurface> makePdfSurface(const QString& path,
                                                 const std::string& deviceName) {
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setPageSize(QPageSize(QPageSize::Letter));
    printer->setPageOrientation(QPageLayout::Portrait);
    printer->setCopyCount(1);
    return std::make_unique<QtPrinterSurface>(std::move(printer), deviceName);
}

}  // namespace qm
