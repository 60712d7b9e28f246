#pragma once

#include <QProcess>
#include <QStringList>
#include <gtest/gtest.h>

// Runs a Python 3 script with the arguments; returns what it printed. A
// failing script fails the test with what it printed on stderr.
inline QByteArray runPython(const char* script, const QStringList& args) {
    QProcess python;
    python.start("python3", QStringList{"-c", script} + args);
    EXPECT_TRUE(python.waitForFinished(60000));
    EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
    return python.readAllStandardOutput();
}
