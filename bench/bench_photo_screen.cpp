// The photo screens as the inspector meets them, each beside the part of the
// work it cannot avoid:
// - opening a stored case with 14 photos in the editing screen (its rows
//   drawn) beside reading its photo file;
// - one photo from camera bytes to its row on the screen beside the stamping
//   pipeline alone.
// Photos are the camera-sized stamp fixtures (see StampFixtures.h).
#include "BenchRatio.h"
#include "ScreenServices.h"
#include "StampFixtures.h"
#include "StoredCases.h"

#include "screens/UploadCheckAddCaseViewController.h"
#include "store/PublicVars.h"
#include "util/PhotoPipeline.h"

#include <QApplication>
#include <QListWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

const QString kChkno = QStringLiteral("A1030 5678");
const QString kName = QStringLiteral("王小明");
const QString kPhotoId = QStringLiteral("1435644307.000000");

std::vector<QByteArray>& cameraPhotos() {
    static std::vector<QByteArray> photos;
    return photos;
}

// A sent case in the store whose photo file holds 14 stamped photos.
std::shared_ptr<CaseRecord> storedFullCase() {
    PublicVars& store = PublicVars::sharedInstance();
    store.storePhotoWithPhotoDict(kPhotoId, stampedPhotoFile(cameraPhotos(), kChkno));
    const std::shared_ptr<CaseRecord> record =
        storedCase(QStringLiteral("P0001"), kChkno, kPhotoId, QStringLiteral("1"));
    store.getWaitingStoreArray() = {record};
    return record;
}

void readingItsPhotoFile(benchmark::State& state) {
    const std::shared_ptr<CaseRecord> record = storedFullCase();
    for (auto _ : state)
        if (PublicVars::sharedInstance().getPhoto(record->photoId).photos.size() != 10)
            state.SkipWithError("photos not read");
}

void openingItInTheEditingScreen(benchmark::State& state) {
    const std::shared_ptr<CaseRecord> record = storedFullCase();
    for (auto _ : state) {
        auto* screen = UploadCheckAddCaseViewController::initWithDict(record);
        screen->resize(320, 524);
        screen->loadViewIfNeeded();
        if (screen->tbl->count() != 10 || screen->tbl1->count() != 3)
            state.SkipWithError("rows not made");
        delete screen;
    }
}

void stampingPipelineAlone(benchmark::State& state) {
    std::size_t n = 0;
    for (auto _ : state)
        if (!stampTakenPhoto(cameraPhotos()[n++ % cameraPhotos().size()], kChkno, std::nullopt))
            state.SkipWithError("photo refused");
}

void photoToItsRowOnScreen(benchmark::State& state) {
    const std::shared_ptr<CaseRecord> record = storedFullCase();
    auto* screen = UploadCheckAddCaseViewController::initWithDict(record);
    screen->loadViewIfNeeded();
    screen->takeType = CasePhotoViewController::SitePhoto;
    std::size_t n = 0;
    for (auto _ : state) {
        state.PauseTiming();
        screen->tableDetailArray.clear();
        screen->tbl->clear();
        state.ResumeTiming();
        screen->imagePickerControllerDidFinishPickingMediaWithInfo(
            cameraPhotos()[n++ % cameraPhotos().size()]);
        if (screen->tbl->count() != 1) state.SkipWithError("no row");
    }
    delete screen;
}

} // namespace

// By the clock: the screen decodes its photos on all cores.
BENCHMARK(readingItsPhotoFile)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(openingItInTheEditingScreen)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(stampingPipelineAlone)->Unit(benchmark::kMillisecond);
BENCHMARK(photoToItsRowOnScreen)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ScreenServices services(kName);
    services.install();
    benchmark::Initialize(&argc, argv);
    cameraPhotos() = loadStampFixtures();
    if (cameraPhotos().empty()) {
        std::fprintf(stderr, "no camera photos\n");
        return 1;
    }
    // No goal is set for these two: they show what the screens add to the store and the
    // pipeline.
    BenchRatio opening{
        "opening a stored 14-photo case in the editing screen over reading its photo file",
        "openingItInTheEditingScreen/real_time", "readingItsPhotoFile/real_time",
        BenchRatio::Better::Cheaper, 0};
    opening.wallClock = true;
    RatioReporter reporter(
        {opening,
         {"one photo from camera bytes to its row over the pipeline alone", "photoToItsRowOnScreen",
          "stampingPipelineAlone", BenchRatio::Better::Cheaper, 0}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PublicVars::resetSharedInstanceForTesting();
    return 0;
}
