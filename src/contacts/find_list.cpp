#include "contacts/find_list.h"

#include <algorithm>

#include "records/text_rules.h"

namespace qm {

std::string findEntryText(const ContactRecord& record) {
    return trim(record.firstName) + ' ' + trim(record.middleInitial) + ' ' + trim(record.lastName);
}

std::vector<FindEntry> buildFindList(const ContactStore& contacts) {
    std::vector<FindEntry> entries;
    contacts.forEachRecord([&entries](int n, const ContactRecord& r) {
        entries.push_back({findEntryText(r), n});
    });
    std::stable_sort(entries.begin(), entries.end(), [](const FindEntry& a, const FindEntry& b) {
        return compareNoCase(a.text, b.text) < 0;
    });
    return entries;
}

}  // namespace qm
