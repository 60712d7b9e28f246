// A sending run of 20 cases, each with 14 camera-sized photos, to the stand-in
// inspection server (its own process) by the clock: the app's SendingRun with
// the app's Qt services, the store in a home folder of its own (each case's
// photos read from its photo file, the list saved after each case), beside
// the same requests (each case's lookup, then its upload) made back to back
// by curl; over plain HTTP (tls:0) and over HTTPS (tls:1).
#include "BenchRatio.h"
#include "BenchServers.h"
#include "StampFixtures.h"
#include "StoreHome.h"

#include "inspection/SendingRun.h"
#include "net/UploadForm.h"
#include "platform/qt/QtSystem.h"
#include "store/PublicVars.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

constexpr int kCases = 20;
const QString kChkno = QStringLiteral("C1030");

const PhotoFile& casePhotos() {
    static const PhotoFile photos = [] {
        const std::vector<QByteArray> camera = loadStampFixtures();
        return camera.empty() ? PhotoFile{} : stampedPhotoFile(camera, kChkno);
    }();
    return photos;
}

// Hears the run out: it has ended once it shows a notice.
class RunWatcher : public SendingRunHost {
  public:
    void showRunNotice(Notice, const QString&, const QString& message) override {
        said = message;
        ended = true;
    }
    void showRunProgress(const QString&) override {}
    void hideRunProgress() override {}
    void showRunStep(int, int, const QString&) override {}
    void showRunShare(qint64, qint64) override {}
    void runChangedCases() override {}
    void runLearnedVersion(const std::optional<QString>&, const std::optional<QString>&) override {}

    bool ended = false;
    QString said;
};

// A home whose store holds kCases waiting cases and their photo files, and
// whose parameter file names the server.
class SendingHome {
  public:
    explicit SendingHome(bool tls) : scope_(home_.use()) {
        for (int n = 0; n < kCases; ++n)
            ready_ = ready_ && PublicVars::sharedInstance().storePhotoWithPhotoDict(
                                   StoreHome::photoId(n), casePhotos());
        ready_ = ready_ && home_.writeParameters(benchServerIp(tls));
        setParameterFileOverride(parametersFileName, home_.parameterFile());
    }
    ~SendingHome() {
        setParameterFileOverride(parametersFileName, QString());
        PublicVars::resetSharedInstanceForTesting();
    }
    bool ready() const { return ready_; }
    // Every case waiting again, read afresh as at the app's launch.
    CaseList& waitingCases() {
        home_.writeCases(kCases);
        PublicVars::resetSharedInstanceForTesting();
        return PublicVars::sharedInstance().waitingStoreArray();
    }

  private:
    StoreHome home_;
    PlatformScope scope_;
    bool ready_ = true;
};

const char* photosProblem() {
    return casePhotos().topPhoto ? nullptr : "no camera photos";
}

void BM_SendingRun(benchmark::State& state) {
    const bool tls = state.range(0) != 0;
    if (const char* problem = benchServerProblem(tls)) return state.SkipWithError(problem);
    if (const char* problem = photosProblem()) return state.SkipWithError(problem);
    SendingHome home(tls);
    if (!home.ready()) return state.SkipWithError("cannot write the store");
    const QString allSent =
        QStringLiteral("應傳 %1 筆\n已傳 %1 筆\n逾期 0 筆\n未傳 0 筆").arg(kCases);
    for (auto _ : state) {
        state.PauseTiming();
        const CaseList& cases = home.waitingCases();
        TickedCases ticked(cases.begin(), cases.end());
        RunWatcher watcher;
        SendingRun run(watcher, cases, ticked);
        state.ResumeTiming();
        run.start(benchServerIp(tls));
        while (!watcher.ended)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
        if (watcher.said != allSent) return state.SkipWithError(qPrintable(watcher.said));
    }
}

void BM_SendingCurl(benchmark::State& state) {
    const bool tls = state.range(0) != 0;
    if (const char* problem = benchServerProblem(tls)) return state.SkipWithError(problem);
    if (const char* problem = photosProblem()) return state.SkipWithError(problem);
    // The requests the run makes, case by case: the lookup, then the upload.
    const QString server = benchServerIp(tls);
    const QString upload = serverBaseUrl(server) + "/velquarda/appUpPhoto.do";
    QTemporaryDir dir;
    std::vector<std::pair<QStringList, QStringList>> requests;
    for (int n = 0; n < kCases; ++n) {
        const QString pakeno = QStringLiteral("P%1").arg(n, 4, 10, QChar('0'));
        const auto record = storedCase(pakeno, kChkno, StoreHome::photoId(n), "0");
        const UploadForm form = uploadFormFor(*record, casePhotos(), QStringLiteral("1.0"));
        // Every case has the same photos: the files are written anew, the same.
        const std::optional<QStringList> args =
            curlFormArguments(form.fields, form.files1, form.files2, dir);
        if (!args) return state.SkipWithError("cannot write the photo files");
        const QString lookup =
            QString::fromUtf8(percentEscapedUrl(caseLookupUrl(server, pakeno, kChkno)));
        requests.emplace_back(curlArguments(tls, lookup), *args + curlArguments(tls, upload));
    }
    for (auto _ : state)
        for (const auto& [lookup, post] : requests) {
            const std::optional<QByteArray> answer = runCurl(lookup);
            if (!answer || !answer->contains(R"("status":"Y")"))
                return state.SkipWithError("curl's lookup was not answered Y");
            if (runCurl(post) != R"({"state":"0"})")
                return state.SkipWithError("curl's upload was not accepted");
        }
}

BENCHMARK(BM_SendingRun)->ArgName("tls")->Arg(0)->Arg(1)->Unit(benchmark::kSecond)->UseRealTime();
BENCHMARK(BM_SendingCurl)->ArgName("tls")->Arg(0)->Arg(1)->Unit(benchmark::kSecond)->UseRealTime();

} // namespace

int main(int argc, char** argv) {
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QTemporaryDir> runtime = providePrivateRuntimeFolder();
    QApplication app(argc, argv);
    StoreHome home;
    Services services(home.path());
    NullLog quiet;
    Platform withoutLog = platform();
    withoutLog.log = &quiet;
    const PlatformScope scope(withoutLog);
    const auto wall = [](std::string figure, std::string ours, std::string yardstick, double goal) {
        BenchRatio ratio{std::move(figure), std::move(ours), std::move(yardstick),
                         BenchRatio::Better::Cheaper, goal};
        ratio.wallClock = true;
        return ratio;
    };
    return runBenchmarksWithRatios(
        argc, argv,
        {wall("a 20-case sending run beside its requests by curl, back to back",
              "BM_SendingRun/tls:0/real_time", "BM_SendingCurl/tls:0/real_time", 1.1),
         wall("the 20-case sending run over HTTPS beside plain HTTP",
              "BM_SendingRun/tls:1/real_time", "BM_SendingRun/tls:0/real_time", 0),
         wall("the 20-case sending run over HTTPS beside curl over HTTPS",
              "BM_SendingRun/tls:1/real_time", "BM_SendingCurl/tls:1/real_time", 0)});
}
