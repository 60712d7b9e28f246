// How long reading QR codes takes: the reader's work on each 640 x 480 video
// frame (twice a second, on the main thread), and inspector-cli's work on a
// photograph.
#include "qr/QrDetector.h"
#include "qr/VideoFrame.h"

#include <ZXing/BitMatrix.h>
#include <ZXing/MultiFormatWriter.h>

#include <QGuiApplication>
#include <QPainter>
#include <QRandomGenerator>
#include <benchmark/benchmark.h>

namespace {

// The scan square of a 320 x 568 phone in the frame's axes.
const QRectF kPhoneRegion(140.0 / 568, 48.0 / 320, 224.0 / 568, 224.0 / 320);

QImage code(const std::string& text, int module) {
    const ZXing::BitMatrix m = ZXing::MultiFormatWriter(ZXing::BarcodeFormat::QRCode)
                                   .setEncoding(ZXing::CharacterSet::UTF8)
                                   .setMargin(0)
                                   .encode(text, 0, 0);
    QImage image((m.width() + 8) * module, (m.height() + 8) * module, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    for (int y = 0; y < m.height(); ++y)
        for (int x = 0; x < m.width(); ++x)
            if (m.get(x, y))
                painter.fillRect((x + 4) * module, (y + 4) * module, module, module, Qt::black);
    return image;
}

// A grey picture with sensor noise and, unless empty, a code turned a little.
QImage scene(QSize size, const QImage& qr) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(190, 190, 180));
    if (!qr.isNull()) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(image.rect().center());
        painter.rotate(12);
        painter.drawImage(QPoint(-qr.width() / 2, -qr.height() / 2), qr);
    }
    QRandomGenerator random(5);
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int grey = std::clamp(qGray(line[x]) + int(random.bounded(40)) - 20, 0, 255);
            line[x] = qRgb(grey, grey, grey);
        }
    }
    return image;
}

void frameWithCode(benchmark::State& state) {
    const QImage frame = scene({640, 480}, code("A12345,B67890", 5));
    if (readQrCodesInRegion(frame, kPhoneRegion).isEmpty()) state.SkipWithError("code not read");
    for (auto _ : state)
        benchmark::DoNotOptimize(readQrCodesInRegion(frame, kPhoneRegion));
}

void frameWithoutCode(benchmark::State& state) {
    const QImage frame = scene({640, 480}, QImage());
    for (auto _ : state)
        benchmark::DoNotOptimize(readQrCodesInRegion(frame, kPhoneRegion));
}

// The upright still picture the reader keeps of every frame.
void framePicture(benchmark::State& state) {
    const QImage frame = scene({640, 480}, QImage());
    for (auto _ : state)
        benchmark::DoNotOptimize(imageFromSampleBuffer(frame));
}

void photoWithCode(benchmark::State& state) {
    const QImage photo = scene({3264, 2448}, code("許可證,台北市中正區", 24));
    if (readQrCodesInPicture(photo).isEmpty()) state.SkipWithError("code not read");
    for (auto _ : state)
        benchmark::DoNotOptimize(readQrCodesInPicture(photo));
}

void photoWithoutCode(benchmark::State& state) {
    const QImage photo = scene({3264, 2448}, QImage());
    for (auto _ : state)
        benchmark::DoNotOptimize(readQrCodesInPicture(photo));
}

BENCHMARK(frameWithCode)->Unit(benchmark::kMillisecond);
BENCHMARK(frameWithoutCode)->Unit(benchmark::kMillisecond);
BENCHMARK(framePicture)->Unit(benchmark::kMillisecond);
BENCHMARK(photoWithCode)->Unit(benchmark::kMillisecond);
BENCHMARK(photoWithoutCode)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
