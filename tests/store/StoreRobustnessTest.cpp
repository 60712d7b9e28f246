#include "plist/Plist.h"
#include "plist/PlistWriteFailure.h"
#include "store/StoreFixture.h"

namespace {

const QString keptName = "waitingReport.unreadable-20150630-060500.plist";

PlistDict caseOnDisk(const QString& path) {
    const PlistReadResult read = readPlistFile(path);
    if (!read.value || !read.value->asArray() || read.value->asArray()->empty()) return {};
    return read.value->asArray()->front().asDict() ? *read.value->asArray()->front().asDict()
                                                   : PlistDict();
}

QByteArray document(const QByteArray& body) {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n" + body +
           "\n</plist>\n";
}

TEST_F(StoreTest, AnUnreadableListIsKeptAsideNotOverwritten) {
    const QByteArray unreadable[] = {
        "",
        "garbage",
        document("<array><dict><key>pk</key><string>A1,F2</str"),
        document("<dict><key>pk</key><string>A1,F2</string></dict>"),
        QByteArray("bplist00\xa0\x08", 10),
    };
    for (const QByteArray& bytes : unreadable) {
        PublicVars::resetSharedInstanceForTesting();
        for (const QString& name : files())
            QFile::remove(pathOf(name));
        writeBytes("waitingReport.plist", bytes);

        EXPECT_TRUE(vars().getWaitingStoreArray().isEmpty());
        EXPECT_EQ(files(), QStringList{keptName}) << bytes.toStdString();
        EXPECT_EQ(bytesOf(keptName), bytes);
        ASSERT_FALSE(fake.log.lines.isEmpty());
        EXPECT_TRUE(fake.log.lines.last().contains(keptName))
            << fake.log.lines.last().toStdString();

        vars().getWaitingStoreArray().append(testCase("A1", "F2"));
        ASSERT_TRUE(vars().storeWaitingStoreArray());
        EXPECT_EQ(bytesOf(keptName), bytes);
    }
}

TEST_F(StoreTest, KeptFilesNeverReplaceEarlierOnes) {
    writeBytes(keptName, "first");
    writeBytes("waitingReport.plist", "second");
    EXPECT_TRUE(vars().getWaitingStoreArray().isEmpty());
    EXPECT_EQ(bytesOf(keptName), "first");
    EXPECT_EQ(bytesOf("waitingReport.unreadable-20150630-060500-2.plist"), "second");
}

// Entries that are not cases, text between elements and unknown elements (a
// stray byte in the file) are read past: every case that can be read is used.
TEST_F(StoreTest, WhatIsNotACaseIsSkippedAndTheFileCopied) {
    const QByteArray bodies[] = {
        "<array><string>stray</string><dict><key>pk</key><string>A1,F2</string></dict></array>",
        "<array>x<dict><key>pk</key><string>A1,F2</string></dict></array>",
        "<array><dict><key>pk</key><string>A1,F2</string><qict/></dict></array>",
    };
    const QDateTime start = fake.clock.now();
    for (const QByteArray& body : bodies) {
        fake.clock.set(start);
        PublicVars::resetSharedInstanceForTesting();
        for (const QString& name : files())
            QFile::remove(pathOf(name));
        const QByteArray bytes = document(body);
        writeBytes("waitingReport.plist", bytes);
        ASSERT_EQ(vars().getWaitingStoreArray().size(), 1) << body.toStdString();
        EXPECT_EQ(vars().getWaitingStoreArray()[0]->pk, "A1,F2");
        EXPECT_EQ(bytesOf(keptName), bytes);
        EXPECT_EQ(bytesOf("waitingReport.plist"), bytes);

        // Read again at later starts, the same content is not copied again.
        for (int start = 0; start < 2; ++start) {
            fake.clock.advance(3600);
            PublicVars::resetSharedInstanceForTesting();
            ASSERT_EQ(vars().getWaitingStoreArray().size(), 1);
        }
        EXPECT_EQ(files(), QStringList({"waitingReport.plist", keptName}));
    }
}

// A position beyond single precision is kept as it was read; one within it
// keeps the single-precision rounding.
TEST_F(StoreTest, PositionsBeyondSinglePrecisionAreKeptAsRead) {
    writeBytes("waitingReport.plist", document(R"(<array><dict>
  <key>pk</key><string>A1,F2</string>
  <key>photos</key><array>
    <dict><key>lat</key><real>1e300</real><key>lon</key><real>1e-300</real></dict>
    <dict><key>lat</key><real>-1e39</real><key>lon</key><real>25.0339640001</real></dict>
  </array></dict></array>)"));
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    const PlistDict saved = caseOnDisk(pathOf("waitingReport.plist"));
    ASSERT_TRUE(saved.value("photos"));
    const PlistValue::Array& photos = *saved.value("photos")->asArray();
    ASSERT_EQ(photos.size(), 2u);
    const auto position = [&](std::size_t i, const char* key) {
        return *photos[i].asDict()->value(key)->asReal();
    };
    EXPECT_EQ(position(0, "lat"), 1e300);
    EXPECT_EQ(position(0, "lon"), 1e-300);
    EXPECT_EQ(position(1, "lat"), -1e39);
    EXPECT_EQ(position(1, "lon"), double(25.0339640001f));
}

TEST_F(StoreTest, WrongTypesAreReadAsFarAsTheyCanBeAndUnknownKeysKept) {
    const QByteArray bytes = document(R"(<array><dict>
  <key>pk</key><string>A1,F2</string>
  <key>state</key><integer>1</integer>
  <key>type</key><array><string>odd</string></array>
  <key>prarms</key><dict><key>date</key><string>1040630140500</string>
    <key>count</key><integer>3</integer><key>odd</key><dict/>
    <key>big</key><integer>18446744073709551615</integer></dict>
  <key>photoId</key><dict><key>x</key><string>y</string></dict>
  <key>photos</key><array><string>not a photo</string>
    <dict><key>photo</key><string>not data</string><key>lat</key><integer>25</integer>
      <key>imgTime</key><date>2015-06-30T06:05:07Z</date><key>note</key><string>kept</string></dict>
  </array>
  <key>inspectorNote</key><dict><key>written</key><date>2015-06-30T06:05:07Z</date></dict>
</dict></array>)");
    writeBytes("waitingReport.plist", bytes);
    const CaseList& cases = vars().getWaitingStoreArray();
    ASSERT_EQ(cases.size(), 1);
    const CaseRecord& record = *cases[0];
    EXPECT_EQ(record.pk, "A1,F2");
    EXPECT_EQ(record.state, "1");
    EXPECT_EQ(record.type, "");
    EXPECT_EQ(record.prarms,
              (QMap<QString, QString>{
                  {"date", "1040630140500"}, {"count", "3"}, {"big", "18446744073709551615"}}));
    EXPECT_EQ(record.photoId, std::nullopt);
    ASSERT_TRUE(record.photos);
    ASSERT_EQ(record.photos->size(), 1);
    EXPECT_EQ(record.photos->at(0).lat, 25.0f);
    EXPECT_TRUE(record.photos->at(0).photo.isEmpty());

    // Writing the case back loses nothing it could not read.
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    const PlistDict original = *readPlist(bytes).value->asArray()->at(0).asDict();
    const PlistValue written = *readPlistFile(pathOf("waitingReport.plist")).value;
    const PlistDict& back = *written.asArray()->at(0).asDict();
    for (const char* key : {"type", "photoId", "inspectorNote"})
        EXPECT_EQ(*back.value(key), *original.value(key)) << key;
    // Numbers and values without a text form stay what they were.
    const PlistDict& prarms = *back.value("prarms")->asDict();
    for (const char* key : {"count", "odd", "big", "date"})
        EXPECT_EQ(*prarms.value(key), *original.value("prarms")->asDict()->value(key)) << key;
    // The entry that is not a photo stays in its list, after the photos.
    const PlistValue::Array& photos = *back.value("photos")->asArray();
    ASSERT_EQ(photos.size(), 2u);
    const PlistDict& photo = *photos[0].asDict();
    EXPECT_EQ(*photo.value("photo"), PlistValue("not data"));
    EXPECT_EQ(*photo.value("note"), PlistValue("kept"));
    EXPECT_EQ(photos[1], PlistValue("not a photo"));
}

TEST_F(StoreTest, ValuesThatCannotBeReadAreKeptThroughSavesAndTheMove) {
    const QByteArray bytes = document(R"(<array><dict>
  <key>pk</key><string>A1,F2</string>
  <key>checked</key><date>garbage</date>
  <key>count</key><integer>abc</integer>
  <key>topPhoto</key><dict><key>photo</key><data>aGVsbG8</data>
    <key>imgTime</key><date>2015-06-30T14:05:07+08:00</date></dict>
  <key>photos</key><array><string>stray</string>
    <dict><key>photo</key><data>/9j/</data><key>imgTime</key><date>0001-01-01T00:00:00Z</date></dict>
    <integer>7</integer></array>
</dict></array>)");
    writeBytes("waitingReport.plist", bytes);
    const auto record = vars().getWaitingStoreArray().at(0);
    ASSERT_TRUE(record->topPhoto);
    EXPECT_EQ(record->topPhoto->imgTime, QDateTime(QDate(2015, 6, 30), QTime(6, 5, 7), Qt::UTC));
    EXPECT_TRUE(record->topPhoto->photo.isEmpty());
    ASSERT_EQ(record->photos->size(), 1);
    EXPECT_EQ(record->photos->at(0).imgTime, QDateTime(QDate(1, 1, 1), QTime(0, 0), Qt::UTC));

    // Saving with another case, and moving the photos, keeps every value.
    vars().getWaitingStoreArray().append(testCase("B3", "S4"));
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    const QByteArray saved = bytesOf("waitingReport.plist");
    for (const char* element : {"<date>garbage</date>", "<integer>abc</integer>",
                                "<data>aGVsbG8</data>", "<date>0001-01-01T00:00:00Z</date>"})
        EXPECT_TRUE(saved.contains(element)) << element;
    vars().transPhotoInDictionary();
    ASSERT_TRUE(record->photoId);
    const QByteArray moved = bytesOf("photo_" + *record->photoId + ".plist");
    EXPECT_TRUE(moved.contains("<data>aGVsbG8</data>"));
    const PlistValue file = *readPlistFile(pathOf("photo_" + *record->photoId + ".plist")).value;
    const PlistValue::Array& photos = *file.asDict()->value("photos")->asArray();
    ASSERT_EQ(photos.size(), 3u);
    EXPECT_EQ(photos[1], PlistValue("stray"));
    EXPECT_EQ(photos[2], PlistValue(7));
}

TEST_F(StoreTest, AnUnreadablePhotoIdIsNeverReplaced) {
    const QByteArray bytes = document(R"(<array><dict>
  <key>pk</key><string>A1,F2</string>
  <key>photoId</key><integer>5</integer>
  <key>photos</key><array><dict><key>photo</key><data>/9j/</data></dict></array>
</dict></array>)");
    writeBytes("waitingReport.plist", bytes);
    const auto record = vars().getWaitingStoreArray().at(0);
    vars().transPhotoInDictionary();
    EXPECT_FALSE(record->photoId);
    EXPECT_TRUE(record->hasInlinePhotos());
    EXPECT_EQ(files(), QStringList{"waitingReport.plist"});
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    EXPECT_EQ(*caseOnDisk(pathOf("waitingReport.plist")).value("photoId"), PlistValue(5));
}

TEST_F(StoreTest, AFailedSaveReturnsFalseAndLeavesTheFile) {
    vars().getWaitingStoreArray().append(testCase("A1", "F2", 0, 0));
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    const QByteArray before = bytesOf("waitingReport.plist");
    vars().getWaitingStoreArray().append(testCase("B3", "S4", 10, 3));
    {
        FileSizeLimit limit(before.size() + 100);
        EXPECT_FALSE(vars().storeWaitingStoreArray());
    }
    EXPECT_EQ(bytesOf("waitingReport.plist"), before);
    EXPECT_EQ(files(), QStringList{"waitingReport.plist"});
}

// The documents folder on a disk of 64 KiB: the list fits, the photos of a
// large case fill the disk part-way through their file.
TEST_F(StoreTest, AFullDiskIsLoggedWithTheSystemsReason) {
    const SmallDisk disk(fake.path(), 64);
    if (!disk.error().isEmpty()) GTEST_SKIP() << "no tmpfs: " << disk.error().toStdString();
    const auto record = testCase("A1", "F2", 10, 3);
    record->topPhoto->photo += QByteArray(100000, 'x');
    vars().getWaitingStoreArray().append(record);

    vars().transPhotoInDictionary();
    EXPECT_FALSE(record->photoId);
    ASSERT_FALSE(fake.log.lines.isEmpty());
    EXPECT_TRUE(fake.log.lines.last().endsWith(": " + systemReason(ENOSPC)))
        << fake.log.lines.last().toStdString();
    EXPECT_FALSE(vars().storeWaitingStoreArray());
    EXPECT_TRUE(fake.log.lines.last().endsWith(": " + systemReason(ENOSPC)))
        << fake.log.lines.last().toStdString();
    EXPECT_TRUE(files().isEmpty()) << files().join(' ').toStdString();
}

TEST_F(StoreTest, AReplacedListIsSavedOrPutBackWhenTheWriteFails) {
    const auto first = testCase("A1", "F2", 0, 0);
    ASSERT_TRUE(vars().replaceWaitingStoreArray({first}));
    const QByteArray before = bytesOf("waitingReport.plist");
    {
        FileSizeLimit limit(before.size() + 100);
        EXPECT_FALSE(vars().replaceWaitingStoreArray({first, testCase("B3", "S4", 10, 3)}));
    }
    EXPECT_EQ(vars().waitingStoreArray(), CaseList({first}));
    EXPECT_EQ(bytesOf("waitingReport.plist"), before);

    ASSERT_TRUE(vars().replaceWaitingStoreArray({}));
    PublicVars::resetSharedInstanceForTesting();
    EXPECT_TRUE(vars().getWaitingStoreArray().isEmpty());
}

TEST_F(StoreTest, ATextTheXmlFormCannotHoldNeverStopsSaving) {
    // A registration code can carry any character, NUL included.
    vars().setWaitingStoreArray({testCase(QString::fromUtf16(u"A\0"
                                                             "1",
                                                             3),
                                          "F2"),
                                 testCase("B3", "S4")});
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    PublicVars::resetSharedInstanceForTesting();
    const CaseList& cases = vars().getWaitingStoreArray();
    ASSERT_EQ(cases.size(), 2);
    EXPECT_EQ(cases[0]->pakeno, QString::fromUtf16(u"A\uFFFD"
                                                   "1"));
    EXPECT_EQ(*cases[1], *testCase("B3", "S4"));
}

TEST_F(StoreTest, AFailedPhotoWriteLeavesThePhotosInline) {
    const auto record = testCase("A1", "F2", 10, 3);
    const CaseRecord before = *record;
    vars().getWaitingStoreArray().append(record);
    {
        FileSizeLimit limit(4096);
        vars().transPhotoInDictionary();
    }
    EXPECT_EQ(*record, before);
    EXPECT_TRUE(files().isEmpty());

    vars().transPhotoInDictionary();
    ASSERT_TRUE(record->photoId);
    EXPECT_EQ(vars().getPhoto(record->photoId).photos, *before.photos);
}

TEST_F(StoreTest, AListThatCannotBeSavedAfterTheMoveIsNamedByTheNextSave) {
    const auto record = testCase("A1", "F2");
    vars().setWaitingStoreArray({record});
    // A folder in the list's place: the photo file is written, the list is not.
    ASSERT_TRUE(QDir(fake.path()).mkdir("waitingReport.plist"));
    vars().transPhotoInDictionary();
    ASSERT_TRUE(record->photoId);
    ASSERT_FALSE(fake.log.lines.isEmpty());
    EXPECT_TRUE(fake.log.lines.last().contains("waitingReport.plist"));
    EXPECT_EQ(vars().getPhoto(record->photoId).photos, *testCase("A1", "F2")->photos);

    ASSERT_TRUE(QDir(fake.path()).rmdir("waitingReport.plist"));
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    PublicVars::resetSharedInstanceForTesting();
    EXPECT_EQ(vars().getWaitingStoreArray().front()->photoId, record->photoId);
}

TEST_F(StoreTest, UnsafePhotoIdsNeverLeaveTheDocumentsFolder) {
    // A file that "photo_../x.plist" would reach.
    ASSERT_TRUE(QDir(fake.path()).mkdir("photo_.."));
    ASSERT_TRUE(vars().storePhotoWithPhotoDict("ok", {testPhoto("top"), {}, {}, {}}));
    ASSERT_TRUE(QFile::copy(pathOf("photo_ok.plist"), pathOf("photo_../x.plist")));

    const QString unsafe[] = {"../x", "a/b", "a\\b", ".", "..", QString::fromUtf16(u"x\0y", 3)};
    for (const QString& id : unsafe) {
        EXPECT_TRUE(vars().getPhoto(id).isEmpty()) << id.toStdString();
        EXPECT_FALSE(vars().removePhotoFile(id)) << id.toStdString();
        EXPECT_FALSE(vars().storePhotoWithPhotoDict(id, {testPhoto("top"), {}, {}, {}}));
    }
    EXPECT_TRUE(QFile::exists(pathOf("photo_../x.plist")));
}

TEST_F(StoreTest, AnUnreadablePhotoFileIsKeptAsideBeforeItCouldBeReplaced) {
    writeBytes("photo_1435644300.000000.plist", "damaged");
    EXPECT_TRUE(vars().getPhoto(QString("1435644300.000000")).isEmpty());
    EXPECT_EQ(bytesOf("photo_1435644300.000000.unreadable-20150630-060500.plist"), "damaged");
    EXPECT_FALSE(QFile::exists(pathOf("photo_1435644300.000000.plist")));
}

} // namespace
