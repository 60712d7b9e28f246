#include "app/ScreenWiring.h"

#include "screens/MainViewController.h"
#include "screens/SecurityCheckAddCaseViewController.h"
#include "screens/SecurityResendViewController.h"
#include "screens/SecuritycheckViewController.h"
#include "screens/UploadCheckAddCaseViewController.h"

namespace {

ViewController* makeCheckStartScreen();

// The photo screen of a new case; a fresh check start follows a stored case.
ViewController* makePhotoScreen(const QString& pakeno, const QString& Chkno, const QString& type) {
    auto* photos =
        SecurityCheckAddCaseViewController::initWithPakenoWithChknoWithType(pakeno, Chkno, type);
    photos->makeCheckStartScreen = makeCheckStartScreen;
    return photos;
}

ViewController* makeCheckStartScreen() {
    auto* check = new SecuritycheckViewController(QStringLiteral("SecuritycheckViewController"));
    check->makeUploadScreen = makePhotoScreen;
    return check;
}

ViewController* makeRecordsScreen() {
    auto* records = new SecurityResendViewController;
    records->makeEditingScreen = [](std::shared_ptr<CaseRecord> record) -> ViewController* {
        return UploadCheckAddCaseViewController::initWithDict(std::move(record));
    };
    return records;
}

} // namespace

ViewController* makeMainScreen() {
    auto* main = new MainViewController(QStringLiteral("MainViewController"));
    main->makeCheckStartScreen = makeCheckStartScreen;
    main->makeRecordsScreen = makeRecordsScreen;
    return main;
}
