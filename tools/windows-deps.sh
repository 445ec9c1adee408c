#!/bin/sh
# Cross-builds the libraries the Windows game links (freeglut, libsndfile, OpenAL Soft) into a
# prefix cached outside the clone, and prints that prefix's path as its last line. The prefix is
# named after a hash of this script, the toolchain file and the vendored sources' checksums, so
# changing any of them builds a new one and an unchanged one is reused in a second.
#
# freeglut and libsndfile are Debian's source packages (pinned below; Debian's patches applied);
# OpenAL Soft, which the archive does not serve, is vendored in third_party/openal-soft/.
# Pictures need no library: stb_image is a header (libstb-dev).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
toolchain="$root/cmake/mingw-w64-x86_64.cmake"
openal="$root/third_party/openal-soft"

FREEGLUT=3.4.0-1
LIBSNDFILE=1.2.0-1+deb12u1

cache="${XDG_CACHE_HOME:-$HOME/.cache}/gridlume"
key=$(cat "$0" "$toolchain" "$openal/SHA256SUMS" | sha256sum | cut -c1-16)
prefix="$cache/windows-deps-$key"
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

mkdir -p "$cache"
# Runs side by side (two clones, CI and a hand build) take turns; the second finds it done.
exec 9>"$prefix.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

log() { echo "windows-deps: $*" >&2; }
started=$(date +%s)
# Installed straight into its final place (the libraries' .pc and CMake files name it); only a
# finished prefix is marked complete.
work="$prefix.work"
rm -rf "$work" "$prefix"
mkdir -p "$work" "$cache/debian-sources"

# The vendored tarball is what was checked in.
(cd "$openal" && sha256sum --quiet -c SHA256SUMS) >&2

# Debian's sources through a private apt configuration: the machine's own entries, turned into
# deb-src ones, so no archive host is written here.
apt="$cache/apt"
mkdir -p "$apt/parts" "$apt/lists/partial"
rm -f "$apt/parts"/*
for f in /etc/apt/sources.list.d/*.sources; do
    if [ -e "$f" ]; then
        sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt/parts/$(basename "$f")"
    fi
done
if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$apt/parts/from-sources-list.list"
fi
set -- -o Dir::Etc::SourceParts="$apt/parts" -o Dir::Etc::SourceList=/dev/null \
    -o Dir::State::Lists="$apt/lists" -o Debug::NoLocking=1
if [ "$(id -u)" -eq 0 ]; then
    set -- "$@" -o APT::Sandbox::User=root # downloads into our own folder, not _apt's
fi
cd "$cache/debian-sources"
dscs="freeglut_$FREEGLUT.dsc libsndfile_$LIBSNDFILE.dsc"
# shellcheck disable=SC2086 # two names
if ! ls $dscs >/dev/null 2>&1; then
    log "fetching Debian sources"
    apt-get "$@" -qq update >&2
    apt-get "$@" -qq source --download-only freeglut="$FREEGLUT" libsndfile="$LIBSNDFILE" >&2
fi
for dsc in $dscs; do
    dpkg-source --no-check -x "$dsc" "$work/${dsc%%_*}" >/dev/null
done
tar -xzf "$openal"/openal-soft-*.tar.gz -C "$work"

# Runtime of C and C++ inside each DLL: nothing but libwinpthread beside them.
static="-static-libgcc -static-libstdc++"
build() { # SOURCE CMAKE-OPTION...
    src=$1
    shift
    log "building $(basename "$src")"
    cmake -S "$src" -B "$src/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" -Wno-dev \
        -DCMAKE_SHARED_LINKER_FLAGS="$static" -DCMAKE_EXE_LINKER_FLAGS="$static" "$@" >/dev/null
    nice cmake --build "$src/build" -j"$(nproc)" >/dev/null
    cmake --install "$src/build" >/dev/null
}

build "$work"/openal-soft-* -DALSOFT_UTILS=OFF -DALSOFT_EXAMPLES=OFF -DALSOFT_TESTS=OFF \
    -DALSOFT_INSTALL_CONFIG=OFF -DALSOFT_INSTALL_HRTF_DATA=OFF -DALSOFT_INSTALL_AMBDEC_PRESETS=OFF
build "$work/freeglut" -DFREEGLUT_BUILD_DEMOS=OFF -DFREEGLUT_BUILD_STATIC_LIBS=OFF
# freeglut leaves out the classic header on Windows, which FindGLUT looks for.
cp "$work/freeglut/include/GL/glut.h" "$prefix/include/GL/"
build "$work/libsndfile" -DENABLE_EXTERNAL_LIBS=OFF -DENABLE_MPEG=OFF -DBUILD_SHARED_LIBS=ON \
    -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DENABLE_CPACK=OFF \
    -DINSTALL_MANPAGES=OFF -DBUILD_REGTEST=OFF

# The licences of what the game ships.
mkdir -p "$prefix/licences"
cp "$openal/COPYING" "$prefix/licences/openal-soft.txt"
cp "$work/freeglut/COPYING" "$prefix/licences/freeglut.txt"
cp "$work/libsndfile/COPYING" "$prefix/licences/libsndfile.txt"

rm -rf "$work"
touch "$prefix/.complete"
log "built in $(($(date +%s) - started)) s"
echo "$prefix"
