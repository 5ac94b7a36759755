#include "carddav/multistatus.h"

#include <QBuffer>
#include <QXmlStreamReader>

#include "exchange/carddav_errors.h"

namespace qm::carddav {

namespace {

QString nameOf(const QXmlStreamReader& xml) {
    return clark(xml.namespaceUri().toString(), xml.name().toString());
}

// "HTTP/1.1 404 Not Found" -> 404
int statusCode(const QString& line) {
    const QStringList words = line.simplified().split(u' ');
    return words.size() >= 2 ? words[1].toInt() : 0;
}

DavProperty readProperty(QXmlStreamReader& xml) {
    DavProperty property;
    int depth = 1;
    bool inHref = false;
    while (depth > 0 && !xml.atEnd()) {
        switch (xml.readNext()) {
            case QXmlStreamReader::StartElement:
                ++depth;
                property.descendants.append(nameOf(xml));
                inHref = nameOf(xml) == clark(kDav, "href");
                if (inHref) {
                    property.hrefs.append(QString());
                }
                break;
            case QXmlStreamReader::EndElement:
                --depth;
                inHref = false;
                break;
            case QXmlStreamReader::Characters:
                property.text += xml.text();
                if (inHref) {
                    property.hrefs.last() += xml.text().trimmed();
                }
                break;
            default:
                break;
        }
    }
    return property;
}

void readPropstat(QXmlStreamReader& xml, DavResponse& response) {
    QHash<QString, DavProperty> found;
    int status = 0;
    while (xml.readNextStartElement()) {
        const QString name = nameOf(xml);
        if (name == clark(kDav, "prop")) {
            while (xml.readNextStartElement()) {
                const QString property = nameOf(xml);
                found.insert(property, readProperty(xml));
            }
        } else if (name == clark(kDav, "status")) {
            status = statusCode(xml.readElementText(QXmlStreamReader::IncludeChildElements));
        } else {
            xml.skipCurrentElement();
        }
    }
    if (status >= 200 && status < 300) {
        response.properties.insert(found);
    }
}

DavResponse readResponse(QXmlStreamReader& xml) {
    DavResponse response;
    while (xml.readNextStartElement()) {
        const QString name = nameOf(xml);
        if (name == clark(kDav, "href")) {
            response.href = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        } else if (name == clark(kDav, "status")) {
            response.status =
                statusCode(xml.readElementText(QXmlStreamReader::IncludeChildElements));
        } else if (name == clark(kDav, "propstat")) {
            readPropstat(xml, response);
        } else {
            xml.skipCurrentElement();
        }
    }
    return response;
}

}  // namespace

QString clark(const QString& ns, const QString& local) {
    return u'{' + ns + u'}' + local;
}

QString readMultistatus(const QByteArray& body, const std::string& host,
                        const std::function<void(const DavResponse&)>& visit) {
    // Read through a device, a block at a time: given the bytes whole, the reader would first
    // decode all of them, twice their size.
    QBuffer device;
    device.setData(body);
    device.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&device);
    if (!xml.readNextStartElement() || nameOf(xml) != clark(kDav, "multistatus")) {
        const std::string why = xml.hasError()
                                    ? xml.errorString().toStdString()
                                    : "no WebDAV multistatus: " + nameOf(xml).toStdString();
        throw carddav_error::badAnswer(host, why);
    }
    QString syncToken;
    while (xml.readNextStartElement()) {
        const QString name = nameOf(xml);
        if (name == clark(kDav, "response")) {
            visit(readResponse(xml));
        } else if (name == clark(kDav, "sync-token")) {
            syncToken = xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
        } else {
            xml.skipCurrentElement();
        }
    }
    if (xml.hasError()) {
        throw carddav_error::badAnswer(host, "line " + std::to_string(xml.lineNumber()) + ": " +
                                                 xml.errorString().toStdString());
    }
    return syncToken;
}

Multistatus parseMultistatus(const QByteArray& body, const std::string& host) {
    Multistatus result;
    result.syncToken = readMultistatus(
        body, host, [&](const DavResponse& response) { result.responses.push_back(response); });
    return result;
}

QString hrefPath(const QUrl& base, const QString& href) {
    // One spelling for every equivalent one ("%40" and "@", "%7e" and "~").
    const QString path = base.resolved(QUrl::fromEncoded(href.toUtf8())).path(QUrl::FullyDecoded);
    return QString::fromLatin1(QUrl::toPercentEncoding(path, "/"));
}

}  // namespace qm::carddav
