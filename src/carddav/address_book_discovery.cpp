#include "carddav/address_book_discovery.h"

#include <algorithm>
#include <optional>

#include "carddav/http_session.h"
#include "carddav/multistatus.h"
#include "exchange/carddav_errors.h"

namespace qm::carddav {

namespace {

// Not the sync token: some servers work it out over every card when asked.
const QByteArray kCollectionProperties =
    "<D:resourcetype/><D:displayname/><D:supported-report-set/>";

// A PROPFIND's answer with the address that gave it (hrefs resolve against it); none when
// the address holds nothing to ask (404, 405, a web page ...).
struct Found {
    Multistatus answer;
    QUrl url;
};

std::optional<Found> propfind(HttpSession& http, const QUrl& url, const QByteArray& depth,
                              const QByteArray& properties) {
    const HttpAnswer answer = http.send("PROPFIND", url, propfindBody(properties), depth);
    if (answer.status >= 500) {
        throw carddav_error::status(hostOf(answer.url), answer.status, answer.reason.toStdString(),
                                    "PROPFIND", answer.url.path(QUrl::FullyEncoded).toStdString());
    }
    if (answer.status != 207) {
        return std::nullopt;
    }
    return Found{parseMultistatus(answer.body, hostOf(answer.url)), answer.url};
}

bool isAddressBook(const DavResponse& response) {
    return response.properties.value(clark(kDav, "resourcetype"))
        .descendants.contains(clark(kCardDav, "addressbook"));
}

AddressBookInfo infoOf(const QUrl& base, const DavResponse& response) {
    AddressBookInfo info;
    info.url = base.resolved(QUrl::fromEncoded(response.href.toUtf8()));
    info.displayName = response.text(clark(kDav, "displayname")).trimmed();
    info.syncCollection = response.properties.value(clark(kDav, "supported-report-set"))
                              .descendants.contains(clark(kDav, "sync-collection"));
    return info;
}

// The address in the first href of `property` of the first response.
QUrl linkedUrl(const Found& found, const QString& property) {
    if (found.answer.responses.empty()) {
        return {};
    }
    const QStringList hrefs = found.answer.responses.front().properties.value(property).hrefs;
    if (hrefs.isEmpty() || hrefs.front().isEmpty()) {
        return {};
    }
    return found.url.resolved(QUrl::fromEncoded(hrefs.front().toUtf8()));
}

QString lastSegment(const QUrl& url) {
    const QStringList parts = url.path().split(u'/', Qt::SkipEmptyParts);
    return parts.isEmpty() ? QString() : parts.last();
}

bool isRoot(const QUrl& url) {
    return url.path().isEmpty() || url.path() == "/";
}

// The address books in the home set, in href order; the one whose last path segment or
// display name is `name` when there is one.
std::optional<AddressBookInfo> chooseBook(const Found& home, const QString& name) {
    std::vector<AddressBookInfo> books;
    for (const DavResponse& response : home.answer.responses) {
        if (isAddressBook(response)) {
            books.push_back(infoOf(home.url, response));
        }
    }
    std::sort(books.begin(), books.end(),
              [](const auto& a, const auto& b) { return a.url.path() < b.url.path(); });
    for (const AddressBookInfo& book : books) {
        if (!name.isEmpty() && (lastSegment(book.url).compare(name, Qt::CaseInsensitive) == 0 ||
                                book.displayName.compare(name, Qt::CaseInsensitive) == 0)) {
            return book;
        }
    }
    if (books.empty() || !name.isEmpty()) {
        return std::nullopt;
    }
    return books.front();
}

}  // namespace

QByteArray propfindBody(const QByteArray& properties) {
    return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
           "<D:propfind xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:carddav\"><D:prop>" +
           properties + "</D:prop></D:propfind>";
}

AddressBookInfo findAddressBook(HttpSession& http, const QUrl& start) {
    const QString principalName = clark(kDav, "current-user-principal");
    const QString homeName = clark(kCardDav, "addressbook-home-set");
    const QUrl wellKnown = start.resolved(QUrl("/.well-known/carddav"));
    // A server root is asked at its well-known address first (RFC 6764), any other address
    // first for itself.
    std::optional<Found> first;
    if (isRoot(start)) {
        first = propfind(http, wellKnown, "0", "<D:current-user-principal/>");
    }
    if (!first || linkedUrl(*first, principalName).isEmpty()) {
        first = propfind(
            http, start, "0",
            kCollectionProperties + "<D:current-user-principal/><C:addressbook-home-set/>");
    }
    const bool startExists = first.has_value();
    if (first && !first->answer.responses.empty() && isAddressBook(first->answer.responses[0])) {
        return infoOf(first->url, first->answer.responses[0]);
    }
    QUrl home = first ? linkedUrl(*first, homeName) : QUrl();
    QUrl principal = first ? linkedUrl(*first, principalName) : QUrl();
    if (home.isEmpty() && principal.isEmpty() && !isRoot(start)) {
        if (const auto found = propfind(http, wellKnown, "0", "<D:current-user-principal/>")) {
            principal = linkedUrl(*found, principalName);
        }
    }
    if (home.isEmpty() && !principal.isEmpty()) {
        if (const auto found = propfind(http, principal, "0", "<C:addressbook-home-set/>")) {
            home = linkedUrl(*found, homeName);
        }
    }
    const QString noAddress = start.toString(QUrl::FullyEncoded);
    if (home.isEmpty()) {
        throw carddav_error::noAddressBook(noAddress.toStdString());
    }
    const std::optional<Found> books = propfind(http, home, "1", kCollectionProperties);
    // An address that exists (root, principal, home set) takes the first address book; one
    // that does not may name the address book ("https://host/Family").
    const std::optional<AddressBookInfo> book =
        books ? chooseBook(*books, startExists ? QString() : lastSegment(start)) : std::nullopt;
    if (!book) {
        throw carddav_error::noAddressBook(noAddress.toStdString());
    }
    return *book;
}

}  // namespace qm::carddav
