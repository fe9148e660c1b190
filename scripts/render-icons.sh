#!/bin/sh
# Renders the icon's PNG sizes from its SVG source; run after editing the SVG.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -eu
dir=$(cd "$(dirname "$0")/../window/icons" && pwd)
for size in 16 22 24 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" "$dir/ventaro.svg" -o "$dir/ventaro-$size.png"
done
echo "rendered $dir/ventaro-{16,22,24,32,48,64,128,256}.png"
