#include <QApplication>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>

// Every test binary runs Qt offscreen and in one fixed time zone, so pixels and
// time texts are the same on every machine.
int main(int argc, char** argv) {
    setenv("TZ", "Asia/Taipei", 1);
    tzset();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
