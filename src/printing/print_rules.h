#pragma once

// Rules several layouts share.

#include <string>
#include <string_view>

namespace qm {

// Printers whose device name contains one of a few model strings get small corrections on
// label sheets and envelopes.
bool isListedPrinter(std::string_view deviceName);

// Blanks that center a line: CInt(half - length / 2), none when below 1. Labels of the
// 30-up sheet and envelopes use half = 15, return-address labels half = 12.
int centeringBlanks(int half, std::size_t length);

}  // namespace qm
