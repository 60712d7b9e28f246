#include "inspection/CheckStart.h"

#include "store/PublicVars.h"

CheckStart::Step CheckStart::takeRegistrationCode(const QString& payload) {
    const std::optional<RegistrationCode> code = readRegistrationCode(payload);
    if (!code) return Step::NotARegistrationCode;
    if (PublicVars::sharedInstance().hasWaitingStoreArrayByPK(payload))
        return Step::AlreadyPhotographed;
    registration_ = code;
    return !code->needsPermit() || permit_ ? compare() : Step::Held;
}

CheckStart::Step CheckStart::takePermit(const QString& payload) {
    if (!acceptsPermits_) return Step::PermitsPaused;
    const std::optional<QString> number = readPermitNumber(payload);
    if (!number) {
        acceptsPermits_ = false;
        return Step::NotAPermit;
    }
    permit_ = number;
    return registration_ ? compare() : Step::Held;
}

void CheckStart::reset() {
    registration_.reset();
    permit_.reset();
}

QString CheckStart::checkType() const {
    return !permit_ || permit_->isEmpty() ? QStringLiteral("竣工檢查") : QStringLiteral("安全檢查");
}

CheckStart::Step CheckStart::compare() const {
    const bool comparable = permit_ && !permit_->isEmpty();
    return !comparable || registration_->pakeno == *permit_ ? Step::Match : Step::Mismatch;
}
