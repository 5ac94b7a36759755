#pragma once

// The pages of a print preview, one below the other, each painted only while it is in view:
// a job of any length costs its first page's painting to show, and nothing is recorded per
// page. Zoomed by steps, to the width or to a whole page; the current page is the one at the
// middle of the view.

#include <QAbstractScrollArea>
#include <QSizeF>
#include <functional>
#include <vector>

class QPainter;

namespace qm {

class PreviewPageView : public QAbstractScrollArea {
    Q_OBJECT
  public:
    // Paints page index (from 0) with the painter's unit a point of the paper.
    using PagePainter = std::function<void(QPainter& painter, int index)>;

    explicit PreviewPageView(QWidget* parent = nullptr);

    // The pages' sizes in points, as oriented, and what paints them; shows the first page.
    void setPages(std::vector<QSizeF> pagePoints, PagePainter painter);
    int pageCount() const { return static_cast<int>(pages_.size()); }
    // From 1; 0 when there are no pages.
    int currentPage() const;
    void setCurrentPage(int page);
    // Pixels of the screen per point of the paper.
    double zoom() const { return zoom_; }

  public Q_SLOTS:
    void zoomIn();
    void zoomOut();
    void fitToWidth();
    void fitInView();

  Q_SIGNALS:
    // The page in view or the number of pages changed.
    void previewChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

  private:
    enum class Fit { None, Width, Page };
    void setZoom(double zoom, Fit fit);
    void applyFit();
    void layoutPages();
    // The page's top edge in the scrolled contents, in pixels.
    int pageTop(int index) const;
    int pageAt(int contentsY) const;
    QSize pixelSize(int index) const;

    std::vector<QSizeF> pages_;
    std::vector<double> tops_;  // in points, with the gaps between pages
    double widest_ = 0.0;
    PagePainter painter_;
    double zoom_ = 1.0;
    Fit fit_ = Fit::Width;
    int shownPage_ = 0;
};

}  // namespace qm
