#include "net/CoordinateText.h"

#include <charconv>
#include <cmath>

QString coordinateText(float degrees) {
    // A position that cannot be read is sent as 0, "no position": "nan" or
    // "inf" is no coordinate, and the server refuses the whole case for it.
    if (!std::isfinite(degrees)) return QStringLiteral("0");
    // Fixed notation needs at most 39 integer digits and 45 decimals for a float.
    char text[96];
    const auto result = std::to_chars(text, text + sizeof text, degrees, std::chars_format::fixed);
    return QString::fromLatin1(text, result.ptr - text);
}
