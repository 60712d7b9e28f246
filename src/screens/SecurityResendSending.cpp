// The sending run of the records screen: one ticked case at a time, in list
// order, a blocking case lookup and then the upload; a summary at the end.
#include "net/HttpConnect.h"
#include "net/NetWork.h"
#include "net/ServerLookups.h"
#include "net/ServerUrls.h"
#include "net/UploadForm.h"
#include "net/UploadReceiver.h"
#include "platform/Platform.h"
#include "screens/SecurityResendTable.h"
#include "screens/SecurityResendViewController.h"
#include "store/PublicVars.h"
#include "store/StoreKeys.h"
#include "ui/AlertView.h"
#include "util/PublicFunction.h"
#include "util/PublicFunctionParameters.h"

namespace {

const QString kOk = QStringLiteral("知道了");
constexpr double kOverlayDelay = 0.01;

void showOwnedAlert(ViewController* owner, const QString& title, const QString& message, int tag) {
    AlertView alert(title, message, owner, kOk);
    alert.tag = tag;
    alert.show();
}

} // namespace

void SecurityResendViewController::startSend() {
    if (selSet.empty()) {
        AlertView(QString(""), QStringLiteral("請先勾選案件後再傳送"), nullptr, kOk).show();
        return;
    }
    PublicFunction::startIndicator(QStringLiteral("資料傳送中"));
    _msgCount0 = 0;
    _msgCount1 = 0;
    _msgCount2 = 0;
    send();
}

void SecurityResendViewController::send() {
    if (sendIndex >= storeRecordArray_.size()) {
        sendNext();
        return;
    }
    const std::shared_ptr<CaseRecord> record = storeRecordArray_.at(sendIndex);
    if (!selSet.contains(record) || record->state == QLatin1String(CaseState::sent)) {
        sendNext();
        return;
    }
    // Lets the overlay be drawn before the lookup blocks.
    QPointer<SecurityResendViewController> self(this);
    platform().loop->after(kOverlayDelay, [self, record] {
        if (self) self->handleCase(record);
    });
}

void SecurityResendViewController::handleCase(std::shared_ptr<CaseRecord> record) {
    ++_msgCount0;
    const std::optional<CaseLookupAnswer> answer =
        lookupCase(ServerIP, record->pakeno, record->Chkno);
    if (!answer) {
        // No answer (the inspector has been told) or not a JSON object.
        PublicFunction::stopIndicator();
        endOfRun();
        return;
    }
    ver_ios = answer->ver_ios;
    url_ios = answer->url_ios;
    const QString msg = answer->msg.value_or(QString());
    if (answer->status == QStringLiteral("Y")) {
        uploadCase(record, *answer);
    } else if (answer->status == QStringLiteral("N")) {
        showOwnedAlert(this, QStringLiteral("資料檢核錯誤"), msg, LookupRefused);
    } else if (answer->status == QStringLiteral("D")) {
        record->state = QString::fromLatin1(CaseState::overdue);
        saveRunState();
        showOwnedAlert(this, QStringLiteral("資料檢核錯誤"), msg, LookupRefused);
    } else if (answer->msg) {
        // A status the app does not know: the case is neither sent nor
        // marked, and the run ends in order.
        stopRun(QStringLiteral("資料檢核錯誤"), msg);
    } else {
        PublicFunction::stopIndicator();
        endOfRun();
    }
}

void SecurityResendViewController::uploadCase(const std::shared_ptr<CaseRecord>& record,
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
    QPointer<SecurityResendViewController> self(this);
    HttpConnect::sharedInstance().postConnectDataInfoFiledataInfoFiledataInfo2Target(
        QUrl(uploadUrl(*answer.upload_path)), form.fields, form.files1, form.files2,
        std::make_shared<UploadReceiver>([self](const UploadOutcome& outcome) {
            if (self) self->uploadEnded(outcome);
        }));
}

void SecurityResendViewController::uploadEnded(const UploadOutcome& outcome) {
    if (outcome.answer)
        sendFinish(*outcome.answer);
    else
        connectionDidFailWithError(outcome.error);
}

void SecurityResendViewController::sendFinish(const UploadAnswer& answer) {
    if (!answer.accepted()) {
        stopRun(QStringLiteral("紀錄錯誤"), answer.msg.value_or(QString()));
        return;
    }
    storeRecordArray_.at(sendIndex)->state = QString::fromLatin1(CaseState::sent);
    // On disk before anything else happens, so that a case the server took
    // is never sent again, whatever becomes of the app.
    saveRunState();
    ++_msgCount1;
    reloadData();
    sendNext();
}

void SecurityResendViewController::connectionDidFailWithError(const QString& error) {
    logLine(error);
    const Alert interrupted = transferInterruptedAlert();
    stopRun(interrupted.title, interrupted.message);
}

void SecurityResendViewController::stopRun(const QString& title, const QString& message) {
    showOwnedAlert(this, title, message, RunStopped);
    PublicFunction::stopIndicator();
}

void SecurityResendViewController::sendNext() {
    const int next = sendIndex + 1;
    sendIndex = next;
    if (next < storeRecordArray_.size()) {
        send();
        return;
    }
    const QString summary = QStringLiteral("應傳 %1 筆\n已傳 %2 筆\n逾期 %3 筆\n未傳 %4 筆")
                                .arg(_msgCount0)
                                .arg(_msgCount1)
                                .arg(_msgCount2)
                                .arg(_msgCount0 - (_msgCount1 + _msgCount2));
    showOwnedAlert(this, QStringLiteral("記錄傳送結果明細"), summary, RunSummary);
    selSet.clear();
    PublicFunction::stopIndicator();
}

void SecurityResendViewController::saveRunState() {
    PublicVars& store = PublicVars::sharedInstance();
    store.setWaitingStoreArray(storeRecordArray_);
    if (!store.storeWaitingStoreArray())
        logLine(QStringLiteral("the case list could not be saved during a sending run"));
}

void SecurityResendViewController::endOfRun() {
    reloadData();
    sendIndex = 0;
    saveRunState();
}
