#include "platform/preview_page_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace qm {

namespace {

// Around and between the pages, in pixels.
constexpr int kGap = 12;
constexpr double kZoomStep = 1.25;
constexpr double kSmallestZoom = 0.05;
constexpr double kLargestZoom = 16.0;

}  // namespace

PreviewPageView::PreviewPageView(QWidget* parent) : QAbstractScrollArea(parent) {
    viewport()->setBackgroundRole(QPalette::Dark);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
}

void PreviewPageView::setPages(std::vector<QSizeF> pagePoints, PagePainter painter) {
    pages_ = std::move(pagePoints);
    painter_ = std::move(painter);
    tops_.clear();
    tops_.reserve(pages_.size() + 1);
    double top = 0.0;
    widest_ = 0.0;
    for (const QSizeF& page : pages_) {
        tops_.push_back(top);
        top += page.height();
        widest_ = std::max(widest_, page.width());
    }
    tops_.push_back(top);
    shownPage_ = 0;
    applyFit();
    setCurrentPage(1);
    viewport()->update();
    Q_EMIT previewChanged();
}

int PreviewPageView::pageTop(int index) const {
    return kGap * (index + 1) + static_cast<int>(std::lround(tops_[index] * zoom_));
}

QSize PreviewPageView::pixelSize(int index) const {
    const QSizeF& page = pages_[index];
    return QSize(static_cast<int>(std::lround(page.width() * zoom_)),
                 static_cast<int>(std::lround(page.height() * zoom_)));
}

int PreviewPageView::pageAt(int contentsY) const {
    // The last page whose top lies above the point (the gap above a page belongs to it).
    int low = 0;
    int high = pageCount() - 1;
    while (low < high) {
        const int middle = (low + high + 1) / 2;
        if (pageTop(middle) - kGap <= contentsY) {
            low = middle;
        } else {
            high = middle - 1;
        }
    }
    return low;
}

int PreviewPageView::currentPage() const {
    if (pages_.empty()) {
        return 0;
    }
    return pageAt(verticalScrollBar()->value() + viewport()->height() / 2) + 1;
}

void PreviewPageView::setCurrentPage(int page) {
    if (pages_.empty()) {
        return;
    }
    page = std::clamp(page, 1, pageCount());
    verticalScrollBar()->setValue(pageTop(page - 1) - kGap);
    if (currentPage() != shownPage_) {
        shownPage_ = currentPage();
        Q_EMIT previewChanged();
    }
}

void PreviewPageView::layoutPages() {
    const int contentsHeight = pages_.empty() ? 0 : pageTop(pageCount());
    const int contentsWidth = static_cast<int>(std::lround(widest_ * zoom_)) + 2 * kGap;
    verticalScrollBar()->setPageStep(viewport()->height());
    verticalScrollBar()->setRange(0, std::max(0, contentsHeight - viewport()->height()));
    horizontalScrollBar()->setPageStep(viewport()->width());
    horizontalScrollBar()->setRange(0, std::max(0, contentsWidth - viewport()->width()));
}

void PreviewPageView::setZoom(double zoom, Fit fit) {
    const int page = currentPage();
    zoom_ = std::clamp(zoom, kSmallestZoom, kLargestZoom);
    fit_ = fit;
    layoutPages();
    setCurrentPage(page);
    viewport()->update();
}

void PreviewPageView::applyFit() {
    if (pages_.empty()) {
        layoutPages();
        return;
    }
    const double width = std::max(1, viewport()->width() - 2 * kGap);
    const double height = std::max(1, viewport()->height() - 2 * kGap);
    if (fit_ == Fit::Width) {
        setZoom(width / widest_, fit_);
    } else if (fit_ == Fit::Page) {
        const QSizeF& page = pages_[std::max(0, currentPage() - 1)];
        setZoom(std::min(width / page.width(), height / page.height()), fit_);
    } else {
        setZoom(zoom_, fit_);
    }
}

void PreviewPageView::zoomIn() {
    setZoom(zoom_ * kZoomStep, Fit::None);
}

void PreviewPageView::zoomOut() {
    setZoom(zoom_ / kZoomStep, Fit::None);
}

void PreviewPageView::fitToWidth() {
    fit_ = Fit::Width;
    applyFit();
}

void PreviewPageView::fitInView() {
    fit_ = Fit::Page;
    applyFit();
}

void PreviewPageView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    applyFit();
}

void PreviewPageView::scrollContentsBy(int, int) {
    viewport()->update();
    if (currentPage() != shownPage_) {
        shownPage_ = currentPage();
        Q_EMIT previewChanged();
    }
}

void PreviewPageView::paintEvent(QPaintEvent* event) {
    if (pages_.empty() || !painter_) {
        return;
    }
    QPainter painter(viewport());
    const int scrollY = verticalScrollBar()->value();
    const int width = viewport()->width();
    const int contentsWidth = static_cast<int>(std::lround(widest_ * zoom_)) + 2 * kGap;
    const int left =
        contentsWidth < width ? (width - contentsWidth) / 2 : -horizontalScrollBar()->value();
    const QRect exposed = event->rect();
    // Only the pages in view are painted.
    for (int i = pageAt(scrollY + exposed.top()); i < pageCount(); ++i) {
        const int top = pageTop(i) - scrollY;
        if (top > exposed.bottom()) {
            break;
        }
        const QSize size = pixelSize(i);
        const int x =
            left + kGap + (static_cast<int>(std::lround(widest_ * zoom_)) - size.width()) / 2;
        const QRect page(QPoint(x, top), size);
        if (!page.intersects(exposed)) {
            continue;
        }
        painter.fillRect(page.translated(2, 2), palette().shadow());
        painter.fillRect(page, Qt::white);
        painter.save();
        painter.setClipRect(page);
        painter.translate(page.topLeft());
        painter.scale(zoom_, zoom_);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter_(painter, i);
        painter.restore();
    }
}

}  // namespace qm
