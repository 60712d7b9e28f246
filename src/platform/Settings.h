#pragma once

#include <QString>
#include <optional>

// The per-user key-value store of strings.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    // Returns the value under key, or none when the key is absent.
    virtual std::optional<QString> string(const QString& key) const = 0;
    virtual void setString(const QString& key, const QString& value) = 0;
    // Writes pending values to disk at once.
    virtual void synchronize() = 0;
};

// The application's private persistent folder for its files.
class DocumentsFolder {
  public:
    virtual ~DocumentsFolder() = default;
    // Returns the folder's absolute path; the folder exists.
    virtual QString path() const = 0;
};
