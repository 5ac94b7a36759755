#pragma once

// A print surface that keeps what was printed as runs on a grid of columns and lines, for
// tests, text previews and the command line's --text and --runs output. Pages, lines and
// the automatic page break follow the same character cells as the paper backing.

#include <span>
#include <string>
#include <vector>

#include "surface/printer_surface.h"

namespace qm {

struct PrintedRun {
    int page = 1;          // from 1 across the whole output (copies follow each other)
    int line = 1;          // from 1 at the top of the page, again after a return to the top
    double yPoints = 0.0;  // top of the line, in points from the top of the printable area
    int column = 1;        // from 1 at the left edge of the printable area, in characters
    std::string font;
    double size = 10.0;
    bool bold = false;
    bool italic = false;
    std::string text;        // UTF-8
    double lineSize = 10.0;  // the font size of the line it sits on: size, unless set smaller
    // Columns of the line's font the run takes: its characters, fewer when set smaller.
    int columns() const;
};

// The printable area of paper without a printer of its own (a PDF file), that of a common
// inkjet: a quarter inch in at the left and right, none at the top, half an inch at the bottom.
inline constexpr double kPaperSideMarginPoints = 18.0;
inline constexpr double kPaperBottomMarginPoints = 36.0;

// Height of the printable area in points for an orientation and paper size on that model.
double printableHeightPoints(int orientation, int paper);
// The paper's width or height in points in an orientation; a code no paper has is letter,
// as the surfaces start.
double paperWidthPoints(int orientation, int paper);
double paperHeightPoints(int orientation, int paper);
// A line is 1.08 x the font size: the 30-up sheet's rows then repeat every inch and the
// 80-up sheet's every half inch.
double lineHeightPoints(double fontSize);
// A column of the fixed-pitch font (Liberation Mono, in place of Courier New) is 0.6 x size.
double columnWidthPoints(double fontSize);
// Lines of lineHeight that begin above the bottom (height) from y down, counting the one at
// y; from the top of a fresh page when y is already at the bottom. Both backings break the
// page where this count runs out.
int linesLeftBelow(double y, double height, double lineHeight);

class TextGridSurface : public PrinterSurface {
  public:
    explicit TextGridSurface(std::string deviceName = "Text grid")
        : device_(std::move(deviceName)) {}

    void setFont(const std::string& name) override { font_ = name; }
    void setFontSize(double points) override { size_ = points; }
    void setFontBold(bool on) override { bold_ = on; }
    void setFontItalic(bool on) override { italic_ = on; }
    void setOrientation(int orientation) override { orientation_ = orientation; }
    void setPaperSize(int paper) override { paper_ = paper; }
    double pageWidthPoints() const override { return paperWidthPoints(orientation_, paper_); }
    double pageHeightPoints() const override { return paperHeightPoints(orientation_, paper_); }
    void setCurrentX(double twips) override;
    void setCurrentY(double twips) override;
    std::string deviceName() const override { return device_; }
    int pageNumber() const override { return page_; }
    int linesLeftOnPage() override;
    void print(const std::vector<PrintItem>& items) override;
    void newPage() override;
    void endDoc() override;
    void killDoc() override;

    // Runs of finished documents (and of the one in progress), in page order.
    const std::vector<PrintedRun>& runs() const { return runs_; }
    int pageCount() const;
    int documentCount() const { return documents_; }
    int orientation() const { return orientation_; }
    int paperSize() const { return paper_; }
    // The text on one page (from 1), one UTF-8 string per line from line 1, columns placed. Text
    // set smaller than its line's font is shown whole: what follows it on its line moves right by
    // the characters it has beyond its columns. Finds the page's runs without looking at other
    // pages', so rendering every page is linear.
    std::vector<std::string> pageLines(int page) const;
    // Every page as plain text, pages separated by a form feed.
    std::string renderText() const;
    // Runs of one page, in printing order.
    std::vector<PrintedRun> runsOnPage(int page) const;

  private:
    std::span<const PrintedRun> pageRuns(int page) const;
    void breakPageIfBelowBottom();
    void startPageIfNeeded();

    std::string device_;
    std::string font_ = kPrintFont;
    double size_ = 10.0;
    bool bold_ = false;
    bool italic_ = false;
    int orientation_ = kPortrait;
    int paper_ = kPaperLetter;

    std::vector<PrintedRun> runs_;
    std::size_t docStart_ = 0;  // first run of the document in progress
    int documents_ = 0;
    int page_ = 1;              // page in progress
    bool pageHasText_ = false;  // a page without text is never emitted
    int line_ = 1;
    double y_ = 0.0;
    int column_ = 1;
};

}  // namespace qm
