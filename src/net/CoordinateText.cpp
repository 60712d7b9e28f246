#include "net/CoordinateText.h"

#include <charconv>

QString coordinateText(float degrees) {
    // Fixed notation needs at most 39 integer digits and 45 decimals for a float.
    char text[96];
    const auto result = std::to_chars(text, text + sizeof text, degrees, std::chars_format::fixed);
    return QString::fromLatin1(text, result.ptr - text);
}
