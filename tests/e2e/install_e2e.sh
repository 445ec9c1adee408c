#!/bin/bash
# Installs the built game into a temporary prefix and starts the installed game from / under Xvfb:
# the splash picture must appear as a texture (so the game found its data folder beside itself)
# and Escape must end the game with status 0. Then builds the Debian package, checks its contents
# and the dependencies that dpkg-shlibdeps found, and runs the game once more from the unpacked
# package, moved to another folder.
# Usage: install_e2e.sh <path-to-built-gridlume> <source-dir>
set -euo pipefail
. "$(dirname "$0")/../../tools/lib.sh"
. "$(dirname "$0")/player.sh"
game_arguments "$@"

less_than() {
    awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'
}

# x_session GAME DATA TAG: starts the game from /, checks the splash on screen, quits with Escape.
x_session() {
    local game=$1 data=$2 tag=$3
    start_game / "$game"
    # Started from /, the game has made its data folder its working folder.
    wait_until 5 runs_in "$data" ||
        fail "$tag: game runs in $(readlink "/proc/$GAME_PID/cwd"), not in $data"
    wait_for_output "Loaded texture ./img/splash.jpg"

    # Without a window manager the window may sit partly off screen: compare only what is visible.
    local info x y ox oy w h
    info=$(xwininfo -id "$WINDOW")
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    ox=$((x < 0 ? -x : 0))
    oy=$((y < 0 ? -y : 0))
    w=$((800 - ox))
    h=$((600 - oy))
    convert "$work/expected.png" -crop "${w}x${h}+${ox}+${oy}" +repage "$work/$tag-expected.png"
    convert "$work/$tag-expected.png" -flip "$work/$tag-flipped.png"
    convert -size "${w}x${h}" xc:white "$work/$tag-white.png"

    SHOT="$work/$tag-shot.png"
    CROP="${w}x${h}+$((x + ox))+$((y + oy))"
    if ! wait_until --every 0.5 10 splash_on_screen "$work/$tag-expected.png"; then
        fail "$tag: screen differs from the scaled splash picture (RMSE $DIFF; upside down:" \
            "$(rmse "$SHOT" "$work/$tag-flipped.png"), flat white: $(rmse "$SHOT" "$work/$tag-white.png"))"
    fi
    echo "$tag: splash on screen, RMSE $DIFF to the scaled picture"

    expect_esc_exit "$tag"
    echo "$tag: Escape ended the game with status 0"
}

runs_in() {
    [ "$(readlink "/proc/$GAME_PID/cwd")" = "$(readlink -f "$1")" ]
}

# splash_on_screen EXPECTED: the screen's CROP, taken into SHOT, is within 0.12 of EXPECTED
# (the difference in DIFF).
splash_on_screen() {
    xwd -root -silent | convert xwd:- -crop "$CROP" +repage png:"$SHOT"
    DIFF=$(rmse "$SHOT" "$1")
    [ -n "$DIFF" ] && less_than "$DIFF" 0.12
}

# Paths relative to an installation root that the game needs, and nothing executable but the game.
check_tree() {
    local root=$1 what=$2 f
    [ -x "$root/bin/gridlume" ] || fail "$what: bin/gridlume missing or not executable"
    for f in share/applications/gridlume.desktop share/doc/gridlume/copyright \
        share/metainfo/io.github.gridlume.Gridlume.metainfo.xml \
        share/icons/hicolor/48x48/apps/gridlume.png share/icons/hicolor/128x128/apps/gridlume.png \
        share/icons/hicolor/256x256/apps/gridlume.png share/icons/hicolor/scalable/apps/gridlume.svg; do
        [ -f "$root/$f" ] || fail "$what: $f missing"
    done
    compgen -G "$root/share/man/man6/gridlume.6*" >/dev/null || fail "$what: man page missing"
    for f in "$src"/img/*.jpg "$src"/img/*.png "$src"/sounds/*.wav; do
        [ -e "$f" ] || continue
        f=${f#"$src"/}
        [ -f "$root/share/gridlume/$f" ] || fail "$what: share/gridlume/$f missing"
    done
    local programs
    programs=$(cd "$root" && find . -type f -perm -u+x | sort | tr '\n' ' ')
    [ "$programs" = "./bin/gridlume " ] ||
        fail "$what: unexpected executables installed: $programs"
}

binary=$BINARY
src=$SOURCE
build=$(dirname "$binary")
[ -x "$binary" ] || fail "no game binary at $binary"
need_tools cmake cpack xdotool xwd xwininfo convert compare dpkg-deb
export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}
work=$WORK
start_display

# 1. Install into a temporary prefix and run the installed game.
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -20 "$work/install.log")"
check_tree "$prefix" "install"
# The 1024 by 1024 splash is stretched over an 800 by 800 square of which the 800 by 600 window
# shows the middle: picture rows 128 to 896.
convert "$prefix/share/gridlume/img/splash.jpg" -resize '800x800!' -crop 800x600+0+100 +repage \
    -alpha off "$work/expected.png"
x_session "$prefix/bin/gridlume" "$prefix/share/gridlume" prefix

# 2. The Debian package: contents, control fields, and the game running from its unpacked files.
cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -30 "$work/cpack.log")"
deb=$(compgen -G "$work/pkg/gridlume_*.deb" | head -1) || true
[ -n "$deb" ] || fail "cpack made no gridlume_*.deb: $(tail -30 "$work/cpack.log")"
echo "package: $(basename "$deb")"

dpkg-deb -c "$deb" >"$work/contents.txt"
for f in ./usr/bin/gridlume ./usr/share/doc/gridlume/copyright ./usr/share/gridlume/img/splash.jpg \
    ./usr/share/applications/gridlume.desktop ./usr/share/metainfo/io.github.gridlume.Gridlume.metainfo.xml \
    ./usr/share/icons/hicolor/256x256/apps/gridlume.png ./usr/share/icons/hicolor/scalable/apps/gridlume.svg \
    ./usr/share/man/man6/gridlume.6; do
    grep -q " $f" "$work/contents.txt" || fail "package lacks $f"
done

[ "$(dpkg-deb -f "$deb" Package)" = gridlume ] || fail "package name is not gridlume"
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "package section is not games"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for lib in 'libglut3|freeglut3' libdevil1c2 libopenal1 libsndfile1 libstdc\\+\\+6; do
    grep -Eq "(^|, )($lib)" <<<"$depends" || fail "Depends lacks $lib (did dpkg-shlibdeps run?)"
done

dpkg-deb -x "$deb" "$work/unpacked"
check_tree "$work/unpacked/usr" "package"
mv "$work/unpacked" "$work/moved"
x_session "$work/moved/usr/bin/gridlume" "$work/moved/usr/share/gridlume" package
echo "PASS"
