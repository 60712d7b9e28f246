#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// Reads an HTTP/1.1 answer as its bytes arrive: the status line, the headers,
// then a body framed by Content-Length, by chunks, or by the end of the
// connection. Heads, chunk lines and bodies are bounded in size, so a server
// cannot make the reader hold more than a fixed amount.
class HttpAnswerReader {
  public:
    enum class Progress { NeedMore, Complete, Failed };

    static constexpr qsizetype kMaxHeadBytes = 64 * 1024;
    static constexpr qsizetype kMaxBodyBytes = 16 * 1024 * 1024;

    // Takes the next bytes of the answer and appends the body bytes they hold
    // to body. Bytes after a complete answer are ignored; after Failed,
    // error() says why and nothing more is read.
    Progress read(QByteArrayView bytes, QByteArray& body);
    // Says that the connection has ended: Complete if the answer was whole
    // (a body without a length ends here), else Failed.
    Progress end();

    // Returns true iff the status line and headers have been read.
    bool hasStatus() const { return status_ >= 200; }
    int status() const { return status_; }
    const QString& error() const { return error_; }

  private:
    enum class Stage {
        Head,
        Sized,
        ChunkLine,
        ChunkData,
        ChunkEnd,
        Trailers,
        ToClose,
        Done,
        Failed
    };

    // Each reads what it can of pending_ and moves stage_ on.
    void step(QByteArray& body);
    void readHead();
    void readHeaders(const QList<QByteArray>& lines);
    void readChunkLine();
    void readTrailer();
    void takeBody(qsizetype count, QByteArray& body);
    // Returns the next line without its CRLF, or nothing while it is incomplete.
    std::optional<QByteArrayView> takeLine(qsizetype maxBytes);
    // Awaits bytes more of the body in stage next, if they stay within the bound.
    void expectBody(qsizetype bytes, Stage next);
    // Returns true iff more body bytes stay within the bound; fails otherwise.
    bool bodyFits(qsizetype more);
    void fail(const QString& error);
    QByteArrayView unread() const { return QByteArrayView(pending_).sliced(read_); }

    Stage stage_ = Stage::Head;
    QByteArray pending_; // bytes received; those before read_ have been read
    qsizetype read_ = 0;
    int status_ = 0;
    qsizetype remaining_ = 0; // bytes still due in the sized body or the current chunk
    qsizetype bodyBytes_ = 0;
    QString error_;
};
