#pragma once

// One conversation with an address book server: requests sent one at a time and waited for in
// a local event loop, each with the checks every request needs (TLS certificates, the
// deadline, the bytes a run may take, redirects, the login, the caller's Cancel).
//
// The login goes to one origin only (scheme, host and port): the address the user gave, or
// its https form when the server moves there from http. Any other origin, whether reached by
// a redirect or by an address an answer names, is asked without it, and no request at all
// goes over http once the given address is https.

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QUrl>
#include <string>

#include "carddav/server_connection.h"

class QNetworkReply;
class QAuthenticator;

namespace qm::carddav {

struct HttpAnswer {
    int status = 0;
    QByteArray reason;
    QByteArray body;
    QByteArray location;   // of a redirect
    QByteArray challenge;  // WWW-Authenticate of a 401
    QUrl url;              // the address that answered, after redirects
};

inline constexpr int kMaxRedirects = 5;

class HttpSession {
  public:
    HttpSession(const ServerConnection& connection, const ReadProgress& progress);
    HttpSession(const HttpSession&) = delete;
    HttpSession& operator=(const HttpSession&) = delete;

    // Sends and waits. Follows up to kMaxRedirects redirects with the same method and body,
    // to the same scheme or from http to https only. Throws QmError when the exchange fails
    // (unreachable, certificate, login, timeout, cut, Cancel, a less safe address, the run's
    // bytes); any HTTP status comes back.
    HttpAnswer send(const QByteArray& method, const QUrl& url, const QByteArray& body = {},
                    const QByteArray& depth = {},
                    const QByteArray& contentType = "application/xml; charset=utf-8");

    // Throws err::kServerReadCancelled when the caller asked to stop.
    void checkCancelled() const;

    const RunLimits& limits() const { return connection_.limits; }

  private:
    HttpAnswer sendOnce(const QByteArray& method, const QUrl& url, const QByteArray& body,
                        const QByteArray& depth, const QByteArray& contentType);
    // Waits in a local event loop until the reply is finished; throws for Cancel, the
    // timeout, an answer too large to be an address book's and an untrusted certificate.
    void waitFor(QNetworkReply& reply);
    void answerLogin(QNetworkReply* reply, QAuthenticator* authenticator) const;
    void chooseLogin(const HttpAnswer& refusal);
    bool loginGoesTo(const QUrl& url) const;
    // Refuses http after https (and any other scheme); moves the login along when the server
    // is reached at https on the same host instead of http. `from` is the address that
    // redirected, or the login's origin for an address an answer named.
    void checkNext(const QUrl& from, const QUrl& to, bool redirect);
    [[noreturn]] void throwFailure(QNetworkReply& reply) const;

    ServerConnection connection_;
    ReadProgress progress_;
    QUrl loginOrigin_;          // scheme, host and port the password goes to
    qint64 bytesReceived_ = 0;  // of every answer so far
    // How the login is given once the server has asked for one: Basic by this session (Qt
    // would send the password in Latin-1, servers expect UTF-8), anything else (Digest) by
    // Qt's authenticator.
    enum class Login { NotAsked, Basic, Qt } login_ = Login::NotAsked;
    QByteArray basicAuthorization_;
    QNetworkAccessManager manager_;
};

// The host for messages: ASCII (an international name in its xn-- form).
std::string hostOf(const QUrl& url);

// Scheme, host and port of an address (the port spelled out), as one address:
// "https://dav.example.com:443".
QUrl originOf(const QUrl& url);

}  // namespace qm::carddav
