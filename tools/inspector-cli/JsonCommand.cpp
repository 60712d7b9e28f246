// inspector-cli json FILE: reads FILE with the JSON reader, as the app reads server answers, and
// prints the value as compact JSON (keys sorted) or the reader's error message.
#include "Command.h"

#include "json/JsonCompactWriter.h"
#include "json/JsonParser.h"

#include <QFile>
#include <cstdio>
#include <string>

namespace {

int fail(const std::string& message) {
    const std::string line = "error: " + message + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    return 1;
}

int runJson(const QStringList& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: inspector-cli json FILE\n");
        return 2;
    }
    QFile file(args.first());
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly)) bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(QStringLiteral("cannot read %1: %2")
                        .arg(args.first(), file.errorString())
                        .toStdString());

    JsonParser parser;
    const std::optional<JsonValue> value =
        parser.objectWithData(bytes.constData(), std::size_t(bytes.size()));
    if (!value) return fail(parser.error());
    const std::string text = compactJson(*value) + "\n";
    std::fwrite(text.data(), 1, text.size(), stdout);
    return 0;
}

const Command command("json", "FILE", runJson);

} // namespace
