// inspector-cli stamp IN.jpg OUT.jpg --chkno TEXT [--name TEXT]: shrinks and
// stamps a camera photo exactly as the photo screens do before storing it.
#include "Command.h"
#include "platform/Platform.h"
#include "platform/qt/QtCamera.h"
#include "platform/qt/QtSystem.h"
#include "util/PhotoPipeline.h"

#include <QSaveFile>
#include <cstdio>
#include <optional>

namespace {

struct StampArgs {
    QString in;
    QString out;
    std::optional<QString> chkno;
    std::optional<QString> name;
};

std::optional<StampArgs> parse(QStringList args) {
    StampArgs parsed;
    QStringList files;
    while (!args.isEmpty()) {
        const QString arg = args.takeFirst();
        if ((arg == "--chkno" || arg == "--name") && !args.isEmpty())
            (arg == "--chkno" ? parsed.chkno : parsed.name) = args.takeFirst();
        else if (arg.startsWith("--"))
            return std::nullopt;
        else
            files << arg;
    }
    if (files.size() != 2 || !parsed.chkno) return std::nullopt;
    parsed.in = files[0];
    parsed.out = files[1];
    return parsed;
}

int fail(const QString& message) {
    std::fprintf(stderr, "error: %s\n", qPrintable(message));
    return 1;
}

int run(const QStringList& rawArgs) {
    const std::optional<StampArgs> args = parse(rawArgs);
    if (!args) {
        std::fprintf(stderr,
                     "usage: inspector-cli stamp IN.jpg OUT.jpg --chkno TEXT [--name TEXT]\n");
        return 2;
    }
    // The pipeline explains a refused photo in a log line: to stderr here.
    StderrLog log;
    Platform services;
    services.log = &log;
    const PlatformScope scope(services);

    // Read as the app reads a camera's photo file: within its size limit.
    const std::optional<QByteArray> photo = readCameraPhotoFile(args->in);
    if (!photo) return fail(QStringLiteral("%1 was not read").arg(args->in));
    const std::optional<QByteArray> jpeg = stampTakenPhoto(*photo, *args->chkno, args->name);
    if (!jpeg) return fail(QStringLiteral("%1 was not stamped").arg(args->in));

    QSaveFile out(args->out);
    if (!out.open(QIODevice::WriteOnly) || out.write(*jpeg) != jpeg->size() || !out.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(args->out, out.errorString()));
    return 0;
}

const Command command("stamp", "IN.jpg OUT.jpg --chkno TEXT [--name TEXT]", run,
                      Command::Needs::Gui);

} // namespace
