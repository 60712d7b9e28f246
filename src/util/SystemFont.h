#pragma once

#include <QFont>
#include <QString>

// The face every stamp and screen text is drawn with: Noto Sans CJK TC, loaded
// from its file rather than left to the machine's font configuration, so an
// inspector's name in Traditional Chinese looks the same on every device.
// When the file cannot be loaded the default font is used and a log line says so.
QFont systemFont(int pixelSize);

// Loads the font file and returns the given family if the file holds it;
// otherwise writes a log line and returns "". Exposed for tests.
QString loadFontFamily(const QString& file, const QString& family);
