#include "screens/ScreenWiring.h"

#include "screens/MainViewController.h"
#include "screens/SecuritycheckViewController.h"

namespace {

ViewController* makeCheckStartScreen() {
    return new SecuritycheckViewController(QStringLiteral("SecuritycheckViewController"));
}

} // namespace

ViewController* makeMainScreen() {
    auto* main = new MainViewController(QStringLiteral("MainViewController"));
    main->makeCheckStartScreen = makeCheckStartScreen;
    return main;
}
