#include "plist/Plist.h"
#include "store/StoreFixture.h"

#include <latch>
#include <thread>

namespace {

// The dictionary of the n-th case as the file holds it.
PlistDict caseInFile(const QString& path, int n) {
    const PlistReadResult read = readPlistFile(path);
    const PlistValue::Array* cases = read.value ? read.value->asArray() : nullptr;
    if (!cases || int(cases->size()) <= n || !(*cases)[n].asDict()) {
        ADD_FAILURE() << "no case " << n << " in " << path.toStdString();
        return {};
    }
    return *(*cases)[n].asDict();
}

TEST_F(StoreTest, FirstStartHasNoCasesAndSavingOneWritesTheFile) {
    EXPECT_TRUE(vars().getWaitingStoreArray().isEmpty());
    EXPECT_TRUE(files().isEmpty()) << "nothing is written before a save";

    vars().getWaitingStoreArray().append(testCase("A1", "F2"));
    EXPECT_TRUE(vars().storeWaitingStoreArray());

    const PlistDict record = caseInFile(pathOf("waitingReport.plist"), 0);
    EXPECT_EQ(*record.value("state")->asString(), "0");
    EXPECT_EQ(*record.value("pk")->asString(), "A1,F2");
    EXPECT_FALSE(record.contains("photoId"));
    const PlistDict& top = *record.value("topPhoto")->asDict();
    EXPECT_TRUE(top.value("photo")->asData());
    EXPECT_TRUE(top.value("imgTime")->asDate());
    EXPECT_TRUE(top.value("lat")->asReal());
    EXPECT_EQ(record.value("photos")->asArray()->size(), 2u);
    EXPECT_EQ(record.value("photos_1")->asArray()->size(), 1u);
}

TEST_F(StoreTest, CasesReadBackAsTheyWereSaved) {
    const auto saved = testCase("A1", "F2");
    saved->photoId = "1435644300.000000";
    saved->photos.reset();
    vars().getWaitingStoreArray() = {saved, testCase("B3", "S4", 10, 3)};
    ASSERT_TRUE(vars().storeWaitingStoreArray());

    PublicVars::resetSharedInstanceForTesting();
    const CaseList& cases = vars().getWaitingStoreArray();
    ASSERT_EQ(cases.size(), 2);
    EXPECT_EQ(*cases[0], *saved);
    EXPECT_EQ(*cases[1], *testCase("B3", "S4", 10, 3));
    // Single-precision positions come back exactly.
    EXPECT_EQ(cases[0]->topPhoto->lat, 25.033964f);
}

TEST_F(StoreTest, TheListIsReadOnceAndRecordsAreShared) {
    vars().getWaitingStoreArray().append(testCase("A1", "F2"));
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    PublicVars::resetSharedInstanceForTesting();

    CaseList& list = vars().getWaitingStoreArray();
    QFile::remove(pathOf("waitingReport.plist"));
    EXPECT_EQ(&vars().getWaitingStoreArray(), &list);
    EXPECT_EQ(&vars().waitingStoreArray(), &list);
    ASSERT_EQ(list.size(), 1);

    // A screen changes the very record the store holds.
    std::shared_ptr<CaseRecord> found = vars().findWaitingStoreArrayByPK("A1,F2");
    ASSERT_EQ(found, list[0]);
    found->state = "1";
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    EXPECT_EQ(*caseInFile(pathOf("waitingReport.plist"), 0).value("state")->asString(), "1");
}

TEST_F(StoreTest, AHandedInListIsKeptNotReplacedByTheFile) {
    vars().getWaitingStoreArray().append(testCase("A1", "F2"));
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    vars().setWaitingStoreArray({});
    EXPECT_TRUE(vars().getWaitingStoreArray().isEmpty());
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    EXPECT_EQ(readPlistFile(pathOf("waitingReport.plist")).value, PlistValue(PlistValue::Array{}));
}

TEST_F(StoreTest, LookupsByKeyFindTheFirstMatch) {
    EXPECT_FALSE(vars().hasWaitingStoreArrayByPK("A1,F2"));
    EXPECT_EQ(vars().findWaitingStoreArrayByPK("A1,F2"), nullptr);

    const auto first = testCase("A1", "F2");
    const auto second = testCase("A1", "F2");
    vars().setWaitingStoreArray({testCase("B3", "S4"), first, second});
    EXPECT_TRUE(vars().hasWaitingStoreArrayByPK("A1,F2"));
    EXPECT_EQ(vars().findWaitingStoreArrayByPK("A1,F2"), first);
    EXPECT_FALSE(vars().hasWaitingStoreArrayByPK("A1"));
    EXPECT_FALSE(vars().hasWaitingStoreArrayByPK("A1,F2,"));
}

TEST_F(StoreTest, MovingPhotosPutsThemInTheirOwnFile) {
    const auto record = testCase("A1", "F2");
    const PhotoFile expected{record->topPhoto, *record->photos, *record->photos_1, {}};
    vars().getWaitingStoreArray().append(record);
    ASSERT_TRUE(vars().storeWaitingStoreArray());

    vars().transPhotoInDictionary();

    // 2015-06-30 14:05:00 in Taipei, in seconds since 1970 with six decimals.
    EXPECT_EQ(record->photoId, "1435644300.000000");
    EXPECT_FALSE(record->hasInlinePhotos());
    EXPECT_EQ(vars().getPhoto(record->photoId), expected);
    EXPECT_EQ(files(), QStringList({"photo_1435644300.000000.plist", "waitingReport.plist"}));
    // The list names the new file at once: a start after this one moves nothing.
    const PlistDict saved = caseInFile(pathOf("waitingReport.plist"), 0);
    ASSERT_TRUE(saved.contains("photoId"));
    EXPECT_EQ(*saved.value("photoId"), PlistValue("1435644300.000000"));
    for (const char* key : {"topPhoto", "photos", "photos_1"})
        EXPECT_FALSE(saved.contains(key)) << key;

    // A case already moved is left alone, also by the next start.
    fake.clock.advance(60);
    const QByteArray listAfter = bytesOf("waitingReport.plist");
    vars().transPhotoInDictionary();
    EXPECT_EQ(record->photoId, "1435644300.000000");
    PublicVars::resetSharedInstanceForTesting();
    vars().transPhotoInDictionary();
    EXPECT_EQ(bytesOf("waitingReport.plist"), listAfter);
    EXPECT_EQ(files().size(), 2);
}

TEST_F(StoreTest, NewPhotoIdsNeverNameAnotherCasesFile) {
    // An older case whose file is the one the clock would name again.
    const auto older = testCase("Z9", "F0");
    ASSERT_TRUE(vars().storePhotoWithPhotoDict("1435644300.000000", {older->topPhoto, {}, {}, {}}));
    const auto a = testCase("A1", "F2");
    const auto b = testCase("B3", "S4");
    vars().setWaitingStoreArray({a, b});

    vars().transPhotoInDictionary(); // both in the same microsecond

    EXPECT_EQ(a->photoId, "1435644300.000001");
    EXPECT_EQ(b->photoId, "1435644300.000002");
    EXPECT_EQ(vars().getPhoto(QString("1435644300.000000")).topPhoto, older->topPhoto);
    EXPECT_EQ(vars().getPhoto(a->photoId).topPhoto, testCase("A1", "F2")->topPhoto);
    EXPECT_EQ(vars().getPhoto(b->photoId).topPhoto, testCase("B3", "S4")->topPhoto);

    // A clock set back does not reuse a name either, nor one that a case
    // holds whose file has gone.
    const QDateTime start = fake.clock.now();
    fake.clock.advance(3600);
    const auto later = testCase("D7", "S8");
    vars().getWaitingStoreArray().append(later);
    vars().transPhotoInDictionary();
    EXPECT_EQ(later->photoId, "1435647900.000000");
    fake.clock.set(start);
    QFile::remove(pathOf("photo_1435644300.000002.plist"));
    const auto c = testCase("C5", "S6");
    vars().getWaitingStoreArray().append(c);
    vars().transPhotoInDictionary();
    EXPECT_EQ(c->photoId, "1435644300.000003");
}

TEST_F(StoreTest, NewPhotoIdsCountMicroseconds) {
    struct MicrosecondClock : VirtualClock {
        qint64 microsecondsSinceEpoch() const override { return 1435644300123456; }
    } clock;
    fake.services.clock = &clock;
    const auto a = testCase("A1", "F2");
    const auto b = testCase("B3", "S4");
    vars().setWaitingStoreArray({a, b});
    vars().transPhotoInDictionary();
    EXPECT_EQ(a->photoId, "1435644300.123456");
    EXPECT_EQ(b->photoId, "1435644300.123457");
}

TEST_F(StoreTest, PhotoFilesAreReplacedReadAndRemoved) {
    const std::optional<QString> id = QString("1435644300.000000");
    PhotoFile file{testPhoto("top"), {testPhoto("a"), testPhoto("b")}, {}, {}};
    ASSERT_TRUE(vars().storePhotoWithPhotoDict(*id, file));
    file.photos.removeFirst();
    file.photos_1.append(testPhoto("order", -33.8688f, 151.2093f));
    ASSERT_TRUE(vars().storePhotoWithPhotoDict(*id, file));
    EXPECT_EQ(vars().getPhoto(id), file);

    EXPECT_TRUE(vars().removePhotoFile(id));
    EXPECT_FALSE(files().contains("photo_1435644300.000000.plist"));
    EXPECT_TRUE(vars().getPhoto(id).isEmpty());
}

TEST_F(StoreTest, MissingPhotoFilesGiveEmptyPhotosAndRemoveNothing) {
    writeBytes("photo_other.plist", "kept");
    const QStringList before = files();
    EXPECT_TRUE(vars().getPhoto(std::nullopt).isEmpty());
    EXPECT_TRUE(vars().getPhoto(QString("1435644300.000000")).isEmpty());
    EXPECT_FALSE(vars().removePhotoFile(QString("1435644300.000000")));
    EXPECT_FALSE(vars().removePhotoFile(std::nullopt));
    EXPECT_EQ(files(), before);
}

TEST_F(StoreTest, SharedInstanceIsMadeOnceAlsoUnderConcurrentFirstCalls) {
    vars().getWaitingStoreArray().append(testCase("A1", "F2"));
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    PublicVars::resetSharedInstanceForTesting();

    constexpr int threads = 8;
    std::latch start(threads);
    std::vector<PublicVars*> seen(threads);
    std::vector<std::thread> callers;
    for (int i = 0; i < threads; ++i)
        callers.emplace_back([&, i] {
            start.arrive_and_wait();
            seen[i] = &PublicVars::sharedInstance();
        });
    for (std::thread& t : callers)
        t.join();
    for (PublicVars* instance : seen)
        EXPECT_EQ(instance, seen[0]);
    EXPECT_EQ(seen[0]->waitingStoreArray().size(), 1);
}

} // namespace
