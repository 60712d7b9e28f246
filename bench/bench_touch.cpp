// By finger on the records screen with 1,000 stored cases, in a shown
// window that paints as on a screen:
// - a tap on a case's row to the first painted frame of the case's screen
//   it opens (goal: at most 100 ms by the clock);
// - a flick that flings the list: the frames longer than 32 ms while it
//   moves (goal: none). Printed as a count beside the frames painted.
#include "BenchRatio.h"
#include "StoreHome.h"

#include "screens/SecurityResendViewController.h"
#include "screens/UploadCheckAddCaseViewController.h"
#include "store/PublicVars.h"
#include "ui/KineticScroller.h"
#include "ui/NavigationController.h"
#include "ui/ProgressOverlay.h"
#include "util/SystemFont.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QListView>
#include <QPointingDevice>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int kCases = 1000;
constexpr int kLongFrameMs = 32;
constexpr int kWaitLimitMs = 10000;

QPointingDevice* touchScreen() {
    static QPointingDevice* device =
        QTest::createTouchDevice(QInputDevice::DeviceType::TouchScreen);
    return device;
}

// The times at which a widget was painted, on one clock, and what a
// function said of it then.
class PaintTimes : public QObject {
  public:
    explicit PaintTimes(
        QWidget* widget, std::function<int()> state = [] { return 0; })
        : state_(std::move(state)) {
        widget->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        Q_UNUSED(watched);
        if (event->type() == QEvent::Paint) {
            times.push_back(clock().nsecsElapsed());
            states.push_back(state_());
        }
        return false;
    }
    static QElapsedTimer& clock() {
        static QElapsedTimer c = [] {
            QElapsedTimer t;
            t.start();
            return t;
        }();
        return c;
    }
    std::vector<qint64> times;
    std::vector<int> states;

  private:
    std::function<int()> state_;
};

// The records screen of a store of 1,000 cases, in a phone-sized window.
struct RecordsWindow {
    RecordsWindow() {
        home.writeCases(kCases);
        nav.resize(320, 568);
        platform().indicator = &indicator;
        nav.pushViewController(new ViewController(QStringLiteral("below")), false);
        screen = new SecurityResendViewController;
        screen->makeEditingScreen = [](std::shared_ptr<CaseRecord> record) -> ViewController* {
            return UploadCheckAddCaseViewController::initWithDict(std::move(record));
        };
        nav.pushViewController(screen, false);
        nav.show();
        QTest::qWaitForWindowExposed(&nav);
    }
    ~RecordsWindow() {
        platform().indicator = nullptr;
        PublicVars::resetSharedInstanceForTesting();
    }

    // A finger from one point of the list to another, in steps stepMs apart.
    void drag(QPoint from, QPoint to, int steps) {
        QWidget* viewport = screen->tbl->viewport();
        const QPoint start = viewport->mapTo(&nav, from);
        const QPoint end = viewport->mapTo(&nav, to);
        QTest::touchEvent(&nav, touchScreen()).press(0, start, &nav);
        for (int step = 1; step <= steps; ++step)
            QTest::touchEvent(&nav, touchScreen())
                .move(0, start + (end - start) * step / steps, &nav);
        QTest::touchEvent(&nav, touchScreen()).release(0, end, &nav);
    }

    StoreHome home;
    PlatformScope scope = home.use();
    NavigationController nav;
    WindowIndicator indicator{&nav};
    SecurityResendViewController* screen = nullptr;
};

std::vector<double> tapMs; // each tap's time to the next screen's first frame

// The time the first widget of a screen other than shown was painted at:
// the screen a tap pushes paints as soon as the tap's events are handled.
class NextScreenPaint : public QObject {
  public:
    NextScreenPaint(NavigationController& nav, ViewController* shown) : nav_(nav), shown_(shown) {
        qApp->installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Paint || at >= 0 || !watched->isWidgetType()) return false;
        ViewController* top = nav_.topViewController();
        auto* widget = static_cast<QWidget*>(watched);
        if (top && top != shown_ && (widget == top || top->isAncestorOf(widget)))
            at = PaintTimes::clock().nsecsElapsed();
        return false;
    }
    qint64 at = -1;

  private:
    NavigationController& nav_;
    ViewController* shown_;
};

void tapToTheNextScreensFirstFrame(benchmark::State& state) {
    RecordsWindow window;
    int row = 0;
    for (auto _ : state) {
        const QRect rect =
            window.screen->tbl->visualRect(window.screen->tbl->model()->index(row, 0));
        NextScreenPaint painted(window.nav, window.screen);
        const qint64 start = PaintTimes::clock().nsecsElapsed();
        window.drag(rect.center(), rect.center(), 0);
        if (window.nav.topViewController() == window.screen)
            return state.SkipWithError("the tap opened nothing");
        QElapsedTimer limit;
        limit.start();
        while (painted.at < 0 && limit.elapsed() < kWaitLimitMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        if (painted.at < 0) return state.SkipWithError("the case's screen never painted");
        const double seconds = double(painted.at - start) / 1e9;
        tapMs.push_back(seconds * 1000);
        state.SetIterationTime(seconds);
        window.nav.popViewControllerAnimated(false);
        QCoreApplication::processEvents();
        row = (row + 1) % 5;
    }
}

struct Fling {
    int frames = 0;
    int longFrames = 0;
    double longestMs = 0;
};
Fling flung;

void flingThroughTheRecords(benchmark::State& state) {
    RecordsWindow window;
    for (auto _ : state) {
        window.screen->tbl->verticalScrollBar()->setValue(0);
        QCoreApplication::processEvents();
        QScrollBar* bar = window.screen->tbl->verticalScrollBar();
        PaintTimes painted(window.screen->tbl->viewport(), [bar] { return bar->value(); });
        window.drag(QPoint(160, 400), QPoint(160, 250), 4);
        const KineticScroller* scroller = KineticScroller::of(window.screen->tbl);
        QElapsedTimer limit;
        limit.start();
        while (scroller->isMoving() && limit.elapsed() < kWaitLimitMs)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        // A frame is long when the list moved on visibly (2 pixels or more)
        // and its picture came more than 32 ms after the one before; a
        // slow end of the fling paints less often because it has less to show.
        for (size_t i = 1; i < painted.times.size(); ++i) {
            const double ms = double(painted.times[i] - painted.times[i - 1]) / 1e6;
            if (std::abs(painted.states[i] - painted.states[i - 1]) < 2) continue;
            ++flung.frames;
            if (ms > kLongFrameMs) ++flung.longFrames;
            flung.longestMs = std::max(flung.longestMs, ms);
        }
    }
    state.counters["frames"] = flung.frames;
    state.counters["long"] = flung.longFrames;
    state.counters["longest_ms"] = flung.longestMs;
}

} // namespace

BENCHMARK(tapToTheNextScreensFirstFrame)
    ->Iterations(20)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(flingThroughTheRecords)->Iterations(5)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QTemporaryDir> runtime = providePrivateRuntimeFolder();
    QApplication app(argc, argv);
    QApplication::setFont(systemFont(14));
    StoreHome servicesHome;
    Services services(servicesHome.path());
    const int status = runBenchmarksWithRatios(argc, argv, {});
    if (!tapMs.empty()) {
        std::sort(tapMs.begin(), tapMs.end());
        std::printf("ratio: tap on a case to its screen's first painted frame, median of %d "
                    "(wall) | %.1f ms (slowest %.1f ms) | 100 ms | - | <= 100 ms\n",
                    int(tapMs.size()), tapMs[tapMs.size() / 2], tapMs.back());
    }
    std::printf("ratio: frames over %d ms flinging 1,000 records | %d of %d (longest %.1f ms) | "
                "0 | - | none\n",
                kLongFrameMs, flung.longFrames, flung.frames, flung.longestMs);
    return status;
}
