#include "plist/PlistBuilder.h"

#include "plist/Plist.h"
#include "plist/PlistText.h"

QString PlistBuilder::openPlist() {
    if (sawPlist_ || !open_.empty() || root_) return QStringLiteral("misplaced <plist>");
    sawPlist_ = true;
    return {};
}

QString PlistBuilder::open(bool isDict) {
    if (open_.size() >= plistMaxDepth)
        return QStringLiteral("nested deeper than %1 levels").arg(plistMaxDepth);
    if (spare_.empty()) {
        open_.push_back(Container{isDict, {}, {}, {}, {}});
    } else {
        open_.push_back(std::move(spare_.back()));
        spare_.pop_back();
        open_.back().isDict = isDict;
    }
    return {};
}

QString PlistBuilder::close() {
    Container done = std::move(open_.back());
    open_.pop_back();
    if (done.key) return QStringLiteral("key \"%1\" has no value").arg(*done.key);
    if (!done.isDict) return add(PlistValue(std::move(done.items)));
    PlistDict dict;
    dict.reserve(done.entries.size());
    for (auto& [key, value] : done.entries)
        dict.append(std::move(key), std::move(value));
    // The next dictionary reuses the room of this one's entries.
    done.entries.clear();
    done.indexOfKey.clear();
    spare_.push_back(std::move(done));
    return add(PlistValue(std::move(dict)));
}

QString PlistBuilder::keyPlace() const {
    if (open_.empty() || !open_.back().isDict || open_.back().key)
        return QStringLiteral("misplaced <key>");
    return {};
}

QString PlistBuilder::key(QString text) {
    if (QString why = keyPlace(); !why.isEmpty()) return why;
    open_.back().key = std::move(text);
    return {};
}

QString PlistBuilder::scalar(QStringView element, const QString& text) {
    // Lengths known when compiling, not counted on each call.
    static constexpr QStringView stringName = u"string", trueName = u"true", falseName = u"false",
                                 integerName = u"integer", realName = u"real", dateName = u"date",
                                 dataName = u"data";
    if (element == stringName) return add(PlistValue(text));
    if (element == trueName || element == falseName) return add(PlistValue(element == trueName));
    if (element == integerName) return add(integerFromPlistText(text));
    std::optional<PlistValue> value;
    if (element == realName) {
        if (auto real = realFromPlistText(text)) value = PlistValue(*real);
    } else if (element == dateName) {
        if (auto date = dateFromPlistText(text)) value = PlistValue(*date);
    } else if (element == dataName) {
        if (auto data = dataFromPlistText(text)) value = PlistValue(std::move(*data));
    } else {
        return QStringLiteral("unsupported element <%1>").arg(element);
    }
    return add(value ? std::move(*value) : PlistValue(PlistUnread{element.toString(), text}));
}

QString PlistBuilder::data(QByteArrayView text) {
    if (auto data = dataFromPlistText(text)) return add(PlistValue(std::move(*data)));
    return add(PlistValue(PlistUnread{QStringLiteral("data"), textOfUtf8(text)}));
}

QString PlistBuilder::add(PlistValue value) {
    if (open_.empty()) {
        if (root_) return QStringLiteral("more than one value in the document");
        root_ = std::move(value);
        return {};
    }
    Container& parent = open_.back();
    if (!parent.isDict) {
        parent.items.push_back(std::move(value));
        return {};
    }
    if (!parent.key) return QStringLiteral("a value without a key");
    // A key given twice keeps its first place and takes its last value,
    // as other readers of the format do.
    QString key = std::move(*parent.key);
    parent.key.reset();
    if (const std::optional<std::size_t> at = parent.find(key))
        parent.entries[*at].second = std::move(value);
    else
        parent.append(std::move(key), std::move(value));
    return {};
}

std::optional<std::size_t> PlistBuilder::Container::find(const QString& key) {
    // A few keys (a case, a photo) are searched in order, faster than hashed.
    constexpr std::size_t small = 32;
    if (entries.size() <= small) {
        for (std::size_t i = 0; i < entries.size(); ++i)
            if (entries[i].first == key) return i;
        return std::nullopt;
    }
    if (indexOfKey.isEmpty())
        for (std::size_t i = 0; i < entries.size(); ++i)
            indexOfKey.insert(entries[i].first, i);
    if (const auto at = indexOfKey.constFind(key); at != indexOfKey.cend()) return *at;
    return std::nullopt;
}

void PlistBuilder::Container::append(QString key, PlistValue value) {
    if (!indexOfKey.isEmpty()) indexOfKey.insert(key, entries.size());
    entries.emplace_back(std::move(key), std::move(value));
}
