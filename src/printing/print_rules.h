#pragma once

// Rules several layouts share.

#include <array>
#include <string>
#include <string_view>

#include "surface/printer_surface.h"

namespace qm {

// Printers whose device name contains one of a few model strings get small corrections on
// label sheets and envelopes.
bool isListedPrinter(std::string_view deviceName);

// Blanks that center a line: CInt(half - length / 2), none when below 1. Labels of the
// 30-up sheet and envelopes use half = 15, return-address labels half = 12.
int centeringBlanks(int half, std::size_t length);

// The five typed lines of a label or an envelope: each at Tab(left), centered on
// kAddressHalfWidth when asked; an empty line still takes its text line.
inline constexpr int kAddressHalfWidth = 15;
void printAddressLines(PrinterSurface& surface, const std::array<std::string, 5>& lines, int left,
                       bool centered);

}  // namespace qm
