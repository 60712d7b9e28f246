// The store's files are ordinary XML property lists: Python's plistlib reads
// what the store writes, and the store reads what plistlib writes.
#include "store/StoreFixture.h"
#include "support/RunPython.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Prints the property list as JSON that tells the element types apart.
const char* describe = R"(
import datetime, json, plistlib, sys
def d(v):
    if isinstance(v, bytes): return {'data': v.hex()}
    if isinstance(v, datetime.datetime): return {'date': v.isoformat()}
    if isinstance(v, bool): return {'bool': v}
    if isinstance(v, float): return {'real': v}
    if isinstance(v, int): return {'integer': v}
    if isinstance(v, dict): return {k: d(x) for k, x in v.items()}
    if isinstance(v, list): return [d(x) for x in v]
    return v
with open(sys.argv[1], 'rb') as f:
    print(json.dumps(d(plistlib.load(f)), ensure_ascii=False))
)";

QJsonValue describeFile(const QString& path) {
    const QByteArray json = runPython(describe, {path});
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << json.toStdString();
    return doc.isArray() ? QJsonValue(doc.array()) : QJsonValue(doc.object());
}

void expectPhoto(const QJsonObject& json, const PhotoEntry& photo) {
    EXPECT_EQ(json["photo"]["data"].toString(), QString::fromLatin1(photo.photo.toHex()));
    EXPECT_EQ(json["imgTime"]["date"].toString(), "2015-06-30T06:05:07");
    EXPECT_EQ(float(json["lat"]["real"].toDouble()), photo.lat);
    EXPECT_EQ(float(json["lon"]["real"].toDouble()), photo.lon);
}

TEST_F(StoreTest, PlistlibReadsTheFilesTheStoreWrites) {
    const auto record = testCase("A1", QString::fromUtf8("F中2"));
    vars().getWaitingStoreArray().append(record);
    ASSERT_TRUE(vars().storeWaitingStoreArray());

    const QJsonArray cases = describeFile(pathOf("waitingReport.plist")).toArray();
    ASSERT_EQ(cases.size(), 1);
    const QJsonObject saved = cases[0].toObject();
    EXPECT_EQ(saved["pk"].toString(), QString::fromUtf8("A1,F中2"));
    EXPECT_EQ(saved["state"].toString(), "0");
    EXPECT_EQ(saved["type"].toString(), QString::fromUtf8("竣工檢查"));
    EXPECT_EQ(saved["prarms"]["startTime"].toString(), "1040630140001");
    expectPhoto(saved["topPhoto"].toObject(), *record->topPhoto);
    EXPECT_EQ(saved["photos"].toArray().size(), 2);

    vars().transPhotoInDictionary();
    const QJsonObject file = describeFile(pathOf("photo_1435644300.000000.plist")).toObject();
    expectPhoto(file["topPhoto"].toObject(), *testCase("A1", "F2")->topPhoto);
    expectPhoto(file["photos"][1].toObject(), testPhoto("site 1"));
    expectPhoto(file["photos_1"][0].toObject(), testPhoto("order 0", 0, 0));
}

TEST_F(StoreTest, TheStoreReadsFilesPlistlibWrites) {
    runPython(R"(
import datetime, plistlib, sys
def photo(mark, lat, lon):
    return {'photo': b'\xff\xd8' + mark, 'imgTime': datetime.datetime(2015, 6, 30, 6, 5, 7),
            'lat': lat, 'lon': lon}
cases = [
    {'pk': 'A1,F2', 'pakeno': 'A1', 'Chkno': 'F2', 'type': '安全檢查', 'state': '0',
     'rcdTime': '104/06/30 14:05', 'prarms': {'date': '1040630140500', 'pakeno': 'A1'},
     'topPhoto': photo(b'top', 25.033964, 121.5645), 'photos': [photo(b's1', 0, 0)],
     'photos_1': []},
    {'pk': 'B3,S4', 'pakeno': 'B3', 'Chkno': 'S4', 'type': '竣工檢查', 'state': '1',
     'rcdTime': '104/06/29 09:00', 'prarms': {}, 'photoId': '1435560000.000000'},
]
with open(sys.argv[1] + '/waitingReport.plist', 'wb') as f:
    plistlib.dump(cases, f)
with open(sys.argv[1] + '/photo_1435560000.000000.plist', 'wb') as f:
    plistlib.dump({'topPhoto': photo(b'top B', -33.8688, 151.2093),
                   'photos': [photo(b's', 1.5, 2.5)], 'photos_1': [photo(b'o', 0, 0)]}, f)
)",
              {fake.path()});

    const CaseList& cases = vars().getWaitingStoreArray();
    ASSERT_EQ(cases.size(), 2);
    const CaseRecord& a = *cases[0];
    EXPECT_EQ(a.pk, "A1,F2");
    EXPECT_EQ(a.type, QString::fromUtf8("安全檢查"));
    EXPECT_EQ(a.prarms.value("date"), "1040630140500");
    ASSERT_TRUE(a.topPhoto);
    EXPECT_EQ(a.topPhoto->photo, QByteArray("\xff\xd8top"));
    EXPECT_EQ(a.topPhoto->imgTime, QDateTime(QDate(2015, 6, 30), QTime(6, 5, 7), Qt::UTC));
    EXPECT_EQ(a.topPhoto->lat, 25.033964f);
    EXPECT_EQ(a.photos->size(), 1);
    EXPECT_EQ(a.photos->at(0).lat, 0.0f) << "an integer 0 is a position too";
    EXPECT_TRUE(a.photos_1 && a.photos_1->isEmpty());

    const CaseRecord& b = *cases[1];
    EXPECT_EQ(b.state, "1");
    EXPECT_FALSE(b.hasInlinePhotos());
    const PhotoFile photos = vars().getPhoto(b.photoId);
    ASSERT_TRUE(photos.topPhoto);
    EXPECT_EQ(photos.topPhoto->photo, QByteArray("\xff\xd8top B"));
    EXPECT_EQ(photos.topPhoto->lon, 151.2093f);
    EXPECT_EQ(photos.photos.size(), 1);
    EXPECT_EQ(photos.photos_1.size(), 1);
}

TEST_F(StoreTest, DatesAndIntegersOfAnyRangeNeverStopTheStore) {
    // A photo from a device whose clock was wrong, and values of a newer version.
    const char* script = R"(
import datetime, plistlib, sys
path = sys.argv[2] + '/waitingReport.plist'
kept = {'note': datetime.datetime(2100, 1, 1), 'count': 2**64 - 1, 'first': datetime.datetime(1, 1, 1)}
if sys.argv[1] == 'write':
    case = {'pk': 'A1,F2', 'state': '0',
            'topPhoto': {'photo': b'\xff\xd8', 'imgTime': datetime.datetime(1900, 1, 1)}}
    case.update(kept)
    with open(path, 'wb') as f:
        plistlib.dump([case], f)
else:
    with open(path, 'rb') as f:
        cases = plistlib.load(f)
    assert len(cases) == 2, cases
    assert {k: cases[0][k] for k in kept} == kept, cases[0]
)";
    runPython(script, {"write", fake.path()});
    CaseList& cases = vars().getWaitingStoreArray();
    ASSERT_EQ(cases.size(), 1);
    EXPECT_EQ(cases[0]->topPhoto->imgTime, QDateTime(QDate(1900, 1, 1), QTime(0, 0), Qt::UTC));

    cases.append(testCase("B3", "S4"));
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    vars().transPhotoInDictionary();
    EXPECT_TRUE(cases[0]->photoId && cases[1]->photoId);
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    runPython(script, {"compare", fake.path()});
}

} // namespace
