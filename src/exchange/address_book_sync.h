#pragma once

// Keeps a contact file in step with one address book: the cards read since the last run
// (exchange/server_cards.h) and the sync state (exchange/carddav_sync_state.h) become record
// updates, new records and the next sync state.
//
// - A changed card updates its record only while that record still holds what the last run
//   wrote (same fingerprint), where it stands now (records move when an earlier one is
//   deleted); a record edited or deleted here is left alone and counted.
// - A new card goes through the one import step; a card that matches a contact on file is
//   remembered as that contact, so that its later changes update it.
// - A card removed on the server is forgotten; its contact stays.
// - A record that already holds what a card would store (a run whose contact file was
//   written but not its state) is taken as that card's.

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "exchange/carddav_sync_state.h"
#include "exchange/contact_import.h"
#include "exchange/server_cards.h"
#include "records/contact_record.h"

namespace qm {

class ContactStore;

struct SyncCounts {
    std::size_t added = 0;
    std::size_t updated = 0;
    std::size_t unchanged = 0;
    std::size_t leftAlone = 0;  // changed on the server and here: the contact here stays
    std::size_t removed = 0;    // removed on the server: the contact here stays
    ImportCounts skipped;       // of new and changed cards, as the import counts them
    // Why the sync state could not be written after the contact file was (a full disk);
    // empty when it was. The next run takes the contacts written now as their cards'.
    std::string stateNotWritten{};
};

struct SyncPlan {
    std::vector<std::pair<int, ContactRecord>> updates;  // record number, new contents
    std::vector<ContactRecord> additions;                // to append, in href order
    CarddavSyncState state;                              // to write after the contact file
    SyncCounts counts;
};

// What the run will do, without writing, the cards' values made storable by `limits`. A
// state of another address book starts afresh. Throws QmError naming the first card that is
// not a vCard.
SyncPlan planSync(const std::vector<ContactRecord>& onFile, const CarddavSyncState& known,
                  const AddressBookChanges& changes, bool remindersOn,
                  const FieldLimits& limits = kContactFileLimits);

// Plans against the open contacts as they are and carries the plan out under their exclusive
// lock: the contacts first, then the state at `statePath` (when it changed), with the
// contacts' permissions. A state that cannot be written no longer undoes the run's success:
// the counts say so (stateNotWritten).
SyncCounts syncContactFile(ContactStore& contacts, const std::string& statePath,
                           const CarddavSyncState& known, const AddressBookChanges& changes,
                           bool remindersOn);

inline constexpr const char* kSyncCompletedTitle = "Sync completed";

// "D O N E !  N contacts added, N updated, N unchanged.", and below it what was left alone,
// kept or skipped, when anything was.
std::string syncCompletedText(const SyncCounts& counts);

}  // namespace qm
