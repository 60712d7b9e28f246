#include "AppRun.h"
#include "VirtualDisplay.h"

#include <QDir>
#include <QElapsedTimer>
#include <QThread>
#include <functional>

namespace {

// A landscape screen, where Qt's on-screen keyboard (as wide as the screen)
// rises over the lower half of the phone-sized window at its left.
const QSize kScreen(1100, 640);
constexpr int kWindowWidth = 320;
const QRgb kAlertBackground = qRgb(0xf7, 0xf7, 0xf7);
const QRgb kFieldBackground = qRgb(0xff, 0xff, 0xff);
// The rows of the keyboard's English layout: letters, and after its "&123"
// key (row 3, first key) digits in the first row.
constexpr int kKeyRows = 4;

// Where screen shows colour left of the window's right edge, inside within
// when given; empty when nowhere.
QRect boxOf(const QImage& screen, QRgb colour, QRect within = {}) {
    if (within.isEmpty()) within = QRect(0, 0, kWindowWidth, screen.height());
    QRect box;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (screen.pixel(x, y) == colour) box |= QRect(x, y, 1, 1);
    return box;
}

// The keyboard's top on screen: the first lit row of the screen's right edge,
// right of the window, where the screen is black without it; -1 when none shows.
int keyboardTop(const QImage& screen) {
    for (int y = 0; y < screen.height(); ++y)
        if (qGray(screen.pixel(screen.width() - 2, y)) > 0) return y;
    return -1;
}

int distance(QRgb a, QRgb b) {
    return std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) +
           std::abs(qBlue(a) - qBlue(b));
}

// The middles of the keys along line y of the keyboard, left to right: the
// runs of pixels unlike the keyboard's background at the screen's edge.
QList<int> keysAlong(const QImage& screen, int y) {
    const QRgb background = screen.pixel(screen.width() - 1, y);
    QList<int> middles;
    int start = -1;
    for (int x = 0; x <= screen.width(); ++x) {
        const bool key = x < screen.width() && distance(screen.pixel(x, y), background) > 30;
        if (key && start < 0) start = x;
        if (!key && start >= 0) {
            if (x - start >= 20) middles << (start + x) / 2;
            start = -1;
        }
    }
    return middles;
}

// Waits up to 10 s for what the screen shows to satisfy holds; the last
// picture of the screen.
QImage waitForScreen(const VirtualDisplay& display,
                     const std::function<bool(const QImage&)>& holds) {
    QElapsedTimer clock;
    clock.start();
    QImage screen = display.grab();
    while (!(!screen.isNull() && holds(screen)) && clock.elapsed() < 10000) {
        QThread::msleep(100);
        screen = display.grab();
    }
    return screen;
}

void keep(const QImage& screen, const QString& name) {
    QDir().mkpath("virtual-keyboard");
    screen.save(QStringLiteral("virtual-keyboard/%1.png").arg(name));
}

class VirtualKeyboard : public AppRunFixture {
  protected:
    // Taps key index (from the left) of row of the keyboard as it shows now.
    void tapKey(int row, int index) {
        const QImage screen = display.grab();
        const int top = keyboardTop(screen);
        ASSERT_GE(top, 0) << "no keyboard";
        const int y = top + (2 * row + 1) * (screen.height() - top) / (2 * kKeyRows);
        const QList<int> keys = keysAlong(screen, y);
        ASSERT_LT(index, keys.size()) << "row " << row << " has " << keys.size() << " keys";
        ASSERT_TRUE(display.click(QPoint(keys[index], y)));
        QThread::msleep(150); // the key's press and release have reached the app
    }

    // The app shows its windows on display with Qt's on-screen keyboard.
    QProcessEnvironment keyboardEnvironment() const {
        QProcessEnvironment env = display.environment();
        env.insert("QT_IM_MODULE", "qtvirtualkeyboard");
        return env;
    }

    VirtualDisplay display{kScreen};
};

// Ending while the keyboard serves the login alert's field (a scenario's last
// step, as any quit) ends the app cleanly.
TEST_F(VirtualKeyboard, TheAppEndsCleanlyWhileTheKeyboardShows) {
    ASSERT_FALSE(display.name().isEmpty()) << "Xvfb did not start";
    QProcess app;
    ASSERT_TRUE(startUntil(app, writeScenario("expect alert 身份驗證\nwait 3\n"),
                           "1: expect alert 身份驗證", keyboardEnvironment()));
    const QImage screen = waitForScreen(display, [](const QImage& s) {
        return !boxOf(s, kFieldBackground, boxOf(s, kAlertBackground)).isEmpty();
    });
    ASSERT_TRUE(
        display.click(boxOf(screen, kFieldBackground, boxOf(screen, kAlertBackground)).center()));
    EXPECT_GE(
        keyboardTop(waitForScreen(display, [](const QImage& s) { return keyboardTop(s) >= 0; })),
        0);
    const bool ended = app.waitForFinished(30000);
    if (!ended) app.kill();
    app.waitForFinished();
    EXPECT_EQ(app.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(app.exitCode(), 0) << app.readAllStandardError().toStdString();
}

// The inspector logs in with the on-screen keyboard alone: a tap on the ID
// field brings up Qt's virtual keyboard, the login alert moves up clear of it
// (field and buttons in sight), the ID is typed on its keys and the alert's
// "好" is tapped; the stand-in server knows the ID and the app greets him.
TEST_F(VirtualKeyboard, TypesTheIdOnItsKeysAndLogsIn) {
    ASSERT_FALSE(display.name().isEmpty()) << "Xvfb did not start";
    const QString scenario = writeScenario("expect alert 身份驗證\n"
                                           "timeout 60\n"
                                           "press 知道了\n"
                                           "timeout 10\n"
                                           "press 暫不更新\n"
                                           "expect text 安檢員：王大明\n"
                                           "wait 2\n");
    QProcess app;
    ASSERT_TRUE(startUntil(app, scenario, "1: expect alert 身份驗證", keyboardEnvironment()))
        << app.readAllStandardError().toStdString();

    QImage screen = waitForScreen(
        display, [](const QImage& s) { return !boxOf(s, kAlertBackground).isEmpty(); });
    const QRect centred = boxOf(screen, kAlertBackground);
    const QRect field = boxOf(screen, kFieldBackground, centred);
    ASSERT_FALSE(field.isEmpty()) << "no text field in the alert";
    ASSERT_TRUE(display.click(field.center()));

    screen = waitForScreen(display, [&](const QImage& s) {
        const int top = keyboardTop(s);
        return top >= 0 && boxOf(s, kAlertBackground).bottom() < top;
    });
    keep(screen, "1-keyboard-up");
    const int top = keyboardTop(screen);
    ASSERT_GE(top, 0) << "the keyboard did not come up";
    // Where it stood, the keyboard would have covered the alert's buttons.
    EXPECT_GE(centred.bottom(), top);
    const QRect raised = boxOf(screen, kAlertBackground);
    EXPECT_LT(raised.bottom(), top) << "the alert stays under the keyboard";
    EXPECT_GE(raised.top(), 0);
    EXPECT_EQ(raised.size(), centred.size());

    tapKey(1, 0); // "A", in capitals: the field asks for nothing else
    tapKey(3, 0); // "&123"
    for (int digit = 1; digit <= 9; ++digit)
        tapKey(0, digit - 1);
    screen = display.grab();
    keep(screen, "2-id-typed");

    // "好", the alert's right button: above its lower margin, right half.
    const int x = raised.left() + 3 * raised.width() / 4;
    int y = raised.bottom();
    while (y > raised.top() && screen.pixel(x, y) == kAlertBackground)
        --y;
    ASSERT_TRUE(display.click(QPoint(x, y - 10)));

    screen = waitForScreen(display, [](const QImage& s) { return keyboardTop(s) < 0; });
    keep(screen, "3-logged-in");
    EXPECT_LT(keyboardTop(screen), 0) << "the keyboard stays after the alert has gone";
    const bool ended = app.waitForFinished(90000);
    if (!ended) app.kill();
    app.waitForFinished();
    EXPECT_TRUE(ended);
    EXPECT_EQ(app.exitCode(), 0) << app.readAllStandardOutput().toStdString()
                                 << app.readAllStandardError().toStdString();
}

} // namespace
