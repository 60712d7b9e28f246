#include "platform/qt/HttpAnswerReader.h"

#include <gtest/gtest.h>

namespace {

using Progress = HttpAnswerReader::Progress;

struct Reading {
    Progress progress = Progress::NeedMore;
    int status = 0;
    QByteArray body;
    QString error;
};

// Feeds the answer in pieces of the given size, then ends the connection if the answer is not
// complete by then.
Reading readInPieces(const QByteArray& answer, qsizetype pieceSize) {
    HttpAnswerReader reader;
    Reading r;
    for (qsizetype at = 0; at < answer.size() && r.progress == Progress::NeedMore; at += pieceSize)
        r.progress = reader.read(
            QByteArrayView(answer).sliced(at).first(qMin(pieceSize, answer.size() - at)), r.body);
    if (r.progress == Progress::NeedMore) r.progress = reader.end();
    r.status = reader.status();
    r.error = reader.error();
    return r;
}

struct AnswerCase {
    const char* name;
    QByteArray answer;
    Progress progress;
    int status;
    QByteArray body; // or the error, when the reading failed
};

void PrintTo(const AnswerCase& c, std::ostream* os) {
    *os << c.name;
}

class Answers : public testing::TestWithParam<AnswerCase> {};

// Every answer reads the same however its bytes are split, down to one byte at a time.
TEST_P(Answers, ReadTheSameWhereverTheBytesSplit) {
    const AnswerCase& c = GetParam();
    for (qsizetype piece : {qsizetype(1), qsizetype(3), c.answer.size()}) {
        const Reading r = readInPieces(c.answer, piece);
        EXPECT_EQ(r.progress, c.progress) << "pieces of " << piece;
        if (c.progress == Progress::Complete) {
            EXPECT_EQ(r.status, c.status);
            EXPECT_EQ(r.body, c.body) << "pieces of " << piece;
        } else {
            EXPECT_EQ(r.error.toStdString(), c.body.toStdString()) << "pieces of " << piece;
        }
    }
}

const QByteArray kOverBound = QByteArray::number(HttpAnswerReader::kMaxBodyBytes + 1);

INSTANTIATE_TEST_SUITE_P(
    Cases, Answers,
    testing::Values(
        AnswerCase{"sized", "HTTP/1.1 200 OK\r\nContent-Length: 13\r\n\r\n{\"state\":\"0\"}",
                   Progress::Complete, 200, "{\"state\":\"0\"}"},
        AnswerCase{"sized_ignores_what_follows",
                   "HTTP/1.1 200 OK\r\ncontent-length:  2 \r\n\r\nokEXTRA", Progress::Complete, 200,
                   "ok"},
        AnswerCase{"chunked",
                   "HTTP/1.1 500 Oops\r\nTransfer-Encoding: chunked\r\n\r\n"
                   "4\r\nInte\r\nA;name=value\r\nrnal Error\r\n0\r\nX-Trailer: 1\r\n\r\n",
                   Progress::Complete, 500, "Internal Error"},
        AnswerCase{"to_close", "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\n\r\nall of it",
                   Progress::Complete, 200, "all of it"},
        AnswerCase{"no_content", "HTTP/1.1 204 No Content\r\n\r\n", Progress::Complete, 204, ""},
        AnswerCase{"continue_then_answer",
                   "HTTP/1.1 100 Continue\r\n\r\nHTTP/1.1 200 OK\r\nContent-Length: 1\r\n\r\nY",
                   Progress::Complete, 200, "Y"},
        AnswerCase{"cut_off_body", "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n{\"st",
                   Progress::Failed, 200,
                   "the server's answer broke off after 4 bytes of its body"},
        AnswerCase{"cut_off_chunks", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n5\r\nab",
                   Progress::Failed, 200,
                   "the server's answer broke off after 2 bytes of its body"},
        AnswerCase{"cut_off_head", "HTTP/1.1 200 OK\r\nContent-Le", Progress::Failed, 0,
                   "the server's answer broke off in its head"},
        AnswerCase{"nothing", "", Progress::Failed, 0,
                   "the server closed the connection without an answer"},
        AnswerCase{"no_http", "SSH-2.0-OpenSSH_9.2\r\n\r\n", Progress::Failed, 0,
                   "the server's answer is no HTTP answer"},
        AnswerCase{"bad_length", "HTTP/1.1 200 OK\r\nContent-Length: -1\r\n\r\n", Progress::Failed,
                   0, "the server's answer has a malformed Content-Length"},
        AnswerCase{"bad_chunk", "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\nzz\r\n",
                   Progress::Failed, 0, "the server's answer has a malformed chunk"},
        AnswerCase{"sized_over_bound",
                   "HTTP/1.1 200 OK\r\nContent-Length: " + kOverBound + "\r\n\r\n",
                   Progress::Failed, 0, "the server's answer is larger than 16777216 bytes"},
        AnswerCase{"chunk_over_bound",
                   "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n" +
                       QByteArray::number(HttpAnswerReader::kMaxBodyBytes + 1, 16) + "\r\n",
                   Progress::Failed, 0, "the server's answer is larger than 16777216 bytes"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HttpAnswerReaderBounds, RefusesABodyToTheCloseOverTheBound) {
    HttpAnswerReader reader;
    QByteArray body;
    const QByteArray megabyte(1024 * 1024, 'x');
    Progress progress = reader.read("HTTP/1.1 200 OK\r\n\r\n", body);
    for (int i = 0; i <= 16 && progress == Progress::NeedMore; ++i)
        progress = reader.read(megabyte, body);
    EXPECT_EQ(progress, Progress::Failed);
    EXPECT_EQ(reader.error(), "the server's answer is larger than 16777216 bytes");
    EXPECT_LE(body.size(), HttpAnswerReader::kMaxBodyBytes);
}

TEST(HttpAnswerReaderBounds, RefusesAHeadThatNeverEnds) {
    HttpAnswerReader reader;
    QByteArray body;
    Progress progress = reader.read("HTTP/1.1 200 OK\r\n", body);
    const QByteArray header = "X-Padding: " + QByteArray(1000, 'p') + "\r\n";
    for (int i = 0; i < 100 && progress == Progress::NeedMore; ++i)
        progress = reader.read(header, body);
    EXPECT_EQ(progress, Progress::Failed);
    EXPECT_EQ(reader.error(), "the server's answer has a head over 65536 bytes");
}

} // namespace
