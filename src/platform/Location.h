#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "platform/Camera.h"

struct LocationFix {
    double latitude = 0;
    double longitude = 0;
    QDateTime timestamp;
};

// One running location service: delivers fixes (with the previous one) or a
// failure on the main thread between start() and stop().
class LocationSource {
  public:
    virtual ~LocationSource() = default;
    virtual void requestWhenInUseAuthorization() = 0;
    virtual void start() = 0;
    virtual void stop() = 0;

    std::function<void(const LocationFix& fix, const std::optional<LocationFix>& previous)>
        onUpdate;
    std::function<void(const QString& error)> onError;
};

class LocationProvider {
  public:
    virtual ~LocationProvider() = default;
    // Returns a new, stopped location service.
    virtual std::unique_ptr<LocationSource> create() = 0;
    virtual AuthorizationStatus authorizationStatus() const = 0;
};
