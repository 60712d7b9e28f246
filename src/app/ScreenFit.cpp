#include "app/ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <algorithm>

namespace {

constexpr int kTitleBarRoom = 40; // logical pixels a window manager's title bar may take

const QSizeF kPhone(320, 568);
const QSizeF kSmallPhone(320, 480);
const QSizeF kTablet(768, 1024);
// A screen at least this wide (in pixels, held upright) is a tablet's.
constexpr int kTabletMinWidth = 600;

bool headless() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

// The device class nearest to a screen held upright, width by height.
QSizeF nearestDevice(QSizeF upright) {
    if (upright.width() >= kTabletMinWidth) return kTablet;
    // Halfway between the two phones' shapes.
    const double tallness = upright.height() / upright.width();
    const double between =
        (kSmallPhone.height() / kSmallPhone.width() + kPhone.height() / kPhone.width()) / 2;
    return tallness < between ? kSmallPhone : kPhone;
}

} // namespace

double fitFactor(QSizeF device, QSize available) {
    if (device.isEmpty() || available.isEmpty()) return 1;
    const double height = double(available.height() - kTitleBarRoom) / device.height();
    const double width = double(available.width()) / device.width();
    return std::max(0.1, std::min({1.0, height, width}));
}

double fitFactorOnScreen(QSizeF device) {
    if (headless()) return 1;
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? fitFactor(device, screen->availableGeometry().size()) : 1;
}

PhoneWindowFit phoneWindowFit(QSize screen, std::optional<QSizeF> device) {
    const QSizeF size(screen);
    const QSizeF upright = size.transposed().width() < size.width() ? size.transposed() : size;
    const QSizeF layout = device.value_or(nearestDevice(upright));
    PhoneWindowFit fit{layout, layout == kTablet, 1};
    if (size.isEmpty()) return fit;
    const double byWidth = size.width() / layout.width();
    // The 3.5-inch layout is made for its height alone (480 points).
    const bool stretches = layout != kSmallPhone && size.height() >= size.width();
    if (stretches && size.height() / byWidth >= layout.height()) {
        fit.device = QSizeF(layout.width(), size.height() / byWidth);
        fit.factor = byWidth;
    } else {
        fit.factor = std::min(byWidth, size.height() / layout.height());
    }
    return fit;
}

std::optional<PhoneWindowFit> phoneWindowOnScreen(bool asked, std::optional<QSizeF> device) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) return std::nullopt;
    const QSize size = screen->size();
    // A desktop drawn larger by the user's QT_SCALE_FACTOR is no phone: its
    // screen is judged by its size before that factor.
    bool given = false;
    const double userFactor = qEnvironmentVariable("QT_SCALE_FACTOR").toDouble(&given);
    const double unscaled =
        std::max(size.width(), size.height()) * (given && userFactor > 0 ? userFactor : 1.0);
    const bool small = unscaled <= kPhoneScreenMaxSide;
    if (!asked && (headless() || !small)) return std::nullopt;
    return phoneWindowFit(size, device);
}
