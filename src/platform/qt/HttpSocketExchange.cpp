#include "platform/qt/HttpSocketExchange.h"

#include <cmath>
#include <utility>

namespace {

// How much of the body may wait in the socket's own buffer.
constexpr qsizetype kChunkBytes = 256 * 1024;
// How often at most the target hears of the body's progress.
constexpr qint64 kReportMs = 50;

QByteArray requestHead(const HttpRequest& request) {
    const QUrl& url = request.url;
    QByteArray target =
        url.toEncoded(QUrl::RemoveScheme | QUrl::RemoveAuthority | QUrl::RemoveFragment);
    if (!target.startsWith('/')) target.prepend('/');
    QByteArray host = url.host(QUrl::FullyEncoded).toUtf8();
    if (url.port() >= 0) host += ':' + QByteArray::number(url.port());
    QByteArray head = request.method + ' ' + target + " HTTP/1.1\r\nHost: " + host + "\r\n";
    for (const auto& [name, value] : request.headers)
        head += name + ": " + value + "\r\n";
    return head + "Connection: close\r\n\r\n";
}

} // namespace

void HttpSocketExchange::start(const HttpRequest& request, std::shared_ptr<HttpEvents> target,
                               QObject* parent) {
    new HttpSocketExchange(request, std::move(target), parent);
}

HttpSocketExchange::HttpSocketExchange(const HttpRequest& request,
                                       std::shared_ptr<HttpEvents> target, QObject* parent)
    : QObject(parent), target_(std::move(target)), timeoutSeconds_(request.timeoutSeconds),
      tls_(request.url.scheme() == QLatin1String("https")) {
    outgoing_.append(requestHead(request));
    headBytes_ = outgoing_.size();
    for (const QByteArray& piece : request.body.pieces())
        outgoing_.append(piece);
    idle_.setSingleShot(true);
    idle_.setInterval(int(std::lround(std::max(0.0, timeoutSeconds_) * 1000)));
    connect(&idle_, &QTimer::timeout, this,
            [this] { fail(QStringLiteral("no answer within %1 s").arg(timeoutSeconds_)); });
    connect(&socket_, &QSslSocket::bytesWritten, this, &HttpSocketExchange::wrote);
    connect(&socket_, &QSslSocket::readyRead, this, &HttpSocketExchange::readAnswer);
    connect(&socket_, &QSslSocket::disconnected, this, &HttpSocketExchange::connectionEnded);
    connect(&socket_, &QSslSocket::errorOccurred, this, &HttpSocketExchange::connectionEnded);
    idle_.start();
    if (!tls_) {
        connect(&socket_, &QSslSocket::connected, this, &HttpSocketExchange::writeMore);
        socket_.connectToHost(request.url.host(), quint16(request.url.port(80)));
        return;
    }
    // The certificate is checked against the trusted authorities and the
    // host's name; a failed check ends the exchange as a broken connection.
    connect(&socket_, &QSslSocket::encrypted, this, &HttpSocketExchange::writeMore);
    connect(&socket_, &QSslSocket::encryptedBytesWritten, this, [this] {
        report();
        writeMore();
    });
    socket_.connectToHostEncrypted(request.url.host(), quint16(request.url.port(443)));
}

// Tops the socket's buffers (before and after encryption) up to one chunk,
// from where the caller's bytes lie.
void HttpSocketExchange::writeMore() {
    idle_.start();
    const QList<QByteArray>& pieces = outgoing_.pieces();
    while (piece_ < pieces.size() &&
           socket_.bytesToWrite() + socket_.encryptedBytesToWrite() < kChunkBytes) {
        const QByteArray& piece = pieces[piece_];
        const qsizetype count = qMin(kChunkBytes, piece.size() - offset_);
        if (socket_.write(piece.constData() + offset_, count) != count) return;
        offset_ += count;
        if (offset_ == piece.size()) ++piece_, offset_ = 0;
    }
}

// Over TLS, bytes "written" have only been encrypted: what went out is told
// when the encrypted bytes go (see the constructor).
void HttpSocketExchange::wrote(qint64 bytes) {
    written_ += bytes;
    if (!tls_) report();
    writeMore();
}

void HttpSocketExchange::report() {
    // Encrypted bytes are never fewer than the plain ones they carry, so this
    // never counts a byte before the system has it.
    const qint64 out = written_ - socket_.encryptedBytesToWrite();
    const qint64 total = outgoing_.size() - headBytes_;
    const qint64 sent = qBound<qint64>(0, out - headBytes_, total);
    const bool allSent = out == outgoing_.size();
    if (target_ && total > 0 && sent > 0 &&
        (allSent || !sinceReport_.isValid() || sinceReport_.elapsed() >= kReportMs)) {
        sinceReport_.start();
        target_->didSendBodyData(sent, total);
    }
}

void HttpSocketExchange::readAnswer() {
    idle_.start();
    QByteArray body;
    const auto progress = reader_.read(socket_.readAll(), body);
    if (!target_) return;
    if (reader_.hasStatus() && progress != HttpAnswerReader::Progress::Failed) {
        // The status goes out once, before the first body bytes.
        if (!std::exchange(responded_, true)) target_->didReceiveResponse(reader_.status());
        if (!body.isEmpty()) target_->didReceiveData(body);
    }
    if (progress == HttpAnswerReader::Progress::Complete) finish();
    if (progress == HttpAnswerReader::Progress::Failed) fail(reader_.error());
}

// The server closed the connection or it broke: what came before may still be a whole answer
// (a server may answer and close before it has read the whole body).
void HttpSocketExchange::connectionEnded() {
    if (!target_) return;
    readAnswer();
    if (!target_) return;
    if (reader_.end() == HttpAnswerReader::Progress::Complete) return finish();
    const bool nothingCame =
        !reader_.hasStatus() && socket_.error() != QAbstractSocket::RemoteHostClosedError;
    fail(nothingCame ? socket_.errorString() : reader_.error());
}

void HttpSocketExchange::finish() {
    const auto target = std::exchange(target_, nullptr);
    close();
    target->didFinishLoading();
}

void HttpSocketExchange::fail(const QString& error) {
    const auto target = std::exchange(target_, nullptr);
    if (!target) return;
    close();
    target->didFailWithError(error);
}

void HttpSocketExchange::close() {
    idle_.stop();
    socket_.disconnect(this);
    socket_.abort();
    deleteLater();
}
