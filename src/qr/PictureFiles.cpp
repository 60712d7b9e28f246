#include "qr/PictureFiles.h"

#include <QCollator>
#include <QDir>
#include <QImageReader>
#include <algorithm>

QStringList pictureFilePatterns() {
    QStringList patterns;
    for (const QByteArray& suffix : QImageReader::supportedImageFormats()) {
        const QString pattern = QStringLiteral("*.") + QString::fromLatin1(suffix);
        patterns << pattern.toLower();
        if (pattern.toUpper() != pattern.toLower()) patterns << pattern.toUpper();
    }
    patterns.removeDuplicates();
    return patterns;
}

QStringList pictureFilesIn(const QString& folder) {
    const QDir dir(folder);
    QStringList names = dir.entryList(pictureFilePatterns(), QDir::Files);
    // A named locale: the C locale compares code points and ignores numeric mode.
    QCollator order(QLocale(QLocale::English));
    order.setNumericMode(true);
    order.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(names.begin(), names.end(), order);
    QStringList files;
    for (const QString& name : names)
        files << dir.filePath(name);
    return files;
}
