#pragma once

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QPointF>
#include <QString>
#include <optional>

// Stateless operations the screens share: time texts with the year counted in
// the ROC calendar, colours, the device identifier, the parameter file, the
// progress overlay, and photo stamping.
class PublicFunction {
public:
    PublicFunction() = delete;

    // ---- Time texts ----
    // The date in the device's local time zone and the Gregorian calendar,
    // formatted with a pattern of yyyy MM dd HH mm ss; "" without a date.
    static QString getFormatTimeFormatString(const std::optional<QDateTime>& date,
                                             const QString& pattern);
    // As above with the year counted from 1912 (2014 -> 103); the pattern
    // must begin with "yyyy". None without a date.
    static std::optional<QString> getFormatROCTimeFormatString(const std::optional<QDateTime>& date,
                                                               const QString& pattern);
    // The compact ROC time ("yyyyMMddHHmmss") of the present moment.
    static QString getNowROCTime();

    // ---- Colours ----
    // Eight hexadecimal digits RRGGBBAA, read as the C library reads base 16.
    static QColor colorWithHexString(const QString& hex);
    static QColor colorWithHex(quint32 rgba);

    // ---- Device and configuration ----
    // The device's identifier for this app: 36 upper-case hexadecimal
    // characters in groups of 8-4-4-4-12, made once and kept in the settings.
    static QString getUUID();
    // The text under key in the property-list dictionary of the resource file
    // fileName; none when the file or the key is missing (or not a text).
    static std::optional<QString> getPlistPrarmAndKey(const QString& fileName, const QString& key);

    // ---- Progress overlay over the main window ----
    static void startIndicator(const QString& label);
    static void stopIndicator();

    // ---- Photo stamping ----
};
