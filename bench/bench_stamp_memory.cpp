// The most memory stamping a photo takes, as the largest resident set of an
// `inspector-cli stamp` process (the app's pipeline, run as a user runs it),
// for the inputs within the limits that take the most: a file of the largest
// size a photo file may have holding a progressive picture whose
// coefficients just fit their bound, a baseline one and a PNG that decode to
// just under the limit of a decoded picture. Beside them, a camera photo.
#include "BenchRatio.h"
#include "StampFixtures.h"
#include "platform/qt/QtCamera.h"
#include "support/PhotoTestImages.h"
#include "util/PhotoPipelineDecoder.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFile>
#include <QImageWriter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

struct Input {
    const char* name;
    QByteArray bytes;
};

// The largest n whose square n * n times bytes stays within limit.
int largestSquare(qint64 bytes, qint64 limit) {
    int n = 1;
    while (qint64(n + 1) * (n + 1) * bytes <= limit)
        ++n;
    return n;
}

// Flat square pictures as large as the bounds let them be: the JPEGs are
// decoded at 1/8 (one 32-bit pixel, or 128 bytes of coefficients, a block),
// the PNG whole.
std::vector<Input> worstInputs() {
    const int blocks = largestSquare(4, kMaxDecodedBytes);
    const int progressiveBlocks = largestSquare(128, kMaxCoefficientBytes);
    QImage flat(blocks, blocks, QImage::Format_RGB32);
    flat.fill(Qt::gray);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, "png").write(flat);
    return {{"progressive at the coefficient bound",
             flatGreyJpeg(progressiveBlocks * 8, progressiveBlocks * 8, true)},
            {"baseline at the decoded-size bound", flatGreyJpeg(blocks * 8, blocks * 8)},
            {"PNG at the decoded-size bound", png}};
}

// The largest resident set, in bytes, of inspector-cli stamping the file;
// none when it did not stamp it.
std::optional<double> stampingPeak(const QString& file, const QString& out) {
    const std::string cli =
        (QCoreApplication::applicationDirPath() + "/../tools/inspector-cli/inspector-cli")
            .toStdString();
    const std::string in = file.toStdString(), to = out.toStdString();
    std::vector<char*> argv{const_cast<char*>(cli.c_str()),
                            const_cast<char*>("stamp"),
                            const_cast<char*>(in.c_str()),
                            const_cast<char*>(to.c_str()),
                            const_cast<char*>("--chkno"),
                            const_cast<char*>("A1030 5678"),
                            nullptr};
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0)
        return std::nullopt;
    return double(usage.ru_maxrss) * 1024;
}

// Writes each input padded with zeros to the size limit of photo files, and
// reports the largest peak of stamping one, and which it was.
void stampingPeakMemory(benchmark::State& state, std::vector<Input> inputs, bool padded) {
    QTemporaryDir dir;
    double most = 0;
    std::string worst;
    for (auto _ : state)
        for (const Input& input : inputs) {
            QFile file(dir.filePath("in"));
            if (!file.open(QIODevice::WriteOnly) || file.write(input.bytes) != input.bytes.size() ||
                (padded && !file.resize(QtCamera::kMaxPhotoFileBytes)))
                return state.SkipWithError("cannot write the input");
            file.close();
            const std::optional<double> peak =
                stampingPeak(file.fileName(), dir.filePath("out.jpg"));
            if (!peak) return state.SkipWithError(input.name);
            std::printf("peak of stamping %s: %.1f MiB\n", input.name, *peak / (1024 * 1024));
            if (*peak > most) most = *peak, worst = input.name;
        }
    state.counters["peak"] =
        benchmark::Counter(most, benchmark::Counter::kDefaults, benchmark::Counter::kIs1024);
    state.SetLabel(worst);
}

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication app(argc, argv);
    const std::vector<QByteArray> photos = loadStampFixtures();
    if (photos.empty()) {
        std::fprintf(stderr, "no photos to stamp\n");
        return 1;
    }
    benchmark::RegisterBenchmark("stampingPeakMemory/worst", stampingPeakMemory, worstInputs(),
                                 true)
        ->Iterations(1)
        ->Unit(benchmark::kSecond);
    benchmark::RegisterBenchmark("stampingPeakMemory/camera", stampingPeakMemory,
                                 std::vector<Input>{{"a camera photo", photos[0]}}, false)
        ->Iterations(1)
        ->Unit(benchmark::kSecond);
    BenchRatio peak{"peak memory of stamping the worst photo within the limits, beside 256 MiB",
                    "stampingPeakMemory/worst/iterations:1", "", BenchRatio::Better::Cheaper, 1.0};
    peak.bytesCounter = "peak";
    peak.yardstickBytes = 256.0 * 1024 * 1024;
    BenchRatio camera{"the same beside stamping a camera photo", peak.ours,
                      "stampingPeakMemory/camera/iterations:1", BenchRatio::Better::Cheaper, 0};
    camera.bytesCounter = "peak";
    return runBenchmarksWithRatios(argc, argv, {peak, camera});
}
