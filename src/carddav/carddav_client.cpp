#include "carddav/carddav_client.h"

#include <algorithm>
#include <span>
#include <unordered_map>
#include <unordered_set>

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
// the hrefs reported removed. Only these strings are kept of a listing's answer.
struct Listing {
    std::unordered_map<std::string, std::string> present;
    std::unordered_set<std::string> gone;
    QString syncToken;
    bool complete = true;  // every card is listed (not only the changes)

    std::size_t size() const { return present.size() + gone.size(); }
};

// Answers of "more to come" (507) in a row that name no card not named before.
constexpr int kMaxRoundsWithoutNews = 10;

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

// Takes the cards of a listing's answer into `listing`; true when the answer says that more
// is to come (507 on the address book itself).
bool addListed(Listing& listing, const QUrl& book, const HttpAnswer& answer, const char* method,
               const RunLimits& limits) {
    if (answer.status != 207) {
        throwStatus(answer, method);
    }
    const QString bookPath = hrefPath(book, QString());
    const std::string host = hostOf(answer.url);
    bool moreToCome = false;
    listing.syncToken = readMultistatus(answer.body, host, [&](const DavResponse& response) {
        const QString path = hrefPath(answer.url, response.href);
        const auto& resourceType = response.properties.value(clark(kDav, "resourcetype"));
        if (path == bookPath) {
            moreToCome = moreToCome || response.status == 507;
            return;
        }
        if (resourceType.descendants.contains(clark(kDav, "collection"))) {
            return;
        }
        std::string href = path.toStdString();
        if (response.status == 404) {
            listing.present.erase(href);
            listing.gone.insert(std::move(href));
        } else if (response.has(clark(kDav, "getetag"))) {
            listing.gone.erase(href);
            listing.present.insert_or_assign(
                std::move(href), response.text(clark(kDav, "getetag")).trimmed().toStdString());
        }
        if (listing.size() > limits.cards) {
            throw carddav_error::limitReached(
                host, "sent more than " + std::to_string(limits.cards) + " cards", "--max-cards");
        }
    });
    return moreToCome;
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
    const QString syncToken = currentSyncToken(http, book);
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
    Listing listing;
    addListed(listing, book.url, answer, method, http.limits());
    listing.syncToken = syncToken;
    return listing;
}

// The changes since `token` (RFC 6578), asked again while the server says it sent only part
// (507 on the address book itself); none when the server no longer knows the token. A server
// that keeps saying so without naming any card it has not named before is given up on.
std::optional<Listing> changesSince(HttpSession& http, const AddressBookInfo& book,
                                    const QString& token) {
    Listing listing;
    listing.complete = false;
    QString sent = token;
    int roundsWithoutNews = 0;
    for (bool truncated = true; truncated;) {
        const HttpAnswer answer = http.send(
            "REPORT", book.url,
            kXmlHeader + "<D:sync-collection " + kNamespaces + "><D:sync-token>" + escaped(sent) +
                "</D:sync-token><D:sync-level>1</D:sync-level>"
                "<D:prop><D:getetag/></D:prop></D:sync-collection>");
        if (answer.status >= 400 && answer.status < 500) {
            return std::nullopt;  // valid-sync-token failed: start again from a full listing
        }
        const std::size_t before = listing.size();
        truncated = addListed(listing, book.url, answer, "REPORT", http.limits());
        if (listing.syncToken.isEmpty() || (truncated && listing.syncToken == sent)) {
            throw carddav_error::badAnswer(hostOf(answer.url),
                                           "sync-collection without a new token");
        }
        sent = listing.syncToken;
        roundsWithoutNews = listing.size() > before ? 0 : roundsWithoutNews + 1;
        if (truncated && roundsWithoutNews >= kMaxRoundsWithoutNews) {
            throw carddav_error::limitReached(hostOf(answer.url),
                                              "answered \"more to come\" " +
                                                  std::to_string(kMaxRoundsWithoutNews) +
                                                  " times without a card it had not named",
                                              "");
        }
    }
    return listing;
}

QByteArray multigetBody(std::span<const std::string> hrefs) {
    QByteArray body = kXmlHeader + "<C:addressbook-multiget " + kNamespaces +
                      "><D:prop><D:getetag/><C:address-data/></D:prop>";
    for (const std::string& href : hrefs) {
        body += "<D:href>" + escaped(QString::fromStdString(href)) + "</D:href>";
    }
    return body + "</C:addressbook-multiget>";
}

// Fetches one batch; hrefs the server reports missing go to `missing`.
void fetchBatch(HttpSession& http, const QUrl& book, std::span<const std::string> hrefs,
                AddressBookRead& read, std::vector<std::string>& missing) {
    const HttpAnswer answer = http.send("REPORT", book, multigetBody(hrefs));
    if (answer.status != 207) {
        throwStatus(answer, "REPORT");
    }
    std::unordered_set<std::string> unanswered(hrefs.begin(), hrefs.end());
    readMultistatus(answer.body, hostOf(answer.url), [&](const DavResponse& response) {
        std::string path = hrefPath(answer.url, response.href).toStdString();
        if (unanswered.erase(path) == 0) {
            return;
        }
        if (response.has(clark(kCardDav, "address-data"))) {
            read.cards.push_back(
                Card{std::move(path), response.text(clark(kDav, "getetag")).trimmed().toStdString(),
                     response.text(clark(kCardDav, "address-data")).toStdString()});
        } else {
            missing.push_back(std::move(path));  // removed between the listing and now
        }
    });
    if (!unanswered.empty()) {
        const std::string first = *std::min_element(unanswered.begin(), unanswered.end());
        throw carddav_error::badAnswer(hostOf(answer.url), "no answer for " + first);
    }
}

// The wanted cards in batches, with progress before each batch and at the end.
void fetchCards(HttpSession& http, const QUrl& book, const std::vector<std::string>& wanted,
                const ReadProgress& progress, AddressBookRead& read,
                std::vector<std::string>& missing) {
    for (std::size_t done = 0; done < wanted.size(); done += kMultigetBatch) {
        if (progress.report) {
            progress.report(done, wanted.size());
        }
        http.checkCancelled();
        const std::size_t count = std::min(wanted.size() - done, kMultigetBatch);
        fetchBatch(http, book, std::span(wanted).subspan(done, count), read, missing);
    }
    if (progress.report) {
        progress.report(wanted.size(), wanted.size());
    }
    std::sort(read.cards.begin(), read.cards.end(),
              [](const Card& a, const Card& b) { return a.href < b.href; });
}

using Etags = std::unordered_map<std::string, std::string>;  // href -> ETag

// What the contact file holds, when it holds cards of this address book.
Etags etagsOf(const CarddavSyncState& known, const std::string& bookUrl) {
    Etags etags;
    if (known.addressBookUrl == bookUrl) {
        for (const SyncedCard& card : known.cards) {
            etags.insert_or_assign(card.href, card.etag);
        }
    }
    return etags;
}

// The cards to fetch (new, or another ETag), in href order, and the known ones gone.
struct Comparison {
    std::vector<std::string> wanted;
    std::vector<std::string> removed;
};

Comparison compare(const Listing& listing, const Etags& knownEtags) {
    Comparison comparison;
    for (const auto& [href, etag] : listing.present) {
        const auto knownEtag = knownEtags.find(href);
        if (knownEtag == knownEtags.end() || knownEtag->second.empty() ||
            knownEtag->second != etag) {
            comparison.wanted.push_back(href);
        }
    }
    std::sort(comparison.wanted.begin(), comparison.wanted.end());
    for (const auto& [href, etag] : knownEtags) {
        if (listing.complete ? !listing.present.contains(href) : listing.gone.contains(href)) {
            comparison.removed.push_back(href);
        }
    }
    return comparison;
}

QUrl serverUrl(const ServerConnection& connection, std::string& user) {
    QUrl url(QString::fromStdString(connection.url), QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != "http" && url.scheme() != "https") ||
        url.host().isEmpty()) {
        throw carddav_error::notServerAddress(partTypedAddress(connection.url).url);
    }
    if (user.empty()) {
        user = url.userName().toStdString();
    }
    // A password is never taken from the address.
    return url.adjusted(QUrl::RemoveUserInfo);
}

}  // namespace

TypedAddress partTypedAddress(const std::string& url) {
    TypedAddress parted{url, {}, false};
    const std::size_t scheme = url.find("://");
    if (scheme == std::string::npos) {
        return parted;
    }
    const std::size_t start = scheme + 3;
    const std::size_t end = std::min(url.find_first_of("/?#", start), url.size());
    const std::size_t at = url.rfind('@', end - 1);
    if (at == std::string::npos || at < start) {
        return parted;
    }
    const std::string userInfo = url.substr(start, at - start);
    const std::size_t colon = userInfo.find(':');
    parted.heldPassword = colon != std::string::npos;
    parted.user =
        QByteArray::fromPercentEncoding(QByteArray::fromStdString(userInfo.substr(0, colon)))
            .toStdString();
    parted.url = url.substr(0, start) + url.substr(at + 1);
    return parted;
}

ServerConnection connectionFor(const std::string& url, const std::string& user, bool insecure) {
    const TypedAddress typed = partTypedAddress(url);
    const std::string named = user.empty() ? typed.user : user;
    const QUrl parsed(QString::fromStdString(typed.url));
    const ServerLogin login = findServerLogin(parsed.host().toStdString(), named);
    ServerConnection connection{typed.url, login.user, login.password};
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
    // Kept in the sync state and shown: never with user information, whatever the server wrote.
    read.addressBookUrl =
        book.url.adjusted(QUrl::RemoveUserInfo).toString(QUrl::FullyEncoded).toStdString();
    read.displayName = book.displayName.toStdString();
    const Etags knownEtags = etagsOf(known, read.addressBookUrl);
    std::optional<Listing> listing;
    if (!knownEtags.empty() && !known.syncToken.empty() && book.syncCollection) {
        listing = changesSince(http, book, QString::fromStdString(known.syncToken));
    }
    read.bySyncToken = listing.has_value();
    if (!listing) {
        listing = fullListing(http, book);
    }
    read.syncToken = listing->syncToken.toStdString();

    Comparison comparison = compare(*listing, knownEtags);
    listing.reset();
    fetchCards(http, book.url, comparison.wanted, progress, read, comparison.removed);
    std::sort(comparison.removed.begin(), comparison.removed.end());
    for (std::string& href : comparison.removed) {
        if (knownEtags.contains(href)) {
            read.removed.push_back(std::move(href));
        }
    }
    const auto knownFetched =
        std::count_if(read.cards.begin(), read.cards.end(),
                      [&](const Card& c) { return knownEtags.contains(c.href); });
    read.unchanged =
        knownEtags.size() - read.removed.size() - static_cast<std::size_t>(knownFetched);
    return read;
}

}  // namespace qm::carddav
