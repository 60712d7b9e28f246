#pragma once

#include <QRect>

// Where the check start screen puts its views, in points of the screen's own
// area (below the navigation bar), on a phone, a 3.5-inch phone or a tablet.
struct SecuritycheckLayout {
    QRect noteLabel;
    QRect topButton;
    QRect centerView;
    QRect bottomButton;
    QRect checkSquare;  // the result box while no result shows
    QRect resultBanner; // the result box grown to show a result
    int noteFontSize;
    int resultFontSize;
};

SecuritycheckLayout securitycheckLayoutFor(bool tablet, bool is3Inch5);
