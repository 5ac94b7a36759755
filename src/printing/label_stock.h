#pragma once

// What the program prints on, as data. A label stock is one row: the sheet's physical
// geometry in points (as it comes from the box) beside the character layout its job counts
// in (columns and lines of the job's fixed-pitch font). The envelope sizes and the papers a
// layout may ask for are tables of their own. The jobs read these rows; the tests and the PDF
// checks lay printed text over the same rows.

#include <array>
#include <optional>
#include <span>
#include <string>
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

// A stock's text is laid out in one of two ways. Today's two sheets keep the character
// layout their jobs have always counted in (cells); every other stock, and either of them in
// a job it was not made for, has its text laid out from its geometry (stock_layout.h).
struct LabelStock {
    std::string_view name;     // vendor and product number: what --stock and the chooser name
    int paper = kPaperLetter;  // the sheet's page: the print dialog opens with it
    SheetGeometry sheet;
    CellLayout cells;  // none (no start columns): laid out from the geometry
    std::string_view vendor;
    std::string_view description;
    std::span<const std::string_view> equivalents;  // other product numbers of the same sheet
    bool metric = false;                            // sizes read in millimetres

    bool hasCells() const { return !cells.startColumns.empty(); }
};

// The jobs that print on a stock, each with a parameter-file section of its own per stock.
enum class StockJob { Labels, ListLabels, ReturnLabels };

// The lines a label of the job must hold: five for an address, three for a return address.
constexpr int stockJobLines(StockJob job) {
    return job == StockJob::ReturnLabels ? 3 : 5;
}

// Whether the job counts in the stock's character layout (today's two sheets in the jobs they
// were made for, and a stock of counted lines made like them), or lays its text out from the
// stock's geometry.
bool hasCellLayoutFor(const LabelStock& stock, StockJob job);

// The section that moves a job on a stock: today's ONTHEFLY, BULKLIST and RETLABEL for the
// jobs on the sheets they were made for; for any other pair a name of eight characters of its
// own (the job's letter and seven hex digits of the stock's name), which versions that know
// only those three pass over.
std::string adjustmentSection(const LabelStock& stock, StockJob job);

// The size of one label as its maker gives it: "2 5/8 x 1 in", "63.5 x 38.1 mm".
std::string labelSizeText(const LabelStock& stock);

namespace stock_rows {
// The 30-up rows are not evenly pitched in lines (7, 6, 7, ...), which keeps them on the
// sheet's inch pitch.
inline constexpr std::array<int, 3> kAddressColumns = {2, 35, 68};
inline constexpr std::array<int, 10> kAddressTopLines = {3, 10, 16, 23, 30, 36, 43, 50, 56, 63};
// The rows are anchored: whole lines of 8 points cannot keep the stock's half-inch pitch.
inline constexpr std::array<int, 4> kReturnColumns = {3, 34, 65, 96};

using Numbers = std::string_view;
inline constexpr std::array<Numbers, 30> k5160 = {
    "8160", "5260", "5510", "5520", "5560", "5810", "5920",  "5960",  "5970",  "5971",
    "5972", "5979", "5980", "6231", "6233", "6245", "6460",  "6498",  "8250",  "8460",
    "8560", "8620", "8660", "8810", "8920", "8930", "15160", "18160", "18660", "25160"};
inline constexpr std::array<Numbers, 5> k5161 = {"8161", "5261", "5961", "8461", "18161"};
inline constexpr std::array<Numbers, 14> k5162 = {"8162", "5262",  "5512",  "5522", "5922",
                                                  "5962", "8252",  "8462",  "8662", "8922",
                                                  "8932", "15162", "18162", "18662"};
inline constexpr std::array<Numbers, 16> k5163 = {"8163", "5263",  "5513",  "5523", "5795", "5923",
                                                  "5963", "5978",  "8253",  "8463", "8663", "8763",
                                                  "8923", "15163", "18163", "18663"};
inline constexpr std::array<Numbers, 8> k5164 = {"8164", "5264", "5514", "5524",
                                                 "6464", "6499", "8254", "8464"};
inline constexpr std::array<Numbers, 13> k5167 = {"8167",  "18167", "5267", "5667", "5927",
                                                  "6467",  "6504",  "8567", "8667", "8927",
                                                  "15167", "15267", "18667"};
inline constexpr std::array<Numbers, 2> kL7160 = {"J8160", "7160"};
inline constexpr std::array<Numbers, 2> kL7161 = {"J8161", "7161"};
inline constexpr std::array<Numbers, 2> kL7162 = {"J8162", "7162"};
inline constexpr std::array<Numbers, 2> kL7163 = {"J8163", "7163"};
inline constexpr std::array<Numbers, 2> kL7164 = {"J8164", "7164"};
inline constexpr std::array<Numbers, 2> kL7165 = {"J8165", "7165"};
inline constexpr std::array<Numbers, 2> kL7169 = {"J8169", "7169"};

// A US sheet in inches: label size, label 1's corner, pitch across and down, labels.
constexpr SheetGeometry letterSheet(double width, double height, double left, double top,
                                    double pitchX, double pitchY, int across, int down) {
    return {kLetterPaper.width,
            kLetterPaper.height,
            left * kPointsPerInch,
            top * kPointsPerInch,
            pitchX * kPointsPerInch,
            pitchY * kPointsPerInch,
            width * kPointsPerInch,
            height * kPointsPerInch,
            across,
            down};
}
// An A4 sheet in millimetres, the same order.
constexpr SheetGeometry a4Sheet(double width, double height, double left, double top, double pitchX,
                                double pitchY, int across, int down) {
    constexpr double mm = kPointsPerMillimetre;
    return {kA4Paper.width, kA4Paper.height, left * mm,   top * mm, pitchX * mm,
            pitchY * mm,    width * mm,      height * mm, across,   down};
}
constexpr LabelStock usStock(std::string_view name, std::string_view description,
                             SheetGeometry sheet, std::span<const Numbers> equivalents) {
    return {.name = name,
            .paper = kPaperLetter,
            .sheet = sheet,
            .cells = {},
            .vendor = "Avery",
            .description = description,
            .equivalents = equivalents};
}
constexpr LabelStock a4Stock(std::string_view name, std::string_view description,
                             SheetGeometry sheet, std::span<const Numbers> equivalents) {
    return {.name = name,
            .paper = kPaperA4,
            .sheet = sheet,
            .cells = {},
            .vendor = "Avery",
            .description = description,
            .equivalents = equivalents,
            .metric = true};
}
}  // namespace stock_rows

// The built-in stocks, one row each, in the makers' published sizes. The first two are
// today's sheets with the character layouts their jobs count in: the typed-line labels
// place each label by going back to the top of the page, printing one line and counting its
// row's top lines down; the return-address sheet is printed row after row.
inline constexpr std::array kLabelStocks = {
    LabelStock{.name = "Avery 5160",
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
                         .listedPrinterShift = 1},
               .vendor = "Avery",
               .description = "Address labels, 30 a sheet",
               .equivalents = stock_rows::k5160},
    LabelStock{.name = "Avery 5167",
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
                         .listedPrinterShift = 0},
               .vendor = "Avery",
               .description = "Return-address labels, 80 a sheet",
               .equivalents = stock_rows::k5167},
    stock_rows::usStock("Avery 5161", "Address labels, 20 a sheet",
                        stock_rows::letterSheet(4, 1, 0.15625, 0.5, 4.1875, 1, 2, 10),
                        stock_rows::k5161),
    stock_rows::usStock(
        "Avery 5162", "Address labels, 14 a sheet",
        stock_rows::letterSheet(4, 4.0 / 3, 0.15625, 5.0 / 6, 4.1875, 4.0 / 3, 2, 7),
        stock_rows::k5162),
    stock_rows::usStock("Avery 5163", "Shipping labels, 10 a sheet",
                        stock_rows::letterSheet(4, 2, 0.15625, 0.5, 4.1875, 2, 2, 5),
                        stock_rows::k5163),
    stock_rows::usStock("Avery 5164", "Shipping labels, 6 a sheet",
                        stock_rows::letterSheet(4, 10.0 / 3, 0.15625, 0.5, 4.1875, 10.0 / 3, 2, 3),
                        stock_rows::k5164),
    stock_rows::a4Stock("Avery L7160", "Address labels, 21 a sheet",
                        stock_rows::a4Sheet(63.5, 38.1, 7.21, 15.15, 66.04, 38.1, 3, 7),
                        stock_rows::kL7160),
    stock_rows::a4Stock("Avery L7161", "Address labels, 18 a sheet",
                        stock_rows::a4Sheet(63.5, 46.6, 7.21, 8.7, 66.04, 46.6, 3, 6),
                        stock_rows::kL7161),
    stock_rows::a4Stock("Avery L7162", "Address labels, 16 a sheet",
                        stock_rows::a4Sheet(99.1, 33.9, 4.65, 12.9, 101.6, 33.9, 2, 8),
                        stock_rows::kL7162),
    stock_rows::a4Stock("Avery L7163", "Address labels, 14 a sheet",
                        stock_rows::a4Sheet(99.1, 38.1, 4.65, 15.15, 101.6, 38.1, 2, 7),
                        stock_rows::kL7163),
    stock_rows::a4Stock("Avery L7164", "Address labels, 12 a sheet",
                        stock_rows::a4Sheet(63.5, 72, 7.21, 4.5, 66.04, 72, 3, 4),
                        stock_rows::kL7164),
    stock_rows::a4Stock("Avery L7165", "Parcel labels, 8 a sheet",
                        stock_rows::a4Sheet(99.1, 67.7, 4.65, 13.1, 101.6, 67.7, 2, 4),
                        stock_rows::kL7165),
    stock_rows::a4Stock("Avery L7169", "Parcel labels, 4 a sheet",
                        stock_rows::a4Sheet(99.1, 139, 4.65, 9.5, 101.6, 139, 2, 2),
                        stock_rows::kL7169),
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

// One row per envelope size, in the order of the size list (size numbers from 1; the sizes
// added after the custom one keep the numbers before it as they were). The
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
    // The sizes of A4 countries: the address a little left of the middle and below it, as
    // on the number-10 envelope, whichever way the size is chosen (lines counted down a
    // landscape letter page, as every slot is).
    envelopeRow("DL envelope (110 mm x 220 mm)", kEnvelopeDLPaper, {35, 32}, {35, 32}),
    envelopeRow("C5 envelope (162 mm x 229 mm)", kEnvelopeC5Paper, {36, 26}, {36, 26}),
    envelopeRow("C6 envelope (114 mm x 162 mm)", kEnvelopeC6Paper, {24, 32}, {24, 32}),
    envelopeRow("C4 envelope (229 mm x 324 mm)", kEnvelopeC4Paper, {52, 20}, {52, 20}),
};
inline constexpr int kEnvelopeSizes = static_cast<int>(kEnvelopes.size());
// Envelope addresses are centered like the 30-up labels.
inline constexpr int kEnvelopeCenterHalfWidth = 15;

// The row of a size number 1..kEnvelopeSizes; other numbers name no size.
const EnvelopeSize* envelopeSize(int size);

}  // namespace qm
