#!/bin/bash
# Draws the application icon at the desktop's larger sizes into packaging/icons/<size>/apps/, laid
# out as the hicolor theme is. Same mark as the window icon (resources/pictures/icon.png, which
# serves as the 16x16 one), on a transparent ground. Needs ImageMagick. Re-running it reproduces
# the committed files byte for byte.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

BLUE='#2a6db0'
ACCENT='#e8962e'

# A blue disc, a white V and an orange spark, drawn large and scaled down.
convert -size 400x400 xc:none \
  -fill "$BLUE" -draw "circle 200,200 200,4" \
  -fill white -draw "polygon 70,100 160,100 200,230 240,100 330,100 240,330 160,330" \
  -fill "$ACCENT" -draw "circle 200,90 200,40" \
  "$work/mark.png"

for size in 32 48 64 128 256; do
  mkdir -p "$here/icons/${size}x${size}/apps"
  convert "$work/mark.png" -resize "${size}x${size}" -depth 8 -strip \
    -define png:exclude-chunks=date,time "$here/icons/${size}x${size}/apps/velora-catalogue.png"
done
