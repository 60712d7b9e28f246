#include "app/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int kTitleBarRoom = 40; // logical pixels a window manager's title bar may take
// Set for the new start, so that a screen that still seems too small never
// starts the program over and over.
constexpr char kFittedMark[] = "INSPECTOR_SCALED_TO_FIT";

} // namespace

double fitFactor(QSizeF device, QSize available) {
    if (device.isEmpty() || available.isEmpty()) return 1;
    const double height = double(available.height() - kTitleBarRoom) / device.height();
    const double width = double(available.width()) / device.width();
    const double factor = std::min({1.0, height, width});
    // Two decimals: Qt reads the factor back from text.
    return std::max(0.1, std::floor(factor * 100) / 100);
}

void restartToFitScreen(QSizeF device, char** argv) {
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal")) return;
    if (qEnvironmentVariableIsSet(kFittedMark)) return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return;
    const double factor = fitFactor(device, screen->availableGeometry().size());
    if (factor >= 1) return;
    bool set = false;
    const double before = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&set);
    const double scale = (set && before > 0 ? before : 1.0) * factor;
    qputenv("QT_SCALE_FACTOR", QByteArray::number(scale, 'f', 2));
    qputenv(kFittedMark, "1");
    std::fflush(nullptr);
    execv("/proc/self/exe", argv);
    // Could not start anew: go on at full size.
    std::perror("inspector-app: cannot restart scaled to fit the screen");
}
