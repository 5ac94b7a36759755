#include "records/code_page_fold.h"

#include <unicode/normalizer2.h>
#include <unicode/translit.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utf16.h>

#include <algorithm>
#include <memory>

#include "records/code_page.h"
#include "records/error.h"

namespace qm {

namespace {

// Only the characters outside the code page are touched; Cyrillic goes by the common
// English romanisation (Юрий -> Yuriy), every other script by ICU's general one, and what
// is left with marks the code page lacks loses them.
constexpr const char* kFoldId =
    "[^\\u0000-\\u007F\\u00A0-\\u00FF\\u20AC\\u201A\\u0192\\u201E\\u2026\\u2020\\u2021"
    "\\u02C6\\u2030\\u0160\\u2039\\u0152\\u017D\\u2018\\u2019\\u201C\\u201D\\u2022\\u2013"
    "\\u2014\\u02DC\\u2122\\u0161\\u203A\\u0153\\u017E\\u0178\\u0081\\u008D\\u008F\\u0090"
    "\\u009D];"
    "[:Cyrillic:]Russian-Latin/BGN;Any-Latin;NFC;Latin-ASCII";

const icu::Transliterator& folder() {
    static const std::unique_ptr<icu::Transliterator> instance = [] {
        UErrorCode status = U_ZERO_ERROR;
        UParseError parse;
        std::unique_ptr<icu::Transliterator> t(icu::Transliterator::createInstance(
            icu::UnicodeString(kFoldId, -1, US_INV), UTRANS_FORWARD, parse, status));
        if (U_FAILURE(status) || !t) {
            throwError(err::kInvalidCall,
                       std::string("Letter transliteration unavailable: ") + u_errorName(status));
        }
        return t;
    }();
    return *instance;
}

bool allInCodePage(std::string_view utf8) {
    std::size_t i = 0;
    while (i < utf8.size()) {
        if (static_cast<unsigned char>(utf8[i]) < 0x80) {
            ++i;
            continue;
        }
        if (!codePageHolds(nextUtf8(utf8, i))) {
            return false;
        }
    }
    return true;
}

// Hungarian's double acute is nearest to the diaeresis the code page has.
void doubleAcuteToDiaeresis(icu::UnicodeString& text) {
    static constexpr char16_t kPairs[][2] = {
        {0x0151, 0x00F6}, {0x0150, 0x00D6}, {0x0171, 0x00FC}, {0x0170, 0x00DC}};
    for (const auto& [from, to] : kPairs) {
        text.findAndReplace(icu::UnicodeString(from), icu::UnicodeString(to));
    }
}

// The transliterator rewrites its text in place, each replacement moving the rest of it, so a
// long value is folded a piece at a time: pieces of about this many UTF-16 units, each ended
// at a blank where one is near (no rule looks across a blank), else before a letter that
// carries no mark of the one before.
constexpr std::int32_t kPieceUnits = 256;

std::int32_t pieceEnd(const icu::UnicodeString& text, std::int32_t start) {
    const std::int32_t length = text.length();
    if (length - start <= kPieceUnits) {
        return length;
    }
    std::int32_t end = start + kPieceUnits;
    for (std::int32_t i = end; i > start + kPieceUnits / 2; --i) {
        if (text.charAt(i - 1) == u' ') {
            return i;
        }
    }
    while (end > start + 1 &&
           (U16_IS_TRAIL(text.charAt(end)) || u_getCombiningClass(text.char32At(end)) != 0)) {
        --end;
    }
    return end;
}

// Appends the letters of `piece` the code page holds, folded as near as it can; returns
// how many it appended.
std::size_t appendFolded(icu::UnicodeString piece, std::string& out) {
    doubleAcuteToDiaeresis(piece);
    folder().transliterate(piece);
    std::string folded;
    piece.toUTF8String(folded);
    std::size_t appended = 0;
    std::size_t i = 0;
    while (i < folded.size()) {
        const std::size_t start = i;
        if (codePageHolds(nextUtf8(folded, i))) {
            out.append(folded, start, i - start);
            ++appended;
        }
    }
    return appended;
}

}  // namespace

FoldedText foldToCodePage(std::string_view utf8, std::size_t enough) {
    if (std::all_of(utf8.begin(), utf8.end(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        return {std::string(utf8), false};
    }
    if (allInCodePage(utf8)) {
        return {std::string(utf8), false};
    }
    // Letters written as a base and a combining mark (as some systems store them) are
    // letters the code page holds.
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(
        icu::StringPiece(utf8.data(), static_cast<std::int32_t>(utf8.size())));
    if (nfc != nullptr && U_SUCCESS(status)) {
        text = nfc->normalize(text, status);
    }
    std::string composed;
    text.toUTF8String(composed);
    if (allInCodePage(composed)) {
        return {std::move(composed), false};
    }
    FoldedText out{{}, true};
    std::size_t had = 0;
    for (std::int32_t start = 0; start < text.length() && had < enough;) {
        const std::int32_t end = pieceEnd(text, start);
        had += appendFolded(icu::UnicodeString(text, start, end - start), out.text);
        start = end;
    }
    return out;
}

}  // namespace qm
