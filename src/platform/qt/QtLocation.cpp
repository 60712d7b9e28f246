#include "platform/qt/QtLocation.h"

#include <QFile>
#include <QGeoPositionInfoSource>
#include <QNmeaPositionInfoSource>
#include <QTimer>

namespace {

LocationFix fixOf(const QGeoPositionInfo& info) {
    return {info.coordinate().latitude(), info.coordinate().longitude(), info.timestamp()};
}

// Wraps a QtPositioning source (default or NMEA replay). A replayed log
// carries the times of its recording; restamped, its fixes count as fresh.
class GeoSource : public LocationSource {
  public:
    explicit GeoSource(QGeoPositionInfoSource* source, bool restamp = false) : source_(source) {
        if (!source_) return;
        QObject::connect(source_.get(), &QGeoPositionInfoSource::positionUpdated, source_.get(),
                         [this, restamp](const QGeoPositionInfo& info) {
                             LocationFix fix = fixOf(info);
                             if (restamp) fix.timestamp = QDateTime::currentDateTime();
                             if (onUpdate) onUpdate(fix, previous_);
                             previous_ = fix;
                         });
        QObject::connect(source_.get(), &QGeoPositionInfoSource::errorOccurred, source_.get(),
                         [this](QGeoPositionInfoSource::Error error) {
                             if (onError)
                                 onError(QStringLiteral("location error %1").arg(int(error)));
                         });
    }
    void requestWhenInUseAuthorization() override {}
    void start() override {
        if (source_) {
            source_->setPreferredPositioningMethods(QGeoPositionInfoSource::AllPositioningMethods);
            source_->startUpdates();
        }
    }
    void stop() override {
        if (source_) source_->stopUpdates();
    }

  private:
    std::unique_ptr<QGeoPositionInfoSource> source_;
    std::optional<LocationFix> previous_;
};

// Reports one position, freshly stamped, every second.
class FixedSource : public LocationSource {
  public:
    explicit FixedSource(LocationFix fix) : fix_(fix) {
        timer_.setInterval(1000);
        QObject::connect(&timer_, &QTimer::timeout, [this] { report(); });
    }
    void requestWhenInUseAuthorization() override {}
    void start() override {
        timer_.start();
        QTimer::singleShot(0, &timer_, [this] { report(); });
    }
    void stop() override { timer_.stop(); }

  private:
    void report() {
        if (!timer_.isActive()) return;
        LocationFix now = fix_;
        now.timestamp = QDateTime::currentDateTime();
        if (onUpdate) onUpdate(now, previous_);
        previous_ = now;
    }
    LocationFix fix_;
    std::optional<LocationFix> previous_;
    QTimer timer_;
};

} // namespace

std::unique_ptr<LocationSource> QtLocationProvider::create() {
    if (options_.fixed) return std::make_unique<FixedSource>(*options_.fixed);
    if (!options_.nmeaFile.isEmpty()) {
        auto* file = new QFile(options_.nmeaFile);
        if (!file->open(QIODevice::ReadOnly)) {
            delete file;
            return std::make_unique<GeoSource>(nullptr);
        }
        auto* nmea = new QNmeaPositionInfoSource(QNmeaPositionInfoSource::SimulationMode);
        file->setParent(nmea);
        nmea->setDevice(file);
        return std::make_unique<GeoSource>(nmea, true);
    }
    return std::make_unique<GeoSource>(QGeoPositionInfoSource::createDefaultSource(nullptr));
}
