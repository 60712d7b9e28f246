#include "plist/PlistText.h"

#include "plist/Base64Encoder.h"

#include <QLocale>
#include <QStringDecoder>
#include <QTimeZone>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <type_traits>

namespace {

bool isXmlSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r';
}

QStringView trimmed(QStringView text) {
    while (!text.isEmpty() && isXmlSpace(text.front()))
        text = text.mid(1);
    while (!text.isEmpty() && isXmlSpace(text.back()))
        text.chop(1);
    return text;
}

// The number written with count decimal digits at pos; -1 when they are not
// all digits.
int digitsAt(QStringView text, qsizetype pos, int count) {
    if (pos + count > text.size()) return -1;
    int value = 0;
    for (qsizetype i = pos; i < pos + count; ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9') return -1;
        value = value * 10 + (c - u'0');
    }
    return value;
}

// Seconds ahead of UTC of "Z", "+HH:MM", "-HH:MM", "+HHMM" or "-HHMM".
std::optional<int> utcOffset(QStringView zone) {
    if (zone == u"Z") return 0;
    if (zone.size() != 5 && zone.size() != 6) return std::nullopt;
    if (zone.size() == 6 && zone[3] != u':') return std::nullopt;
    const int sign = zone[0] == u'+' ? 1 : zone[0] == u'-' ? -1 : 0;
    const int hours = digitsAt(zone, 1, 2);
    const int minutes = digitsAt(zone, zone.size() - 2, 2);
    if (sign == 0 || hours < 0 || hours > 23 || minutes < 0 || minutes > 59) return std::nullopt;
    return sign * (hours * 3600 + minutes * 60);
}

bool isWritableYear(const QDateTime& utc) {
    const int year = utc.date().year();
    return year >= 1 && year <= 9999;
}

int digitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

} // namespace

QString textOfUtf8(QByteArrayView utf8) {
    QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::ConvertInitialBom);
    return decode(utf8);
}

std::optional<QDateTime> dateFromPlistText(QStringView text) {
    text = trimmed(text);
    // yyyy-MM-ddTHH:mm:ss, then the zone.
    if (text.size() < 20 || text[4] != u'-' || text[7] != u'-' || text[10] != u'T' ||
        text[13] != u':' || text[16] != u':')
        return std::nullopt;
    const QDate date(digitsAt(text, 0, 4), digitsAt(text, 5, 2), digitsAt(text, 8, 2));
    const int hour = digitsAt(text, 11, 2), minute = digitsAt(text, 14, 2),
              second = digitsAt(text, 17, 2);
    const std::optional<int> offset = utcOffset(text.mid(19));
    // QTime would take -1 for "no time", so each part is checked first.
    if (!date.isValid() || hour < 0 || minute < 0 || second < 0 || !offset) return std::nullopt;
    const QTime time(hour, minute, second);
    if (!time.isValid()) return std::nullopt;
    const QDateTime utc = QDateTime(date, time, Qt::UTC).addSecs(-*offset);
    if (!isWritableYear(utc)) return std::nullopt;
    return utc;
}

std::optional<QByteArray> plistTextOfDate(const QDateTime& date) {
    if (!date.isValid()) return std::nullopt;
    const qint64 ms = date.toMSecsSinceEpoch();
    const qint64 seconds = ms / 1000 - (ms % 1000 < 0 ? 1 : 0);
    const QDateTime utc = QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC);
    if (!isWritableYear(utc)) return std::nullopt;
    const QDate d = utc.date();
    const QTime t = utc.time();
    char text[32];
    const int n = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", d.year(),
                                d.month(), d.day(), t.hour(), t.minute(), t.second());
    return QByteArray(text, n);
}

PlistValue integerFromPlistText(QStringView text) {
    const PlistValue unread(PlistUnread{QStringLiteral("integer"), text.toString()});
    QStringView digits = trimmed(text);
    bool negative = false;
    int base = 10;
    if (digits.startsWith(u"0x") || digits.startsWith(u"0X")) {
        base = 16;
        digits = digits.mid(2);
    } else if (digits.startsWith(u'-') || digits.startsWith(u'+')) {
        negative = digits.front() == u'-';
        digits = digits.mid(1);
    }
    if (digits.isEmpty()) return unread;
    quint64 magnitude = 0;
    for (QChar c : digits) {
        const int digit = digitValue(c.unicode());
        if (digit < 0 || digit >= base ||
            magnitude > (std::numeric_limits<quint64>::max() - quint64(digit)) / quint64(base))
            return unread;
        magnitude = magnitude * quint64(base) + quint64(digit);
    }
    if (!negative) return PlistValue(magnitude);
    if (magnitude > quint64(std::numeric_limits<qint64>::max()) + 1) return unread;
    return PlistValue(qint64(0 - magnitude));
}

std::optional<double> realFromPlistText(QStringView text) {
    text = trimmed(text);
    if (text == u"nan") return std::numeric_limits<double>::quiet_NaN();
    if (text == u"inf" || text == u"+inf") return std::numeric_limits<double>::infinity();
    if (text == u"-inf") return -std::numeric_limits<double>::infinity();
    bool ok = false;
    const double value = QLocale::c().toDouble(text, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

QByteArray plistTextOfReal(double value) {
    if (std::isnan(value)) return QByteArrayLiteral("nan");
    if (std::isinf(value)) return value > 0 ? QByteArrayLiteral("inf") : QByteArrayLiteral("-inf");
    // QByteArray::number writes -0.0 as "0".
    if (value == 0 && std::signbit(value)) return QByteArrayLiteral("-0");
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

namespace {

// What each character below 128 is in Base64 text: a digit's value, or one of
// these; every other character is notBase64.
enum : std::int8_t { notBase64 = -1, base64Space = -2, base64Pad = -3 };
constexpr std::array<std::int8_t, 128> base64Classes = [] {
    std::array<std::int8_t, 128> classes{};
    classes.fill(notBase64);
    for (int value = 0; value < 64; ++value)
        classes[std::size_t(base64Digits[value])] = std::int8_t(value);
    for (const char space : {' ', '\t', '\n', '\r'})
        classes[std::size_t(space)] = base64Space;
    classes[std::size_t('=')] = base64Pad;
    return classes;
}();

template <typename Char> int base64Class(Char c) {
    const auto code = std::make_unsigned_t<Char>(c);
    return code < base64Classes.size() ? int(base64Classes[code]) : int(notBase64);
}

// Groups of four digits, the bulk of the text, go at once; white space and
// the padding go one character at a time.
template <typename Char> std::optional<QByteArray> decodeBase64(const Char* at, const Char* end) {
    QByteArray data(qsizetype((end - at) / 4 * 3 + 3), Qt::Uninitialized);
    char* out = data.data();
    quint32 group = 0;
    int inGroup = 0, padding = 0;
    while (at < end) {
        for (; inGroup == 0 && padding == 0 && end - at >= 4; at += 4, out += 3) {
            const int a = base64Class(at[0]), b = base64Class(at[1]), c = base64Class(at[2]),
                      d = base64Class(at[3]);
            if ((a | b | c | d) < 0) break;
            const quint32 four = quint32(a) << 18 | quint32(b) << 12 | quint32(c) << 6 | quint32(d);
            out[0] = char(four >> 16);
            out[1] = char(four >> 8);
            out[2] = char(four);
        }
        if (at == end) break;
        const int digit = base64Class(*at++);
        if (digit == base64Space) continue;
        // Padding ends the text: only more "=" to fill the group may follow.
        if (padding > 0 && digit != base64Pad) return std::nullopt;
        if (digit == base64Pad) {
            if (inGroup < 2) return std::nullopt;
            ++padding;
        } else if (digit < 0) {
            return std::nullopt;
        }
        group = (group << 6) | quint32(digit < 0 ? 0 : digit);
        if (++inGroup < 4) continue;
        const char bytes[] = {char(group >> 16), char(group >> 8), char(group)};
        out = std::copy(bytes, bytes + 3 - padding, out);
        group = 0;
        inGroup = 0;
    }
    if (inGroup != 0) return std::nullopt;
    data.resize(out - data.constData());
    return data;
}

} // namespace

std::optional<QByteArray> dataFromPlistText(QStringView text) {
    return decodeBase64(text.utf16(), text.utf16() + text.size());
}

std::optional<QByteArray> dataFromPlistText(QByteArrayView text) {
    return decodeBase64(text.data(), text.data() + text.size());
}
