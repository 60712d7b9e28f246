#include "app/CaseRecord.h"

#include "app/PlistFields.h"
#include "app/StoreKeys.h"

namespace {

PlistDict prarmsToPlist(const QMap<QString, QString>& prarms) {
    PlistDict dict;
    for (auto it = prarms.begin(); it != prarms.end(); ++it)
        dict.append(it.key(), it.value());
    return dict;
}

// Form fields are texts; a number is taken as its decimal text, and a value
// of any other type cannot be sent as a form field and is left out.
QMap<QString, QString> prarmsFromPlist(const PlistDict& dict) {
    QMap<QString, QString> prarms;
    for (const auto& [key, value] : dict)
        if (auto text = textOf(value)) prarms.insert(key, *text);
    return prarms;
}

} // namespace

PhotoFile CaseRecord::inlinePhotos() const {
    PhotoFile file;
    file.topPhoto = topPhoto;
    file.photos = photos.value_or(PhotoList());
    file.photos_1 = photos_1.value_or(PhotoList());
    return file;
}

PlistDict CaseRecord::toPlist() const {
    FieldWriter out(extra);
    out.put(StoreKeys::pk, pk, pk.isEmpty());
    out.put(StoreKeys::pakeno, pakeno, pakeno.isEmpty());
    out.put(StoreKeys::Chkno, Chkno, Chkno.isEmpty());
    out.put(StoreKeys::type, type, type.isEmpty());
    out.put(StoreKeys::state, state, state.isEmpty());
    out.put(StoreKeys::rcdTime, rcdTime, rcdTime.isEmpty());
    out.put(StoreKeys::prarms, prarmsToPlist(prarms), prarms.isEmpty());
    if (photoId) out.put(StoreKeys::photoId, *photoId);
    if (topPhoto) out.put(StoreKeys::topPhoto, topPhoto->toPlist());
    if (photos) out.put(StoreKeys::photos, photoListToPlist(*photos));
    if (photos_1) out.put(StoreKeys::photos_1, photoListToPlist(*photos_1));
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
    if (const PlistDict* prarms = in.dict(StoreKeys::prarms)) r.prarms = prarmsFromPlist(*prarms);
    r.photoId = in.text(StoreKeys::photoId);
    if (const PlistDict* top = in.dict(StoreKeys::topPhoto))
        r.topPhoto = PhotoEntry::fromPlist(*top);
    if (const PlistValue::Array* list = in.array(StoreKeys::photos))
        r.photos = photoListFromPlist(*list);
    if (const PlistValue::Array* list = in.array(StoreKeys::photos_1))
        r.photos_1 = photoListFromPlist(*list);
    r.extra = in.rest();
    return r;
}
