#include "net/UploadForm.h"

#include <gtest/gtest.h>

namespace {

PhotoEntry photo(const char* jpeg, QDateTime time, float lat, float lon) {
    PhotoEntry entry;
    entry.photo = jpeg;
    entry.imgTime = time;
    entry.lat = lat;
    entry.lon = lon;
    return entry;
}

// Local time: the tests run in Asia/Taipei.
QDateTime at(int day, int hour, int minute, int second) {
    return QDateTime(QDate(2014, 12, day), QTime(hour, minute, second));
}

CaseRecord record(QMap<QString, QString> extraFields = {}) {
    CaseRecord r;
    r.pakeno = "P1";
    r.Chkno = "C1";
    r.prarms = {{"date", "1031231235907"}, {"pakeno", "P1"},
                {"Chkno", "C1"},           {"startTime", "1031231230000"},
                {"devToken", "D-1"},       {"tecuni", "QTE="},
                {"tecnam", "546L"}};
    r.prarms.insert(extraFields);
    return r;
}

// The field names in order, as texts gtest can print.
std::vector<std::string> names(const FormFields& fields) {
    std::vector<std::string> list;
    for (const auto& field : fields)
        list.push_back(field.first.toStdString());
    return list;
}

std::vector<std::string> texts(const QStringList& list) {
    std::vector<std::string> result;
    for (const QString& text : list)
        result.push_back(text.toStdString());
    return result;
}

QString value(const FormFields& fields, const QString& name) {
    for (const auto& field : fields)
        if (field.first == name) return field.second;
    ADD_FAILURE() << "no field " << name.toStdString();
    return {};
}

const QStringList keptNames = {"Chkno",     "date",   "devToken", "pakeno",
                               "startTime", "tecnam", "tecuni"};

TEST(UploadForm, NumbersTheInspectorPhotoAndSitePhotosThenTheMaintenancePhotos) {
    PhotoFile file;
    file.topPhoto = photo("top", at(31, 23, 59, 7), 25.033f, 121.5654f);
    file.photos = {photo("site1", at(30, 8, 0, 0), -1.5f, 2.25f),
                   photo("site2", at(29, 9, 5, 1), 0, 0)};
    file.photos_1 = {photo("order1", at(1, 10, 0, 59), 24.1f, 120.6f)};

    const UploadForm form = uploadFormFor(record(), file, "1.0");

    EXPECT_EQ(form.files1, (QList<QByteArray>{"top", "site1", "site2"}));
    EXPECT_EQ(form.files2, QList<QByteArray>{"order1"});
    QStringList expected = keptNames;
    expected << "osType"
             << "appVersion";
    for (const char* suffix : {"_1_1", "_1_2", "_1_3", "_2_1"})
        expected << QStringLiteral("photoTime%1").arg(suffix)
                 << QStringLiteral("PhotoLng%1").arg(suffix)
                 << QStringLiteral("PhotoLat%1").arg(suffix);
    EXPECT_EQ(names(form.fields), texts(expected));
    EXPECT_EQ(value(form.fields, "osType"), "1");
    EXPECT_EQ(value(form.fields, "appVersion"), "1.0");
    EXPECT_EQ(value(form.fields, "tecnam"), "546L");
    EXPECT_EQ(value(form.fields, "photoTime_1_1"), "1031231235907");
    EXPECT_EQ(value(form.fields, "PhotoLng_1_1"), "121.5654");
    EXPECT_EQ(value(form.fields, "PhotoLat_1_1"), "25.033");
    EXPECT_EQ(value(form.fields, "photoTime_1_2"), "1031230080000");
    EXPECT_EQ(value(form.fields, "PhotoLng_1_2"), "2.25");
    EXPECT_EQ(value(form.fields, "PhotoLat_1_2"), "-1.5");
    EXPECT_EQ(value(form.fields, "PhotoLat_1_3"), "0");
    EXPECT_EQ(value(form.fields, "photoTime_2_1"), "1031201100059");
    EXPECT_EQ(value(form.fields, "PhotoLat_2_1"), "24.1");
}

TEST(UploadForm, WithoutInspectorPhotoTheFirstSitePhotoIsNumberOne) {
    PhotoFile file;
    file.photos = {photo("site1", at(30, 8, 0, 0), 1, 2)};
    const UploadForm form = uploadFormFor(record(), file, "1.0");
    EXPECT_EQ(form.files1, QList<QByteArray>{"site1"});
    EXPECT_EQ(value(form.fields, "photoTime_1_1"), "1031230080000");
    EXPECT_EQ(names(form.fields),
              texts(keptNames + QStringList{"osType", "appVersion", "photoTime_1_1", "PhotoLng_1_1",
                                            "PhotoLat_1_1"}));
}

TEST(UploadForm, KeptPhotoFieldsOfEarlierPhotosAreDropped) {
    // Kept fields for three first-list photos and two second-list photos; the
    // case has two first-list photos and none in the second list now.
    QMap<QString, QString> stale;
    for (const char* suffix : {"_1_1", "_1_2", "_1_3", "_1_11", "_2_1", "_2_2"})
        for (const char* prefix : {"photoTime", "PhotoLng", "PhotoLat"})
            stale.insert(QString(prefix) + suffix, "stale");
    stale.insert("osType", "9");
    PhotoFile file;
    file.topPhoto = photo("top", at(31, 1, 0, 0), 1, 2);
    file.photos = {photo("site1", at(31, 2, 0, 0), 3, 4)};

    const UploadForm form = uploadFormFor(record(stale), file, "2.0");

    // The kept "osType" is replaced where it stands, so every name goes once.
    const QStringList expected = {"Chkno",         "date",          "devToken",     "osType",
                                  "pakeno",        "startTime",     "tecnam",       "tecuni",
                                  "appVersion",    "photoTime_1_1", "PhotoLng_1_1", "PhotoLat_1_1",
                                  "photoTime_1_2", "PhotoLng_1_2",  "PhotoLat_1_2"};
    EXPECT_EQ(names(form.fields), texts(expected));
    EXPECT_EQ(value(form.fields, "osType"), "1");
    EXPECT_EQ(value(form.fields, "PhotoLng_1_2"), "4");
    EXPECT_TRUE(form.files2.isEmpty());
}

TEST(UploadForm, AnEmptyPhotoFileSendsTheFieldsAlone) {
    const UploadForm form = uploadFormFor(record(), PhotoFile{}, "");
    EXPECT_EQ(names(form.fields), texts(keptNames + QStringList{"osType", "appVersion"}));
    EXPECT_TRUE(form.files1.isEmpty());
    EXPECT_TRUE(form.files2.isEmpty());
}

TEST(UploadForm, APhotoWithoutTimeSendsAnEmptyTime) {
    PhotoFile file;
    file.photos_1 = {photo("order1", QDateTime(), 1, 2)};
    const UploadForm form = uploadFormFor(record(), file, "1.0");
    EXPECT_EQ(value(form.fields, "photoTime_2_1"), "");
    EXPECT_EQ(value(form.fields, "PhotoLng_2_1"), "2");
}

} // namespace
