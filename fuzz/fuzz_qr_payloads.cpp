// The two QR payload readers on any text: a registration code is accepted only with a "," and
// characters the store can keep, and its fields are the payload's first two; a permit number is
// read only from a payload naming "ipno" and never carries the address's separators.
#include "FuzzCheck.h"

#include "inspection/QrPayloads.h"

#include <QStringList>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString payload = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    if (const std::optional<RegistrationCode> code = readRegistrationCode(payload)) {
        FUZZ_CHECK(payload.contains(u',') && isXmlCarriable(payload));
        const QStringList fields = payload.split(u',');
        FUZZ_CHECK(code->text == payload && code->pakeno == fields[0] && code->Chkno == fields[1]);
        FUZZ_CHECK(code->needsPermit() != code->Chkno.startsWith(u'F'));
    }
    if (const std::optional<QString> number = readPermitNumber(payload)) {
        FUZZ_CHECK(payload.contains(QStringLiteral("ipno")) && isXmlCarriable(payload));
        FUZZ_CHECK(!number->contains(u'=') && !number->contains(u'&') && !number->contains(u'?'));
    }
    return 0;
}
