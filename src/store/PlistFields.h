#pragma once

#include "plist/PlistValue.h"

#include <QSet>
#include <QVarLengthArray>
#include <optional>

// A string, or an integer or a real as its decimal text; none otherwise.
std::optional<QString> textOf(const PlistValue& value);

// Takes the known fields out of a dictionary read from a file. A field of
// another type than expected is not taken; it stays, with every unknown key,
// in rest(), so that writing the record back loses nothing.
class FieldReader {
  public:
    explicit FieldReader(const PlistDict& dict)
        : dict_(dict), taken_(qsizetype(dict.size()), false) {}

    // A string; an integer or a real is taken as its decimal text.
    std::optional<QString> text(const char* key);
    // A string only.
    std::optional<QString> string(const char* key);
    // A real or an integer that single precision holds, rounded to it. One beyond its
    // range (that would become infinite, or zero) is not taken: kept as read.
    std::optional<float> singleNumber(const char* key);
    std::optional<QDateTime> date(const char* key);
    std::optional<QByteArray> data(const char* key);
    const PlistDict* dict(const char* key);
    const PlistValue::Array* array(const char* key);

    // The keys not taken, in their order.
    PlistDict rest() const;

  private:
    // The value under key when as(value) gives it, which takes the key.
    template <typename As> auto typed(const char* key, As as) -> decltype(as(PlistValue()));

    const PlistDict& dict_;
    QVarLengthArray<bool, 32> taken_; // by place in the dictionary
};

// Builds the dictionary of a record to write, then adds the kept keys that the
// typed fields did not write.
class FieldWriter {
  public:
    explicit FieldWriter(const PlistDict& kept) : kept_(kept) {}

    // Writes the field. An unset field (empty, zero) is not written when a
    // value of another type is kept under its key: the field could not be
    // read and has not been set since, so the kept value goes back instead.
    void put(const char* key, PlistValue value, bool unset = false);

    PlistDict finish() &&;

  private:
    const PlistDict& kept_;
    PlistDict out_;
    QSet<QString> written_;
};
