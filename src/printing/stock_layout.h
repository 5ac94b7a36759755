#pragma once

// The text of a label laid out from its stock's geometry, for every stock without a
// character layout of its own for the job: a print size chosen from the label's height and
// the lines it must hold, the lines centred in the label's height, a margin inside its edges.
// Positions are points of the paper model (the PDF file's), as the stock's geometry is.

#include <span>
#include <string>
#include <vector>

#include "printing/label_stock.h"
#include "records/parameter_file.h"
#include "surface/printer_surface.h"

namespace qm {

inline constexpr double kSmallestPrintSize = 7;
inline constexpr double kLargestPrintSize = 12;

struct StockTextLayout {
    double fontSize = 10.0;
    double margin = 0.0;  // inside the label's left and right edges
    int lines = 0;        // the lines a label must hold
};

// The layout of a label of the sheet that must hold that many lines: the largest print size
// (in half points, 7 to 12) whose lines fit the label's height with a little room above and
// below.
StockTextLayout stockTextLayout(const SheetGeometry& sheet, int lines);

// Where a position 1..labels lies on the sheet, left to right, then top to bottom.
LabelCell cellOfPosition(const SheetGeometry& sheet, int position);

// A line of a label as it goes onto the paper: its left edge and top in points, and its text
// (set smaller, or cut at the label's edge and marked so, where it must be).
struct PlacedLine {
    double x = 0.0;
    double y = 0.0;
    PrintItem text;
};

// One label's lines as they go onto the paper, and whether any of its text was left out.
struct PlacedLabel {
    std::vector<PlacedLine> lines;
    bool cut = false;
};

// One label's lines on the stock: trailing empty lines are not counted, and where the label
// cannot hold all of them the empty ones go first and then the last ones (the label counts
// as cut); the rest are set to fit as every label's lines are (smaller, wrapped onto free
// lines, only then cut) and centred in the label's height, clear of the paper's unprintable
// bottom, each at the margin or centred on the label, moved by the adjustment (columns and
// lines of the layout's print size).
PlacedLabel placeLabelLines(const LabelStock& stock, LabelCell cell, const StockTextLayout& layout,
                            std::span<const std::string> lines, bool centered, Adjustment adjust);

// Prints them, each at its place, and notes the label as cut (under that number and name)
// when it is; the surface is in the layout's print size.
void printPlacedLabel(PrinterSurface& surface, const PlacedLabel& label, const CutLabel& note);

}  // namespace qm
