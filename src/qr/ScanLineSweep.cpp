#include "qr/ScanLineSweep.h"

#include <cmath>

void ScanLineSweep::run(double fromY, double toY, double seconds) {
    if (!line_) return;
    QRect at = line_->geometry();
    at.moveTop(int(std::lround(fromY)));
    QRect end = at;
    end.moveTop(int(std::lround(toY)));
    line_->show();
    QPointer<QWidget> line = line_;
    animation_.run(at, end, seconds, [line] {
        if (line) line->hide();
    });
}
