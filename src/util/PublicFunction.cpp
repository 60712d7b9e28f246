#include "util/PublicFunction.h"

#include "platform/Platform.h"

#include <QLocale>
#include <QUuid>
#include <cstdlib>

namespace {

const QString kDeviceIdKey = QStringLiteral("deviceIdentifier");

} // namespace

QString PublicFunction::getFormatTimeFormatString(const std::optional<QDateTime>& date,
                                                  const QString& pattern) {
    if (!date || !date->isValid()) return QString(""); // "" rather than none
    // The C locale keeps digits ASCII and the calendar Gregorian.
    return QLocale::c().toString(date->toLocalTime(), pattern);
}

std::optional<QString>
PublicFunction::getFormatROCTimeFormatString(const std::optional<QDateTime>& date,
                                             const QString& pattern) {
    if (!date || !date->isValid()) return std::nullopt;
    const QString text = getFormatTimeFormatString(date, pattern);
    const int year = text.left(4).toInt();
    return QString::number(year - 1911) + text.mid(4);
}

QString PublicFunction::getNowROCTime() {
    return *getFormatROCTimeFormatString(platform().clock->now(), QStringLiteral("yyyyMMddHHmmss"));
}

QColor PublicFunction::colorWithHexString(const QString& hex) {
    // strtoul's base-16 rule: white space, sign and 0x prefix allowed; the
    // digits up to the first other character count; none gives 0.
    const QByteArray text = hex.toLatin1();
    const unsigned long long value = std::strtoull(text.constData(), nullptr, 16);
    return colorWithHex(static_cast<quint32>(value & 0xFFFFFFFFu));
}

QColor PublicFunction::colorWithHex(quint32 rgba) {
    return QColor::fromRgbF(((rgba >> 24) & 0xFF) / 255.0f, ((rgba >> 16) & 0xFF) / 255.0f,
                            ((rgba >> 8) & 0xFF) / 255.0f, (rgba & 0xFF) / 255.0f);
}

QString PublicFunction::getUUID() {
    SettingsStore& settings = *platform().settings;
    if (const auto stored = settings.string(kDeviceIdKey); stored && stored->size() == 36)
        return *stored;
    const QString made = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
    settings.setString(kDeviceIdKey, made);
    settings.synchronize();
    return made;
}

void PublicFunction::startIndicator(const QString& label) {
    if (ProgressIndicator* indicator = platform().indicator) indicator->start(label);
}

void PublicFunction::stopIndicator() {
    if (ProgressIndicator* indicator = platform().indicator) indicator->stop();
}

void PublicFunction::indicateStep(int place, int count, const QString& name) {
    if (ProgressIndicator* indicator = platform().indicator)
        indicator->showStep(place, count, name);
}

void PublicFunction::indicateShare(qint64 done, qint64 total) {
    if (ProgressIndicator* indicator = platform().indicator) indicator->showShare(done, total);
}
