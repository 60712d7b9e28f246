#include "platform/CameraAccessRequest.h"
#include "support/FakePlatform.h"

#include <QCoreApplication>
#include <QThread>
#include <gtest/gtest.h>
#include <thread>

namespace {

// The answer goes on on the main thread, 0.01 s after it came, whichever
// thread it came on; nothing happens once the asking object has gone.
TEST(CameraAccessRequest, AnswersOnTheMainThreadAHundredthOfASecondLater) {
    FakePlatform fake;
    QObject context;
    std::vector<std::pair<bool, bool>> answers; // granted, on the main thread
    const auto ask = [&](QObject* asking) {
        requestCameraAccess(asking, [&](bool granted) {
            answers.emplace_back(granted, QThread::currentThread() == qApp->thread());
        });
    };

    ask(&context);
    fake.camera.answerAccess(true);
    fake.clock.advance(0.009);
    EXPECT_TRUE(answers.empty());
    fake.clock.advance(0.001);
    EXPECT_EQ(answers, (std::vector<std::pair<bool, bool>>{{true, true}}));

    ask(&context);
    std::thread([&] { fake.camera.answerAccess(false); }).join();
    QCoreApplication::sendPostedEvents();
    fake.clock.advance(0.01);
    EXPECT_EQ(answers.back(), std::make_pair(false, true));

    auto* leaving = new QObject;
    ask(leaving);
    fake.camera.answerAccess(true);
    delete leaving;
    fake.clock.advance(0.01);
    EXPECT_EQ(answers.size(), 2u);
}

} // namespace
