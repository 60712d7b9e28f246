#pragma once

#include <QStringList>

// The name patterns of the picture files Qt can read ("*.png", "*.jpg" ...),
// in lower and upper case.
QStringList pictureFilePatterns();

// The picture files of folder in the order a person reads their names:
// numbers count as numbers ("2-permit" before "10-code"), case aside.
QStringList pictureFilesIn(const QString& folder);
