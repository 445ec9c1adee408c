#!/bin/bash
# Validates the desktop integration files as they stand in the source tree: the desktop entry, the
# AppStream metainfo (also against the desktop entry, in the layout they are installed in), the
# icons (present in every size, and rendered from the current SVG) and the manual page (clean
# groff, and naming every picture and sound the game ships and every control).
# Usage: desktop_files_e2e.sh <path-to-built-gridlume> <source-dir>; the binary is not needed.
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
game_arguments "$@"
src=$SOURCE
pkg="$src/packaging"
desktop="$pkg/gridlume.desktop"
metainfo="$pkg/io.github.gridlume.Gridlume.metainfo.xml"
manpage="$pkg/gridlume.6"
need_tools desktop-file-validate appstreamcli identify compare
work=$WORK

# Desktop entry: valid, and naming the game and the icon that are installed.
desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
grep -qx 'Exec=gridlume' "$desktop" || fail "desktop entry does not start gridlume"
grep -qx 'Icon=gridlume' "$desktop" || fail "desktop entry does not name the gridlume icon"
grep -Eqx 'Categories=Game;(LogicGame|ArcadeGame);.*' "$desktop" || fail "desktop entry is not in Game;LogicGame"

# Metainfo: valid on its own, and consistent with the desktop entry and icon once laid out as installed.
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects $metainfo"
tree="$work/tree/usr/share"
mkdir -p "$tree/metainfo" "$tree/applications" "$tree/icons/hicolor/scalable/apps"
cp "$metainfo" "$tree/metainfo/"
cp "$desktop" "$tree/applications/"
cp "$pkg/icons/gridlume.svg" "$tree/icons/hicolor/scalable/apps/"
appstreamcli validate-tree --no-net "$work/tree" || fail "appstreamcli validate-tree finds the files inconsistent"
grep -q '<content_rating type="oars-1.1"' "$metainfo" || fail "metainfo has no OARS 1.1 content rating"
grep -q 'screenshot-play.png</image>' "$metainfo" || fail "metainfo does not show the play screenshot"

# A screenshot declared as 800 by 600 must be that size, once it exists in docs/.
shot="$src/docs/screenshot-play.png"
if [ -f "$shot" ]; then
    [ "$(identify -format '%wx%h' "$shot")" = 800x600 ] || fail "docs/screenshot-play.png is not 800x600"
else
    echo "note: docs/screenshot-play.png is not there yet"
fi

# Icons: each PNG has its size and matches a fresh rendering of the SVG (stale PNGs fail).
for size in 48 128 256; do
    png="$pkg/icons/gridlume-$size.png"
    [ -f "$png" ] || fail "icon gridlume-$size.png missing"
    [ "$(identify -format '%wx%h' "$png")" = "${size}x${size}" ] || fail "gridlume-$size.png is not ${size}x${size}"
    if command -v rsvg-convert >/dev/null; then
        rsvg-convert --width "$size" --height "$size" --format png --output "$work/fresh-$size.png" \
            "$pkg/icons/gridlume.svg"
        differing=$(compare -metric AE -fuzz 2% "$png" "$work/fresh-$size.png" null: 2>&1 || true)
        [ "$differing" = 0 ] ||
            fail "gridlume-$size.png differs from the SVG in $differing pixels: run packaging/make-icons.sh"
    fi
done

# Manual page: no groff warnings, and it names every shipped file and every control.
if command -v groff >/dev/null; then
    warnings=$(groff -man -ww -z "$manpage" 2>&1)
    [ -z "$warnings" ] || fail "groff warns about gridlume.6: $warnings"
fi
grep -q '^\.TH GRIDLUME 6 ' "$manpage" || fail "gridlume.6 is not a section 6 page"
# groff may split a list of names with font macros: compare against the page's words alone.
words=$(tr -c 'A-Za-z0-9_.+/-' '\n' <"$manpage")
for f in "$src"/img/*.jpg "$src"/img/*.png "$src"/sounds/*.wav; do
    [ -e "$f" ] || continue
    grep -qx "$(basename "$f")" <<<"$words" || fail "gridlume.6 does not list $(basename "$f")"
done
for control in 'Left mouse button' 'Double press' '^\.B A$' 'Esc' 'Ctrl+Q' 'Alt+F4' 'img/' 'sounds/'; do
    grep -q -- "$control" "$manpage" || fail "gridlume.6 does not mention $control"
done
echo "PASS"
