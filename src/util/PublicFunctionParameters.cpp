#include "util/PublicFunctionParameters.h"

#include "plist/Plist.h"
#include "util/PublicFunction.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace {

// Parameter files given on the command line in place of the built-in ones.
QHash<QString, QString>& parameterFileOverrides() {
    static QHash<QString, QString> overrides;
    return overrides;
}

// A parameter file holds a few short texts; anything larger is not one.
constexpr qint64 kMaxParameterFileBytes = 1 << 20;

} // namespace

void setParameterFileOverride(const QString& fileName, const QString& path) {
    if (path.isEmpty())
        parameterFileOverrides().remove(fileName);
    else
        parameterFileOverrides().insert(fileName, path);
}

std::optional<QString> PublicFunction::getPlistPrarmAndKey(const QString& fileName,
                                                           const QString& key) {
    const QString path = parameterFileOverrides().value(fileName, QStringLiteral(":/") + fileName);
    const PlistReadResult file = readPlistFile(path);
    const PlistDict* dict = file.value ? file.value->asDict() : nullptr;
    const PlistValue* value = dict ? dict->value(key) : nullptr;
    if (!value || !value->asString()) return std::nullopt;
    return *value->asString();
}

std::optional<QString> appVersion() {
    return PublicFunction::getPlistPrarmAndKey(QString::fromLatin1(parametersFileName),
                                               QString::fromLatin1(verIosKey));
}

std::optional<QString> parameterFileProblem(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) return QStringLiteral("parameter file %1: no such file").arg(path);
    if (!info.isFile()) return QStringLiteral("parameter file %1: not a file").arg(path);
    if (info.size() > kMaxParameterFileBytes)
        return QStringLiteral("parameter file %1: too large (%2 bytes)").arg(path).arg(info.size());
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("parameter file %1: cannot be read: %2")
            .arg(path, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return QStringLiteral("parameter file %1: cannot be read: %2")
            .arg(path, file.errorString());
    const PlistReadResult read = readPlist(bytes);
    if (!read.value)
        return QStringLiteral("parameter file %1: not a property list (%2)")
            .arg(path, read.error.simplified());
    const PlistDict* dict = read.value->asDict();
    const PlistValue* server = dict ? dict->value(QString::fromLatin1(serverIpKey)) : nullptr;
    if (!server || !server->asString() || server->asString()->trimmed().isEmpty())
        return QStringLiteral("parameter file %1: no \"%2\" (the server's address) in it")
            .arg(path, QString::fromLatin1(serverIpKey));
    return std::nullopt;
}
