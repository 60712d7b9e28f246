#include "inspection/SendingRun.h"

#include "net/HttpConnect.h"
#include "net/NetWork.h"
#include "net/ServerLookups.h"
#include "net/ServerUrls.h"
#include "net/UploadForm.h"
#include "net/UploadReceiver.h"
#include "platform/Platform.h"
#include "store/PublicVars.h"
#include "store/StoreKeys.h"
#include "util/PublicFunction.h"
#include "util/PublicFunctionParameters.h"

namespace {

// Lets the overlay be drawn before the lookup blocks.
constexpr double kOverlayDelay = 0.01;
const QString kCheckFailed = QStringLiteral("資料檢核錯誤");

// How many ticked cases not yet sent lie from place from on.
int casesToSendFrom(const CaseList& cases, const TickedCases& ticked, qsizetype from) {
    int count = 0;
    for (qsizetype i = from; i < cases.size(); ++i)
        count +=
            ticked.contains(cases.at(i)) && cases.at(i)->state != QLatin1String(CaseState::sent);
    return count;
}

} // namespace

SendingRun::SendingRun(SendingRunHost& host, const CaseList& cases, TickedCases& ticked)
    : host_(host), cases_(cases), ticked_(ticked), alive_(std::make_shared<SendingRun*>(this)) {}

SendingRun::~SendingRun() = default;

void SendingRun::start(const QString& serverIp) {
    if (ticked_.empty()) {
        host_.showRunNotice(SendingRunHost::Notice::NothingTicked, QString(""),
                            QStringLiteral("請先勾選案件後再傳送"));
        return;
    }
    serverIp_ = serverIp;
    host_.showRunProgress(QStringLiteral("資料傳送中"));
    looked_ = 0;
    sent_ = 0;
    refused_ = 0;
    send();
}

void SendingRun::send() {
    // A loop, not a call per skipped case: a long list with few ticks must
    // not grow the stack.
    for (; position_ < cases_.size(); ++position_) {
        const std::shared_ptr<CaseRecord> record = cases_.at(position_);
        if (!ticked_.contains(record) || record->state == QLatin1String(CaseState::sent)) continue;
        const std::weak_ptr<SendingRun*> alive = alive_;
        platform().loop->after(kOverlayDelay, [alive, record] {
            if (const auto run = alive.lock()) (*run)->handleCase(record);
        });
        return;
    }
    summarise();
}

void SendingRun::sendNext() {
    ++position_;
    send();
}

void SendingRun::handleCase(const std::shared_ptr<CaseRecord>& record) {
    ++looked_;
    // Progress shown: the case's place in the run, the run's size, its equipment number.
    host_.showRunStep(looked_, looked_ - 1 + casesToSendFrom(cases_, ticked_, position_),
                      record->pakeno);
    const std::optional<CaseLookupAnswer> answer =
        lookupCase(serverIp_, record->pakeno, record->Chkno);
    if (!answer) {
        // No answer (the inspector has been told) or not a JSON object.
        host_.hideRunProgress();
        endOfRun();
        return;
    }
    host_.runLearnedVersion(answer->ver_ios, answer->url_ios);
    const QString msg = answer->msg.value_or(QString());
    if (answer->status == QStringLiteral("Y")) {
        uploadCase(record, *answer);
    } else if (answer->status == QStringLiteral("N")) {
        host_.showRunNotice(SendingRunHost::Notice::Refused, kCheckFailed, msg);
    } else if (answer->status == QStringLiteral("D")) {
        record->state = QString::fromLatin1(CaseState::overdue);
        saveRunState();
        host_.showRunNotice(SendingRunHost::Notice::Refused, kCheckFailed, msg);
    } else if (answer->msg) {
        // A status the app does not know: the case is neither sent nor
        // marked, and the run ends in order.
        stopRun(kCheckFailed, msg);
    } else {
        host_.hideRunProgress();
        endOfRun();
    }
}

void SendingRun::uploadCase(const std::shared_ptr<CaseRecord>& record,
                            const CaseLookupAnswer& answer) {
    if (!answer.upload_path) {
        connectionDidFailWithError(QStringLiteral("the case lookup named no upload address"));
        return;
    }
    QString problem;
    const std::optional<PhotoFile> photos =
        PublicVars::sharedInstance().photosForUpload(*record, &problem);
    if (!photos) {
        // Sent without them, the case would count as sent with no photos.
        logLine(problem);
        stopRun(QStringLiteral("照片讀取失敗"),
                QStringLiteral("案件 %1 的照片無法讀取, 未傳送此案件").arg(record->pk));
        return;
    }
    const UploadForm form = uploadFormFor(
        *record, *photos,
        PublicFunction::getPlistPrarmAndKey(parametersFileName, verIosKey).value_or(QString()));
    const std::weak_ptr<SendingRun*> alive = alive_;
    HttpConnect::sharedInstance().postConnectDataInfoFiledataInfoFiledataInfo2Target(
        QUrl(uploadUrl(*answer.upload_path)), form.fields, form.files1, form.files2,
        std::make_shared<UploadReceiver>(
            [alive](const UploadOutcome& outcome) {
                if (const auto run = alive.lock()) (*run)->uploadEnded(outcome);
            },
            [alive](qint64 sent, qint64 total) { // progress shown: the bar
                if (const auto run = alive.lock()) (*run)->host_.showRunShare(sent, total);
            }));
}

void SendingRun::uploadEnded(const UploadOutcome& outcome) {
    if (outcome.answer)
        sendFinish(*outcome.answer);
    else
        connectionDidFailWithError(outcome.error);
}

void SendingRun::sendFinish(const UploadAnswer& answer) {
    if (!answer.accepted()) {
        stopRun(QStringLiteral("紀錄錯誤"), answer.msg.value_or(QString()));
        return;
    }
    cases_.at(position_)->state = QString::fromLatin1(CaseState::sent);
    // On disk before anything else happens, so that a case the server took
    // is never sent again, whatever becomes of the app.
    saveRunState();
    ++sent_;
    host_.runChangedCases();
    sendNext();
}

void SendingRun::connectionDidFailWithError(const QString& error) {
    logLine(error);
    const Alert interrupted = transferInterruptedAlert();
    stopRun(interrupted.title, interrupted.message);
}

void SendingRun::noticeDismissed(SendingRunHost::Notice kind) {
    switch (kind) {
    case SendingRunHost::Notice::Refused:
        ++refused_;
        sendNext();
        break;
    case SendingRunHost::Notice::Stopped:
    case SendingRunHost::Notice::Summary:
        endOfRun();
        break;
    case SendingRunHost::Notice::NothingTicked:
        break;
    }
}

void SendingRun::stopRun(const QString& title, const QString& message) {
    host_.showRunNotice(SendingRunHost::Notice::Stopped, title, message);
    host_.hideRunProgress();
}

void SendingRun::summarise() {
    const QString summary = QStringLiteral("應傳 %1 筆\n已傳 %2 筆\n逾期 %3 筆\n未傳 %4 筆")
                                .arg(looked_)
                                .arg(sent_)
                                .arg(refused_)
                                .arg(looked_ - (sent_ + refused_));
    host_.showRunNotice(SendingRunHost::Notice::Summary, QStringLiteral("記錄傳送結果明細"),
                        summary);
    ticked_.clear();
    host_.hideRunProgress();
}

void SendingRun::saveRunState() {
    if (!PublicVars::sharedInstance().replaceWaitingStoreArray(cases_))
        logLine(QStringLiteral("the case list could not be saved during a sending run"));
}

void SendingRun::endOfRun() {
    host_.runChangedCases();
    position_ = 0;
    saveRunState();
}
