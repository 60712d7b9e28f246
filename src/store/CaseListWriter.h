#pragma once

#include "store/CaseRecord.h"

#include <QByteArray>
#include <QString>
#include <unordered_map>

// Writes a list of cases to its file, atomically, keeping the text of each
// case from one write to the next: the text is made again only for a case
// that is new or has changed since. A sent case then costs the write of the
// file, not the making of every case's text again. A case holding photos
// inline is made every time (its text is megabytes, and it is moved soon).
// The file is byte for byte the one a fresh writer makes.
class CaseListWriter {
  public:
    // Replaces the file with the list; false, with the reason in *error,
    // leaves it as it was.
    bool write(const QString& path, const CaseList& cases, QString* error = nullptr);

  private:
    struct Written {
        CaseRecord record; // as it was when its text was made
        QByteArray text;
    };
    std::unordered_map<const CaseRecord*, Written> written_;
};
