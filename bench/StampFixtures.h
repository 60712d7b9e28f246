#pragma once

// Camera-sized photos for the photo benchmarks: from INSPECTOR_STAMP_FIXTURES,
// or made once in /tmp/inspector-stamp-fixtures by bench_stamp_fixtures.sh.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cstdlib>
#include <vector>

inline std::vector<QByteArray> loadStampFixtures() {
    QString dir = qEnvironmentVariable("INSPECTOR_STAMP_FIXTURES");
    if (dir.isEmpty()) {
        dir = QDir::tempPath() + "/inspector-stamp-fixtures";
        const QString script = INSPECTOR_SOURCE_DIR "/bench/bench_stamp_fixtures.sh";
        if (std::system(qPrintable("bash '" + script + "' '" + dir + "'")) != 0) return {};
    }
    std::vector<QByteArray> photos;
    for (const QFileInfo& info : QDir(dir).entryInfoList({"photo_*.jpg"}, QDir::Files)) {
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly)) photos.push_back(file.readAll());
    }
    return photos;
}
