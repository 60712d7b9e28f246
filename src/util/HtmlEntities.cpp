#include "util/HtmlEntities.h"

#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>

namespace {

// The HTML 4.01 Latin-1 entities; entry i stands for U+00A0 + i.
constexpr std::array<const char*, 96> kLatin1Entities = {
    "&nbsp;",   "&iexcl;",  "&cent;",   "&pound;",  "&curren;", "&yen;",    "&brvbar;", "&sect;",
    "&uml;",    "&copy;",   "&ordf;",   "&laquo;",  "&not;",    "&shy;",    "&reg;",    "&macr;",
    "&deg;",    "&plusmn;", "&sup2;",   "&sup3;",   "&acute;",  "&micro;",  "&para;",   "&middot;",
    "&cedil;",  "&sup1;",   "&ordm;",   "&raquo;",  "&frac14;", "&frac12;", "&frac34;", "&iquest;",
    "&Agrave;", "&Aacute;", "&Acirc;",  "&Atilde;", "&Auml;",   "&Aring;",  "&AElig;",  "&Ccedil;",
    "&Egrave;", "&Eacute;", "&Ecirc;",  "&Euml;",   "&Igrave;", "&Iacute;", "&Icirc;",  "&Iuml;",
    "&ETH;",    "&Ntilde;", "&Ograve;", "&Oacute;", "&Ocirc;",  "&Otilde;", "&Ouml;",   "&times;",
    "&Oslash;", "&Ugrave;", "&Uacute;", "&Ucirc;",  "&Uuml;",   "&Yacute;", "&THORN;",  "&szlig;",
    "&agrave;", "&aacute;", "&acirc;",  "&atilde;", "&auml;",   "&aring;",  "&aelig;",  "&ccedil;",
    "&egrave;", "&eacute;", "&ecirc;",  "&euml;",   "&igrave;", "&iacute;", "&icirc;",  "&iuml;",
    "&eth;",    "&ntilde;", "&ograve;", "&oacute;", "&ocirc;",  "&otilde;", "&ouml;",   "&divide;",
    "&oslash;", "&ugrave;", "&uacute;", "&ucirc;",  "&uuml;",   "&yacute;", "&thorn;",  "&yuml;",
};

struct BasicEntity {
    const char* name;
    char16_t character;
};
constexpr std::array<BasicEntity, 5> kBasicEntities = {
    {{"&amp;", u'&'}, {"&lt;", u'<'}, {"&gt;", u'>'}, {"&apos;", u'\''}, {"&quot;", u'"'}}};

// Reads a numeric reference's body the way strtoul/strtol do: "x" then hex
// digits (an optional 0x allowed), otherwise a signed decimal. Nothing
// readable gives 0; values too large to hold saturate, and are rejected later.
long long referenceValue(const QString& body) {
    const QByteArray latin = body.toLatin1();
    if (latin.startsWith('x'))
        return static_cast<long long>(std::strtoull(latin.constData() + 1, nullptr, 16));
    return std::strtoll(latin.constData(), nullptr, 10);
}

// The text of one code point. Anything that is not a Unicode scalar value
// (0, a surrogate, beyond U+10FFFF) becomes U+FFFD rather than a wrong or
// broken character.
QString characterFor(long long value) {
    const bool scalar = value >= 1 && value <= 0x10FFFF && !(value >= 0xD800 && value <= 0xDFFF);
    const char32_t codePoint = scalar ? static_cast<char32_t>(value) : U'\uFFFD';
    return QString::fromUcs4(&codePoint, 1);
}

void replaceNumericReferences(QString& m) {
    qsizetype p = 0;
    while (p < m.size()) {
        const qsizetype start = m.indexOf(QLatin1String("&#"), p);
        const qsizetype end = m.indexOf(QLatin1Char(';'), p);
        if (start < 0 || end < 0) break;
        if (end < start) { // a ";" before the "&#" ends no reference
            p = end + 1;
            continue;
        }
        const QString body = m.mid(start + 2, end - start - 2);
        m.replace(start, end - start + 1, characterFor(referenceValue(body)));
        p = start;
    }
}

} // namespace

QString decodeHTMLCharacterEntities(const QString& text) {
    if (!text.contains(QLatin1Char('&'))) return text;
    QString m = text;
    for (std::size_t i = 0; i < kLatin1Entities.size(); ++i) {
        const QLatin1String entity(kLatin1Entities[i]);
        if (text.contains(entity)) m.replace(entity, QChar(char16_t(0x00A0 + i)));
    }
    for (const BasicEntity& basic : kBasicEntities) {
        const QLatin1String entity(basic.name);
        if (text.contains(entity)) m.replace(entity, QChar(basic.character));
    }
    replaceNumericReferences(m);
    return m;
}
