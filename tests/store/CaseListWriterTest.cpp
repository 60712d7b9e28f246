// The list writer keeps each case's text between writes; what it writes must
// be, byte for byte, what a fresh writer makes of the list as it is now.
#include "store/CaseListWriter.h"
#include "plist/Plist.h"
#include "store/StoreFixture.h"

#include <functional>

namespace {

// The file as the whole list's value writes it, made anew.
QByteArray freshFileOf(const CaseList& cases) {
    PlistValue::Array items;
    for (const auto& record : cases)
        if (record) items.emplace_back(record->toPlist());
    return writePlist(PlistValue(std::move(items))).value();
}

std::shared_ptr<CaseRecord> movedCase(const QString& pakeno, const QString& photoId) {
    const auto record = testCase(pakeno, "S" + pakeno);
    record->dropInlinePhotos();
    record->photoId = photoId;
    return record;
}

TEST_F(StoreTest, KeptCaseTextsWriteTheFileAFreshWriterWrites) {
    CaseList cases;
    for (int i = 0; i < 6; ++i)
        cases << movedCase(QString("A%1").arg(i), QString("14356443%1.000000").arg(i));
    cases << testCase("B1", "F1");
    cases[2]->extra.append("note", PlistValue(PlistValue::Array{1.5, "x"}));
    cases[3]->prarmsKept.append("count", PlistValue(7));
    cases[3]->prarms.insert("count", "7");

    const std::pair<const char*, std::function<void()>> edits[] = {
        {"as made", [] {}},
        {"unchanged", [] {}},
        {"sent", [&] { cases[1]->state = "1"; }},
        {"a form field", [&] { cases[3]->prarms["count"] = "8"; }},
        {"text to escape", [&] { cases[4]->type = "<&>\r"; }},
        {"moved",
         [&] {
             cases[6]->dropInlinePhotos();
             cases[6]->photoId = "1435644399.000000";
         }},
        {"photos inline again", [&] { cases[0]->topPhoto = testPhoto("again"); }},
        {"a case added", [&] { cases << movedCase("C1", "1435644400.000000"); }},
        {"a case removed", [&] { cases.removeAt(2); }},
        {"reordered", [&] { std::reverse(cases.begin(), cases.end()); }},
        {"an equal case in a new object",
         [&] { cases[1] = std::make_shared<CaseRecord>(*cases[1]); }},
        {"a case in two places", [&] { cases << cases[0]; }},
        {"no case", [&] { cases.clear(); }},
    };
    CaseListWriter writer;
    const QString path = pathOf("waitingReport.plist");
    for (const auto& [what, edit] : edits) {
        edit();
        ASSERT_TRUE(writer.write(path, cases)) << what;
        EXPECT_EQ(bytesOf("waitingReport.plist"), freshFileOf(cases)) << what;
    }
}

} // namespace
