#pragma once

// Finds the address book behind the address the user gives: the address book itself, or a
// server root, principal or home set from which the first address book (or the one the
// address names) is taken (RFC 6352 section 7, RFC 6764).

#include <QString>
#include <QUrl>

namespace qm::carddav {

class HttpSession;

struct AddressBookInfo {
    QUrl url;
    QString displayName;
    bool syncCollection = false;  // the server lists sync-collection among its reports
};

// Throws QmError err::kNoAddressBook when none is found.
AddressBookInfo findAddressBook(HttpSession& http, const QUrl& start);

// The body of a PROPFIND asking for `properties` (DAV: prefix D, CardDAV prefix C).
QByteArray propfindBody(const QByteArray& properties);

}  // namespace qm::carddav
