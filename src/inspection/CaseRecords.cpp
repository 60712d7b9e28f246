#include "inspection/CaseRecords.h"

#include "store/PublicVars.h"
#include "store/StoreKeys.h"

#include <algorithm>

namespace {

QString sortKey(const CaseRecord& record, int sort) {
    switch (sort) {
    case CaseRecords::ByNumber:
        return record.pakeno;
    case CaseRecords::ByState:
        return record.state;
    default:
        return record.rcdTime;
    }
}

bool isWaiting(const CaseRecord& record) {
    return record.state == QLatin1String(CaseState::waiting);
}

} // namespace

void CaseRecords::reload() {
    cases_ = PublicVars::sharedInstance().getWaitingStoreArray();
}

bool CaseRecords::isTicked(const CaseRecord* record) const {
    return std::any_of(ticked_.begin(), ticked_.end(),
                       [record](const auto& ticked) { return ticked.get() == record; });
}

bool CaseRecords::setTicked(int index, bool on) {
    if (index < 0 || index >= cases_.size()) return false;
    const std::shared_ptr<CaseRecord>& record = cases_.at(index);
    if (on)
        ticked_.insert(record);
    else
        ticked_.erase(record);
    return true;
}

void CaseRecords::tickAll() {
    ticked_.insert(cases_.begin(), cases_.end());
}

bool CaseRecords::anyTickedWaiting() const {
    return std::any_of(ticked_.begin(), ticked_.end(),
                       [](const auto& record) { return isWaiting(*record); });
}

void CaseRecords::sortBy(int row) {
    sortIndex_ = row;
    std::stable_sort(cases_.begin(), cases_.end(), [row](const auto& a, const auto& b) {
        return sortKey(*a, row) < sortKey(*b, row);
    });
}

CaseRecords::Deletion CaseRecords::deletionOfRow(int row) const {
    Deletion deletion{cases_, {}};
    if (row < 0 || row >= cases_.size()) return deletion;
    deletion.dropped.append(deletion.kept.takeAt(row));
    return deletion;
}

CaseRecords::Deletion CaseRecords::deletionOfTicked(bool keepWaiting) const {
    Deletion deletion;
    deletion.untickAll = true;
    for (const auto& record : cases_) {
        const bool keep = !ticked_.contains(record) || (keepWaiting && isWaiting(*record));
        (keep ? deletion.kept : deletion.dropped).append(record);
    }
    return deletion;
}

bool CaseRecords::save(const Deletion& deletion) {
    PublicVars& store = PublicVars::sharedInstance();
    if (!store.replaceWaitingStoreArray(deletion.kept)) return false;
    // Only once the list no longer names them.
    for (const auto& record : deletion.dropped)
        store.removePhotoFile(record->photoId);
    return true;
}

void CaseRecords::apply(const Deletion& deletion) {
    cases_ = deletion.kept;
    if (deletion.untickAll) {
        ticked_.clear();
        return;
    }
    for (const auto& record : deletion.dropped)
        ticked_.erase(record);
}
