// inspector-cli qr IMAGE: prints the text of every QR code in an image file.
#include "Command.h"

#include "qr/QrDetector.h"

#include <QImageReader>
#include <cstdio>

namespace {

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
    for (const QString& text : texts)
        std::printf("%s\n", text.toUtf8().constData());
    return 0;
}

const Command command("qr", "IMAGE", run);

} // namespace
