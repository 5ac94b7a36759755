#pragma once

// Rules several layouts share.

#include <array>
#include <string>
#include <string_view>

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

// Text of a label line that has room characters left on its label: cut at the label's edge
// when longer, and marked as cut.
PrintItem labelText(const std::string& text, int room);

// The five typed lines of a label or an envelope: each at Tab(left), centered on halfWidth
// when asked; an empty line still takes its text line. On a label, room is the characters
// from the start column to the label's edge, where a line is cut; an envelope (room 0)
// keeps its lines whole.
void printAddressLines(PrinterSurface& surface, const std::array<std::string, 5>& lines, int left,
                       bool centered, int halfWidth, int room = 0);

}  // namespace qm
