#include "app/PhotoEntry.h"

#include "app/PlistFields.h"
#include "app/StoreKeys.h"

PlistDict PhotoEntry::toPlist() const {
    FieldWriter out(extra);
    out.put(StoreKeys::photo, photo, photo.isEmpty());
    // A photo without a time keeps the file writable; "imgTime" is then absent.
    if (imgTime.isValid()) out.put(StoreKeys::imgTime, imgTime);
    out.put(StoreKeys::lat, double(lat), lat == 0);
    out.put(StoreKeys::lon, double(lon), lon == 0);
    return std::move(out).finish();
}

PhotoEntry PhotoEntry::fromPlist(const PlistDict& dict) {
    FieldReader in(dict);
    PhotoEntry entry;
    entry.photo = in.data(StoreKeys::photo).value_or(QByteArray());
    entry.imgTime = in.date(StoreKeys::imgTime).value_or(QDateTime());
    entry.lat = float(in.number(StoreKeys::lat).value_or(0));
    entry.lon = float(in.number(StoreKeys::lon).value_or(0));
    entry.extra = in.rest();
    return entry;
}

PlistValue::Array photoListToPlist(const PhotoList& photos) {
    PlistValue::Array items;
    items.reserve(photos.size());
    for (const PhotoEntry& entry : photos)
        items.emplace_back(entry.toPlist());
    return items;
}

PhotoList photoListFromPlist(const PlistValue::Array& items) {
    PhotoList photos;
    for (const PlistValue& item : items)
        if (const PlistDict* dict = item.asDict()) photos.append(PhotoEntry::fromPlist(*dict));
    return photos;
}

PlistDict PhotoFile::toPlist() const {
    FieldWriter out(extra);
    if (topPhoto) out.put(StoreKeys::topPhoto, topPhoto->toPlist());
    out.put(StoreKeys::photos, photoListToPlist(photos), photos.isEmpty());
    out.put(StoreKeys::photos_1, photoListToPlist(photos_1), photos_1.isEmpty());
    return std::move(out).finish();
}

PhotoFile PhotoFile::fromPlist(const PlistDict& dict) {
    FieldReader in(dict);
    PhotoFile file;
    if (const PlistDict* top = in.dict(StoreKeys::topPhoto))
        file.topPhoto = PhotoEntry::fromPlist(*top);
    if (const PlistValue::Array* list = in.array(StoreKeys::photos))
        file.photos = photoListFromPlist(*list);
    if (const PlistValue::Array* list = in.array(StoreKeys::photos_1))
        file.photos_1 = photoListFromPlist(*list);
    file.extra = in.rest();
    return file;
}
