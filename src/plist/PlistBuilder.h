#pragma once

#include "plist/PlistValue.h"

#include <QHash>
#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

// Makes a property-list value from the elements of its XML form, as a reader
// meets them; both readers (the plain one and the one on Qt's XML reader)
// build through it, so that they give the same value and refuse the same
// documents. Each step returns why the document cannot be read, or an empty
// text.
class PlistBuilder {
  public:
    // The <plist> element.
    QString openPlist();
    // A <dict> (isDict) or an <array>; nesting deeper than plistMaxDepth is refused.
    QString open(bool isDict);
    // The end of the innermost dict or array.
    QString close();
    // Whether a <key> may stand here, before its text is read.
    QString keyPlace() const;
    // The text of a <key>.
    QString key(QString text);
    // An element that holds only text: string, integer, real, date, data,
    // true or false.
    QString scalar(QStringView element, const QString& text);
    // The text of a <data> element as bytes (ASCII), from a reader that has
    // them without references to replace.
    QString data(QByteArrayView text);

    // The document's value, when it had one.
    std::optional<PlistValue>& root() { return root_; }

  private:
    // An array or a dictionary being read.
    struct Container {
        bool isDict = false;
        PlistValue::Array items;
        std::vector<PlistDict::Item> entries;
        QHash<QString, std::size_t> indexOfKey; // made once the dictionary is no longer small
        std::optional<QString> key;             // read, waiting for its value

        // The place of key among the entries, or none.
        std::optional<std::size_t> find(const QString& key);
        void append(QString key, PlistValue value);
    };

    QString add(PlistValue value);

    std::vector<Container> open_;
    std::vector<Container> spare_; // closed dictionaries, emptied, to be opened again
    std::optional<PlistValue> root_;
    bool sawPlist_ = false;
};
