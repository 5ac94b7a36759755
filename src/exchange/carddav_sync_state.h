#pragma once

// What a contact file remembers of the one address book it is kept in step with: kept beside
// the contact file as FILE.DAT.carddav (the whole name, so Friends.DAT and Friends.dat never
// share one; the file dialogs list *.DAT only). A text file, one line per card:
//
//   quillmark carddav sync 1
//   url     ADDRESS-BOOK-URL
//   token   SYNC-TOKEN                  (empty when the server offers none)
//   card    RECORD  FINGERPRINT  HREF  ETAG
//
// fields separated by one tab; a backslash, tab, CR or LF inside a value is written \\, \t,
// \r, \n. RECORD is the record number the card was stored as (0: the card was read but not
// stored, a duplicate or a card without name or e-mail); FINGERPRINT is recordFingerprint() of
// that record as written, so that a later run can tell whether the record still holds that
// contact (records move when one before them is deleted; the user may have edited it).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "records/contact_record.h"

namespace qm {

struct SyncedCard {
    std::string href;  // the card's path on the server, percent-encoded as the server sends it
    std::string etag;  // as the server sends it, quotes included
    std::int64_t record = 0;
    std::uint64_t fingerprint = 0;

    bool operator==(const SyncedCard&) const = default;
};

struct CarddavSyncState {
    std::string addressBookUrl;
    std::string syncToken;
    std::vector<SyncedCard> cards;

    bool operator==(const CarddavSyncState&) const = default;
};

// FILE.DAT -> FILE.DAT.carddav
std::string syncStatePath(const std::string& contactFilePath);

std::string formatSyncState(const CarddavSyncState& state);
// Throws QmError err::kSyncStateDamaged (naming `pathForErrors` and the line) on a bad line.
CarddavSyncState parseSyncState(std::string_view text, const std::string& pathForErrors);

// An empty state when the file does not exist.
CarddavSyncState readSyncState(const std::string& path);
// Written whole or not at all, with `permissions` (those of its contact file).
void writeSyncState(const std::string& path, const CarddavSyncState& state,
                    std::optional<unsigned> permissions = std::nullopt);

// 64-bit FNV-1a of the 513 stored bytes, the reminder flag read as 0: File > Birthday
// reminders switches the flag of every contact at once, which changes no contact.
std::uint64_t recordFingerprint(const RecordBytes& bytes);
std::uint64_t recordFingerprint(const ContactRecord& record);

}  // namespace qm
