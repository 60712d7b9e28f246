// The plain reader: one pass over the bytes, with the values built as the full
// XML reader builds them (PlistBuilder), so that both give the same value.
#include "plist/PlistPlainReader.h"

#include "plist/PlistBuilder.h"
#include "plist/PlistText.h"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace {

// Whether the plain reader takes character c: XML's characters but for the
// carriage return, which XML reads as a line feed (the full reader does that).
bool isPlainCharacter(char32_t c) {
    if (c < 0x20) return c == u'\t' || c == u'\n';
    return c < 0xD800 || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

constexpr std::uint64_t everyByte(unsigned char b) {
    return 0x0101010101010101ULL * b;
}
constexpr std::uint64_t highBits = everyByte(0x80);

// The high bit of each byte of word that is zero; word's bytes are below 0x80.
std::uint64_t zeroBytes(std::uint64_t word) {
    return ~((word + everyByte(0x7F)) | word) & highBits;
}

// Whether eight ASCII bytes (below 0x80) are characters the plain reader
// takes: none below 0x20 but tab and line feed.
bool isPlainAscii(std::uint64_t word) {
    const std::uint64_t control = ~(word + everyByte(0x60)) & highBits;
    const std::uint64_t tab = zeroBytes(word ^ everyByte('\t'));
    const std::uint64_t lineFeed = zeroBytes(word ^ everyByte('\n'));
    return (control & ~tab & ~lineFeed) == 0;
}

// Whether text is valid UTF-8 of characters the plain reader takes. ASCII
// goes eight bytes at a time.
bool isPlainUtf8(QByteArrayView text) {
    const auto* at = reinterpret_cast<const unsigned char*>(text.data());
    const auto* const end = at + text.size();
    static constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    while (at < end) {
        std::uint64_t word = highBits;
        if (end - at >= 8) std::memcpy(&word, at, 8);
        if ((word & highBits) == 0) {
            if (!isPlainAscii(word)) return false;
            at += 8;
            continue;
        }
        if (*at < 0x80) {
            if (!isPlainCharacter(*at++)) return false;
            continue;
        }
        // F8 to FF start no character: UTF-8 stops at four bytes.
        const int length = *at >= 0xF8   ? 0
                           : *at >= 0xF0 ? 4
                           : *at >= 0xE0 ? 3
                           : *at >= 0xC0 ? 2
                                         : 0;
        if (length == 0 || end - at < length) return false;
        char32_t c = *at & (0x7F >> length);
        for (int i = 1; i < length; ++i) {
            if ((at[i] & 0xC0) != 0x80) return false;
            c = (c << 6) | (at[i] & 0x3F);
        }
        if (c < least[length] || !isPlainCharacter(c)) return false;
        at += length;
    }
    return true;
}

// The character an entity or character reference (without its "&" and ";")
// stands for, or none.
std::optional<char32_t> referredCharacter(std::string_view name) {
    static constexpr std::pair<std::string_view, char32_t> entities[] = {
        {"lt", u'<'}, {"gt", u'>'}, {"amp", u'&'}, {"quot", u'"'}, {"apos", u'\''}};
    for (const auto& [entity, c] : entities)
        if (name == entity) return c;
    if (name.size() < 2 || name.size() > 9 || name[0] != '#') return std::nullopt;
    const bool hex = name[1] == 'x';
    const std::string_view digits = name.substr(hex ? 2 : 1);
    if (digits.empty()) return std::nullopt;
    char32_t c = 0;
    for (const char digit : digits) {
        const int value = digit >= '0' && digit <= '9'          ? digit - '0'
                          : hex && digit >= 'a' && digit <= 'f' ? digit - 'a' + 10
                          : hex && digit >= 'A' && digit <= 'F' ? digit - 'A' + 10
                                                                : -1;
        if (value < 0) return std::nullopt;
        c = c * (hex ? 16 : 10) + char32_t(value);
    }
    if (c == u'\r' || isPlainCharacter(c)) return c;
    return std::nullopt;
}

QString textOfUtf8(std::string_view utf8) {
    return textOfUtf8(QByteArrayView(utf8.data(), qsizetype(utf8.size())));
}

// The name of an element that holds only text, as the builder takes it; empty
// for any other name.
QStringView textElement(std::string_view name) {
    const QLatin1StringView latin1(name.data(), qsizetype(name.size()));
    static constexpr QStringView names[] = {u"key",  u"string", u"integer", u"real",
                                            u"date", u"data",   u"true",    u"false"};
    for (const QStringView known : names)
        if (known == latin1) return known;
    return {};
}

// Texts met again share one string rather than each making its own: a list
// of cases repeats its keys and most of its values (states, types, the
// inspector's fields). Short texts only, each remembered in one of a fixed
// number of places by a hash of its bytes; a text that comes to the same
// place takes it over.
class RepeatedTexts {
  public:
    QString text(std::string_view utf8) {
        if (utf8.size() > longest) return textOfUtf8(utf8);
        Place& place = places_[hash(utf8) % places];
        if (place.utf8 != utf8) {
            place.utf8 = utf8;
            place.text = textOfUtf8(utf8);
        }
        return place.text;
    }

  private:
    static constexpr std::size_t longest = 64;
    static constexpr std::size_t places = 512;

    struct Place {
        std::string_view utf8; // in the document being read
        QString text;
    };

    // From the length and the first and last eight bytes: cheap, and enough
    // to tell apart the keys and values of a record.
    static std::uint64_t hash(std::string_view bytes) {
        std::uint64_t first = 0;
        std::uint64_t last = 0;
        if (bytes.size() >= 8) {
            std::memcpy(&first, bytes.data(), 8);
            std::memcpy(&last, bytes.data() + bytes.size() - 8, 8);
        } else {
            std::memcpy(&first, bytes.data(), bytes.size());
        }
        const std::uint64_t mixed =
            (first * 0x9E3779B97F4A7C15ULL) ^ (last * 0xC2B2AE3D27D4EB4FULL) ^ bytes.size();
        return mixed ^ (mixed >> 29);
    }

    std::vector<Place> places_ = std::vector<Place>(places);
};

class PlainReader {
  public:
    explicit PlainReader(QByteArrayView xml) : at_(xml.data()), end_(xml.data() + xml.size()) {}

    std::optional<PlistValue> read() {
        prolog();
        for (skipSpace(); at_ < end_; skipSpace())
            if (!element()) return std::nullopt;
        if (!open_.empty() || !build_.root()) return std::nullopt;
        return std::move(build_.root());
    }

  private:
    // The open elements that hold elements.
    enum class Open { Plist, Dict, Array };

    void prolog() {
        take("<?xml version=\"1.0\" encoding=\"UTF-8\"?>") ||
            take("<?xml version=\"1.0\" encoding=\"utf-8\"?>");
        skipSpace();
        take("<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
             "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">");
    }

    // Each step returns whether reading goes on.
    bool element() {
        // One element at the top: any other is the full reader's to judge.
        if (!take("<") || (open_.empty() && sawRoot_)) return giveUp();
        if (take("/")) return endTag();
        sawRoot_ = sawRoot_ || open_.empty();
        const std::string_view name = elementName();
        if (name.empty()) return giveUp();
        if (name == "plist") {
            if (!take(" version=\"1.0\">") && !take(">")) return giveUp();
            open_.push_back(Open::Plist);
            return check(build_.openPlist());
        }
        if (name == "dict" || name == "array") return container(name == "dict");
        const QStringView element = textElement(name);
        const std::optional<std::string_view> raw = elementText(name);
        if (element.isEmpty() || !raw) return giveUp();
        // Base64 is decoded from the bytes, without a string made of them.
        if (name == "data" && raw->find('&') == raw->npos)
            return check(build_.data(QByteArrayView(raw->data(), qsizetype(raw->size()))));
        const std::optional<QString> text = decodedText(*raw);
        if (!text) return giveUp();
        return check(name == "key" ? build_.key(*text) : build_.scalar(element, *text));
    }

    // A dict or an array, after its name.
    bool container(bool isDict) {
        if (!check(build_.open(isDict))) return false;
        if (take("/>")) return check(build_.close());
        open_.push_back(isDict ? Open::Dict : Open::Array);
        return take(">") || giveUp();
    }

    bool endTag() {
        static constexpr std::string_view names[] = {"plist>", "dict>", "array>"};
        if (open_.empty() || !take(names[int(open_.back())])) return giveUp();
        const Open closed = open_.back();
        open_.pop_back();
        return closed == Open::Plist || check(build_.close());
    }

    std::string_view elementName() {
        const char* const start = at_;
        while (at_ < end_ && *at_ >= 'a' && *at_ <= 'z')
            ++at_;
        return {start, std::size_t(at_ - start)};
    }

    // The text of the element name, after its name: "/>", or ">", the text
    // and the end tag. The text as it stands, references not yet replaced.
    std::optional<std::string_view> elementText(std::string_view name) {
        if (take("/>")) return std::string_view();
        if (!take(">")) return std::nullopt;
        const char* const start = at_;
        const auto* stop = static_cast<const char*>(std::memchr(at_, '<', std::size_t(end_ - at_)));
        if (!stop) return std::nullopt;
        const std::string_view raw(start, std::size_t(stop - start));
        at_ = stop;
        if (!take("</") || !take(name) || !take(">")) return std::nullopt;
        if (raw.find("]]>") != raw.npos) return std::nullopt;
        return raw;
    }

    // The text with its references replaced; none when one cannot be read.
    std::optional<QString> decodedText(std::string_view raw) {
        if (raw.empty()) return QString();
        if (raw.find('&') == raw.npos) return texts_.text(raw);
        return withReferences(raw);
    }

    // Text with its entity and character references replaced.
    static std::optional<QString> withReferences(std::string_view raw) {
        QString text;
        text.reserve(qsizetype(raw.size()));
        for (std::size_t amp; (amp = raw.find('&')) != raw.npos;) {
            text += textOfUtf8(raw.substr(0, amp));
            const std::size_t semicolon = raw.find(';', amp);
            if (semicolon == raw.npos) return std::nullopt;
            const auto c = referredCharacter(raw.substr(amp + 1, semicolon - amp - 1));
            if (!c) return std::nullopt;
            const char32_t one[] = {*c};
            text += QString::fromUcs4(one, 1);
            raw.remove_prefix(semicolon + 1);
        }
        text += textOfUtf8(raw);
        return text;
    }

    bool take(std::string_view literal) {
        if (std::size_t(end_ - at_) < literal.size() ||
            std::memcmp(at_, literal.data(), literal.size()) != 0)
            return false;
        at_ += literal.size();
        return true;
    }

    void skipSpace() {
        while (at_ < end_ && (*at_ == ' ' || *at_ == '\t' || *at_ == '\n'))
            ++at_;
    }

    // Whether the builder took the step.
    static bool check(const QString& why) { return why.isEmpty(); }

    static bool giveUp() { return false; }

    const char* at_;
    const char* const end_;
    std::vector<Open> open_;
    PlistBuilder build_;
    RepeatedTexts texts_;
    bool sawRoot_ = false;
};

} // namespace

std::optional<PlistValue> readPlainPlist(QByteArrayView xml) {
    if (!isPlainUtf8(xml)) return std::nullopt;
    return PlainReader(xml).read();
}
