// inspector-cli store tidy on a store folder written by the store itself.
#include "cli/Programs.h"
#include "plist/Plist.h"
#include "store/StoreFiles.h"
#include "store/StoreFixture.h"
#include "store/StoreLock.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class StoreTidy : public testing::Test {
  protected:
    QString pathOf(const QString& name) const { return dir.filePath(name); }
    QByteArray bytesOf(const QString& name) const {
        QFile file(pathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList files() const { return QDir(dir.path()).entryList(QDir::Files, QDir::Name); }

    // A photo file written an hour ago, or now.
    void writePhotoFile(const QString& photoId, const PhotoFile& photos, bool old = true) {
        const QString path = *photoFilePath(dir.path(), photoId);
        ASSERT_TRUE(writePlistFile(path, PlistValue(photos.toPlist())));
        if (old) setAnHourAgo(path);
    }
    void writeBytes(const QString& name, const QByteArray& bytes) {
        QFile file(pathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        file.close();
        setAnHourAgo(file.fileName());
    }
    static void setAnHourAgo(const QString& path) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-3600),
                                     QFileDevice::FileModificationTime));
    }

    QTemporaryDir dir;
};

// A case moved into photo_100 whose photos an earlier move also wrote to
// photo_050, a case still inline whose move wrote photo_060 before the list
// could name it, and unnamed files that must stay.
TEST_F(StoreTidy, DeletesOnlyUnnamedFilesWhosePhotosACaseHolds) {
    const auto moved = testCase("A1", "S2");
    const PhotoFile movedPhotos = moved->inlinePhotos();
    moved->dropInlinePhotos();
    moved->photoId = "100";
    const auto inlineCase = testCase("B3", "F4", 1, 0);
    ASSERT_TRUE(writeCaseList(waitingReportPath(dir.path()), {moved, inlineCase}));
    writePhotoFile("100", movedPhotos);
    writePhotoFile("050", movedPhotos);
    writePhotoFile("060", inlineCase->inlinePhotos());
    // A part of a case's photos is held too.
    writePhotoFile("055", {movedPhotos.topPhoto, {}, {}, {}});
    // Photos of a deleted case; the same JPEG taken elsewhere; no photos.
    writePhotoFile("070", testCase("Z9", "F0")->inlinePhotos());
    PhotoFile moved2 = movedPhotos;
    moved2.photos[1].lat = 0;
    writePhotoFile("080", moved2);
    writePhotoFile("085", {});
    writeBytes("photo_090.plist", "damaged");
    writeBytes("photo_091.unreadable-20150630-060500.plist", "kept aside");
    // Just written: the app may be about to name it.
    writePhotoFile("095", movedPhotos, false);

    const QStringList before = files();
    const Finished dry = cli({"store", "tidy", "--dry-run", dir.path()});
    ASSERT_EQ(dry.status, 0) << describe(dry);
    EXPECT_EQ(dry.out.toStdString(),
              "to delete photo_050.plist: case 1 (A1,S2) holds its photos\n"
              "to delete photo_055.plist: case 1 (A1,S2) holds its photos\n"
              "to delete photo_060.plist: case 2 (B3,F4) holds its photos\n"
              "kept photo_070.plist: no case holds its photos\n"
              "kept photo_080.plist: no case holds its photos\n"
              "kept photo_085.plist: it holds no photos\n"
              "kept photo_090.plist: unreadable: not a property list in XML form\n"
              "kept photo_095.plist: written less than a minute ago\n"
              "3 to delete, 5 kept\n")
        << describe(dry);
    EXPECT_EQ(files(), before);

    const QByteArray kept080 = bytesOf("photo_080.plist");
    const Finished done = cli({"store", "tidy", dir.path()});
    ASSERT_EQ(done.status, 0) << describe(done);
    EXPECT_EQ(done.out.toStdString(),
              QString(dry.out).replace("to delete", "deleted").toStdString());
    EXPECT_TRUE(done.err.isEmpty()) << describe(done);
    QStringList expected = before;
    for (const char* gone : {"photo_050.plist", "photo_055.plist", "photo_060.plist"})
        expected.removeOne(gone);
    EXPECT_EQ(files(), expected);
    EXPECT_EQ(bytesOf("photo_080.plist"), kept080);
    EXPECT_EQ(readPhotoFile(pathOf("photo_100.plist")).file, movedPhotos);

    const Finished again = cli({"store", "tidy", dir.path()});
    EXPECT_EQ(again.status, 0) << describe(again);
    EXPECT_TRUE(again.out.endsWith("\n0 deleted, 5 kept\n")) << describe(again);
}

TEST_F(StoreTidy, AnUnreadableListOrALockedStoreStopsIt) {
    writeBytes("waitingReport.plist", "<plist><array><dict>");
    writePhotoFile("050", testCase("A1", "S2")->inlinePhotos());
    const Finished refused = cli({"store", "tidy", dir.path()});
    EXPECT_EQ(refused.status, 1) << describe(refused);
    EXPECT_TRUE(refused.err.startsWith("waitingReport.plist: unreadable: ")) << describe(refused);
    EXPECT_TRUE(refused.err.contains("nothing was deleted")) << describe(refused);
    EXPECT_EQ(files(), QStringList({"photo_050.plist", "waitingReport.plist"}));

    // While another program holds the store, nothing is deleted.
    StoreLock lock(dir.path());
    ASSERT_TRUE(lock.tryLock(0));
    const Finished held = cli({"store", "tidy", dir.path()});
    EXPECT_EQ(held.status, 1) << describe(held);
    EXPECT_TRUE(held.err.contains("in use by another program")) << describe(held);

    const Finished usage = cli({"store", "tidy", "--force", dir.path()});
    EXPECT_EQ(usage.status, 2) << describe(usage);
    EXPECT_TRUE(usage.err.contains("tidy [--dry-run] DIR")) << describe(usage);
}

} // namespace
