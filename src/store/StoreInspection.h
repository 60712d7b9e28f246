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
// a file, a photo that is not a JPEG or is cut short, a photo file that no
// case names, files kept aside because they could not be read, and what the
// files hold that the app keeps without using it: values that could not be
// read, known keys with values of another type, list entries that are not
// photos, form fields that are not text.
QStringList checkStore(const QString& folder);
