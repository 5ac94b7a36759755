#pragma once

// The core's text is UTF-8. Code page 1252 is the byte encoding of the contact file, the
// parameter file and the exports of a contact file: these convert at those edges.

#include <string>
#include <string_view>

namespace qm {

// How the letters of a text are written into a file.
enum class TextEncoding { CodePage1252, Utf8 };

// Unicode code point of a code page 1252 byte (the five unassigned bytes map to themselves).
char32_t cp1252ToCodePoint(unsigned char byte);
// Code page 1252 byte of a code point; -1 when the code page cannot hold it.
int cp1252ByteOf(char32_t cp);
// Code page 1252 byte of a code point; '?' when the code page cannot hold it.
char codePointToCp1252(char32_t cp);
bool codePageHolds(char32_t cp);

// The code point of the UTF-8 sequence at i (U+FFFD for a bad one); i moves past it.
char32_t nextUtf8(std::string_view text, std::size_t& i);
void appendUtf8(std::string& out, char32_t cp);
bool isValidUtf8(std::string_view text);
// The text with each invalid UTF-8 sequence replaced by U+FFFD.
std::string validUtf8(std::string_view text);

std::string cp1252ToUtf8(std::string_view text);
// The same appended to out; runs of ASCII go across whole.
void appendCp1252AsUtf8(std::string& out, std::string_view text);
// Invalid UTF-8 sequences and what the code page cannot hold become '?'.
std::string utf8ToCp1252(std::string_view text);
// The same appended to out.
void appendUtf8AsCp1252(std::string& out, std::string_view text);

// Bytes of a text file in any encoding an import may meet, as UTF-8: UTF-8 with or without
// byte-order mark (a file that is valid UTF-8 is UTF-8), UTF-16 with a byte-order mark;
// anything else is code page 1252.
std::string textFileToUtf8(std::string_view bytes);

}  // namespace qm
