#include "qr/QRReaderViews.h"

#include "ui/ElidedLabel.h"
#include "util/SystemFont.h"

#include <QIcon>
#include <QLabel>
#include <QPushButton>

namespace {

const QColor kShadeColor(255, 255, 255, 51); // white at alpha 0.2
const QColor kInfoColor(0, 0, 0, 102);       // black at alpha 0.4
const QColor kFootColor(0, 0, 0, 204);       // black at alpha 0.8
const QString kFootButtonColor = QStringLiteral("#007aff");
const QString kCornerImages[] = {
    QStringLiteral(":/qr_top_left.png"), QStringLiteral(":/qr_top_right.png"),
    QStringLiteral(":/qr_bottom_left.png"), QStringLiteral(":/qr_bottom_right.png")};

QWidget* addPanel(QWidget* parent, const QRectF& frame, const QColor& color) {
    auto* panel = new QWidget(parent);
    panel->setGeometry(frame.toRect());
    panel->setAutoFillBackground(true);
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, color);
    panel->setPalette(palette);
    return panel;
}

QLabel* addImage(QWidget* parent, const QRectF& frame, const QString& resource) {
    auto* image = new QLabel(parent);
    image->setGeometry(frame.toRect());
    image->setPixmap(QPixmap(resource));
    image->setScaledContents(true);
    return image;
}

QLabel* addInfoLabel(QWidget* parent, const QRectF& frame, bool tablet) {
    auto* label = new QLabel(QStringLiteral("QR Code進入方框內即自動辯識"), parent);
    label->setGeometry(frame.toRect());
    label->setAlignment(Qt::AlignCenter);
    label->setFont(systemFont(tablet ? 17 : 12));
    // Rounded ends: the corner radius is half the height.
    label->setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: white; "
                                        "border-radius: %2px; }")
                             .arg(kInfoColor.name(QColor::HexArgb))
                             .arg(frame.height() / 2));
    return label;
}

} // namespace

ScanViews addScanViews(QWidget* view, const ScanLayout& layout, bool tablet) {
    for (const QRectF& shade : layout.shades)
        addPanel(view, shade, kShadeColor);
    for (int i = 0; i < 4; ++i)
        addImage(view, layout.corners[i], kCornerImages[i]);
    ScanViews views;
    views.scanLineImageView = addImage(view, layout.scanLine, QStringLiteral(":/qr_scan_line.png"));
    views.infoLabel = addInfoLabel(view, layout.infoLabel, tablet);
    return views;
}

FootViews addFootViews(QWidget* view, const FootLayout& layout) {
    FootViews views;
    views.footView = addPanel(view, layout.bar, kFootColor);
    // A long equipment number is shortened, never run under the button.
    views.footLabel = new ElidedLabel(views.footView);
    views.footLabel->setText(QStringLiteral("未偵測到QRcode"));
    views.footLabel->setGeometry(layout.label.toRect());
    views.footLabel->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    views.footLabel->setFont(systemFont(layout.fontSize));
    views.footLabel->setStyleSheet(QStringLiteral("QLabel { color: white; }"));
    views.footBtn = new QPushButton(QStringLiteral("確定"), views.footView);
    views.footBtn->setGeometry(layout.button.toRect());
    views.footBtn->setFont(systemFont(layout.fontSize));
    views.footBtn->setFlat(true);
    views.footBtn->setStyleSheet(
        QStringLiteral("QPushButton { color: %1; background: transparent; border: none; }")
            .arg(kFootButtonColor));
    return views;
}

QPushButton* makeLightButton(QWidget* owner) {
    auto* button = new QPushButton(owner);
    button->setFixedSize(32, 32);
    button->setIconSize(QSize(32, 32));
    button->setFlat(true);
    button->hide();
    showTorchNextState(button, false);
    return button;
}

void showTorchNextState(QPushButton* button, bool torchOn) {
    button->setIcon(
        QIcon(torchOn ? QStringLiteral(":/flash_off.png") : QStringLiteral(":/flash_on.png")));
    button->setProperty("imageName",
                        torchOn ? QStringLiteral("flash_off") : QStringLiteral("flash_on"));
}
