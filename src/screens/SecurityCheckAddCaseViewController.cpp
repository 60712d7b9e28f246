#include "screens/SecurityCheckAddCaseViewController.h"

#include "platform/Platform.h"
#include "store/PublicVars.h"
#include "store/SettingsKeys.h"
#include "store/StoreKeys.h"
#include "ui/NavigationController.h"
#include "util/PublicFunction.h"

namespace {

// A setting as UTF-8 in standard Base64 without line breaks; an absent one
// as the empty text.
QString base64Setting(const char* key) {
    const QString value = platform().settings->string(QString(key)).value_or(QString());
    return QString::fromLatin1(value.toUtf8().toBase64());
}

QString rocDisplayTimeNow() {
    return *PublicFunction::getFormatROCTimeFormatString(platform().clock->now(),
                                                         rocDisplayTimePattern);
}

} // namespace

SecurityCheckAddCaseViewController*
SecurityCheckAddCaseViewController::initWithPakenoWithChknoWithType(const QString& pakeno,
                                                                    const QString& chkno,
                                                                    const QString& type) {
    auto* screen = new SecurityCheckAddCaseViewController(
        QStringLiteral("SecurityCheckAddCaseViewController"), pakeno, chkno, type);
    screen->_takeUserPhoto = false;
    return screen;
}

void SecurityCheckAddCaseViewController::viewDidLoad() {
    _takePhotoTime = PublicFunction::getNowROCTime();
    tableDetailArray.clear();
    tableDetailArray_1.clear();
    CasePhotoViewController::viewDidLoad();
}

QString SecurityCheckAddCaseViewController::timeLabelText() const {
    return rocDisplayTimeNow();
}

CasePhotoViewController::Notice SecurityCheckAddCaseViewController::cameraRefusedNotice() const {
    return {QString(""),
            QStringLiteral("無法使用「相機」功能, 請於[設定] -> [隱私權]內授權開啟相機功能")};
}

void SecurityCheckAddCaseViewController::sendDictPrarms() {
    sendDict.clear();
    sendDict.insert(QStringLiteral("date"), PublicFunction::getNowROCTime());
    sendDict.insert(QStringLiteral("pakeno"), _pakeno);
    sendDict.insert(QStringLiteral("Chkno"), Chkno_);
    sendDict.insert(QStringLiteral("startTime"), _takePhotoTime);
    sendDict.insert(QStringLiteral("devToken"), PublicFunction::getUUID());
    sendDict.insert(QStringLiteral("tecuni"), base64Setting(chkerIdPreferenceKey));
    sendDict.insert(QStringLiteral("tecnam"), base64Setting(chkerNamePreferenceKey));
}

bool SecurityCheckAddCaseViewController::saveReport() {
    sendDictPrarms();
    auto record = std::make_shared<CaseRecord>();
    record->pk = QStringLiteral("%1,%2").arg(_pakeno, Chkno_);
    record->prarms = sendDict;
    record->topPhoto = _topDict;
    record->photos = tableDetailArray;
    record->photos_1 = tableDetailArray_1;
    record->pakeno = _pakeno;
    record->Chkno = Chkno_;
    record->type = _type;
    record->state = QString::fromLatin1(CaseState::waiting);
    record->rcdTime = rocDisplayTimeNow();
    PublicVars& store = PublicVars::sharedInstance();
    CaseList& cases = store.getWaitingStoreArray();
    cases.append(record);
    if (store.storeWaitingStoreArray()) return true;
    // A case that did not reach the disk is not kept in memory either.
    cases.removeOne(record);
    return false;
}

void SecurityCheckAddCaseViewController::leaveAfterSaving() {
    NavigationController* navigation = navigationController();
    if (!navigation) return;
    // The new check start goes on first, so the screen below never shows in
    // between.
    if (makeCheckStartScreen) navigation->pushViewController(makeCheckStartScreen(), false);
    navigation->removeViewController(this);
}
