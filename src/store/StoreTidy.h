#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// Clears a case store folder of the photo files that no case names, for
// support staff. The caller holds the folder's StoreLock, so that the app
// cannot name a file meanwhile.

struct StoreTidying {
    // One line per photo file that no case names: deleted (or, on a dry run,
    // to be deleted) or kept, and why; then a line with the counts.
    QStringList lines;
    // Why the folder could not be tidied, or a file could not be deleted.
    QStringList problems;
};

// Deletes each photo file of folder that no case of its list names and whose
// every photo (the JPEG, its time and position) one case holds byte for byte,
// inline or in the photo file it names. The others are listed and kept: one
// that cannot be read, one with photos no case holds or with no photos at
// all, and one written less than a minute before now (the app may be about
// to name it). Deletes nothing when dryRun is set, or when the list cannot be
// read.
StoreTidying tidyStore(const QString& folder, bool dryRun, const QDateTime& now);
