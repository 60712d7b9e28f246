// inspector-cli store list DIR / store check DIR: reads a case store folder (its
// "waitingReport.plist" and photo files) the way the app reads it, and changes nothing in it.
#include "Command.h"

#include "store/StoreInspection.h"

#include <QFileInfo>
#include <cstdio>

namespace {

void print(FILE* out, const QStringList& lines) {
    for (const QString& line : lines)
        std::fputs((line + u'\n').toUtf8().constData(), out);
}

int runStore(const QStringList& args) {
    if (args.size() != 2 ||
        (args[0] != QLatin1String("list") && args[0] != QLatin1String("check"))) {
        std::fprintf(stderr, "usage: inspector-cli store list|check DIR\n");
        return 2;
    }
    if (!QFileInfo(args[1]).isDir()) {
        print(stderr, {QStringLiteral("error: no such folder: %1").arg(args[1])});
        return 2;
    }
    if (args[0] == QLatin1String("list")) {
        const StoreListing listing = listStore(args[1]);
        print(stdout, listing.lines);
        print(stderr, listing.problems);
        return listing.problems.isEmpty() ? 0 : 1;
    }
    const QStringList problems = checkStore(args[1]);
    print(stdout, problems);
    print(stdout, {problems.isEmpty() ? QStringLiteral("no problems")
                                      : QStringLiteral("%1 problems").arg(problems.size())});
    return problems.isEmpty() ? 0 : 1;
}

const Command command("store", "list|check DIR", runStore);

} // namespace
