#include "util/PlistBuilder.h"

#include "util/Plist.h"
#include "util/PlistText.h"

QString PlistBuilder::openPlist() {
    if (sawPlist_ || !open_.empty() || root_) return QStringLiteral("misplaced <plist>");
    sawPlist_ = true;
    return {};
}

QString PlistBuilder::open(bool isDict) {
    if (open_.size() >= plistMaxDepth)
        return QStringLiteral("nested deeper than %1 levels").arg(plistMaxDepth);
    open_.push_back(Container{isDict, {}, {}, {}, {}});
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
    if (element == u"string") return add(PlistValue(text));
    if (element == u"true" || element == u"false") return add(PlistValue(element == u"true"));
    if (element == u"integer") return add(integerFromPlistText(text));
    PlistValue value(PlistUnread{element.toString(), text});
    if (element == u"real") {
        if (auto real = realFromPlistText(text)) value = PlistValue(*real);
    } else if (element == u"date") {
        if (auto date = dateFromPlistText(text)) value = PlistValue(*date);
    } else if (element == u"data") {
        if (auto data = dataFromPlistText(text)) value = PlistValue(std::move(*data));
    } else {
        return QStringLiteral("unsupported element <%1>").arg(element);
    }
    return add(std::move(value));
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
