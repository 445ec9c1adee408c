#!/bin/sh
# Renders the application icon's PNG sizes and the Windows icon (gridlume.ico, the sizes Explorer,
# the taskbar and the installer ask for) from the scalable SVG.
# They are committed, so building and packaging need no SVG renderer; run this again after editing the SVG.
# Needs rsvg-convert (Debian package librsvg2-bin) and ImageMagick's convert.
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

# Small sizes are drawn from the SVG at their own size rather than shrunk from a large picture,
# so their edges stay sharp. The 256 one is stored as PNG inside the .ico, the others as bitmaps.
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for size in 16 24 32 48 64 256; do
    rsvg-convert --width "$size" --height "$size" --format png --output "$tmp/$size.png" "$svg"
done
convert "$tmp/16.png" "$tmp/24.png" "$tmp/32.png" "$tmp/48.png" "$tmp/64.png" "$tmp/256.png" \
    -define png:exclude-chunks=date,time "$here/icons/gridlume.ico"
echo "wrote $here/icons/gridlume.ico"
