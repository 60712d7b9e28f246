// Small buttons take the taps around them, up to a 44x44 area.
#include "ui/TouchTargets.h"
#include "support/Fingers.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// A bar 44 high with a title and a small text button at each end, over a
// list that starts 40 down, inside the back button's touch area.
struct BarWindow {
    BarWindow() {
        window.resize(320, 200);
        title = new QLabel(QStringLiteral("標題"), &window);
        title->setGeometry(0, 0, 320, 44);
        back = new QPushButton(QStringLiteral("返回"), &window);
        back->setGeometry(8, 12, 28, 21); // touch area 0..43 x 0..44
        send = new QPushButton(QStringLiteral("傳送"), &window);
        send->setGeometry(284, 12, 28, 21);
        list = new QListWidget(&window);
        list->setGeometry(0, 40, 320, 160);
        QObject::connect(back, &QPushButton::clicked, [this] { ++backs; });
        QObject::connect(send, &QPushButton::clicked, [this] { ++sends; });
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QWidget window;
    QLabel* title;
    QPushButton* back;
    QPushButton* send;
    QListWidget* list;
    int backs = 0;
    int sends = 0;
};

struct Tap {
    const char* what;
    QPoint at;
    int backs;
    int sends;
};

class TouchTarget : public testing::TestWithParam<Tap> {};

TEST_P(TouchTarget, ATapBesideASmallButtonPressesItUnlessItLandsOnSomethingElse) {
    TouchTargets targets;
    qApp->installEventFilter(&targets);
    for (const bool finger : {true, false}) {
        SCOPED_TRACE(finger ? "finger" : "mouse");
        BarWindow bar;
        const Tap& tap = GetParam();
        if (finger) {
            fingers::tap(&bar.window, tap.at);
        } else {
            QWidget* under = bar.window.childAt(tap.at);
            QWidget* target = under ? under : &bar.window;
            QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&bar.window, tap.at));
        }
        EXPECT_EQ(bar.backs, tap.backs);
        EXPECT_EQ(bar.sends, tap.sends);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Taps, TouchTarget,
    testing::Values(Tap{"on the button", {22, 22}, 1, 0}, Tap{"above it", {22, 2}, 1, 0},
                    Tap{"beside it, on the title", {41, 22}, 1, 0},
                    Tap{"beside the other", {280, 30}, 0, 1}, Tap{"past the area", {50, 22}, 0, 0},
                    Tap{"mid bar", {160, 22}, 0, 0},
                    Tap{"on the list inside the area", {22, 42}, 0, 0}),
    [](const testing::TestParamInfo<Tap>& info) {
        std::string name = info.param.what;
        std::replace_if(
            name.begin(), name.end(), [](char c) { return !std::isalnum(c); }, '_');
        return name;
    });

// A button covered by something else (a popover's shade) takes no tap.
TEST(TouchTargetCovered, AButtonUnderAShadeTakesNoTap) {
    TouchTargets targets;
    qApp->installEventFilter(&targets);
    BarWindow bar;
    auto* shade = new QWidget(&bar.window);
    shade->setGeometry(bar.window.rect());
    shade->show();
    fingers::tap(&bar.window, QPoint(22, 38));
    EXPECT_EQ(bar.backs, 0);
}

} // namespace
