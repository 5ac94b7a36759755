#include "printing/calibration.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <regex>

#include "printing/envelope_layout.h"
#include "printing/label_sheet.h"
#include "printing/label_stock.h"
#include "printing/print_rules.h"
#include "printing/return_labels.h"
#include "printing/stock_layout.h"
#include "surface/paper_sizes.h"
#include "surface/text_grid_surface.h"

namespace qm {

namespace {

// Each layout, the stock its job has always printed on and the job's own lines.
struct LayoutRow {
    CalibrationLayout layout;
    std::string_view name;
    std::string_view title;
    const LabelStock* stock;
    StockJob job;
};
constexpr std::array kLayouts = {
    LayoutRow{CalibrationLayout::Labels, "labels", "on-the-fly labels", &kAddressSheet,
              StockJob::Labels},
    LayoutRow{CalibrationLayout::ListLabels, "list-labels", "search-result labels", &kAddressSheet,
              StockJob::ListLabels},
    LayoutRow{CalibrationLayout::ReturnLabels, "return-labels", "return address labels",
              &kReturnAddressSheet, StockJob::ReturnLabels},
    LayoutRow{CalibrationLayout::Envelope, "envelope", "envelopes", nullptr, StockJob::Labels},
};
// Envelopes print landscape in 12 point.
constexpr double kEnvelopeFontSize = 12;

const LayoutRow& layoutRow(CalibrationLayout layout) {
    return *std::find_if(kLayouts.begin(), kLayouts.end(),
                         [layout](const LayoutRow& row) { return row.layout == layout; });
}

// The job's print size on the stock: its character layout's, or the one its geometry gives.
double jobFontSize(const LabelStock& stock, StockJob job) {
    if (!hasCellLayoutFor(stock, job)) {
        return stockTextLayout(stock.sheet, stockJobLines(job)).fontSize;
    }
    return job == StockJob::ListLabels ? listLabelLayout(stock).textSize : stock.cells.fontSize;
}

constexpr double kInch = kPointsPerInch;
const std::string kMark = "X";

// Every run's first character, from the layout run on a text grid.
std::vector<PaperRect> firstCharacters(const TextGridSurface& grid) {
    std::vector<PaperRect> marks;
    for (const PrintedRun& run : grid.runs()) {
        if (run.text == kMark) {
            marks.push_back(
                PaperRect{kPaperSideMarginPoints + (run.column - 1) * columnWidthPoints(run.size),
                          run.yPoints, columnWidthPoints(run.size), lineHeightPoints(run.size)});
        }
    }
    return marks;
}

std::vector<PaperRect> listLabelMarks(const LabelStock& stock, Adjustment adjust,
                                      std::string_view deviceName) {
    // A row of contacts without a company line, as most are: three lines of text, the
    // larger line that makes up the fourth, and the gap. (A row with a four-line label is
    // 1.08 points shorter.)
    const ListLabelLayout& l = listLabelLayout(stock);
    const double row = (l.rowTextLines - 1) * lineHeightPoints(l.textSize) +
                       lineHeightPoints(l.fillSize) + l.gapLines * lineHeightPoints(l.gapSize);
    std::vector<PaperRect> marks;
    for (int r = 0; r < stock.sheet.down; ++r) {
        for (int c = 0; c < stock.sheet.across; ++c) {
            const int column = listLabelLeftColumn(l, deviceName, adjust.left) + c * l.columnPitch;
            marks.push_back(PaperRect{
                kPaperSideMarginPoints + (column - 1) * columnWidthPoints(l.textSize),
                std::max(0, l.topLines + adjust.top) * lineHeightPoints(l.textSize) + r * row,
                columnWidthPoints(l.textSize), lineHeightPoints(l.textSize)});
        }
    }
    return marks;
}

// A stock laid out from its geometry: the first line of a label that holds all the job's
// lines, on every label.
std::vector<PaperRect> placedMarks(const LabelStock& stock, StockJob job, Adjustment adjust) {
    const StockTextLayout layout = stockTextLayout(stock.sheet, stockJobLines(job));
    const std::vector<std::string> full(static_cast<std::size_t>(layout.lines), kMark);
    std::vector<PaperRect> marks;
    for (int position = 1; position <= stock.sheet.labels(); ++position) {
        const auto placed = placeLabelLines(stock, cellOfPosition(stock.sheet, position), layout,
                                            full, false, adjust)
                                .lines;
        if (!placed.empty()) {
            marks.push_back(PaperRect{placed.front().x, placed.front().y,
                                      columnWidthPoints(layout.fontSize),
                                      lineHeightPoints(layout.fontSize)});
        }
    }
    return marks;
}

// The layout's job on the stock, every label (or the envelope's address) a mark. The list
// labels' marks are worked out from their layout instead.
PrintPlan markedJob(CalibrationLayout layout, const LabelStock* stock, int envelopeSize) {
    switch (layout) {
        case CalibrationLayout::Labels: {
            LabelJob job;
            job.lines = {kMark, "", "", "", ""};
            job.startPosition = 1;
            job.labelCount = stock->sheet.labels();
            job.slot = labelSlot(*stock, 1, false);
            return labelsPlan(*stock, job);
        }
        case CalibrationLayout::ReturnLabels:
            return returnLabelsPlan(*stock, {kMark, "", ""}, false);
        case CalibrationLayout::ListLabels:
            // The list's labels, without a list: what they print on and what moves them.
            return stockPlan(*stock, kPortrait, adjustmentSection(*stock, StockJob::ListLabels));
        case CalibrationLayout::Envelope:
            break;
    }
    EnvelopeJob job;
    job.lines = {kMark, "", "", "", ""};
    job.size = envelopeSize;
    job.slot = envelopeSlotPicked(envelopeSize).value_or(kDefaultSlot);
    return envelopePlan(job);
}

void printAt(PrinterSurface& surface, double x, double y, const std::string& text) {
    surface.setCurrentX(std::max(0.0, x - kPaperSideMarginPoints) * kTwipsPerPoint);
    surface.setCurrentY(std::max(0.0, y) * kTwipsPerPoint);
    surface.print({PrintItem::Text(text)});
}

// The top half inch holds the instructions, clear of the grid: the first labels of both
// sheets start below it and no envelope's address comes near it.
constexpr double kBand = kInch / 2;
constexpr double kNumberSize = 7;
constexpr double kNoteSize = 6;

// Lines every half inch, heavier every inch, with ticks every tenth of an inch along each
// inch line; numbered in inches along the top and the left, where a number fits. The grid
// moves with the layout's adjustment (shift, in points), as the marks do: what the user
// measures is what is left to correct, and a sheet printed after calibrating measures true.
void printGrid(PrinterSurface& surface, PaperRect shift) {
    const double width = surface.pageWidthPoints();
    const double height = surface.pageHeightPoints();
    constexpr double kTick = 3;
    const auto across = [&](int tenth) { return tenth * kInch / 10 + shift.left; };
    const auto down = [&](int tenth) { return tenth * kInch / 10 + shift.top; };
    for (int tenth = 1; across(tenth) < width; ++tenth) {
        const double x = across(tenth);
        if (x <= 0) {
            continue;
        }
        if (tenth % 5 == 0) {
            const double weight = tenth % 10 == 0 ? 0.6 : 0.25;
            surface.drawRule(PaperRect{x - weight / 2, kBand, weight, height - kBand});
        }
        for (int inch = 1; down(inch * 10) < height; ++inch) {
            surface.drawRule(PaperRect{x - 0.15, down(inch * 10) - kTick, 0.3, 2 * kTick});
        }
    }
    for (int tenth = 1; down(tenth) < height; ++tenth) {
        const double y = down(tenth);
        if (y < kBand + kTick) {
            continue;
        }
        if (tenth % 5 == 0) {
            const double weight = tenth % 10 == 0 ? 0.6 : 0.25;
            surface.drawRule(PaperRect{0, y - weight / 2, width, weight});
        }
        for (int inch = 1; across(inch * 10) < width; ++inch) {
            surface.drawRule(PaperRect{across(inch * 10) - kTick, y - 0.15, 2 * kTick, 0.3});
        }
    }
    // In the sheet's first font.
    const double numberHeight = lineHeightPoints(kNumberSize);
    for (int inch = 1; across(inch * 10) + 2 + 2 * columnWidthPoints(kNumberSize) < width; ++inch) {
        printAt(surface, across(inch * 10) + 2, kBand + 1, std::to_string(inch));
    }
    // Above the paper's bottom margin, or the number would begin a page of its own.
    for (int inch = 1; down(inch * 10) + 1 + numberHeight <= height - kPaperBottomMarginPoints;
         ++inch) {
        if (down(inch * 10) > kBand) {
            printAt(surface, kBand + 2, down(inch * 10) + 1, std::to_string(inch));
        }
    }
}

// Words in lines of at most `columns` characters.
std::vector<std::string> wrapped(const std::string& text, std::size_t columns) {
    std::vector<std::string> lines(1);
    std::size_t from = 0;
    while (from < text.size()) {
        const std::size_t blank = text.find(' ', from);
        const std::string word = text.substr(from, blank - from);
        from = blank == std::string::npos ? text.size() : blank + 1;
        if (!lines.back().empty() && lines.back().size() + 1 + word.size() > columns) {
            lines.emplace_back();
        }
        lines.back() += (lines.back().empty() ? "" : " ") + word;
    }
    return lines;
}

void printCrosshair(PrinterSurface& surface, const PaperRect& mark) {
    // Short enough to stay clear of the instructions above the first row.
    constexpr double kArm = 8;
    constexpr double kWeight = 0.75;
    surface.drawRule(PaperRect{mark.left - kArm, mark.top - kWeight / 2, 2 * kArm, kWeight});
    surface.drawRule(PaperRect{mark.left - kWeight / 2, mark.top - kArm, kWeight, 2 * kArm});
}

// The command line's --stock for a stock other than the layout's own.
std::string stockOption(const CalibrationTarget& target) {
    if (target.stock == nullptr || target.stock == layoutRow(target.layout).stock) {
        return {};
    }
    return " --stock \"" + std::string(target.stock->name) + "\"";
}

// In the top band, ending just above its edge, wrapped to the paper's width.
void printInstructions(PrinterSurface& surface, const CalibrationTarget& target,
                       Adjustment adjust) {
    const std::string text =
        "Calibration sheet for " + std::string(target.title) + ": adjustment " +
        std::to_string(adjust.left) + " columns, " + std::to_string(adjust.top) +
        " lines. Each crosshair marks where a first character's top-left corner goes. Measure "
        "from the paper's left and top edges to the lines marked 1: each should be 1 inch "
        "(25.4 mm). Enter how far right and down the print landed in Margins > Calibrate, or: "
        "quillmark calibrate " +
        std::string(target.name) + stockOption(target) +
        " --right D --down D (D as 0.05in or -1.5mm).";
    constexpr double kLeft = 0.3 * kInch;
    const auto columns = static_cast<std::size_t>((surface.pageWidthPoints() - 2 * kLeft) /
                                                  columnWidthPoints(kNoteSize));
    const std::vector<std::string> lines = wrapped(text, columns);
    surface.setFontSize(kNoteSize);
    double y = kBand - 1 - static_cast<double>(lines.size()) * lineHeightPoints(kNoteSize);
    for (const std::string& line : lines) {
        printAt(surface, kLeft, y, line);
        y += lineHeightPoints(kNoteSize);
    }
}

}  // namespace

CalibrationTarget calibrationTarget(CalibrationLayout layout) {
    return calibrationTarget(layout, layoutRow(layout).stock);
}

CalibrationTarget calibrationTarget(CalibrationLayout layout, const LabelStock* stock) {
    const LayoutRow& row = layoutRow(layout);
    if (layout == CalibrationLayout::Envelope || stock == nullptr) {
        return {layout,           row.name,          std::string(row.title),
                kSectionEnvelope, kEnvelopeFontSize, nullptr};
    }
    std::string title(row.title);
    if (stock != row.stock) {
        title += " on " + std::string(stock->name);
    }
    return {
        layout, row.name, title, adjustmentSection(*stock, row.job), jobFontSize(*stock, row.job),
        stock};
}

std::optional<CalibrationLayout> calibrationLayoutNamed(std::string_view name) {
    for (const LayoutRow& row : kLayouts) {
        if (row.name == name) {
            return row.layout;
        }
    }
    return std::nullopt;
}

std::vector<PaperRect> calibrationMarks(CalibrationLayout layout, const LabelStock* stock,
                                        Adjustment adjust, int envelopeSize,
                                        const std::string& deviceName) {
    if (layout != CalibrationLayout::Envelope && !hasCellLayoutFor(*stock, layoutRow(layout).job)) {
        return placedMarks(*stock, layoutRow(layout).job, adjust);
    }
    if (layout == CalibrationLayout::ListLabels) {
        return listLabelMarks(*stock, adjust, deviceName);
    }
    TextGridSurface grid(deviceName);
    drawPlan(grid, markedJob(layout, stock, envelopeSize), adjust, 1);
    return firstCharacters(grid);
}

PrintPlan calibrationPlan(CalibrationLayout layout, const LabelStock* stock, int envelopeSize) {
    const PrintPlan job = markedJob(layout, stock, envelopeSize);
    PrintPlan plan;
    plan.paper = job.paper;
    plan.stock = job.stock;
    plan.backdrop = job.backdrop;
    if (plan.backdrop.empty()) {
        plan.backdrop = {PaperRect{0, 0, paperWidthPoints(plan.paper.orientation, plan.paper.paper),
                                   paperHeightPoints(plan.paper.orientation, plan.paper.paper)}};
    }
    plan.fonts = {PrintFont{.size = kNumberSize}, PrintFont{.size = kNoteSize}};
    plan.adjustment = job.adjustment;
    plan.copies = CopyMode::Once;
    plan.draw = [layout, stock, envelopeSize](PrinterSurface& surface, Adjustment adjust) {
        const CalibrationTarget target = calibrationTarget(layout, stock);
        printGrid(surface, PaperRect{adjust.left * columnWidthPoints(target.fontSize),
                                     adjust.top * lineHeightPoints(target.fontSize), 0, 0});
        for (const PaperRect& mark :
             calibrationMarks(layout, stock, adjust, envelopeSize, surface.deviceName())) {
            printCrosshair(surface, mark);
        }
        printInstructions(surface, target, adjust);
    };
    return plan;
}

std::optional<double> parseDistance(std::string_view text) {
    static const std::regex form(
        R"(\s*([+-]?)\s*(\d+(?:\.\d*)?|\.\d+)(?:\s*/\s*(\d+))?\s*(in|inch|inches|"|mm)\s*)",
        std::regex::icase);
    std::cmatch m;
    if (!std::regex_match(text.data(), text.data() + text.size(), m, form)) {
        return std::nullopt;
    }
    double value = std::stod(m[2].str());
    if (m[3].matched) {
        const double divisor = std::stod(m[3].str());
        if (divisor == 0) {
            return std::nullopt;
        }
        value /= divisor;
    }
    std::string unit = m[4].str();
    std::transform(unit.begin(), unit.end(), unit.begin(),
                   [](unsigned char ch) { return static_cast<char>(std::tolower(ch)); });
    const double points = unit == "mm" ? value * kPointsPerMillimetre : value * kPointsPerInch;
    return m[1].str() == "-" ? -points : points;
}

Adjustment calibratedAdjustment(const CalibrationTarget& target, Adjustment current, double right,
                                double down) {
    const double size = target.fontSize;
    // Three characters hold -99 to 999.
    const auto clamp = [](long value) { return static_cast<int>(std::clamp(value, -99L, 999L)); };
    return {clamp(current.left - std::lround(right / columnWidthPoints(size))),
            clamp(current.top - std::lround(down / lineHeightPoints(size)))};
}

Adjustment calibratedAdjustment(CalibrationLayout layout, Adjustment current, double right,
                                double down) {
    return calibratedAdjustment(calibrationTarget(layout), current, right, down);
}

void storeAdjustment(const std::string& path, const CalibrationTarget& target, Adjustment current,
                     Adjustment wanted) {
    ensureSection(path, target.section);
    const auto change = [](int from, int to) {
        return from == to ? std::string() : std::to_string(to - from);
    };
    addToAdjustment(path, target.section, change(current.left, wanted.left),
                    change(current.top, wanted.top));
}

void storeAdjustment(const std::string& path, CalibrationLayout layout, Adjustment current,
                     Adjustment wanted) {
    storeAdjustment(path, calibrationTarget(layout), current, wanted);
}

}  // namespace qm
