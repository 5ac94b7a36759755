#include "exchange/carddav_errors.h"

namespace qm::carddav_error {

namespace {

std::string server(const std::string& host) {
    return "the address book server " + printable(host);
}

}  // namespace

std::string printable(const std::string& text, std::size_t limit) {
    std::string out;
    for (const char c : text) {
        if (out.size() == limit) {
            out += "...";
            break;
        }
        out += (c >= 0x20 && c < 0x7f) ? c : '?';
    }
    return out;
}

QmError unreachable(const std::string& host, const std::string& reason) {
    return QmError(err::kServerUnreachable,
                   "Cannot reach " + server(host) + " (" + printable(reason) + ")");
}

QmError certificate(const std::string& host, const std::string& reason) {
    return QmError(err::kServerCertificate, "The certificate of " + server(host) +
                                                " cannot be trusted (" + printable(reason) + ")");
}

QmError loginRefused(const std::string& host, const std::string& user) {
    return QmError(err::kServerLogin, "The address book server " + printable(host) +
                                          " refused the user name " + printable(user) +
                                          " or its password");
}

QmError passwordNeeded(const std::string& host) {
    return QmError(err::kServerPasswordNeeded, "The address book server " + printable(host) +
                                                   " asks for a user name and password");
}

QmError timeout(const std::string& host, int seconds) {
    return QmError(err::kServerTimeout, "The address book server " + printable(host) +
                                            " did not answer within " + std::to_string(seconds) +
                                            " seconds");
}

QmError status(const std::string& host, int code, const std::string& reason,
               const std::string& method, const std::string& path) {
    return QmError(err::kServerStatus, "The address book server " + printable(host) + " answered " +
                                           std::to_string(code) + " " + printable(reason, 60) +
                                           " to " + method + " " + printable(path));
}

QmError badAnswer(const std::string& host, const std::string& why) {
    return QmError(err::kServerBadAnswer, "The address book server " + printable(host) +
                                              " sent an answer that cannot be read (" +
                                              printable(why) + ")");
}

QmError cardUnreadable(const std::string& href, const std::string& why) {
    return QmError(err::kServerBadAnswer,
                   "The card " + printable(href) + " of the address book " + why);
}

QmError connectionCut(const std::string& host) {
    return QmError(err::kServerConnectionCut,
                   "The connection to " + server(host) + " ended before the answer was complete");
}

QmError tooManyRedirects(const std::string& host) {
    return QmError(err::kServerRedirect,
                   "The address book server " + printable(host) + " redirected too many times");
}

QmError lessSafeRedirect(const std::string& host, const std::string& target) {
    return QmError(err::kServerRedirect, "The address book server " + printable(host) +
                                             " redirected to a less safe address (" +
                                             printable(target) + ")");
}

QmError lessSafeLink(const std::string& host, const std::string& target) {
    return QmError(err::kServerRedirect, "The address book server " + printable(host) +
                                             " named a less safe address (" + printable(target) +
                                             "); the password is never sent over http after "
                                             "https");
}

QmError loginElsewhere(const std::string& givenOrigin, const std::string& askingOrigin) {
    return QmError(err::kServerLoginElsewhere,
                   printable(askingOrigin) + " asks for a login; the password is sent only to " +
                       printable(givenOrigin) + ", the server given");
}

QmError limitReached(const std::string& host, const std::string& what, const std::string& option) {
    std::string text =
        "The address book server " + printable(host) + " " + what + "; a run stops there";
    if (!option.empty()) {
        text += " (on the command line, " + option + " raises the limit)";
    }
    return QmError(err::kServerLimit, text);
}

QmError netrcRefused(const std::string& path, const std::string& why) {
    return QmError(err::kNetrcRefused, printable(path) + " is not read: " + why);
}

QmError noAddressBook(const std::string& url) {
    return QmError(err::kNoAddressBook, "No address book found at " + printable(url));
}

QmError notServerAddress(const std::string& url) {
    return QmError(err::kNotServerAddress,
                   printable(url) + " is not an address beginning with http:// or https://");
}

QmError cancelled() {
    return QmError(err::kServerReadCancelled, "Reading the address book was cancelled");
}

QmError syncStateDamaged(const std::string& path, int line) {
    return QmError(err::kSyncStateDamaged, "The address book sync file " + path +
                                               " is damaged (line " + std::to_string(line) + ")");
}

}  // namespace qm::carddav_error
