#include "carddav/http_session.h"

#include <QAuthenticator>
#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <QSslError>
#include <QTimer>
#include <chrono>
#include <memory>

#include "exchange/carddav_errors.h"

namespace qm::carddav {

namespace {

constexpr const char* kLoginAskedProperty = "quillmarkLoginAsked";

struct DeleteLater {
    void operator()(QNetworkReply* reply) const { reply->deleteLater(); }
};

// Far above any address book's answer (10,000 cards are about 4 MB).
constexpr qint64 kMaxAnswerBytes = qint64{256} << 20;

bool isRedirect(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Same scheme, or from http up to https.
bool safeRedirect(const QUrl& from, const QUrl& to) {
    return to.scheme() == from.scheme() || (from.scheme() == "http" && to.scheme() == "https");
}

}  // namespace

std::string hostOf(const QUrl& url) {
    return url.host(QUrl::EncodeUnicode).toStdString();
}

QUrl originOf(const QUrl& url) {
    QUrl origin;
    origin.setScheme(url.scheme().toLower());
    origin.setHost(url.host().toLower());
    origin.setPort(url.port(url.scheme().compare("https", Qt::CaseInsensitive) == 0 ? 443 : 80));
    return origin;
}

HttpSession::HttpSession(const ServerConnection& connection, const ReadProgress& progress)
    : connection_(connection), progress_(progress) {
    loginOrigin_ = originOf(QUrl(QString::fromStdString(connection.url)));
    manager_.setRedirectPolicy(QNetworkRequest::ManualRedirectPolicy);
    QObject::connect(&manager_, &QNetworkAccessManager::authenticationRequired, &manager_,
                     [this](QNetworkReply* reply, QAuthenticator* authenticator) {
                         answerLogin(reply, authenticator);
                     });
}

void HttpSession::checkCancelled() const {
    if (progress_.cancelled && progress_.cancelled()) {
        throw carddav_error::cancelled();
    }
}

bool HttpSession::loginGoesTo(const QUrl& url) const {
    return originOf(url) == loginOrigin_;
}

// Left unanswered, the request comes back as a 401 answer: before the session has chosen Qt's
// login, when it was already refused once for this request, or for another origin.
void HttpSession::answerLogin(QNetworkReply* reply, QAuthenticator* authenticator) const {
    const int asked = reply->property(kLoginAskedProperty).toInt();
    reply->setProperty(kLoginAskedProperty, asked + 1);
    if (login_ != Login::Qt || asked > 0 || !loginGoesTo(reply->url())) {
        return;
    }
    authenticator->setUser(QString::fromStdString(connection_.user));
    authenticator->setPassword(QString::fromStdString(*connection_.password));
}

// After the first 401: Basic when that is all the server offers, else Qt's authenticator.
void HttpSession::chooseLogin(const HttpAnswer& refusal) {
    const std::string host = hostOf(refusal.url);
    if (!loginGoesTo(refusal.url)) {
        throw carddav_error::loginElsewhere(loginOrigin_.toString().toStdString(),
                                            originOf(refusal.url).toString().toStdString());
    }
    if (!connection_.password || connection_.user.empty()) {
        throw carddav_error::passwordNeeded(host);
    }
    if (login_ != Login::NotAsked) {
        throw carddav_error::loginRefused(host, connection_.user);
    }
    // The scheme names, once the quoted parameter values are out of the way.
    const QString schemes = QString::fromLatin1(refusal.challenge)
                                .remove(QRegularExpression(R"("(\\.|[^"\\])*")"))
                                .toLower();
    const bool basic = schemes.contains(QRegularExpression(R"(\bbasic\b)"));
    const bool other = schemes.contains(QRegularExpression(R"(\b(digest|ntlm|negotiate)\b)"));
    if (basic && !other) {
        login_ = Login::Basic;
        basicAuthorization_ =
            "Basic " +
            QByteArray::fromStdString(connection_.user + ":" + *connection_.password).toBase64();
    } else {
        login_ = Login::Qt;
    }
}

void HttpSession::checkNext(const QUrl& from, const QUrl& to, bool redirect) {
    const std::string target =
        to.adjusted(QUrl::RemoveUserInfo).toString(QUrl::FullyEncoded).toStdString();
    const QUrl origin = originOf(to);
    const bool allowed = origin.scheme() == "https" ||
                         (origin.scheme() == "http" && loginOrigin_.scheme() == "http");
    if (redirect && (!allowed || !safeRedirect(from, to))) {
        throw carddav_error::lessSafeRedirect(hostOf(from), target);
    }
    if (!allowed) {
        throw carddav_error::lessSafeLink(hostOf(from), target);
    }
    // The server the user named, reached at https instead: the same server, more safely.
    if (loginOrigin_.scheme() == "http" && origin.scheme() == "https" &&
        origin.host() == loginOrigin_.host() && loginOrigin_.port() == 80 && origin.port() == 443) {
        loginOrigin_ = origin;
    }
}

HttpAnswer HttpSession::send(const QByteArray& method, const QUrl& url, const QByteArray& body,
                             const QByteArray& depth, const QByteArray& contentType) {
    checkNext(loginOrigin_, url, false);
    QUrl current = url;
    for (int hops = 0;; ++hops) {
        HttpAnswer answer = sendOnce(method, current, body, depth, contentType);
        if (answer.status == 401) {
            chooseLogin(answer);
            answer = sendOnce(method, current, body, depth, contentType);
            if (answer.status == 401) {
                throw carddav_error::loginRefused(hostOf(current), connection_.user);
            }
        }
        if (!isRedirect(answer.status) || answer.location.isEmpty()) {
            return answer;
        }
        if (hops == kMaxRedirects) {
            throw carddav_error::tooManyRedirects(hostOf(url));
        }
        const QUrl next = current.resolved(QUrl::fromEncoded(answer.location));
        checkNext(current, next, true);
        current = next;
    }
}

void HttpSession::waitFor(QNetworkReply& reply) {
    QEventLoop loop;
    bool timedOut = false;
    bool cancelled = false;
    bool tooLarge = false;
    bool overRunLimit = false;
    qint64 received = 0;
    QList<QSslError> certificateErrors;
    // A deadline for the whole answer, not for a pause: a server sending a byte a second
    // would otherwise hold the run for ever.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setInterval(std::chrono::seconds(connection_.timeoutSeconds));
    QTimer poll;
    poll.setInterval(100);
    QObject::connect(&reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(&reply, &QNetworkReply::downloadProgress, &loop, [&](qint64 bytes, qint64) {
        received = bytes;
        if (bytes > kMaxAnswerBytes) {
            tooLarge = true;
            reply.abort();
        } else if (bytesReceived_ + bytes > static_cast<qint64>(connection_.limits.bytes)) {
            overRunLimit = true;
            reply.abort();
        }
    });
    QObject::connect(&deadline, &QTimer::timeout, &reply, [&] {
        timedOut = true;
        reply.abort();
    });
    QObject::connect(&poll, &QTimer::timeout, &reply, [&] {
        if (progress_.cancelled && progress_.cancelled()) {
            cancelled = true;
            reply.abort();
        }
    });
    QObject::connect(&reply, &QNetworkReply::sslErrors, &reply,
                     [&](const QList<QSslError>& errors) {
                         if (connection_.insecure) {
                             reply.ignoreSslErrors();
                         } else {
                             certificateErrors = errors;
                         }
                     });
    deadline.start();
    poll.start();
    if (!reply.isFinished()) {
        loop.exec();
    }
    bytesReceived_ += received;
    const std::string host = hostOf(reply.request().url());
    if (cancelled) {
        throw carddav_error::cancelled();
    }
    if (timedOut) {
        throw carddav_error::timeout(host, connection_.timeoutSeconds);
    }
    if (tooLarge) {
        throw carddav_error::badAnswer(
            host, "an answer larger than " + std::to_string(kMaxAnswerBytes >> 20) + " MB");
    }
    if (overRunLimit) {
        throw carddav_error::limitReached(
            host, "sent more than " + std::to_string(connection_.limits.bytes >> 20) + " MB",
            "--max-megabytes");
    }
    if (!certificateErrors.isEmpty()) {
        throw carddav_error::certificate(host,
                                         certificateErrors.first().errorString().toStdString());
    }
}

HttpAnswer HttpSession::sendOnce(const QByteArray& method, const QUrl& url, const QByteArray& body,
                                 const QByteArray& depth, const QByteArray& contentType) {
    checkCancelled();
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, "Quillmark");
    if (!body.isEmpty()) {
        request.setHeader(QNetworkRequest::ContentTypeHeader, contentType);
    }
    if (!depth.isEmpty()) {
        request.setRawHeader("Depth", depth);
    }
    if (login_ == Login::Basic && loginGoesTo(url)) {
        request.setRawHeader("Authorization", basicAuthorization_);
    }
    const std::unique_ptr<QNetworkReply, DeleteLater> reply(
        manager_.sendCustomRequest(request, method, body));
    waitFor(*reply);
    HttpAnswer answer;
    answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply->error();
    // Transport failures are below 100; content errors (404, 500 ...) come back as answers.
    if (answer.status == 0 || (error != QNetworkReply::NoError && error < 100)) {
        throwFailure(*reply);
    }
    answer.reason = reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray();
    // Read at its exact size: readAll grows its buffer in steps, half again a large answer.
    answer.body = reply->read(reply->bytesAvailable());
    answer.location = reply->rawHeader("Location");
    answer.challenge = reply->rawHeader("WWW-Authenticate");
    answer.url = url;
    // Qt takes a connection closed early for the end of the answer; the length tells.
    const QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && reply->rawHeader("Content-Encoding").isEmpty() &&
        answer.body.size() < length.toLongLong()) {
        throw carddav_error::connectionCut(hostOf(url));
    }
    return answer;
}

void HttpSession::throwFailure(QNetworkReply& reply) const {
    const std::string host = hostOf(reply.url());
    const std::string why = reply.errorString().toStdString();
    switch (reply.error()) {
        case QNetworkReply::SslHandshakeFailedError:
            throw carddav_error::certificate(host, why);
        case QNetworkReply::RemoteHostClosedError:
        case QNetworkReply::TemporaryNetworkFailureError:
            throw carddav_error::connectionCut(host);
        case QNetworkReply::ProtocolFailure:
        case QNetworkReply::ProtocolUnknownError:
        case QNetworkReply::ProtocolInvalidOperationError:
        case QNetworkReply::UnknownContentError:
            throw carddav_error::badAnswer(host, why);
        default:
            throw carddav_error::unreachable(host, why);
    }
}

}  // namespace qm::carddav
