#include "util/PublicFunctionParameters.h"

#include "util/Plist.h"
#include "util/PublicFunction.h"

#include <QHash>

namespace {

// Parameter files given on the command line in place of the built-in ones.
QHash<QString, QString>& parameterFileOverrides() {
    static QHash<QString, QString> overrides;
    return overrides;
}

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
