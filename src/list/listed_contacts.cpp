#include "list/listed_contacts.h"

#include <algorithm>
#include <span>
#include <utility>

namespace qm {

ContactRecord ListedContacts::operator()(int record) {
    if (next_ >= records_.size() || records_[next_] != record) {
        if (records_.empty() || records_.front() != record) {
            return contacts_.read(record);
        }
        next_ = 0;
        block_.clear();  // handed out already: the next copy reads its records again
    }
    if (next_ < blockStart_ || next_ >= blockStart_ + block_.size()) {
        fill(next_);
    }
    // Each listed contact is asked for once a copy, so it is handed over, not copied.
    return std::move(block_[next_++ - blockStart_]);
}

void ListedContacts::fill(std::size_t from) {
    const std::size_t count = std::min(kBlock, records_.size() - from);
    block_ = contacts_.readRecords(std::span<const int>(records_).subspan(from, count));
    blockStart_ = from;
}

}  // namespace qm
