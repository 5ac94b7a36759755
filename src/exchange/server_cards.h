#pragma once

// The cards an address book server sends, read as contacts: each card is one vCard, taken by
// the vCard reader into the one import step, as a vCard file's contacts are.

#include <cstddef>
#include <string>
#include <vector>

#include "exchange/contact_import.h"
#include "exchange/contact_reader.h"
#include "records/contact_record.h"

namespace qm {

class ContactStore;

struct ServerCard {
    std::string href;   // path on the server, as in SyncedCard
    std::string etag;   // as the server sends it, quotes included
    std::string vcard;  // UTF-8, lines as the server sent them
};

// What a read of an address book brought, against what the contact file knew of it.
struct AddressBookChanges {
    std::string addressBookUrl;        // the address book read
    std::string syncToken;             // to keep for the next run; empty when none is offered
    std::vector<ServerCard> cards;     // new and changed cards, in href order
    std::vector<std::string> removed;  // hrefs of the known cards no longer on the server
    std::size_t unchanged = 0;         // known cards still on the server with the same ETag
};

// Every card read, before anything is written: one contact per card, its values made
// storable by `limits`. Throws QmError naming the first card that is not exactly one vCard.
std::vector<ContactRow> readServerCards(const std::vector<ServerCard>& cards,
                                        const FieldLimits& limits = kContactFileLimits);

// The import of the cards, every one read first: the one import step against `onFile`, the
// contacts on file (indexContacts).
ImportResult importServerCards(const std::vector<ServerCard>& cards, DuplicateIndex onFile,
                               bool remindersOn, const FieldLimits& limits = kContactFileLimits);

// That import appended to the open contacts, the duplicate test and the append under one
// exclusive lock.
ImportResult importServerCardsIntoFile(const std::vector<ServerCard>& cards, ContactStore& contacts,
                                       bool remindersOn);

}  // namespace qm
