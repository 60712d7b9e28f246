#pragma once

#include "inspection/QrPayloads.h"

#include <QString>
#include <optional>

// The check start without its widgets: the registration code and the permit
// number held, whether they match, and when a permit is taken. It decides
// from the two codes and the local case store alone and sends nothing.
class CheckStart {
  public:
    // What a scanned code led to.
    enum class Step {
        NotARegistrationCode, // refused: not a registration code
        AlreadyPhotographed,  // refused: its case is already stored
        NotAPermit,           // refused: not a use permit; permits pause until acceptPermits()
        PermitsPaused,        // ignored: a permit delivered while permits are paused
        Held,                 // taken; the other code is still awaited
        Match,                // both held (or no permit needed) and they agree
        Mismatch,             // both held and the permit is for other equipment
    };

    Step takeRegistrationCode(const QString& payload);
    Step takePermit(const QString& payload);
    // Permits are taken from now on (once the screen has shown).
    void acceptPermits() { acceptsPermits_ = true; }
    bool acceptsPermits() const { return acceptsPermits_; }
    // Forgets both codes.
    void reset();

    const std::optional<RegistrationCode>& registrationCode() const { return registration_; }
    const std::optional<QString>& permitNumber() const { return permit_; }
    // The check type of the held codes: "竣工檢查" without a permit number,
    // "安全檢查" with one.
    QString checkType() const;

  private:
    // Compares the held codes: an empty permit number counts as no permit.
    Step compare() const;

    std::optional<RegistrationCode> registration_;
    std::optional<QString> permit_;
    bool acceptsPermits_ = false;
};
