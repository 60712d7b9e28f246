#pragma once

#include <QSize>
#include <QSizeF>

// How much smaller the window showing a device screen of size device must be
// drawn to fit into the desktop area available (room for the window's title
// bar included): 1 when it fits as it is, never more than 1.
double fitFactor(QSizeF device, QSize available);

// When the device screen does not fit the desktop's primary screen, starts
// this program again in the same process, with the same arguments (argv as
// main() received it) and Qt's scale factor lowered so that it fits. Returns
// when no new start was needed or it could not be made. Headless platforms,
// whose screen is no desktop, are never scaled.
void restartToFitScreen(QSizeF device, char** argv);
