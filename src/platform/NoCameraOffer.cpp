#include "platform/NoCameraOffer.h"

#include "platform/Platform.h"

void offerPictureForCamera(const PictureOffer& offer,
                           std::function<void(std::optional<QString>)> done) {
    PictureChooser* chooser = platform().pictureChooser;
    Alert alert;
    alert.title = QStringLiteral("相機無法使用");
    alert.message = QStringLiteral("此裝置沒有可用的相機");
    if (chooser) {
        alert.message += QStringLiteral(", ") + offer.message;
        alert.cancelTitle = QStringLiteral("取消");
        alert.otherTitles = {offer.button};
    } else {
        alert.cancelTitle = QStringLiteral("知道了");
    }
    alert.onButton = [chooser, offer, done = std::move(done)](int button, const QString&) {
        if (button == 1 && chooser)
            chooser->choosePicture(offer.chooserTitle, offer.filter, done);
        else
            done(std::nullopt);
    };
    platform().alerts->present(std::move(alert));
}
