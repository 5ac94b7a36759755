#include "platform/qt_printer_surface.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>
#include <QPrinter>
#include <algorithm>
#include <cmath>

#include "platform/qt_text.h"
#include "records/error.h"
#include "surface/text_grid_surface.h"

namespace qm {

namespace {

// Slack for comparing positions built from sums of cell widths.
constexpr double kEpsilonPoints = 1e-6;
// Font metrics are read at this pixel size and scaled to the point size.
constexpr int kMeasuringPixels = 1000;
// Text is painted in a coordinate system of this many units per point.
constexpr double kUnitsPerPoint = 100.0;

[[noreturn]] void printerFailure(const std::string& what, const std::string& device) {
    throw QmError(err::kPrinterError, "Printer error (" + what + " on " + device + ")");
}

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
    pointsToPixels_ = printer_->resolution() / 72.0;
    const QPageLayout layout = printer_->pageLayout();
    setup_ = Setup{layout.pageSize(), layout.orientation()};
}

QtPrinterSurface::~QtPrinterSurface() = default;

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
    if (paper != kPaperLetter && paper != kPaperEnvelope10) {
        throw QmError(err::kInvalidCall, "Invalid paper size " + std::to_string(paper));
    }
    setup_.size = QPageSize(paper == kPaperLetter ? QPageSize::Letter : QPageSize::Envelope10);
    areaValid_ = false;
}

void QtPrinterSurface::setCurrentX(double twips) {
    x_ = twips / 20.0;
}

void QtPrinterSurface::setCurrentY(double twips) {
    y_ = twips / 20.0;
}

const QtPrinterSurface::Cell& QtPrinterSurface::cell() {
    if (cellValid_) {
        return cell_;
    }
    // Design metrics, read at a large size so that no pixel rounding creeps into the cells.
    QFont font(paperFontFamily(family_));
    font.setBold(bold_);
    font.setItalic(italic_);
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setKerning(false);
    font.setPixelSize(kMeasuringPixels);
    const QFontMetricsF metrics(font);
    const double perPixel = size_ / kMeasuringPixels;
    cell_.fixedPitch = QFontInfo(font).fixedPitch();
    cell_.column = perPixel * (cell_.fixedPitch ? metrics.horizontalAdvance(QLatin1Char('M'))
                                                : metrics.averageCharWidth());
    cell_.blank = perPixel * metrics.horizontalAdvance(QLatin1Char(' '));
    cell_.ascent = perPixel * metrics.ascent();
    cell_.measuring = font;
    // Drawn in hundredths of a point, so the glyphs have the size asked for, not one
    // rounded to the printer's pixels.
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(size_ * kUnitsPerPoint))));
    cell_.font = font;
    cellValid_ = true;
    return cell_;
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
        document_.push_back(Page{setup_, {}});
        pageHasText_ = true;
    }
    const Area a = area();
    const Cell& c = cell();
    document_.back().runs.push_back(Run{a.left + x_, a.top + y_ + c.ascent, c.font, text});
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
        for (const Run& run : pages[i].runs) {
            painter.setFont(run.font);
            painter.drawText(QPointF(run.x * kUnitsPerPoint, run.baseline * kUnitsPerPoint),
                             run.text);
        }
    }
    if (!painter.end()) {
        printerFailure("cannot finish the document", device_);
    }
}

void QtPrinterSurface::endDoc() {
    newPage();
    std::vector<Page> document = std::move(document_);
    document_.clear();
    if (document.empty()) {
        return;  // nothing was printed: no sheet goes through the printer
    }
    if (toFile_) {
        // A PDF cannot be appended to, so the file is written again with every document.
        std::vector<Page> all = written_;
        all.insert(all.end(), document.begin(), document.end());
        paint(all);
        written_ = std::move(all);
        pagesSent_ = static_cast<int>(written_.size());
    } else {
        paint(document);
        pagesSent_ += static_cast<int>(document.size());
    }
}

void QtPrinterSurface::killDoc() {
    document_.clear();
    newPage();
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
