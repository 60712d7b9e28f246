#pragma once

#include <QColor>
#include <QMargins>
#include <QSize>

// The sizes, colours and fonts of the photo screens (a new case's and a sent
// case's) and of their photo rows, in points, on a phone, a 3.5-inch phone or
// a tablet.
struct CasePhotoLayout {
    QRgb ground;         // the screen's dark blue; its texts are white
    QMargins margins;    // around the screen's content, above its bottom edge
    int textFontSize;    // the case's facts and the camera buttons
    int noFixFontSize;   // the "尚未定位" mark
    QSize personPicture; // the inspector's photo, which is also its button
    QSize rowPicture;    // a photo in a list row
    int rowTimeHeight;   // the photo's time under it
    int rowTimeFontSize;
    int rowMargin;    // above the photo and below the time
    int rowSeparator; // the white strip closing a row
    QRgb rowSeparatorColour;

    // The row's height, strip included.
    int rowHeight() const {
        return rowPicture.height() + rowTimeHeight + 2 * rowMargin + rowSeparator;
    }
};

const CasePhotoLayout& casePhotoLayoutFor(bool tablet, bool is3Inch5);
// The layout of the device the app runs on.
const CasePhotoLayout& casePhotoLayout();
