#pragma once

// Text rules shared by every feature. Text is UTF-8, and every position, count and width
// below is in characters (code points), never bytes: for text in code page 1252's letters
// the counts are those of the one-byte-a-letter contact file. Positions passed in and
// returned are 1-based where the name says "pos".

#include <cstdint>
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

// Characters (code points) in the text.
std::size_t characterCount(std::string_view text);
// Byte offset of the character at 0-based index (the text's size when it has fewer).
std::size_t byteOffsetOf(std::string_view text, std::size_t index);
// The character at 0-based index; 0 when the text has fewer.
char32_t characterAt(std::string_view text, std::size_t index);

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

// Case of one letter: code page 1252's letters as that code page pairs them, any other
// by Unicode's simple case mapping (one letter for one, so positions stay).
char32_t upperLetter(char32_t c);
char32_t lowerLetter(char32_t c);
std::string toUpper(std::string_view text);
std::string toLower(std::string_view text);
bool containsNoCase(std::string_view haystack, std::string_view needle);
// What a letter weighs in compareNoCase: letters of code page 1252 by their lower-case byte
// there (so contact files sort as they always have), any other after all of them, by its
// lower-case code point.
std::uint32_t noCaseWeight(char32_t c);
// <0, 0, >0 like strcmp, ignoring case, letter by letter by noCaseWeight.
int compareNoCase(std::string_view a, std::string_view b);

// A value as every stored value is: each line break, tab or other control character a
// blank (a CR LF pair one blank), NUL left out.
std::string withoutControlCharacters(std::string_view text);

// The items as a sentence lists them: "a", "a and b", "a, b and c".
std::string spokenList(std::span<const std::string> items);

// Text padded with blanks or cut to exactly width characters.
std::string fitWidth(std::string_view text, std::size_t width);
// The same appended to out.
void appendFitWidth(std::string& out, std::string_view text, std::size_t width);

}  // namespace qm
