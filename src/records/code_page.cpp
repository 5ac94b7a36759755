#include "records/code_page.h"

#include <array>

namespace qm {

namespace {

// Code points of bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t nextUtf8(std::string_view s, std::size_t& i) {
    const auto b0 = static_cast<unsigned char>(s[i]);
    int extra = 0;
    char32_t cp = 0;
    if (b0 < 0x80) {
        ++i;
        return b0;
    } else if ((b0 & 0xE0) == 0xC0) {
        extra = 1;
        cp = b0 & 0x1F;
    } else if ((b0 & 0xF0) == 0xE0) {
        extra = 2;
        cp = b0 & 0x0F;
    } else if ((b0 & 0xF8) == 0xF0) {
        extra = 3;
        cp = b0 & 0x07;
    } else {
        ++i;
        return 0xFFFD;
    }
    if (i + static_cast<std::size_t>(extra) >= s.size()) {
        ++i;
        return 0xFFFD;
    }
    for (int k = 1; k <= extra; ++k) {
        const auto b = static_cast<unsigned char>(s[i + k]);
        if ((b & 0xC0) != 0x80) {
            ++i;
            return 0xFFFD;
        }
        cp = (cp << 6) | (b & 0x3F);
    }
    i += static_cast<std::size_t>(extra) + 1;
    return cp;
}

bool isValidUtf8(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size()) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            ++i;
            continue;
        }
        const auto before = i;
        const char32_t cp = nextUtf8(s, i);
        if (cp == 0xFFFD && !(i - before == 3 && s.substr(before, 3) == "\xEF\xBF\xBD")) {
            return false;
        }
    }
    return true;
}

std::string validUtf8(std::string_view text) {
    if (isValidUtf8(text)) {
        return std::string(text);
    }
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        appendUtf8(out, nextUtf8(text, i));
    }
    return out;
}

char32_t cp1252ToCodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) {
        return kHigh[byte - 0x80];
    }
    return byte;
}

int cp1252ByteOf(char32_t cp) {
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
        return static_cast<int>(cp);
    }
    for (std::size_t k = 0; k < kHigh.size(); ++k) {
        if (kHigh[k] == cp) {
            return static_cast<int>(0x80 + k);
        }
    }
    return -1;
}

char codePointToCp1252(char32_t cp) {
    const int byte = cp1252ByteOf(cp);
    return byte < 0 ? '?' : static_cast<char>(byte);
}

bool codePageHolds(char32_t cp) {
    return cp1252ByteOf(cp) >= 0;
}

std::string cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendCp1252AsUtf8(out, text);
    return out;
}

void appendCp1252AsUtf8(std::string& out, std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t ascii = i;
        while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) {
            ++ascii;
        }
        out.append(text.substr(i, ascii - i));
        if (ascii < text.size()) {
            appendUtf8(out, cp1252ToCodePoint(static_cast<unsigned char>(text[ascii])));
            ++ascii;
        }
        i = ascii;
    }
}

std::string utf8ToCp1252(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    appendUtf8AsCp1252(out, text);
    return out;
}

void appendUtf8AsCp1252(std::string& out, std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t ascii = i;
        while (ascii < text.size() && static_cast<unsigned char>(text[ascii]) < 0x80) {
            ++ascii;
        }
        out.append(text.substr(i, ascii - i));
        i = ascii;
        if (i < text.size()) {
            out += codePointToCp1252(nextUtf8(text, i));
        }
    }
}

std::string textFileToUtf8(std::string_view bytes) {
    if (bytes.substr(0, 3) == "\xEF\xBB\xBF") {
        return std::string(bytes.substr(3));
    }
    const bool le = bytes.substr(0, 2) == "\xFF\xFE";
    const bool be = bytes.substr(0, 2) == "\xFE\xFF";
    if (le || be) {
        std::string out;
        out.reserve(bytes.size() / 2);
        for (std::size_t i = 2; i + 1 < bytes.size(); i += 2) {
            const auto a = static_cast<unsigned char>(bytes[i]);
            const auto b = static_cast<unsigned char>(bytes[i + 1]);
            char32_t cp = le ? (a | (b << 8)) : ((a << 8) | b);
            if (cp >= 0xD800 && cp <= 0xDBFF && i + 3 < bytes.size()) {
                const auto c = static_cast<unsigned char>(bytes[i + 2]);
                const auto d = static_cast<unsigned char>(bytes[i + 3]);
                const char32_t low = le ? (c | (d << 8)) : ((c << 8) | d);
                if (low >= 0xDC00 && low <= 0xDFFF) {
                    cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    i += 2;
                }
            }
            appendUtf8(out, cp);
        }
        return out;
    }
    if (isValidUtf8(bytes)) {
        return std::string(bytes);
    }
    return cp1252ToUtf8(bytes);
}

}  // namespace qm
