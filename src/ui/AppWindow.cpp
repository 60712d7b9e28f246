#include "ui/AppWindow.h"

#include "ui/NavigationController.h"
#include "ui/ViewController.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>

AppWindow::AppWindow() {
    setWindowTitle(QString::fromUtf8(appWindowTitle));
    setWindowIcon(QIcon(QStringLiteral(":/AppIcon.png")));
    // The window goes while the app still runs: Qt's on-screen keyboard,
    // still following a text field that has the focus, crashed when the
    // window was taken down only after the app had ended.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &QWidget::hide);
}

void AppWindow::closeEvent(QCloseEvent* event) {
    if (const auto* navigation = findChild<NavigationController*>()) {
        const QList<ViewController*> screens = navigation->viewControllers();
        for (auto screen = screens.rbegin(); screen != screens.rend(); ++screen) {
            if (!(*screen)->windowShouldClose()) {
                event->ignore();
                return;
            }
        }
    }
    event->accept();
    // The app ends with its window, whatever else a screen keeps alive (a
    // popover, a hidden helper window, an alert's own event loop).
    QCoreApplication::quit();
}
