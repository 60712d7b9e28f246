#include "util/PlistValue.h"

#include <algorithm>
#include <limits>

PlistValue::PlistValue(quint64 u) {
    if (u <= quint64(std::numeric_limits<qint64>::max()))
        v_ = qint64(u);
    else
        v_ = u;
}

const PlistValue* PlistDict::value(const QString& key) const {
    auto it = std::find_if(items_.begin(), items_.end(),
                           [&](const Item& item) { return item.first == key; });
    return it == items_.end() ? nullptr : &it->second;
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
    auto it = std::find_if(items_.begin(), items_.end(),
                           [&](const Item& item) { return item.first == key; });
    if (it == items_.end()) return false;
    items_.erase(it);
    return true;
}

bool PlistDict::operator==(const PlistDict& other) const {
    return items_ == other.items_;
}
