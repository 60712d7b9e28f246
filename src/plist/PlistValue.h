#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <variant>
#include <vector>

class PlistValue;

// A property-list dictionary: string keys in the order they were inserted
// (or read), each key at most once.
class PlistDict {
  public:
    // A key and its value (a struct of its own rather than a std::pair, which
    // some standard libraries cannot declare while PlistValue is incomplete).
    struct Item;

    // Out of line, where Item is complete.
    PlistDict();
    PlistDict(const PlistDict&);
    PlistDict(PlistDict&&) noexcept;
    PlistDict& operator=(const PlistDict&);
    PlistDict& operator=(PlistDict&&) noexcept;
    ~PlistDict();

    // The place of key among the items (in the order begin() gives), or -1
    // when the key is absent.
    qsizetype indexOf(QStringView key) const;
    qsizetype indexOf(QLatin1StringView key) const;
    // Returns the value under key, or null when the key is absent.
    const PlistValue* value(const QString& key) const;
    PlistValue* value(const QString& key);
    bool contains(const QString& key) const { return value(key) != nullptr; }
    // Replaces the value under key, or appends the key when it is new.
    void insert(const QString& key, PlistValue value);
    // Appends a key the caller knows to be new (a reader whose source has
    // unique keys), without the search insert() makes.
    void append(QString key, PlistValue value);
    // Removes key; returns whether it was there.
    bool remove(const QString& key);

    std::size_t size() const;
    bool empty() const;
    std::vector<Item>::const_iterator begin() const;
    std::vector<Item>::const_iterator end() const;
    void reserve(std::size_t n);

    bool operator==(const PlistDict& other) const;

  private:
    std::vector<Item> items_;
};

// An integer, real, date or data element of a file whose text could not be
// read exactly (an integer beyond 64 bits, a date that is no date, Base64
// without its padding). It is kept as it stood, so that writing the file back
// changes nothing.
struct PlistUnread {
    QString element; // "integer", "real", "date" or "data"
    QString text;    // the element's text, as read

    bool operator==(const PlistUnread&) const = default;
};

// One property-list value: none, a string, a real, an integer, a boolean, a
// date (UTC), data, an array, a dictionary, an integer above the signed 64-bit
// range (up to 2^64 - 1) or an element that could not be read.
class PlistValue {
  public:
    using Array = std::vector<PlistValue>;
    enum class Type {
        None,
        String,
        Real,
        Integer,
        Boolean,
        Date,
        Data,
        Array,
        Dict,
        Unsigned,
        Unread
    };

    PlistValue() = default;
    PlistValue(QString s) : v_(std::move(s)) {}
    PlistValue(const char* utf8) : v_(QString::fromUtf8(utf8)) {}
    PlistValue(double d) : v_(d) {}
    PlistValue(qint64 i) : v_(i) {}
    PlistValue(int i) : v_(qint64(i)) {}
    // An integer that fits 64 signed bits is an Integer, a larger one Unsigned.
    PlistValue(quint64 u);
    PlistValue(bool b) : v_(b) {}
    PlistValue(QDateTime t) : v_(std::move(t)) {}
    PlistValue(QByteArray data) : v_(std::move(data)) {}
    PlistValue(Array a) : v_(std::move(a)) {}
    PlistValue(PlistDict d) : v_(std::move(d)) {}
    PlistValue(PlistUnread u) : v_(std::move(u)) {}

    Type type() const { return Type(v_.index()); }
    bool isNone() const { return type() == Type::None; }

    // Each returns the value when it has that type, and null otherwise.
    const QString* asString() const { return std::get_if<QString>(&v_); }
    const double* asReal() const { return std::get_if<double>(&v_); }
    const qint64* asInteger() const { return std::get_if<qint64>(&v_); }
    const bool* asBool() const { return std::get_if<bool>(&v_); }
    const QDateTime* asDate() const { return std::get_if<QDateTime>(&v_); }
    const QByteArray* asData() const { return std::get_if<QByteArray>(&v_); }
    const Array* asArray() const { return std::get_if<Array>(&v_); }
    const PlistDict* asDict() const { return std::get_if<PlistDict>(&v_); }
    // Only integers above the largest qint64; smaller ones are asInteger().
    const quint64* asUnsigned() const { return std::get_if<quint64>(&v_); }
    const PlistUnread* asUnread() const { return std::get_if<PlistUnread>(&v_); }
    Array* asArray() { return std::get_if<Array>(&v_); }
    PlistDict* asDict() { return std::get_if<PlistDict>(&v_); }

    bool operator==(const PlistValue& other) const { return v_ == other.v_; }

  private:
    // The order of the alternatives follows Type.
    std::variant<std::monostate, QString, double, qint64, bool, QDateTime, QByteArray, Array,
                 PlistDict, quint64, PlistUnread>
        v_;
};

struct PlistDict::Item {
    Item(QString key, PlistValue value) : first(std::move(key)), second(std::move(value)) {}

    QString first;
    PlistValue second;

    bool operator==(const Item&) const = default;
};

// Defined here, where Item is complete.
inline PlistDict::PlistDict() = default;
inline PlistDict::PlistDict(const PlistDict&) = default;
inline PlistDict::PlistDict(PlistDict&&) noexcept = default;
inline PlistDict& PlistDict::operator=(const PlistDict&) = default;
inline PlistDict& PlistDict::operator=(PlistDict&&) noexcept = default;
inline PlistDict::~PlistDict() = default;
inline std::size_t PlistDict::size() const {
    return items_.size();
}
inline bool PlistDict::empty() const {
    return items_.empty();
}
inline std::vector<PlistDict::Item>::const_iterator PlistDict::begin() const {
    return items_.begin();
}
inline std::vector<PlistDict::Item>::const_iterator PlistDict::end() const {
    return items_.end();
}
inline void PlistDict::reserve(std::size_t n) {
    items_.reserve(n);
}

inline void PlistDict::append(QString key, PlistValue value) {
    items_.emplace_back(std::move(key), std::move(value));
}
