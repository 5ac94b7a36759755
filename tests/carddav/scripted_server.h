#pragma once

// A tiny scripted HTTP server on 127.0.0.1 that plays the answers a real server should never
// give: each request is answered by a function of the test, over plain HTTP or TLS (the
// radicale servers' self-signed certificate), at once or one byte at a time.

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QTcpServer>
#include <functional>
#include <memory>
#include <vector>

class QTcpSocket;

namespace qm::test {

struct Request {
    QByteArray method;
    QByteArray path;
    QHash<QByteArray, QByteArray> headers;  // names in lower case
    QByteArray body;
};

// Raw bytes to send back and then close; empty: say nothing at all.
using Responder = std::function<QByteArray(const Request&)>;

class ScriptedServer {
  public:
    enum class Transport { Plain, Tls };
    explicit ScriptedServer(Responder respond, Transport transport = Transport::Plain);
    ScriptedServer(const ScriptedServer&) = delete;
    ScriptedServer& operator=(const ScriptedServer&) = delete;

    // http://127.0.0.1:PORT/PATH (https for TLS).
    QString url(const QString& path) const;

    std::vector<Request> requests;
    // Milliseconds between the bytes of an answer; 0 sends each answer at once.
    int trickleMs = 0;

  private:
    void serve(QTcpSocket& socket);
    void trickle(QTcpSocket& socket, QByteArray rest);

    Responder respond_;
    Transport transport_;
    std::unique_ptr<QTcpServer> server_;
    QHash<QTcpSocket*, QByteArray> buffers_;
};

QByteArray answer(int status, const QByteArray& reason, const QByteArray& body,
                  const QByteArray& headers = {});
QByteArray multistatus(const QByteArray& responses);
// One DAV:response of `href` with `properties` under a 200 propstat.
QByteArray response(const QByteArray& href, const QByteArray& properties);

}  // namespace qm::test
