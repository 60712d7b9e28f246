#pragma once

#include <QSize>
#include <QSizeF>
#include <optional>

// How much smaller the window showing a device screen of size device must be
// drawn to fit into the desktop area available (room for the window's title
// bar included): 1 when it fits as it is, never more than 1.
double fitFactor(QSizeF device, QSize available);

// fitFactor for the desktop's primary screen. Headless platforms, whose
// screen is no desktop, always get 1.
double fitFactorOnScreen(QSizeF device);

// A screen this small (its longer side in device-independent pixels, before
// a user's QT_SCALE_FACTOR) is a phone's or a small tablet's: the app fills
// it.
inline constexpr int kPhoneScreenMaxSide = 800;

// The layout a window filling a whole screen shows: the device screen (in
// points) it is laid out for, whether that is a tablet's, and the factor
// that draws it on the screen.
struct PhoneWindowFit {
    QSizeF device;
    bool tablet = false;
    double factor = 1;
};

// The layout for a window filling screen (in pixels): the point geometry of
// the nearest device class (phone, 3.5-inch phone, tablet; given when
// device is set) scaled to the screen's width. A portrait screen taller than
// the class lays the screens out taller, so that no strip stays empty; one
// too short for it, and every landscape screen, shows the class's portrait
// layout whole, centred.
PhoneWindowFit phoneWindowFit(QSize screen, std::optional<QSizeF> device = std::nullopt);

// The layout of a window filling the primary screen, when it fills it: when
// asked (--fullscreen), and by default on a small screen of a platform that
// shows windows. device as for phoneWindowFit.
std::optional<PhoneWindowFit> phoneWindowOnScreen(bool asked, std::optional<QSizeF> device);
