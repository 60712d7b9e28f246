// Cold start: the app started until its login prompt shows, beside a
// minimal Qt Widgets program that shows one label in the same font. Each is
// a process of its own, started afresh, that ends as soon as its first
// screen shows; both look for it every 20 ms (the app through a scenario,
// whose driver polls so), so that both pay the same wait. Median of nine
// starts each, by the clock.
#include "BenchRatio.h"

#include "util/SystemFont.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <vector>

namespace {

const QString kLabelOption = QStringLiteral("--label");
constexpr int kStarts = 9;
constexpr int kStartLimitMs = 60 * 1000;

// The yardstick: one label in the app's font, ended once it shows.
int showLabel(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setFont(systemFont(14));
    QLabel label(QStringLiteral("建築物昇降設備安全檢查"));
    label.resize(320, 568);
    label.show();
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&label] {
        if (label.isVisible()) QCoreApplication::quit();
    });
    poll.start(20);
    return QApplication::exec();
}

// Milliseconds from start to end of program with arguments, or -1 when it
// failed.
double runOnce(const QString& program, const QStringList& arguments) {
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    // A runtime folder of their own, as a desktop session gives each program.
    const QTemporaryDir runtime;
    env.insert("XDG_RUNTIME_DIR", runtime.path());
    process.setProcessEnvironment(env);
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForFinished(kStartLimitMs) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return -1;
    return double(clock.nsecsElapsed()) / 1e6;
}

void medianOfStarts(benchmark::State& state, const QString& program, const QStringList& arguments) {
    for (auto _ : state) {
        std::vector<double> ms;
        for (int i = 0; i < kStarts; ++i) {
            const double took = runOnce(program, arguments);
            if (took < 0) {
                state.SkipWithError("the program failed");
                return;
            }
            ms.push_back(took);
        }
        std::nth_element(ms.begin(), ms.begin() + kStarts / 2, ms.end());
        state.SetIterationTime(ms[kStarts / 2] / 1000);
    }
}

void coldStartToLoginPrompt(benchmark::State& state) {
    QTemporaryDir dir;
    const QString scenario = dir.filePath("login.scenario");
    QFile file(scenario);
    if (!file.open(QIODevice::WriteOnly)) state.SkipWithError("cannot write the scenario");
    file.write("expect alert 身份驗證 | 請輸入身份證字號\n");
    file.close();
    medianOfStarts(state, QStringLiteral(INSPECTOR_APP),
                   {"--offline", "--home", dir.filePath("home"), "--scenario", scenario});
}

void coldStartOfALabel(benchmark::State& state) {
    medianOfStarts(state, QCoreApplication::applicationFilePath(), {kLabelOption});
}

} // namespace

BENCHMARK(coldStartToLoginPrompt)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(coldStartOfALabel)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (argc == 2 && argv[1] == kLabelOption) return showLabel(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    return runBenchmarksWithRatios(
        argc, argv,
        {{"cold start to the login prompt beside a label in the same font, median of 9",
          "coldStartToLoginPrompt/iterations:1/manual_time",
          "coldStartOfALabel/iterations:1/manual_time", BenchRatio::Better::Cheaper, 1.3, true}});
}
