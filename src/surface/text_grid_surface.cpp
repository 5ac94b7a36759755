#include "surface/text_grid_surface.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "records/text_rules.h"
#include "surface/paper_sizes.h"

namespace qm {

namespace {

// Slack for comparing positions built from sums of line heights.
constexpr double kEpsilonPoints = 1e-6;

}  // namespace

namespace {

const PaperSize& paperOrLetter(int paper) {
    const PaperSize* size = paperSize(paper);
    return size != nullptr ? *size : kLetterPaper;
}

}  // namespace

double paperWidthPoints(int orientation, int paper) {
    const PaperSize& size = paperOrLetter(paper);
    return orientation == kLandscape ? size.height : size.width;
}

double paperHeightPoints(int orientation, int paper) {
    const PaperSize& size = paperOrLetter(paper);
    return orientation == kLandscape ? size.width : size.height;
}

double printableHeightPoints(int orientation, int paper) {
    return paperHeightPoints(orientation, paper) - kPaperBottomMarginPoints;
}

double lineHeightPoints(double fontSize) {
    return fontSize * 1.08;
}

double columnWidthPoints(double fontSize) {
    return fontSize * 0.6;
}

int linesLeftBelow(double y, double height, double lineHeight) {
    const double bottom = height - kEpsilonPoints;
    if (y >= bottom) {
        y = 0.0;
    }
    return std::max(0, static_cast<int>(std::ceil((bottom - y) / lineHeight)));
}

void TextGridSurface::setCurrentX(double twips) {
    // Twips are 1/20 point.
    column_ = 1 + static_cast<int>(twips / 20.0 / columnWidthPoints(size_));
}

void TextGridSurface::setCurrentY(double twips) {
    y_ = twips / 20.0;
    // The line the position falls in, counted in the current font's lines.
    line_ = 1 + static_cast<int>(std::floor(y_ / lineHeightPoints(size_) + kEpsilonPoints));
}

void TextGridSurface::breakPageIfBelowBottom() {
    if (y_ >= printableHeightPoints(orientation_, paper_) - kEpsilonPoints) {
        newPage();
    }
}

int TextGridSurface::linesLeftOnPage() {
    return linesLeftBelow(y_, printableHeightPoints(orientation_, paper_), lineHeightPoints(size_));
}

void TextGridSurface::startPageIfNeeded() {
    if (!pageHasText_) {
        pageHasText_ = true;
    }
}

void TextGridSurface::print(const std::vector<PrintItem>& items) {
    breakPageIfBelowBottom();
    for (const PrintItem& item : items) {
        switch (item.kind) {
            case PrintItem::Kind::Tab: {
                // Tab(n) below 1 means column 1.
                const int target = std::max(1, item.n);
                if (column_ > target) {
                    y_ += lineHeightPoints(size_);
                    ++line_;
                    breakPageIfBelowBottom();
                }
                column_ = target;
                break;
            }
            case PrintItem::Kind::Spc:
                column_ += std::max(0, item.n);
                break;
            case PrintItem::Kind::Text:
                if (!item.text.empty()) {
                    startPageIfNeeded();
                    const double size = item.size > 0 ? item.size : size_;
                    runs_.push_back(PrintedRun{page_, line_, y_, column_, font_, size, bold_,
                                               italic_, item.text, size_});
                    column_ += runs_.back().columns();
                }
                break;
        }
    }
    y_ += lineHeightPoints(size_);
    ++line_;
    column_ = 1;
}

void TextGridSurface::newPage() {
    if (pageHasText_) {
        ++page_;
        pageHasText_ = false;
    }
    y_ = 0.0;
    line_ = 1;
    column_ = 1;
}

void TextGridSurface::endDoc() {
    newPage();
    ++documents_;
    docStart_ = runs_.size();
}

void TextGridSurface::killDoc() {
    runs_.resize(docStart_);
    page_ = runs_.empty() ? 1 : runs_.back().page + 1;
    pageHasText_ = false;
    y_ = 0.0;
    line_ = 1;
    column_ = 1;
}

int TextGridSurface::pageCount() const {
    return runs_.empty() ? 0 : runs_.back().page;
}

std::span<const PrintedRun> TextGridSurface::pageRuns(int page) const {
    // Runs are kept in page order: pages only grow, and KillDoc cuts from the end.
    const auto first = std::lower_bound(runs_.begin(), runs_.end(), page,
                                        [](const PrintedRun& r, int p) { return r.page < p; });
    const auto last = std::upper_bound(first, runs_.end(), page,
                                       [](int p, const PrintedRun& r) { return p < r.page; });
    return {first, last};
}

std::vector<PrintedRun> TextGridSurface::runsOnPage(int page) const {
    const auto runs = pageRuns(page);
    return {runs.begin(), runs.end()};
}

int PrintedRun::columns() const {
    const std::size_t count = characterCount(text);
    const auto length = static_cast<double>(count);
    if (size == lineSize) {
        return static_cast<int>(count);
    }
    return static_cast<int>(std::ceil(length * size / lineSize - kEpsilonPoints));
}

namespace {

// Writes text over the line from character column `start` (from 0), blanks filling the line
// up to it.
void writeAt(std::string& line, std::size_t start, std::string_view text) {
    const std::size_t count = characterCount(text);
    const std::size_t had = characterCount(line);
    if (had < start + count) {
        line.append(start + count - had, ' ');
    }
    const std::size_t from = byteOffsetOf(line, start);
    const std::size_t to = from + byteOffsetOf(std::string_view(line).substr(from), count);
    line.replace(from, to - from, text);
}

// A line holding text set smaller than its font: its runs from left to right, each moved right
// by what the smaller runs before it hold beyond their columns.
std::string lineWithSmallerText(std::vector<const PrintedRun*> runs) {
    std::stable_sort(runs.begin(), runs.end(), [](const PrintedRun* a, const PrintedRun* b) {
        return a->column < b->column;
    });
    std::string line;
    std::size_t beyond = 0;
    for (const PrintedRun* r : runs) {
        writeAt(line, static_cast<std::size_t>(r->column - 1) + beyond, r->text);
        beyond += characterCount(r->text) - static_cast<std::size_t>(r->columns());
    }
    return line;
}

}  // namespace

std::vector<std::string> TextGridSurface::pageLines(int page) const {
    const auto runs = pageRuns(page);
    // Lines are keyed by vertical position, so text printed after a return to the top
    // lands on the line it overprints.
    std::map<long, std::string> byY;
    std::map<long, std::vector<const PrintedRun*>> smaller;
    for (const PrintedRun& r : runs) {
        const long key = static_cast<long>(r.yPoints * 100 + 0.5);
        writeAt(byY[key], static_cast<std::size_t>(r.column - 1), r.text);
        if (r.size != r.lineSize && smaller.find(key) == smaller.end()) {
            smaller[key];
        }
    }
    if (!smaller.empty()) {
        for (const PrintedRun& r : runs) {
            const long key = static_cast<long>(r.yPoints * 100 + 0.5);
            if (const auto found = smaller.find(key); found != smaller.end()) {
                found->second.push_back(&r);
            }
        }
        for (auto& [key, lineRuns] : smaller) {
            byY[key] = lineWithSmallerText(std::move(lineRuns));
        }
    }
    std::vector<std::string> lines;
    if (byY.empty()) {
        return lines;
    }
    // Rows of the smallest line height seen on the page.
    double step = 1e9;
    for (const PrintedRun& r : runs) {
        step = std::min(step, lineHeightPoints(r.lineSize));
    }
    for (const auto& [key, text] : byY) {
        const auto row = static_cast<std::size_t>(key / 100.0 / step + 0.5);
        if (lines.size() <= row) {
            lines.resize(row + 1);
        }
        lines[row] = text;
    }
    return lines;
}

std::string TextGridSurface::renderText() const {
    std::string out;
    for (int p = 1; p <= pageCount(); ++p) {
        if (p > 1) {
            out += '\f';
        }
        for (const std::string& line : pageLines(p)) {
            out += line;
            out += '\n';
        }
    }
    return out;
}

}  // namespace qm
