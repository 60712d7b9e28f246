#pragma once

#include "qr/ScanLayout.h"

class QLabel;
class QPushButton;
class QWidget;

// The views around the scan square: veils, corner marks, scan line and hint.
struct ScanViews {
    QLabel* infoLabel = nullptr;
    QLabel* scanLineImageView = nullptr;
};

ScanViews addScanViews(QWidget* view, const ScanLayout& layout, bool tablet);

// The confirmation bar with the code's equipment number and its button.
struct FootViews {
    QWidget* footView = nullptr;
    QLabel* footLabel = nullptr;
    QPushButton* footBtn = nullptr;
};

FootViews addFootViews(QWidget* view, const FootLayout& layout);

// The torch button of the navigation bar, showing the torch's next state.
QPushButton* makeLightButton(QWidget* owner);
void showTorchNextState(QPushButton* button, bool torchOn);
