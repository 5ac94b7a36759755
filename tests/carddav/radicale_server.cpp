#include "carddav/radicale_server.h"

#include <QFile>
#include <QUrl>
#include <stdexcept>

#include "carddav/http_session.h"

namespace qm::test {

namespace {

QString portFile(const char* name) {
    QFile file(radicaleFolder() + "/" + name);
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("no " + file.fileName().toStdString());
    }
    return QString::fromLatin1(file.readAll().trimmed());
}

void expect(const carddav::HttpAnswer& answer, std::initializer_list<int> statuses) {
    for (const int status : statuses) {
        if (answer.status == status) {
            return;
        }
    }
    throw std::runtime_error("radicale answered " + std::to_string(answer.status) + ": " +
                             answer.body.left(300).toStdString());
}

carddav::HttpAnswer send(const RadicaleUser& user, const QByteArray& method, const QString& url,
                         const QByteArray& body, const QByteArray& contentType) {
    carddav::ServerConnection connection{url.toStdString(), user.name, user.password};
    connection.timeoutSeconds = 600;  // the server answers a PUT of 10,000 cards only when done
    carddav::HttpSession http(connection, {});
    // The login first, with a small request: a server that refuses a large body unread may
    // close the connection before Qt has sent it all.
    http.send("PROPFIND", QUrl(radicaleUrl() + QString::fromStdString(user.name) + "/"), {}, "0");
    return http.send(method, QUrl(url), body, {}, contentType);
}

}  // namespace

QString radicaleFolder() {
    const QByteArray dir = qgetenv("QUILLMARK_RADICALE");
    if (dir.isEmpty()) {
        throw std::runtime_error("QUILLMARK_RADICALE is not set: run the tests through ctest");
    }
    return QString::fromLocal8Bit(dir);
}

QString radicaleUrl() {
    return "http://127.0.0.1:" + portFile("port") + "/";
}

QString onTlsServer(const QString& url) {
    QString tls = url;
    return tls.replace(radicaleUrl(), "https://127.0.0.1:" + portFile("tls-port") + "/");
}

std::string personCard(const std::string& uid, const std::string& first, const std::string& last) {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nUID:" + uid + "\r\nFN:" + first + " " + last +
           "\r\nN:" + last + ";" + first + ";;;\r\nEMAIL:" + uid +
           "@example.com\r\nADR;TYPE=HOME:;;12 Oak St;Troy;NY;12180;USA\r\nEND:VCARD\r\n";
}

QString makeAddressBook(const RadicaleUser& user, const QString& name, const QString& displayName) {
    const QString url = radicaleUrl() + QString::fromStdString(user.name) + "/" + name + "/";
    const QByteArray body =
        "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
        "<D:mkcol xmlns:D=\"DAV:\" xmlns:C=\"urn:ietf:params:xml:ns:carddav\"><D:set><D:prop>"
        "<D:resourcetype><D:collection/><C:addressbook/></D:resourcetype><D:displayname>" +
        displayName.toHtmlEscaped().toUtf8() + "</D:displayname></D:prop></D:set></D:mkcol>";
    expect(send(user, "MKCOL", url, body, "application/xml; charset=utf-8"), {201});
    return url;
}

void putCard(const RadicaleUser& user, const QString& book, const std::string& uid,
             const std::string& vcard) {
    expect(send(user, "PUT", book + QString::fromStdString(uid) + ".vcf",
                QByteArray::fromStdString(vcard), "text/vcard; charset=utf-8"),
           {201, 204});
}

void deleteCard(const RadicaleUser& user, const QString& book, const std::string& uid) {
    expect(send(user, "DELETE", book + QString::fromStdString(uid) + ".vcf", {}, {}), {200, 204});
}

QString makeFilledAddressBook(const RadicaleUser& user, const QString& name, int count) {
    std::string cards;
    for (int i = 0; i < count; ++i) {
        cards += personCard("p" + std::to_string(i), "Person", "Number" + std::to_string(i));
    }
    const QString url = radicaleUrl() + QString::fromStdString(user.name) + "/" + name + "/";
    expect(send(user, "PUT", url, QByteArray::fromStdString(cards), "text/vcard; charset=utf-8"),
           {201});
    return url;
}

}  // namespace qm::test
