#pragma once

// Text handling of provider CSV files: how the file is cut into lines and how a line is cut
// into fields. Provider files are read as written by their makers, so none of this knows
// about quoting: a comma inside quotes still separates fields.

#include <string>
#include <string_view>
#include <vector>

namespace qm {

// Lines of a decoded file. A line ends at a carriage return, with or without a following
// line feed, or at the end of the file. A file without any carriage return has its lines
// ended by line feeds instead (files written on Linux and macOS). The terminator after the
// last line does not start another line.
std::vector<std::string_view> splitCsvLines(std::string_view text);

// Fields of a line cut at every comma; an empty line has no fields.
std::vector<std::string_view> splitFields(std::string_view line);

// Every double quote removed.
std::string removeQuotes(std::string_view line);

// A line holding no CR LF pair gets each line feed replaced by CR LF.
std::string repairLineFeeds(std::string_view line);

// The text before the 21st comma (all of the line when it has fewer).
std::string cutBefore21stComma(std::string_view line);

// Sets cut to the line up to and including the first occurrence of the domain ending that
// wins: of ".com", ".net", ".gov", ".org", ".edu", ".mil", the last one the line contains.
// False when the line contains none of them (the caller skips such a line).
bool cutAfterDomainEnding(std::string_view line, std::string& cut);

// The import's index error: a column number beyond the last field of a line or header.
[[noreturn]] void throwIndexError();

// Field n of a split line or header, or the index error.
template <typename Fields>
const auto& fieldAt(const Fields& fields, std::size_t n) {
    if (n >= fields.size()) {
        throwIndexError();
    }
    return fields[n];
}

}  // namespace qm
