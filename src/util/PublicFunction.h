#pragma once

#include <QColor>
#include <QDateTime>
#include <QImage>
#include <QPointF>
#include <QString>
#include <optional>

// The patterns of the time texts the screens store and show.
inline constexpr char compactRocTimePattern[] = "yyyyMMddHHmmss";   // 1031231235907
inline constexpr char rocDisplayTimePattern[] = "yyyy/MM/dd HH:mm"; // 103/12/31 23:59

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
    // Shows the installed progress indicator with label; nothing without a window.
    static void startIndicator(const QString& label);
    // Removes the progress indicator, if one shows.
    static void stopIndicator();
    // Shows under the indicator's label the place of the current item among
    // count and its name, with an empty bar.
    static void indicateStep(int place, int count, const QString& name);
    // Fills the indicator's bar to done of total bytes.
    static void indicateShare(qint64 done, qint64 total);

    // ---- Photo stamping ----
    // Each leaves its input alone and returns a new picture at one pixel per
    // unit with an alpha channel (a null image for a null input), except
    // that shrinking returns a picture that fits already as it is.
    // The image scaled down to fit width x height, or the image itself when
    // it fits already: pictures are never enlarged. Sides round to the
    // nearest pixel (see shrunkPixelSize).
    static QImage imageByShrinkingWithWidthWithHeight(const QImage& image, qreal width,
                                                      qreal height);
    // The image with text in yellow at its top, right-aligned 10 pixels
    // before its right edge and wrapped to further lines when long. point
    // does not move the text; callers pass (w - 180, 0).
    static QImage drawTextInImageAtPoint(const QString& text, const QImage& image, QPointF point);
    // The image with text in blue on a 150 x 40 white box (alpha 0.7),
    // centred 6 pixels above its bottom edge; text wider than the box is cut
    // at its sides.
    static QImage drawNameTextInImage(const QString& text, const QImage& image);
    // A picture 30 pixels wider and higher: frameImage stretched over it and
    // mirrored top to bottom, with image at (15, 15).
    static QImage addBorderToImageFrameImage(const QImage& image, const QImage& frameImage);
    // The image with its corners rounded by radius and transparent outside.
    static QImage imageByCornerRadiusWithRadius(const QImage& image, qreal radius);
};
