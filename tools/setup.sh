#!/bin/sh
# Installs the Debian packages the game needs. With --play, only what building and playing it
# needs (tools/play.sh); with --windows, what cross-building it for Windows and running that
# under Wine needs (tools/build-windows.sh); otherwise everything, also what the tests,
# benchmarks and art generator need (tools/test.sh). Quick when they are all there already: dpkg
# is asked first and apt is only run for what is missing.
set -eu

PACKAGES="build-essential cmake pkg-config
freeglut3-dev libglu1-mesa-dev libgl1-mesa-dri libdevil-dev libopenal-dev libsndfile1-dev"
# The -posix compilers: the win32 ones lack std::thread and clock_nanosleep. libgtest-dev brings
# GoogleTest's sources, which the Windows tests are built from.
WINDOWS="g++-mingw-w64-x86-64-posix mingw-w64-tools ninja-build dpkg-dev libstb-dev libgtest-dev
wine wine64 nsis zip unzip xvfb xauth xdotool x11-utils imagemagick sox"
if [ "${1:-}" = --windows ]; then
    PACKAGES="cmake pkg-config $WINDOWS"
elif [ "${1:-}" != --play ]; then
    PACKAGES="$PACKAGES clang-format libgtest-dev libgmock-dev libbenchmark-dev
xvfb xauth xdotool x11-apps x11-utils imagemagick valgrind
librsvg2-bin sox fonts-dejavu-core
optipng zopfli libxdamage-dev
desktop-file-utils appstream dpkg-dev file
$WINDOWS"
fi

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
echo "Installing:$missing"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
