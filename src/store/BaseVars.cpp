#include "store/BaseVars.h"

#include "platform/Platform.h"
#include "util/PublicFunction.h"
#include "util/PublicFunctionParameters.h"

#include <QRegularExpression>

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

double BaseVars::decimalValue(const QString& text) {
    static const QRegularExpression number(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+))"));
    const QRegularExpressionMatch match = number.match(text);
    return match.hasMatch() ? match.captured().trimmed().toDouble() : 0.0;
}
