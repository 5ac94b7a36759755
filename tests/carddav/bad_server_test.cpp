// The client against a tiny scripted HTTP server that plays the answers a real server should
// never give (and the Digest login radicale does not offer).
#include <gtest/gtest.h>

#include <QCryptographicHash>
#include <functional>

#include "carddav/carddav_client.h"
#include "carddav/scripted_server.h"
#include "records/error.h"

namespace qm::carddav {
namespace {

using test::answer;
using test::multistatus;
using test::Request;
using test::Responder;
using test::response;
using test::ScriptedServer;

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

// Every request gets 401 Basic until it carries a login.
Responder loginFirst(const Responder& then) {
    return [then](const Request& r) {
        return r.headers.contains("authorization")
                   ? then(r)
                   : answer(401, "Unauthorized", "", "WWW-Authenticate: Basic realm=\"q\"\r\n");
    };
}

QByteArray principalAt(const QString& url) {
    return multistatus(response("/", "<D:current-user-principal><D:href>" + url.toUtf8() +
                                         "</D:href></D:current-user-principal>"));
}

// The login goes to the scheme, host and port given, never to another port of the same host
// nor over http after https, whether a redirect leads there or an answer names the address.
TEST(BadServer, TheLoginStaysWithItsOrigin) {
    struct Case {
        const char* name;
        ScriptedServer::Transport given;
        std::function<Responder(const QString& other)> respond;
        int number;
    };
    const Case cases[] = {
        {"redirect to another port", ScriptedServer::Transport::Plain,
         [](const QString& other) {
             return loginFirst([other](const Request&) {
                 return answer(301, "Moved", "", "Location: " + other.toUtf8() + "book/\r\n");
             });
         },
         err::kServerLoginElsewhere},
        {"principal on another port", ScriptedServer::Transport::Plain,
         [](const QString& other) {
             return loginFirst([other](const Request&) { return principalAt(other + "p/"); });
         },
         err::kServerLoginElsewhere},
        {"principal over http after https", ScriptedServer::Transport::Tls,
         [](const QString& other) {
             return loginFirst([other](const Request&) { return principalAt(other + "p/"); });
         },
         err::kServerRedirect},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer other(loginFirst([](const Request&) { return kBook; }));
        ScriptedServer given(c.respond(other.url("/")), c.given);
        ServerConnection connection{given.url("/").toStdString(), "ann", "pw"};
        connection.insecure = true;
        const QmError error = readError(connection);
        EXPECT_EQ(error.number(), c.number) << error.description();
        for (const Request& r : other.requests) {
            EXPECT_FALSE(r.headers.contains("authorization")) << r.method.toStdString();
        }
        if (c.given == ScriptedServer::Transport::Tls) {
            EXPECT_TRUE(other.requests.empty());
            EXPECT_EQ(error.description(),
                      "The address book server 127.0.0.1 named a less safe address (" +
                          other.url("/p/").toStdString() +
                          "); the password is never sent over http after https");
        } else {
            EXPECT_EQ(error.description(), other.url("").toStdString() +
                                               " asks for a login; the password is sent only "
                                               "to " +
                                               given.url("").toStdString() + ", the server given");
        }
    }
}

const QByteArray kSyncBook = multistatus(
    response("/book/",
             "<D:resourcetype><D:collection/><C:addressbook/></D:resourcetype>"
             "<D:supported-report-set><D:supported-report><D:report><D:sync-collection/>"
             "</D:report></D:supported-report></D:supported-report-set>"));

QByteArray listingOf(int cards, int padding = 0) {
    QByteArray responses(padding, ' ');
    for (int i = 0; i < cards; ++i) {
        responses += response("/book/" + QByteArray::number(i) + ".vcf",
                              "<D:getetag>\"" + QByteArray::number(i) + "\"</D:getetag>");
    }
    return multistatus(responses);
}

// A server cannot make a run hold or wait without end: too many cards, too many bytes,
// "more to come" without anything new, an answer a byte at a time.
TEST(BadServer, ARunStopsAtItsLimits) {
    int rounds = 0;
    struct Case {
        const char* name;
        Responder respond;
        RunLimits limits;
        CarddavSyncState known;
        int trickleMs;
        const char* words;
    };
    CarddavSyncState synced{"", "t0", {{"/book/0.vcf", "\"0\"", 1, 1}}};
    const Case cases[] = {
        {"cards",
         book([](auto&) { return listingOf(5); }),
         {3, 1 << 20},
         {},
         0,
         "The address book server 127.0.0.1 sent more than 3 cards; a run stops there (on the "
         "command line, --max-cards raises the limit)"},
        {"bytes",
         book([](auto&) { return listingOf(1, 2 << 20); }),
         {10, 1 << 20},
         {},
         0,
         "The address book server 127.0.0.1 sent more than 1 MB; a run stops there (on the "
         "command line, --max-megabytes raises the limit)"},
        {"more to come, for ever",
         [&rounds](const Request& r) {
             if (r.method == "PROPFIND") {
                 return kSyncBook;
             }
             // Gives in after 50 rounds, so that a client without a bound still ends.
             const QByteArray more = ++rounds < 50 ? "507" : "200";
             return multistatus("<D:response><D:href>/book/</D:href><D:status>HTTP/1.1 " + more +
                                " x</D:status></D:response><D:sync-token>t" +
                                QByteArray::number(rounds) + "</D:sync-token>");
         },
         {},
         synced,
         0,
         "The address book server 127.0.0.1 answered \"more to come\" 10 times without a "
         "card it had not named; a run stops there"},
        {"a byte at a time",
         book([](auto&) { return listingOf(1); }),
         {},
         {},
         20,
         "The address book server 127.0.0.1 did not answer within 1 seconds"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedServer server(c.respond);
        server.trickleMs = c.trickleMs;
        ServerConnection connection{server.url("/book/").toStdString(), "", {}};
        connection.limits = c.limits;
        connection.timeoutSeconds = 1;
        CarddavSyncState known = c.known;
        known.addressBookUrl = connection.url;
        QmError error(0, "no error");
        try {
            readAddressBook(connection, known.cards.empty() ? CarddavSyncState{} : known);
        } catch (const QmError& e) {
            error = e;
        }
        EXPECT_EQ(error.description(), c.words);
        EXPECT_LT(server.requests.size(), 20u);
    }
}

}  // namespace
}  // namespace qm::carddav
