#pragma once

#include "platform/Location.h"

#include <QSizeF>
#include <QString>
#include <QStringList>
#include <optional>

// How the desktop app was started: the device it pretends to be, where its
// position, network state, files and parameters come from.
struct AppOptions {
    bool tablet = false;
    QSizeF screenSize{320, 568};
    bool deviceGiven = false;            // --device was given
    bool fullscreen = false;             // --fullscreen: the window fills the screen
    std::optional<LocationFix> location; // --location LAT,LON
    QString nmeaFile;                    // --nmea FILE
    bool offline = false;                // --offline
    QString home;                        // --home DIR: documents and settings of this run
    QString parameters;                  // --parameters FILE instead of the built-in one
    QString caFile;                      // --ca-file FILE: authorities trusted beside the system's
    QString qrImages;                    // --qr-images PATH: QR frames from image files
    QString photos;                      // --photos DIR: camera photos from image files
    bool liveCamera = false;             // --camera live: the real camera only
    QString scenario;                    // --scenario FILE: run the steps of FILE
    QString screenshots;                 // --screenshots DIR: where the scenario saves pictures
    bool touch = false;                  // --touch: the scenario's taps are touches
    bool verbose = false;                // --verbose: print the diagnostic lines
    bool help = false;                   // --help: print helpText() instead of starting
    bool version = false;                // --version: print the version instead of starting

    // Reads the command line; on a bad option sets error and returns none.
    // --help and --version win over every other option, good or bad, so they
    // can be read before the window system starts.
    static std::optional<AppOptions> parse(const QStringList& arguments, QString* error);
    // Every option with a line of explanation.
    static QString helpText();
};
