// The case store on disk: saving a new case with 14 photos of about 600 KB and moving them into
// the case's photo file, beside writing the same bytes raw with one QSaveFile; opening a
// store of 1,000 cases; and a sending run of 50 cases in a store of 10,000, each sent case
// saving the list, beside raw writes of the same list bytes; and the peak memory of reading a
// case's photo file that holds a 50 MB photo, beside reading the file's bytes raw.
#include "BenchRatio.h"
#include "ProcessMemory.h"
#include "platform/Platform.h"
#include "platform/qt/QtMainLoop.h"
#include "platform/qt/QtSettings.h"
#include "platform/qt/QtSystem.h"
#include "store/PublicVars.h"
#include "store/StoreFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <optional>
#include <unistd.h>

namespace {

constexpr int photoBytes = 600 * 1024;
constexpr int photosPerCase = 14; // 1 inspector, 10 site, 3 maintenance-order photos

// Real services on a fresh temporary documents folder; the store is made
// anew for each.
class StoreFolder {
  public:
    StoreFolder() : documents_(dir_.path()) {
        services_.documents = &documents_;
        services_.clock = &clock_;
        services_.device = &device_;
        services_.log = &log_;
        PublicVars::resetSharedInstanceForTesting();
    }
    ~StoreFolder() { PublicVars::resetSharedInstanceForTesting(); }
    QString path() const { return dir_.path(); }

  private:
    QTemporaryDir dir_;
    DirectoryDocuments documents_;
    SystemClock clock_;
    ConfiguredDevice device_{false, {320, 568}, QStringLiteral("8.0")};
    StderrLog log_;
    Platform services_;
    PlatformScope scope_{services_};
};

// How far the memory of this process rose above what it used before, in
// bytes, while read() ran; the largest of the iterations goes in the counter.
template <typename Read> void countPeakGrowth(benchmark::State& state, Read read) {
    double most = 0;
    for (auto _ : state) {
        if (!resetPeakMemory()) state.SkipWithError("cannot reset the peak memory");
        const long before = statusKb("VmRSS");
        read();
        most = std::max(most, double(statusKb("VmHWM") - before) * 1024);
    }
    state.counters["peak"] = most;
}

QByteArray randomPhoto(quint32 seed) {
    QByteArray bytes(photoBytes, Qt::Uninitialized);
    QRandomGenerator(seed).fillRange(reinterpret_cast<quint32*>(bytes.data()),
                                     bytes.size() / int(sizeof(quint32)));
    return bytes;
}

PhotoEntry entry(const QByteArray& photo) {
    return {photo, QDateTime::currentDateTimeUtc(), 25.033964f, 121.5645f, {}};
}

std::shared_ptr<CaseRecord> newCase(const QList<QByteArray>& photos, int n) {
    auto record = std::make_shared<CaseRecord>();
    record->pakeno = QStringLiteral("A%1").arg(n);
    record->Chkno = QStringLiteral("F%1").arg(n);
    record->pk = record->pakeno + u',' + record->Chkno;
    record->type = QStringLiteral("竣工檢查");
    record->state = QStringLiteral("0");
    record->rcdTime = QStringLiteral("104/06/30 14:05");
    record->prarms = {{"date", "1040630140500"},
                      {"pakeno", record->pakeno},
                      {"Chkno", record->Chkno},
                      {"startTime", "1040630140001"},
                      {"devToken", "0F8E1C2A-3B4D-4E5F-8A9B-0C1D2E3F4A5B"},
                      {"tecuni", "QTEyMzQ1Njc4OQ=="},
                      {"tecnam", "6Zmz5aSn5paH"}};
    record->topPhoto = entry(photos[0]);
    record->photos.emplace();
    record->photos_1.emplace();
    for (int i = 1; i < photos.size(); ++i)
        (i <= 10 ? *record->photos : *record->photos_1).append(entry(photos[i]));
    return record;
}

QList<QByteArray> casePhotos() {
    QList<QByteArray> photos;
    for (int i = 0; i < photosPerCase; ++i)
        photos << randomPhoto(quint32(i + 1));
    return photos;
}

// What the site photo screen and the next check start do: save the new
// case with its photos inline, then move them into the photo file.
void BM_SaveNewCaseAndMovePhotos(benchmark::State& state) {
    const QList<QByteArray> photos = casePhotos();
    std::optional<StoreFolder> folder;
    for (auto _ : state) {
        state.PauseTiming();
        // A fresh folder each time; removing the last one's files is not the save's.
        folder.reset();
        folder.emplace();
        PublicVars& store = PublicVars::sharedInstance();
        state.ResumeTiming();
        store.getWaitingStoreArray().append(newCase(photos, 1));
        if (!store.storeWaitingStoreArray()) state.SkipWithError("save failed");
        store.transPhotoInDictionary();
        state.PauseTiming();
        if (!store.getWaitingStoreArray()[0]->photoId) state.SkipWithError("move failed");
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * photosPerCase * photoBytes);
}
BENCHMARK(BM_SaveNewCaseAndMovePhotos)->Unit(benchmark::kMillisecond);

// Saving the case alone (the list with 14 inline photos).
void BM_SaveNewCase(benchmark::State& state) {
    const QList<QByteArray> photos = casePhotos();
    StoreFolder folder;
    PublicVars& store = PublicVars::sharedInstance();
    store.getWaitingStoreArray().append(newCase(photos, 1));
    for (auto _ : state)
        if (!store.storeWaitingStoreArray()) state.SkipWithError("save failed");
    state.SetBytesProcessed(state.iterations() * photosPerCase * photoBytes);
}
BENCHMARK(BM_SaveNewCase)->Unit(benchmark::kMillisecond);

// The yardstick: the same photo bytes written once, raw, through one QSaveFile.
void BM_RawSaveFileOfTheSameBytes(benchmark::State& state) {
    const QList<QByteArray> photos = casePhotos();
    QTemporaryDir dir;
    for (auto _ : state) {
        QSaveFile file(QDir(dir.path()).filePath(QStringLiteral("raw.bin")));
        bool ok = file.open(QIODevice::WriteOnly);
        for (const QByteArray& photo : photos)
            ok = ok && file.write(photo) == photo.size();
        if (!ok || !file.commit()) state.SkipWithError("raw write failed");
    }
    state.SetBytesProcessed(state.iterations() * photosPerCase * photoBytes);
}
BENCHMARK(BM_RawSaveFileOfTheSameBytes)->Unit(benchmark::kMillisecond);

// Reading a case's photo file, as the sending run and the editing screen do.
void BM_GetPhotoOfACase(benchmark::State& state) {
    StoreFolder folder;
    PublicVars& store = PublicVars::sharedInstance();
    store.getWaitingStoreArray().append(newCase(casePhotos(), 1));
    store.transPhotoInDictionary();
    const std::optional<QString> photoId = store.getWaitingStoreArray()[0]->photoId;
    for (auto _ : state)
        if (store.getPhoto(photoId).photos.size() != 10) state.SkipWithError("photos not read");
    state.SetBytesProcessed(state.iterations() * photosPerCase * photoBytes);
}
BENCHMARK(BM_GetPhotoOfACase)->Unit(benchmark::kMillisecond);

// Writes a store of count cases whose photos are in their files.
void writeMovedCases(benchmark::State& state, int count) {
    CaseList cases;
    for (int n = 0; n < count; ++n) {
        auto record = newCase({QByteArray()}, n);
        record->dropInlinePhotos();
        record->photoId = QStringLiteral("%1.000000").arg(1435644300 + n);
        cases << record;
    }
    PublicVars::sharedInstance().setWaitingStoreArray(cases);
    if (!PublicVars::sharedInstance().storeWaitingStoreArray())
        state.SkipWithError("could not write the store");
}

// Opening the app with 1,000 stored cases whose photos are in their files:
// making the shared state reads the whole list.
void BM_OpenStoreOf1000Cases(benchmark::State& state) {
    StoreFolder folder;
    writeMovedCases(state, 1000);
    for (auto _ : state) {
        PublicVars::resetSharedInstanceForTesting();
        if (PublicVars::sharedInstance().waitingStoreArray().size() != 1000)
            state.SkipWithError("store not read");
    }
    state.counters["cases"] = 1000;
}
BENCHMARK(BM_OpenStoreOf1000Cases)->Unit(benchmark::kMillisecond);

// Opening the app with lists of 63.9 and 64.6 MiB: a few cases more must cost
// a few cases' time more.
void BM_OpenStoreOfCases(benchmark::State& state) {
    StoreFolder folder;
    const int count = int(state.range(0));
    writeMovedCases(state, count);
    for (auto _ : state) {
        PublicVars::resetSharedInstanceForTesting();
        if (PublicVars::sharedInstance().waitingStoreArray().size() != count)
            state.SkipWithError("store not read");
    }
    state.counters["list MiB"] =
        double(QFileInfo(waitingReportPath(folder.path())).size()) / (1 << 20);
}
BENCHMARK(BM_OpenStoreOfCases)
    ->Unit(benchmark::kMillisecond)
    ->Arg(84000)
    ->Arg(85000)
    ->Iterations(3);

constexpr int runCases = 50;
constexpr int storeCases = 10000;

// A sending run in a freshly opened store of 10,000 cases: each iteration is
// one case sent, and the list saved as the sending run saves it.
void BM_SendCaseIn10000(benchmark::State& state) {
    StoreFolder folder;
    writeMovedCases(state, storeCases);
    PublicVars::resetSharedInstanceForTesting();
    PublicVars& store = PublicVars::sharedInstance();
    int next = 0;
    for (auto _ : state) {
        store.waitingStoreArray()[next++ * (storeCases / runCases)]->state = QStringLiteral("1");
        if (!store.storeWaitingStoreArray()) state.SkipWithError("save failed");
    }
}
BENCHMARK(BM_SendCaseIn10000)->Unit(benchmark::kMillisecond)->Iterations(runCases)->UseRealTime();

// The yardstick: the same list's bytes written raw through one QSaveFile,
// synced to the disk.
void BM_RawListWriteOf10000(benchmark::State& state) {
    StoreFolder folder;
    writeMovedCases(state, storeCases);
    QFile written(QDir(folder.path()).filePath(QStringLiteral("waitingReport.plist")));
    if (!written.open(QIODevice::ReadOnly)) state.SkipWithError("no list");
    const QByteArray bytes = written.readAll();
    for (auto _ : state) {
        QSaveFile file(QDir(folder.path()).filePath(QStringLiteral("raw.plist")));
        const bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                        file.flush() && ::fdatasync(file.handle()) == 0 && file.commit();
        if (!ok) state.SkipWithError("raw write failed");
    }
    state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_RawListWriteOf10000)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(runCases)
    ->UseRealTime();

constexpr int bigPhotoBytes = 50 * 1000 * 1000;

// A photo file with one photo of 50 MB, and its path.
QString writeBigPhotoFile(benchmark::State& state) {
    QByteArray photo(bigPhotoBytes, Qt::Uninitialized);
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(photo.data()),
                                  photo.size() / int(sizeof(quint32)));
    if (!PublicVars::sharedInstance().storePhotoWithPhotoDict(QStringLiteral("big"),
                                                              {entry(photo), {}, {}, {}}))
        state.SkipWithError("could not write the photo file");
    return QDir(platform().documents->path()).filePath(QStringLiteral("photo_big.plist"));
}

// Reading a case's photo file that holds a 50 MB photo, as the sending run does.
void BM_ReadPhotoFileOf50MBPhoto(benchmark::State& state) {
    StoreFolder folder;
    writeBigPhotoFile(state);
    countPeakGrowth(state, [&] {
        const PhotoFile photos = PublicVars::sharedInstance().getPhoto(QStringLiteral("big"));
        if (!photos.topPhoto || photos.topPhoto->photo.size() != bigPhotoBytes)
            state.SkipWithError("photo not read");
    });
}
BENCHMARK(BM_ReadPhotoFileOf50MBPhoto)->Unit(benchmark::kMillisecond)->Iterations(3);

// The yardstick: the same file's bytes read raw, once.
void BM_RawReadOfThe50MBPhotoFile(benchmark::State& state) {
    StoreFolder folder;
    QFile file(writeBigPhotoFile(state));
    countPeakGrowth(state, [&] {
        if (!file.open(QIODevice::ReadOnly) || file.readAll().size() <= bigPhotoBytes)
            state.SkipWithError("file not read");
        file.close();
    });
}
BENCHMARK(BM_RawReadOfThe50MBPhotoFile)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    return runBenchmarksWithRatios(
        argc, argv,
        {{"saving a 14-photo case over a raw write of its bytes", "BM_SaveNewCaseAndMovePhotos",
          "BM_RawSaveFileOfTheSameBytes", BenchRatio::Better::Cheaper, 3.0},
         {"a sent case in 10,000 over a raw write of the list",
          "BM_SendCaseIn10000/iterations:50/real_time",
          "BM_RawListWriteOf10000/iterations:50/real_time", BenchRatio::Better::Cheaper, 1.5, true},
         {"opening 85,000 cases over 84,000 (lists either side of 64 MiB)",
          "BM_OpenStoreOfCases/85000/iterations:3", "BM_OpenStoreOfCases/84000/iterations:3",
          BenchRatio::Better::Cheaper, 1.1},
         {"peak memory of reading a 50 MB photo's file over the file's size",
          "BM_ReadPhotoFileOf50MBPhoto/iterations:3", "BM_RawReadOfThe50MBPhotoFile/iterations:3",
          BenchRatio::Better::Cheaper, 3.0, false, "peak"}});
}
