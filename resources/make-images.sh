#!/usr/bin/env bash
# Draws the app's own frame and check-box images with ImageMagick. Run it from
# anywhere after changing a look; the PNGs it writes are committed.
set -euo pipefail
cd "$(dirname "$0")"

png() { # png OUT CONVERT-ARGS...: writes without time stamps, so reruns are identical
    local out="$1"; shift
    convert "$@" -strip -define png:exclude-chunks=date,time "PNG32:$out"
}

check='stroke-linecap round stroke-linejoin round polyline 16,33 28,45 48,20'

# Check boxes, 64 x 64 on transparent: a rounded box, plain or filled with a tick.
png box.png -size 64x64 xc:none -fill white -stroke '#404040' -strokewidth 4 \
    -draw 'roundrectangle 4,4 59,59 8,8'
png redbox.png -size 64x64 xc:none -fill '#d32f2f' -stroke '#8e1b1b' -strokewidth 4 \
    -draw 'roundrectangle 4,4 59,59 8,8' -fill none -stroke white -strokewidth 6 -draw "$check"
png greenbox.png -size 64x64 xc:none -fill '#2e7d32' -stroke '#1b4d1e' -strokewidth 4 \
    -draw 'roundrectangle 4,4 59,59 8,8' -fill none -stroke white -strokewidth 6 -draw "$check"

# White square outlines for dark rows, empty or with a coloured tick.
png whiterecbox.png -size 64x64 xc:none -fill none -stroke white -strokewidth 4 \
    -draw 'rectangle 4,4 59,59'
png whiterecredbox.png -size 64x64 xc:none -fill none -stroke white -strokewidth 4 \
    -draw 'rectangle 4,4 59,59' -stroke '#e53935' -strokewidth 6 -draw "$check"
png whiterecgreenbox.png -size 64x64 xc:none -fill none -stroke white -strokewidth 4 \
    -draw 'rectangle 4,4 59,59' -stroke '#43a047' -strokewidth 6 -draw "$check"

# Frames, stretched over the picture they frame and drawn mirrored top to
# bottom: dark at the top of the file, so light at the top on screen.
png photoframe.png -size 240x180 gradient:'#3b2412'-'#d8b080'
png whiteFrame.png -size 240x180 gradient:'#9e9e9e'-white

# The two scan pictures of the check start, shown until a code has been read:
# a card with a QR-like symbol and what to scan. qrcodeButton2 stands for the
# registration code, qrcodeButton1 for the use permit.
finders='rectangle 144,44 180,80 rectangle 220,44 256,80 rectangle 144,120 180,156'
modules='rectangle 156,56 168,68 rectangle 232,56 244,68 rectangle 156,132 168,144
 rectangle 196,44 208,56 rectangle 196,68 208,92 rectangle 144,96 168,108
 rectangle 184,100 208,112 rectangle 220,96 232,120 rectangle 244,100 256,112
 rectangle 196,124 208,156 rectangle 220,132 256,144 rectangle 232,148 244,160
 rectangle 184,144 196,160'
scan_card() { # scan_card OUT COLOUR CAPTION
    png "$1" -size 400x300 xc:none -fill '#fdf3f7' -stroke "$2" -strokewidth 6 \
        -draw 'roundrectangle 4,4 395,295 28,28' \
        -fill none -strokewidth 8 -draw "$finders" -stroke none -fill "$2" -draw "$modules" \
        -font Noto-Sans-CJK-TC-Bold -pointsize 34 -gravity south -annotate +0+36 "$3"
}
scan_card qrcodeButton2.png '#ec407a' '掃描檢查/維護登記碼'
scan_card qrcodeButton1.png '#5c6bc0' '掃描設備使用許可證'

# The arrow between the two scan pictures: first the one, then the other.
png scanArrow.png -size 60x40 xc:none -fill '#ec407a' -draw 'polygon 6,6 54,6 30,34'

# Navigation-bar images of the records screen, white on transparent, 24 x 24:
# a waste bin and a list.
png ic_delete.png -size 24x24 xc:none -fill none -stroke white -strokewidth 2 \
    -draw 'line 4,6 20,6' -draw 'line 9,6 9,3' -draw 'line 9,3 15,3' -draw 'line 15,3 15,6' \
    -draw 'polyline 6,6 7,21 17,21 18,6' -draw 'line 10,10 10,17' -draw 'line 14,10 14,17'
png tabItemList.png -size 24x24 xc:none -fill white -stroke none \
    -draw 'circle 4,6 5.5,6' -draw 'circle 4,12 5.5,12' -draw 'circle 4,18 5.5,18' \
    -draw 'rectangle 9,5 21,7' -draw 'rectangle 9,11 21,13' -draw 'rectangle 9,17 21,19'

# Sort-menu symbols, 48 x 48: a building under construction (numbering) and
# a spanner (maintenance state).
png symbol_const.png -size 48x48 xc:none -fill '#1976d2' -stroke none \
    -draw 'rectangle 10,16 38,44' -fill white -draw 'rectangle 15,21 21,27' \
    -draw 'rectangle 27,21 33,27' -draw 'rectangle 15,32 21,38' -draw 'rectangle 27,32 33,44' \
    -fill '#f9a825' -draw 'polygon 4,14 24,3 44,14'
png symbol_maint.png -size 48x48 xc:none -fill none -stroke '#616161' -strokewidth 7 \
    -draw 'line 10,38 27,21' -strokewidth 6 -draw 'circle 32,16 39,16' \
    -fill '#616161' -stroke none -draw 'circle 10,38 14,38'

# The app's icon: a lift car with its up and down arrows, white on blue.
png AppIcon.png -size 256x256 xc:none -fill '#1565c0' -draw 'roundrectangle 8,8 247,247 40,40' \
    -fill none -stroke white -strokewidth 12 -draw 'rectangle 64,52 191,203' \
    -draw 'line 128,52 128,203' -stroke none -fill white \
    -draw 'polygon 96,84 112,112 80,112' -draw 'polygon 160,112 176,84 144,84' \
    -draw 'rectangle 40,220 215,232'
