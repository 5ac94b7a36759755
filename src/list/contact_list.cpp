#include "list/contact_list.h"

#include <algorithm>

#include "records/contact_file.h"
#include "records/text_rules.h"

namespace qm {

const std::vector<SearchFieldText>& searchFieldTexts() {
    static const std::vector<SearchFieldText> kTexts = {
        {SearchField::FirstName, "optSearchFName", "First name", "First name Search", "First name"},
        {SearchField::LastName, "optSearchLName", "Last name", "Last name Search", "Last name"},
        {SearchField::City, "optSearchCity", "City", "City Search", "City"},
        {SearchField::State, "optSearchState", "State", "State Search", "State"},
        {SearchField::Zip, "optSearchZip", "Zip code", "Zip code Search", "Zip"},
        {SearchField::Email, "optSearchEmail", "Email address", "Email address Search", "Email"},
        {SearchField::Category, "optSearchCat", "Category", "Category Search", "Category"},
        {SearchField::All, "optSearchAll", "View all contacts without searching", "", ""},
        {SearchField::Company, "optSearchCompany", "Company name", "Company Search",
         "Company name"},
    };
    return kTexts;
}

const SearchFieldText& searchFieldText(SearchField field) {
    const auto& texts = searchFieldTexts();
    return *std::find_if(texts.begin(), texts.end(),
                         [field](const SearchFieldText& t) { return t.field == field; });
}

namespace {

// The middle initial with a full stop and a blank, for capital letters only.
std::string initialPart(const std::string& initial) {
    if (!initial.empty() && initial[0] >= 'A' && initial[0] <= 'Z') {
        return initial.substr(0, 1) + ". ";
    }
    return {};
}

std::string nameColumn(const ContactRecord& r, SortOrder order) {
    if (order == SortOrder::ByLastName) {
        return r.lastName + ", " + r.firstName + " " + initialPart(r.middleInitial);
    }
    return r.firstName + " " + initialPart(r.middleInitial) + r.lastName;
}

std::string phoneColumn(const std::string& phone) {
    const std::string raw = fitWidth(phone, field::kHomePhone.width);
    return numberValue(raw) < 1 ? std::string(kBlankPhoneWidth, ' ') : raw;
}

const std::string& searchedValue(const ContactRecord& r, SearchField field) {
    switch (field) {
        case SearchField::FirstName:
            return r.firstName;
        case SearchField::LastName:
            return r.lastName;
        case SearchField::City:
            return r.city;
        case SearchField::State:
            return r.state;
        case SearchField::Zip:
            return r.zip;
        case SearchField::Email:
            return r.email;
        case SearchField::Category:
            return r.category;
        case SearchField::Company:
            return r.company;
        case SearchField::All:
            break;
    }
    static const std::string kNone;
    return kNone;
}

}  // namespace

std::string listLine(const ContactRecord& r, SortOrder order) {
    std::string line = nameColumn(r, order);
    for (const std::string& column :
         {fitWidth(r.city, field::kCity.width), fitWidth(r.state, field::kState.width),
          fitWidth(r.zip, field::kZip.width), phoneColumn(r.homePhone), phoneColumn(r.cellPhone),
          fitWidth(r.email, field::kEmail.width)}) {
        line += kColumnSeparator;
        line += column;
    }
    return line;
}

bool matchesSearch(const ContactRecord& record, SearchField field, std::string_view text) {
    if (field == SearchField::All) {
        return true;
    }
    const std::string value = trim(searchedValue(record, field));
    if (value.empty()) {
        return false;
    }
    if (field == SearchField::Zip) {
        return value.find(text) != std::string::npos;
    }
    return containsNoCase(value, text);
}

bool listLineBefore(std::string_view a, std::string_view b) {
    return compareNoCase(a, b) < 0;
}

std::vector<ListEntry> buildContactList(const std::vector<ContactRecord>& records,
                                        SearchField field, std::string_view text, SortOrder order) {
    // Each line is folded once, not at every comparison; folded bytes compare as
    // compareNoCase does.
    struct Keyed {
        std::string key;
        ListEntry entry;
    };
    std::vector<Keyed> keyed;
    for (std::size_t i = 0; i < records.size(); ++i) {
        if (matchesSearch(records[i], field, text)) {
            std::string line = listLine(records[i], order);
            std::string key = toLower(line);
            keyed.push_back({std::move(key), {std::move(line), static_cast<int>(i + 1)}});
        }
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    std::vector<ListEntry> entries;
    entries.reserve(keyed.size());
    for (Keyed& k : keyed) {
        entries.push_back(std::move(k.entry));
    }
    return entries;
}

std::vector<ListEntry> buildContactList(const ContactFile& file, SearchField field,
                                        std::string_view text, SortOrder order) {
    return buildContactList(file.readAll(), field, text, order);
}

std::size_t sortedInsertPosition(const std::vector<ListEntry>& entries, std::string_view line) {
    const auto at = std::upper_bound(
        entries.begin(), entries.end(), line,
        [](std::string_view l, const ListEntry& e) { return listLineBefore(l, e.line); });
    return static_cast<std::size_t>(at - entries.begin());
}

std::vector<std::string> splitPastedLines(std::string_view text) {
    std::vector<std::string> pieces;
    std::size_t from = 0;
    for (std::size_t at = text.find("\r\n"); at != std::string_view::npos;
         at = text.find("\r\n", from)) {
        pieces.emplace_back(text.substr(from, at - from));
        from = at + 2;
    }
    pieces.emplace_back(text.substr(from));
    return pieces;
}

std::string clipboardTextOfLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += "\r\n";
        text += line;
    }
    return text;
}

std::string resultCaption(std::string_view word, std::string_view searchText) {
    return std::string(word) + " = " + std::string(searchText);
}

}  // namespace qm
