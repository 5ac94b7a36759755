#include "platform/print_preview_window.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStringList>
#include <QToolBar>
#include <QVBoxLayout>

#include "platform/messages.h"
#include "platform/qt_text.h"
#include "platform/widget_names.h"
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
    return toCore(printerDeviceName(printer.printerName(), QPrinterInfo(printer).description()));
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

    buildControls();
    connectCommands();
    ui_.previewView->fitToWidth();
    layOutJob();
}

void PrintPreviewWindow::buildControls() {
    auto* bar = new QToolBar(this);
    ui_.actPrint = toolAction(bar, "actPrint", tr("&Print..."), QKeySequence::Print);
    bar->addSeparator();
    ui_.actFirst = toolAction(bar, "actFirst", tr("&First page"), QKeySequence(Qt::Key_Home));
    ui_.actPrevious =
        toolAction(bar, "actPrevious", tr("Pre&vious page"), QKeySequence(Qt::Key_PageUp));
    ui_.lblPage = named(new QLabel(this), "lblPage");
    bar->addWidget(ui_.lblPage);
    ui_.actNext = toolAction(bar, "actNext", tr("&Next page"), QKeySequence(Qt::Key_PageDown));
    ui_.actLast = toolAction(bar, "actLast", tr("&Last page"), QKeySequence(Qt::Key_End));
    bar->addSeparator();
    ui_.actZoomIn = toolAction(bar, "actZoomIn", tr("Zoom &in"), QKeySequence::ZoomIn);
    ui_.actZoomOut = toolAction(bar, "actZoomOut", tr("Zoom &out"), QKeySequence::ZoomOut);
    ui_.actFitWidth = toolAction(bar, "actFitWidth", tr("Fit &width"));
    ui_.actFitPage = toolAction(bar, "actFitPage", tr("Fit p&age"));
    ui_.chkSelection = named(new QCheckBox(tr("&Selection only"), this), "chkSelection");
    ui_.chkSelection->setChecked(request_.selection);
    ui_.chkSelection->setVisible(request_.allowSelection);
    if (request_.allowSelection) {
        bar->addWidget(ui_.chkSelection);
    }
    bar->addSeparator();
    ui_.actClose = toolAction(bar, "actClose", tr("&Close"), QKeySequence(Qt::Key_Escape));
    ui_.lblCut = named(new QLabel(this), "lblCut");
    ui_.lblCut->setStyleSheet(QStringLiteral("color: #d21e1e;"));
    ui_.lblCut->setVisible(false);

    ui_.previewView = named(new PreviewPageView(this), "previewView");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(bar);
    layout->addWidget(ui_.lblCut);
    layout->addWidget(ui_.previewView, 1);
    resize(900, 760);
}

void PrintPreviewWindow::connectCommands() {
    PreviewPageView* view = ui_.previewView;
    connect(view, &PreviewPageView::previewChanged, this, &PrintPreviewWindow::showPageNumber);
    connect(ui_.actPrint, &QAction::triggered, this, &PrintPreviewWindow::printFromPreview);
    connect(ui_.actClose, &QAction::triggered, this, &QDialog::reject);
    connect(ui_.actFirst, &QAction::triggered, this, [view] { view->setCurrentPage(1); });
    connect(ui_.actPrevious, &QAction::triggered, this,
            [view] { view->setCurrentPage(view->currentPage() - 1); });
    connect(ui_.actNext, &QAction::triggered, this,
            [view] { view->setCurrentPage(view->currentPage() + 1); });
    connect(ui_.actLast, &QAction::triggered, this,
            [view] { view->setCurrentPage(view->pageCount()); });
    connect(ui_.actZoomIn, &QAction::triggered, this, [view] { view->zoomIn(); });
    connect(ui_.actZoomOut, &QAction::triggered, this, [view] { view->zoomOut(); });
    connect(ui_.actFitWidth, &QAction::triggered, view, &PreviewPageView::fitToWidth);
    connect(ui_.actFitPage, &QAction::triggered, view, &PreviewPageView::fitInView);
    connect(ui_.chkSelection, &QCheckBox::toggled, this, &PrintPreviewWindow::layOutJob);
}

PrintPreviewWindow::~PrintPreviewWindow() = default;

int PrintPreviewWindow::pageCount() const {
    return ui_.previewView->pageCount();
}

void PrintPreviewWindow::layOutJob() {
    auto surface = QtPrinterSurface::forPreview(*printer_, surfaceDeviceName(*printer_));
    try {
        job_.pages(*surface, 1, ui_.chkSelection->isChecked());
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
    ui_.previewView->setPages(std::move(sizes), [shown](QPainter& painter, int index) {
        shown->paintKeptPage(painter, index);
    });
    shortfall_ = surface_->shortfall();
    QStringList told;
    if (!shortfall_.cutLabels.empty()) {
        told += tr("Lines too long even in 7 point type, cut short on %1")
                    .arg(fromCore(cutLabelsText(shortfall_.cutLabels)));
    }
    if (!shortfall_.missingLetters.empty()) {
        told += tr("No installed font has the letters %1: they print as empty boxes")
                    .arg(QString::fromStdString(missingLettersText(shortfall_.missingLetters)));
    }
    ui_.lblCut->setText(told.join(QLatin1Char('\n')));
    ui_.lblCut->setVisible(!told.isEmpty());
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
    ui_.lblPage->setText(
        tr(" Page %1 of %2 ").arg(ui_.previewView->currentPage()).arg(pageCount()));
}

bool PrintPreviewWindow::printFromPreview() {
    PrintRequest request = request_;
    request.selection = ui_.chkSelection->isChecked();
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
