// inspector-app and inspector-cli started as a user starts them: what they
// print, where, and with which exit status.
#include "cli/Programs.h"
#include "plist/Plist.h"
#include "support/LibjpegFiles.h"
#include "support/PhotoTestImages.h"
#include "util/PublicFunctionParameters.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString shippedVersion() {
    const PlistReadResult file =
        readPlistFile(QStringLiteral(INSPECTOR_SOURCE_DIR "/resources/Parameters.plist"));
    const PlistValue* version =
        file.value && file.value->asDict() ? file.value->asDict()->value(verIosKey) : nullptr;
    return version && version->asString() ? *version->asString() : QString();
}

TEST(AppCommandLine, HelpListsEveryOptionWithoutADisplay) {
    const Finished help = app({"--help"}, kNoDisplay);
    ASSERT_EQ(help.status, 0) << describe(help);
    EXPECT_TRUE(help.err.isEmpty()) << describe(help);
    for (const char* option :
         {"--device NAME", "--location LAT,LON", "--nmea FILE", "--offline", "--home DIR",
          "--parameters FILE", "--qr-images PATH", "--photos DIR", "--scenario FILE",
          "--screenshots DIR", "--verbose", "--help", "--version", "QT_SCALE_FACTOR"})
        EXPECT_TRUE(help.out.contains(option)) << option << "\n" << describe(help);
    // Each option has its line of explanation.
    for (const QString& line : help.out.split('\n'))
        if (line.trimmed().startsWith("--")) {
            EXPECT_GT(line.simplified().split(' ').size(), 2) << line.toStdString();
        }
}

TEST(AppCommandLine, VersionIsTheBuiltInParameterFilesVersion) {
    ASSERT_FALSE(shippedVersion().isEmpty());
    for (const QStringList& args :
         {QStringList{"--version"}, QStringList{"--device", "tablet", "--version"}}) {
        const Finished version = app(args, kNoDisplay);
        EXPECT_EQ(version.status, 0) << describe(version);
        EXPECT_EQ(version.out, "inspector-app " + shippedVersion() + "\n") << describe(version);
        EXPECT_TRUE(version.err.isEmpty()) << describe(version);
    }
}

struct Refusal {
    const char* name;
    QByteArray content; // written to the parameter file; "-" for no file, "/" for a folder
    const char* reason;
};

class BadParameterFile : public testing::TestWithParam<Refusal> {};

TEST_P(BadParameterFile, IsRefusedWithOneLineNamingIt) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Parameters.plist");
    const QByteArray& content = GetParam().content;
    if (content == "/") {
        ASSERT_TRUE(QDir(dir.path()).mkdir("Parameters.plist"));
    } else if (content != "-") {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    const Finished refused = app({"--parameters", path, "--home", dir.filePath("home")});
    EXPECT_EQ(refused.status, 2) << describe(refused);
    EXPECT_TRUE(refused.out.isEmpty()) << describe(refused);
    EXPECT_EQ(refused.err.count('\n'), 1) << describe(refused);
    EXPECT_TRUE(refused.err.contains(path)) << describe(refused);
    EXPECT_TRUE(refused.err.contains(GetParam().reason)) << describe(refused);
}

QByteArray plist(const QByteArray& dictBody) {
    return R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict>)" + dictBody +
           "</dict></plist>";
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, BadParameterFile,
    testing::Values(
        Refusal{"missing", "-", "no such file"}, Refusal{"folder", "/", "not a file"},
        Refusal{"empty", "", "not a property list"},
        Refusal{"json", R"({"ServerIP":"10.0.0.1"})", "not a property list"},
        Refusal{"no_server", plist("<key>ver_ios</key><string>1.0</string>"), "\"ServerIP\""},
        Refusal{"empty_server", plist("<key>ServerIP</key><string> </string>"), "\"ServerIP\""},
        Refusal{"number_server", plist("<key>ServerIP</key><integer>8080</integer>"),
                "\"ServerIP\""},
        Refusal{"array", R"(<plist version="1.0"><array/></plist>)", "\"ServerIP\""}),
    [](const auto& info) { return std::string(info.param.name); });

// Also where no display can be had: options are read before the window system starts.
TEST(AppCommandLine, ABadOptionIsOneLineAndStatusTwo) {
    for (const QString& platform : {QStringLiteral("offscreen"), QString::fromLatin1(kNoDisplay)})
        for (const QStringList& args :
             {QStringList{"--device", "watch"}, QStringList{"--frobnicate"},
              QStringList{"--location", "100,0"}}) {
            const Finished refused = app(args, platform);
            EXPECT_EQ(refused.status, 2) << describe(refused);
            EXPECT_EQ(refused.err.count('\n'), 1) << describe(refused);
            EXPECT_TRUE(refused.err.startsWith("inspector-app: ")) << describe(refused);
        }
}

TEST(CliCommandLine, HelpAndVersionAnswerOnStandardOutput) {
    const Finished help = cli({"--help"});
    EXPECT_EQ(help.status, 0) << describe(help);
    EXPECT_TRUE(help.err.isEmpty()) << describe(help);
    for (const char* command :
         {"html-decode TEXT", "json FILE", "qr IMAGE", "roc-time", "send DIR PK", "stamp IN.jpg",
          "store list|check DIR", "store tidy [--dry-run] DIR"})
        EXPECT_TRUE(help.out.contains(command)) << command << "\n" << describe(help);

    const Finished version = cli({"--version"});
    EXPECT_EQ(version.status, 0) << describe(version);
    EXPECT_EQ(version.out, "inspector-cli " + shippedVersion() + "\n") << describe(version);
}

TEST(CliCommandLine, AMissingOrUnknownCommandShowsTheUsageWithStatusTwo) {
    for (const QStringList& args :
         {QStringList{}, QStringList{"frobnicate"}, QStringList{"--frobnicate"}}) {
        const Finished refused = cli(args);
        EXPECT_EQ(refused.status, 2) << describe(refused);
        EXPECT_TRUE(refused.out.isEmpty()) << describe(refused);
        EXPECT_TRUE(refused.err.contains("usage: inspector-cli COMMAND")) << describe(refused);
    }
}

// Commands that draw nothing start no window system (they run under a
// platform that does not exist); none of them, nor stamp, which draws, says
// anything on stderr when it succeeds.
TEST(CliCommandLine, SuccessfulCommandsAreQuietOnStandardError) {
    QTemporaryDir dir;
    QFile json(dir.filePath("answer.json"));
    ASSERT_TRUE(json.open(QIODevice::WriteOnly));
    json.write(R"({"state":"0","msg":""})");
    json.close();
    QImage photo(1200, 900, QImage::Format_RGB32);
    photo.fill(Qt::darkCyan);
    ASSERT_TRUE(photo.save(dir.filePath("in.jpg")));

    const struct {
        QStringList args;
        QString platform;
    } commands[] = {
        {{"json", json.fileName()}, kNoDisplay},
        {{"html-decode", "&amp;"}, kNoDisplay},
        {{"roc-time", "1420041547", "yyyyMMdd"}, kNoDisplay},
        {{"store", "list", dir.path()}, kNoDisplay},
        {{"stamp", dir.filePath("in.jpg"), dir.filePath("out.jpg"), "--chkno", "F1130001"},
         "offscreen"},
    };
    for (const auto& command : commands) {
        const Finished done = cli(command.args, command.platform);
        EXPECT_EQ(done.status, 0) << command.args.join(' ').toStdString() << "\n" << describe(done);
        EXPECT_TRUE(done.err.isEmpty()) << command.args.join(' ').toStdString() << "\n"
                                        << describe(done);
    }
    EXPECT_FALSE(QImage(dir.filePath("out.jpg")).isNull());
}

// A photo that cannot be stored as it is taken is not stamped: the command
// says why and fails, and writes no output file.
TEST(CliCommandLine, StampRefusesPhotosCutShortOrTooLarge) {
    QTemporaryDir dir;
    const auto writeFile = [&dir](const QString& name, const QByteArray& bytes, qint64 size) {
        QFile file(dir.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
               file.resize(size);
    };
    const QByteArray cmyk =
        libjpegFile(redLeftBlueRight(1600, 1), 1200, {.colors = JpegForm::Colors::Cmyk});
    const QByteArray small = jpegOf(redLeftBlueRight(160, 120));
    ASSERT_TRUE(writeFile("cut.jpg", cmyk.left(cmyk.size() / 2), cmyk.size() / 2));
    // A whole picture, followed by zeros past the size limit of photo files.
    ASSERT_TRUE(writeFile("huge.jpg", small, 64 * 1024 * 1024 + 1));
    const struct {
        const char* file;
        const char* why;
    } photos[] = {{"cut.jpg", "premature end of data segment"},
                  {"huge.jpg", "is larger than 67108864 bytes"}};
    for (const auto& photo : photos) {
        const Finished done =
            cli({"stamp", dir.filePath(photo.file), dir.filePath("out.jpg"), "--chkno", "X"},
                "offscreen");
        EXPECT_EQ(done.status, 1) << describe(done);
        EXPECT_TRUE(done.err.contains(photo.why)) << describe(done);
        EXPECT_TRUE(done.err.contains("error: ")) << describe(done);
        EXPECT_FALSE(QFile::exists(dir.filePath("out.jpg")));
    }
}

} // namespace
