#include "inspection/CaseBuilding.h"

#include "platform/Platform.h"
#include "store/PublicVars.h"
#include "store/SettingsKeys.h"
#include "store/StoreKeys.h"
#include "util/PublicFunction.h"

namespace {

// A setting as UTF-8 in standard Base64 without line breaks; an absent one
// as the empty text.
QString base64Setting(const char* key) {
    const QString value = platform().settings->string(QString(key)).value_or(QString());
    return QString::fromLatin1(value.toUtf8().toBase64());
}

// Puts photos where the record keeps them: its photo file, or inline.
bool writePhotos(CaseRecord& record, const PhotoFile& photos) {
    if (record.photoId)
        return PublicVars::sharedInstance().storePhotoWithPhotoDict(*record.photoId, photos);
    // Photos not yet moved out of the record are saved with the list.
    record.topPhoto = photos.topPhoto;
    record.photos = photos.photos;
    record.photos_1 = photos.photos_1;
    return true;
}

} // namespace

QString rocDisplayTimeNow() {
    return *PublicFunction::getFormatROCTimeFormatString(platform().clock->now(),
                                                         rocDisplayTimePattern);
}

std::shared_ptr<CaseRecord> newCaseRecord(const CaseDraft& draft) {
    auto record = std::make_shared<CaseRecord>();
    record->pk = QStringLiteral("%1,%2").arg(draft.pakeno, draft.Chkno);
    record->prarms = {
        {QStringLiteral("date"), PublicFunction::getNowROCTime()},
        {QStringLiteral("pakeno"), draft.pakeno},
        {QStringLiteral("Chkno"), draft.Chkno},
        {QStringLiteral("startTime"), draft.startTime},
        {QStringLiteral("devToken"), PublicFunction::getUUID()},
        {QStringLiteral("tecuni"), base64Setting(chkerIdPreferenceKey)},
        {QStringLiteral("tecnam"), base64Setting(chkerNamePreferenceKey)},
    };
    record->topPhoto = draft.topPhoto;
    record->photos = draft.photos;
    record->photos_1 = draft.photos_1;
    record->pakeno = draft.pakeno;
    record->Chkno = draft.Chkno;
    record->type = draft.type;
    record->state = QString::fromLatin1(CaseState::waiting);
    record->rcdTime = rocDisplayTimeNow();
    return record;
}

bool storeNewCase(const std::shared_ptr<CaseRecord>& record) {
    PublicVars& store = PublicVars::sharedInstance();
    CaseList& cases = store.getWaitingStoreArray();
    cases.append(record);
    if (store.storeWaitingStoreArray()) return true;
    // A case that did not reach the disk is not kept in memory either.
    cases.removeOne(record);
    return false;
}

bool storeEditedCase(CaseRecord& record, const PhotoFile& stored, const PhotoFile& edited) {
    const CaseRecord before = record;
    if (!writePhotos(record, edited)) return false;
    record.state = QString::fromLatin1(CaseState::waiting);
    if (PublicVars::sharedInstance().storeWaitingStoreArray()) return true;
    // The list kept the old state on disk: the record and its photos go back
    // to what they were, so memory and disk agree.
    record = before;
    if (record.photoId && !writePhotos(record, stored))
        logLine(QStringLiteral("photo file %1 could not be put back").arg(*record.photoId));
    return false;
}
