#include "app/QtTranslations.h"
#include "support/FakePlatform.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QTranslator>
#include <gtest/gtest.h>

namespace {

// Qt's file dialog and the context menu of a text field speak Traditional
// Chinese once the translations are in.
TEST(QtTranslations, QtsOwnDialogsAndMenusSpeakTraditionalChinese) {
    FakePlatform fake;
    const char* texts[][2] = {{"QFileDialog", "Look in:"},
                              {"QFileDialog", "&Open"},
                              {"QLineEdit", "&Copy"},
                              {"QLineEdit", "&Paste"}};
    for (const auto& [context, text] : texts)
        EXPECT_EQ(QCoreApplication::translate(context, text), QString::fromLatin1(text));
    QTranslator* translator = installQtTranslations(*QCoreApplication::instance());
    ASSERT_NE(translator, nullptr) << fake.log.lines.join('\n').toStdString();
    for (const auto& [context, text] : texts) {
        SCOPED_TRACE(text);
        const QString translated = QCoreApplication::translate(context, text);
        EXPECT_NE(translated, QString::fromLatin1(text));
        EXPECT_TRUE(translated.contains(QRegularExpression(QStringLiteral("\\p{Han}"))))
            << translated.toStdString();
    }
    QCoreApplication::removeTranslator(translator);
    delete translator;
}

} // namespace
