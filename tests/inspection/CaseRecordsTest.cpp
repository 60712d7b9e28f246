#include "inspection/CaseRecords.h"
#include "plist/PlistWriteFailure.h"
#include "store/StoreFiles.h"
#include "store/StoreFixture.h"

#include <QFile>

namespace {

// Three stored cases whose time, number and state each sort them differently.
class CaseRecordsTest : public StoreTest {
  protected:
    CaseRecordsTest() {
        const struct {
            const char *pakeno, *time, *state;
        } rows[] = {{"B2", "104/06/30 09:00", "1"},
                    {"C3", "104/06/29 09:00", "0"},
                    {"A1", "104/07/01 09:00", "2"}};
        CaseList cases;
        for (const auto& row : rows) {
            auto record = testCase(row.pakeno, "C", 1, 0);
            record->rcdTime = row.time;
            record->state = row.state;
            cases << record;
        }
        EXPECT_TRUE(vars().replaceWaitingStoreArray(cases));
        records.reload();
    }
    QStringList shown() const { return numbers(records.cases()); }
    static QStringList numbers(const CaseList& cases) {
        QStringList names;
        for (const auto& record : cases)
            names << record->pakeno;
        return names;
    }
    const std::shared_ptr<CaseRecord>& caseNamed(const QString& pakeno) const {
        return *std::find_if(records.cases().begin(), records.cases().end(),
                             [&](const auto& record) { return record->pakeno == pakeno; });
    }

    CaseRecords records;
};

TEST_F(CaseRecordsTest, SortsByEachEntryOfTheSortMenu) {
    EXPECT_EQ(shown(), QStringList({"B2", "C3", "A1"})); // store order
    const std::pair<int, QStringList> sorts[] = {{CaseRecords::ByTime, {"C3", "B2", "A1"}},
                                                 {CaseRecords::ByNumber, {"A1", "B2", "C3"}},
                                                 {CaseRecords::ByState, {"C3", "B2", "A1"}}};
    for (const auto& [sort, expected] : sorts) {
        records.sortBy(sort);
        EXPECT_EQ(shown(), expected) << sort;
        EXPECT_EQ(records.sortIndex(), sort);
    }
    // Sorting is for the eye: the store keeps its order.
    EXPECT_EQ(numbers(vars().waitingStoreArray()), QStringList({"B2", "C3", "A1"}));
}

TEST_F(CaseRecordsTest, ATickBelongsToItsCaseThroughSortingAndDeleting) {
    ASSERT_TRUE(records.setTicked(0, true)); // B2
    EXPECT_FALSE(records.setTicked(3, true));
    EXPECT_FALSE(records.setTicked(-1, true));
    records.sortBy(CaseRecords::ByNumber); // A1 B2 C3
    EXPECT_TRUE(records.isTicked(caseNamed("B2").get()));
    EXPECT_FALSE(records.isTicked(records.cases().at(0).get()));

    const CaseRecords::Deletion deletion = records.deletionOfRow(0); // A1
    ASSERT_TRUE(CaseRecords::save(deletion));
    records.apply(deletion);
    EXPECT_EQ(shown(), QStringList({"B2", "C3"}));
    EXPECT_EQ(records.ticked().size(), 1u);
    EXPECT_TRUE(records.isTicked(caseNamed("B2").get()));
    ASSERT_TRUE(records.setTicked(0, false));
    EXPECT_TRUE(records.ticked().empty());
}

TEST_F(CaseRecordsTest, DeletesTheTickedCasesKeepingTheWaitingOnesWhenAsked) {
    records.tickAll();
    EXPECT_TRUE(records.anyTickedWaiting()); // C3
    for (const bool keepWaiting : {true, false}) {
        const CaseRecords::Deletion deletion = records.deletionOfTicked(keepWaiting);
        EXPECT_EQ(numbers(deletion.kept), keepWaiting ? QStringList{"C3"} : QStringList{});
        EXPECT_EQ(numbers(deletion.dropped),
                  keepWaiting ? QStringList({"B2", "A1"}) : QStringList({"B2", "C3", "A1"}));
    }
    const CaseRecords::Deletion deletion = records.deletionOfTicked(true);
    ASSERT_TRUE(CaseRecords::save(deletion));
    records.apply(deletion);
    EXPECT_EQ(shown(), QStringList{"C3"});
    EXPECT_TRUE(records.ticked().empty()); // the kept waiting case is unticked too
    PublicVars::resetSharedInstanceForTesting();
    EXPECT_EQ(numbers(vars().getWaitingStoreArray()), QStringList{"C3"});
}

// The dropped case's photo file goes once the list no longer names it; a list
// that cannot be saved deletes nothing, on disk or on the screen.
TEST_F(CaseRecordsTest, ADeletionIsOneStoreTransaction) {
    vars().transPhotoInDictionary();
    ASSERT_TRUE(vars().storeWaitingStoreArray());
    records.reload();
    QStringList photoFiles;
    for (const auto& record : records.cases()) {
        ASSERT_TRUE(record->photoId);
        photoFiles << *photoFilePath(fake.path(), *record->photoId);
    }
    const QByteArray listBefore = bytesOf("waitingReport.plist");

    const CaseRecords::Deletion deletion = records.deletionOfRow(1); // C3
    {
        FileSizeLimit limit(listBefore.size() / 2);
        EXPECT_FALSE(CaseRecords::save(deletion));
    }
    EXPECT_EQ(bytesOf("waitingReport.plist"), listBefore);
    EXPECT_EQ(numbers(vars().waitingStoreArray()), QStringList({"B2", "C3", "A1"}));
    EXPECT_EQ(shown(), QStringList({"B2", "C3", "A1"}));
    for (const QString& path : photoFiles)
        EXPECT_TRUE(QFile::exists(path)) << path.toStdString();

    ASSERT_TRUE(CaseRecords::save(deletion));
    records.apply(deletion);
    EXPECT_EQ(shown(), QStringList({"B2", "A1"}));
    EXPECT_TRUE(QFile::exists(photoFiles[0]));
    EXPECT_FALSE(QFile::exists(photoFiles[1]));
    EXPECT_TRUE(QFile::exists(photoFiles[2]));
}

} // namespace
