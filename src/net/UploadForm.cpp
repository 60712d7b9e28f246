#include "net/UploadForm.h"

#include "net/CoordinateText.h"
#include "util/PublicFunction.h"

#include <QRegularExpression>

namespace {

// Photo fields describe the photos of one upload only: any kept from an
// earlier set of photos, in either list, would describe a photo that is gone.
bool isPhotoField(const QString& name) {
    static const QRegularExpression pattern(
        QStringLiteral(R"(^(photoTime|PhotoLng|PhotoLat)_[12]_\d+$)"));
    return pattern.match(name).hasMatch();
}

// Sets a field, in place when it is already there, so that every name is
// sent once.
void setField(FormFields& fields, const QString& name, const QString& value) {
    for (auto& field : fields)
        if (field.first == name) {
            field.second = value;
            return;
        }
    fields.append({name, value});
}

void addPhotos(FormFields& fields, QList<QByteArray>& files, const PhotoList& photos, int group) {
    int n = 0;
    for (const PhotoEntry& photo : photos) {
        ++n;
        const std::optional<QDateTime> time =
            photo.imgTime.isValid() ? std::optional(photo.imgTime) : std::nullopt;
        setField(
            fields, QStringLiteral("photoTime_%1_%2").arg(group).arg(n),
            PublicFunction::getFormatROCTimeFormatString(time, QStringLiteral("yyyyMMddHHmmss"))
                .value_or(QString()));
        setField(fields, QStringLiteral("PhotoLng_%1_%2").arg(group).arg(n),
                 coordinateText(photo.lon));
        setField(fields, QStringLiteral("PhotoLat_%1_%2").arg(group).arg(n),
                 coordinateText(photo.lat));
        files.append(photo.photo);
    }
}

} // namespace

UploadForm uploadFormFor(const CaseRecord& record, const PhotoFile& photos,
                         const QString& appVersion) {
    UploadForm form;
    for (auto it = record.prarms.begin(); it != record.prarms.end(); ++it)
        if (!isPhotoField(it.key())) form.fields.append({it.key(), it.value()});
    setField(form.fields, QStringLiteral("osType"), QStringLiteral("1"));
    setField(form.fields, QStringLiteral("appVersion"), appVersion);
    PhotoList group1;
    if (photos.topPhoto) group1.append(*photos.topPhoto);
    group1.append(photos.photos);
    addPhotos(form.fields, form.files1, group1, 1);
    addPhotos(form.fields, form.files2, photos.photos_1, 2);
    return form;
}
