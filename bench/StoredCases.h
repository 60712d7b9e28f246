#pragma once

// Cases as the store keeps them once their photos have been moved into their
// own photo file, for the benchmarks of the screens that read the store.
#include "store/CaseRecord.h"
#include "util/PhotoPipeline.h"

#include <QDateTime>
#include <memory>
#include <vector>

inline constexpr int kPhotosPerCase = 14; // 1 inspector, 10 site, 3 maintenance-order photos

// A full case's photos, stamped with chkno from the camera photos in turn.
inline PhotoFile stampedPhotoFile(const std::vector<QByteArray>& cameraPhotos,
                                  const QString& chkno) {
    const auto entry = [&](std::size_t n) -> PhotoEntry {
        const QByteArray& camera = cameraPhotos[n % cameraPhotos.size()];
        return {stampTakenPhoto(camera, chkno, std::nullopt).value(),
                QDateTime::currentDateTime(),
                25.033964f,
                121.5645f,
                {}};
    };
    PhotoFile photos;
    photos.topPhoto = entry(0);
    for (int i = 1; i < kPhotosPerCase; ++i)
        (i <= 10 ? photos.photos : photos.photos_1) << entry(i);
    return photos;
}

// A case whose photos are in the photo file photoId, with every form field an
// upload carries.
inline std::shared_ptr<CaseRecord> storedCase(const QString& pakeno, const QString& chkno,
                                              const QString& photoId, const QString& state) {
    auto record = std::make_shared<CaseRecord>();
    record->pk = pakeno + u',' + chkno;
    record->pakeno = pakeno;
    record->Chkno = chkno;
    record->type = QStringLiteral("安全檢查");
    record->state = state;
    record->rcdTime = QStringLiteral("104/06/30 14:05");
    record->prarms = {{"date", "1040630140500"},
                      {"pakeno", pakeno},
                      {"Chkno", chkno},
                      {"startTime", "1040630140001"},
                      {"devToken", "0A1B2C3D-0000-4000-8000-00000000AAAA"},
                      {"tecuni", "QTEyMzQ1Njc4OQ=="},
                      {"tecnam", "546L5aSn5piO"}};
    record->photoId = photoId;
    return record;
}
