#include "app/QtServices.h"

#include <QDir>
#include <QStandardPaths>
#include <QSysInfo>

QString documentsPath(const AppOptions& o) {
    if (!o.home.isEmpty()) return QDir(o.home).filePath("Documents");
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/Documents";
}

namespace {

QString settingsPath(const AppOptions& o) {
    if (!o.home.isEmpty()) return QDir(o.home).filePath("settings.ini");
    return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/settings.ini";
}

} // namespace

QtServices::QtServices(const AppOptions& options)
    : camera(options.liveCamera ? QString() : options.photos), settings_(settingsPath(options)),
      documents_(documentsPath(options)),
      device_(options.tablet, options.screenSize, QSysInfo::productVersion()),
      location_({options.location, options.nmeaFile}), reachability_(options.offline) {
    platform.alerts = &alerts;
    platform.cameraAccess = &camera;
    platform.cameraPicker = &camera;
    platform.pictureChooser = &pictures;
    platform.location = &location_;
    platform.reachability = &reachability_;
    platform.http = &http_;
    platform.settings = &settings_;
    platform.documents = &documents_;
    platform.loop = &loop_;
    platform.clock = &clock_;
    platform.sound = &sound_;
    platform.system = &system_;
    platform.device = &device_;
    platform.log = &log_;
}
