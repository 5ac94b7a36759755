#include "carddav/scripted_server.h"

#include <QFile>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpSocket>
#include <QTimer>

#include "carddav/radicale_server.h"

namespace qm::test {

namespace {

QByteArray fileBytes(const QString& path) {
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

}  // namespace

ScriptedServer::ScriptedServer(Responder respond, Transport transport)
    : respond_(std::move(respond)), transport_(transport) {
    if (transport == Transport::Tls) {
        auto tlsServer = std::make_unique<QSslServer>();
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setLocalCertificate(QSslCertificate(fileBytes(radicaleFolder() + "/cert.pem")));
        tls.setPrivateKey(QSslKey(fileBytes(radicaleFolder() + "/key.pem"), QSsl::Rsa));
        tlsServer->setSslConfiguration(tls);
        server_ = std::move(tlsServer);
    } else {
        server_ = std::make_unique<QTcpServer>();
    }
    server_->listen(QHostAddress::LocalHost);
    // A TLS connection is handed over once its handshake is done.
    QObject::connect(server_.get(), &QTcpServer::pendingConnectionAvailable, server_.get(), [this] {
        while (QTcpSocket* socket = server_->nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket,
                             [this, socket] { serve(*socket); });
        }
    });
}

QString ScriptedServer::url(const QString& path) const {
    return QString("%1://127.0.0.1:%2%3")
        .arg(transport_ == Transport::Tls ? "https" : "http")
        .arg(server_->serverPort())
        .arg(path);
}

void ScriptedServer::serve(QTcpSocket& socket) {
    QByteArray& buffer = buffers_[&socket];
    buffer += socket.readAll();
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n");
    if (headEnd < 0) {
        return;
    }
    Request request;
    const QList<QByteArray> lines = buffer.left(headEnd).split('\n');
    const QList<QByteArray> first = lines[0].trimmed().split(' ');
    request.method = first.value(0);
    request.path = first.value(1);
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const qsizetype colon = lines[i].indexOf(':');
        request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                               lines[i].mid(colon + 1).trimmed());
    }
    const qsizetype length = request.headers.value("content-length").toLongLong();
    if (buffer.size() < headEnd + 4 + length) {
        return;
    }
    request.body = buffer.mid(headEnd + 4, length);
    buffer.clear();
    requests.push_back(request);
    const QByteArray reply = respond_(request);
    if (reply.isEmpty()) {
        return;
    }
    if (trickleMs > 0) {
        trickle(socket, reply);
        return;
    }
    socket.write(reply);
    socket.disconnectFromHost();
}

void ScriptedServer::trickle(QTcpSocket& socket, QByteArray rest) {
    socket.write(rest.left(1));
    rest.remove(0, 1);
    if (rest.isEmpty()) {
        socket.disconnectFromHost();
        return;
    }
    QTimer::singleShot(trickleMs, &socket, [this, &socket, rest] { trickle(socket, rest); });
}

QByteArray answer(int status, const QByteArray& reason, const QByteArray& body,
                  const QByteArray& headers) {
    return "HTTP/1.1 " + QByteArray::number(status) + " " + reason +
           "\r\nContent-Type: application/xml; charset=utf-8\r\nContent-Length: " +
           QByteArray::number(body.size()) + "\r\nConnection: close\r\n" + headers + "\r\n" + body;
}

QByteArray multistatus(const QByteArray& responses) {
    return answer(207, "Multi-Status",
                  "<?xml version=\"1.0\"?><D:multistatus xmlns:D=\"DAV:\" "
                  "xmlns:C=\"urn:ietf:params:xml:ns:carddav\">" +
                      responses + "</D:multistatus>");
}

QByteArray response(const QByteArray& href, const QByteArray& properties) {
    return "<D:response><D:href>" + href + "</D:href><D:propstat><D:prop>" + properties +
           "</D:prop><D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response>";
}

}  // namespace qm::test
