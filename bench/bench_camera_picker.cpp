// The camera picker on the virtual camera (1920 x 1080, a scene): from the
// shutter to the new row on the photo screen (the still made a JPEG and
// shown, "使用照片", the photo shrunk, stamped and framed in its row) beside
// the photo pipeline alone on the same camera JPEG (shrink and stamp).
#include "BenchRatio.h"
#include "ScreenServices.h"
#include "StoredCases.h"

#include "platform/qt/QtCamera.h"
#include "screens/UploadCheckAddCaseViewController.h"
#include "store/PublicVars.h"
#include "support/VirtualCamera.h"
#include "util/PhotoPipeline.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDeadlineTimer>
#include <QListWidget>
#include <QMediaDevices>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

const QString kChkno = QStringLiteral("A1030 5678");
const QString kPhotoId = QStringLiteral("1435644307.000000");

// The screens' services with the camera on the virtual one, and a
// phone-sized window for the picker, for the whole run.
class Services {
  public:
    Services() {
        real_.platform.cameraPicker = &camera;
        real_.platform.cameraAccess = &camera;
        real_.install();
        window.resize(320, 568);
        window.show();
        camera.setWindow([this] { return &window; });
    }

    QWidget window;
    QtCamera camera{QString()};

  private:
    ScreenServices real_{QStringLiteral("王小明")};
};

Services* services = nullptr;
QByteArray cameraJpeg; // a shot of the picker, for the pipeline alone

bool waitFor(const std::function<bool()>& pred, int ms = 10000) {
    const QDeadlineTimer deadline(ms);
    while (!pred() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return pred();
}

// The picker's visible button named name, or none.
QAbstractButton* pickerButton(const char* name) {
    for (QWidget* picker : services->window.findChildren<QWidget*>("cameraPicker"))
        if (picker->isVisible())
            if (auto* button = picker->findChild<QAbstractButton*>(name);
                button && button->isVisible() && button->isEnabled())
                return button;
    return nullptr;
}

QImage scene() {
    QImage picture(1920, 1080, QImage::Format_RGB32);
    QPainter painter(&picture);
    painter.fillRect(0, 0, 960, 540, QColor(220, 40, 40));
    painter.fillRect(960, 0, 960, 540, QColor(40, 170, 70));
    painter.fillRect(0, 540, 960, 540, QColor(30, 150, 170));
    painter.fillRect(960, 540, 960, 540, QColor(190, 60, 190));
    return picture;
}

void shutterToTheNewRow(benchmark::State& state) {
    PublicVars::sharedInstance().storePhotoWithPhotoDict(kPhotoId, PhotoFile{});
    const std::shared_ptr<CaseRecord> record =
        storedCase(QStringLiteral("P0001"), kChkno, kPhotoId, QStringLiteral("1"));
    PublicVars::sharedInstance().getWaitingStoreArray() = {record};
    auto* screen = UploadCheckAddCaseViewController::initWithDict(record);
    screen->setParent(&services->window);
    screen->resize(320, 524);
    screen->loadViewIfNeeded();
    screen->show();
    screen->takeType = CasePhotoViewController::SitePhoto;
    for (auto _ : state) {
        state.PauseTiming();
        screen->tableDetailArray.clear();
        screen->tbl->clear();
        screen->openCamera();
        const bool ready = waitFor([] { return pickerButton("shutterButton") != nullptr; });
        state.ResumeTiming();
        if (!ready) {
            state.SkipWithError("the picker shows no camera");
            break;
        }
        pickerButton("shutterButton")->click();
        if (!waitFor([] { return pickerButton("usePhotoButton") != nullptr; })) {
            state.SkipWithError("no still");
            break;
        }
        pickerButton("usePhotoButton")->click();
        if (!waitFor([screen] { return screen->tbl->count() == 1; })) {
            state.SkipWithError("no row");
            break;
        }
    }
    delete screen;
}

void pipelineAlone(benchmark::State& state) {
    if (cameraJpeg.isEmpty()) {
        state.SkipWithError("no camera photo");
        return;
    }
    for (auto _ : state)
        if (!stampTakenPhoto(cameraJpeg, kChkno, std::nullopt))
            state.SkipWithError("photo refused");
}

// One shot of the picker, kept for the pipeline alone.
QByteArray oneShot() {
    std::optional<QByteArray> shot;
    bool answered = false;
    services->camera.takePhoto([&](std::optional<QByteArray> jpeg) {
        shot = std::move(jpeg);
        answered = true;
    });
    if (!waitFor([] { return pickerButton("shutterButton") != nullptr; })) return {};
    pickerButton("shutterButton")->click();
    if (!waitFor([] { return pickerButton("usePhotoButton") != nullptr; })) return {};
    pickerButton("usePhotoButton")->click();
    waitFor([&] { return answered; });
    return shot.value_or(QByteArray());
}

} // namespace

// By the clock: the shutter's path waits on nothing but the main thread.
BENCHMARK(shutterToTheNewRow)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(pipelineAlone)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    // The camera comes before anything asks QtMultimedia for devices.
    VirtualCamera& camera = VirtualCamera::shared(QSize(1920, 1080));
    QApplication app(argc, argv);
    if (!camera.running() || !camera.show(scene())) {
        std::fprintf(stderr, "the virtual camera cannot start: %s\n", qPrintable(camera.error()));
        return 1;
    }
    Services real;
    services = &real;
    if (!waitFor([] { return !QMediaDevices::videoInputs().isEmpty(); })) {
        std::fprintf(stderr, "no camera listed\n");
        return 1;
    }
    cameraJpeg = oneShot();
    if (cameraJpeg.isEmpty()) {
        std::fprintf(stderr, "the picker took no photo\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    BenchRatio shutter{"camera picker: shutter to the new row over the photo pipeline alone",
                       "shutterToTheNewRow/real_time", "pipelineAlone/real_time",
                       BenchRatio::Better::Cheaper, 1.3};
    shutter.wallClock = true;
    RatioReporter reporter({shutter});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PublicVars::resetSharedInstanceForTesting();
    return 0;
}
