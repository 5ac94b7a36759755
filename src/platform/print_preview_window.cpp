#include "platform/print_preview_window.h"

#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>
#include <QToolBar>
#include <QVBoxLayout>

#include "platform/messages.h"
#include "platform/qt_text.h"
#include "surface/paper_sizes.h"
#include "surface/print_plan.h"

namespace qm {

namespace {

QAction* toolAction(QToolBar* bar, const char* name, const QString& text,
                    const QKeySequence& key = {}) {
    QAction* action = bar->addAction(text);
    action->setObjectName(QString::fromLatin1(name));
    if (!key.isEmpty()) {
        action->setShortcut(key);
    }
    return action;
}

}  // namespace

std::string surfaceDeviceName(const QPrinter& printer) {
    if (printer.outputFormat() != QPrinter::NativeFormat) {
        return {};
    }
    return toCp(printerDeviceName(printer.printerName(), QPrinterInfo(printer).description()));
}

PrintPreviewWindow::PrintPreviewWindow(PlatformServices& platform, QWidget* parent,
                                       const PrintRequest& request, PreviewableJob job)
    : QDialog(parent),
      platform_(platform),
      request_(request),
      job_(std::move(job)),
      printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    setObjectName(QStringLiteral("frmPrintPreview"));
    setWindowTitle(tr("Print Preview"));
    if (const PaperSize* paper = paperSize(request.paper)) {
        printer_->setPageSize(qtPageSize(*paper));
    }
    printer_->setPageOrientation(request.orientation == kLandscape ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait);

    auto* bar = new QToolBar(this);
    actPrint = toolAction(bar, "actPrint", tr("&Print..."), QKeySequence::Print);
    bar->addSeparator();
    actFirst = toolAction(bar, "actFirst", tr("&First page"), QKeySequence(Qt::Key_Home));
    actPrevious =
        toolAction(bar, "actPrevious", tr("Pre&vious page"), QKeySequence(Qt::Key_PageUp));
    lblPage = new QLabel(this);
    lblPage->setObjectName(QStringLiteral("lblPage"));
    bar->addWidget(lblPage);
    actNext = toolAction(bar, "actNext", tr("&Next page"), QKeySequence(Qt::Key_PageDown));
    actLast = toolAction(bar, "actLast", tr("&Last page"), QKeySequence(Qt::Key_End));
    bar->addSeparator();
    actZoomIn = toolAction(bar, "actZoomIn", tr("Zoom &in"), QKeySequence::ZoomIn);
    actZoomOut = toolAction(bar, "actZoomOut", tr("Zoom &out"), QKeySequence::ZoomOut);
    actFitWidth = toolAction(bar, "actFitWidth", tr("Fit &width"));
    actFitPage = toolAction(bar, "actFitPage", tr("Fit p&age"));
    chkSelection = new QCheckBox(tr("&Selection only"), this);
    chkSelection->setObjectName(QStringLiteral("chkSelection"));
    chkSelection->setChecked(request.selection);
    chkSelection->setVisible(request.allowSelection);
    if (request.allowSelection) {
        bar->addWidget(chkSelection);
    }
    bar->addSeparator();
    actClose = toolAction(bar, "actClose", tr("&Close"), QKeySequence(Qt::Key_Escape));
    lblCut = new QLabel(this);
    lblCut->setObjectName(QStringLiteral("lblCut"));
    lblCut->setStyleSheet(QStringLiteral("color: #d21e1e;"));
    lblCut->setVisible(false);

    view = new PreviewPageView(this);
    view->setObjectName(QStringLiteral("previewView"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar);
    layout->addWidget(lblCut);
    layout->addWidget(view, 1);
    resize(900, 760);

    connect(view, &PreviewPageView::previewChanged, this, &PrintPreviewWindow::showPageNumber);
    connect(actPrint, &QAction::triggered, this, &PrintPreviewWindow::printFromPreview);
    connect(actClose, &QAction::triggered, this, &QDialog::reject);
    connect(actFirst, &QAction::triggered, this, [this] { view->setCurrentPage(1); });
    connect(actPrevious, &QAction::triggered, this,
            [this] { view->setCurrentPage(view->currentPage() - 1); });
    connect(actNext, &QAction::triggered, this,
            [this] { view->setCurrentPage(view->currentPage() + 1); });
    connect(actLast, &QAction::triggered, this, [this] { view->setCurrentPage(pageCount()); });
    connect(actZoomIn, &QAction::triggered, this, [this] { view->zoomIn(); });
    connect(actZoomOut, &QAction::triggered, this, [this] { view->zoomOut(); });
    connect(actFitWidth, &QAction::triggered, view, &PreviewPageView::fitToWidth);
    connect(actFitPage, &QAction::triggered, view, &PreviewPageView::fitInView);
    connect(chkSelection, &QCheckBox::toggled, this, &PrintPreviewWindow::layOutJob);
    view->fitToWidth();
    layOutJob();
}

PrintPreviewWindow::~PrintPreviewWindow() = default;

void PrintPreviewWindow::layOutJob() {
    auto surface = QtPrinterSurface::forPreview(*printer_, surfaceDeviceName(*printer_));
    try {
        job_.pages(*surface, 1, chkSelection->isChecked());
        surface->endJob();
    } catch (const std::exception&) {
        showPrinterProblem(platform_, this);
    }
    surface_ = std::move(surface);
    std::vector<QSizeF> sizes;
    sizes.reserve(static_cast<std::size_t>(surface_->keptPageCount()));
    for (int i = 0; i < surface_->keptPageCount(); ++i) {
        sizes.push_back(surface_->keptPageLayout(i).fullRectPoints().size().toSizeF());
    }
    QtPrinterSurface* shown = surface_.get();
    view->setPages(std::move(sizes),
                   [shown](QPainter& painter, int index) { shown->paintKeptPage(painter, index); });
    shortfall_ = surface_->shortfall();
    QStringList told;
    if (!shortfall_.cutLabels.empty()) {
        told += tr("Lines too long even in 7 point type, cut short on %1")
                    .arg(fromCp(cutLabelsText(shortfall_.cutLabels)));
    }
    if (!shortfall_.missingLetters.empty()) {
        told += tr("No installed font has the letters %1: they print as empty boxes")
                    .arg(QString::fromStdString(missingLettersText(shortfall_.missingLetters)));
    }
    lblCut->setText(told.join(QLatin1Char('\n')));
    lblCut->setVisible(!told.isEmpty());
}

std::vector<QPageLayout> PrintPreviewWindow::pageLayouts() const {
    std::vector<QPageLayout> layouts;
    for (int i = 0; i < surface_->keptPageCount(); ++i) {
        layouts.push_back(surface_->keptPageLayout(i));
    }
    return layouts;
}

std::vector<PaintedRun> PrintPreviewWindow::runs() const {
    return surface_->keptRuns();
}

void PrintPreviewWindow::showPageNumber() {
    lblPage->setText(tr(" Page %1 of %2 ").arg(view->currentPage()).arg(pageCount()));
}

bool PrintPreviewWindow::printFromPreview() {
    PrintRequest request = request_;
    request.selection = chkSelection->isChecked();
    request.pageCount = pageCount();
    PrintJob job = platform_.printDialog(this, request);
    if (job.cancelled()) {
        return false;
    }
    printed_ = true;
    accept();
    job_.print(job);
    return true;
}

}  // namespace qm
