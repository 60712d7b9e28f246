#pragma once

#include <QString>
#include <optional>

// The two QR codes an inspector scans at the start of a check.
//
// A registration code is text with at least one ",": field 1 is the
// equipment number, field 2 the check number, further fields are ignored.
// A use permit is an address whose second query parameter is "ipno"; its
// value is the permit number.
//
// A payload holding a character that an XML 1.0 document cannot carry (a
// control character other than tab, line feed and carriage return, half of a
// surrogate pair, U+FFFE or U+FFFF) is neither: the store's files could not
// keep such a code unchanged, so its case key would change across a save.

struct RegistrationCode {
    QString text;   // the whole payload: the key of its stored case, if any
    QString pakeno; // equipment number, field 1
    QString Chkno;  // check number, field 2 (may be empty)

    // Whether the check needs a use permit: every check number but one that
    // begins with an upper-case "F".
    bool needsPermit() const;
};

// Reads payload as a registration code; none when it holds no "," or a
// character XML 1.0 cannot carry.
std::optional<RegistrationCode> readRegistrationCode(const QString& payload);

// Reads payload as a use permit and returns its permit number, which may be
// empty; none when payload is not a permit.
std::optional<QString> readPermitNumber(const QString& payload);

// Whether every character of text can stand in an XML 1.0 document.
bool isXmlCarriable(const QString& text);
