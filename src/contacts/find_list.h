#pragma once

// The contact browser's find list: one entry per record, named by first name, middle
// initial and last name, kept in alphabetical order ignoring case. The record number, not
// the position, identifies the contact.

#include <string>
#include <vector>

#include "records/contact_file.h"
#include "records/contact_record.h"

namespace qm {

struct FindEntry {
    std::string text;
    int record = 0;

    bool operator==(const FindEntry&) const = default;
};

// "first middle last", each trimmed, joined by single blanks whether empty or not.
std::string findEntryText(const ContactRecord& record);

// Entries for records 1..n in the order the list shows them.
std::vector<FindEntry> buildFindList(const std::vector<ContactRecord>& records);
// The same from the open file, read a block at a time.
std::vector<FindEntry> buildFindListOf(const ContactFile& file);

}  // namespace qm
