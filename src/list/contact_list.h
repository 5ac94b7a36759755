#pragma once

// The contact list: one line per listed contact, seven tab-separated columns, kept in
// case-insensitive order of the whole line, each carrying the record number it shows.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "records/contact_record.h"

namespace qm {

class ContactStore;

// Codes as the search options number them; 7 lists every contact.
enum class SearchField {
    FirstName = 0,
    LastName = 1,
    City = 2,
    State = 3,
    Zip = 4,
    Email = 5,
    Category = 6,
    All = 7,
    Company = 8,
};

enum class SortOrder { ByFirstName = 0, ByLastName = 1 };

struct SearchFieldText {
    SearchField field;
    const char* optionName;   // object name of the option button
    const char* caption;      // the option's caption
    const char* promptTitle;  // title of the search prompt; empty for All
    const char* resultWord;   // word before " = " in the result caption; empty for All
};

// The nine options in the order the Search frame shows them.
const std::vector<SearchFieldText>& searchFieldTexts();
const SearchFieldText& searchFieldText(SearchField field);

struct ListEntry {
    std::string line;
    int record = 0;  // 0: a line that came from the clipboard
    bool operator==(const ListEntry&) const = default;
};

inline constexpr char kColumnSeparator = '\t';
inline constexpr std::size_t kBlankPhoneWidth = 22;

// The line of one contact in the given order.
std::string listLine(const ContactRecord& record, SortOrder order);

// Whether the record is listed: every record for All; otherwise the trimmed field is not
// empty and contains the text (with case, for the zip code only).
bool matchesSearch(const ContactRecord& record, SearchField field, std::string_view text);

// The list order: the whole line, ignoring case.
bool listLineBefore(std::string_view a, std::string_view b);

// Lines of the listed open contacts, in list order; equal lines keep record order. The
// contacts are read a block at a time: the list holds only its lines, never the records.
std::vector<ListEntry> buildContactList(const ContactStore& contacts, SearchField field,
                                        std::string_view text, SortOrder order);

// Where a line joins a sorted list: after every line that does not sort after it.
std::size_t sortedInsertPosition(const std::vector<ListEntry>& entries, std::string_view line);

// Pieces of pasted text: split at every CR LF, empty pieces kept.
std::vector<std::string> splitPastedLines(std::string_view text);

// CR LF before each line, none at the end.
std::string clipboardTextOfLines(const std::vector<std::string>& lines);

// " = " after the field's word (none for no match) and the search text.
std::string resultCaption(std::string_view word, std::string_view searchText);

}  // namespace qm
