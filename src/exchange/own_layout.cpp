#include "exchange/own_layout.h"

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

}  // namespace

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
