#include <QApplication>
#include <cstdlib>
#include <ctime>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

// Every test binary runs Qt offscreen and in one fixed time zone, so pixels and
// time texts are the same on every machine.
int main(int argc, char** argv) {
    setenv("TZ", "Asia/Taipei", 1);
    tzset();
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (!qEnvironmentVariableIsSet("XDG_RUNTIME_DIR")) {
        // Qt wants a private runtime folder; headless machines have none.
        const std::string dir = "/tmp/inspector-tests-runtime-" + std::to_string(getuid());
        mkdir(dir.c_str(), 0700);
        chmod(dir.c_str(), 0700);
        setenv("XDG_RUNTIME_DIR", dir.c_str(), 1);
    }
    testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
