#pragma once

#include <QColor>
#include <QSize>

// The sizes, colours and fonts of the records screen and of its rows, in
// points, on a phone, a 3.5-inch phone or a tablet.
struct SecurityResendLayout {
    QRgb ground;             // the screen's light grey behind the buttons
    int buttonFontSize;      // "全選" and "掃描登記碼"
    int buttonHeight;        // their least height
    int placeholderFontSize; // "無任何資料"
    int rowHeight;
    int rowMargin;    // left of the tick box, and between it and the texts
    int checkBox;     // the tick box's side
    int timeFontSize; // the first line: when the case was kept
    QRgb timeColour;
    int caseFontSize;  // the second line: the equipment number and check type
    int stateFontSize; // the state badge
    QSize stateBadge;
    int disclosureFontSize; // the "›" of a case that opens
    int disclosureWidth;
    QRgb disclosureColour;
};

const SecurityResendLayout& securityResendLayoutFor(bool tablet, bool is3Inch5);
// The layout of the device the app runs on.
const SecurityResendLayout& securityResendLayout();
