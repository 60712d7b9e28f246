#pragma once

#include "platform/Location.h"

#include <QString>
#include <optional>

// Location from QtPositioning's default source, from an NMEA log replayed in
// real time, or a fixed position reported every second. With none of them
// available a source simply never reports.
class QtLocationProvider : public LocationProvider {
  public:
    struct Options {
        std::optional<LocationFix> fixed; // --location LAT,LON
        QString nmeaFile;                 // --nmea FILE
    };
    explicit QtLocationProvider(Options options) : options_(std::move(options)) {}

    std::unique_ptr<LocationSource> create() override;
    AuthorizationStatus authorizationStatus() const override {
        return AuthorizationStatus::Authorized;
    }

  private:
    Options options_;
};
