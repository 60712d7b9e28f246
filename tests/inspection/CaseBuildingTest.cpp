#include "inspection/CaseBuilding.h"
#include "plist/PlistWriteFailure.h"
#include "store/SettingsKeys.h"
#include "store/StoreFiles.h"
#include "store/StoreFixture.h"

namespace {

class CaseBuildingTest : public StoreTest {
  protected:
    CaseBuildingTest() {
        fake.clock.set(QDateTime(QDate(2024, 5, 6), QTime(7, 8, 9)));
        fake.settings.setString(chkerIdPreferenceKey, "A123456789");
        fake.settings.setString(chkerNamePreferenceKey, QString::fromUtf8("王大明"));
    }
    static CaseDraft draft() {
        return {"E100",
                "C7",
                QString::fromUtf8("安全檢查"),
                "1130506070000",
                testPhoto("top"),
                PhotoList{testPhoto("site")},
                PhotoList{}};
    }
};

TEST_F(CaseBuildingTest, ANewCaseCarriesItsKeyPhotosAndUploadFields) {
    const auto record = newCaseRecord(draft());
    EXPECT_EQ(record->pk, "E100,C7");
    EXPECT_EQ(record->pakeno, "E100");
    EXPECT_EQ(record->Chkno, "C7");
    EXPECT_EQ(record->type, QString::fromUtf8("安全檢查"));
    EXPECT_EQ(record->state, "0");
    EXPECT_EQ(record->rcdTime, "113/05/06 07:08");
    EXPECT_EQ(record->topPhoto, testPhoto("top"));
    EXPECT_EQ(record->photos, PhotoList{testPhoto("site")});
    EXPECT_EQ(record->photos_1, PhotoList{});
    EXPECT_FALSE(record->photoId);
    const QMap<QString, QString>& fields = record->prarms;
    EXPECT_EQ(fields.keys(), QStringList({"Chkno", "date", "devToken", "pakeno", "startTime",
                                          "tecnam", "tecuni"}));
    EXPECT_EQ(fields["date"], "1130506070809");
    EXPECT_EQ(fields["startTime"], "1130506070000");
    EXPECT_EQ(fields["tecuni"], "QTEyMzQ1Njc4OQ==");
    EXPECT_EQ(fields["tecnam"], "546L5aSn5piO");
    EXPECT_EQ(fields["devToken"].size(), 36);
    EXPECT_EQ(newCaseRecord(draft())->prarms["devToken"], fields["devToken"]); // one per device
}

TEST_F(CaseBuildingTest, ANewCaseThatCannotBeSavedIsNotKept) {
    ASSERT_TRUE(storeNewCase(newCaseRecord(draft())));
    const QByteArray before = bytesOf("waitingReport.plist");
    CaseDraft second = draft();
    second.Chkno = "C8";
    {
        FileSizeLimit limit(before.size() + 100);
        EXPECT_FALSE(storeNewCase(newCaseRecord(second)));
    }
    EXPECT_EQ(vars().waitingStoreArray().size(), 1);
    EXPECT_EQ(bytesOf("waitingReport.plist"), before);
    ASSERT_TRUE(storeNewCase(newCaseRecord(second)));
    PublicVars::resetSharedInstanceForTesting();
    EXPECT_EQ(vars().getWaitingStoreArray().size(), 2);
}

// An edited case in its photo file: saved and waiting again, or, when the list
// cannot be saved, the record and the photo file as they were.
TEST_F(CaseBuildingTest, AnEditedCaseIsSavedWholeOrNotAtAll) {
    ASSERT_TRUE(storeNewCase(newCaseRecord(draft())));
    vars().transPhotoInDictionary();
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    CaseRecord& record = *vars().waitingStoreArray().at(0);
    ASSERT_TRUE(record.photoId);
    record.state = "1";
    const PhotoFile stored = vars().getPhoto(record.photoId);
    PhotoFile edited = stored;
    edited.photos = PhotoList{testPhoto("site"), testPhoto("more")};

    const QByteArray listBefore = bytesOf("waitingReport.plist");
    {
        FileSizeLimit limit(listBefore.size() / 2);
        EXPECT_FALSE(storeEditedCase(record, stored, edited));
    }
    EXPECT_EQ(record.state, "1");
    EXPECT_EQ(vars().getPhoto(record.photoId), stored);

    ASSERT_TRUE(storeEditedCase(record, stored, edited));
    PublicVars::resetSharedInstanceForTesting();
    const auto& reread = vars().getWaitingStoreArray().at(0);
    EXPECT_EQ(reread->state, "0");
    EXPECT_EQ(vars().getPhoto(reread->photoId).photos, edited.photos);
}

} // namespace
