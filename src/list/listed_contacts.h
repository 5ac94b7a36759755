#pragma once

// The contacts of a list in the list's order, as its labels read them: a block of entries at
// a time under one lock, instead of a lock and a read for every label, and never the whole
// file at once.

#include <cstddef>
#include <vector>

#include "records/contact_record.h"
#include "records/contact_store.h"

namespace qm {

class ListedContacts {
  public:
    static constexpr std::size_t kBlock = 256;

    // Both must outlive the reader.
    ListedContacts(const ContactStore& contacts, const std::vector<int>& records)
        : contacts_(contacts), records_(records) {}

    // The contact of record, expected to be the list's next one; the list's first record
    // again starts it over (the next copy). Any other record is read on its own.
    ContactRecord operator()(int record);

  private:
    void fill(std::size_t from);

    const ContactStore& contacts_;
    const std::vector<int>& records_;
    std::size_t next_ = 0;
    std::size_t blockStart_ = 0;
    std::vector<ContactRecord> block_;
};

}  // namespace qm
