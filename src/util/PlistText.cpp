#include "util/PlistText.h"

#include <QLocale>
#include <QTimeZone>
#include <cmath>
#include <cstdio>
#include <limits>

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

int base64Digit(char16_t c) {
    if (c >= u'A' && c <= u'Z') return c - u'A';
    if (c >= u'a' && c <= u'z') return c - u'a' + 26;
    if (c >= u'0' && c <= u'9') return c - u'0' + 52;
    if (c == u'+') return 62;
    if (c == u'/') return 63;
    return -1;
}

} // namespace

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
    return QByteArray::number(value, 'g', QLocale::FloatingPointShortest);
}

std::optional<QByteArray> dataFromPlistText(QStringView text) {
    QByteArray data;
    data.reserve(text.size() / 4 * 3 + 3);
    quint32 group = 0;
    int inGroup = 0, padding = 0;
    for (QChar c : text) {
        if (isXmlSpace(c)) continue;
        const int digit = base64Digit(c.unicode());
        // Padding ends the text: only more "=" to fill the group may follow.
        if (padding > 0 && c != u'=') return std::nullopt;
        if (c == u'=') {
            if (inGroup < 2) return std::nullopt;
            ++padding;
        } else if (digit < 0) {
            return std::nullopt;
        }
        group = (group << 6) | quint32(digit < 0 ? 0 : digit);
        if (++inGroup < 4) continue;
        const char bytes[] = {char(group >> 16), char(group >> 8), char(group)};
        data.append(bytes, 3 - padding);
        group = 0;
        inGroup = 0;
    }
    if (inGroup != 0) return std::nullopt;
    return data;
}
