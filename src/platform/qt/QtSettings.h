#pragma once

#include "platform/Settings.h"

#include <QSettings>

// Settings in an INI file.
class QtSettingsStore : public SettingsStore {
  public:
    explicit QtSettingsStore(const QString& iniPath);
    std::optional<QString> string(const QString& key) const override;
    void setString(const QString& key, const QString& value) override;
    void synchronize() override;

  private:
    mutable QSettings settings_;
};

// A documents folder at a fixed path, made when missing.
class DirectoryDocuments : public DocumentsFolder {
  public:
    explicit DirectoryDocuments(const QString& path);
    QString path() const override { return path_; }

  private:
    QString path_;
};
