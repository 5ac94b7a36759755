#pragma once

// Where an address book server is and how a read of it is watched: what an HTTP session
// needs to start, apart from the client that reads the address book over it.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>

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

struct ReadProgress {
    // Cards fetched so far of those to fetch; called before the first batch and after each.
    std::function<void(std::size_t done, std::size_t total)> report;
    // Asked between batches and every tenth of a second while waiting for the server; true
    // ends the read with err::kServerReadCancelled.
    std::function<bool()> cancelled;
};

}  // namespace qm::carddav
