// Writing the XML form of property lists straight to the file, in the layout
// other writers of the format use (tab indentation, Base64 in short lines).
// A case with its photos is megabytes: the text is made in one reused buffer
// and never held whole in memory.
#include "plist/Base64Encoder.h"
#include "plist/Plist.h"
#include "plist/PlistText.h"

#include <QBuffer>
#include <QSaveFile>
#include <cstring>
#include <memory>

namespace {

const char header[] = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                      "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                      "<plist version=\"1.0\">\n";
const char footer[] = "</plist>\n";

// Base64 characters per line of a data element.
constexpr int base64Line = 76;
constexpr qsizetype bufferBytes = 1 << 20;

// Whether XML 1.0 can carry the UTF-16 unit as it is (surrogates are
// checked in pairs by the caller).
bool isPlainXmlChar(char16_t c) {
    return (c >= 0x20 && c < 0xD800) || c == u'\t' || c == u'\n' || (c >= 0xE000 && c <= 0xFFFD);
}

// The text with "&", "<", ">" and carriage returns (which a reader would turn
// into line feeds) written as references, and what XML cannot carry as U+FFFD.
QString escapedText(QStringView text) {
    QString out;
    out.reserve(text.size() + 16);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == u'&')
            out += QLatin1String("&amp;");
        else if (c == u'<')
            out += QLatin1String("&lt;");
        else if (c == u'>')
            out += QLatin1String("&gt;");
        else if (c == u'\r')
            out += QLatin1String("&#13;");
        else if (QChar::isHighSurrogate(c) && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            out += text[i];
            out += text[++i];
        } else
            out += isPlainXmlChar(c) ? QChar(c) : QChar(QChar::ReplacementCharacter);
    }
    return out;
}

bool needsEscaping(QStringView text) {
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (!isPlainXmlChar(u) || u == u'&' || u == u'<' || u == u'>') return true;
    }
    return false;
}

// Collects the text in a buffer and hands it to the device in large pieces.
class Output {
  public:
    explicit Output(QIODevice& device) : device_(device), buffer_(new char[bufferBytes]) {}

    // Room for n more bytes (n at most bufferBytes) at the end of the buffer.
    char* room(qsizetype n) {
        if (size_ + n > bufferBytes) flush();
        char* at = buffer_.get() + size_;
        size_ += n;
        return at;
    }
    void bytes(const char* data, qsizetype n) {
        if (n <= bufferBytes) return void(std::memcpy(room(n), data, std::size_t(n)));
        flush();
        put(data, n);
    }
    void bytes(const QByteArray& data) { bytes(data.constData(), data.size()); }
    void text(const char* s) { bytes(s, qsizetype(std::strlen(s))); }
    void indent(int depth) { std::memset(room(depth), '\t', std::size_t(depth)); }
    void escaped(QStringView text) {
        bytes(needsEscaping(text) ? escapedText(text).toUtf8() : text.toUtf8());
    }
    // The data in Base64, in lines of base64Line characters, each ended by a
    // line feed. The lines are not indented: a photo's text is megabytes.
    void base64Lines(const QByteArray& data);

    // Writes what is buffered; false once any write failed.
    bool flush() {
        put(buffer_.get(), size_);
        size_ = 0;
        return ok_;
    }

  private:
    // A file on a disk that fills up takes part of a write without an error;
    // the rest is written again, so that the write that fails gives the
    // system's reason ("No space left on device").
    void put(const char* data, qsizetype n) {
        while (ok_ && n > 0) {
            const qint64 written = device_.write(data, n);
            if (written <= 0)
                ok_ = false;
            else {
                data += written;
                n -= written;
            }
        }
    }

    QIODevice& device_;
    std::unique_ptr<char[]> buffer_;
    qsizetype size_ = 0;
    bool ok_ = true;
};

void Output::base64Lines(const QByteArray& data) {
    constexpr qsizetype lineBytes = base64Line / 4 * 3;
    // As many whole lines at a time as the buffer holds.
    constexpr qsizetype chunkBytes = bufferBytes / (base64Line + 1) * lineBytes;
    const auto* in = reinterpret_cast<const unsigned char*>(data.constData());
    for (qsizetype start = 0; start < data.size(); start += chunkBytes) {
        const qsizetype n = std::min(chunkBytes, data.size() - start);
        encodeBase64Lines(in + start, n, lineBytes, room(base64LinesSize(n, lineBytes)));
    }
}

class Writer {
  public:
    explicit Writer(Output& out) : out_(out) {}

    bool document(const PlistValue& root) {
        out_.text(header);
        const bool ok = value(root, 0);
        out_.text(footer);
        return ok;
    }
    // A document whose root is an array of the items' texts, each as
    // value() writes an item of the root array.
    void arrayDocument(const QList<QByteArray>& items) {
        out_.text(header);
        if (items.isEmpty()) {
            out_.text("<array/>\n");
        } else {
            out_.text("<array>\n");
            for (const QByteArray& item : items)
                out_.bytes(item);
            out_.text("</array>\n");
        }
        out_.text(footer);
    }
    const QString& error() const { return error_; }

    bool value(const PlistValue& v, int depth) {
        switch (v.type()) {
        case PlistValue::Type::None:
            return fail(QStringLiteral("a value is missing"));
        case PlistValue::Type::String:
            return element("string", *v.asString(), depth);
        case PlistValue::Type::Real:
            return element("real", plistTextOfReal(*v.asReal()), depth);
        case PlistValue::Type::Integer:
            return element("integer", QByteArray::number(*v.asInteger()), depth);
        case PlistValue::Type::Unsigned:
            return element("integer", QByteArray::number(*v.asUnsigned()), depth);
        case PlistValue::Type::Boolean:
            out_.indent(depth);
            out_.text(*v.asBool() ? "<true/>\n" : "<false/>\n");
            return true;
        case PlistValue::Type::Date:
            return date(*v.asDate(), depth);
        case PlistValue::Type::Data:
            return data(*v.asData(), depth);
        case PlistValue::Type::Array:
            return array(*v.asArray(), depth);
        case PlistValue::Type::Dict:
            return dict(*v.asDict(), depth);
        case PlistValue::Type::Unread:
            return element(v.asUnread()->element.toUtf8().constData(), v.asUnread()->text, depth);
        }
        return fail(QStringLiteral("unknown value"));
    }

  private:
    template <typename Text> bool element(const char* name, const Text& text, int depth) {
        out_.indent(depth);
        tag("<", name);
        if constexpr (std::is_same_v<Text, QByteArray>)
            out_.bytes(text);
        else
            out_.escaped(text);
        tag("</", name);
        out_.text("\n");
        return true;
    }

    void tag(const char* open, const char* name) {
        out_.text(open);
        out_.text(name);
        out_.text(">");
    }

    bool date(const QDateTime& date, int depth) {
        if (const std::optional<QByteArray> text = plistTextOfDate(date))
            return element("date", *text, depth);
        return fail(date.isValid()
                        ? QStringLiteral("date out of range: %1").arg(date.toString(Qt::ISODate))
                        : QStringLiteral("invalid date"));
    }

    bool data(const QByteArray& bytes, int depth) {
        out_.indent(depth);
        out_.text("<data>\n");
        out_.base64Lines(bytes);
        out_.indent(depth);
        out_.text("</data>\n");
        return true;
    }

    // Writes "<name/>" for an empty container; otherwise the opening tag, the
    // items (items() writes them) and, when that succeeded, the closing tag.
    template <typename Items> bool container(const char* name, bool empty, int depth, Items items) {
        if (depth >= plistMaxDepth)
            return fail(QStringLiteral("nested deeper than %1 levels").arg(plistMaxDepth));
        out_.indent(depth);
        if (empty) {
            out_.text("<");
            out_.text(name);
            out_.text("/>\n");
            return true;
        }
        tag("<", name);
        out_.text("\n");
        if (!items()) return false;
        out_.indent(depth);
        tag("</", name);
        out_.text("\n");
        return true;
    }

    bool array(const PlistValue::Array& items, int depth) {
        return container("array", items.empty(), depth, [&] {
            for (const PlistValue& item : items)
                if (!value(item, depth + 1)) return false;
            return true;
        });
    }

    bool dict(const PlistDict& dict, int depth) {
        return container("dict", dict.empty(), depth, [&] {
            for (const auto& [key, item] : dict) {
                element("key", key, depth + 1);
                if (!value(item, depth + 1)) return false;
            }
            return true;
        });
    }

    bool fail(QString why) {
        error_ = std::move(why);
        return false;
    }

    Output& out_;
    QString error_;
};

// Writes the document that write() makes to device; false with *error set
// when the value cannot be written or the device fails.
template <typename Write> bool writeTo(QIODevice& device, QString* error, Write write) {
    Output out(device);
    Writer writer(out);
    if (!write(writer)) {
        if (error) *error = writer.error();
        return false;
    }
    if (out.flush()) return true;
    if (error) *error = device.errorString();
    return false;
}

// Replaces the file at path with what write() makes, atomically.
template <typename Write> bool writeFile(const QString& path, QString* error, Write write) {
    QSaveFile file(path);
    QString why;
    // Unbuffered: the writer hands over large pieces itself, and a write that
    // fails reaches it with its reason rather than in a later flush.
    // flush() before commit(): commit() overlooks a failure of the final
    // flush and would put a cut-off file in place of the old one.
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && writeTo(file, &why, write) &&
        file.flush() && file.commit())
        return true;
    if (error)
        *error = QStringLiteral("cannot write %1: %2")
                     .arg(path, why.isEmpty() ? file.errorString() : why);
    return false;
}

} // namespace

std::optional<QByteArray> writePlist(const PlistValue& value, QString* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writeTo(buffer, error, [&](Writer& writer) { return writer.document(value); }))
        return std::nullopt;
    return bytes;
}

bool writePlistFile(const QString& path, const PlistValue& value, QString* error) {
    return writeFile(path, error, [&](Writer& writer) { return writer.document(value); });
}

std::optional<QByteArray> writePlistArrayItem(const PlistValue& item, QString* error) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!writeTo(buffer, error, [&](Writer& writer) { return writer.value(item, 1); }))
        return std::nullopt;
    return bytes;
}

bool writePlistArrayFile(const QString& path, const QList<QByteArray>& items, QString* error) {
    return writeFile(path, error, [&](Writer& writer) {
        writer.arrayDocument(items);
        return true;
    });
}
