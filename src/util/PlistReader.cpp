// Reading the XML form of property lists, on Qt's XML reader: every encoding
// XML allows (a byte-order mark, UTF-16, a declared ISO-8859-1), and no
// recursion, so that no nesting depth can overflow the stack.
#include "util/Plist.h"
#include "util/PlistText.h"

#include <QFile>
#include <QHash>
#include <QXmlStreamReader>
#include <vector>

namespace {

// An array or a dictionary being read.
struct Container {
    bool isDict = false;
    PlistValue::Array items;
    std::vector<PlistDict::Item> entries;
    QHash<QString, std::size_t> indexOfKey;
    std::optional<QString> key; // read, waiting for its value
};

class Reader {
  public:
    explicit Reader(QXmlStreamReader& xml) : xml_(xml) {}

    PlistReadResult read() {
        while (error_.isEmpty() && !xml_.atEnd()) {
            xml_.readNext();
            step();
        }
        if (error_.isEmpty() && xml_.hasError())
            error_ =
                sawElement_
                    ? QStringLiteral("line %1: %2").arg(xml_.lineNumber()).arg(xml_.errorString())
                    : QStringLiteral("not a property list in XML form");
        if (error_.isEmpty() && !root_) fail(QStringLiteral("no value in the document"));
        if (!error_.isEmpty()) return {std::nullopt, error_};
        return {std::move(root_), QString()};
    }

  private:
    void step() {
        switch (xml_.tokenType()) {
        case QXmlStreamReader::DTD:
            // As other readers of the format: no entity may stand for text.
            if (!xml_.entityDeclarations().isEmpty())
                fail(QStringLiteral("entity declarations are not allowed"));
            return;
        case QXmlStreamReader::StartElement:
            return start(xml_.name());
        case QXmlStreamReader::EndElement:
            return end(xml_.name());
        case QXmlStreamReader::Characters:
            if (!xml_.isWhitespace()) fail(QStringLiteral("text outside a value"));
            return;
        case QXmlStreamReader::EntityReference:
            return fail(QStringLiteral("undeclared entity &%1;").arg(xml_.name()));
        default: // the declaration, comments, processing instructions
            return;
        }
    }

    void start(QStringView name) {
        sawElement_ = true;
        if (name == u"plist") {
            if (sawPlist_ || !open_.empty() || root_) fail(QStringLiteral("misplaced <plist>"));
            sawPlist_ = true;
        } else if (name == u"dict" || name == u"array") {
            if (open_.size() >= plistMaxDepth)
                return fail(QStringLiteral("nested deeper than %1 levels").arg(plistMaxDepth));
            open_.push_back(Container{name == u"dict", {}, {}, {}, {}});
        } else if (name == u"key") {
            key();
        } else {
            scalar(name);
        }
    }

    void end(QStringView name) {
        if (name != u"dict" && name != u"array") return;
        Container done = std::move(open_.back());
        open_.pop_back();
        if (done.key) return fail(QStringLiteral("key \"%1\" has no value").arg(*done.key));
        if (!done.isDict) return add(PlistValue(std::move(done.items)));
        PlistDict dict;
        dict.reserve(done.entries.size());
        for (auto& [key, value] : done.entries)
            dict.append(std::move(key), std::move(value));
        add(PlistValue(std::move(dict)));
    }

    void key() {
        if (open_.empty() || !open_.back().isDict || open_.back().key)
            return fail(QStringLiteral("misplaced <key>"));
        QString text = elementText();
        if (error_.isEmpty()) open_.back().key = std::move(text);
    }

    void scalar(QStringView name) {
        const QString element = name.toString();
        const QString text = elementText();
        if (!error_.isEmpty()) return;
        if (element == u"string") return add(PlistValue(text));
        if (element == u"true" || element == u"false") return add(PlistValue(element == u"true"));
        if (element == u"integer") return add(integerFromPlistText(text));
        PlistValue value(PlistUnread{element, text});
        if (element == u"real") {
            if (auto real = realFromPlistText(text)) value = PlistValue(*real);
        } else if (element == u"date") {
            if (auto date = dateFromPlistText(text)) value = PlistValue(*date);
        } else if (element == u"data") {
            if (auto data = dataFromPlistText(text)) value = PlistValue(std::move(*data));
        } else {
            return fail(QStringLiteral("unsupported element <%1>").arg(element));
        }
        add(std::move(value));
    }

    // The text of an element that holds no elements.
    QString elementText() {
        QString text = xml_.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (xml_.hasError()) fail(xml_.errorString());
        return text;
    }

    void add(PlistValue value) {
        if (open_.empty()) {
            if (root_) return fail(QStringLiteral("more than one value in the document"));
            root_ = std::move(value);
            return;
        }
        Container& parent = open_.back();
        if (!parent.isDict) return parent.items.push_back(std::move(value));
        if (!parent.key) return fail(QStringLiteral("a value without a key"));
        // A key given twice keeps its first place and takes its last value,
        // as other readers of the format do.
        QString key = std::move(*parent.key);
        parent.key.reset();
        if (const auto at = parent.indexOfKey.constFind(key); at != parent.indexOfKey.cend()) {
            parent.entries[*at].second = std::move(value);
            return;
        }
        parent.indexOfKey.insert(key, parent.entries.size());
        parent.entries.emplace_back(std::move(key), std::move(value));
    }

    void fail(const QString& why) {
        if (error_.isEmpty())
            error_ = QStringLiteral("line %1: %2").arg(xml_.lineNumber()).arg(why);
    }

    QXmlStreamReader& xml_;
    std::vector<Container> open_;
    std::optional<PlistValue> root_;
    bool sawPlist_ = false;
    bool sawElement_ = false;
    QString error_;
};

PlistReadResult failure(QString error) {
    return {std::nullopt, std::move(error)};
}

// Why a document of this size and start is not read at all, or none.
std::optional<QString> refusal(qint64 size, const QByteArray& start) {
    if (size == 0) return QStringLiteral("empty file");
    if (size > plistMaxBytes) return QStringLiteral("larger than %1 bytes").arg(plistMaxBytes);
    // The binary form is refused: this app writes and reads only the XML form.
    if (start.startsWith("bplist"))
        return QStringLiteral("binary property list (only the XML form is read)");
    return std::nullopt;
}

} // namespace

PlistReadResult readPlist(const QByteArray& xml) {
    if (auto why = refusal(xml.size(), xml.left(6))) return failure(*why);
    QXmlStreamReader reader(xml);
    return Reader(reader).read();
}

PlistReadResult readPlistFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    if (auto why = refusal(file.size(), file.peek(6))) return failure(*why);
    // Read from the file as it goes: no copy of the whole file in memory.
    QXmlStreamReader reader(&file);
    PlistReadResult result = Reader(reader).read();
    if (file.error() != QFileDevice::NoError)
        return failure(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
    return result;
}
