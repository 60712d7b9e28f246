#pragma once

#include <QRectF>
#include <QSizeF>
#include <array>

// Where the reader's scan square lies on a screen of the given size (in
// points) and where the elements around it go, in the view's coordinates.
struct ScanLayout {
    // The square's side: 0.7 of the screen's shorter side, in single
    // precision as the camera's region of interest has always been computed.
    float side = 0;
    // The screen's height less the status bar (20) and the navigation bar (44).
    double usableHeight = 0;
    QRectF square;
    // The square as fractions of the view, in the camera's landscape axes:
    // x and width along the view's height, y and height along its width.
    QRectF regionOfInterest;
    // White veils over everything outside the square: above, below, left, right.
    std::array<QRectF, 4> shades;
    // Corner marks: top left, top right, bottom left, bottom right.
    std::array<QRectF, 4> corners;
    // The scan line where its sweep starts.
    QRectF scanLine;
    // The hint under the square.
    QRectF infoLabel;
};

ScanLayout scanLayoutFor(QSizeF screen);

// The confirmation bar at the bottom of the usable height. Label and button
// are placed inside the bar.
struct FootLayout {
    QRectF bar;
    QRectF label;
    QRectF button;
    int fontSize = 0;
};

FootLayout footLayoutFor(QSizeF screen, bool tablet);

// One sweep of the scan line in a view of the given size: from the square's
// top edge down until the line rests on its bottom edge.
struct SweepPath {
    double top = 0;
    double bottom = 0;
};

SweepPath sweepPathFor(QSizeF view, double lineHeight);
