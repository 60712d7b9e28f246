#include "platform/qt/QtReachability.h"

#include <QNetworkInformation>

namespace {

QNetworkInformation* information() {
    static const bool loaded = QNetworkInformation::loadDefaultBackend();
    return loaded ? QNetworkInformation::instance() : nullptr;
}

} // namespace

Reachability::Status QtReachability::currentStatus() const {
    if (offline_) return NotReachable;
    QNetworkInformation* info = information();
    if (!info || info->reachability() == QNetworkInformation::Reachability::Unknown)
        return ReachableViaWiFi;
    if (info->reachability() == QNetworkInformation::Reachability::Disconnected)
        return NotReachable;
    return info->transportMedium() == QNetworkInformation::TransportMedium::Cellular
               ? ReachableViaWWAN
               : ReachableViaWiFi;
}

void QtReachability::startNotifier(std::function<void()> changed) {
    if (offline_) return;
    if (QNetworkInformation* info = information()) {
        QObject::connect(info, &QNetworkInformation::reachabilityChanged, info,
                         [changed] { changed(); });
        QObject::connect(info, &QNetworkInformation::transportMediumChanged, info,
                         [changed] { changed(); });
    }
}
