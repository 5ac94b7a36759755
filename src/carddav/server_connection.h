#pragma once

// Where an address book server is and how a read of it is watched: what an HTTP session
// needs to start, apart from the client that reads the address book over it.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

namespace qm::carddav {

struct ServerConnection {
    std::string url;  // http:// or https://
    std::string user;
    std::optional<std::string> password;  // exchange/carddav_credentials.h finds it
    bool insecure = false;                // accept any TLS certificate (--insecure only)
    int timeoutSeconds = 60;              // a request that moves no byte this long fails
};

struct ReadProgress {
    // Cards fetched so far of those to fetch; called before the first batch and after each.
    std::function<void(std::size_t done, std::size_t total)> report;
    // Asked between batches and every tenth of a second while waiting for the server; true
    // ends the read with err::kServerReadCancelled.
    std::function<bool()> cancelled;
};

}  // namespace qm::carddav
