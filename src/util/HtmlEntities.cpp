#include "util/HtmlEntities.h"

#include <algorithm>
#include <array>
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

// The value of a hex digit, or -1 for any other character.
int hexDigit(QChar c) {
    if (c >= u'0' && c <= u'9') return c.unicode() - u'0';
    if (c >= u'a' && c <= u'f') return c.unicode() - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c.unicode() - u'A' + 10;
    return -1;
}

// Values too large to be a code point saturate here and become U+FFFD later.
constexpr long long kTooLarge = 0x7FFFFFFF;

// Hex digits (an optional "0x" before them) up to the first other character;
// nothing readable gives 0. Neither spaces nor a sign are hex digits.
long long hexValue(QStringView digits) {
    if (digits.startsWith(u"0x")) digits = digits.mid(2);
    long long value = 0;
    for (QChar c : digits) {
        const int digit = hexDigit(c);
        if (digit < 0) break;
        value = std::min(value * 16 + digit, kTooLarge);
    }
    return value;
}

// Reads a numeric reference's body: "x" then hex digits, otherwise a decimal
// the way strtol reads it (leading white space and a sign allowed).
long long referenceValue(QStringView body) {
    if (body.startsWith(u'x')) return hexValue(body.mid(1));
    const QByteArray latin = body.toLatin1();
    return std::clamp<long long>(std::strtoll(latin.constData(), nullptr, 10), -1, kTooLarge);
}

bool isHighSurrogate(long long value) {
    return value >= 0xD800 && value <= 0xDBFF;
}
bool isLowSurrogate(long long value) {
    return value >= 0xDC00 && value <= 0xDFFF;
}

// The text of one code point. Anything that is not a Unicode scalar value
// (0, a lone surrogate, beyond U+10FFFF) becomes U+FFFD rather than a wrong or
// broken character.
QString characterFor(long long value) {
    const bool scalar =
        value >= 1 && value <= 0x10FFFF && !isHighSurrogate(value) && !isLowSurrogate(value);
    const char32_t codePoint = scalar ? static_cast<char32_t>(value) : U'\uFFFD';
    return QString::fromUcs4(&codePoint, 1);
}

// One numeric reference: "&#", its body, and the ";" that ends it.
struct Reference {
    qsizetype start = -1; // of the "&#"
    qsizetype end = -1;   // of the ";"
    long long value = 0;
};

// The first reference at or after from, or none (start -1).
Reference findReference(const QString& m, qsizetype from) {
    Reference ref;
    const qsizetype start = m.indexOf(QLatin1String("&#"), from);
    if (start < 0) return ref;
    const qsizetype end = m.indexOf(QLatin1Char(';'), start + 2);
    if (end < 0) return ref;
    ref.start = start;
    ref.end = end;
    ref.value = referenceValue(QStringView(m).mid(start + 2, end - start - 2));
    return ref;
}

// Replaces every numeric reference in one pass over m. A reference runs from
// its "&#" to the first ";" after it. Servers that write UTF-16 code units
// send a character above U+FFFF as two references, its high and low halves:
// directly adjacent halves give that character. A decoded "&" may begin a
// further reference with the text after it, so it is scanned again.
QString replaceNumericReferences(QString m) {
    QString out;
    out.reserve(m.size());
    qsizetype p = 0;
    for (Reference ref = findReference(m, p); ref.start >= 0; ref = findReference(m, p)) {
        out.append(QStringView(m).mid(p, ref.start - p));
        p = ref.end + 1;
        if (ref.value == u'&') { // stands in for the ";" and is read again
            m[ref.end] = u'&';
            p = ref.end;
            continue;
        }
        if (isHighSurrogate(ref.value) && QStringView(m).mid(p).startsWith(u"&#")) {
            const Reference low = findReference(m, p);
            if (low.start == p && isLowSurrogate(low.value)) {
                out.append(QChar(char16_t(ref.value)));
                out.append(QChar(char16_t(low.value)));
                p = low.end + 1;
                continue;
            }
        }
        out.append(characterFor(ref.value));
    }
    out.append(QStringView(m).mid(p));
    return out;
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
    return replaceNumericReferences(std::move(m));
}
