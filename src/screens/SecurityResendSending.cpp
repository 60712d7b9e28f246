// The records screen's side of the sending run: the run's alerts, overlay and
// list redraws.
#include "screens/SecurityResendViewController.h"
#include "ui/AlertView.h"
#include "util/PublicFunction.h"

namespace {

const QString kOk = QStringLiteral("知道了");

SecurityResendViewController::Tag tagOf(SendingRunHost::Notice kind) {
    switch (kind) {
    case SendingRunHost::Notice::Refused:
        return SecurityResendViewController::LookupRefused;
    case SendingRunHost::Notice::Summary:
        return SecurityResendViewController::RunSummary;
    default:
        return SecurityResendViewController::RunStopped;
    }
}

} // namespace

void SecurityResendViewController::startSend() {
    run_.start(ServerIP);
}

void SecurityResendViewController::showRunNotice(Notice kind, const QString& title,
                                                 const QString& message) {
    // The reminder to tick cases needs no answer.
    AlertView alert(title, message, kind == Notice::NothingTicked ? nullptr : this, kOk);
    alert.tag = kind == Notice::NothingTicked ? 0 : tagOf(kind);
    alert.show();
}

void SecurityResendViewController::showRunProgress(const QString& label) {
    PublicFunction::startIndicator(label);
}

void SecurityResendViewController::hideRunProgress() {
    PublicFunction::stopIndicator();
}

void SecurityResendViewController::showRunStep(int place, int count, const QString& equipment) {
    PublicFunction::indicateStep(place, count, equipment);
}

void SecurityResendViewController::showRunShare(qint64 sent, qint64 total) {
    PublicFunction::indicateShare(sent, total);
}

void SecurityResendViewController::runChangedCases() {
    reloadData();
}

void SecurityResendViewController::runLearnedVersion(const std::optional<QString>& version,
                                                     const std::optional<QString>& url) {
    ver_ios = version;
    url_ios = url;
}
