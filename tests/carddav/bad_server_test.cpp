// The client against a tiny scripted HTTP server that plays the answers a real server should
// never give (and the Digest login radicale does not offer).
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <QTcpServer>
#include <QTcpSocket>
#include <functional>

#include "carddav/carddav_client.h"
#include "records/error.h"

namespace qm::carddav {
namespace {

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
    explicit ScriptedServer(Responder respond) : respond_(std::move(respond)) {
        server_.listen(QHostAddress::LocalHost);
        QObject::connect(&server_, &QTcpServer::newConnection, &server_, [this] {
            QTcpSocket* socket = server_.nextPendingConnection();
            QObject::connect(socket, &QTcpSocket::readyRead, socket,
                             [this, socket] { serve(*socket); });
        });
    }
    QString url(const QString& path) const {
        return QString("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }
    std::vector<Request> requests;

  private:
    void serve(QTcpSocket& socket) {
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
        if (!reply.isEmpty()) {
            socket.write(reply);
            socket.disconnectFromHost();
        }
    }

    Responder respond_;
    QTcpServer server_;
    QHash<QTcpSocket*, QByteArray> buffers_;
};

QByteArray answer(int status, const QByteArray& reason, const QByteArray& body,
                  const QByteArray& headers = {}) {
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

const QByteArray kBook = multistatus(
    response("/book/", "<D:resourcetype><D:collection/><C:addressbook/></D:resourcetype>"));
const QByteArray kOneCard = multistatus(response("/book/a.vcf", "<D:getetag>\"1\"</D:getetag>"));

// The address book answers PROPFIND; `report` answers the REPORTs.
Responder book(const std::function<QByteArray(const Request&)>& report) {
    return [report](const Request& r) { return r.method == "PROPFIND" ? kBook : report(r); };
}

QmError readError(const ServerConnection& connection) {
    try {
        readAddressBook(connection);
    } catch (const QmError& e) {
        return e;
    }
    return QmError(0, "no error");
}

TEST(BadServer, AnswersThatCannotBeReadGiveTheirErrors) {
    struct Case {
        const char* name;
        Responder respond;
        int number;
        const char* words;
    };
    const Case cases[] = {
        {"not XML", book([](auto&) { return answer(207, "Multi-Status", "Sorry, try later"); }),
         err::kServerBadAnswer,
         "The address book server 127.0.0.1 sent an answer that cannot be read (Start tag "
         "expected.)"},
        {"XML but no multistatus", book([](auto&) { return answer(207, "OK", "<a/>"); }),
         err::kServerBadAnswer,
         "The address book server 127.0.0.1 sent an answer that cannot be read (no WebDAV "
         "multistatus: {}a)"},
        {"500", book([](auto&) { return answer(500, "Internal Server Error", ""); }),
         err::kServerStatus,
         "The address book server 127.0.0.1 answered 500 Internal Server Error to REPORT /book/"},
        {"cut mid-answer", book([](auto&) {
             return QByteArray(
                 "HTTP/1.1 207 Multi-Status\r\nContent-Length: 900"
                 "\r\n\r\n<?xml version=\"1.0\"?><D:multi");
         }),
         err::kServerConnectionCut,
         "The connection to the address book server 127.0.0.1 ended before the answer was "
         "complete"},
        {"silent", book([](auto&) { return QByteArray(); }), err::kServerTimeout,
         "The address book server 127.0.0.1 did not answer within 1 seconds"},
        {"card left out of the multiget", book([](const Request& r) {
             return r.body.contains("addressbook-query") ? kOneCard : multistatus("");
         }),
         err::kServerBadAnswer,
         "The address book server 127.0.0.1 sent an answer that cannot be read (no answer for "
         "/book/a.vcf)"},
        {"redirect loop",
         [](const Request& r) { return answer(302, "Found", "", "Location: " + r.path + "x\r\n"); },
         err::kServerRedirect, "The address book server 127.0.0.1 redirected too many times"},
        {"redirect to a less safe scheme",
         [](const Request&) { return answer(301, "Moved", "", "Location: ftp://127.0.0.1/\r\n"); },
         err::kServerRedirect,
         "The address book server 127.0.0.1 redirected to a less safe address (ftp://127.0.0.1/)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.respond);
        ServerConnection connection{server.url("/book/").toStdString(), "ann", "pw"};
        connection.timeoutSeconds = 1;
        const QmError error = readError(connection);
        EXPECT_EQ(error.number(), c.number);
        EXPECT_EQ(error.description(), c.words);
    }
}

TEST(BadServer, ARedirectIsFollowedWithTheSameRequest) {
    ScriptedServer server([](const Request& r) {
        if (r.path == "/old/") {
            return answer(301, "Moved Permanently", "", "Location: /book/\r\n");
        }
        return r.method == "PROPFIND" ? kBook : multistatus("");
    });
    const AddressBookRead read = readAddressBook({server.url("/old/").toStdString(), "", {}});
    EXPECT_EQ(read.addressBookUrl, server.url("/book/").toStdString());
    ASSERT_GE(server.requests.size(), 2u);
    EXPECT_EQ(server.requests[1].method, "PROPFIND");
    EXPECT_EQ(server.requests[1].body, server.requests[0].body);
}

QHash<QByteArray, QByteArray> digestFields(const QByteArray& header) {
    QHash<QByteArray, QByteArray> fields;
    for (const QByteArray& part : header.mid(header.indexOf(' ') + 1).split(',')) {
        const qsizetype equals = part.indexOf('=');
        QByteArray value = part.mid(equals + 1).trimmed();
        if (value.startsWith('"')) {
            value = value.mid(1, value.size() - 2);
        }
        fields.insert(part.left(equals).trimmed(), value);
    }
    return fields;
}

QByteArray md5(const QByteArray& text) {
    return QCryptographicHash::hash(text, QCryptographicHash::Md5).toHex();
}

// RFC 7616 with qop=auth, as the server checks it.
bool digestValid(const Request& r, const QByteArray& user, const QByteArray& password) {
    const QByteArray header = r.headers.value("authorization");
    if (!header.startsWith("Digest ")) {
        return false;
    }
    const auto f = digestFields(header);
    const QByteArray ha1 = md5(user + ":q:" + password);
    const QByteArray ha2 = md5(r.method + ":" + f.value("uri"));
    return f.value("username") == user &&
           f.value("response") == md5(ha1 + ":" + f.value("nonce") + ":" + f.value("nc") + ":" +
                                      f.value("cnonce") + ":" + f.value("qop") + ":" + ha2);
}

TEST(BadServer, DigestLoginIsAnsweredOnlyWhenAsked) {
    const Responder digestBook = [](const Request& r) {
        if (!digestValid(r, "ann", "password1")) {
            return answer(401, "Unauthorized", "",
                          "WWW-Authenticate: Digest realm=\"q\", nonce=\"n0nce\", qop=\"auth\", "
                          "algorithm=MD5\r\n");
        }
        return r.method == "PROPFIND" ? kBook : multistatus("");
    };
    ScriptedServer server(digestBook);
    const AddressBookRead read =
        readAddressBook({server.url("/book/").toStdString(), "ann", "password1"});
    EXPECT_TRUE(read.cards.empty());
    EXPECT_FALSE(server.requests.front().headers.contains("authorization"));

    ScriptedServer refusing(digestBook);
    EXPECT_EQ(readError({refusing.url("/book/").toStdString(), "ann", "wrong"}).number(),
              err::kServerLogin);
}

}  // namespace
}  // namespace qm::carddav
