#include "app/StoreFixture.h"
#include "util/Plist.h"
#include "util/PlistWriteFailure.h"

namespace {

const QString keptName = "waitingReport.unreadable-20150630-060500.plist";

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

TEST_F(StoreTest, EntriesThatAreNotCasesAreSkippedAndTheFileCopied) {
    const QByteArray bytes = document(
        "<array><string>stray</string><dict><key>pk</key><string>A1,F2</string></dict></array>");
    writeBytes("waitingReport.plist", bytes);
    ASSERT_EQ(vars().getWaitingStoreArray().size(), 1);
    EXPECT_EQ(vars().getWaitingStoreArray()[0]->pk, "A1,F2");
    EXPECT_EQ(bytesOf(keptName), bytes);
    EXPECT_EQ(bytesOf("waitingReport.plist"), bytes);
}

TEST_F(StoreTest, WrongTypesAreReadAsFarAsTheyCanBeAndUnknownKeysKept) {
    const QByteArray bytes = document(R"(<array><dict>
  <key>pk</key><string>A1,F2</string>
  <key>state</key><integer>1</integer>
  <key>type</key><array><string>odd</string></array>
  <key>prarms</key><dict><key>date</key><string>1040630140500</string>
    <key>count</key><integer>3</integer><key>odd</key><dict/></dict>
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
    EXPECT_EQ(record.prarms, (QMap<QString, QString>{{"date", "1040630140500"}, {"count", "3"}}));
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
    const PlistDict& photo = *back.value("photos")->asArray()->at(0).asDict();
    EXPECT_EQ(*photo.value("photo"), PlistValue("not data"));
    EXPECT_EQ(*photo.value("note"), PlistValue("kept"));
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
