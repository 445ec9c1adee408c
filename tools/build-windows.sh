#!/bin/sh
# The Windows release from a fresh clone in one command: installs the cross toolchain, builds the
# dependencies (once; tools/windows-deps.sh caches them outside the clone), cross-builds the game
# and its Windows tests (cmake --preset windows) and packs
#   build-windows/gridlume-<version>-windows-x64.zip   the game's folder: exe, DLLs, data, licences
#   build-windows/gridlume-<version>-setup.exe         the same folder as a per-user installer
# Test them with: ctest --preset windows (under Wine).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
"$root/tools/setup.sh" --windows
GRIDLUME_WINDOWS_DEPS=$("$root/tools/windows-deps.sh")
export GRIDLUME_WINDOWS_DEPS

build="$root/build-windows"
# A new dependency prefix (the script or its sources changed) makes every library found before
# stale: configure afresh then (the objects stay and are rebuilt only where needed).
fresh=""
if ! grep -qs "^OPENAL_LIBRARY:FILEPATH=$GRIDLUME_WINDOWS_DEPS/" "$build/CMakeCache.txt"; then
    fresh=--fresh
fi
cmake --preset windows $fresh >/dev/null
cmake --build --preset windows -j"$(nproc)"

version=$(sed -n 's/^project(Gridlume VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="gridlume-$version-windows-x64"
stage="$build/stage/$name"
rm -rf "$build/stage"
cmake --install "$build" --prefix "$stage" --strip >/dev/null
x86_64-w64-mingw32-strip --strip-unneeded "$stage"/*.dll

rm -f "$build/$name.zip" "$build/gridlume-$version-setup.exe"
(cd "$build/stage" && zip -qr9 "$build/$name.zip" "$name")
# The installer's last page shows the game's icon on the icon's own colours, not NSIS's stock one.
side="$build/installer-side.bmp"
convert -size 164x314 gradient:'#283260'-'#121830' "$root/packaging/icons/gridlume-128.png" \
    -gravity north -geometry +0+56 -composite -type TrueColor "BMP3:$side"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DSIDE_PICTURE="$side" \
    -DOUTFILE="$build/gridlume-$version-setup.exe" "$root/packaging/windows/gridlume.nsi"
ls -l "$build/$name.zip" "$build/gridlume-$version-setup.exe"
