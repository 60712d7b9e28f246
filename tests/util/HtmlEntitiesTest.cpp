#include "util/HtmlEntities.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char16_t* input;
    const char16_t* expected;
};

class HtmlEntities : public testing::TestWithParam<Case> {};

TEST_P(HtmlEntities, Decodes) {
    const QString input = QString::fromUtf16(GetParam().input);
    EXPECT_EQ(decodeHTMLCharacterEntities(input), QString::fromUtf16(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    References, HtmlEntities,
    testing::Values(
        Case{u"Caf&eacute; &amp; Bar", u"Café & Bar"}, Case{u"&#65;&#x42;&#x4e2d;", u"AB中"},
        Case{u"&#65 and more; end", u"A end"}, Case{u"a ; b &#66;", u"a ; b B"},
        Case{u"&foo;", u"&foo;"}, Case{u"a & b", u"a & b"},
        Case{u"&Agrave;&agrave;&nbsp;&yuml;&times;&divide;", u"Àà\u00a0ÿ×÷"},
        Case{u"&lt;b&gt; &apos;x&quot;", u"<b> 'x\""},
        // Characters above U+FFFF (rare CJK in names) stay whole.
        Case{u"&#128512;", u"\U0001F600"}, Case{u"&#x20BB7;&#134071;", u"\U00020BB7\U00020BB7"},
        // Values that are no Unicode scalar value become U+FFFD.
        Case{u"&#X41;", u"\uFFFD"}, Case{u"&#;", u"\uFFFD"}, Case{u"&#xD800;", u"\uFFFD"},
        Case{u"&#x110000;", u"\uFFFD"}, Case{u"&#99999999999999999999999;", u"\uFFFD"},
        Case{u"&#-65;", u"\uFFFD"}, Case{u"x&#  66;y", u"xBy"}, Case{u"&#x0x41;", u"A"},
        Case{u"&#x41z;", u"A"},
        // A hex body is hex digits only: no spaces, no sign.
        Case{u"&#x 41;", u"\uFFFD"}, Case{u"&#x+41;", u"\uFFFD"}, Case{u"&#x-41;", u"\uFFFD"},
        // Adjacent halves of a surrogate pair give its character; a
        // lone half, or halves apart, stay U+FFFD.
        Case{u"&#55360;&#56331;", u"\U0002000B"}, Case{u"&#xD83D;&#xDE00;!", u"\U0001F600!"},
        Case{u"&#xD83D;&#xD83D;&#xDE00;", u"\uFFFD\U0001F600"},
        Case{u"&#xD83D; &#xDE00;", u"\uFFFD \uFFFD"}, Case{u"&#xDE00;&#xD83D;", u"\uFFFD\uFFFD"},
        Case{u"&#xD83D;", u"\uFFFD"}, Case{u"&#xD83D;&#65;", u"\uFFFDA"},
        // A decoded "&" is read again with the text after it.
        Case{u"&#38;#65;", u"A"}, Case{u"&#38;x", u"&x"},
        // The basic entities are replaced before numeric references.
        Case{u"&amp;#65;", u"A"}));

TEST(HtmlEntitiesInput, TextWithoutAmpersandIsReturnedUnshared) {
    const QString text = QStringLiteral("陳大文");
    const QString decoded = decodeHTMLCharacterEntities(text);
    EXPECT_EQ(decoded.constData(), text.constData()); // no copy was made
}

TEST(HtmlEntitiesInput, ManySemicolonsBeforeAReference) {
    const QString text = QString(100000, u';') + QStringLiteral("&#65;") + QString(3, u';');
    EXPECT_EQ(decodeHTMLCharacterEntities(text), QString(100000, u';') + "A;;;");
}

TEST(HtmlEntitiesInput, LeavesItsInputUnchanged) {
    const QString text = QStringLiteral("&amp;&#65;");
    const QString before = text;
    decodeHTMLCharacterEntities(text);
    EXPECT_EQ(text, before);
}

} // namespace
