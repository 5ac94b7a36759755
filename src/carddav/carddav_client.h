#pragma once

// Reads the cards of one address book on a CardDAV server (RFC 6352): finds the address book
// from whatever address the user gives (server root, principal, home set or the address book
// itself), lists its cards with their ETags, and fetches the new and changed ones in batches.
// Given what a contact file already holds (its sync state), only what changed since is
// fetched: by the server's sync token (RFC 6578) when it offers one, else by comparing ETags.
//
// Every call waits in a local event loop, so the calling thread needs a QCoreApplication (a
// QGuiApplication or QApplication will do); a window stays painted and its Cancel button
// answers meanwhile. Failures throw QmError with the numbers of exchange/carddav_errors.h.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "exchange/carddav_sync_state.h"
#include "exchange/server_cards.h"

namespace qm::carddav {

// What one run takes from a server at most; beyond it the run ends with err::kServerLimit.
struct RunLimits {
    std::size_t cards = 100000;                  // cards listed (of a listing, or of the changes)
    std::size_t bytes = std::size_t{512} << 20;  // every answer of the run together
};

inline constexpr int kDefaultTimeoutSeconds = 120;

struct ServerConnection {
    std::string url;  // http:// or https://, without a user name or password
    std::string user;
    std::optional<std::string> password;          // exchange/carddav_credentials.h finds it
    bool insecure = false;                        // accept any TLS certificate (--insecure only)
    int timeoutSeconds = kDefaultTimeoutSeconds;  // a request not answered whole by then fails
    RunLimits limits{};
};

// An address as the user typed it, parted: the address without user information, and the
// user name and password it held (the password is never taken: the caller refuses it).
struct TypedAddress {
    std::string url;
    std::string user;
    bool heldPassword = false;
};
TypedAddress partTypedAddress(const std::string& url);

struct ReadProgress {
    // Cards fetched so far of those to fetch; called before the first batch and after each.
    std::function<void(std::size_t done, std::size_t total)> report;
    // Asked between batches and every tenth of a second while waiting for the server; true
    // ends the read with err::kServerReadCancelled.
    std::function<bool()> cancelled;
};

using Card = ServerCard;

// The new and changed cards, the removed hrefs, the unchanged count and the sync token
// (AddressBookChanges), with what the read found out about the address book.
struct AddressBookRead : AddressBookChanges {
    std::string displayName;
    bool bySyncToken = false;  // the changes came from sync-collection
};

// The connection the command line and the windows make: the address without user
// information; the user from --user, else from the address, else from ~/.netrc; the password
// from QUILLMARK_CARDDAV_PASSWORD, else ~/.netrc. The password goes only to the scheme, host
// and port of this address.
ServerConnection connectionFor(const std::string& url, const std::string& user, bool insecure);

// Reads the address book at connection.url. `known` is what the contact file holds; it counts
// only when its address book URL is the one found (else every card is new). An empty state
// reads every card.
AddressBookRead readAddressBook(const ServerConnection& connection,
                                const CarddavSyncState& known = {},
                                const ReadProgress& progress = {});

// Cards per addressbook-multiget request.
inline constexpr std::size_t kMultigetBatch = 100;

}  // namespace qm::carddav
