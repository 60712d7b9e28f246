#include "platform/qt/QtHttpClient.h"

#include "platform/Platform.h"
#include "platform/qt/HttpSocketExchange.h"
#include "platform/qt/UserInput.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QThread>
#include <QTimer>
#include <cmath>

namespace {

// A blocking fetch that lasts longer than this shows that the app waits.
constexpr qint64 kQuietWaitMs = 300;
// How often the window is drawn again while the fetch waits.
constexpr unsigned long kRedrawMs = 80;

// Waits for worker to end; once the wait is long, the window shows it waits,
// drawn again and again, though the main thread takes no events meanwhile.
void waitShowingIt(QThread* worker) {
    QElapsedTimer waited;
    waited.start();
    bool shown = false;
    while (!worker->wait(kRedrawMs)) {
        ProgressIndicator* indicator = platform().indicator;
        if (!indicator || waited.elapsed() < kQuietWaitMs) continue;
        indicator->showBlockedWait(QStringLiteral("查詢中"));
        shown = true;
    }
    if (shown && platform().indicator) platform().indicator->endBlockedWait();
}

QNetworkRequest networkRequest(const HttpRequest& request) {
    QNetworkRequest r(request.url);
    r.setTransferTimeout(static_cast<int>(std::lround(request.timeoutSeconds * 1000)));
    r.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                   request.useCache ? QNetworkRequest::PreferCache
                                    : QNetworkRequest::AlwaysNetwork);
    r.setAttribute(QNetworkRequest::CacheSaveControlAttribute, request.useCache);
    const auto cookies = request.useCookies ? QNetworkRequest::Automatic : QNetworkRequest::Manual;
    r.setAttribute(QNetworkRequest::CookieLoadControlAttribute, cookies);
    r.setAttribute(QNetworkRequest::CookieSaveControlAttribute, cookies);
    for (const auto& [name, value] : request.headers)
        r.setRawHeader(name, value);
    return r;
}

// Nothing here cancels a reply, so a cancelled one ran out of time; Qt would
// only say "Operation canceled".
QString failureText(const QNetworkReply& reply, double timeoutSeconds) {
    if (reply.error() == QNetworkReply::OperationCanceledError ||
        reply.error() == QNetworkReply::TimeoutError)
        return QStringLiteral("no answer within %1 s").arg(timeoutSeconds);
    return reply.errorString();
}

} // namespace

void QtHttpClient::start(const HttpRequest& request, std::shared_ptr<HttpEvents> target) {
    const QString scheme = request.url.scheme();
    const bool ours = scheme == QLatin1String("http") || scheme == QLatin1String("https");
    if (ours && !request.useCache && !request.useCookies)
        return HttpSocketExchange::start(request, std::move(target), &manager_);
    startWithManager(request, std::move(target));
}

void QtHttpClient::startWithManager(const HttpRequest& request,
                                    std::shared_ptr<HttpEvents> target) {
    QNetworkReply* reply =
        manager_.sendCustomRequest(networkRequest(request), request.method, request.body.joined());
    auto responded = std::make_shared<bool>(false);
    auto respond = [reply, target, responded] {
        if (*responded) return;
        *responded = true;
        target->didReceiveResponse(
            reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt());
    };
    QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, respond] {
        if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()) respond();
    });
    QObject::connect(reply, &QNetworkReply::uploadProgress, reply,
                     [target](qint64 sent, qint64 total) {
                         if (sent > 0 && total > 0) target->didSendBodyData(sent, total);
                     });
    QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, target, respond] {
        respond();
        target->didReceiveData(reply->readAll());
    });
    const double timeout = request.timeoutSeconds;
    QObject::connect(reply, &QNetworkReply::finished, reply, [reply, target, respond, timeout] {
        reply->deleteLater();
        const bool httpAnswer =
            reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
        // An HTTP error status is still an answer; only a broken transfer fails.
        if (reply->error() != QNetworkReply::NoError && (!httpAnswer || reply->error() < 100)) {
            target->didFailWithError(failureText(*reply, timeout));
            return;
        }
        respond();
        if (const QByteArray rest = reply->readAll(); !rest.isEmpty()) target->didReceiveData(rest);
        target->didFinishLoading();
    });
}

std::optional<QByteArray> QtHttpClient::fetch(const QUrl& url, double timeoutSeconds) {
    std::optional<QByteArray> body;
    QString failure;
    QThread* worker = QThread::create([&] {
        QNetworkAccessManager manager;
        QNetworkReply* reply = manager.get(QNetworkRequest(url));
        // The time-out bounds the whole fetch: Qt's transfer time-out starts
        // again with every byte, so a server that drips its answer would
        // hold the caller for as long as it liked.
        QTimer deadline;
        deadline.setSingleShot(true);
        QObject::connect(&deadline, &QTimer::timeout, reply, &QNetworkReply::abort);
        deadline.start(static_cast<int>(std::lround(std::max(0.0, timeoutSeconds) * 1000)));
        QEventLoop loop;
        QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
        if (!reply->isFinished()) loop.exec();
        const bool httpAnswer =
            reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
        if (httpAnswer && (reply->error() == QNetworkReply::NoError || reply->error() >= 100))
            body = reply->readAll();
        else
            failure = failureText(*reply, timeoutSeconds);
        delete reply;
    });
    worker->start();
    waitShowingIt(worker);
    delete worker;
    dropInputQueuedMeanwhile();
    // The query may name the inspector; the place and the reason are enough.
    if (!body)
        logLine(QStringLiteral("no answer from %1: %2")
                    .arg(url.toString(QUrl::RemoveQuery | QUrl::RemoveUserInfo), failure));
    return body;
}
