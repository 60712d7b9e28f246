#pragma once

#include "plist/PlistValue.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringView>
#include <optional>

// The texts of the scalar elements of the XML property-list form. Each reader
// takes what stands between the element's tags (surrounding white space
// allowed) and gives none, or an Unread value, for text it cannot read
// exactly: never a default in its place.

// UTF-8 as text with every character kept, a U+FEFF at the start too (which
// QString::fromUtf8 drops, taking it for a byte-order mark).
QString textOfUtf8(QByteArrayView utf8);

// "2015-06-30T06:05:07Z", or with an offset from UTC ("+08:00", "-0530"),
// for years 1 to 9999 also after the offset is applied; the date in UTC.
std::optional<QDateTime> dateFromPlistText(QStringView text);
// The date at the whole second at or before it, as "yyyy-MM-ddTHH:mm:ssZ" in
// UTC; none for an invalid date or one outside the years 1 to 9999.
std::optional<QByteArray> plistTextOfDate(const QDateTime& date);

// A decimal integer from -2^63 to 2^64 - 1 (with an optional sign) or a
// hexadecimal one after "0x"; an Unread integer for any other text.
PlistValue integerFromPlistText(QStringView text);

// A decimal real, "inf", "-inf" or "nan".
std::optional<double> realFromPlistText(QStringView text);
// The shortest text that reads back as the same double.
QByteArray plistTextOfReal(double value);

// Base64 with its padding; white space anywhere is skipped. None for any
// other character, a missing or misplaced "=", or a cut-off group.
std::optional<QByteArray> dataFromPlistText(QStringView text);
// The same from the bytes of the text (ASCII; any other byte is refused).
std::optional<QByteArray> dataFromPlistText(QByteArrayView text);
