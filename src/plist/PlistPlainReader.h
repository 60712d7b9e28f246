#pragma once

#include "plist/PlistValue.h"

#include <QByteArrayView>
#include <optional>

// Reads quickly the plain XML form of a property list that our own writer,
// plistlib and Foundation write: UTF-8 without a byte-order mark, the usual
// declaration and DOCTYPE, the elements of the format with no attribute but
// <plist version="1.0">, the five predefined entities and character
// references, white space between elements. It gives up (none) on anything
// else - a comment, CDATA, another encoding, any error - and leaves the
// document to readPlist's full XML reader, which reads it from the start;
// whatever it reads, it reads as that reader does.
std::optional<PlistValue> readPlainPlist(QByteArrayView xml);
