// Runs `inspector-cli qr` on photographs of QR codes taken at an angle, made
// here from generated codes with ImageMagick's perspective distortion.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct Outcome {
    int exitCode = -1;
    QString out;
    QString err;
};

Outcome run(const QString& program, const QStringList& args) {
    QProcess process;
    process.start(program, args);
    if (!process.waitForFinished(60000)) return {};
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

class QrCommandTest : public testing::Test {
  protected:
    // A code as a printer makes it: raw UTF-8 bytes, 8 pixels per module.
    QString encode(const QString& name, const QString& text) {
        const QString path = dir.filePath(name);
        const Outcome made = run("qrencode", {"-s", "8", "-m", "4", "-o", path, text});
        EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
        return path;
    }
    // The picture seen from aside: its corners moved to the given points.
    QString warp(const QString& in, const QString& name, const QString& corners) {
        const QString path = dir.filePath(name);
        const Outcome made = run(
            "convert", {in, "-virtual-pixel", "white", "-distort", "Perspective", corners, path});
        EXPECT_EQ(made.exitCode, 0) << made.err.toStdString();
        return path;
    }
    Outcome qr(const QString& image) { return run(INSPECTOR_CLI, {"qr", image}); }

    QTemporaryDir temp;
    QDir dir{temp.path()};
};

// Moves of the four corners of a square picture of side 1 (scaled to the
// picture): top left, top right, bottom right, bottom left.
QString corners(int side, const std::array<QPointF, 4>& to) {
    const QPointF from[] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    QStringList pairs;
    for (int i = 0; i < 4; ++i)
        pairs << QStringLiteral("%1,%2 %3,%4")
                     .arg(from[i].x() * side)
                     .arg(from[i].y() * side)
                     .arg(to[i].x() * side)
                     .arg(to[i].y() * side);
    return pairs.join(QLatin1Char(' '));
}

TEST_F(QrCommandTest, ReadsCodesPhotographedAtAnAngle) {
    struct Case {
        const char* name;
        QString text;
        std::array<QPointF, 4> to;
    };
    const Case cases[] = {
        {"from the left", "A12345,B67890", {{{0.05, 0.15}, {0.9, 0.0}, {0.9, 1.0}, {0.05, 0.85}}}},
        {"from below",
         "許可證,台北市中正區重慶南路一段122號",
         {{{0.2, 0.1}, {0.8, 0.1}, {1.0, 0.95}, {0.0, 0.95}}}},
        {"turned and tilted",
         "http://permit.example.gov.tw/q?city=63&ipno=A12345",
         {{{0.3, 0.0}, {1.0, 0.25}, {0.75, 1.0}, {0.0, 0.7}}}},
        {"steeply from the right",
         "F0001,F20150630",
         {{{0.0, 0.0}, {0.6, 0.25}, {0.6, 0.75}, {0.0, 1.0}}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString code = encode("code.png", c.text);
        const QImage image(code);
        ASSERT_FALSE(image.isNull());
        const Outcome read = qr(warp(code, "warped.png", corners(image.width(), c.to)));
        EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
        EXPECT_EQ(read.out, c.text + "\n");
    }
}

TEST_F(QrCommandTest, PrintsEveryCodeOfAPhotoOnItsOwnLine) {
    const QString left = encode("left.png", "A12345,B67890");
    const QString right = encode("right.png", "許可證,台北市");
    const QString both = dir.filePath("both.png");
    ASSERT_EQ(run("convert", {left, right, "+append", both}).exitCode, 0);
    const QImage image(both);
    // Taken a little from the left, saved as a camera would.
    const Outcome read = qr(warp(both, "both-warped.jpg",
                                 QStringLiteral("0,0 15,10 %1,0 %2,0 %1,%3 %2,%3 0,%3 15,%4")
                                     .arg(image.width())
                                     .arg(image.width() - 10)
                                     .arg(image.height())
                                     .arg(image.height() - 10)));
    ASSERT_EQ(read.exitCode, 0) << read.err.toStdString();
    QStringList lines = read.out.split('\n', Qt::SkipEmptyParts);
    lines.sort();
    EXPECT_EQ(lines, (QStringList{"A12345,B67890", "許可證,台北市"}));
}

TEST_F(QrCommandTest, ReadsSmallImagesAsTheyAre) {
    struct Case {
        const char* pixelsPerModule;
        const char* margin;
        int side;
    };
    for (const Case& c : {Case{"3", "1", 69}, Case{"2", "2", 50}, Case{"1", "2", 25}}) {
        SCOPED_TRACE(c.side);
        const QString path = dir.filePath("small.png");
        ASSERT_EQ(run("qrencode", {"-s", c.pixelsPerModule, "-m", c.margin, "-o", path, "A1,B2"})
                      .exitCode,
                  0);
        ASSERT_EQ(QImage(path).width(), c.side);
        const Outcome read = qr(path);
        EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
        EXPECT_EQ(read.out, "A1,B2\n");
    }
}

TEST_F(QrCommandTest, PrintsPayloadsWholeWithControlCharactersEscaped) {
    const QString payload = dir.filePath("payload.bin");
    QFile file(payload);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("A1\0B2\nC3\\\x01\t", 11));
    file.close();
    const QString path = dir.filePath("payload.png");
    ASSERT_EQ(run("qrencode", {"-8", "-s", "4", "-r", payload, "-o", path}).exitCode, 0);
    const Outcome read = qr(path);
    EXPECT_EQ(read.exitCode, 0) << read.err.toStdString();
    EXPECT_EQ(read.out, "A1\\0B2\\nC3\\\\\\x01\\t\n");
}

TEST_F(QrCommandTest, FailsWithAMessageWhenThereIsNoCodeOrNoImage) {
    const QString blank = dir.filePath("blank.png");
    ASSERT_EQ(run("convert", {"-size", "400x300", "xc:white", blank}).exitCode, 0);
    const QString text = dir.filePath("notes.png");
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not an image");
    file.close();
    struct Case {
        QString path;
        QString message;
    };
    for (const Case& c : {Case{blank, "no QR code found in"}, Case{text, "cannot read image"},
                          Case{dir.filePath("missing.png"), "cannot read image"}}) {
        SCOPED_TRACE(c.path.toStdString());
        const Outcome read = qr(c.path);
        EXPECT_EQ(read.exitCode, 1);
        EXPECT_TRUE(read.out.isEmpty());
        EXPECT_TRUE(read.err.contains(c.message)) << read.err.toStdString();
    }
    EXPECT_EQ(run(INSPECTOR_CLI, {"qr"}).exitCode, 2);
}

} // namespace
