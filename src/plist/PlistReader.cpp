// Reading the XML form of property lists, on Qt's XML reader: every encoding
// XML allows (a byte-order mark, UTF-16, a declared ISO-8859-1), and no
// recursion, so that no nesting depth can overflow the stack. A document in the
// plain form our writer makes is read first by the faster plain reader.
#include "plist/Plist.h"
#include "plist/PlistBuilder.h"
#include "plist/PlistPlainReader.h"

#include <QFile>
#include <QXmlStreamReader>
#include <algorithm>

namespace {

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
        if (error_.isEmpty() && !build_.root()) fail(QStringLiteral("no value in the document"));
        if (!error_.isEmpty()) return {std::nullopt, error_, skipped_};
        return {std::move(build_.root()), QString(), skipped_};
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
            if (xml_.name() == u"dict" || xml_.name() == u"array") fail(build_.close());
            return;
        case QXmlStreamReader::Characters:
            if (!xml_.isWhitespace())
                skip(QStringLiteral("text \"%1\" outside a value")
                         .arg(xml_.text().trimmed().left(20)));
            return;
        case QXmlStreamReader::EntityReference:
            fail(QStringLiteral("undeclared entity &%1;").arg(xml_.name()));
            return;
        default: // the declaration, comments, processing instructions
            return;
        }
    }

    void start(QStringView name) {
        sawElement_ = true;
        if (!isKnown(name)) {
            skip(QStringLiteral("unknown element <%1>").arg(name));
        } else if (name == u"plist") {
            fail(build_.openPlist());
        } else if (name == u"dict" || name == u"array") {
            fail(build_.open(name == u"dict"));
        } else {
            scalar(name);
        }
    }

    // An element that holds only text.
    void scalar(QStringView name) {
        if (name == u"key" && fail(build_.keyPlace())) return;
        const QString element = name.toString();
        QString text = xml_.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
        if (xml_.hasError()) {
            fail(xml_.errorString());
            return;
        }
        fail(element == u"key" ? build_.key(std::move(text)) : build_.scalar(element, text));
    }

    static bool isKnown(QStringView name) {
        static constexpr QStringView names[] = {u"plist",  u"dict",    u"array", u"key",
                                                u"string", u"integer", u"real",  u"date",
                                                u"data",   u"true",    u"false"};
        return std::find(std::begin(names), std::end(names), name) != std::end(names);
    }

    void skip(const QString& what) {
        skipped_ << QStringLiteral("line %1: %2").arg(xml_.lineNumber()).arg(what);
    }

    // Keeps the first reason the document cannot be read (an empty one is
    // none); returns whether there is one.
    bool fail(const QString& why) {
        if (error_.isEmpty() && !why.isEmpty())
            error_ = QStringLiteral("line %1: %2").arg(xml_.lineNumber()).arg(why);
        return !error_.isEmpty();
    }

    QXmlStreamReader& xml_;
    PlistBuilder build_;
    bool sawElement_ = false;
    QString error_;
    QStringList skipped_;
};

PlistReadResult failure(QString error) {
    return {std::nullopt, std::move(error), {}};
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

PlistReadResult unreadable(const QString& path, const QFile& file) {
    return failure(QStringLiteral("cannot read %1: %2").arg(path, file.errorString()));
}

} // namespace

PlistReadResult readPlistWithXmlReader(const QByteArray& xml) {
    if (auto why = refusal(xml.size(), xml.left(6))) return failure(*why);
    QXmlStreamReader reader(xml);
    return Reader(reader).read();
}

PlistReadResult readPlist(const QByteArray& xml) {
    if (!refusal(xml.size(), xml.left(6)))
        if (std::optional<PlistValue> value = readPlainPlist(xml))
            return {std::move(value), QString(), {}};
    return readPlistWithXmlReader(xml);
}

PlistReadResult readPlistFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failure(QStringLiteral("cannot open %1: %2").arg(path, file.errorString()));
    if (auto why = refusal(file.size(), file.peek(6))) return failure(*why);
    // Whatever its size, the file is read whole for the plain reader, which
    // makes the values straight from its bytes: about the file's size besides
    // the values, and a time linear in the size.
    std::optional<PlistValue> plain;
    {
        const QByteArray bytes = file.readAll();
        if (file.error() != QFileDevice::NoError) return unreadable(path, file);
        plain = readPlainPlist(bytes);
    }
    if (plain) return {std::move(plain), QString(), {}};
    // Anything else streams from the file through Qt's XML reader, which
    // would otherwise hold the whole text once more as UTF-16.
    if (!file.seek(0)) return unreadable(path, file);
    QXmlStreamReader reader(&file);
    PlistReadResult result = Reader(reader).read();
    if (file.error() != QFileDevice::NoError) return unreadable(path, file);
    return result;
}
