#include "util/Plist.h"

#include "util/PlistTree.h"

#include <QFile>
#include <QSaveFile>
#include <cstdlib>
#include <limits>
#include <memory>

namespace {

// Deeper nesting is refused: no file of this app comes near it, and both the
// conversion here and libplist's writer recurse once per level.
constexpr int maxDepth = 512;

// Seconds from 1970-01-01 to 2001-01-01, libplist's epoch for dates.
constexpr qint64 plistEpochOffset = 978307200;

// Owns a tree built here, which is never deeper than maxDepth.
struct NodeDeleter {
    void operator()(void* node) const { plist_free(static_cast<plist_t>(node)); }
};
using Node = std::unique_ptr<void, NodeDeleter>;

QDateTime dateFromPlistSeconds(qint64 seconds) {
    return QDateTime::fromSecsSinceEpoch(seconds + plistEpochOffset, Qt::UTC);
}

// Converts a libplist tree; returns false with *error set on what cannot be
// represented.
bool fromNode(plist_t node, int depth, PlistValue& out, QString& error);

bool arrayFromNode(plist_t node, int depth, PlistValue& out, QString& error) {
    PlistValue::Array items;
    items.reserve(plist_array_get_size(node));
    plist_array_iter it = nullptr;
    plist_array_new_iter(node, &it);
    bool ok = true;
    for (plist_t child = nullptr; ok;) {
        plist_array_next_item(node, it, &child);
        if (!child) break;
        items.emplace_back();
        ok = fromNode(child, depth + 1, items.back(), error);
    }
    std::free(it);
    out = PlistValue(std::move(items));
    return ok;
}

bool dictFromNode(plist_t node, int depth, PlistValue& out, QString& error) {
    PlistDict dict;
    dict.reserve(plist_dict_get_size(node));
    plist_dict_iter it = nullptr;
    plist_dict_new_iter(node, &it);
    bool ok = true;
    while (ok) {
        char* key = nullptr;
        plist_t child = nullptr;
        plist_dict_next_item(node, it, &key, &child);
        if (!key) break;
        PlistValue value;
        ok = fromNode(child, depth + 1, value, error);
        // libplist keeps one item per key, so no search is needed.
        dict.append(QString::fromUtf8(key), std::move(value));
        std::free(key);
    }
    std::free(it);
    out = PlistValue(std::move(dict));
    return ok;
}

bool dateFromNode(plist_t node, PlistValue& out, QString& error) {
    int32_t sec = 0, usec = 0;
    plist_get_date_val(node, &sec, &usec);
    // libplist squeezes dates outside its 32-bit range into these two values.
    if (sec == std::numeric_limits<int32_t>::min() || sec == std::numeric_limits<int32_t>::max()) {
        error = QStringLiteral("date out of range");
        return false;
    }
    out = PlistValue(dateFromPlistSeconds(sec).addMSecs(usec / 1000));
    return true;
}

bool fromNode(plist_t node, int depth, PlistValue& out, QString& error) {
    if (depth > maxDepth) {
        error = QStringLiteral("nested deeper than %1 levels").arg(maxDepth);
        return false;
    }
    switch (plist_get_node_type(node)) {
    case PLIST_BOOLEAN: {
        uint8_t b = 0;
        plist_get_bool_val(node, &b);
        out = PlistValue(b != 0);
        return true;
    }
    case PLIST_UINT: {
        uint64_t u = 0;
        plist_get_uint_val(node, &u);
        out = PlistValue(qint64(u));
        return true;
    }
    case PLIST_REAL: {
        double d = 0;
        plist_get_real_val(node, &d);
        out = PlistValue(d);
        return true;
    }
    case PLIST_STRING: {
        uint64_t length = 0;
        const char* s = plist_get_string_ptr(node, &length);
        out = PlistValue(QString::fromUtf8(s, qsizetype(length)));
        return true;
    }
    case PLIST_DATA: {
        uint64_t length = 0;
        const char* d = plist_get_data_ptr(node, &length);
        out = PlistValue(QByteArray(d, qsizetype(length)));
        return true;
    }
    case PLIST_DATE:
        return dateFromNode(node, out, error);
    case PLIST_ARRAY:
        return arrayFromNode(node, depth, out, error);
    case PLIST_DICT:
        return dictFromNode(node, depth, out, error);
    default:
        error = QStringLiteral("unsupported element");
        return false;
    }
}

// Builds a libplist tree; returns null with *error set on what the XML form
// cannot hold.
plist_t toNode(const PlistValue& value, int depth, QString& error);

// The XML form cannot hold a NUL character (libplist would cut the text
// there); it is written as U+FFFD so that one odd text never stops a file,
// such as the whole case list, from being written.
QByteArray xmlText(const QString& s) {
    if (!s.contains(QChar(u'\0'))) return s.toUtf8();
    return QString(s).replace(QChar(u'\0'), QChar::ReplacementCharacter).toUtf8();
}

plist_t dateNode(const QDateTime& date, QString& error) {
    if (!date.isValid()) {
        error = QStringLiteral("invalid date");
        return nullptr;
    }
    // Whole seconds, rounded down: the XML form holds no more.
    const qint64 ms = date.toMSecsSinceEpoch();
    const qint64 sec = (ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000)) - plistEpochOffset;
    if (sec <= std::numeric_limits<int32_t>::min() || sec >= std::numeric_limits<int32_t>::max()) {
        error = QStringLiteral("date out of range: %1").arg(date.toString(Qt::ISODate));
        return nullptr;
    }
    return plist_new_date(int32_t(sec), 0);
}

plist_t arrayNode(const PlistValue::Array& items, int depth, QString& error) {
    Node array(plist_new_array());
    for (const PlistValue& item : items) {
        plist_t child = toNode(item, depth + 1, error);
        if (!child) return nullptr;
        plist_array_append_item(array.get(), child);
    }
    return array.release();
}

plist_t dictNode(const PlistDict& dict, int depth, QString& error) {
    Node node(plist_new_dict());
    for (const auto& [name, item] : dict) {
        plist_t child = toNode(item, depth + 1, error);
        if (!child) return nullptr;
        plist_dict_set_item(node.get(), xmlText(name).constData(), child);
    }
    return node.release();
}

plist_t toNode(const PlistValue& value, int depth, QString& error) {
    if (depth > maxDepth) {
        error = QStringLiteral("nested deeper than %1 levels").arg(maxDepth);
        return nullptr;
    }
    switch (value.type()) {
    case PlistValue::Type::None:
        error = QStringLiteral("a value is missing");
        return nullptr;
    case PlistValue::Type::String:
        return plist_new_string(xmlText(*value.asString()).constData());
    case PlistValue::Type::Real:
        return plist_new_real(*value.asReal());
    case PlistValue::Type::Integer:
        // libplist keeps the bits and writes them back as a signed number.
        return plist_new_uint(uint64_t(*value.asInteger()));
    case PlistValue::Type::Boolean:
        return plist_new_bool(*value.asBool());
    case PlistValue::Type::Date:
        return dateNode(*value.asDate(), error);
    case PlistValue::Type::Data:
        return plist_new_data(value.asData()->constData(), uint64_t(value.asData()->size()));
    case PlistValue::Type::Array:
        return arrayNode(*value.asArray(), depth, error);
    case PlistValue::Type::Dict:
        return dictNode(*value.asDict(), depth, error);
    }
    return nullptr;
}

// Hands the XML form of value to use(xml, length), straight from libplist's
// buffer: a case with its photos is megabytes, not worth another copy.
template <typename Use> bool withXml(const PlistValue& value, QString* error, Use use) {
    QString why;
    Node root(toNode(value, 0, why));
    if (!root) {
        if (error) *error = why;
        return false;
    }
    char* xml = nullptr;
    uint32_t length = 0;
    plist_to_xml(root.get(), &xml, &length);
    root.reset(); // the tree holds a copy of every photo; free it before writing
    if (!xml) {
        if (error) *error = QStringLiteral("libplist could not write the XML form");
        return false;
    }
    const bool ok = use(xml, length);
    plist_to_xml_free(xml);
    return ok;
}

PlistReadResult failure(QString error) {
    return {std::nullopt, std::move(error)};
}

} // namespace

PlistReadResult readPlist(const QByteArray& xml) {
    if (xml.isEmpty()) return failure(QStringLiteral("empty file"));
    if (xml.startsWith("bplist"))
        return failure(QStringLiteral("binary property list (only the XML form is read)"));
    // libplist takes a 32-bit length.
    if (quint64(xml.size()) > std::numeric_limits<uint32_t>::max())
        return failure(QStringLiteral("too large for a property list"));
    plist_t root = nullptr;
    plist_from_xml(xml.constData(), uint32_t(xml.size()), &root);
    if (!root) return failure(QStringLiteral("not a property list in XML form"));
    PlistReadResult result;
    PlistValue value;
    if (fromNode(root, 0, value, result.error)) {
        // Converted whole, so no deeper than maxDepth: plist_free is safe.
        plist_free(root);
        result.value = std::move(value);
    } else {
        freePlistTree(root);
    }
    return result;
}

PlistReadResult readPlistFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return failure(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return readPlist(bytes);
}

std::optional<QByteArray> writePlist(const PlistValue& value, QString* error) {
    QByteArray bytes;
    if (!withXml(value, error, [&](const char* xml, uint32_t length) {
            bytes = QByteArray(xml, qsizetype(length));
            return true;
        }))
        return std::nullopt;
    return bytes;
}

bool writePlistFile(const QString& path, const PlistValue& value, QString* error) {
    QSaveFile file(path);
    const auto save = [&](const char* xml, uint32_t length) {
        // flush() before commit(): commit() overlooks a failure of the final
        // flush and would put a cut-off file in place of the old one.
        if (file.open(QIODevice::WriteOnly) && file.write(xml, length) == qint64(length) &&
            file.flush() && file.commit())
            return true;
        if (error) *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    };
    return withXml(value, error, save);
}
