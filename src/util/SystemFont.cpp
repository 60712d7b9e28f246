#include "util/SystemFont.h"

#include "platform/Platform.h"

#include <QFontDatabase>

namespace {

const QString kFontFile = QStringLiteral("/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc");
const QString kFontFamily = QStringLiteral("Noto Sans CJK TC");

} // namespace

QString loadFontFamily(const QString& file, const QString& family) {
    const int id = QFontDatabase::addApplicationFont(file);
    if (id >= 0 && QFontDatabase::applicationFontFamilies(id).contains(family)) return family;
    logLine(QStringLiteral("system font \"%1\" not loaded from %2; drawing with the default font")
                .arg(family, file));
    return QString();
}

QFont systemFont(int pixelSize) {
    static const QString family = loadFontFamily(kFontFile, kFontFamily);
    QFont font = family.isEmpty() ? QFont() : QFont(family);
    font.setPixelSize(pixelSize);
    // Hinting follows each machine's font settings; without it glyphs land
    // on the same pixels everywhere.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}
