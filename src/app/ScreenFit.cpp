#include "app/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {

constexpr int kTitleBarRoom = 40; // logical pixels a window manager's title bar may take

} // namespace

double fitFactor(QSizeF device, QSize available) {
    if (device.isEmpty() || available.isEmpty()) return 1;
    const double height = double(available.height() - kTitleBarRoom) / device.height();
    const double width = double(available.width()) / device.width();
    return std::max(0.1, std::min({1.0, height, width}));
}

double fitFactorOnScreen(QSizeF device) {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return 1;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? fitFactor(device, screen->availableGeometry().size()) : 1;
}
