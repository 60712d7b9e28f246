// inspector-cli send DIR PK --server HOST[:PORT] [--timeout SECONDS] [--ca-file FILE]: uploads
// one stored case of a store folder the way a sending run of the records
// screen does (photos moved into their photo file, the case lookup, then the
// same fields and body), for support staff recovering a case the app could
// not send. On acceptance the case is marked sent in that store; its state
// changes in no other way.
#include "Command.h"
#include "net/HttpConnect.h"
#include "net/NetTimeouts.h"
#include "net/ServerLookups.h"
#include "net/ServerUrls.h"
#include "net/UploadForm.h"
#include "net/UploadReceiver.h"
#include "platform/Platform.h"
#include "platform/qt/QtHttpClient.h"
#include "platform/qt/QtMainLoop.h"
#include "platform/qt/QtSettings.h"
#include "platform/qt/QtSystem.h"
#include "platform/qt/TrustedAuthorities.h"
#include "store/PublicVars.h"
#include "store/StoreKeys.h"
#include "store/StoreLock.h"
#include "util/PublicFunction.h"
#include "util/PublicFunctionParameters.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

struct SendArgs {
    QString folder;
    QString pk;
    QString server;
    std::optional<double> timeoutSeconds; // of the lookup and of the upload, if not the app's
    QString caFile;                       // authorities trusted for HTTPS beside the system's
};

constexpr char kUsage[] = "DIR PK --server HOST[:PORT] [--timeout SECONDS] [--ca-file FILE]";
// How long a send waits for another program to let go of the store.
constexpr int kLockWaitMs = 5000;

// The number text stands for, or 0 when it stands for no finite one.
double finiteNumber(const QString& text) {
    bool ok = false;
    const double value = text.toDouble(&ok);
    return ok && std::isfinite(value) ? value : 0;
}

std::optional<SendArgs> parse(QStringList args) {
    SendArgs parsed;
    QStringList positional;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if (arg == "--server" && !args.isEmpty())
            parsed.server = args.takeFirst();
        else if (arg == "--timeout" && !args.isEmpty())
            parsed.timeoutSeconds = finiteNumber(args.takeFirst());
        else if (arg == "--ca-file" && !args.isEmpty())
            parsed.caFile = args.takeFirst();
        else if (arg.startsWith("--"))
            return std::nullopt;
        else
            positional << arg;
        if (parsed.timeoutSeconds && !(*parsed.timeoutSeconds > 0)) return std::nullopt;
    }
    if (positional.size() != 2 || parsed.server.isEmpty()) return std::nullopt;
    parsed.folder = positional[0];
    parsed.pk = positional[1];
    return parsed;
}

void print(FILE* out, const QString& line) {
    std::fputs((line + u'\n').toUtf8().constData(), out);
}

// The app's alerts, as lines on standard error.
class PrintedAlerts : public AlertPresenter {
  public:
    void present(Alert alert) override {
        print(stderr, QStringLiteral("%1: %2").arg(alert.title, alert.message));
    }
};

// The diagnostic log of the run, kept back: a command that succeeds says
// nothing on stderr, one that fails shows it after its reason.
class KeptLog : public Log {
  public:
    void line(const QString& text) override { lines << text; }
    QStringList lines;
};

// The services a sending run uses, with the documents folder at the store.
struct SendServices {
    explicit SendServices(const QString& folder) : documents(folder) {
        services.documents = &documents;
        services.device = &device;
        services.clock = &clock;
        services.log = &log;
        services.http = &http;
        services.alerts = &alerts;
    }

    DirectoryDocuments documents;
    ConfiguredDevice device{false, {320, 568}, QStringLiteral("8.0")};
    SystemClock clock;
    KeptLog log;
    QtHttpClient http;
    PrintedAlerts alerts;
    Platform services;
};

// Posts the case's upload and waits for its outcome, asleep in the event
// loop until the upload reports (its idle time-out ends a silent server).
UploadOutcome upload(const QString& uploadPath, const UploadForm& form) {
    std::optional<UploadOutcome> outcome;
    QEventLoop loop;
    HttpConnect::sharedInstance().postConnectDataInfoFiledataInfoFiledataInfo2Target(
        QUrl(uploadUrl(uploadPath)), form.fields, form.files1, form.files2,
        std::make_shared<UploadReceiver>([&](const UploadOutcome& o) {
            outcome = o;
            loop.quit();
        }));
    if (!outcome) loop.exec();
    return *outcome;
}

// Looks the case up and uploads it with its photos; returns the exit status.
int send(CaseRecord& record, const PhotoFile& photos, const QString& server) {
    const std::optional<CaseLookupAnswer> answer = lookupCase(server, record.pakeno, record.Chkno);
    if (!answer) {
        print(stderr, QStringLiteral("error: the case lookup gave no answer"));
        return 1;
    }
    const QString status = answer->status.value_or(QStringLiteral("(none)"));
    if (status != QStringLiteral("Y")) {
        // An overdue case is marked so, as a sending run marks it.
        const bool overdue = status == QStringLiteral("D");
        if (overdue) record.state = QString::fromLatin1(CaseState::overdue);
        print(stderr, QStringLiteral("error: the server will not take the case now: status %1%2%3")
                          .arg(status, answer->msg ? ", " + *answer->msg : QString(),
                               overdue ? QStringLiteral("; marked overdue") : QString()));
        return 1;
    }
    if (!answer->upload_path) {
        print(stderr, QStringLiteral("error: the case lookup answered Y without an "
                                     "\"upload_path\" text (missing or not a string)"));
        return 1;
    }
    const UploadForm form = uploadFormFor(record, photos, appVersion().value_or(QString()));
    print(stdout, QStringLiteral("uploading %1 with %2 + %3 photos to %4")
                      .arg(record.pk)
                      .arg(form.files1.size())
                      .arg(form.files2.size())
                      .arg(uploadUrl(*answer->upload_path)));
    const UploadOutcome outcome = upload(*answer->upload_path, form);
    if (!outcome.answer) {
        print(stderr, QStringLiteral("error: the upload failed: %1").arg(outcome.error));
        return 1;
    }
    if (!outcome.answer->accepted()) {
        print(stderr, QStringLiteral("error: the server refused the upload: %1")
                          .arg(outcome.answer->msg.value_or(QString())));
        return 1;
    }
    record.state = QString::fromLatin1(CaseState::sent);
    print(stdout, QStringLiteral("accepted"));
    return 0;
}

int run(const QStringList& rawArgs) {
    const std::optional<SendArgs> args = parse(rawArgs);
    if (!args) {
        std::fprintf(stderr, "usage: inspector-cli send %s\n", kUsage);
        return 2;
    }
    if (!QFileInfo(args->folder).isDir()) {
        print(stderr, QStringLiteral("error: no such folder: %1").arg(args->folder));
        return 2;
    }
    if (!args->caFile.isEmpty()) {
        if (const std::optional<QString> problem = trustAuthoritiesOf(args->caFile)) {
            print(stderr, QStringLiteral("error: --ca-file: %1").arg(*problem));
            return 2;
        }
    }
    // The app on the same folder would overwrite what this run stores.
    StoreLock lock(args->folder);
    if (!lock.tryLock(kLockWaitMs)) {
        print(stderr, QStringLiteral("error: %1 is in use by another program (%2); nothing sent")
                          .arg(args->folder, lock.fileName()));
        return 1;
    }
    SendServices services(args->folder);
    const PlatformScope scope(services.services);
    NetTimeouts timeouts = netTimeouts();
    if (args->timeoutSeconds) timeouts.caseLookup = timeouts.upload = *args->timeoutSeconds;
    const NetTimeoutsScope timeoutsScope(timeouts);
    PublicVars& store = PublicVars::sharedInstance();
    const std::shared_ptr<CaseRecord> record = store.findWaitingStoreArrayByPK(args->pk);
    if (!record) {
        print(stderr, QStringLiteral("error: no case %1 in %2").arg(args->pk, args->folder));
        return 1;
    }
    if (record->state == QLatin1String(CaseState::sent)) {
        print(stdout, QStringLiteral("%1 was sent already; nothing to do").arg(args->pk));
        return 0;
    }
    const CaseList& cases = store.getWaitingStoreArray();
    const bool photosToMove = std::any_of(cases.begin(), cases.end(),
                                          [](const auto& r) { return r && r->hasInlinePhotos(); });
    store.transPhotoInDictionary();
    if (record->hasInlinePhotos()) {
        print(stderr, QStringLiteral("error: the photos of %1 could not be moved into their "
                                     "photo file")
                          .arg(args->pk));
        return 1;
    }
    // A case is never sent without its photos.
    QString problem;
    const std::optional<PhotoFile> photos = store.photosForUpload(*record, &problem);
    if (!photos) print(stderr, QStringLiteral("error: %1 is not sent: %2").arg(args->pk, problem));
    const QString stateBefore = record->state;
    int status = photos ? send(*record, *photos, args->server) : 1;
    // A moved photo file is named only by the list, so the list is saved
    // whenever photos moved or the case changed state, whatever became of the upload.
    if ((record->state != stateBefore || photosToMove) && !store.storeWaitingStoreArray()) {
        print(stderr, QStringLiteral("error: the case list could not be saved"));
        status = 1;
    }
    if (status != 0)
        for (const QString& line : services.log.lines)
            print(stderr, "log: " + line);
    return status;
}

const Command command("send", kUsage, run);

} // namespace
