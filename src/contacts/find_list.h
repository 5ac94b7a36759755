#pragma once

// The contact browser's find list: one entry per record, named by first name, middle
// initial and last name, kept in alphabetical order ignoring case. The record number, not
// the position, identifies the contact.

#include <string>
#include <vector>

#include "records/contact_record.h"
#include "records/contact_store.h"

namespace qm {

struct FindEntry {
    std::string text;
    int record = 0;

    bool operator==(const FindEntry&) const = default;
};

// "first middle last", each trimmed, joined by single blanks whether empty or not.
std::string findEntryText(const ContactRecord& record);

// Entries for every open contact in the order the list shows them; equal names keep record
// order. The contacts are read a block at a time.
std::vector<FindEntry> buildFindList(const ContactStore& contacts);

}  // namespace qm
