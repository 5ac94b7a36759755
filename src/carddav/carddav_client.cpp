#include "carddav/carddav_client.h"

#include <QHash>
#include <QSet>
#include <algorithm>

#include "carddav/address_book_discovery.h"
#include "carddav/http_session.h"
#include "carddav/multistatus.h"
#include "exchange/carddav_credentials.h"
#include "exchange/carddav_errors.h"

namespace qm::carddav {

namespace {

const QByteArray kXmlHeader = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
const QByteArray kNamespaces = "xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:carddav\"";

// The cards on the server as a listing gives them: href -> ETag, and (sync-collection only)
// the hrefs reported removed.
struct Listing {
    QHash<QString, QString> present;
    QSet<QString> gone;
    QString syncToken;
    bool complete = true;  // every card is listed (not only the changes)
};

QByteArray escaped(const QString& text) {
    return text.toHtmlEscaped().toUtf8();
}

[[noreturn]] void throwStatus(const HttpAnswer& answer, const char* method) {
    throw carddav_error::status(hostOf(answer.url), answer.status, answer.reason.toStdString(),
                                method, answer.url.path(QUrl::FullyEncoded).toStdString());
}

Multistatus expectMultistatus(const HttpAnswer& answer, const char* method) {
    if (answer.status != 207) {
        throwStatus(answer, method);
    }
    return parseMultistatus(answer.body, hostOf(answer.url));
}

void addListed(Listing& listing, const QUrl& book, const HttpAnswer& answer,
               const Multistatus& multistatus) {
    const QString bookPath = hrefPath(book, QString());
    for (const DavResponse& response : multistatus.responses) {
        const QString path = hrefPath(answer.url, response.href);
        const auto& resourceType = response.properties.value(clark(kDav, "resourcetype"));
        if (path == bookPath || resourceType.descendants.contains(clark(kDav, "collection"))) {
            continue;
        }
        if (response.status == 404) {
            listing.present.remove(path);
            listing.gone.insert(path);
        } else if (response.has(clark(kDav, "getetag"))) {
            listing.gone.remove(path);
            listing.present.insert(path, response.text(clark(kDav, "getetag")).trimmed());
        }
    }
}

// The address book's sync token, asked before the listing so that a change made meanwhile
// comes again in the next sync; empty when the server offers no sync-collection.
QString currentSyncToken(HttpSession& http, const AddressBookInfo& book) {
    if (!book.syncCollection) {
        return {};
    }
    const HttpAnswer answer = http.send("PROPFIND", book.url, propfindBody("<D:sync-token/>"), "0");
    const Multistatus multistatus = expectMultistatus(answer, "PROPFIND");
    return multistatus.responses.empty()
               ? QString()
               : multistatus.responses.front().text(clark(kDav, "sync-token")).trimmed();
}

// Every card with its ETag: addressbook-query, or PROPFIND where the server refuses it.
Listing fullListing(HttpSession& http, const AddressBookInfo& book) {
    Listing listing;
    listing.syncToken = currentSyncToken(http, book);
    HttpAnswer answer = http.send("REPORT", book.url,
                                  kXmlHeader + "<C:addressbook-query " + kNamespaces +
                                      "><D:prop><D:getetag/></D:prop><C:filter/>"
                                      "</C:addressbook-query>",
                                  "1");
    const char* method = "REPORT";
    if (answer.status >= 400 && answer.status < 500) {
        answer =
            http.send("PROPFIND", book.url, propfindBody("<D:getetag/><D:resourcetype/>"), "1");
        method = "PROPFIND";
    }
    addListed(listing, book.url, answer, expectMultistatus(answer, method));
    return listing;
}

// The changes since `token` (RFC 6578), asked again while the server says it sent only part
// (507 on the address book itself); none when the server no longer knows the token.
std::optional<Listing> changesSince(HttpSession& http, const AddressBookInfo& book,
                                    const QString& token) {
    Listing listing;
    listing.complete = false;
    listing.syncToken = token;
    const QString bookPath = hrefPath(book.url, QString());
    for (bool truncated = true; truncated;) {
        const HttpAnswer answer =
            http.send("REPORT", book.url,
                      kXmlHeader + "<D:sync-collection " + kNamespaces + "><D:sync-token>" +
                          escaped(listing.syncToken) +
                          "</D:sync-token><D:sync-level>1</D:sync-level>"
                          "<D:prop><D:getetag/></D:prop></D:sync-collection>");
        if (answer.status >= 400 && answer.status < 500) {
            return std::nullopt;  // valid-sync-token failed: start again from a full listing
        }
        const Multistatus multistatus = expectMultistatus(answer, "REPORT");
        truncated = std::any_of(
            multistatus.responses.begin(), multistatus.responses.end(), [&](const auto& r) {
                return r.status == 507 && hrefPath(answer.url, r.href) == bookPath;
            });
        if (multistatus.syncToken.isEmpty() ||
            (truncated && multistatus.syncToken == listing.syncToken)) {
            throw carddav_error::badAnswer(hostOf(answer.url),
                                           "sync-collection without a new token");
        }
        listing.syncToken = multistatus.syncToken;
        addListed(listing, book.url, answer, multistatus);
    }
    return listing;
}

QByteArray multigetBody(const std::vector<QString>& hrefs) {
    QByteArray body = kXmlHeader + "<C:addressbook-multiget " + kNamespaces +
                      "><D:prop><D:getetag/><C:address-data/></D:prop>";
    for (const QString& href : hrefs) {
        body += "<D:href>" + escaped(href) + "</D:href>";
    }
    return body + "</C:addressbook-multiget>";
}

// Fetches one batch; hrefs the server reports missing go to `removed`.
void fetchBatch(HttpSession& http, const QUrl& book, const std::vector<QString>& hrefs,
                AddressBookRead& read, std::vector<QString>& missing) {
    const HttpAnswer answer = http.send("REPORT", book, multigetBody(hrefs));
    const Multistatus multistatus = expectMultistatus(answer, "REPORT");
    QSet<QString> unanswered(hrefs.begin(), hrefs.end());
    for (const DavResponse& response : multistatus.responses) {
        const QString path = hrefPath(answer.url, response.href);
        if (!unanswered.remove(path)) {
            continue;
        }
        if (response.has(clark(kCardDav, "address-data"))) {
            read.cards.push_back(Card{
                path.toStdString(), response.text(clark(kDav, "getetag")).trimmed().toStdString(),
                response.text(clark(kCardDav, "address-data")).toStdString()});
        } else {
            missing.push_back(path);  // removed between the listing and now
        }
    }
    if (!unanswered.isEmpty()) {
        throw carddav_error::badAnswer(hostOf(answer.url),
                                       "no answer for " + unanswered.begin()->toStdString());
    }
}

// The wanted cards in batches, with progress before each batch and at the end.
void fetchCards(HttpSession& http, const QUrl& book, const std::vector<QString>& wanted,
                const ReadProgress& progress, AddressBookRead& read,
                std::vector<QString>& missing) {
    for (std::size_t done = 0; done < wanted.size(); done += kMultigetBatch) {
        if (progress.report) {
            progress.report(done, wanted.size());
        }
        http.checkCancelled();
        const std::size_t end = std::min(wanted.size(), done + kMultigetBatch);
        fetchBatch(http, book,
                   {wanted.begin() + static_cast<std::ptrdiff_t>(done),
                    wanted.begin() + static_cast<std::ptrdiff_t>(end)},
                   read, missing);
    }
    if (progress.report) {
        progress.report(wanted.size(), wanted.size());
    }
    std::sort(read.cards.begin(), read.cards.end(),
              [](const Card& a, const Card& b) { return a.href < b.href; });
}

// href -> ETag of what the contact file holds, when it holds cards of this address book.
QHash<QString, QString> etagsOf(const CarddavSyncState& known, const std::string& bookUrl) {
    QHash<QString, QString> etags;
    if (known.addressBookUrl == bookUrl) {
        for (const SyncedCard& card : known.cards) {
            etags.insert(QString::fromStdString(card.href), QString::fromStdString(card.etag));
        }
    }
    return etags;
}

// The cards to fetch (new, or another ETag), in href order, and the known ones gone.
struct Comparison {
    std::vector<QString> wanted;
    std::vector<QString> removed;
};

Comparison compare(const Listing& listing, const QHash<QString, QString>& knownEtags) {
    Comparison comparison;
    for (auto it = listing.present.cbegin(); it != listing.present.cend(); ++it) {
        const auto knownEtag = knownEtags.constFind(it.key());
        if (knownEtag == knownEtags.cend() || knownEtag->isEmpty() || *knownEtag != it.value()) {
            comparison.wanted.push_back(it.key());
        }
    }
    std::sort(comparison.wanted.begin(), comparison.wanted.end());
    for (auto it = knownEtags.cbegin(); it != knownEtags.cend(); ++it) {
        if (listing.complete ? !listing.present.contains(it.key())
                             : listing.gone.contains(it.key())) {
            comparison.removed.push_back(it.key());
        }
    }
    return comparison;
}

QUrl serverUrl(const ServerConnection& connection, std::string& user) {
    QUrl url(QString::fromStdString(connection.url), QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https") ||
        url.host().isEmpty()) {
        throw carddav_error::notServerAddress(connection.url);
    }
    if (user.empty()) {
        user = url.userName().toStdString();
    }
    // A password is never taken from the address.
    return url.adjusted(QUrl::RemoveUserInfo);
}

}  // namespace

ServerConnection connectionFor(const std::string& url, const std::string& user, bool insecure) {
    const QUrl parsed(QString::fromStdString(url));
    const std::string named = user.empty() ? parsed.userName().toStdString() : user;
    const ServerLogin login = findServerLogin(parsed.host().toStdString(), named);
    ServerConnection connection{url, login.user, login.password};
    connection.insecure = insecure;
    return connection;
}

AddressBookRead readAddressBook(const ServerConnection& connection, const CarddavSyncState& known,
                                const ReadProgress& progress) {
    ServerConnection effective = connection;
    const QUrl start = serverUrl(connection, effective.user);
    effective.url = start.toString(QUrl::FullyEncoded).toStdString();
    HttpSession http(effective, progress);
    const AddressBookInfo book = findAddressBook(http, start);

    AddressBookRead read;
    read.addressBookUrl = book.url.toString(QUrl::FullyEncoded).toStdString();
    read.displayName = book.displayName.toStdString();
    const QHash<QString, QString> knownEtags = etagsOf(known, read.addressBookUrl);
    std::optional<Listing> listing;
    if (!knownEtags.isEmpty() && !known.syncToken.empty() && book.syncCollection) {
        listing = changesSince(http, book, QString::fromStdString(known.syncToken));
    }
    read.bySyncToken = listing.has_value();
    if (!listing) {
        listing = fullListing(http, book);
    }
    read.syncToken = listing->syncToken.toStdString();

    Comparison comparison = compare(*listing, knownEtags);
    fetchCards(http, book.url, comparison.wanted, progress, read, comparison.removed);
    std::sort(comparison.removed.begin(), comparison.removed.end());
    for (const QString& href : comparison.removed) {
        if (knownEtags.contains(href)) {
            read.removed.push_back(href.toStdString());
        }
    }
    const auto knownFetched = std::count_if(
        read.cards.begin(), read.cards.end(),
        [&](const Card& c) { return knownEtags.contains(QString::fromStdString(c.href)); });
    read.unchanged = static_cast<std::size_t>(knownEtags.size()) - read.removed.size() -
                     static_cast<std::size_t>(knownFetched);
    return read;
}

}  // namespace qm::carddav
