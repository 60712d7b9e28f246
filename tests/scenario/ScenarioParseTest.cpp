#include "scenario/Scenario.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// A scenario file in a fresh folder that also holds a QR picture and a photo.
struct ScenarioFile : testing::Test {
    ScenarioFile() {
        QImage(8, 8, QImage::Format_RGB32).save(dir.filePath("code.png"));
        QImage(8, 8, QImage::Format_RGB32).save(dir.filePath("shot.jpg"), "JPEG");
        QImage(8, 8, QImage::Format_RGB32).save(dir.filePath("shot-as.png"));
    }
    std::optional<Scenario> read(const QByteArray& text, bool screenshots = true) {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(text);
        file.close();
        errors.clear();
        return readScenario(path, screenshots, errors);
    }

    QTemporaryDir dir;
    QString path = dir.filePath("s.scenario");
    QStringList errors;
};

TEST_F(ScenarioFile, ReadsEveryStepWithItsArguments) {
    const auto scenario = read("# login\n"
                               "\n"
                               "  tap   menu1Button  \n"
                               "tap-row tbl 2\n"
                               "tick tbl 0\n"
                               "swipe-delete tbl1 3\n"
                               "back\n"
                               "expect screen 安檢照片紀錄\n"
                               "expect alert 身份驗證 | 請輸入身份證字號\n"
                               "expect alert | 無法使用\n"
                               "expect alert 版本更新\n"
                               "press 好\n"
                               "type A123456789\n"
                               "expect text 您目前使用的版本不是最新的，是否要下載更新？\\n註\n"
                               "expect no text 待傳\n"
                               "expect rows tbl 1\n"
                               "expect row tbl 0 TEST 安全檢查照片\n"
                               "expect enabled sort_Button\n"
                               "expect disabled 傳送\n"
                               "qr code.png\n"
                               "photo shot.jpg\n"
                               "wait 0.5\n"
                               "timeout 30\n"
                               "screenshot records\n"
                               "scroll tbl -250\n"
                               "pinch 1.5\n"
                               "camera code.png\n"
                               "camera none\n"
                               "camera unplug\n");
    ASSERT_TRUE(scenario) << errors.join('\n').toStdString();
    ASSERT_EQ(scenario->steps.size(), 27u);
    const auto& s = scenario->steps;
    EXPECT_EQ(s[0].kind, ScenarioStep::Tap);
    EXPECT_EQ(s[0].text, "menu1Button");
    EXPECT_EQ(s[0].line, 3);
    EXPECT_EQ(s[0].source, "tap   menu1Button");
    EXPECT_EQ(s[1].kind, ScenarioStep::TapRow);
    EXPECT_EQ(s[1].list, "tbl");
    EXPECT_EQ(s[1].row, 2);
    EXPECT_EQ(s[3].kind, ScenarioStep::SwipeDelete);
    EXPECT_EQ(s[3].list, "tbl1");
    EXPECT_EQ(s[4].kind, ScenarioStep::Back);
    EXPECT_EQ(s[6].text, "身份驗證");
    EXPECT_EQ(s[6].message, QString("請輸入身份證字號"));
    EXPECT_EQ(s[7].text, "");
    EXPECT_EQ(s[7].message, QString("無法使用"));
    EXPECT_EQ(s[8].message, std::nullopt);
    EXPECT_EQ(s[11].text, "您目前使用的版本不是最新的，是否要下載更新？\n註");
    EXPECT_EQ(s[12].kind, ScenarioStep::ExpectNoText);
    EXPECT_EQ(s[13].kind, ScenarioStep::ExpectRows);
    EXPECT_EQ(s[13].row, 1);
    EXPECT_EQ(s[14].kind, ScenarioStep::ExpectRow);
    EXPECT_EQ(s[14].text, "TEST 安全檢查照片");
    EXPECT_EQ(s[16].kind, ScenarioStep::ExpectDisabled);
    EXPECT_EQ(s[17].text, dir.filePath("code.png"));
    EXPECT_EQ(s[18].text, dir.filePath("shot.jpg"));
    EXPECT_DOUBLE_EQ(s[19].seconds, 0.5);
    EXPECT_EQ(s[20].kind, ScenarioStep::Timeout);
    EXPECT_EQ(s[21].text, "records");
    EXPECT_EQ(s[22].kind, ScenarioStep::Scroll);
    EXPECT_EQ(s[22].list, "tbl");
    EXPECT_EQ(s[22].pixels, -250);
    EXPECT_EQ(s[23].kind, ScenarioStep::Pinch);
    EXPECT_DOUBLE_EQ(s[23].factor, 1.5);
    EXPECT_EQ(s[24].kind, ScenarioStep::Camera);
    EXPECT_EQ(s[24].text, dir.filePath("code.png"));
    EXPECT_EQ(s[25].text, "none");
    EXPECT_EQ(s[26].text, "unplug");
    EXPECT_TRUE(scenario->usesCamera());
}

struct BadLine {
    const char* line;
    const char* error; // after "FILE:1: "
};

class BadScenarioLine : public ScenarioFile, public testing::WithParamInterface<BadLine> {};

TEST_P(BadScenarioLine, IsRefusedWithItsLine) {
    EXPECT_FALSE(read(QByteArray("# first\n") + GetParam().line + "\n"));
    // %1 stands for the scenario's folder.
    const QString error = QString::fromUtf8(GetParam().error).replace("%1", dir.path());
    EXPECT_EQ(errors, QStringList(path + ":2: " + error));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, BadScenarioLine,
    testing::Values(
        BadLine{"click 好", "unknown step \"click\""},
        BadLine{"tapped 好", "unknown step \"tapped\""},
        BadLine{"expect 好", "unknown step \"expect\""}, BadLine{"tap", "tap: needs an argument"},
        BadLine{"back now", "back: takes no argument"},
        BadLine{"tap-row tbl", "tap-row: needs LIST ROW"},
        BadLine{"tick tbl 1 2", "tick: needs LIST ROW"},
        BadLine{"expect row tbl 1", "expect row: needs LIST ROW TEXT"},
        BadLine{"swipe-delete tbl -1", "swipe-delete: row \"-1\" is not a number from 0"},
        BadLine{"expect rows tbl x", "expect rows: row \"x\" is not a number from 0"},
        BadLine{"wait soon", "wait: \"soon\" is not a number of seconds from 0 to 900"},
        BadLine{"wait 901", "wait: \"901\" is not a number of seconds from 0 to 900"},
        BadLine{"timeout inf", "timeout: \"inf\" is not a number of seconds from 0 to 900"},
        BadLine{"timeout 0", "timeout: a time-out must be longer than 0 seconds"},
        BadLine{"screenshot ../up", "screenshot: \"../up\" is not a plain file name"},
        BadLine{"screenshot a/b", "screenshot: \"a/b\" is not a plain file name"},
        BadLine{"photo shot-as.png", "photo: %1/shot-as.png is not a JPEG"},
        BadLine{"qr shot-none.png", "qr: no file %1/shot-none.png"},
        BadLine{"qr s.scenario", "qr: %1/s.scenario is not a picture"},
        BadLine{"scroll tbl", "scroll: needs LIST PIXELS"},
        BadLine{"scroll tbl 0",
                "scroll: \"0\" is not a number of pixels from -10000 to 10000, not 0"},
        BadLine{"scroll tbl 2.5",
                "scroll: \"2.5\" is not a number of pixels from -10000 to 10000, not 0"},
        BadLine{"pinch", "pinch: needs an argument"},
        BadLine{"pinch 0", "pinch: \"0\" is not a factor from 0.1 to 10"},
        BadLine{"pinch nan", "pinch: \"nan\" is not a factor from 0.1 to 10"},
        BadLine{"camera", "camera: needs an argument"},
        BadLine{"camera nothing.png", "camera: no file %1/nothing.png"},
        BadLine{"camera s.scenario", "camera: %1/s.scenario is not a picture"}),
    [](const testing::TestParamInfo<BadLine>& info) {
        return "Line" + std::to_string(info.index);
    });

TEST_F(ScenarioFile, EveryFaultOfTheFileIsNamed) {
    EXPECT_FALSE(read("tap\nwait x\n"));
    EXPECT_EQ(errors,
              QStringList({path + ":1: tap: needs an argument",
                           path + ":2: wait: \"x\" is not a number of seconds from 0 to 900"}));
    EXPECT_FALSE(read("screenshot main\n", false));
    EXPECT_EQ(errors, QStringList(path + ":1: screenshot: needs --screenshots DIR"));
}

TEST_F(ScenarioFile, UnreadableOrNonUtf8FilesAreRefused) {
    EXPECT_FALSE(read("expect text \xff\xfe\n"));
    EXPECT_EQ(errors, QStringList(path + ": not UTF-8 text"));
    errors.clear();
    EXPECT_FALSE(readScenario(dir.filePath("none.scenario"), true, errors));
    ASSERT_EQ(errors.size(), 1);
    EXPECT_TRUE(errors[0].startsWith(dir.filePath("none.scenario") + ": cannot read"));
    EXPECT_FALSE(read(QByteArray(2 << 20, '#')));
    EXPECT_EQ(errors, QStringList(path + ": larger than 1048576 bytes"));
}

} // namespace
