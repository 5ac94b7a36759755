#pragma once

// The WebDAV 207 multistatus answer (RFC 4918, with the RFC 6578 sync token), read with Qt's
// XML stream reader into what the client asks of it.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <vector>

namespace qm::carddav {

// Element names in Clark notation: {namespace}local.
inline const QString kDav = QStringLiteral("DAV:");
inline const QString kCardDav = QStringLiteral("urn:ietf:params:xml:ns:carddav");

struct DavProperty {
    QString text;             // the character data inside, children's included
    QStringList descendants;  // names of every element inside (resourcetype, report sets)
    QStringList hrefs;        // the DAV:href texts inside
};

struct DavResponse {
    QString href;    // as sent
    int status = 0;  // the response's own status (sync-collection: 404 = removed), else 0
    QHash<QString, DavProperty> properties;  // from the propstat blocks with a 2xx status

    bool has(const QString& name) const { return properties.contains(name); }
    QString text(const QString& name) const { return properties.value(name).text; }
};

struct Multistatus {
    std::vector<DavResponse> responses;
    QString syncToken;
};

// Throws QmError err::kServerBadAnswer (naming `host`) when the body is not a multistatus.
Multistatus parseMultistatus(const QByteArray& body, const std::string& host);

// The same, one response at a time: `visit` sees each as it is read, and none is kept (a
// listing of many cards keeps only what the caller takes from each). Returns the sync token.
QString readMultistatus(const QByteArray& body, const std::string& host,
                        const std::function<void(const DavResponse&)>& visit);

QString clark(const QString& ns, const QString& local);

// An href as the path it names on the server, resolved against `base`, percent-encoded in one
// way whatever the server's spelling (only letters, digits, "-._~" and "/" stay as they are).
QString hrefPath(const QUrl& base, const QString& href);

}  // namespace qm::carddav
