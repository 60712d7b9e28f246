// html-decode and roc-time: the text utilities, for checking what the app
// shows for a given server text or moment.
#include "Command.h"
#include "util/HtmlEntities.h"
#include "util/PublicFunction.h"

#include <QDateTime>
#include <cstdio>

namespace {

int htmlDecode(const QStringList& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: inspector-cli html-decode TEXT\n");
        return 2;
    }
    std::printf("%s\n", decodeHTMLCharacterEntities(args[0]).toUtf8().constData());
    return 0;
}

int rocTime(const QStringList& args) {
    bool ok = false;
    const qint64 seconds = args.size() == 2 ? args[0].toLongLong(&ok) : 0;
    if (!ok) {
        std::fprintf(stderr, "usage: inspector-cli roc-time EPOCH_SECONDS PATTERN\n");
        return 2;
    }
    const QDateTime moment = QDateTime::fromSecsSinceEpoch(seconds);
    const std::optional<QString> text =
        PublicFunction::getFormatROCTimeFormatString(moment, args[1]);
    std::printf("%s\n", text.value_or(QString()).toUtf8().constData());
    return 0;
}

const Command htmlDecodeCommand("html-decode", "TEXT", htmlDecode);
const Command rocTimeCommand("roc-time", "EPOCH_SECONDS PATTERN", rocTime);

} // namespace
