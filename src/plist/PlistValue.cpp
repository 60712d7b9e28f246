#include "plist/PlistValue.h"

#include <algorithm>
#include <limits>

PlistValue::PlistValue(quint64 u) {
    if (u <= quint64(std::numeric_limits<qint64>::max()))
        v_ = qint64(u);
    else
        v_ = u;
}

namespace {

template <typename Items, typename Key> qsizetype placeOf(const Items& items, Key key) {
    const auto it = std::find_if(items.begin(), items.end(),
                                 [&](const auto& item) { return item.first == key; });
    return it == items.end() ? -1 : qsizetype(it - items.begin());
}

} // namespace

qsizetype PlistDict::indexOf(QStringView key) const {
    return placeOf(items_, key);
}

qsizetype PlistDict::indexOf(QLatin1StringView key) const {
    return placeOf(items_, key);
}

const PlistValue* PlistDict::value(const QString& key) const {
    const qsizetype at = indexOf(QStringView(key));
    return at < 0 ? nullptr : &items_[std::size_t(at)].second;
}

PlistValue* PlistDict::value(const QString& key) {
    return const_cast<PlistValue*>(std::as_const(*this).value(key));
}

void PlistDict::insert(const QString& key, PlistValue value) {
    if (PlistValue* existing = this->value(key))
        *existing = std::move(value);
    else
        items_.emplace_back(key, std::move(value));
}

bool PlistDict::remove(const QString& key) {
    const qsizetype at = indexOf(QStringView(key));
    if (at < 0) return false;
    items_.erase(items_.begin() + at);
    return true;
}

bool PlistDict::operator==(const PlistDict& other) const {
    return items_ == other.items_;
}
