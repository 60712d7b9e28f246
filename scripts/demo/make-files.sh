#!/usr/bin/env bash
# Makes the pictures the demo scenario shows the app's cameras: the QR codes of
# two cases and of a use permit (qrencode), and three camera-sized JPEGs of an
# elevator, an inspector and a maintenance order (ImageMagick). Run it again
# after changing a code; the files are kept in the repository.
set -euo pipefail
cd "$(dirname "$0")"
qrencode -s 8 -o registration-1.png "DEMO100,C1150001"
qrencode -s 8 -o permit-1.png "https://permit.example/query.do?type=1&ipno=DEMO100"
qrencode -s 8 -o registration-2.png "DEMO200,F1150002"
convert -size 2048x1536 gradient:'#9aa9b8'-'#3a4450' \
    -fill '#c9ccd0' -draw 'rectangle 560,160 1490,1450' \
    -fill '#a4a9af' -draw 'rectangle 600,200 1018,1420' -draw 'rectangle 1032,200 1450,1420' \
    -fill '#e8b04a' -draw 'rectangle 1530,700 1600,860' \
    -quality 85 site.jpg
convert -size 2048x1536 gradient:'#d8dde2'-'#7d8a96' \
    -fill '#f0c8a0' -draw 'circle 1024,520 1024,330' \
    -fill '#24527a' -draw 'roundrectangle 700,760 1348,1536 80,80' \
    -fill '#f5d000' -draw 'roundrectangle 820,250 1228,380 60,60' \
    -quality 85 inspector.jpg
convert -size 2048x1536 xc:'#6b5a4a' \
    -fill white -draw 'rectangle 420,80 1628,1456' \
    -fill '#333333' -draw 'rectangle 520,200 1528,240' -draw 'rectangle 520,320 1400,340' \
    -draw 'rectangle 520,400 1450,420' -draw 'rectangle 520,480 1300,500' \
    -draw 'rectangle 520,560 1480,580' -draw 'rectangle 1100,1200 1500,1300' \
    -quality 85 order.jpg
