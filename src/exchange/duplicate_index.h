#pragma once

// The import's duplicate test against the contacts on file before the import, made fast for
// large files: e-mail addresses are looked up in a hash set, and the name test, a substring
// test on first and last name, only scans the records that hold a rare three-character piece
// of the searched names.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "records/contact_record.h"
#include "records/contact_store.h"

namespace qm {

class DuplicateIndex {
  public:
    // Keeps its own copies of the names and addresses, so the records may go.
    explicit DuplicateIndex(const std::vector<ContactRecord>& onFile);
    DuplicateIndex() = default;

    // Adds the next record on file (trimmed, as decoded), so that the index can be built as
    // the file is read, without holding its records.
    void add(const ContactRecord& record);
    // Records added.
    std::size_t size() const { return firstNames_.size(); }

    // A record on file has the same (non-empty) e-mail address, or its first name contains
    // the working first name and its last name the working last name, not both empty. All
    // values are compared trimmed and case-sensitive.
    bool isDuplicate(const ContactRecord& working) const { return matchOf(working).has_value(); }
    // The index in `onFile` of the record the test matches: the first with that e-mail
    // address, else the first with those names.
    std::optional<std::size_t> matchOf(const ContactRecord& working) const;

    bool emailOnFile(std::string_view email) const { return emailMatch(email).has_value(); }
    bool namesOnFile(std::string_view first, std::string_view last) const {
        return namesMatch(first, last).has_value();
    }

  private:
    using Postings = std::vector<std::uint32_t>;
    using GramIndex = std::unordered_map<std::uint32_t, Postings>;

    static void addGrams(GramIndex& index, std::string_view name, std::uint32_t record);
    // Narrows `best` to the shortest posting list among the name's pieces. False when a
    // piece occurs in no record, so no record can match; a name shorter than one piece
    // leaves `best` as it is.
    static bool narrow(const GramIndex& index, std::string_view name, const Postings*& best);
    bool recordHasNames(std::uint32_t record, std::string_view first, std::string_view last) const;
    std::optional<std::size_t> emailMatch(std::string_view email) const;
    std::optional<std::size_t> namesMatch(std::string_view first, std::string_view last) const;

    std::unordered_map<std::string, std::uint32_t> emails_;  // the first record with each
    std::vector<std::string> firstNames_;
    std::vector<std::string> lastNames_;
    GramIndex firstGrams_;
    GramIndex lastGrams_;
};

// The index of the open contacts, read a block at a time: it keeps only the names and
// addresses, never the records.
DuplicateIndex indexContacts(const ContactStore& contacts);

}  // namespace qm
