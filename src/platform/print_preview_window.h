#pragma once

// The print preview: the job's pages as the print surface lays them out for the preview's
// printer (the default printer, with the job's paper), the stock faintly behind the text and
// cut lines marked, and the labels whose lines are cut and the letters no face has named above
// the pages. The surface keeps the job's runs; each page is painted only when it comes into
// view. Pages are stepped and zoomed; Print asks the print dialog and prints the same job on
// the printer chosen.

#include <QDialog>
#include <QPageLayout>
#include <memory>
#include <vector>

#include "platform/platform_services.h"
#include "platform/preview_page_view.h"
#include "platform/qt_printer_surface.h"

class QAction;
class QCheckBox;
class QLabel;
class QPrinter;

namespace qm {

class PrintPreviewWindow : public QDialog {
    Q_OBJECT
  public:
    PrintPreviewWindow(PlatformServices& platform, QWidget* parent, const PrintRequest& request,
                       PreviewableJob job);
    ~PrintPreviewWindow() override;

    int pageCount() const;
    // The pages and runs of the job shown, as the surface put them.
    std::vector<QPageLayout> pageLayouts() const;
    std::vector<PaintedRun> runs() const;
    // What the job shown fell short in: labels whose lines are cut short (marked on the
    // pages), letters no installed face has.
    const PrintShortfall& shortfall() const { return shortfall_; }
    // Asks the print dialog and prints; true when the job was printed (the window closes).
    bool printFromPreview();
    bool printed() const { return printed_; }

  private:
    // The controls; each carries its member's name as its object name.
    struct Ui {
        PreviewPageView* previewView;
        QAction* actPrint;
        QAction* actClose;
        QAction* actFirst;
        QAction* actPrevious;
        QAction* actNext;
        QAction* actLast;
        QAction* actZoomIn;
        QAction* actZoomOut;
        QAction* actFitWidth;
        QAction* actFitPage;
        QCheckBox* chkSelection;  // offered when the job can print a selection
        QLabel* lblPage;
        QLabel* lblCut;  // names the labels whose lines are cut short and the missing letters
    };

    void buildControls();
    void connectCommands();
    void layOutJob();
    void showPageNumber();

    PlatformServices& platform_;
    PrintRequest request_;
    PreviewableJob job_;
    std::unique_ptr<QPrinter> printer_;
    std::unique_ptr<QtPrinterSurface> surface_;  // the job shown, its pages kept
    PrintShortfall shortfall_;
    bool printed_ = false;
    Ui ui_{};
};

// The device name a surface on this printer reports: the printer's description for a real
// printer, empty (the surface says "PDF") for a file.
std::string surfaceDeviceName(const QPrinter& printer);

}  // namespace qm
