#pragma once

#include "plist/PlistValue.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// Reading and writing property lists in their XML form, so that other
// readers of the format (plistlib, Foundation) read our files and we read
// theirs.
//
// Dates of the years 1 to 9999 are read and written; the XML form holds whole
// seconds, so a date written and read back comes back at the whole second at
// or before it. A date read with an offset from UTC is that instant.
// Integers from -2^63 to 2^64 - 1 come back as written; reals keep full double
// precision. An integer, real, date or data element whose text cannot be read
// exactly is kept as it stood (PlistUnread) and written back unchanged.
// Written files are always well-formed XML 1.0 in UTF-8: a character that XML
// cannot carry (a control character, a lone surrogate) is written as U+FFFD.
// Every encoding XML allows is read. Entity declarations and the binary form
// are refused. Nothing here throws; every failure comes back as an error text.

// Deeper nesting is refused, on reading and on writing.
inline constexpr int plistMaxDepth = 512;
// Larger documents are refused.
inline constexpr qint64 plistMaxBytes = 0xFFFFFFFFLL;

struct PlistReadResult {
    std::optional<PlistValue> value; // none when the input could not be read
    QString error;                   // why not, when value is none
    // What was read past, as other readers of the format do, each with its
    // line: text between elements, elements the format does not know (their
    // tags only: what they hold is read).
    QStringList skipped;
};

// Reads the XML form of a property list.
PlistReadResult readPlist(const QByteArray& xml);
// Reads as readPlist does, always on Qt's XML reader: readPlist first tries
// the faster plain reader (PlistPlainReader.h), and tests compare the two.
PlistReadResult readPlistWithXmlReader(const QByteArray& xml);
// Reads the property list in the file at path.
PlistReadResult readPlistFile(const QString& path);

// Returns the XML form of value, or none with the reason in *error (a date
// outside the years 1 to 9999, a none value inside, nesting deeper than
// plistMaxDepth levels).
std::optional<QByteArray> writePlist(const PlistValue& value, QString* error = nullptr);
// Replaces the file at path with the XML form of value, atomically: on any
// failure it returns false and the file is left as it was.
bool writePlistFile(const QString& path, const PlistValue& value, QString* error = nullptr);

// A list written often, with few of its items changed between writes, keeps
// the text of each item: writePlistArrayItem gives the text of an item of a
// root array, and writePlistArrayFile writes the document of such texts. The
// file is byte for byte the one writePlistFile writes of the array.
std::optional<QByteArray> writePlistArrayItem(const PlistValue& item, QString* error = nullptr);
bool writePlistArrayFile(const QString& path, const QList<QByteArray>& items,
                         QString* error = nullptr);
