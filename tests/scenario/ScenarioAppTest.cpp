#include "AppRun.h"
#include "fixtures/QrImages.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <filesystem>

namespace {

using ScenarioApp = AppRunFixture;

QString logIn() {
    return QStringLiteral("expect alert 身份驗證\n"
                          "type A123456789\n"
                          "press 好\n"
                          "press 知道了\n"
                          "press 暫不更新\n");
}

// The scenarios kept in the repository: the demo of scripts/run and every
// file of tests/scenario/walks. Each must pass against the real app.
std::vector<std::string> keptScenarios() {
    std::vector<std::string> files{INSPECTOR_SOURCE_DIR "/scripts/demo.scenario"};
    const std::filesystem::path folder(INSPECTOR_SOURCE_DIR "/tests/scenario/walks");
    if (std::filesystem::is_directory(folder))
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".scenario") files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}

// A kept scenario, driven by mouse or by a finger on a touch screen.
struct KeptRun {
    std::string file;
    bool touch;
};

class KeptScenario : public ScenarioApp, public testing::WithParamInterface<KeptRun> {};

TEST_P(KeptScenario, Passes) {
    const KeptRun& kept = GetParam();
    const AppRun run = this->run(QString::fromStdString(kept.file),
                                 kept.touch ? QStringList{"--touch"} : QStringList{});
    EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
}

std::vector<KeptRun> keptRuns() {
    std::vector<KeptRun> runs;
    for (const std::string& file : keptScenarios())
        for (const bool touch : {false, true})
            runs.push_back({file, touch});
    return runs;
}

INSTANTIATE_TEST_SUITE_P(Files, KeptScenario, testing::ValuesIn(keptRuns()),
                         [](const testing::TestParamInfo<KeptRun>& info) {
                             std::string name =
                                 std::filesystem::path(info.param.file).stem().string();
                             std::replace_if(
                                 name.begin(), name.end(), [](char c) { return !std::isalnum(c); },
                                 '_');
                             return name + (info.param.touch ? "_ByTouch" : "_ByMouse");
                         });

// The pictures a scenario file asks for, numbered in order.
QStringList screenshotsOf(const QString& scenario) {
    QFile file(scenario);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList names;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n'))
        if (line.startsWith(QStringLiteral("screenshot ")))
            names << QStringLiteral("%1-%2.png")
                         .arg(names.size() + 1, 3, 10, QChar(u'0'))
                         .arg(line.mid(11).trimmed());
    return names;
}

TEST_F(ScenarioApp, DemoSavesAPictureOfEveryScreenAndAlertAndPrintsEachStep) {
    const QString demo = QStringLiteral(INSPECTOR_SOURCE_DIR "/scripts/demo.scenario");
    const AppRun run = this->run(demo);
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    const QStringList expected = screenshotsOf(demo);
    EXPECT_GT(expected.size(), 10);
    EXPECT_EQ(QDir(shots()).entryList(QDir::Files), expected);
    const QImage alert(QDir(shots()).filePath("001-login.png"));
    EXPECT_EQ(alert.size(), QSize(320, 568));
    // The alert is drawn over the dimmed screen: its light box in the middle.
    EXPECT_GT(qGray(alert.pixel(160, 284)), 200);
    EXPECT_LT(qGray(alert.pixel(5, 560)), 250);
    EXPECT_TRUE(run.out.contains("13: expect alert 身份驗證 | 請輸入身份證字號\n"))
        << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(": press 登出\n")) << run.out.toStdString();
}

TEST_F(ScenarioApp, AFailingCheckReportsItsLineAndWhatIsOnScreen) {
    const QString file = writeScenario("# a check that cannot hold\n"
                                       "timeout 0.5\n"
                                       "expect text 不存在的字\n");
    const AppRun run = this->run(file);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.contains("2: timeout 0.5\n"));
    EXPECT_TRUE(run.err.startsWith(
        file + ":3: expect text 不存在的字: no visible text contains \"不存在的字\" after 0.5 s\n"))
        << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("  screen: \"主畫面\"\n"));
    EXPECT_TRUE(run.err.contains(
        "  alert: \"身份驗證\" | \"請輸入身份證字號\" buttons: \"取消\" \"好\"\n"));
    EXPECT_TRUE(run.err.contains("  texts: \"建築物昇降設備安全檢查\""));
}

TEST_F(ScenarioApp, ChecksWidgetsAndTextsOfTheMainScreen) {
    const QString file = writeScenario(logIn() + "expect screen 主畫面\n"
                                                 "expect text 安檢員：王大明\n"
                                                 "expect no text 身份驗證\n"
                                                 "expect enabled 登出\n"
                                                 "expect enabled closeBtn\n"
                                                 "wait 0.2\n"
                                                 "tap 登出\n"
                                                 "expect alert 登出作業\n"
                                                 "press 取消\n"
                                                 "expect no text 登出作業\n"
                                                 "timeout 0.3\n"
                                                 "expect disabled closeBtn\n");
    const AppRun run = this->run(file);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.out.contains("15: expect no text 登出作業\n")) << run.out.toStdString();
    EXPECT_TRUE(
        run.err.contains(":17: expect disabled closeBtn: \"closeBtn\" is enabled after 0.3 s"))
        << run.err.toStdString();
}

TEST_F(ScenarioApp, QrPicturesAndPhotosReachTheRealReaderAndCamera) {
    // A registration code whose check needs no permit, and a camera's photo.
    ASSERT_TRUE(qrCode("ABC123,F001", 6).save(dir.filePath("code.png")));
    QImage shot(640, 480, QImage::Format_RGB32);
    shot.fill(Qt::darkCyan);
    ASSERT_TRUE(shot.save(dir.filePath("shot.jpg"), "JPEG"));
    const QString file = writeScenario(logIn() + "tap menu1Button\n"
                                                 "expect screen 檢查設備確認\n"
                                                 "qr code.png\n"
                                                 "tap topButton\n"
                                                 "expect screen 登記碼掃描\n"
                                                 "expect text 設備編號：ABC123\n"
                                                 "screenshot code-read\n"
                                                 "tap 確定\n"
                                                 "expect text 確認正確\n"
                                                 "expect screen 安檢照片拍攝\n"
                                                 "expect rows tbl 0\n"
                                                 "photo shot.jpg\n"
                                                 "tap cameraLowerButton\n"
                                                 "expect rows tbl 1\n"
                                                 "screenshot photo-taken\n");
    const AppRun run = this->run(file);
    EXPECT_EQ(run.status, 0) << run.out.toStdString() << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(QDir(shots()).filePath("001-code-read.png")));
    EXPECT_TRUE(QFile::exists(QDir(shots()).filePath("002-photo-taken.png")));
}

TEST_F(ScenarioApp, TheAppEndingBeforeTheLastStepIsAFailure) {
    const QString file = writeScenario(logIn() + "tap closeBtn\n"
                                                 "press 登出\n"
                                                 "expect screen 主畫面\n");
    const AppRun run = this->run(file);
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(
        run.err.contains(":8: expect screen 主畫面: the app ended with status 0 before this step"))
        << run.err.toStdString();
}

TEST_F(ScenarioApp, BadScenarioEndsWithStatusTwoBeforeTheAppStarts) {
    const QString file = writeScenario("expect alert 身份驗證\n"
                                       "jump 3\n"
                                       "qr missing.png\n");
    const AppRun run = this->run(file);
    EXPECT_EQ(run.status, 2);
    EXPECT_TRUE(run.err.contains(file + ":2: unknown step \"jump\"\n")) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(file + ":3: qr: no file " + dir.filePath("missing.png")));
    EXPECT_TRUE(run.out.isEmpty());
    EXPECT_FALSE(QDir(home()).exists());
}

} // namespace

namespace {

// The request addresses carry the inspector's ID (in Base64): they reach the
// terminal only when asked for.
TEST_F(ScenarioApp, DiagnosticLinesOnlyWithVerbose) {
    const QString walk = writeScenario(logIn() + "expect screen 主畫面\n");
    const AppRun quiet = run(walk);
    ASSERT_EQ(quiet.status, 0) << quiet.err.toStdString();
    EXPECT_FALSE(quiet.err.contains("urlString")) << quiet.err.toStdString();
    EXPECT_FALSE(quiet.err.contains("QTEyMzQ1Njc4OQ")) << quiet.err.toStdString();
    ASSERT_TRUE(QDir(home()).removeRecursively()); // logged out again
    const AppRun verbose = run(walk, {"--verbose"});
    ASSERT_EQ(verbose.status, 0) << verbose.err.toStdString();
    EXPECT_TRUE(verbose.err.contains("urlString = http://127.0.0.1:")) << verbose.err.toStdString();
}

} // namespace
