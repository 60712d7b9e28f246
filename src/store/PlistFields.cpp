#include "store/PlistFields.h"

#include <QLocale>
#include <cmath>

template <typename As>
auto FieldReader::typed(const char* key, As as) -> decltype(as(PlistValue())) {
    const qsizetype at = dict_.indexOf(QLatin1StringView(key));
    auto value = at >= 0 ? as(dict_.begin()[at].second) : decltype(as(PlistValue())){};
    if (value) taken_[at] = true;
    return value;
}

std::optional<QString> textOf(const PlistValue& value) {
    if (auto s = value.asString()) return *s;
    if (auto i = value.asInteger()) return QString::number(*i);
    if (auto u = value.asUnsigned()) return QString::number(*u);
    if (auto r = value.asReal()) return QString::number(*r, 'g', QLocale::FloatingPointShortest);
    return std::nullopt;
}

std::optional<QString> FieldReader::text(const char* key) {
    return typed(key, textOf);
}

std::optional<QString> FieldReader::string(const char* key) {
    if (auto s = typed(key, [](const PlistValue& v) { return v.asString(); })) return *s;
    return std::nullopt;
}

std::optional<float> FieldReader::singleNumber(const char* key) {
    const auto single = [](const PlistValue& v) -> std::optional<float> {
        std::optional<double> number;
        if (const double* r = v.asReal()) number = *r;
        if (const qint64* i = v.asInteger()) number = double(*i);
        if (!number) return std::nullopt;
        const auto rounded = float(*number);
        const bool beyond =
            std::isfinite(*number) && (std::isinf(rounded) || (rounded == 0 && *number != 0));
        if (beyond) return std::nullopt;
        return rounded;
    };
    return typed(key, single);
}

std::optional<QDateTime> FieldReader::date(const char* key) {
    if (auto d = typed(key, [](const PlistValue& v) { return v.asDate(); })) return *d;
    return std::nullopt;
}

std::optional<QByteArray> FieldReader::data(const char* key) {
    if (auto d = typed(key, [](const PlistValue& v) { return v.asData(); })) return *d;
    return std::nullopt;
}

const PlistDict* FieldReader::dict(const char* key) {
    return typed(key, [](const PlistValue& v) { return v.asDict(); });
}

const PlistValue::Array* FieldReader::array(const char* key) {
    return typed(key, [](const PlistValue& v) { return v.asArray(); });
}

PlistDict FieldReader::rest() const {
    PlistDict rest;
    qsizetype at = 0;
    for (const auto& [key, value] : dict_)
        if (!taken_[at++]) rest.append(key, value);
    return rest;
}

void FieldWriter::put(const char* key, PlistValue value, bool unset) {
    const QString name = QString::fromLatin1(key);
    if (unset && kept_.contains(name)) return;
    written_.insert(name);
    out_.append(name, std::move(value));
}

PlistDict FieldWriter::finish() && {
    for (const auto& [key, value] : kept_)
        if (!written_.contains(key)) out_.append(key, value);
    return std::move(out_);
}
