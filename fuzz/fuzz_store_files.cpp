// The store's two files read from any bytes: no crash; the plain reader and Qt's XML reader
// read them the same; whatever reads is written back as a file
// that reads again and is written the same way a second time (saving a store twice changes
// nothing), and the case list and photo file made from it keep what they read on each re-save.
#include "FuzzCheck.h"

#include "plist/Plist.h"
#include "store/CaseRecord.h"
#include "store/PhotoEntry.h"
#include "support/PlistSameness.h"

namespace {

// The bytes of value's file; a value that was read is always writable.
QByteArray written(const PlistValue& value) {
    QString error;
    const std::optional<QByteArray> xml = writePlist(value, &error);
    FUZZ_CHECK(xml.has_value());
    return *xml;
}

// Writing, reading and writing again gives the same bytes.
void checkStableFile(const PlistValue& value) {
    const QByteArray first = written(value);
    const PlistReadResult again = readPlist(first);
    FUZZ_CHECK(again.value.has_value());
    FUZZ_CHECK(written(*again.value) == first);
}

// A record or photo file made from a dictionary gives the same dictionary on every re-save.
template <typename Stored> void checkStableRecord(const PlistDict& dict) {
    const PlistDict once = Stored::fromPlist(dict).toPlist();
    FUZZ_CHECK(written(PlistValue(Stored::fromPlist(once).toPlist())) == written(PlistValue(once)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    FUZZ_CHECK(readsTheSameBothWays(bytes));
    PlistReadResult read = readPlist(bytes);
    if (!read.value) {
        FUZZ_CHECK(!read.error.isEmpty());
        return 0;
    }
    checkStableFile(*read.value);
    // "waitingReport.plist": a list of cases.
    if (const PlistValue::Array* items = read.value->asArray())
        for (const PlistValue& item : *items)
            if (const PlistDict* dict = item.asDict()) checkStableRecord<CaseRecord>(*dict);
    // "photo_<photoId>.plist": one case's photos.
    if (const PlistDict* dict = read.value->asDict()) checkStableRecord<PhotoFile>(*dict);
    return 0;
}
