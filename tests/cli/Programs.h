#pragma once

// Runs inspector-app and inspector-cli as processes, as a user starts them.
#include <QProcess>
#include <QString>
#include <QStringList>
#include <string>

struct Finished {
    int status = -1;
    QString out;
    QString err;
};

// A platform plugin that does not exist: a program that starts a GUI
// application under it aborts, one that needs none does not notice.
constexpr char kNoDisplay[] = "no-such-platform";

// Runs program with args in a plain shell's environment: no private runtime
// folder, and the given window system.
inline Finished run(const QString& program, const QStringList& args, const QString& platform) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("XDG_RUNTIME_DIR");
    env.insert("QT_QPA_PLATFORM", platform);
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    Finished finished;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return finished;
    }
    finished.out = QString::fromUtf8(process.readAllStandardOutput());
    finished.err = QString::fromUtf8(process.readAllStandardError());
    if (process.exitStatus() == QProcess::NormalExit) finished.status = process.exitCode();
    return finished;
}

inline Finished app(const QStringList& args, const QString& platform = "offscreen") {
    return run(INSPECTOR_APP, args, platform);
}

inline Finished cli(const QStringList& args, const QString& platform = kNoDisplay) {
    return run(INSPECTOR_CLI, args, platform);
}

inline std::string describe(const Finished& f) {
    return QStringLiteral("status %1\nstdout: %2\nstderr: %3")
        .arg(f.status)
        .arg(f.out, f.err)
        .toStdString();
}
