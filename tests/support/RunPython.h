#pragma once

#include <QByteArray>
#include <QStringList>

// Runs a Python 3 script with the arguments; returns what it printed. A
// failing script (or one still running after 60 s, which is then killed)
// fails the test with what it printed on stderr.
//
// The script is started with posix_spawn rather than QProcess: the tests also
// run as arm64 programs under qemu-user, whose clone() refuses the
// CLONE_PIDFD that QProcess asks for, so QProcess cannot start anything there.
QByteArray runPython(const char* script, const QStringList& args);
