#include "app/AppOptions.h"

#include <QCommandLineParser>

namespace {

bool readDevice(const QString& name, AppOptions& options) {
    if (name == "phone")
        options.screenSize = {320, 568};
    else if (name == "phone35")
        options.screenSize = {320, 480};
    else if (name == "tablet")
        options.screenSize = {768, 1024};
    else
        return false;
    options.tablet = name == "tablet";
    return true;
}

std::optional<LocationFix> readLocation(const QString& text) {
    const QStringList parts = text.split(',');
    if (parts.size() != 2) return std::nullopt;
    bool latOk = false, lonOk = false;
    const double lat = parts[0].trimmed().toDouble(&latOk);
    const double lon = parts[1].trimmed().toDouble(&lonOk);
    if (!latOk || !lonOk || lat < -90 || lat > 90 || lon < -180 || lon > 180) return std::nullopt;
    return LocationFix{lat, lon, {}};
}

// Every option with its line of explanation, as --help lists them.
QList<QCommandLineOption> optionList() {
    return {
        {"device",
         "The screen the app pretends to have: phone (320x568), phone35 (320x480) or "
         "tablet (768x1024 points).",
         "NAME", "phone"},
        {"fullscreen",
         "Fill the screen (the default on a screen at most 800 pixels long), with the layout of "
         "the nearest device scaled to the screen's width."},
        {"location", "A fixed position, reported every second.", "LAT,LON"},
        {"nmea", "Replay positions from an NMEA log.", "FILE"},
        {"offline", "Start without network."},
        {"home", "Keep the documents and settings of this run in DIR.", "DIR"},
        {"parameters", "Use FILE as Parameters.plist (ServerIP, ver_ios).", "FILE"},
        {"ca-file",
         "For testing and private servers: also trust the certificate authorities of the PEM "
         "FILE for HTTPS.",
         "FILE"},
        {"qr-images", "QR camera frames from an image file or a folder of them.", "PATH"},
        {"photos", "Camera photos from the images of a folder.", "DIR"},
        {"camera",
         "live: the QR reader and the camera picker use the first camera listed, and "
         "--photos, --qr-images and the scenario's qr and photo steps are ignored.",
         "live"},
        {"scenario", "Perform the steps of FILE, then end.", "FILE"},
        {"screenshots", "Save the scenario's screenshots in DIR.", "DIR"},
        {"touch", "The scenario taps and drags with a finger on a touch screen, not a mouse."},
        {"verbose", "Print diagnostic lines (requests, with the inspector's ID, and answers)."},
        {{"h", "help"}, "Print these options and exit."},
        {"version", "Print the app's version and exit."},
    };
}

} // namespace

QString AppOptions::helpText() {
    QString text = QStringLiteral("usage: inspector-app [options]\n"
                                  "The building equipment inspection app.\n\n"
                                  "Options:\n");
    for (const QCommandLineOption& option : optionList()) {
        QStringList names;
        for (const QString& name : option.names())
            names << (name.size() == 1 ? "-" : "--") + name;
        QString left = names.join(", ");
        if (!option.valueName().isEmpty()) left += ' ' + option.valueName();
        text += QStringLiteral("  %1  %2\n").arg(left, -24).arg(option.description());
    }
    text += QStringLiteral("\nQT_SCALE_FACTOR=2 (an environment variable of Qt) draws the window "
                           "twice as large.\n");
    return text;
}

std::optional<AppOptions> AppOptions::parse(const QStringList& arguments, QString* error) {
    QCommandLineParser parser;
    parser.addOptions(optionList());
    const bool parsed = parser.parse(arguments);
    AppOptions options;
    // --help and --version are answered whatever else the command line holds.
    options.help = parser.isSet("help");
    options.version = parser.isSet("version");
    if (options.help || options.version) return options;
    if (!parsed) {
        *error = parser.errorText();
        return std::nullopt;
    }
    const QString device = parser.value("device");
    if (!readDevice(device, options)) {
        *error = QStringLiteral("unknown device: %1").arg(device);
        return std::nullopt;
    }
    if (parser.isSet("location")) {
        options.location = readLocation(parser.value("location"));
        if (!options.location) {
            *error = QStringLiteral("bad location: %1").arg(parser.value("location"));
            return std::nullopt;
        }
    }
    options.deviceGiven = parser.isSet("device");
    options.fullscreen = parser.isSet("fullscreen");
    options.nmeaFile = parser.value("nmea");
    options.offline = parser.isSet("offline");
    options.home = parser.value("home");
    options.parameters = parser.value("parameters");
    options.caFile = parser.value("ca-file");
    options.qrImages = parser.value("qr-images");
    options.photos = parser.value("photos");
    if (parser.isSet("camera")) {
        options.liveCamera = parser.value("camera") == "live";
        if (!options.liveCamera) {
            *error = QStringLiteral("unknown camera: %1 (only live)").arg(parser.value("camera"));
            return std::nullopt;
        }
    }
    options.scenario = parser.value("scenario");
    options.screenshots = parser.value("screenshots");
    options.touch = parser.isSet("touch");
    options.verbose = parser.isSet("verbose");
    return options;
}
