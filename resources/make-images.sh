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
