#include "exchange/own_layout.h"

#include <array>

#include "records/text_rules.h"

namespace qm {

namespace {

bool startsFormula(char c) {
    return c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
}

// One or more apostrophes, then a character that starts a formula.
bool isGuarded(std::string_view value) {
    const std::size_t after = value.find_first_not_of('\'');
    return after > 0 && after != std::string_view::npos && startsFormula(value[after]);
}

template <typename Values>
std::string joined(const Values& values, char separator) {
    std::string line;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0) {
            line += separator;
        }
        line += values[i];
    }
    line += "\r\n";
    return line;
}

}  // namespace

std::string ownLayoutHeader(char separator) {
    std::array<std::string_view, kOwnColumns.size()> titles;
    for (std::size_t i = 0; i < kOwnColumns.size(); ++i) {
        titles[i] = kOwnColumns[i].title;
    }
    return joined(titles, separator);
}

std::string ownLayoutLine(const ContactRecord& r, char separator, CellQuoting quoting) {
    std::array<std::string, kOwnColumns.size()> values;
    for (std::size_t i = 0; i < kOwnColumns.size(); ++i) {
        const std::string& value = r.*(kOwnColumns[i].member);
        values[i] = guardedCell(
            kOwnColumns[i].member == &ContactRecord::birthdate ? exportedBirthdate(value) : value);
        if (quoting == CellQuoting::Csv) {
            values[i] = quotedCell(std::move(values[i]));
        }
    }
    return joined(values, separator);
}

std::string exportedBirthdate(std::string_view stored) {
    if (trim(stored).empty()) {
        return {};
    }
    return midOf(stored, 5, 2) + "-" + midOf(stored, 7, 2) + "-" + leftOf(stored, 4);
}

std::string guardedCell(std::string_view value) {
    if (!value.empty() && (startsFormula(value.front()) || isGuarded(value))) {
        return "'" + std::string(value);
    }
    return std::string(value);
}

std::string_view unguardedCell(std::string_view value) {
    return isGuarded(value) ? value.substr(1) : value;
}

std::string quotedCell(std::string value) {
    if (value.find_first_of("\",") == std::string::npos && (value.empty() || value[0] != ' ')) {
        return value;
    }
    return '"' + replaceAll(value, "\"", "\"\"") + '"';
}

}  // namespace qm
