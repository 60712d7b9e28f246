// Decoding character references in any text: text without "&" comes back as it was, and
// decoding never makes a text longer.
#include "FuzzCheck.h"

#include "util/HtmlEntities.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString decoded = decodeHTMLCharacterEntities(text);
    if (!text.contains(u'&')) FUZZ_CHECK(decoded == text);
    FUZZ_CHECK(decoded.size() <= text.size());
    return 0;
}
