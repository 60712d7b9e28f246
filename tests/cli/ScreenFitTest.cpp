// inspector-app in a real X display smaller than the device it pretends to
// be: the window it shows must fit on the screen; on a phone-sized screen it
// fills it.
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRect>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <optional>

namespace {

constexpr int kScreenWidth = 1024;
constexpr int kScreenHeight = 768;
// The display's second screen, a phone's.
constexpr int kPhoneScreen = 1;
const QRect kPhoneScreenRect(0, 0, 360, 720);

// Runs program to its end within a few seconds; returns its standard output,
// or nothing when it failed or did not end.
std::optional<QString> output(const QString& program, const QStringList& args,
                              const QProcessEnvironment& env) {
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
        return std::nullopt;
    }
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    return QString::fromUtf8(process.readAllStandardOutput());
}

// An Xvfb server of kScreenWidth x kScreenHeight, with a phone-sized second
// screen, without a window manager, on a display number it picks itself, for
// the whole suite.
class ScreenFit : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        for (const char* tool : {"Xvfb", "xwininfo", "xdotool"})
            if (QStandardPaths::findExecutable(tool).isEmpty()) return;
        xvfb = new QProcess;
        // -displayfd 1: it writes the display number it took on its standard output.
        // -noreset: the server stays up between clients, so that an app started
        // just as the last one left can connect.
        xvfb->start("Xvfb", {"-displayfd", "1", "-nolisten", "tcp", "-noreset", "-screen", "0",
                             QStringLiteral("%1x%2x24").arg(kScreenWidth).arg(kScreenHeight),
                             "-screen", QString::number(kPhoneScreen),
                             QStringLiteral("%1x%2x24")
                                 .arg(kPhoneScreenRect.width())
                                 .arg(kPhoneScreenRect.height())});
        QString number;
        while (!number.endsWith('\n') && xvfb->waitForReadyRead(10000))
            number += QString::fromLatin1(xvfb->readAllStandardOutput());
        if (!number.trimmed().isEmpty()) display = ':' + number.trimmed();
    }

    static void TearDownTestSuite() {
        if (!xvfb) return;
        xvfb->terminate();
        if (!xvfb->waitForFinished(5000)) xvfb->kill();
        delete xvfb;
        xvfb = nullptr;
    }

    void SetUp() override {
        if (display.isEmpty())
            GTEST_SKIP() << "Xvfb, xwininfo or xdotool is missing, or Xvfb did not start";
    }

    QProcessEnvironment environment(int screen = 0) const {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("XDG_RUNTIME_DIR");
        env.remove("QT_SCALE_FACTOR");
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.insert("DISPLAY", QStringLiteral("%1.%2").arg(display).arg(screen));
        return env;
    }

    // The geometry of inspector-app's window on the screen once it shows,
    // or an empty one when none shows within 15 s.
    QRect appWindow(int screen = 0) const {
        // A line of the tree: 0x200006 "TITLE": ("inspector-app" "inspector")  546x728+0+0  +0+0
        static const QRegularExpression line(R"re((0x[0-9a-f]+) .*\("inspector-app" )re");
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 15000) {
            const QString tree =
                output("xwininfo", {"-root", "-tree"}, environment(screen)).value_or(QString());
            for (const QRegularExpressionMatch& m : line.globalMatch(tree))
                if (const std::optional<QRect> shown = shownWindow(m.captured(1), screen))
                    return *shown;
            QThread::msleep(100);
        }
        return {};
    }

    // The geometry of the X window id if it is on the screen, or none.
    std::optional<QRect> shownWindow(const QString& id, int screen) const {
        const QString info =
            output("xwininfo", {"-id", id}, environment(screen)).value_or(QString());
        if (!info.contains("Map State: IsViewable")) return std::nullopt;
        const auto field = [&info](const char* name) {
            const QRegularExpression pattern(QStringLiteral("%1:\\s*(-?\\d+)").arg(name));
            return pattern.match(info).captured(1).toInt();
        };
        return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
                     field("Height"));
    }

    static inline QProcess* xvfb = nullptr;
    static inline QString display;
};

struct FitCase {
    const char* device;
    const char* userScale; // the user's QT_SCALE_FACTOR; empty for none
    QSize window;          // in screen pixels
};

// 768 x 1024 fits when drawn at 0.71 of its size (the title bar left 40
// pixels room); the user's factor of 2 is lowered as far as needed (2 x 0.61);
// a phone that fits is left as it is.
const FitCase kCases[] = {
    {"tablet", "", {546, 728}},
    {"phone", "2", {388, 688}},
    {"phone", "", {320, 568}},
};

// Waits until the scenario the app runs has passed its first step, which it
// prints as "1: STEP"; true when it has.
bool firstStepPassed(QProcess& app) {
    QByteArray printed;
    while (!printed.contains("1: ") && app.waitForReadyRead(10000))
        printed += app.readAllStandardOutput();
    return printed.contains("1: ");
}

// Writes a scenario of steps into dir; returns its path, or an empty text.
QString writeScenario(const QTemporaryDir& dir, const char* steps) {
    QFile scenario(dir.filePath("show.scenario"));
    if (!scenario.open(QIODevice::WriteOnly) || scenario.write(steps) < 0) return {};
    return scenario.fileName();
}

// Each start runs a short scenario, which ends the app: the login prompt
// shows, and then the answer to an ID that the test types on the X keyboard
// into the window drawn smaller.
TEST_F(ScreenFit, ADeviceTallerThanTheScreenIsDrawnSmallerToFit) {
    QTemporaryDir dir;
    const QString scenario = writeScenario(
        dir, "expect alert 身份驗證 | 請輸入身份證字號\n"
             "expect alert 身份驗證 | 無法連接網路或後端數據庫沒有回應, 即將關閉程式\n");
    ASSERT_FALSE(scenario.isEmpty());
    for (const FitCase& c : kCases) {
        SCOPED_TRACE(QStringLiteral("--device %1, QT_SCALE_FACTOR '%2'")
                         .arg(c.device, c.userScale)
                         .toStdString());
        QProcessEnvironment env = environment();
        if (*c.userScale) env.insert("QT_SCALE_FACTOR", c.userScale);
        QProcess app;
        app.setProcessEnvironment(env);
        app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        app.start(INSPECTOR_APP, {"--device", c.device, "--offline", "--home", dir.filePath("home"),
                                  "--scenario", scenario});
        const QRect window = appWindow();
        if (!window.isEmpty() && firstStepPassed(app)) {
            // Keys go to the window under the pointer: there is no window manager.
            const QPoint middle = window.center();
            for (const QStringList& input :
                 {QStringList{"mousemove", QString::number(middle.x()),
                              QString::number(middle.y())},
                  QStringList{"type", "--delay", "20", "A123456789"}, QStringList{"key", "Return"}})
                EXPECT_TRUE(output("xdotool", input, environment()))
                    << input.join(' ').toStdString();
        }
        if (!app.waitForFinished(30000)) app.kill();
        EXPECT_EQ(app.exitCode(), 0);

        ASSERT_FALSE(window.isEmpty()) << "no window of inspector-app showed";
        EXPECT_NEAR(window.width(), c.window.width(), 1);
        EXPECT_NEAR(window.height(), c.window.height(), 1);
        EXPECT_TRUE(QRect(0, 0, kScreenWidth, kScreenHeight).contains(window))
            << window.x() << "," << window.y() << " " << window.width() << "x" << window.height();
    }
}

// A screen at most 800 pixels long is a phone's: the window fills it by
// itself, the phone layout drawn 1.125 times larger.
TEST_F(ScreenFit, APhoneSizedScreenIsFilledWithoutBeingAsked) {
    QTemporaryDir dir;
    const QString scenario = writeScenario(dir, "expect alert 身份驗證 | 請輸入身份證字號\n"
                                                "wait 3\n");
    ASSERT_FALSE(scenario.isEmpty());
    QProcess app;
    app.setProcessEnvironment(environment(kPhoneScreen));
    app.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    app.start(INSPECTOR_APP, {"--offline", "--home", dir.filePath("home"), "--scenario", scenario});
    const QRect window = appWindow(kPhoneScreen);
    if (!app.waitForFinished(30000)) app.kill();
    EXPECT_EQ(app.exitCode(), 0);
    EXPECT_EQ(window, kPhoneScreenRect);
}

} // namespace
