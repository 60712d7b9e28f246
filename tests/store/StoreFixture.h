#pragma once

#include "store/PublicVars.h"
#include "support/FakePlatform.h"
#include "support/PlistSameness.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

// A fresh shared state on fake services with an empty documents folder.
class StoreTest : public testing::Test {
  protected:
    StoreTest() { PublicVars::resetSharedInstanceForTesting(); }
    ~StoreTest() override { PublicVars::resetSharedInstanceForTesting(); }

    static PublicVars& vars() { return PublicVars::sharedInstance(); }
    QString pathOf(const QString& name) const { return QDir(fake.path()).filePath(name); }
    QByteArray bytesOf(const QString& name) const {
        QFile file(pathOf(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // Every hand-made store file also reads the same on both of the reader's paths.
    void writeBytes(const QString& name, const QByteArray& bytes) const {
        EXPECT_TRUE(readsTheSameBothWays(bytes)) << bytes.left(400).toStdString();
        QFile file(pathOf(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QStringList files() const { return QDir(fake.path()).entryList(QDir::Files, QDir::Name); }

    FakePlatform fake;
};

// A photo whose bytes tell it apart.
inline PhotoEntry testPhoto(const QByteArray& mark, float lat = 25.033964f, float lon = 121.5645f) {
    PhotoEntry photo;
    photo.photo = QByteArray("\xff\xd8\xff\xe0") + mark + QByteArray(2000, 'j');
    photo.imgTime = QDateTime(QDate(2015, 6, 30), QTime(6, 5, 7), Qt::UTC);
    photo.lat = lat;
    photo.lon = lon;
    return photo;
}

// A new case as the site photo screen saves it: waiting, photos inline.
inline std::shared_ptr<CaseRecord> testCase(const QString& pakeno, const QString& Chkno,
                                            int sitePhotos = 2, int orderPhotos = 1) {
    auto record = std::make_shared<CaseRecord>();
    record->pk = pakeno + u',' + Chkno;
    record->pakeno = pakeno;
    record->Chkno = Chkno;
    record->type = QString::fromUtf8("竣工檢查");
    record->state = "0";
    record->rcdTime = "104/06/30 14:05";
    record->prarms = {{"date", "1040630140500"},
                      {"pakeno", pakeno},
                      {"Chkno", Chkno},
                      {"startTime", "1040630140001"},
                      {"tecuni", "QTEyMzQ1Njc4OQ=="}};
    record->topPhoto = testPhoto("top " + pakeno.toUtf8());
    record->photos.emplace();
    for (int i = 0; i < sitePhotos; ++i)
        record->photos->append(testPhoto("site " + QByteArray::number(i)));
    record->photos_1.emplace();
    for (int i = 0; i < orderPhotos; ++i)
        record->photos_1->append(testPhoto("order " + QByteArray::number(i), 0, 0));
    return record;
}
