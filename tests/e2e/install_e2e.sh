#!/usr/bin/env bash
# Installs the built game into a temporary prefix and starts the installed launcher from / under Xvfb:
# the splash picture must appear as a texture (so the launcher found the data folder) and Escape must
# end the game with status 0. Then builds the Debian package, checks its contents and the dependencies
# that dpkg-shlibdeps found, and runs the game once more from the unpacked package.
# Usage: install_e2e.sh <path-to-built-gridlume> <source-dir>
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# Root mean square difference of two pictures of one size, from 0 (same) to 1.
rmse() {
    compare -metric RMSE "$1" "$2" null: 2>&1 | sed -n 's/.*(\([0-9.e+-]*\)).*/\1/p' || true
}

less_than() {
    awk -v a="$1" -v b="$2" 'BEGIN { exit !(a < b) }'
}

# Runs inside xvfb-run: start a launcher from /, check the splash on screen, quit with Escape.
x_session() {
    local launcher=$1 data=$2 work=$3 tag=$4
    local out="$work/$tag.out" pid W
    cd /
    "$launcher" >"$out" 2>"$work/$tag.err" &
    pid=$!
    # shellcheck disable=SC2064  # the pid is fixed now
    trap "kill $pid 2>/dev/null || true" EXIT

    W=$(timeout 20 xdotool search --sync --name '^Gridlume$' 2>/dev/null | head -1) || true
    [ -n "$W" ] || fail "$tag: no Gridlume window within 20 s; stderr: $(cat "$work/$tag.err")"

    # The launcher execs the game, so the pid is the game's now, running in the data folder.
    [ "$(readlink "/proc/$pid/cwd")" = "$(readlink -f "$data")" ] ||
        fail "$tag: game runs in $(readlink "/proc/$pid/cwd"), not in $data"

    for _ in $(seq 100); do
        grep -q "Loaded texture ./img/splash.jpg" "$out" && break
        sleep 0.1
    done
    grep -q "Loaded texture ./img/splash.jpg" "$out" ||
        fail "$tag: no \"Loaded texture ./img/splash.jpg\" line; output: $(cat "$out")"

    # Without a window manager the window may sit partly off screen: compare only what is visible.
    local info x y ox oy w h
    info=$(xwininfo -id "$W")
    x=$(sed -n 's/.*Absolute upper-left X: *//p' <<<"$info")
    y=$(sed -n 's/.*Absolute upper-left Y: *//p' <<<"$info")
    ox=$((x < 0 ? -x : 0))
    oy=$((y < 0 ? -y : 0))
    w=$((800 - ox))
    h=$((600 - oy))
    convert "$work/expected.png" -crop "${w}x${h}+${ox}+${oy}" +repage "$work/$tag-expected.png"
    convert "$work/$tag-expected.png" -flip "$work/$tag-flipped.png"
    convert -size "${w}x${h}" xc:white "$work/$tag-white.png"

    local shot="$work/$tag-shot.png" diff="" matched=no
    for _ in $(seq 20); do
        xwd -root -silent | convert xwd:- -crop "${w}x${h}+$((x + ox))+$((y + oy))" +repage png:"$shot"
        diff=$(rmse "$shot" "$work/$tag-expected.png")
        if [ -n "$diff" ] && less_than "$diff" 0.12; then
            matched=yes
            break
        fi
        sleep 0.5
    done
    if [ "$matched" != yes ]; then
        fail "$tag: screen differs from the scaled splash picture (RMSE $diff; upside down:" \
            "$(rmse "$shot" "$work/$tag-flipped.png"), flat white: $(rmse "$shot" "$work/$tag-white.png"))"
    fi
    echo "$tag: splash on screen, RMSE $diff to the scaled picture"

    xdotool mousemove --window "$W" 400 300
    # The key release may find the window gone already: that is the point.
    xdotool key --window "$W" Escape 2>/dev/null || true
    for _ in $(seq 100); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -0 "$pid" 2>/dev/null && fail "$tag: still running 10 s after Escape"
    local status=0
    wait "$pid" || status=$?
    trap - EXIT
    [ "$status" -eq 0 ] || fail "$tag: exit status $status after Escape"
    echo "$tag: Escape ended the game with status 0"
}

run_game() {
    timeout 60 xvfb-run -a -s "-screen 0 1024x768x24" bash "$script" --x-session "$@"
}

# Paths relative to an installation root that the game needs, and nothing executable besides the two.
check_tree() {
    local root=$1 what=$2 f
    for f in bin/gridlume libexec/gridlume/gridlume; do
        [ -x "$root/$f" ] || fail "$what: $f missing or not executable"
    done
    for f in share/applications/gridlume.desktop \
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
    [ "$programs" = "./bin/gridlume ./libexec/gridlume/gridlume " ] ||
        fail "$what: unexpected executables installed: $programs"
}

script=$(readlink -f "$0")
if [ "${1:-}" = --x-session ]; then
    shift
    x_session "$@"
    exit 0
fi

[ $# -eq 2 ] || fail "usage: $0 <path-to-built-gridlume> <source-dir>"
binary=$(readlink -f "$1")
src=$(readlink -f "$2")
build=$(dirname "$binary")
[ -x "$binary" ] || fail "no game binary at $binary"
for tool in cmake cpack xvfb-run xdotool xwd xwininfo convert compare dpkg-deb; do
    command -v "$tool" >/dev/null || fail "$tool not found (tools/setup.sh installs it)"
done
export ALSOFT_DRIVERS=${ALSOFT_DRIVERS:-null}

work=$(mktemp -d /tmp/gridlume-install-e2e.XXXXXX)
trap 'rm -rf "$work"' EXIT

# 1. Install into a temporary prefix and run the installed launcher.
prefix="$work/prefix"
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 ||
    fail "cmake --install failed: $(tail -20 "$work/install.log")"
check_tree "$prefix" "install"
# The 1024 by 1024 splash is stretched over an 800 by 800 square of which the 800 by 600 window
# shows the middle: picture rows 128 to 896.
convert "$prefix/share/gridlume/img/splash.jpg" -resize '800x800!' -crop 800x600+0+100 +repage \
    -alpha off "$work/expected.png"
run_game "$prefix/bin/gridlume" "$prefix/share/gridlume" "$work" prefix

# 2. The Debian package: contents, control fields, and the game running from its unpacked files.
cpack --config "$build/CPackConfig.cmake" -B "$work/pkg" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -30 "$work/cpack.log")"
deb=$(compgen -G "$work/pkg/gridlume_*.deb" | head -1) || true
[ -n "$deb" ] || fail "cpack made no gridlume_*.deb: $(tail -30 "$work/cpack.log")"
echo "package: $(basename "$deb")"

dpkg-deb -c "$deb" >"$work/contents.txt"
for f in ./usr/bin/gridlume ./usr/libexec/gridlume/gridlume ./usr/share/gridlume/img/splash.jpg \
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
run_game "$work/unpacked/usr/bin/gridlume" "$work/unpacked/usr/share/gridlume" "$work" package
echo "PASS"
