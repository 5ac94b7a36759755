#pragma once

// Contacts from one store into another of another kind (a contact file into a book, a book
// into a contact file): each contact passes the import's stored form for the store it goes
// into, and every value that comes out different is told before anything is written.

#include <cstddef>
#include <string>
#include <vector>

#include "records/contact_record.h"
#include "records/contact_store.h"

namespace qm {

// A value the store it goes into keeps otherwise than the one it came from.
struct ConvertedValue {
    int contact = 0;        // record number, the same in both stores
    std::size_t field = 0;  // index in kFieldDescriptions
    std::string stored;     // as the new store will hold it
    bool cut = false;       // longer than the field holds there
    bool folded = false;    // letters the store cannot hold, changed to the nearest
};

struct Conversion {
    std::vector<ContactRecord> records;  // in order, as the new store will hold them
    std::vector<ConvertedValue> changed;
};

// Every contact of `from` as a store of `limits` holds it.
Conversion convertContacts(const ContactStore& from, const FieldLimits& limits);

// "RECNO<TAB>field name<TAB>stored form<TAB>what changed" for one value.
std::string convertedValueLine(const ConvertedValue& value);

// Writes the converted contacts into `to`, which must hold none, in one append (whole or
// not at all). Throws QmError.
void writeConversion(const Conversion& conversion, ContactStore& to);

}  // namespace qm
