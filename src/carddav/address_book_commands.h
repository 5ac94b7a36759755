#pragma once

// The import of an address book and keeping a contact file in step with one, as the command
// line and the windows run them: the whole read first, then the contact file written. A
// failure or a cancel during the read (ReadProgress::cancelled) changes nothing.

#include "carddav/carddav_client.h"
#include "exchange/address_book_sync.h"
#include "exchange/contact_import.h"

namespace qm {
class ContactStore;
}

namespace qm::carddav {

// Every card of the address book through the one import step, appended to the contact file.
ImportResult importAddressBook(ContactStore& contacts, const ServerConnection& connection,
                               bool remindersOn, const ReadProgress& progress = {});

// What changed since the sync state beside the contact file (FILE.DAT.carddav) was written,
// carried into the contact file, then into the state.
SyncCounts syncAddressBook(ContactStore& contacts, const ServerConnection& connection,
                           bool remindersOn, const ReadProgress& progress = {});

}  // namespace qm::carddav
