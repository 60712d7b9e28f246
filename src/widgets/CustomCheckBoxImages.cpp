#include "widgets/CustomCheckBoxImages.h"

namespace {

const QString kBox = QStringLiteral(":/box.png");
const QString kWhiteRecBox = QStringLiteral(":/whiterecbox.png");

} // namespace

ResourceCheckBoxImage::ResourceCheckBoxImage(QString normal, QString selected)
    : normal_(std::move(normal)), selected_(std::move(selected)) {}

CustomRedCheckBoxImage::CustomRedCheckBoxImage()
    : ResourceCheckBoxImage(kBox, QStringLiteral(":/redbox.png")) {}

CustomGreenCheckBoxImage::CustomGreenCheckBoxImage()
    : ResourceCheckBoxImage(kBox, QStringLiteral(":/greenbox.png")) {}

CustomWhiteRedCheckBoxImage::CustomWhiteRedCheckBoxImage()
    : ResourceCheckBoxImage(kWhiteRecBox, QStringLiteral(":/whiterecredbox.png")) {}

CustomWhiteGreenCheckBoxImage::CustomWhiteGreenCheckBoxImage()
    : ResourceCheckBoxImage(kWhiteRecBox, QStringLiteral(":/whiterecgreenbox.png")) {}
