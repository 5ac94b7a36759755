#pragma once

// A printer that a window may destroy when its command ends while the text grid behind it
// outlives the command, so a test can read what was printed. It can also fail on the n-th
// text it is asked to print, as a printer that jams would, and counts abandoned jobs.

#include "records/error.h"
#include "surface/text_grid_surface.h"

namespace qm::test {

class GridPrinter : public PrinterSurface {
  public:
    explicit GridPrinter(TextGridSurface& grid, int failAtText = 0)
        : grid_(grid), failAt_(failAtText) {}
    void setFont(const std::string& name) override { grid_.setFont(name); }
    void setFontSize(double points) override { grid_.setFontSize(points); }
    void setFontBold(bool on) override { grid_.setFontBold(on); }
    void setFontItalic(bool on) override { grid_.setFontItalic(on); }
    void setOrientation(int orientation) override { grid_.setOrientation(orientation); }
    void setPaperSize(int paper) override { grid_.setPaperSize(paper); }
    double pageWidthPoints() const override { return grid_.pageWidthPoints(); }
    double pageHeightPoints() const override { return grid_.pageHeightPoints(); }
    void setCurrentX(double twips) override { grid_.setCurrentX(twips); }
    void setCurrentY(double twips) override { grid_.setCurrentY(twips); }
    std::string deviceName() const override { return grid_.deviceName(); }
    int pageNumber() const override { return grid_.pageNumber(); }
    int linesLeftOnPage() override { return grid_.linesLeftOnPage(); }
    void print(const std::vector<PrintItem>& items) override {
        for (const PrintItem& item : items) {
            if (item.kind == PrintItem::Kind::Text && ++texts_ == failAt_) {
                throw QmError(482, "Printer error");
            }
        }
        grid_.print(items);
    }
    void newPage() override { grid_.newPage(); }
    void endDoc() override { grid_.endDoc(); }
    void killDoc() override {
        ++kills;
        grid_.killDoc();
    }
    // Jobs abandoned since the test last set it to 0.
    static inline int kills = 0;

  private:
    TextGridSurface& grid_;
    int failAt_;
    int texts_ = 0;
};

}  // namespace qm::test
