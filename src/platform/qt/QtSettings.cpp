#include "platform/qt/QtSettings.h"

#include <QDir>

QtSettingsStore::QtSettingsStore(const QString& iniPath)
    : settings_(iniPath, QSettings::IniFormat) {}

std::optional<QString> QtSettingsStore::string(const QString& key) const {
    const QVariant value = settings_.value(key);
    if (!value.isValid()) return std::nullopt;
    return value.toString();
}

void QtSettingsStore::setString(const QString& key, const QString& value) {
    settings_.setValue(key, value);
}

void QtSettingsStore::synchronize() {
    settings_.sync();
}

DirectoryDocuments::DirectoryDocuments(const QString& path) : path_(QDir(path).absolutePath()) {
    QDir().mkpath(path_);
}
