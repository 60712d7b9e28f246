#include "store/StoreInspection.h"
#include "store/StoreFixture.h"

#include <QBuffer>
#include <QImage>

namespace {

QByteArray realJpeg(int side = 16) {
    QImage image(side, side, QImage::Format_RGB32);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            image.setPixel(x, y, qRgb(x * 7 % 256, y * 3 % 256, x * y % 256));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes;
}

std::shared_ptr<CaseRecord> jpegCase(const QString& pakeno, const QString& Chkno) {
    auto record = testCase(pakeno, Chkno, 2, 1);
    record->topPhoto->photo = realJpeg();
    for (PhotoEntry& photo : *record->photos)
        photo.photo = realJpeg();
    for (PhotoEntry& photo : *record->photos_1)
        photo.photo = realJpeg();
    return record;
}

class StoreInspection : public StoreTest {
  protected:
    // A sound store: one case inline, one moved to its photo file.
    void writeSoundStore() {
        vars().setWaitingStoreArray({jpegCase("A1", "F2")});
        vars().transPhotoInDictionary();
        vars().getWaitingStoreArray().append(jpegCase("B3", "S4"));
        vars().getWaitingStoreArray()[1]->state = "1";
        ASSERT_TRUE(vars().storeWaitingStoreArray());
    }
};

TEST_F(StoreInspection, ListsEveryCaseWithItsPhotos) {
    writeSoundStore();
    const StoreListing listing = listStore(fake.path());
    EXPECT_TRUE(listing.problems.isEmpty());
    EXPECT_EQ(listing.lines,
              QStringList({QString::fromUtf8("A1,F2\t0\t104/06/30 14:05\t竣工檢查\t"
                                             "photo_1435644300.000000.plist\t"
                                             "top 1, site 2, maintenance 1"),
                           QString::fromUtf8("B3,S4\t1\t104/06/30 14:05\t竣工檢查\tinline\t"
                                             "top 1, site 2, maintenance 1")}));
    EXPECT_TRUE(checkStore(fake.path()).isEmpty());
}

TEST_F(StoreInspection, AnEmptyFolderIsAnEmptyStore) {
    EXPECT_TRUE(listStore(fake.path()).lines.isEmpty());
    EXPECT_TRUE(checkStore(fake.path()).isEmpty());
}

TEST_F(StoreInspection, ReportsEveryProblem) {
    writeSoundStore();
    CaseList& cases = vars().getWaitingStoreArray();
    cases[1]->photos_1->last().photo = "not a jpeg";
    const QByteArray whole = realJpeg(200);
    cases[1]->photos->first().photo = whole.left(whole.size() / 2);
    auto missing = jpegCase("C5", "S6");
    missing->photoId = "111.000000";
    missing->photos.reset();
    auto unsafe = jpegCase("D7", "S8");
    unsafe->photoId = "../evil";
    auto twice = std::make_shared<CaseRecord>(*cases[0]);
    twice->pk = "E9,S0";
    cases << missing << unsafe << twice;
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    writeBytes("photo_222.000000.plist", "damaged");
    ASSERT_TRUE(vars().storePhotoWithPhotoDict("333.000000", {}));
    writeBytes("waitingReport.unreadable-20150630-060500.plist", "x");

    const QStringList problems = checkStore(fake.path());
    EXPECT_EQ(problems,
              QStringList({
                  "case 2 (B3,S4) inline: site photo 1 is cut short",
                  "case 2 (B3,S4) inline: maintenance photo 1 is not a JPEG",
                  "case 3 (C5,S6): holds photos both inline and in photo_111.000000.plist",
                  "case 3 (C5,S6): photo_111.000000.plist is missing",
                  "case 4 (D7,S8): unsafe photoId \"../evil\"",
                  "case 5 (E9,S0): photo_1435644300.000000.plist is also named by case 1",
                  "photo_222.000000.plist: no case names this file",
                  "photo_333.000000.plist: no case names this file",
                  "waitingReport.unreadable-20150630-060500.plist: an unreadable file kept aside",
              }))
        << problems.join('\n').toStdString();
}

TEST_F(StoreInspection, ReportsWhatTheStoreKeepsWithoutUsing) {
    writeBytes("waitingReport.plist", R"(<plist><array><dict>
  <key>pk</key><string>A1,F2</string>
  <key>photoId</key><integer>5</integer>
  <key>prarms</key><dict><key>odd</key><dict/><key>n</key><integer>3</integer></dict>
  <key>checked</key><date>garbage</date>
  <key>photos</key><array><string>stray</string>
    <dict><key>photo</key><data>)" + realJpeg().toBase64() +
                                          R"(</data>
      <key>lat</key><string>north</string></dict></array>
</dict></array></plist>)");
    const QStringList problems = checkStore(fake.path());
    EXPECT_EQ(problems,
              QStringList({
                  "case 1 (A1,F2): \"photoId\" has a value of another type",
                  "case 1 (A1,F2): form field \"odd\" is not text",
                  "case 1 (A1,F2): <date> \"garbage\" at checked could not be read",
                  "case 1 (A1,F2) inline: site photo 1: \"lat\" has a value of another type",
                  "case 1 (A1,F2) inline: \"photos\" has entries that are not photos (1)",
              }))
        << problems.join('\n').toStdString();
}

TEST_F(StoreInspection, ReportsWhatWasReadPastInTheList) {
    writeBytes("waitingReport.plist",
               "<plist><array>\n<dict><key>pk</key><string>A1,F2</string>"
               "</dict>x<qict/>\n<string>not a case</string></array></plist>");
    EXPECT_EQ(listStore(fake.path()).lines.size(), 1);
    const QStringList problems = checkStore(fake.path());
    EXPECT_EQ(problems, QStringList({
                            "waitingReport.plist: read past line 2: text \"x\" outside a value",
                            "waitingReport.plist: read past line 2: unknown element <qict>",
                            "waitingReport.plist: 1 entries are not cases",
                        }))
        << problems.join('\n').toStdString();
}

TEST_F(StoreInspection, ReportsUnreadableFilesAndChangesNothing) {
    writeSoundStore();
    const QString photoFile = "photo_1435644300.000000.plist";
    writeBytes(photoFile, "damaged");
    EXPECT_EQ(checkStore(fake.path()),
              QStringList{photoFile + ": unreadable: not a property list in XML form"});

    writeBytes("waitingReport.plist", "damaged");
    const QStringList before = files();
    const StoreListing listing = listStore(fake.path());
    EXPECT_TRUE(listing.lines.isEmpty());
    EXPECT_EQ(listing.problems,
              QStringList{"waitingReport.plist: unreadable: not a property list in XML form"});
    EXPECT_EQ(checkStore(fake.path()).first(), listing.problems.first());
    EXPECT_EQ(files(), before);
}

} // namespace
