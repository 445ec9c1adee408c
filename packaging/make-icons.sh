#!/bin/sh
# Renders the application icon's PNG sizes from the scalable SVG.
# The PNGs are committed, so building and packaging need no SVG renderer; run this again after editing the SVG.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -eu

here=$(cd "$(dirname "$0")" && pwd)
svg="$here/icons/gridlume.svg"

if ! command -v rsvg-convert >/dev/null 2>&1; then
    echo "make-icons.sh: rsvg-convert not found (install librsvg2-bin)" >&2
    exit 1
fi

for size in 48 128 256; do
    out="$here/icons/gridlume-$size.png"
    rsvg-convert --width "$size" --height "$size" --format png --output "$out" "$svg"
    echo "wrote $out"
done
