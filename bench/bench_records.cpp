// The records screen as the inspector meets it, with many cases beside few:
// - opening it (the screen made, its first paint, then a scroll to the last
//   row and its paint) with 1,000 stored cases beside 10. The app reads the
//   case list once, at launch (the shared state is made then), so the screen
//   opens on the list in memory; the same opening with the list read from
//   its file first is measured beside it, which is what the list adds to the
//   launch;
// - the peak memory of a sending run of 50 cases beside a run of one, each
//   case with 14 camera-sized photos in its photo file, sent to the stand-in
//   inspection server. Each run is a process of its own (this program again,
//   with --sending-run), so that the two runs share no high-water mark.
// Every store is a real documents folder written by the store's own code.
#include "BenchRatio.h"
#include "InspectionServerProcess.h"
#include "ProcessMemory.h"
#include "StampFixtures.h"
#include "StoreHome.h"

#include "screens/SecurityResendViewController.h"
#include "store/PublicVars.h"
#include "store/StoreFiles.h"
#include "ui/NavigationController.h"
#include "ui/ProgressOverlay.h"
#include "util/PublicFunctionParameters.h"
#include "util/SystemFont.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QListView>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <optional>

namespace {

const QString kSendingRunOption = QStringLiteral("--sending-run");
constexpr int kRunLimitMs = 10 * 60 * 1000; // a sending run that takes longer has failed

// A phone-sized window with a screen in it to come back to, as the main
// screen is for the records screen. Shown, but drawn only when grabbed.
class Window {
  public:
    Window() {
        nav.setAttribute(Qt::WA_DontShowOnScreen);
        nav.resize(320, 568);
        platform().indicator = &indicator;
        nav.pushViewController(new ViewController(QStringLiteral("below")), false);
        nav.show();
    }
    ~Window() { platform().indicator = nullptr; }

    SecurityResendViewController* openRecords() {
        auto* screen = new SecurityResendViewController;
        nav.pushViewController(screen, false);
        QCoreApplication::sendPostedEvents(); // the layouts, as before a first paint
        return screen;
    }
    void closeTop() {
        nav.popViewControllerAnimated(false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    NavigationController nav;
    WindowIndicator indicator{&nav};
};

// ---- Opening the records screen ----

// With read 0 the list is in memory already, as in the app after its launch;
// with read 1 the list is read from its file first.
void openingTheRecordsScreen(benchmark::State& state) {
    const int count = int(state.range(0));
    const bool readList = state.range(1) != 0;
    StoreHome home;
    const PlatformScope scope = home.use();
    home.writeCases(count);
    Window window;
    for (auto _ : state) {
        state.PauseTiming();
        if (readList) PublicVars::resetSharedInstanceForTesting();
        state.ResumeTiming();
        SecurityResendViewController* screen = window.openRecords();
        benchmark::DoNotOptimize(window.nav.grab());
        screen->tbl->scrollToBottom();
        benchmark::DoNotOptimize(screen->tbl->viewport()->grab());
        state.PauseTiming();
        const QModelIndex last = screen->tbl->model()->index(count - 1, 0);
        if (!screen->tbl->viewport()->rect().intersects(screen->tbl->visualRect(last)))
            state.SkipWithError("the last case is not shown after the scroll");
        window.closeTop();
        state.ResumeTiming();
    }
    PublicVars::resetSharedInstanceForTesting();
}

// ---- The sending run's memory ----

std::vector<QByteArray>& cameraPhotos() {
    static std::vector<QByteArray> photos = loadStampFixtures();
    return photos;
}

InspectionServerProcess& server() {
    static InspectionServerProcess s;
    return s;
}

// The child: the records screen of the store in home, every case ticked and
// sent. Prints the peak memory and the memory before the run; fails when a
// case was not sent.
int sendingRun(const QString& home) {
    Services services(home);
    setParameterFileOverride(parametersFileName, QDir(home).filePath(parametersFileName));
    QApplication::setFont(systemFont(14));
    Window window;
    services.qt.alerts.setWindow([&window] { return &window.nav; });
    SecurityResendViewController* screen = window.openRecords();
    const long before = statusKb("VmRSS");
    screen->allSelectButtonPressed();
    screen->startSend();
    QElapsedTimer clock;
    clock.start();
    while (window.indicator.current() && clock.elapsed() < kRunLimitMs)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    const long peak = statusKb("VmHWM");
    const CaseListRead stored = readCaseList(waitingReportPath(platform().documents->path()));
    const CaseList cases = stored.cases.value_or(CaseList());
    const auto sent = std::count_if(cases.begin(), cases.end(),
                                    [](const auto& record) { return record->state == "1"; });
    if (cases.isEmpty() || sent != cases.size()) {
        std::fprintf(stderr, "sending run: %d of %d cases sent\n", int(sent), int(cases.size()));
        return 1;
    }
    std::printf("sent %d, peak %ld kB, before %ld kB\n", int(sent), peak, before);
    return 0;
}

struct RunMemory {
    double peakBytes = 0;
    double growthBytes = 0; // the peak above the memory before the run
};

// Runs the child on home; what it said is shown only when the run failed.
std::optional<RunMemory> runSendingRunProcess(const StoreHome& home) {
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(), {kSendingRunOption, home.path()});
    const bool ended = child.waitForFinished(kRunLimitMs + 60000);
    const QString said = QString::fromUtf8(child.readAll());
    const QRegularExpression figures(QStringLiteral("peak (\\d+) kB, before (\\d+) kB"));
    const QRegularExpressionMatch match = figures.match(said);
    if (!ended || child.exitCode() != 0 || !match.hasMatch()) {
        std::fprintf(stderr, "%s", qPrintable(said));
        return std::nullopt;
    }
    const double peak = match.captured(1).toDouble() * 1024;
    return RunMemory{peak, peak - match.captured(2).toDouble() * 1024};
}

void sendingRunMemory(benchmark::State& state) {
    const int count = int(state.range(0));
    if (server().address().isEmpty()) return state.SkipWithError("inspection-server did not start");
    if (cameraPhotos().empty()) return state.SkipWithError("no camera photos");
    StoreHome home;
    const PlatformScope scope = home.use();
    const PhotoFile photos = stampedPhotoFile(cameraPhotos(), QStringLiteral("C1030"));
    for (int n = 0; n < count; ++n)
        if (!PublicVars::sharedInstance().storePhotoWithPhotoDict(StoreHome::photoId(n), photos))
            return state.SkipWithError("cannot write the photo files");
    if (!home.writeParameters(server().address()))
        return state.SkipWithError("cannot write the parameter file");
    RunMemory most;
    for (auto _ : state) {
        state.PauseTiming();
        home.writeCases(count); // every case waiting again
        state.ResumeTiming();
        const std::optional<RunMemory> run = runSendingRunProcess(home);
        if (!run) return state.SkipWithError("the sending run failed");
        most.peakBytes = std::max(most.peakBytes, run->peakBytes);
        most.growthBytes = std::max(most.growthBytes, run->growthBytes);
    }
    const auto bytes = [](double count) {
        return benchmark::Counter(count, benchmark::Counter::kDefaults,
                                  benchmark::Counter::kIs1024);
    };
    state.counters["peak"] = bytes(most.peakBytes);
    state.counters["growth"] = bytes(most.growthBytes);
    const QFileInfo photoFile(*photoFilePath(home.documents(), StoreHome::photoId(0)));
    state.SetLabel(QStringLiteral("photo file of a case %1 MiB")
                       .arg(double(photoFile.size()) / (1024 * 1024), 0, 'f', 1)
                       .toStdString());
    PublicVars::resetSharedInstanceForTesting();
}

// Qt's offscreen windows cannot take size hints and say so each time a
// layout sets them; every other message goes on as usual.
QtMessageHandler qtMessages = nullptr;
void withoutSizeHintNotices(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    if (message != QLatin1String("This plugin does not support propagateSizeHints()"))
        qtMessages(type, context, message);
}

} // namespace

BENCHMARK(openingTheRecordsScreen)
    ->ArgNames({"cases", "read"})
    ->ArgsProduct({{10, 1000}, {1, 0}})
    ->Unit(benchmark::kMillisecond);
BENCHMARK(sendingRunMemory)->Arg(1)->Arg(50)->Unit(benchmark::kSecond)->UseRealTime();

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qtMessages = qInstallMessageHandler(withoutSizeHintNotices);
    const std::unique_ptr<QTemporaryDir> runtime = providePrivateRuntimeFolder();
    QApplication app(argc, argv);
    if (argc == 3 && argv[1] == kSendingRunOption)
        return sendingRun(QString::fromLocal8Bit(argv[2]));
    StoreHome home;
    Services services(home.path());
    BenchRatio peak{"peak memory of a 50-case sending run beside a 1-case run",
                    "sendingRunMemory/50/real_time", "sendingRunMemory/1/real_time",
                    BenchRatio::Better::Cheaper, 1.2};
    peak.bytesCounter = "peak";
    BenchRatio growth = peak;
    growth.figure = "memory a 50-case sending run adds beside a 1-case run";
    growth.bytesCounter = "growth";
    growth.goal = 0;
    return runBenchmarksWithRatios(
        argc, argv,
        {{"opening the records screen with 1,000 cases beside 10 (list read at launch)",
          "openingTheRecordsScreen/cases:1000/read:0", "openingTheRecordsScreen/cases:10/read:0",
          BenchRatio::Better::Cheaper, 1.2},
         {"the same with the case list read from its file first",
          "openingTheRecordsScreen/cases:1000/read:1", "openingTheRecordsScreen/cases:10/read:1",
          BenchRatio::Better::Cheaper, 0},
         peak,
         growth});
}
