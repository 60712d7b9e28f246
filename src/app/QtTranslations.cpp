#include "app/QtTranslations.h"

#include "platform/Platform.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

QTranslator* installQtTranslations(QCoreApplication& app) {
    const QString folder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto* translator = new QTranslator(&app);
    if (!translator->load(QStringLiteral("qtbase_zh_TW"), folder) ||
        !QCoreApplication::installTranslator(translator)) {
        logLine(QStringLiteral("Qt's Traditional Chinese texts (qtbase_zh_TW) are not in %1")
                    .arg(folder));
        delete translator;
        return nullptr;
    }
    return translator;
}
