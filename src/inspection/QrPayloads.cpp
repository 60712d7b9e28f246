#include "inspection/QrPayloads.h"

#include <QStringList>

namespace {

const QChar kFieldSeparator = QLatin1Char(',');
const QString kPermitKey = QStringLiteral("ipno");

bool isXmlCharacter(char32_t c) {
    return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
           (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

} // namespace

bool isXmlCarriable(const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            ++i; // a whole pair: a character beyond U+FFFF
            continue;
        }
        // A lone half of a pair falls in 0xD800-0xDFFF, which is refused here.
        if (!isXmlCharacter(unit.unicode())) return false;
    }
    return true;
}

bool RegistrationCode::needsPermit() const {
    return !Chkno.startsWith(QLatin1Char('F'), Qt::CaseSensitive);
}

std::optional<RegistrationCode> readRegistrationCode(const QString& payload) {
    const QStringList fields = payload.split(kFieldSeparator);
    if (fields.size() < 2 || !isXmlCarriable(payload)) return std::nullopt;
    return RegistrationCode{payload, fields[0], fields[1]};
}

std::optional<QString> readPermitNumber(const QString& payload) {
    if (!payload.contains(kPermitKey) || !isXmlCarriable(payload)) return std::nullopt;
    QString query = payload;
    query.replace(QLatin1Char('?'), QLatin1Char('&'));
    const QStringList pieces = query.split(QLatin1Char('&'));
    if (pieces.size() < 3) return std::nullopt;
    // The third piece is the address's second query parameter.
    const QStringList parts = pieces[2].split(QLatin1Char('='));
    if (parts.size() < 2 || parts[0] != kPermitKey) return std::nullopt;
    return parts[1];
}
