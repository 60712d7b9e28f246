// Throughput of uploading one full case (14 photos, about 8 MB) to the stand-in
// inspection server through the app's own path (HttpConnect over QtHttpClient),
// beside curl -F sending the same fields and files to the same server, over
// plain HTTP (tls:0) and over HTTPS (tls:1). The server runs as its own
// process, started here with --port 0 (and --tls with a throw-away certificate).
#include "BenchRatio.h"
#include "BenchServers.h"
#include "net/HttpConnect.h"
#include "net/UploadReceiver.h"
#include "platform/Platform.h"
#include "platform/qt/QtHttpClient.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int kPhotos1 = 11; // the inspector's photo and ten site photos
constexpr int kPhotos2 = 3;  // maintenance-order photos
constexpr int kPhotoBytes = 570 * 1024;

struct Case {
    FormFields fields;
    QList<QByteArray> files1, files2;
    qint64 bytes = 0;
};

// JPEG-headed noise: incompressible like real photos.
QByteArray photo(quint32 seed) {
    QByteArray data(kPhotoBytes, Qt::Uninitialized);
    QRandomGenerator random(seed);
    random.fillRange(reinterpret_cast<quint32*>(data.data()), data.size() / 4);
    data[0] = char(0xFF);
    data[1] = char(0xD8);
    return data;
}

Case fullCase() {
    Case c;
    c.fields = {
        {"date", "1131231235907"},      {"pakeno", "EV-000123"},   {"Chkno", "F1130001"},
        {"startTime", "1131231230000"}, {"devToken", "5F0C-AB12"}, {"tecuni", "QTEyMzQ1Njc4OQ=="},
        {"tecnam", "546L5aSn5piO"},     {"osType", "1"},           {"appVersion", "1.0"}};
    for (int group : {1, 2}) {
        const int count = group == 1 ? kPhotos1 : kPhotos2;
        for (int n = 1; n <= count; ++n) {
            const QString suffix = QStringLiteral("_%1_%2").arg(group).arg(n);
            c.fields += {{"photoTime" + suffix, "1131231235907"},
                         {"PhotoLng" + suffix, "121.5654"},
                         {"PhotoLat" + suffix, "25.033"}};
            (group == 1 ? c.files1 : c.files2) << photo(group * 100 + n);
        }
    }
    c.bytes = multipartBody(c.fields, c.files1, c.files2).size();
    return c;
}

Case& theCase() {
    static Case c = fullCase();
    return c;
}

QString uploadUrl(bool tls) {
    return serverBaseUrl(benchServerIp(tls)) + "/velquarda/appUpPhoto.do";
}

void BM_MultipartBody(benchmark::State& state) {
    const Case& c = theCase();
    for (auto _ : state)
        benchmark::DoNotOptimize(multipartBody(c.fields, c.files1, c.files2));
    state.SetBytesProcessed(state.iterations() * c.bytes);
}

void BM_UploadApp(benchmark::State& state) {
    const bool tls = state.range(0) != 0;
    if (const char* problem = benchServerProblem(tls)) return state.SkipWithError(problem);
    const Case& c = theCase();
    QtHttpClient http;
    NullLog log;
    Platform services;
    services.http = &http;
    services.log = &log;
    PlatformScope scope(services);
    for (auto _ : state) {
        std::optional<UploadOutcome> outcome;
        HttpConnect::sharedInstance().postConnectDataInfoFiledataInfoFiledataInfo2Target(
            QUrl(uploadUrl(tls)), c.fields, c.files1, c.files2,
            std::make_shared<UploadReceiver>([&](const UploadOutcome& o) { outcome = o; }));
        while (!outcome)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (!outcome->answer || !outcome->answer->accepted())
            return state.SkipWithError("the server did not accept the upload");
    }
    state.SetBytesProcessed(state.iterations() * c.bytes);
}

void BM_UploadCurl(benchmark::State& state) {
    const bool tls = state.range(0) != 0;
    if (const char* problem = benchServerProblem(tls)) return state.SkipWithError(problem);
    const Case& c = theCase();
    QTemporaryDir dir;
    const std::optional<QStringList> form = curlFormArguments(c.fields, c.files1, c.files2, dir);
    if (!form) return state.SkipWithError("cannot write the photo files");
    const QStringList args = *form + curlArguments(tls, uploadUrl(tls));
    for (auto _ : state)
        if (runCurl(args) != R"({"state":"0"})")
            return state.SkipWithError("curl's upload was not accepted");
    state.SetBytesProcessed(state.iterations() * c.bytes);
}

BENCHMARK(BM_MultipartBody)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UploadApp)
    ->ArgName("tls")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_UploadCurl)
    ->ArgName("tls")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::printf("case: %d + %d photos, body %lld bytes\n", kPhotos1, kPhotos2,
                static_cast<long long>(theCase().bytes));
    BenchRatio upload{"uploading a 14-photo case beside curl -F", "BM_UploadApp/tls:0/real_time",
                      "BM_UploadCurl/tls:0/real_time", BenchRatio::Better::Faster, 0.9};
    upload.wallClock = true;
    BenchRatio secure = upload;
    secure.figure = "the same upload over HTTPS beside curl -F over HTTPS";
    secure.ours = "BM_UploadApp/tls:1/real_time";
    secure.yardstick = "BM_UploadCurl/tls:1/real_time";
    secure.goal = 0;
    return runBenchmarksWithRatios(argc, argv, {upload, secure});
}
