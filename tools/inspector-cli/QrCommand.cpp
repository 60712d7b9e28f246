// inspector-cli qr IMAGE: prints the text of every QR code in an image file.
#include "Command.h"

#include "qr/QrDetector.h"

#include <QImageReader>
#include <cstdio>

namespace {

// A payload on one line, whole: a backslash and every control character are
// written as C escapes, so a NUL or a line break inside it shows as such.
QByteArray escaped(const QString& text) {
    QByteArray out;
    for (const char c : text.toUtf8()) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\0':
            out += "\\0";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            if ((c >= 0 && c < 0x20) || c == 0x7F)
                out += "\\x" + QByteArray::number(c, 16).rightJustified(2, '0');
            else
                out += c;
        }
    }
    return out;
}

int run(const QStringList& args) {
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: inspector-cli qr IMAGE\n");
        return 2;
    }
    QImageReader reader(args[0]);
    // A phone's photo stands upright only after its orientation tag is applied.
    reader.setAutoTransform(true);
    const QImage image = reader.read();
    if (image.isNull()) {
        std::fprintf(stderr, "cannot read image %s: %s\n", qPrintable(args[0]),
                     qPrintable(reader.errorString()));
        return 1;
    }
    const QStringList texts = readQrCodesInPicture(image);
    if (texts.isEmpty()) {
        std::fprintf(stderr, "no QR code found in %s\n", qPrintable(args[0]));
        return 1;
    }
    for (const QString& text : texts) {
        const QByteArray line = escaped(text) + '\n';
        std::fwrite(line.constData(), 1, line.size(), stdout);
    }
    return 0;
}

const Command command("qr", "IMAGE", run);

} // namespace
