#include "store/PhotoEntry.h"

#include "store/PlistFields.h"
#include "store/StoreKeys.h"

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
    entry.lat = in.singleNumber(StoreKeys::lat).value_or(0);
    entry.lon = in.singleNumber(StoreKeys::lon).value_or(0);
    entry.extra = in.rest();
    return entry;
}

PlistValue::Array photoListToPlist(const PhotoList& photos, const PlistValue* strays) {
    const PlistValue::Array* others = strays ? strays->asArray() : nullptr;
    PlistValue::Array items;
    items.reserve(std::size_t(photos.size()) + (others ? others->size() : 0));
    for (const PhotoEntry& entry : photos)
        items.emplace_back(entry.toPlist());
    if (others) items.insert(items.end(), others->begin(), others->end());
    return items;
}

PhotoList photoListFromPlist(const PlistValue::Array& items, PlistValue::Array* strays) {
    PhotoList photos;
    for (const PlistValue& item : items) {
        if (const PlistDict* dict = item.asDict())
            photos.append(PhotoEntry::fromPlist(*dict));
        else
            strays->push_back(item);
    }
    return photos;
}

PhotoLists readPhotoLists(FieldReader& in) {
    PhotoLists lists;
    if (const PlistDict* top = in.dict(StoreKeys::topPhoto))
        lists.topPhoto = PhotoEntry::fromPlist(*top);
    const auto list = [&](const char* key, std::optional<PhotoList>& photos) {
        const PlistValue::Array* items = in.array(key);
        if (!items) return;
        PlistValue::Array others;
        photos = photoListFromPlist(*items, &others);
        if (!others.empty()) lists.strays.append(QString::fromLatin1(key), std::move(others));
    };
    list(StoreKeys::photos, lists.photos);
    list(StoreKeys::photos_1, lists.photos_1);
    return lists;
}

void writePhotoLists(FieldWriter& out, const std::optional<PhotoEntry>& topPhoto,
                     const std::optional<PhotoList>& photos,
                     const std::optional<PhotoList>& photos_1, const StrayEntries& strays) {
    if (topPhoto) out.put(StoreKeys::topPhoto, topPhoto->toPlist());
    const auto list = [&](const char* key, const std::optional<PhotoList>& list) {
        const PlistValue* others = strays.value(QString::fromLatin1(key));
        if (list || others)
            out.put(key, photoListToPlist(list.value_or(PhotoList()), others),
                    list.value_or(PhotoList()).isEmpty() && !others);
    };
    list(StoreKeys::photos, photos);
    list(StoreKeys::photos_1, photos_1);
}

PlistDict PhotoFile::toPlist() const {
    FieldWriter out(extra);
    writePhotoLists(out, topPhoto, photos, photos_1, strays);
    return std::move(out).finish();
}

PhotoFile PhotoFile::fromPlist(const PlistDict& dict) {
    FieldReader in(dict);
    PhotoLists lists = readPhotoLists(in);
    return {std::move(lists.topPhoto), lists.photos.value_or(PhotoList()),
            lists.photos_1.value_or(PhotoList()), in.rest(), std::move(lists.strays)};
}
