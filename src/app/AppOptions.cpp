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

} // namespace

std::optional<AppOptions> AppOptions::parse(const QStringList& arguments, QString* error) {
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption device("device", "phone, phone35 or tablet", "NAME", "phone");
    const QCommandLineOption location("location", "a fixed position, every second", "LAT,LON");
    const QCommandLineOption nmea("nmea", "replay positions from an NMEA log", "FILE");
    const QCommandLineOption offline("offline", "start without network");
    const QCommandLineOption home("home", "keep documents and settings in DIR", "DIR");
    const QCommandLineOption parameters("parameters", "use FILE as Parameters.plist", "FILE");
    const QCommandLineOption qrImages("qr-images", "QR camera frames from an image or folder",
                                      "PATH");
    const QCommandLineOption photos("photos", "camera photos from the images of a folder", "DIR");
    const QCommandLineOption scenario("scenario", "perform the steps of FILE, then end", "FILE");
    const QCommandLineOption screenshots("screenshots", "save the scenario's screenshots in DIR",
                                         "DIR");
    parser.addOptions({device, location, nmea, offline, home, parameters, qrImages, photos,
                       scenario, screenshots});
    if (!parser.parse(arguments)) {
        *error = parser.errorText();
        return std::nullopt;
    }
    AppOptions options;
    if (!readDevice(parser.value(device), options)) {
        *error = QStringLiteral("unknown device: %1").arg(parser.value(device));
        return std::nullopt;
    }
    if (parser.isSet(location)) {
        options.location = readLocation(parser.value(location));
        if (!options.location) {
            *error = QStringLiteral("bad location: %1").arg(parser.value(location));
            return std::nullopt;
        }
    }
    options.nmeaFile = parser.value(nmea);
    options.offline = parser.isSet(offline);
    options.home = parser.value(home);
    options.parameters = parser.value(parameters);
    options.qrImages = parser.value(qrImages);
    options.photos = parser.value(photos);
    options.scenario = parser.value(scenario);
    options.screenshots = parser.value(screenshots);
    return options;
}
