#!/usr/bin/env bash
# bench_stamp_fixtures.sh DIR [COUNT]: makes COUNT (14) camera-sized photos,
# 4032 x 3024 baseline JPEGs at quality 92, from Debian's MATE background
# photos scaled up with ImageMagick. A little noise stands in for the sensor's:
# scaled-up pictures are smoother than camera shots and would make files (and
# their decoding) unrealistically small. Photos already there are kept.
set -euo pipefail
dir="$1"
count="${2:-14}"
mkdir -p "$dir"
mapfile -t sources < <(find /usr/share/backgrounds/mate -name '*.jpg' | sort | head -n "$count")
[ "${#sources[@]}" -gt 0 ] || { echo "no photos in /usr/share/backgrounds/mate (mate-backgrounds)" >&2; exit 1; }
for i in $(seq 0 $((count - 1))); do
    out=$(printf '%s/photo_%02d.jpg' "$dir" "$i")
    [ -s "$out" ] && continue
    convert "${sources[$((i % ${#sources[@]}))]}" -resize '4032x3024!' \
        -attenuate 0.4 +noise Gaussian -sampling-factor 2x2 \
        -interlace none -quality 92 "$out.part.jpg"
    mv "$out.part.jpg" "$out" # a run cut short leaves no half photo behind
done
