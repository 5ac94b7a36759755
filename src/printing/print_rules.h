#pragma once

// Rules several layouts share.

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "surface/printer_surface.h"

namespace qm {

// Printer models (a case-sensitive part of the device name) that get small placement
// corrections. The typed-line labels and envelopes and the labels for listed contacts each
// have a list of their own: one column each.
struct ListedPrinterModel {
    std::string_view model;
    bool typedLines;  // labels and envelopes of the typed lines
    bool listLabels;  // labels for listed contacts
};
inline constexpr std::array kListedPrinterModels = {
    ListedPrinterModel{"HP DeskJet 640C/642C/648C", true, false},
    ListedPrinterModel{"Officejet Pro", true, true},
    ListedPrinterModel{"ENVY", true, true},
    ListedPrinterModel{"Photosmart", false, true},
};
enum class PrinterList { TypedLines, ListLabels };

bool isListedPrinter(std::string_view deviceName, PrinterList list = PrinterList::TypedLines);

// Blanks that center a line of `length` characters: CInt(half - length / 2), none when
// below 1. Each stock and the envelopes give their half width.
int centeringBlanks(int half, std::size_t length);

// Fit before cut: the room of a label's lines and how each line is set in it.
inline constexpr double kSmallestFitSize = 7.0;
inline constexpr double kFitSizeStep = 0.5;

// The room a label (or an envelope's address area) gives each of its lines: the width in
// points from the lines' start column to its edge, in the size the lines are printed in;
// centered lines get CInt(centerHalf - length / 2) blanks first.
struct LineRoom {
    double points = 0.0;
    double size = 10.0;
    bool centered = false;
    int centerHalf = 0;
    // Whole columns of the size that fit (a hair of slack: a column ending on the edge fits).
    int columns() const;
};

// A line as it is printed: its centering blanks, its text and the size it is set in (0: the
// font's own), whole or cut.
struct SetLine {
    int blanks = 0;
    std::string text;
    double size = 0.0;
    bool cut = false;
    bool operator==(const SetLine&) const = default;
};

// The characters a line counts for its room and its centering, and its first characters:
// every count of the fitting goes through these two, so they are the ones that learn an
// encoding of more than a byte a character.
std::size_t lineLength(std::string_view text);
std::string_view lineStart(std::string_view text, std::size_t characters);

// A label's lines set in their room, each line as it fits:
// - a line that fits (with its centering blanks) prints as it is;
// - one longer than its room is set in the largest smaller size of the same face, in steps of
//   half a point down to 7 pt, that holds it whole (a centered line first gives up blanks);
// - one that not even 7 pt holds wraps at blanks onto free lines of the label, in the largest
//   size that holds each part: the lines after it move down into the empty lines at the
//   label's end, or into lines the label has beyond the given ones, up to capacity;
// - only a line that can do neither is cut, at 7 pt, and marked.
// The result has as many lines as given, more where a wrap took lines beyond them.
std::vector<SetLine> setLabelLines(std::span<const std::string> lines, const LineRoom& room,
                                   std::size_t capacity);
bool anyCut(std::span<const SetLine> lines);

// The items of a set line at its column: Tab(column), its blanks (Spc, when centered: a
// centered line always has one), its text in its size.
void appendSetLine(std::vector<PrintItem>& items, int column, const SetLine& line, bool centered);

// The five typed lines of a label or an envelope, set in their room and each printed at
// Tab(left) on a line of its own; an empty line still takes its text line. Returns whether
// any line had to be cut.
bool printAddressLines(PrinterSurface& surface, const std::array<std::string, 5>& lines, int left,
                       const LineRoom& room);

}  // namespace qm
