#include "exchange/csv_text.h"

#include <array>

#include "records/error.h"
#include "records/text_rules.h"

namespace qm {

std::vector<std::string_view> splitCsvLines(std::string_view text) {
    std::vector<std::string_view> lines;
    const bool byCarriageReturn = text.find('\r') != std::string_view::npos;
    const char end = byCarriageReturn ? '\r' : '\n';
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t at = text.find(end, start);
        if (at == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, at - start));
        start = at + 1;
        if (byCarriageReturn && start < text.size() && text[start] == '\n') {
            ++start;
        }
    }
    return lines;
}

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    if (line.empty()) {
        return fields;
    }
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

std::string removeQuotes(std::string_view line) {
    return removeAll(line, "\"");
}

std::string repairLineFeeds(std::string_view line) {
    if (line.find("\r\n") != std::string_view::npos) {
        return std::string(line);
    }
    return replaceAll(line, "\n", "\r\n");
}

std::string cutBefore21stComma(std::string_view line) {
    int commas = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == ',' && ++commas == 21) {
            return std::string(line.substr(0, i));
        }
    }
    return std::string(line);
}

bool cutAfterDomainEnding(std::string_view line, std::string& cut) {
    static constexpr std::array<std::string_view, 6> kEndings = {".com", ".net", ".gov",
                                                                 ".org", ".edu", ".mil"};
    std::string_view winner;
    for (std::string_view ending : kEndings) {
        if (line.find(ending) != std::string_view::npos) {
            winner = ending;
        }
    }
    if (winner.empty()) {
        cut.clear();
        return false;
    }
    cut = std::string(line.substr(0, line.find(winner) + winner.size()));
    return true;
}

void throwIndexError() {
    throwError(err::kSubscriptOutOfRange, "Subscript out of range");
}

}  // namespace qm
