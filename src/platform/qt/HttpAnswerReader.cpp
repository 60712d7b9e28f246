#include "platform/qt/HttpAnswerReader.h"

#include <QList>

namespace {

constexpr qsizetype kMaxChunkLineBytes = 1024;

bool headerIs(QByteArrayView line, QByteArrayView name) {
    return line.size() > name.size() && line[name.size()] == ':' &&
           line.first(name.size()).compare(name, Qt::CaseInsensitive) == 0;
}

QByteArrayView headerValue(QByteArrayView line) {
    return line.sliced(line.indexOf(':') + 1).trimmed();
}

// A decimal or hexadecimal length, or -1 when the text is none.
qsizetype lengthOf(QByteArrayView text, int base) {
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok, base);
    const bool digitsOnly = !text.isEmpty() && text[0] != '+' && text[0] != '-';
    return ok && digitsOnly && value >= 0 ? qsizetype(value) : -1;
}

} // namespace

HttpAnswerReader::Progress HttpAnswerReader::read(QByteArrayView bytes, QByteArray& body) {
    if (stage_ == Stage::Done) return Progress::Complete;
    if (stage_ == Stage::Failed) return Progress::Failed;
    pending_.remove(0, read_);
    read_ = 0;
    pending_.append(bytes);
    for (;;) {
        const Stage before = stage_;
        const qsizetype readBefore = read_;
        step(body);
        if (stage_ == Stage::Done) return Progress::Complete;
        if (stage_ == Stage::Failed) return Progress::Failed;
        if (stage_ == before && read_ == readBefore) return Progress::NeedMore;
    }
}

HttpAnswerReader::Progress HttpAnswerReader::end() {
    if (stage_ == Stage::ToClose) stage_ = Stage::Done;
    if (stage_ == Stage::Done) return Progress::Complete;
    if (stage_ == Stage::Head)
        fail(pending_.isEmpty()
                 ? QStringLiteral("the server closed the connection without an answer")
                 : QStringLiteral("the server's answer broke off in its head"));
    else if (stage_ != Stage::Failed)
        fail(QStringLiteral("the server's answer broke off after %1 bytes of its body")
                 .arg(bodyBytes_));
    return Progress::Failed;
}

void HttpAnswerReader::step(QByteArray& body) {
    switch (stage_) {
    case Stage::Head:
        return readHead();
    case Stage::Sized:
    case Stage::ChunkData:
        takeBody(qMin(remaining_, unread().size()), body);
        if (remaining_ == 0) stage_ = stage_ == Stage::Sized ? Stage::Done : Stage::ChunkEnd;
        return;
    case Stage::ToClose:
        return takeBody(unread().size(), body);
    case Stage::ChunkLine:
        return readChunkLine();
    case Stage::ChunkEnd:
        if (const auto line = takeLine(2)) {
            if (line->isEmpty())
                stage_ = Stage::ChunkLine;
            else
                fail(QStringLiteral("the server's answer has a malformed chunk"));
        }
        return;
    case Stage::Trailers:
        return readTrailer();
    case Stage::Done:
    case Stage::Failed:
        return;
    }
}

void HttpAnswerReader::readHead() {
    const qsizetype end = unread().indexOf("\r\n\r\n");
    if (end < 0) {
        if (unread().size() > kMaxHeadBytes)
            fail(QStringLiteral("the server's answer has a head over %1 bytes").arg(kMaxHeadBytes));
        return;
    }
    const QList<QByteArray> lines = unread().first(end).toByteArray().split('\n');
    read_ += end + 4;
    const QByteArray statusLine = lines[0].trimmed();
    const QList<QByteArray> words = statusLine.split(' ');
    const bool ok = words.size() >= 2 && words[0].startsWith("HTTP/1.") && words[1].size() == 3;
    status_ = ok ? int(lengthOf(words[1], 10)) : -1;
    if (status_ < 100) return fail(QStringLiteral("the server's answer is no HTTP answer"));
    // An interim answer (100 Continue) is followed by the real one.
    if (status_ < 200) return;
    readHeaders(lines);
}

void HttpAnswerReader::readHeaders(const QList<QByteArray>& lines) {
    bool chunked = false;
    qsizetype length = -1;
    for (const QByteArray& line : lines.sliced(1)) {
        if (headerIs(line, "Transfer-Encoding"))
            chunked = headerValue(line).compare("chunked", Qt::CaseInsensitive) == 0;
        if (headerIs(line, "Content-Length")) {
            length = lengthOf(headerValue(line), 10);
            if (length < 0)
                return fail(QStringLiteral("the server's answer has a malformed Content-Length"));
        }
    }
    if (status_ == 204 || status_ == 304)
        stage_ = Stage::Done;
    else if (chunked)
        stage_ = Stage::ChunkLine;
    else if (length >= 0)
        expectBody(length, length == 0 ? Stage::Done : Stage::Sized);
    else
        stage_ = Stage::ToClose;
}

void HttpAnswerReader::readChunkLine() {
    const auto line = takeLine(kMaxChunkLineBytes);
    if (!line) return;
    const qsizetype extension = line->indexOf(';');
    const qsizetype size = lengthOf((extension < 0 ? *line : line->first(extension)).trimmed(), 16);
    if (size < 0) return fail(QStringLiteral("the server's answer has a malformed chunk"));
    expectBody(size, size == 0 ? Stage::Trailers : Stage::ChunkData);
}

void HttpAnswerReader::readTrailer() {
    if (const auto line = takeLine(kMaxHeadBytes); line && line->isEmpty()) stage_ = Stage::Done;
}

void HttpAnswerReader::expectBody(qsizetype bytes, Stage next) {
    if (!bodyFits(bytes)) return;
    remaining_ = bytes;
    stage_ = next;
}

bool HttpAnswerReader::bodyFits(qsizetype more) {
    if (more <= kMaxBodyBytes - bodyBytes_) return true;
    fail(QStringLiteral("the server's answer is larger than %1 bytes").arg(kMaxBodyBytes));
    return false;
}

void HttpAnswerReader::takeBody(qsizetype count, QByteArray& body) {
    if (stage_ == Stage::ToClose && !bodyFits(count)) return;
    body.append(unread().first(count));
    read_ += count;
    bodyBytes_ += count;
    remaining_ -= stage_ == Stage::ToClose ? 0 : count;
}

std::optional<QByteArrayView> HttpAnswerReader::takeLine(qsizetype maxBytes) {
    const qsizetype end = unread().indexOf("\r\n");
    if (end < 0 || end > maxBytes) {
        if (end > maxBytes || unread().size() > maxBytes + 1)
            fail(QStringLiteral("the server's answer has a line over %1 bytes").arg(maxBytes));
        return std::nullopt;
    }
    const QByteArrayView line = unread().first(end);
    read_ += end + 2;
    return line;
}

void HttpAnswerReader::fail(const QString& error) {
    error_ = error;
    stage_ = Stage::Failed;
}
