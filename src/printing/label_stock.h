#pragma once

// What the program prints on, as data. A label stock is one row: the sheet's physical
// geometry in points (as it comes from the box) beside the character layout its job counts
// in (columns and lines of the job's fixed-pitch font). The envelope sizes and the papers a
// layout may ask for are tables of their own. The jobs read these rows; the tests and the PDF
// checks lay printed text over the same rows.

#include <array>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "surface/paper_sizes.h"
#include "surface/print_plan.h"

namespace qm {

// Row and column of a label on its sheet, both from 0.
struct LabelCell {
    int row = 0;
    int column = 0;
    bool operator==(const LabelCell&) const = default;
};

// A sheet of labels: the page, label 1's top-left corner, the pitch from one label to the
// next across and down, and the size of one label, all in points; labels across and down.
struct SheetGeometry {
    double pageWidth = 0.0;
    double pageHeight = 0.0;
    double firstLeft = 0.0;
    double firstTop = 0.0;
    double pitchX = 0.0;
    double pitchY = 0.0;
    double labelWidth = 0.0;
    double labelHeight = 0.0;
    int across = 0;
    int down = 0;

    constexpr int labels() const { return across * down; }
    PaperRect label(LabelCell cell) const;
    // The label under a point of the paper; nothing in a gap or off the sheet.
    std::optional<LabelCell> labelAt(double x, double y) const;
};

// Where a job puts its text on a sheet, in character cells of the job's font: the text of
// label column c starts at character column startColumns[c]; the first text line of label
// row r follows leadLines + topLines[r] empty lines counted from the top of the page, or,
// for a stock without top lines, is anchored on its label: the label's lines centered in
// the label's height, whatever the line height adds up to over the rows.
struct CellLayout {
    double fontSize = 10.0;
    std::span<const int> startColumns;  // one per column of labels
    std::span<const int> topLines;      // one per row of labels, or none: rows anchored
    int leadLines = 0;
    int linesPerLabel = 0;
    int centerHalfWidth = 0;     // a centered line gets CInt(half - length / 2) blanks
    int listedPrinterShift = 0;  // columns further right on a listed printer
};

struct LabelStock {
    std::string_view name;
    int paper = kPaperLetter;  // the sheet's page: the print dialog opens with it
    SheetGeometry sheet;
    CellLayout cells;
};

namespace stock_rows {
// The 30-up rows are not evenly pitched in lines (7, 6, 7, ...), which keeps them on the
// sheet's inch pitch.
inline constexpr std::array<int, 3> kAddressColumns = {2, 35, 68};
inline constexpr std::array<int, 10> kAddressTopLines = {3, 10, 16, 23, 30, 36, 43, 50, 56, 63};
// The rows are anchored: whole lines of 8 points cannot keep the stock's half-inch pitch.
inline constexpr std::array<int, 4> kReturnColumns = {3, 34, 65, 96};
}  // namespace stock_rows

// One row per stock. The typed-line labels place each label by going back to the top of the
// page, printing one line and counting its row's top lines down; the return-address sheet is
// printed row after row.
inline constexpr std::array kLabelStocks = {
    LabelStock{.name = "30-up address labels, 2 5/8 x 1 inch (Avery 5160 / 8160)",
               .paper = kPaperLetter,
               .sheet = {.pageWidth = kLetterPaper.width,
                         .pageHeight = kLetterPaper.height,
                         .firstLeft = 11.25,
                         .firstTop = 36,
                         .pitchX = 200.25,
                         .pitchY = 72,
                         .labelWidth = 189,
                         .labelHeight = 72,
                         .across = 3,
                         .down = 10},
               .cells = {.fontSize = 10,
                         .startColumns = stock_rows::kAddressColumns,
                         .topLines = stock_rows::kAddressTopLines,
                         .leadLines = 1,
                         .linesPerLabel = 5,
                         .centerHalfWidth = 15,
                         .listedPrinterShift = 1}},
    LabelStock{.name = "80-up return-address labels, 1 3/4 x 1/2 inch (Avery 5167)",
               .paper = kPaperLetter,
               .sheet = {.pageWidth = kLetterPaper.width,
                         .pageHeight = kLetterPaper.height,
                         .firstLeft = 20.25,
                         .firstTop = 36,
                         .pitchX = 148.5,
                         .pitchY = 36,
                         .labelWidth = 126,
                         .labelHeight = 36,
                         .across = 4,
                         .down = 20},
               .cells = {.fontSize = 8,
                         .startColumns = stock_rows::kReturnColumns,
                         .topLines = {},
                         .leadLines = 0,
                         .linesPerLabel = 3,
                         .centerHalfWidth = 12,
                         .listedPrinterShift = 0}},
};
inline constexpr const LabelStock& kAddressSheet = kLabelStocks[0];
inline constexpr const LabelStock& kReturnAddressSheet = kLabelStocks[1];

// The top of row r's first text line, in points from the top of the printable area, in the
// stock's own font.
double firstLineTop(const LabelStock& stock, int row);
// The width in points from the start of a character column of a font size (startColumn, by
// default the layout's own for label column c) to the right edge of a label of column c,
// and the whole characters of that size it holds.
double labelLinePoints(const LabelStock& stock, int column, double fontSize, int startColumn = 0);
int labelLineColumns(const LabelStock& stock, int column, double fontSize, int startColumn = 0);
// The outline of every label of the sheet.
std::vector<PaperRect> labelOutlines(const LabelStock& stock);
// The start of a plan that prints on the stock: the stock's paper in the orientation, the
// labels' outlines behind the text on screen, and the parameter-file section that moves it.
PrintPlan stockPlan(const LabelStock& stock, int orientation, std::string_view adjustment);

// Labels for listed contacts, in a layout of their own on the 30-up sheet. Three labels a row
// from the left column in steps of columnPitch; each row takes rowTextLines lines of
// textSize (a row of fewer text lines is made up by one line of fillSize) and a gap of
// gapLines of gapSize; every sheet starts with topLines empty lines. A label may take up to
// mostTextLines lines when a long line wraps: its row's gap then gives up their height.
struct ListLabelLayout {
    int leftColumn;
    int shiftedLeftColumn;  // on the printers of the list labels' own model list
    int columnPitch;
    int topLines;
    double textSize;
    int rowTextLines;
    double fillSize;
    int gapLines;
    double gapSize;
    int mostTextLines;
};
inline constexpr ListLabelLayout kListLabels{.leftColumn = 2,
                                             .shiftedLeftColumn = 4,
                                             .columnPitch = 33,
                                             .topLines = 4,
                                             .textSize = 10,
                                             .rowTextLines = 4,
                                             .fillSize = 11,
                                             .gapLines = 3,
                                             .gapSize = 9,
                                             .mostTextLines = 5};

// The list labels' layout on a stock: the 30-up sheet's is kListLabels; another stock has
// none yet (throws QmError).
const ListLabelLayout& listLabelLayout(const LabelStock& stock);

// Column of the left list label: the layout's left column, or its shifted one on the
// printers of the list labels' model list, plus the left adjustment.
int listLabelLeftColumn(const ListLabelLayout& layout, std::string_view deviceName,
                        int leftAdjustment);

// Start column and empty lines above an envelope's address, before adjustment.
using EnvelopeSlot = TextSlot;

// One row per envelope size, in the order of the size list (size numbers from 1). The
// physical size is portrait, short side first, in points; the custom size has none. The
// address's slot comes from one of two columns: a size picked in the list, or the Envelope
// option chosen again with a size already picked.
// The custom size has no paper of its own: it prints on the letter page the slots count on.
struct EnvelopeSize {
    std::string_view itemText;
    double width = 0.0;
    double height = 0.0;
    EnvelopeSlot picked;
    EnvelopeSlot reselected;
    int paper = kPaperLetter;  // the page the job sets
    constexpr bool hasPhysicalSize() const { return width > 0 && height > 0; }
};

constexpr EnvelopeSize envelopeRow(std::string_view text, const PaperSize& paper,
                                   EnvelopeSlot picked, EnvelopeSlot reselected) {
    return {text, paper.width, paper.height, picked, reselected, paper.code};
}

inline constexpr std::array kEnvelopes = {
    envelopeRow("#10 Standard Business envelope (4 1/8 in x 9 1/2 in)", kEnvelope10Paper, {38, 33},
                {38, 33}),
    envelopeRow("#6 3/4 Small envelope (3 5/8 in x 6 1/2 in)", kEnvelope634Paper, {23, 32},
                {28, 39}),
    envelopeRow("#A2 Invitation envelope (4 3/8 in x 5 3/4 in)", kEnvelopeA2Paper, {20, 32},
                {24, 37}),
    envelopeRow("#A7 Announcement envelope (5 1/4 in x 7 1/4 in)", kEnvelopeA7Paper, {28, 30},
                {34, 36}),
    envelopeRow("#A8 Std Greeting Card envelope (5.5 in x 8 1/8 in)", kEnvelopeA8Paper, {30, 30},
                {36, 36}),
    envelopeRow("#A10 Lrg Greeting Card envelope (6 in x 9 1/2 in)", kEnvelopeA10Paper, {36, 25},
                {44, 30}),
    EnvelopeSize{"Custom (edit Left and Top margin boxes)", 0, 0, {30, 30}, {36, 36}},
};
inline constexpr int kEnvelopeSizes = static_cast<int>(kEnvelopes.size());
// Envelope addresses are centered like the 30-up labels.
inline constexpr int kEnvelopeCenterHalfWidth = 15;

// The row of a size number 1..7; other numbers name no size.
const EnvelopeSize* envelopeSize(int size);

}  // namespace qm
