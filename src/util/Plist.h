#pragma once

#include "util/PlistValue.h"

#include <QByteArray>
#include <QString>
#include <optional>

// Reading and writing property lists in their XML form, through libplist.
//
// Dates: the XML form holds whole seconds, so a date written and read back
// comes back at the whole second at or before it (milliseconds are lost).
// Dates from 1932-12-13T20:45:53Z to 2069-01-19T03:14:06Z can be written and
// read; others are an error, never a silently different date.
// Integers are 64-bit signed; reals keep full double precision. A NUL
// character, which the XML form cannot hold, is written as U+FFFD.
// Binary property lists are refused: this app writes and reads only the XML
// form, and the binary reader of libplist is not safe on hostile input.
// Nothing here throws; every failure comes back as an error text.

struct PlistReadResult {
    std::optional<PlistValue> value; // none when the input could not be read
    QString error;                   // why not, when value is none
};

// Reads the XML form of a property list.
PlistReadResult readPlist(const QByteArray& xml);
// Reads the property list in the file at path.
PlistReadResult readPlistFile(const QString& path);

// Returns the XML form of value, or none with the reason in *error (a date
// out of range, a none value inside, nesting deeper than 512 levels).
std::optional<QByteArray> writePlist(const PlistValue& value, QString* error = nullptr);
// Replaces the file at path with the XML form of value, atomically: on any
// failure it returns false and the file is left as it was.
bool writePlistFile(const QString& path, const PlistValue& value, QString* error = nullptr);
