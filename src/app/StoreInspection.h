#pragma once

#include <QString>
#include <QStringList>

// Looks at a case store folder for support staff, the way the app reads it,
// without changing anything in it.

struct StoreListing {
    // One line per case, tab-separated: pk, state, rcdTime, type, where its
    // photos are ("inline" or the photo file's name, "(missing)" when it is
    // gone) and how many there are.
    QStringList lines;
    QStringList problems; // why cases could not be listed
};
StoreListing listStore(const QString& folder);

// Every problem of the folder: an unreadable file, a photoId without its
// file or an unsafe one, two cases naming one file, photos both inline and in
// a file, a photo that is not a JPEG, a photo file that no case names, and
// files kept aside because they could not be read.
QStringList checkStore(const QString& folder);
