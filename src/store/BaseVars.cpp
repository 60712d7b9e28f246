#include "store/BaseVars.h"

#include "platform/Platform.h"
#include "util/PublicFunction.h"
#include "util/PublicFunctionParameters.h"

#include <QRegularExpression>
#include <vector>

namespace {
const QString isOpenGpsKeyPath = QStringLiteral("isOpenGps");
}

BaseVars::BaseVars() {
    const DeviceFacts& device = *platform().device;
    is3Inch5_ = device.screenSize().height() == 480.0;
    ios8Version_ = decimalValue(device.systemVersion()) >= 8.0;
    serverIp_ = PublicFunction::getPlistPrarmAndKey(QString::fromLatin1(parametersFileName),
                                                    QString::fromLatin1(serverIpKey))
                    .value_or(QString());
}

BaseVars::~BaseVars() {
    setIsOpenGps(false);
}

void BaseVars::setIsOpenGps(bool value) {
    isOpenGps_ = value;
    observeValueForKeyPath(isOpenGpsKeyPath);
}

void BaseVars::observeValueForKeyPath(const QString& keyPath) {
    if (keyPath != isOpenGpsKeyPath || !locationControl_) return;
    if (isOpenGps_)
        locationControl_->startUserLocation();
    else
        locationControl_->stopUserLocation();
}

void BaseVars::setNowLocation(const std::optional<LocationFix>& value) {
    nowLocation_ = value;
    // An observer may remove itself or another one while being told.
    std::vector<int> handles;
    for (const auto& [handle, observer] : nowLocationObservers_)
        handles.push_back(handle);
    for (int handle : handles)
        if (auto found = nowLocationObservers_.find(handle); found != nowLocationObservers_.end())
            std::function<void()>(found->second)();
}

int BaseVars::addNowLocationObserver(std::function<void()> observer) {
    nowLocationObservers_.emplace(++nextObserverHandle_, std::move(observer));
    return nextObserverHandle_;
}

void BaseVars::removeNowLocationObserver(int handle) {
    nowLocationObservers_.erase(handle);
}

double BaseVars::decimalValue(const QString& text) {
    static const QRegularExpression number(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+))"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured().trimmed().toDouble() : 0.0;
}
