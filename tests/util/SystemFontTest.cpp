#include "util/SystemFont.h"
#include "support/FakePlatform.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {

TEST(SystemFont, IsNotoSansCjkTcAtTheGivenPixelSize) {
    FakePlatform platform;
    const QFont font = systemFont(32);
    EXPECT_EQ(QFontInfo(font).family(), "Noto Sans CJK TC");
    EXPECT_EQ(font.pixelSize(), 32);
    EXPECT_TRUE(QFontMetrics(font).inFontUcs4(U'檢'));
    EXPECT_TRUE(platform.log.lines.isEmpty());
}

TEST(SystemFont, MissingFileIsLoggedAndNotFatal) {
    FakePlatform platform;
    EXPECT_EQ(loadFontFamily("/nonexistent/NotoSansCJK-Regular.ttc", "Noto Sans CJK TC"), "");
    ASSERT_EQ(platform.log.lines.size(), 1);
    EXPECT_TRUE(platform.log.lines[0].contains("/nonexistent/NotoSansCJK-Regular.ttc"));
}

} // namespace
