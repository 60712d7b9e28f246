#pragma once

// Whether the two readers of property lists (the plain one and the one on
// Qt's XML reader) give the same result for a document.
#include "plist/Plist.h"
#include "plist/PlistPlainReader.h"

#include <cmath>

// Whether a and b are the same value; unlike ==, a NaN is the same as a NaN
// and -0.0 is not the same as 0.0.
inline bool samePlistValue(const PlistValue& a, const PlistValue& b) {
    if (a.type() != b.type()) return false;
    if (const double* real = a.asReal())
        return (std::isnan(*real) && std::isnan(*b.asReal())) ||
               (a == b && std::signbit(*real) == std::signbit(*b.asReal()));
    if (const PlistValue::Array* items = a.asArray()) {
        const PlistValue::Array& others = *b.asArray();
        if (items->size() != others.size()) return false;
        for (std::size_t i = 0; i < items->size(); ++i)
            if (!samePlistValue((*items)[i], others[i])) return false;
        return true;
    }
    if (const PlistDict* dict = a.asDict()) {
        const PlistDict& other = *b.asDict();
        if (dict->size() != other.size()) return false;
        for (auto mine = dict->begin(), theirs = other.begin(); mine != dict->end();
             ++mine, ++theirs)
            if (mine->first != theirs->first || !samePlistValue(mine->second, theirs->second))
                return false;
        return true;
    }
    return a == b;
}

// Whether readPlist reads xml as the XML reader alone does (the same value or
// the same error), and the plain reader, when it reads xml at all, reads the
// same value.
inline bool readsTheSameBothWays(const QByteArray& xml) {
    const PlistReadResult full = readPlist(xml);
    const PlistReadResult slow = readPlistWithXmlReader(xml);
    if (full.value.has_value() != slow.value.has_value() || full.error != slow.error ||
        full.skipped != slow.skipped)
        return false;
    if (full.value && !samePlistValue(*full.value, *slow.value)) return false;
    const std::optional<PlistValue> plain = readPlainPlist(xml);
    return !plain || (slow.value && samePlistValue(*plain, *slow.value));
}
