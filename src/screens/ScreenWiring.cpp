#include "screens/ScreenWiring.h"

#include "screens/MainViewController.h"

ViewController* makeMainScreen() {
    auto* main = new MainViewController(QStringLiteral("MainViewController"));
    return main;
}
