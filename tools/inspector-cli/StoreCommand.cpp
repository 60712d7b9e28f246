// inspector-cli store list DIR / store check DIR: reads a case store folder (its
// "waitingReport.plist" and photo files) the way the app reads it, and changes nothing in it.
// inspector-cli store tidy [--dry-run] DIR: deletes the photo files that no case names and
// whose photos a case holds, and lists the others.
#include "Command.h"

#include "store/StoreInspection.h"
#include "store/StoreLock.h"
#include "store/StoreTidy.h"

#include <QDateTime>
#include <QFileInfo>
#include <cstdio>

namespace {

const char kUsage[] = "list|check DIR, store tidy [--dry-run] DIR";

void print(FILE* out, const QStringList& lines) {
    for (const QString& line : lines)
        std::fputs((line + u'\n').toUtf8().constData(), out);
}

int list(const QString& folder) {
    const StoreListing listing = listStore(folder);
    print(stdout, listing.lines);
    print(stderr, listing.problems);
    return listing.problems.isEmpty() ? 0 : 1;
}

int check(const QString& folder) {
    const QStringList problems = checkStore(folder);
    print(stdout, problems);
    print(stdout, {problems.isEmpty() ? QStringLiteral("no problems")
                                      : QStringLiteral("%1 problems").arg(problems.size())});
    return problems.isEmpty() ? 0 : 1;
}

// How long a tidy waits for another program to let go of the store.
constexpr int kLockWaitMs = 5000;

int tidy(const QString& folder, bool dryRun) {
    // The app on the same folder may be about to name a file that looks unnamed.
    StoreLock lock(folder);
    if (!dryRun && !lock.tryLock(kLockWaitMs)) {
        print(stderr, {QStringLiteral("error: %1 is in use by another program (%2); nothing "
                                      "deleted")
                           .arg(folder, lock.fileName())});
        return 1;
    }
    const StoreTidying tidying = tidyStore(folder, dryRun, QDateTime::currentDateTimeUtc());
    print(stdout, tidying.lines);
    print(stderr, tidying.problems);
    return tidying.problems.isEmpty() ? 0 : 1;
}

int runStore(const QStringList& args) {
    const bool dryRun = args.size() == 3 && args[0] == QLatin1String("tidy") &&
                        args[1] == QLatin1String("--dry-run");
    const bool known =
        args.size() == 2 && (args[0] == QLatin1String("list") ||
                             args[0] == QLatin1String("check") || args[0] == QLatin1String("tidy"));
    if (!known && !dryRun) {
        std::fprintf(stderr, "usage: inspector-cli store %s\n", kUsage);
        return 2;
    }
    const QString& folder = args.last();
    if (!QFileInfo(folder).isDir()) {
        print(stderr, {QStringLiteral("error: no such folder: %1").arg(folder)});
        return 2;
    }
    if (args[0] == QLatin1String("list")) return list(folder);
    if (args[0] == QLatin1String("check")) return check(folder);
    return tidy(folder, dryRun);
}

const Command command("store", kUsage, runStore);

} // namespace
