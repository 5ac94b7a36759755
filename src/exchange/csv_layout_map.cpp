#include "exchange/csv_layout_map.h"

#include "exchange/csv_cleaning.h"
#include "exchange/own_layout.h"
#include "records/code_page_fold.h"
#include "records/text_rules.h"

namespace qm {

namespace {

using Member = std::string ContactRecord::*;

bool isAddress(Member m) {
    return m == &ContactRecord::street || m == &ContactRecord::street2 ||
           m == &ContactRecord::city || m == &ContactRecord::state || m == &ContactRecord::zip ||
           m == &ContactRecord::country;
}

}  // namespace

LayoutMap::LayoutMap(CsvLayout layout, const std::vector<std::string>& header) : layout_(layout) {
    for (const LayoutColumn& c : layoutColumns(layout)) {
        for (std::size_t i = 0; i < header.size(); ++i) {
            const std::string name = removesQuotes(layout) ? removeAll(header[i], "\"") : header[i];
            if (name == c.header) {
                found_.push_back({i, c.target});
                break;
            }
        }
    }
}

bool LayoutMap::applies() const {
    return (maps(&ContactRecord::firstName) || maps(&ContactRecord::lastName)) &&
           maps(&ContactRecord::email);
}

bool LayoutMap::maps(Member member) const {
    for (const Found& f : found_) {
        if (f.target == member) {
            return true;
        }
    }
    return false;
}

bool LayoutMap::givesAddress(const std::vector<std::string>& fields) const {
    for (const Found& f : found_) {
        std::string unquoted;
        if (isAddress(f.target) && !trimmedView(valueAt(fields, f.column, unquoted)).empty()) {
            return true;
        }
    }
    return false;
}

std::string_view LayoutMap::valueAt(const std::vector<std::string>& fields, std::size_t column,
                                    std::string& unquoted, const std::vector<char>* quoted) const {
    if (column >= fields.size()) {
        return {};
    }
    const std::string& value = fields[column];
    if (!removesQuotes(layout_) || value.find('"') == std::string::npos) {
        return value;
    }
    // The program's own export puts a value holding a quote in quotes, the quote doubled.
    if (layout_ == CsvLayout::D && quoted != nullptr && column < quoted->size() &&
        (*quoted)[column] != 0) {
        return value;
    }
    unquoted = removeAll(value, "\"");
    return unquoted;
}

bool LayoutMap::emptyAt(const std::vector<std::string>& fields, Member target) const {
    for (auto it = found_.rbegin(); it != found_.rend(); ++it) {
        if (it->target == target) {
            std::string unquoted;
            return valueAt(fields, it->column, unquoted).empty();
        }
    }
    return true;
}

std::optional<ContactRow> LayoutMap::read(const CsvRecord& record,
                                          const FieldLimits& limits) const {
    const std::string_view text = record.text;
    const bool unquote = removesQuotes(layout_) && text.find('"') != std::string_view::npos;
    if (skipLineByText(layout_, unquote ? std::string_view(removeAll(text, "\"")) : text)) {
        return std::nullopt;
    }
    ContactRow row;
    ContactRecord& c = row.contact;
    // Layout D takes the flag from the file; the others always include the company.
    c.includeCompany.assign(layout_ == CsvLayout::D ? 0 : 1, '1');
    c.reminder.clear();
    for (const Found& f : found_) {
        // Trimmed first: a blank beside a value would make a state too long, a birthdate
        // of no known form, a middle initial blank.
        std::string unquoted;
        std::string_view value =
            trimmedView(valueAt(record.fields, f.column, unquoted, &record.quoted));
        if (layout_ == CsvLayout::D) {
            value = unguardedCell(value);
        }
        FoldedText folded = limits.storable(value, kFoldedForAField);
        const bool middle = f.target == &ContactRecord::middleInitial;
        c.*(f.target) = middle ? leftOf(folded.text, 1) : std::move(folded.text);
        const std::uint32_t bit = 1u << fieldIndex(f.target);
        row.foldedFields = folded.changed ? row.foldedFields | bit : row.foldedFields & ~bit;
    }
    const auto& fields = record.fields;
    switch (layout_) {
        case CsvLayout::B:
            row.skipped =
                emptyAt(fields, &ContactRecord::lastName) || emptyAt(fields, &ContactRecord::email);
            break;
        case CsvLayout::C:
        case CsvLayout::E:
            row.skipped = emptyAt(fields, &ContactRecord::firstName) ||
                          emptyAt(fields, &ContactRecord::lastName);
            break;
        default:
            break;
    }
    cleanContact(layout_, c);
    return row;
}

}  // namespace qm
