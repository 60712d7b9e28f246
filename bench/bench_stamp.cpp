// How long a taken photo takes from camera JPEG to stored JPEG, beside the
// floor: libjpeg-turbo decoding the same file at the same reduced scale and
// nothing else. Also each stage of the pipeline, and the straightforward way
// (decode whole, shrink, stamp, encode with Qt) it replaced.
//
// Photos are the camera-sized stamp fixtures (see StampFixtures.h).
#include "BenchRatio.h"
#include "StampFixtures.h"
#include "platform/Platform.h"
#include "platform/qt/QtSystem.h"
#include "util/PhotoPipeline.h"
#include "util/PhotoPipelineDecoder.h"
#include "util/PhotoPipelineTurboJpeg.h"
#include "util/PhotoStamping.h"
#include "util/PublicFunction.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImageWriter>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

const QString kChkno = QStringLiteral("A1030 5678");
const QString kName = QStringLiteral("王小明");

std::vector<QByteArray>& photos() {
    static std::vector<QByteArray> files;
    return files;
}

bool loadPhotos() {
    photos() = loadStampFixtures();
    return !photos().empty();
}

// Each iteration handles every photo once, so all benchmarks average over
// the same pictures; "per_photo" is the time for one.
void forEachPhoto(benchmark::State& state, const std::function<bool(const QByteArray&)>& work) {
    for (auto _ : state)
        for (const QByteArray& photo : photos())
            if (!work(photo)) state.SkipWithError("a photo failed");
    state.counters["per_photo"] =
        benchmark::Counter(double(photos().size()), benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}

// libjpeg-turbo alone: the same scale the pipeline picks (1/4 for
// 4032 x 3024 to fit 1000), straight into a 32-bit buffer.
void floorScaledDecode(benchmark::State& state) {
    const TjHandle handle(tjInitDecompress());
    std::vector<unsigned char> pixels;
    forEachPhoto(state, [&](const QByteArray& jpeg) {
        const auto* data = reinterpret_cast<const unsigned char*>(jpeg.constData());
        int width = 0, height = 0, subsampling = 0, colorspace = 0;
        tjDecompressHeader3(handle.get(), data, jpeg.size(), &width, &height, &subsampling,
                            &colorspace);
        const QSize stored(width, height);
        const tjscalingfactor factor{
            1, dctScaleDenominator(stored, shrunkPixelSize(stored, 1000, 1000))};
        const int w = TJSCALED(width, factor), h = TJSCALED(height, factor);
        pixels.resize(size_t(w) * h * 4);
        return tjDecompress2(handle.get(), data, jpeg.size(), pixels.data(), w, w * 4, h,
                             kQImagePixelFormat, 0) == 0;
    });
}

void pipeline(benchmark::State& state) {
    forEachPhoto(state, [](const QByteArray& jpeg) {
        return stampTakenPhoto(jpeg, kChkno, kName).has_value();
    });
}

void stageDecodeShrunk(benchmark::State& state) {
    forEachPhoto(state, [](const QByteArray& jpeg) {
        return !decodeShrunkPhoto(jpeg, {1000, 1000}, nullptr).isNull();
    });
}

void stageStamp(benchmark::State& state) {
    const QImage photo = decodeShrunkPhoto(photos()[0], {1000, 1000}, nullptr);
    for (auto _ : state) {
        QImage stamped = PublicFunction::drawTextInImageAtPoint(kChkno, photo, {820, 0});
        benchmark::DoNotOptimize(PublicFunction::drawNameTextInImage(kName, stamped));
    }
}

void stageEncode(benchmark::State& state) {
    const QImage photo = decodeShrunkPhoto(photos()[0], {1000, 1000}, nullptr);
    for (auto _ : state)
        benchmark::DoNotOptimize(encodeJpeg(photo, 100));
}

// Decode the whole 12-megapixel picture, shrink it, stamp it, and let Qt
// write the JPEG: what the operations give when simply chained.
void straightforward(benchmark::State& state) {
    forEachPhoto(state, [](const QByteArray& jpeg) {
        QImage photo = QImage::fromData(jpeg, "jpeg");
        photo = PublicFunction::imageByShrinkingWithWidthWithHeight(photo, 1000, 1000);
        photo = PublicFunction::drawTextInImageAtPoint(kChkno, photo, {photo.width() - 180.0, 0});
        photo = PublicFunction::drawNameTextInImage(kName, photo);
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "jpeg");
        writer.setQuality(100);
        return writer.write(photo);
    });
}

} // namespace

BENCHMARK(floorScaledDecode)->Unit(benchmark::kMillisecond);
BENCHMARK(pipeline)->Unit(benchmark::kMillisecond);
BENCHMARK(stageDecodeShrunk)->Unit(benchmark::kMillisecond);
BENCHMARK(stageStamp)->Unit(benchmark::kMillisecond);
BENCHMARK(stageEncode)->Unit(benchmark::kMillisecond);
BENCHMARK(straightforward)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    StderrLog log;
    Platform services;
    services.log = &log;
    const PlatformScope scope(services);
    benchmark::Initialize(&argc, argv);
    if (!loadPhotos()) {
        std::fprintf(stderr, "no photos to stamp\n");
        return 1;
    }
    std::printf("%zu photos, %d x %d\n", photos().size(), QImage::fromData(photos()[0]).width(),
                QImage::fromData(photos()[0]).height());
    // By CPU time, the steadier figure on a busy machine.
    RatioReporter reporter({{"stamping a photo over a bare scaled decode", "pipeline",
                             "floorScaledDecode", BenchRatio::Better::Cheaper, 1.30}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return 0;
}
