#include "support/FakePlatform.h"

namespace {

Platform servicesOf(FakePlatform& f) {
    Platform p;
    p.alerts = &f.alerts;
    p.indicator = &f.indicator;
    p.cameraAccess = &f.camera;
    p.cameraPicker = &f.camera;
    p.pictureChooser = &f.pictures;
    p.location = &f.location;
    p.reachability = &f.reachability;
    p.http = &f.http;
    p.settings = &f.settings;
    p.documents = &f;
    p.loop = &f.clock;
    p.clock = &f.clock;
    p.sound = &f.sound;
    p.system = &f.system;
    p.device = &f.device;
    p.log = &f.log;
    return p;
}

} // namespace

FakePlatform::FakePlatform() : services(servicesOf(*this)), scope_(services) {}
