#include "contacts/find_list.h"

#include <algorithm>

#include "records/text_rules.h"

namespace qm {

std::string findEntryText(const ContactRecord& record) {
    return trim(record.firstName) + ' ' + trim(record.middleInitial) + ' ' + trim(record.lastName);
}

namespace {

void sortFindList(std::vector<FindEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(), [](const FindEntry& a, const FindEntry& b) {
        return compareNoCase(a.text, b.text) < 0;
    });
}

}  // namespace

std::vector<FindEntry> buildFindList(const std::vector<ContactRecord>& records) {
    std::vector<FindEntry> entries;
    entries.reserve(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        entries.push_back({findEntryText(records[i]), static_cast<int>(i) + 1});
    }
    sortFindList(entries);
    return entries;
}

std::vector<FindEntry> buildFindListOf(const ContactFile& file) {
    std::vector<FindEntry> entries;
    file.forEachRecord([&entries](int n, const ContactRecord& r) {
        entries.push_back({findEntryText(r), n});
    });
    sortFindList(entries);
    return entries;
}

}  // namespace qm
