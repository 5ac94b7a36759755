#pragma once

// The paper backing of the print surface: character cells painted on a QPrinter, which is a
// printer through CUPS or a PDF file.
//
// A page that received no text never reaches the paper. On a printer each document is kept
// until EndDoc and only then painted, so that KillDoc sends nothing, and every EndDoc is a
// job of its own. Into a PDF file the documents follow each other in the one file: each page
// goes into it once the next one begins, and the file is written beside its name and takes
// that name at EndJob (or when the surface goes), whole or not at all; KillDoc abandons it.

#include <QFont>
#include <QPageLayout>
#include <QPageSize>
#include <QRawFont>
#include <QString>
#include <memory>
#include <string>
#include <vector>

#include "platform/letter_faces.h"
#include "surface/paper_sizes.h"
#include "surface/printer_surface.h"

class QPainter;
class QPrinter;

namespace qm {

// A run as it went onto a page, for comparing two outputs of one job.
struct PaintedRun {
    int page = 1;  // from 1 across the job
    double x = 0.0;
    double baseline = 0.0;
    std::string text;
    bool cut = false;
    bool operator==(const PaintedRun&) const = default;
};

class QtPrinterSurface : public PrinterSurface {
  public:
    // Takes the printer as the print dialog left it (its own copy count should be 1: copies
    // are separate documents). An empty deviceName reports the printer's own name, or "PDF".
    explicit QtPrinterSurface(std::unique_ptr<QPrinter> printer, std::string deviceName = {});
    // Keeps the whole job for a print preview, on the paper model of the printer it does not
    // own; a page is painted only when it is shown (paintKeptPage), with the backdrop and the
    // cut marks. The runs are kept as text, a few dozen bytes each.
    static std::unique_ptr<QtPrinterSurface> forPreview(QPrinter& printer, std::string deviceName);
    // Writes a PDF file at path, letter and portrait until the job chooses.
    static std::unique_ptr<QtPrinterSurface> forPdfFile(const QString& path,
                                                        std::string deviceName);
    // Writes each page as dir/page-001.png... at dpi, with the backdrop and the cut marks, on
    // the paper model of a PDF file.
    static std::unique_ptr<QtPrinterSurface> forImages(const QString& dir, int dpi,
                                                       std::string deviceName = "PDF");
    // A job dropped without EndJob still completes its file, but can report no failure.
    ~QtPrinterSurface() override;

    void setFont(const std::string& name) override;
    void setFontSize(double points) override;
    void setFontBold(bool on) override;
    void setFontItalic(bool on) override;
    void setOrientation(int orientation) override;
    void setPaperSize(int paper) override;
    double pageWidthPoints() const override;
    double pageHeightPoints() const override;
    void setBackdrop(std::vector<PaperRect> outlines) override;
    void drawRule(const PaperRect& rule) override;
    void setCurrentX(double twips) override;
    void setCurrentY(double twips) override;
    std::string deviceName() const override { return device_; }
    // A page is kept only once it receives text; until then the next one is in progress.
    int pageNumber() const override { return documentPages_ + (pageHasText_ ? 0 : 1); }
    int linesLeftOnPage() override;
    void print(const std::vector<PrintItem>& items) override;
    void newPage() override;
    void endDoc() override;
    void killDoc() override;
    void endJob() override;

    bool printsToFile() const { return target_ == Target::PdfFile; }
    // Pages sent so far: into a file, the pages the file holds.
    int pagesSent() const { return pagesSent_; }
    // The paper the user chose in the print dialog stays: the job's paper size and
    // orientation no longer change it.
    void keepChosenPaper() { paperKept_ = true; }
    // Keeps a record of every run painted, from here on.
    void recordRuns() { recording_ = true; }
    const std::vector<PaintedRun>& paintedRuns() const { return painted_; }
    // The page layouts painted so far, in page order.
    const std::vector<QPageLayout>& paintedPages() const { return paintedPages_; }

    // A preview's pages, kept at EndJob, in page order.
    int keptPageCount() const { return static_cast<int>(jobPages_.size()); }
    QPageLayout keptPageLayout(int index) const;
    // Paints a kept page (from 0) with the painter's unit a point of the paper.
    void paintKeptPage(QPainter& painter, int index);
    // The runs of the kept pages, as the printed job paints them.
    std::vector<PaintedRun> keptRuns() const;

  private:
    enum class Target { Printer, PdfFile, Preview, Images };
    QtPrinterSurface(QPrinter& printer, std::string deviceName);
    // A PDF file or page images: written by the surface itself, with no printer behind it.
    QtPrinterSurface(Target target, std::string deviceName);
    struct Setup {
        QPageSize size;
        QPageLayout::Orientation orientation = QPageLayout::Portrait;
        std::vector<PaperRect> backdrop;
    };
    // The printable area of the current setup, in points from the paper's top-left corner.
    struct Area {
        double left = 0.0;
        double top = 0.0;
        double height = 0.0;
    };
    // What a cell measures in one font, in points, and the font as painted.
    struct Cell {
        std::string family;
        double size = 0.0;
        bool bold = false;
        bool italic = false;
        QFont font;       // as painted
        QRawFont glyphs;  // of a fixed-pitch font: its glyphs are placed without shaping
        QFont measuring;  // for the widths of proportional text
        bool fixedPitch = true;
        double column = 0.0;
        double blank = 0.0;
        double ascent = 0.0;
        // Where letters beyond ASCII come from: made when the first is printed.
        std::shared_ptr<LetterFaces> letters;
    };
    struct Run {
        double x = 0.0;         // points from the paper's left edge
        double baseline = 0.0;  // points from the paper's top edge
        std::size_t cell = 0;   // index into cells_
        QString text;
        bool cut = false;
    };
    struct Page {
        Setup setup;
        std::vector<Run> runs;
        std::vector<PaperRect> rules;  // in points of the paper
    };

    struct PdfFile;

    const Cell& cell();
    std::size_t cellIndexFor(const std::string& family, double size, bool bold, bool italic);
    Cell measureCell(const std::string& family, double size, bool bold, bool italic) const;
    double textWidth(const QString& text);
    Area area();
    Area measureArea() const;
    void applySetup(const Setup& setup);
    void nextLine();
    void breakPageIfBelowBottom();
    void putText(const QString& text, bool cut, double size);
    LetterFaces& lettersOf(std::size_t cell);
    void noteMissingLetters(const QString& text, std::size_t cell);
    void startPageIfNeeded();
    void paint(const std::vector<Page>& pages);
    void paintIntoFile(const std::vector<Page>& pages);
    void paintImages(const std::vector<Page>& pages);
    void openFile(const Setup& setup);
    void paintPage(QPainter& painter, const Page& page);
    void drawPage(QPainter& painter, const Page& page);
    void paintRuns(QPainter& painter, const std::vector<Run>& runs);
    void paintBackdrop(QPainter& painter, const Page& page) const;
    void paintCutMarks(QPainter& painter, const std::vector<Run>& runs) const;
    bool decorated() const { return target_ == Target::Preview || target_ == Target::Images; }
    void resetPosition();

    std::unique_ptr<QPrinter> owned_;
    QPrinter* printer_ = nullptr;
    std::string device_;
    Target target_ = Target::Printer;
    bool paperKept_ = false;
    bool recording_ = false;
    std::vector<PaintedRun> painted_;
    std::vector<QPageLayout> paintedPages_;
    std::vector<Page> jobPages_;  // a preview's pages, kept at EndJob
    QString imageDir_;
    int imageDpi_ = 96;
    QString filePath_;
    double pointsToPixels_ = 1.0;

    std::string family_ = kPrintFont;
    double size_ = 10.0;
    bool bold_ = false;
    bool italic_ = false;
    bool cellValid_ = false;
    std::size_t cellIndex_ = 0;
    std::vector<Cell> cells_;  // every font used, measured once
    Setup setup_;
    bool areaValid_ = false;
    Area area_;

    std::vector<Page> document_;    // pages of the document in progress not painted yet
    int documentPages_ = 0;         // pages of the document in progress that received text
    bool pageHasText_ = false;      // the last page of document_ is the one in progress
    std::unique_ptr<PdfFile> pdf_;  // into a file: the file being written, once a page went
    int pagesSent_ = 0;
    int pagesPainted_ = 0;
    double x_ = 0.0;  // points from the left of the printable area
    double y_ = 0.0;  // points from the top of the printable area
};

// The Qt page size of a paper of the table.
QPageSize qtPageSize(const PaperSize& paper);

// A surface that writes a PDF file at path (letter, portrait, the common inkjet's printable
// area). The file is complete after EndJob. No printer is asked for anything.
std::unique_ptr<QtPrinterSurface> makePdfSurface(const QString& path,
                                                 const std::string& deviceName = "PDF");

// The name a printer's surface reports as its device name: the printer's description (the
// name people see, by default its make and model, as "HP Officejet Pro 8600"), or its queue
// name when it has none. Queue names hold no blanks or "/", so some model strings of the
// listed printers could never be found in them.
QString printerDeviceName(const QString& queueName, const QString& description);

// The installed font that stands for a font name of the layouts.
QString paperFontFamily(const std::string& name);

}  // namespace qm
