#include "qr/ScanLayout.h"

#include <algorithm>

namespace {

constexpr double kBarsHeight = 20 + 44;
constexpr double kScanLineHeight = 10;
constexpr double kInfoLabelGap = 10;
constexpr double kInfoLabelHeight = 40;

float sideFor(QSizeF size) {
    return static_cast<float>(0.7 * std::min(size.width(), size.height()));
}

} // namespace

ScanLayout scanLayoutFor(QSizeF screen) {
    const double W = screen.width();
    const double H = screen.height();
    ScanLayout l;
    l.side = sideFor(screen);
    const double s = l.side;
    const double c = l.side / 4;
    l.usableHeight = H - kBarsHeight;
    const double x0 = (W - s) / 2;
    const double y0 = (l.usableHeight - s) / 2;
    l.square = QRectF(x0, y0, s, s);
    l.regionOfInterest = QRectF(y0 / H, x0 / W, s / H, s / W);
    l.shades = {QRectF(0, 0, W, y0), QRectF(0, y0 + s, W, H - s - y0), QRectF(0, y0, x0, s),
                QRectF(x0 + s, y0, W - x0 - s, s)};
    const double right = (W + s) / 2 - c;
    const double bottom = (l.usableHeight + s) / 2 - c;
    l.corners = {QRectF(x0, y0, c, c), QRectF(right, y0, c, c), QRectF(x0, bottom, c, c),
                 QRectF(right, bottom, c, c)};
    l.scanLine = QRectF(x0, y0, s, kScanLineHeight);
    l.infoLabel = QRectF(x0, (l.usableHeight + s) / 2 + kInfoLabelGap, s, kInfoLabelHeight);
    return l;
}

FootLayout footLayoutFor(QSizeF screen, bool tablet) {
    const double W = screen.width();
    const double barHeight = tablet ? 60 : 50;
    const double top = tablet ? 18 : 17;
    const double height = tablet ? 28 : 20;
    const double buttonWidth = tablet ? 60 : 48;
    constexpr double margin = 10;
    FootLayout f;
    f.bar = QRectF(0, screen.height() - kBarsHeight - barHeight, W, barHeight);
    f.button = QRectF(W - margin - buttonWidth, top, buttonWidth, height);
    f.label = QRectF(margin, top, f.button.left() - 2 * margin, height);
    f.fontSize = tablet ? 24 : 16;
    return f;
}

SweepPath sweepPathFor(QSizeF view, double lineHeight) {
    const double s = sideFor(view);
    return {(view.height() - s) / 2, (view.height() + s) / 2 - lineHeight};
}
