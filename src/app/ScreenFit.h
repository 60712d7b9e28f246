#pragma once

#include <QSize>
#include <QSizeF>

// How much smaller the window showing a device screen of size device must be
// drawn to fit into the desktop area available (room for the window's title
// bar included): 1 when it fits as it is, never more than 1.
double fitFactor(QSizeF device, QSize available);

// fitFactor for the desktop's primary screen. Headless platforms, whose
// screen is no desktop, always get 1.
double fitFactorOnScreen(QSizeF device);
