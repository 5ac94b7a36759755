#include "records/text_rules.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <limits>

#include <unicode/uchar.h>

#include "records/code_page.h"
#include "records/error.h"

namespace qm {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isContinuation(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// Code page 1252's own pairs of capital and small letters, byte for byte.
unsigned char upperByte(unsigned char c) {
    if (c >= 'a' && c <= 'z') {
        return static_cast<unsigned char>(c - 32);
    }
    if (c == 0x9A || c == 0x9C || c == 0x9E) {  // s caron, oe, z caron
        return static_cast<unsigned char>(c - 16);
    }
    if (c == 0xFF) {  // y diaeresis
        return 0x9F;
    }
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7) {
        return static_cast<unsigned char>(c - 32);
    }
    return c;
}

unsigned char lowerByte(unsigned char c) {
    if (c >= 'A' && c <= 'Z') {
        return static_cast<unsigned char>(c + 32);
    }
    if (c == 0x8A || c == 0x8C || c == 0x8E) {
        return static_cast<unsigned char>(c + 16);
    }
    if (c == 0x9F) {
        return 0xFF;
    }
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7) {
        return static_cast<unsigned char>(c + 32);
    }
    return c;
}

// The text with every letter through `map`; runs of ASCII stay bytes.
template <typename Map>
std::string mapLetters(std::string_view text, Map map) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b < 0x80) {
            out += static_cast<char>(map(b));
            ++i;
        } else {
            appendUtf8(out, map(nextUtf8(text, i)));
        }
    }
    return out;
}

// The text's first `count` characters: their bytes, and how many there were.
std::size_t cutAfter(std::string_view text, std::size_t count, std::size_t& had) {
    had = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!isContinuation(text[i])) {
            if (had == count) {
                return i;
            }
            ++had;
        }
    }
    return text.size();
}

// Length of the number at the start of text (after blanks); 0 when there is none.
std::size_t scanNumber(std::string_view text, std::size_t i, bool allowExponent) {
    const std::size_t start = i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        ++i;
    }
    std::size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0) {
        return 0;
    }
    if (allowExponent && i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            ++j;
        }
        if (j < text.size() && isDigit(text[j])) {
            while (j < text.size() && isDigit(text[j])) {
                ++j;
            }
            i = j;
        }
    }
    return i - start;
}

std::size_t skipBlanks(std::string_view text, std::size_t i = 0) {
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    return i;
}

}  // namespace

double numberValue(std::string_view text) {
    const std::size_t start = skipBlanks(text);
    const std::size_t len = scanNumber(text, start, true);
    if (len == 0) {
        return 0.0;
    }
    return std::strtod(std::string(text.substr(start, len)).c_str(), nullptr);
}

int cint(double value, bool sixteenBit) {
    const double rounded = std::nearbyint(value);  // default rounding mode: halves to even
    const double lo = sixteenBit ? -32768.0 : static_cast<double>(std::numeric_limits<int>::min());
    const double hi = sixteenBit ? 32767.0 : static_cast<double>(std::numeric_limits<int>::max());
    if (!(rounded >= lo && rounded <= hi)) {
        throwError(err::kOverflow, "Overflow");
    }
    return static_cast<int>(rounded);
}

bool isNumeric(std::string_view text) {
    std::size_t i = skipBlanks(text);
    const std::size_t len = scanNumber(text, i, true);
    if (len == 0) {
        return false;
    }
    i = skipBlanks(text, i + len);
    return i == text.size();
}

bool isWholeInRange(double value, int lo, int hi) {
    return value == std::floor(value) && value >= lo && value <= hi;
}

std::string trimLeft(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') {
        ++i;
    }
    return std::string(text.substr(i));
}

std::string trimRight(std::string_view text) {
    std::size_t n = text.size();
    while (n > 0 && text[n - 1] == ' ') {
        --n;
    }
    return std::string(text.substr(0, n));
}

std::string_view trimmedView(std::string_view text) {
    // Stored fields end in blank padding, often longer than their text: it is passed over
    // eight bytes at a time.
    constexpr std::uint64_t kEightBlanks = 0x2020202020202020ULL;
    std::size_t end = text.size();
    while (end >= sizeof kEightBlanks) {
        std::uint64_t word = 0;
        std::memcpy(&word, text.data() + end - sizeof word, sizeof word);
        if (word != kEightBlanks) {
            break;
        }
        end -= sizeof word;
    }
    while (end > 0 && text[end - 1] == ' ') {
        --end;
    }
    std::size_t first = 0;
    while (first < end && text[first] == ' ') {
        ++first;
    }
    return text.substr(first, end - first);
}

std::string trim(std::string_view text) {
    return std::string(trimmedView(text));
}

std::size_t characterCount(std::string_view text) {
    std::size_t count = 0;
    for (char c : text) {
        count += isContinuation(c) ? 0 : 1;
    }
    return count;
}

std::size_t byteOffsetOf(std::string_view text, std::size_t index) {
    std::size_t had = 0;
    return cutAfter(text, index, had);
}

char32_t characterAt(std::string_view text, std::size_t index) {
    std::size_t at = byteOffsetOf(text, index);
    return at < text.size() ? nextUtf8(text, at) : 0;
}

std::string leftOf(std::string_view text, long n) {
    if (n <= 0) {
        return {};
    }
    return std::string(text.substr(0, byteOffsetOf(text, static_cast<std::size_t>(n))));
}

std::string rightOf(std::string_view text, long n) {
    if (n <= 0) {
        return {};
    }
    const std::size_t count = characterCount(text);
    const auto kept = std::min(count, static_cast<std::size_t>(n));
    return std::string(text.substr(byteOffsetOf(text, count - kept)));
}

std::string midOf(std::string_view text, long pos, long n) {
    if (pos < 1) {
        return {};
    }
    const std::size_t start = byteOffsetOf(text, static_cast<std::size_t>(pos - 1));
    if (start == text.size()) {
        return {};
    }
    const std::string_view rest = text.substr(start);
    if (n < 0) {
        return std::string(rest);
    }
    return std::string(rest.substr(0, byteOffsetOf(rest, static_cast<std::size_t>(n))));
}

long findFrom(std::string_view text, std::string_view needle, long pos) {
    if (pos < 1) {
        pos = 1;
    }
    std::size_t had = 0;
    const std::size_t from = cutAfter(text, static_cast<std::size_t>(pos - 1), had);
    if (had < static_cast<std::size_t>(pos - 1)) {
        return 0;
    }
    const auto at = text.find(needle, from);
    return at == std::string_view::npos ? 0
                                        : static_cast<long>(characterCount(text.substr(0, at))) + 1;
}

long findFromNoCase(std::string_view text, std::string_view needle, long pos) {
    return findFrom(toLower(text), toLower(needle), pos);
}

std::string replaceAll(std::string_view text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return std::string(text);
    }
    std::string out;
    std::size_t i = 0;
    while (true) {
        const auto at = text.find(from, i);
        if (at == std::string_view::npos) {
            out.append(text.substr(i));
            return out;
        }
        out.append(text.substr(i, at - i));
        out.append(to);
        i = at + from.size();
    }
}

std::string removeAll(std::string_view text, std::string_view what) {
    return replaceAll(text, what, "");
}

char32_t upperLetter(char32_t c) {
    if (c < 0x80) {
        return upperByte(static_cast<unsigned char>(c));
    }
    const int byte = cp1252ByteOf(c);
    if (byte >= 0) {
        return cp1252ToCodePoint(upperByte(static_cast<unsigned char>(byte)));
    }
    return static_cast<char32_t>(u_toupper(static_cast<UChar32>(c)));
}

char32_t lowerLetter(char32_t c) {
    if (c < 0x80) {
        return lowerByte(static_cast<unsigned char>(c));
    }
    const int byte = cp1252ByteOf(c);
    if (byte >= 0) {
        return cp1252ToCodePoint(lowerByte(static_cast<unsigned char>(byte)));
    }
    return static_cast<char32_t>(u_tolower(static_cast<UChar32>(c)));
}

std::string toUpper(std::string_view text) {
    return mapLetters(text, upperLetter);
}

std::string toLower(std::string_view text) {
    return mapLetters(text, lowerLetter);
}

bool containsNoCase(std::string_view haystack, std::string_view needle) {
    return toLower(haystack).find(toLower(needle)) != std::string::npos;
}

std::uint32_t noCaseWeight(char32_t c) {
    const int byte = cp1252ByteOf(c);
    if (byte >= 0) {
        return lowerByte(static_cast<unsigned char>(byte));
    }
    return 0x100 + static_cast<std::uint32_t>(u_tolower(static_cast<UChar32>(c)));
}

int compareNoCase(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[j]);
        std::uint32_t wa = 0;
        std::uint32_t wb = 0;
        if (ca < 0x80 && cb < 0x80) {
            wa = lowerByte(ca);
            wb = lowerByte(cb);
            ++i;
            ++j;
        } else {
            wa = noCaseWeight(nextUtf8(a, i));
            wb = noCaseWeight(nextUtf8(b, j));
        }
        if (wa != wb) {
            return wa < wb ? -1 : 1;
        }
    }
    if (i == a.size() && j == b.size()) {
        return 0;
    }
    return i == a.size() ? -1 : 1;
}

std::string fitWidth(std::string_view text, std::size_t width) {
    std::string out;
    appendFitWidth(out, text, width);
    return out;
}

void appendFitWidth(std::string& out, std::string_view text, std::size_t width) {
    std::size_t had = 0;
    out.append(text.substr(0, cutAfter(text, width, had)));
    out.append(width - had, ' ');
}

std::string withoutControlCharacters(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0) {
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
        }
        out += (c < 0x20 || c == 0x7F) ? ' ' : text[i];
    }
    return out;
}

std::string spokenList(std::span<const std::string> items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) {
            text += i + 1 == items.size() ? " and " : ", ";
        }
        text += items[i];
    }
    return text;
}

}  // namespace qm
