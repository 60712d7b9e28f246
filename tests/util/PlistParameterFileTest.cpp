#include "util/PlistParameterFileOverride.h"
#include "util/PublicFunction.h"

#include <QFile>
#include <gtest/gtest.h>

namespace {

const QString parameters = QString::fromLatin1(parametersFileName);

TEST(ParameterFile, ReadsTheBuiltInFile) {
    const PlistReadResult shipped =
        readPlistFile(QStringLiteral(INSPECTOR_SOURCE_DIR "/resources/Parameters.plist"));
    ASSERT_TRUE(shipped.value && shipped.value->asDict()) << shipped.error.toStdString();
    for (const char* key : {serverIpKey, verIosKey}) {
        const PlistValue* value = shipped.value->asDict()->value(key);
        ASSERT_TRUE(value && value->asString()) << key;
        EXPECT_EQ(PublicFunction::getPlistPrarmAndKey(parameters, key), *value->asString());
    }
}

TEST(ParameterFile, TheBuiltInFileServesTheApp) {
    for (const QString& path : {QStringLiteral(":/Parameters.plist"),
                                QStringLiteral(INSPECTOR_SOURCE_DIR "/resources/Parameters.plist")})
        EXPECT_EQ(parameterFileProblem(path), std::nullopt) << path.toStdString();
    EXPECT_TRUE(parameterFileProblem(QStringLiteral(":/NoSuchFile.plist")));
}

TEST(ParameterFile, MissingFileKeyOrTextIsNone) {
    EXPECT_EQ(PublicFunction::getPlistPrarmAndKey(parameters, "NoSuchKey"), std::nullopt);
    EXPECT_EQ(PublicFunction::getPlistPrarmAndKey("NoSuchFile.plist", serverIpKey), std::nullopt);
    PlistDict dict;
    dict.insert(serverIpKey, 8080);
    ParameterFileOverride file(dict);
    EXPECT_EQ(PublicFunction::getPlistPrarmAndKey(parameters, serverIpKey), std::nullopt);
}

TEST(ParameterFile, AnOverrideFileTakesThePlaceOfTheBuiltInOne) {
    const std::optional<QString> builtIn =
        PublicFunction::getPlistPrarmAndKey(parameters, serverIpKey);
    {
        PlistDict dict;
        dict.insert(serverIpKey, "10.1.2.3:8081");
        ParameterFileOverride file(dict);
        EXPECT_EQ(PublicFunction::getPlistPrarmAndKey(parameters, serverIpKey), "10.1.2.3:8081");
        // The override stands in for the whole file: its missing keys are none.
        EXPECT_EQ(PublicFunction::getPlistPrarmAndKey(parameters, verIosKey), std::nullopt);
        QFile::remove(file.path());
        EXPECT_EQ(PublicFunction::getPlistPrarmAndKey(parameters, serverIpKey), std::nullopt);
    }
    EXPECT_EQ(PublicFunction::getPlistPrarmAndKey(parameters, serverIpKey), builtIn);
}

} // namespace
