#include "list/contact_list.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <thread>

#include "records/code_page.h"
#include "records/contact_store.h"
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
void appendInitial(std::string& line, const std::string& initial) {
    if (!initial.empty() && initial[0] >= 'A' && initial[0] <= 'Z') {
        line += initial[0];
        line += ". ";
    }
}

void appendName(std::string& line, const ContactRecord& r, SortOrder order) {
    if (order == SortOrder::ByLastName) {
        line += r.lastName;
        line += ", ";
        line += r.firstName;
        line += ' ';
        appendInitial(line, r.middleInitial);
    } else {
        line += r.firstName;
        line += ' ';
        appendInitial(line, r.middleInitial);
        line += r.lastName;
    }
}

// A column at the contact file's width of its field: padded when shorter, and a longer
// value (a contact book's) whole, so that a list never shows a value cut.
void appendColumn(std::string& line, std::string_view value, std::size_t width) {
    line += value;
    const std::size_t length = characterCount(value);
    if (length < width) {
        line.append(width - length, ' ');
    }
}

void appendPhone(std::string& line, std::string_view phone) {
    const std::size_t width = field::kHomePhone.width;
    if (numberValue(leftOf(phone, static_cast<long>(width))) < 1) {
        line.append(kBlankPhoneWidth, ' ');
    } else {
        appendColumn(line, phone, width);
    }
}

// The line is built in place: a list of a million contacts makes a million of them.
void appendListLine(std::string& line, const ContactRecord& r, SortOrder order) {
    appendName(line, r, order);
    line += kColumnSeparator;
    appendColumn(line, r.city, field::kCity.width);
    line += kColumnSeparator;
    appendColumn(line, r.state, field::kState.width);
    line += kColumnSeparator;
    appendColumn(line, r.zip, field::kZip.width);
    line += kColumnSeparator;
    appendPhone(line, r.homePhone);
    line += kColumnSeparator;
    appendPhone(line, r.cellPhone);
    line += kColumnSeparator;
    appendColumn(line, r.email, field::kEmail.width);
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
    std::string line;
    appendListLine(line, r, order);
    return line;
}

bool matchesSearch(const ContactRecord& record, SearchField field, std::string_view text) {
    if (field == SearchField::All) {
        return true;
    }
    const std::string_view value = trimmedView(searchedValue(record, field));
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

namespace {

// Collects the listed lines, then sorts them. A line's sort key is its first letters folded,
// held beside it in a small fixed array; only lines whose first letters agree are compared
// whole. A folded copy of every line would double the memory of a large list.
class ListBuilder {
  public:
    ListBuilder(SearchField field, std::string_view text, SortOrder order)
        : field_(field), text_(text), order_(order) {}

    void reserve(std::size_t n) { entries_.reserve(n); }

    void add(const ContactRecord& record, int number) {
        if (!matchesSearch(record, field_, text_)) {
            return;
        }
        line_.clear();
        appendListLine(line_, record, order_);
        // Exactly as long as the line: the buffer's spare room stays with the buffer.
        entries_.push_back({std::string(line_), number});
    }

    std::vector<ListEntry> sorted() && {
        std::vector<Key> keys(entries_.size());
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            keys[i] = keyOf(entries_[i].line, static_cast<std::uint32_t>(i));
        }
        // Equal lines keep file order: the position decides last.
        sortKeys(keys, [this](const Key& a, const Key& b) {
            const int prefix = std::memcmp(a.prefix.data(), b.prefix.data(), a.prefix.size());
            if (prefix != 0) {
                return prefix < 0;
            }
            const int whole = compareNoCase(entries_[a.index].line, entries_[b.index].line);
            return whole != 0 ? whole < 0 : a.index < b.index;
        });
        placeInOrder(keys);
        return std::move(entries_);
    }

  private:
    struct Key {
        std::array<char, 20> prefix{};  // folded; NUL after a shorter line
        std::uint32_t index = 0;
    };

    // Each letter's weight (noCaseWeight) while it fits a byte; from the first letter beyond
    // code page 1252 on, the highest byte: such a prefix orders no line before one that
    // compareNoCase puts after it, and leaves the rest to the whole comparison.
    static Key keyOf(std::string_view line, std::uint32_t index) {
        Key key;
        key.index = index;
        std::size_t at = 0;
        for (std::size_t i = 0; i < key.prefix.size() && at < line.size(); ++i) {
            const std::uint32_t weight = noCaseWeight(nextUtf8(line, at));
            if (weight > 0xFF) {
                std::fill(key.prefix.begin() + static_cast<std::ptrdiff_t>(i), key.prefix.end(),
                          static_cast<char>(0xFF));
                break;
            }
            key.prefix[i] = static_cast<char>(weight);
        }
        return key;
    }

    // A large list is sorted in two halves at once, one on a second thread, then merged: the
    // order is total, so the result is the one sort's.
    template <typename Before>
    static void sortKeys(std::vector<Key>& keys, Before before) {
        constexpr std::size_t kHalvedFrom = 8192;
        if (keys.size() < kHalvedFrom) {
            std::sort(keys.begin(), keys.end(), before);
            return;
        }
        const auto middle = keys.begin() + static_cast<std::ptrdiff_t>(keys.size() / 2);
        std::thread first;
        try {
            first =
                std::thread([&keys, middle, before] { std::sort(keys.begin(), middle, before); });
        } catch (const std::system_error&) {
            // No thread to be had: the same order, on this one.
            std::sort(keys.begin(), keys.end(), before);
            return;
        }
        std::sort(middle, keys.end(), before);
        first.join();
        std::inplace_merge(keys.begin(), middle, keys.end(), before);
    }

    // Moves entry keys[j].index to position j, cycle by cycle, without a second list.
    void placeInOrder(std::vector<Key>& keys) {
        for (std::size_t start = 0; start < keys.size(); ++start) {
            if (keys[start].index == start) {
                continue;
            }
            ListEntry first = std::move(entries_[start]);
            std::size_t j = start;
            for (;;) {
                const std::size_t from = keys[j].index;
                keys[j].index = static_cast<std::uint32_t>(j);
                if (from == start) {
                    entries_[j] = std::move(first);
                    break;
                }
                entries_[j] = std::move(entries_[from]);
                j = from;
            }
        }
    }

    SearchField field_;
    std::string_view text_;
    SortOrder order_;
    std::string line_;
    std::vector<ListEntry> entries_;
};

}  // namespace

std::vector<ListEntry> buildContactList(const ContactStore& contacts, SearchField field,
                                        std::string_view text, SortOrder order) {
    ListBuilder builder(field, text, order);
    const ContactStore::Lock lock(contacts, LockKind::Shared);
    if (field == SearchField::All) {
        builder.reserve(static_cast<std::size_t>(contacts.count()));
    }
    contacts.forEachRecord([&builder](int n, const ContactRecord& r) { builder.add(r, n); });
    return std::move(builder).sorted();
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
