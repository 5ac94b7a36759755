#pragma once

// The radicale servers that scripts/radicale-server.sh started for this run (the folder is in
// QUILLMARK_RADICALE), and the few requests that fill them, made through the client's own
// HTTP session.

#include <QString>
#include <string>
#include <vector>

namespace qm::test {

struct RadicaleUser {
    std::string name;
    std::string password;
};

inline const RadicaleUser kAlice{"alice", "secret"};
inline const RadicaleUser kDora{"dora", "explorer"};

// The servers' folder: their certificate (cert.pem) and key (key.pem) among other files.
QString radicaleFolder();
// http://127.0.0.1:PORT/
QString radicaleUrl();
// The same address on the TLS server (https://127.0.0.1:PORT/..., a self-signed certificate).
QString onTlsServer(const QString& url);

// A vCard 3.0 for one person; `uid` also names the card's file.
std::string personCard(const std::string& uid, const std::string& first, const std::string& last);

// MKCOL of an address book under the user's home; returns its URL (ending in /).
QString makeAddressBook(const RadicaleUser& user, const QString& name, const QString& displayName);
// PUT of one card as BOOK/UID.vcf (creates or replaces); DELETE of one.
void putCard(const RadicaleUser& user, const QString& book, const std::string& uid,
             const std::string& vcard);
void deleteCard(const RadicaleUser& user, const QString& book, const std::string& uid);
// An address book of `count` people (p0 .. pN-1) made with one PUT of all the cards.
QString makeFilledAddressBook(const RadicaleUser& user, const QString& name, int count);

}  // namespace qm::test
