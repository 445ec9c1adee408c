#!/bin/sh
# Regenerates every picture under img/ and every sound under sounds/ from the sources in art/.
# Usage: art/make-art.sh [WORK_DIR]   (the intermediate SVG and PNG files go to WORK_DIR)
# Needs python3, rsvg-convert (librsvg2-bin), ImageMagick 6 (convert), optipng, zopflipng
# (zopfli), sox and DejaVu Sans;
# see art/README.md for the versions the committed files were made with.
set -eu

here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
if [ $# -gt 0 ]; then
    work=$1
else
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
fi
mkdir -p "$work" "$root/img/hud" "$root/sounds"

python3 -B "$here/generate.py" "$work"

# PNG pieces keep an alpha channel; -strip and the excluded chunks keep reruns byte-identical.
png() { # name width [height]
    rsvg-convert -w "$2" -h "${3:-$2}" -f png -o "$work/$1.raw.png" "$work/$1.svg"
    convert "$work/$1.raw.png" -strip -define png:exclude-chunks=date,time,bKGD \
        "PNG32:$root/img/$1.png"
}
# The game tints the figures and filters them bilinearly without premultiplied alpha: white
# under the transparent margin too keeps their edges from darkening into grey.
figure() { # name
    rsvg-convert -w 64 -h 64 -f png -o "$work/$1.raw.png" "$work/$1.svg"
    convert "$work/$1.raw.png" -strip -channel RGB -evaluate set 100% +channel \
        -define png:exclude-chunks=date,time,bKGD "PNG32:$root/img/$1.png"
}
# JPEGs are baseline (not progressive) colour files, whatever their content. Quality 72: 37 %
# smaller than 90 and 11 % smaller than 78, at 0.7 to 0.9 dB below 78 (PSNR); the pictures,
# looked at side by side at twice their size, show only a little more ringing round the
# instructions' small text, and a 1024 picture is drawn shrunk into an 800-wide window. The
# browser downloads them all before the splash.
jpg() { # name side
    rsvg-convert -w "$2" -h "$2" -f png -b '#000000' -o "$work/$1.raw.png" "$work/$1.svg"
    convert "$work/$1.raw.png" -strip -alpha off -type TrueColor -quality 72 \
        -interlace none -sampling-factor 2x2,1x1,1x1 "$root/img/$1.jpg"
}

png gear 256
png motor 256
png link 256
png lightbulb 128
png addlink 128
jpg square 128
jpg bg 1024
jpg splash 1024
jpg instructions 1024
jpg win 1024
jpg lose 1024
for name in digit-0 digit-1 digit-2 digit-3 digit-4 digit-5 digit-6 digit-7 digit-8 digit-9 \
    colon; do
    figure "hud/$name"
done
png hud/paused 512 128
png hud/muted 64
for name in hint-drop hint-idle hint-taut hint-spent mode-normal mode-relaxed; do
    png "hud/$name" 512 64
done
for name in tip-taut tip-no-turn tip-off-chain tip-stretch; do
    png "hud/$name" 512 128
done
for name in turning spent bin-drop bin-place; do
    png "hud/$name" 128
done
png hud/pip 32
for name in relaxed hints-on hints-off; do
    png "hud/$name" 256 64
done
# What the game shows when its chain stops, and how to lay it again.
for name in chain-taut chain-heap chain-off tip-relay; do
    png "hud/$name" 512 128
done
png hud/hint-relay 512 64
for name in relay holding; do
    png "hud/$name" 128
done
# The on-screen buttons (art/buttons.py).
for name in pause resume sound-on sound-off hints-on hints-off full-screen window \
    palette-red-green palette-blue-yellow; do
    png "hud/button-$name" 128
done
for name in play-again quit watch; do
    png "hud/button-$name" 512 128
done

# Every PNG, whoever added it, is squeezed losslessly last: a quarter smaller, same pixels. -nc,
# -nb and -np keep them 8-bit RGBA, which the game and its checks expect.
find "$root/img" -name '*.png' -print0 |
    xargs -0 -n 4 -P "$(nproc)" optipng -quiet -o2 -nc -nb -np -strip all
# Then zopflipng's deflate, another 4 % (art/squeeze-png.sh checks the pixels stay the same).
find "$root/img" -name '*.png' -print0 | xargs -0 -n 4 -P "$(nproc)" sh "$here/squeeze-png.sh"

sh "$here/sounds.sh" "$root/sounds"
