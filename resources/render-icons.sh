#!/bin/sh
# Renders the PNG sizes of the program icon from tallyfin.svg. Run it after
# changing the SVG; the PNGs are kept in the tree so that building needs no
# SVG renderer. Needs ImageMagick.
set -eu
cd "$(dirname "$0")"
for size in 16 32 48 64 128 256; do
    dir=icons/hicolor/${size}x${size}/apps
    mkdir -p "$dir"
    convert -background none -density 384 tallyfin.svg -resize "${size}x${size}" \
        -depth 8 -strip -define png:exclude-chunks=date,time "$dir/tallyfin.png"
done
