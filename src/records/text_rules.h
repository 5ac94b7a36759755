#pragma once

// Text rules shared by every feature. Text is code page 1252: one byte is one character,
// so every position and width below is a byte index. Positions passed in and returned are
// 1-based where the name says "pos".

#include <span>
#include <string>
#include <string_view>

namespace qm {

// Leading decimal number of a text: optional leading blanks, sign, digits, fraction.
// 0 when the text has no leading number.
double numberValue(std::string_view text);

// Whole-number conversion, halves to the even neighbour. Throws kOverflow outside 16 bits
// when `sixteenBit`, outside 32 bits otherwise.
int cint(double value, bool sixteenBit = false);

// Whether the whole text (blanks around allowed) reads as one number.
bool isNumeric(std::string_view text);

// Whether the number value is a whole number from lo to hi.
bool isWholeInRange(double value, int lo, int hi);

std::string trim(std::string_view text);
// The same without a copy: a view into text.
std::string_view trimmedView(std::string_view text);
std::string trimLeft(std::string_view text);
std::string trimRight(std::string_view text);

// First / last n characters (all of the text when shorter; none for n <= 0).
std::string leftOf(std::string_view text, long n);
std::string rightOf(std::string_view text, long n);
// n characters from 1-based position pos (to the end when n < 0).
std::string midOf(std::string_view text, long pos, long n = -1);

// 1-based position of needle in text at or after pos; 0 when not found.
long findFrom(std::string_view text, std::string_view needle, long pos = 1);
long findFromNoCase(std::string_view text, std::string_view needle, long pos = 1);

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to);
std::string removeAll(std::string_view text, std::string_view what);

// Code page 1252 case folding (ASCII and the accented letters).
char upperChar(char c);
char lowerChar(char c);
std::string toUpper(std::string_view text);
std::string toLower(std::string_view text);
bool containsNoCase(std::string_view haystack, std::string_view needle);
// <0, 0, >0 like strcmp, ignoring case.
int compareNoCase(std::string_view a, std::string_view b);

// A value as every stored value is: each line break, tab or other control character a
// blank (a CR LF pair one blank), NUL left out.
std::string withoutControlCharacters(std::string_view text);

// The items as a sentence lists them: "a", "a and b", "a, b and c".
std::string spokenList(std::span<const std::string> items);

// Text padded with blanks or cut to exactly width characters.
std::string fitWidth(std::string_view text, std::size_t width);

}  // namespace qm
