#include "screens/SecurityCheckAddCaseViewController.h"

#include "inspection/CaseBuilding.h"
#include "ui/NavigationController.h"
#include "util/PublicFunction.h"

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

bool SecurityCheckAddCaseViewController::saveReport() {
    return storeNewCase(newCaseRecord(
        {_pakeno, Chkno_, _type, _takePhotoTime, _topDict, tableDetailArray, tableDetailArray_1}));
}

void SecurityCheckAddCaseViewController::leaveAfterSaving() {
    NavigationController* navigation = navigationController();
    if (!navigation) return;
    // The new check start goes on first, so the screen below never shows in
    // between.
    if (makeCheckStartScreen) navigation->pushViewController(makeCheckStartScreen(), false);
    navigation->removeViewController(this);
}
