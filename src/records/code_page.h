#pragma once

// Code page 1252 is the program's byte encoding: the contact file, the parameter file and
// the export files hold it, and the core works on it. These convert at the edges.

#include <string>
#include <string_view>

namespace qm {

// Unicode code point of a code page 1252 byte (the five unassigned bytes map to themselves).
char32_t cp1252ToCodePoint(unsigned char byte);
// Code page 1252 byte of a code point; '?' when the code page cannot hold it.
char codePointToCp1252(char32_t cp);

std::string cp1252ToUtf8(std::string_view text);
// Invalid UTF-8 sequences become '?'.
std::string utf8ToCp1252(std::string_view text);
std::string utf16ToCp1252(std::u16string_view text);
std::u16string cp1252ToUtf16(std::string_view text);

// Bytes of a text file in any encoding an import may meet, as code page 1252: UTF-8 with or
// without byte-order mark, UTF-16 with a byte-order mark; anything else is taken as it is.
std::string decodeTextFile(std::string_view bytes);

}  // namespace qm
