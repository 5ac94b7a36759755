#include "exchange/csv_layout.h"

#include <array>

#include "exchange/csv_text.h"
#include "records/error.h"
#include "records/text_rules.h"

namespace qm {

namespace {

bool contains(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

std::vector<std::string> ownedFields(std::string_view line) {
    std::vector<std::string> columns;
    for (std::string_view f : splitFields(line)) {
        columns.emplace_back(f);
    }
    return columns;
}

// Layout C keeps the header from "First Name," on, for a length set by where the
// "Name,E-mail Address" pair stands.
std::string cutLayoutCHeader(const std::string& header) {
    const long j = findFrom(header, "Name,E-mail Address");
    const long y = findFrom(header, "First Name,");
    const long length = 2 * j - y + 18;
    if (y == 0 || length < 0) {
        throwError(err::kInvalidCall, "Invalid procedure call or argument");
    }
    return midOf(header, y, length);
}

// Layout E keeps the header up to its e-mail column name: of the names tested in order, the
// last one the header contains wins, at its first occurrence.
std::optional<std::string> cutLayoutEHeader(const std::string& header) {
    static constexpr std::array<std::string_view, 4> kEmailColumns = {
        "E-mail Address,", "Email Address,", "E-mail,", "Email,"};
    std::string_view winner;
    for (std::string_view name : kEmailColumns) {
        if (contains(header, name)) {
            winner = name;
        }
    }
    if (winner.empty()) {
        return std::nullopt;
    }
    const long k = findFrom(header, winner) + static_cast<long>(winner.size()) - 1;
    return leftOf(header, k - 1);
}

// Both fields are looked up, so a line too short for either is an index error even when
// the other one is empty.
bool eitherEmpty(const std::vector<std::string_view>& fields, std::size_t a, std::size_t b) {
    const bool emptyA = fieldAt(fields, a).empty();
    const bool emptyB = fieldAt(fields, b).empty();
    return emptyA || emptyB;
}

}  // namespace

std::optional<CsvLayout> detectLayout(std::string_view header) {
    if (contains(header, "Yahoo! Phone") || contains(header, "Yahoo Phone")) {
        return CsvLayout::A;
    }
    if (contains(header, "Primary Phone") && contains(header, "Web Page")) {
        return CsvLayout::B;
    }
    if (contains(header, "Name,E-mail Address")) {
        return CsvLayout::C;
    }
    if (contains(header, "First Name,MI") && contains(header, "Birthdate,Category,Notes")) {
        return CsvLayout::D;
    }
    if (contains(header, "Name,") && !contains(header, "Suffix,Initials,Web Page,") &&
        !contains(header, "Name,E-mail Address,") && !contains(header, "Distribution Lists") &&
        !contains(header, "Birthdate,Category,Notes")) {
        return CsvLayout::E;
    }
    return std::nullopt;
}

std::optional<std::vector<std::string>> prepareHeader(CsvLayout layout, std::string_view header) {
    switch (layout) {
        case CsvLayout::A:
            return ownedFields(removeQuotes(header));
        case CsvLayout::B:
            return ownedFields(cutBefore21stComma(header));
        case CsvLayout::C:
            return ownedFields(cutLayoutCHeader(repairLineFeeds(header)));
        case CsvLayout::D:
            return ownedFields(removeQuotes(repairLineFeeds(header)));
        case CsvLayout::E: {
            const std::optional<std::string> cut =
                cutLayoutEHeader(repairLineFeeds(removeQuotes(header)));
            if (!cut) {
                return std::nullopt;
            }
            return ownedFields(*cut);
        }
    }
    return std::nullopt;
}

std::optional<std::string> prepareDataLine(CsvLayout layout, std::string_view line) {
    std::string cut;
    switch (layout) {
        case CsvLayout::A:
        case CsvLayout::D:
            return removeQuotes(line);
        case CsvLayout::B:
            return cutBefore21stComma(line);
        case CsvLayout::C:
            if (!cutAfterDomainEnding(repairLineFeeds(line), cut)) {
                return std::nullopt;
            }
            return cut;
        case CsvLayout::E:
            if (!cutAfterDomainEnding(repairLineFeeds(removeQuotes(line)), cut)) {
                return std::nullopt;
            }
            return cut;
    }
    return std::nullopt;
}

bool skipDataLine(CsvLayout layout, std::string_view line,
                  const std::vector<std::string_view>& fields) {
    switch (layout) {
        case CsvLayout::A:
            return contains(line, "Yahoo! Phone") || contains(line, "Yahoo Phone");
        case CsvLayout::B:
            return (contains(line, "Primary Phone") && contains(line, "Web Page")) ||
                   eitherEmpty(fields, 2, 14);
        case CsvLayout::C:
            return contains(line, "Name,E-mail Address") || eitherEmpty(fields, 0, 1);
        case CsvLayout::D:
            return contains(line, "Birthdate,Category,Notes");
        case CsvLayout::E:
            return contains(line, "Name,") || contains(line, "First,") || eitherEmpty(fields, 0, 1);
    }
    return false;
}

}  // namespace qm
