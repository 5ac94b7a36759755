#include "exchange/duplicate_index.h"

#include "records/text_rules.h"

namespace qm {

namespace {

constexpr std::size_t kGram = 3;

std::uint32_t gramAt(std::string_view text, std::size_t i) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(text[i])) << 16 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[i + 1])) << 8 |
           static_cast<std::uint32_t>(static_cast<unsigned char>(text[i + 2]));
}

bool contains(std::string_view text, std::string_view what) {
    return text.find(what) != std::string_view::npos;
}

}  // namespace

DuplicateIndex::DuplicateIndex(const std::vector<ContactRecord>& onFile) {
    firstNames_.reserve(onFile.size());
    lastNames_.reserve(onFile.size());
    emails_.reserve(onFile.size());
    for (const ContactRecord& r : onFile) {
        add(r);
    }
}

void DuplicateIndex::add(const ContactRecord& r) {
    const auto i = static_cast<std::uint32_t>(firstNames_.size());
    // Decoded records are trimmed already.
    if (!r.email.empty()) {
        emails_.emplace(r.email, i);
    }
    firstNames_.push_back(r.firstName);
    lastNames_.push_back(r.lastName);
    addGrams(firstGrams_, r.firstName, i);
    addGrams(lastGrams_, r.lastName, i);
}

void DuplicateIndex::addGrams(GramIndex& index, std::string_view name, std::uint32_t record) {
    for (std::size_t i = 0; i + kGram <= name.size(); ++i) {
        Postings& list = index[gramAt(name, i)];
        if (list.empty() || list.back() != record) {
            list.push_back(record);
        }
    }
}

bool DuplicateIndex::narrow(const GramIndex& index, std::string_view name, const Postings*& best) {
    for (std::size_t i = 0; i + kGram <= name.size(); ++i) {
        const auto found = index.find(gramAt(name, i));
        if (found == index.end()) {
            return false;
        }
        if (best == nullptr || found->second.size() < best->size()) {
            best = &found->second;
        }
    }
    return true;
}

bool DuplicateIndex::recordHasNames(std::uint32_t record, std::string_view first,
                                    std::string_view last) const {
    return contains(firstNames_[record], first) && contains(lastNames_[record], last);
}

std::optional<std::size_t> DuplicateIndex::emailMatch(std::string_view email) const {
    if (email.empty()) {
        return std::nullopt;
    }
    const auto found = emails_.find(std::string(email));
    return found == emails_.end() ? std::nullopt : std::optional<std::size_t>(found->second);
}

std::optional<std::size_t> DuplicateIndex::namesMatch(std::string_view first,
                                                      std::string_view last) const {
    // Two empty names would be contained in every record.
    if (first.empty() && last.empty()) {
        return std::nullopt;
    }
    const Postings* candidates = nullptr;
    if (!narrow(firstGrams_, first, candidates) || !narrow(lastGrams_, last, candidates)) {
        return std::nullopt;
    }
    if (candidates != nullptr) {
        for (std::uint32_t record : *candidates) {
            if (recordHasNames(record, first, last)) {
                return record;
            }
        }
        return std::nullopt;
    }
    // Both names shorter than one piece: nothing narrows the search.
    for (std::uint32_t record = 0; record < firstNames_.size(); ++record) {
        if (recordHasNames(record, first, last)) {
            return record;
        }
    }
    return std::nullopt;
}

std::optional<std::size_t> DuplicateIndex::matchOf(const ContactRecord& working) const {
    if (const auto byEmail = emailMatch(trim(working.email))) {
        return byEmail;
    }
    return namesMatch(trim(working.firstName), trim(working.lastName));
}

DuplicateIndex indexContacts(const ContactStore& contacts) {
    DuplicateIndex index;
    contacts.forEachRecord([&index](int, const ContactRecord& r) { index.add(r); });
    return index;
}

}  // namespace qm
