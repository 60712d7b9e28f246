#include "store/CaseRecord.h"

#include "store/PlistFields.h"
#include "store/StoreKeys.h"

#include <algorithm>

namespace {

const char* const photoKeys[] = {StoreKeys::topPhoto, StoreKeys::photos, StoreKeys::photos_1};

PlistDict prarmsToPlist(const QMap<QString, QString>& prarms, const PlistDict& kept) {
    PlistDict dict;
    for (auto it = prarms.begin(); it != prarms.end(); ++it) {
        const PlistValue* read = kept.value(it.key());
        const bool unchanged = read && textOf(*read) == it.value();
        dict.append(it.key(), unchanged ? *read : PlistValue(it.value()));
    }
    for (const auto& [key, value] : kept)
        if (!prarms.contains(key) && !textOf(value)) dict.append(key, value);
    return dict;
}

// Form fields are texts; a number is taken as its decimal text. A value of any
// other type cannot be sent as a form field; it is only kept.
void prarmsFromPlist(const PlistDict& dict, CaseRecord& r) {
    for (const auto& [key, value] : dict) {
        if (!value.asString()) r.prarmsKept.append(key, value);
        if (auto text = textOf(value)) r.prarms.insert(key, *text);
    }
}

} // namespace

bool CaseRecord::hasInlinePhotos() const {
    return topPhoto || photos || photos_1 || !strays.empty() ||
           std::any_of(std::begin(photoKeys), std::end(photoKeys),
                       [&](const char* key) { return extra.contains(QString::fromLatin1(key)); });
}

PhotoFile CaseRecord::inlinePhotos() const {
    PhotoFile file{
        topPhoto, photos.value_or(PhotoList()), photos_1.value_or(PhotoList()), {}, strays};
    for (const char* key : photoKeys)
        if (const PlistValue* kept = extra.value(QString::fromLatin1(key)))
            file.extra.append(QString::fromLatin1(key), *kept);
    return file;
}

void CaseRecord::dropInlinePhotos() {
    topPhoto.reset();
    photos.reset();
    photos_1.reset();
    strays = {};
    for (const char* key : photoKeys)
        extra.remove(QString::fromLatin1(key));
}

bool CaseRecord::hasUnreadablePhotoId() const {
    return !photoId && extra.contains(QString::fromLatin1(StoreKeys::photoId));
}

PlistDict CaseRecord::toPlist() const {
    FieldWriter out(extra);
    out.put(StoreKeys::pk, pk, pk.isEmpty());
    out.put(StoreKeys::pakeno, pakeno, pakeno.isEmpty());
    out.put(StoreKeys::Chkno, Chkno, Chkno.isEmpty());
    out.put(StoreKeys::type, type, type.isEmpty());
    out.put(StoreKeys::state, state, state.isEmpty());
    out.put(StoreKeys::rcdTime, rcdTime, rcdTime.isEmpty());
    out.put(StoreKeys::prarms, prarmsToPlist(prarms, prarmsKept),
            prarms.isEmpty() && prarmsKept.empty());
    if (photoId) out.put(StoreKeys::photoId, *photoId);
    writePhotoLists(out, topPhoto, photos, photos_1, strays);
    return std::move(out).finish();
}

CaseRecord CaseRecord::fromPlist(const PlistDict& dict) {
    FieldReader in(dict);
    CaseRecord r;
    r.pk = in.text(StoreKeys::pk).value_or(QString());
    r.pakeno = in.text(StoreKeys::pakeno).value_or(QString());
    r.Chkno = in.text(StoreKeys::Chkno).value_or(QString());
    r.type = in.text(StoreKeys::type).value_or(QString());
    r.state = in.text(StoreKeys::state).value_or(QString());
    r.rcdTime = in.text(StoreKeys::rcdTime).value_or(QString());
    if (const PlistDict* prarms = in.dict(StoreKeys::prarms)) prarmsFromPlist(*prarms, r);
    r.photoId = in.string(StoreKeys::photoId);
    PhotoLists lists = readPhotoLists(in);
    r.topPhoto = std::move(lists.topPhoto);
    r.photos = std::move(lists.photos);
    r.photos_1 = std::move(lists.photos_1);
    r.strays = std::move(lists.strays);
    r.extra = in.rest();
    return r;
}
