#pragma once

#include <QString>

// Replaces HTML character references in text: the Latin-1 named entities, the
// five basic entities and numeric references (&#65; and &#x41;). Returns the
// input itself when it holds no "&".
QString decodeHTMLCharacterEntities(const QString& text);
