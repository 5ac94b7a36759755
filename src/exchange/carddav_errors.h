#pragma once

// The errors of reading an address book server, one builder per error number, so that the
// command line and the window tell them in the same words. HOST is the server's host name
// (ASCII, as in the address), never the whole address with its user name.

#include <string>

#include "records/error.h"

namespace qm::carddav_error {

QmError unreachable(const std::string& host, const std::string& reason);
QmError certificate(const std::string& host, const std::string& reason);
QmError loginRefused(const std::string& host, const std::string& user);
QmError passwordNeeded(const std::string& host);
QmError timeout(const std::string& host, int seconds);
// An HTTP status the step cannot go on from (500, 403 ...), with the request that got it.
QmError status(const std::string& host, int code, const std::string& reason,
               const std::string& method, const std::string& path);
QmError badAnswer(const std::string& host, const std::string& why);
// A card that the vCard reader cannot take as one contact (`why`: "is not a vCard" ...).
QmError cardUnreadable(const std::string& href, const std::string& why);
QmError connectionCut(const std::string& host);
QmError tooManyRedirects(const std::string& host);
QmError lessSafeRedirect(const std::string& host, const std::string& target);
// A discovery answer that names an address of a less safe scheme (http after https).
QmError lessSafeLink(const std::string& host, const std::string& target);
// A login asked for by another server (scheme, host or port) than the one given.
QmError loginElsewhere(const std::string& givenOrigin, const std::string& askingOrigin);
// More than a run may take: `what` says what the server did ("sent more than 100000 cards")
// and `option` names the command-line option that raises the limit (empty when none does).
QmError limitReached(const std::string& host, const std::string& what, const std::string& option);
// ~/.netrc is not read: `why` says what is wrong with it.
QmError netrcRefused(const std::string& path, const std::string& why);
QmError noAddressBook(const std::string& url);
QmError notServerAddress(const std::string& url);
QmError cancelled();
QmError syncStateDamaged(const std::string& path, int line);

// Keeps printable ASCII only (server texts can hold anything), at most `limit` characters.
std::string printable(const std::string& text, std::size_t limit = 200);

}  // namespace qm::carddav_error
