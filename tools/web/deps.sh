#!/bin/sh
# Builds the library the web build needs and Debian ships no WebAssembly build of (libsndfile)
# from Debian's own source package, into a prefix kept outside the clone. The prefix is named
# after this script and the compiler, so a second run, or another clone, finds it ready in a
# moment; a change to either builds a new one. Prints the prefix.
#
# The source comes through a private apt configuration whose deb-src lines are derived from the
# machine's own: no host is written here, and the system's apt lists are left alone.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
export NODE_PATH=/usr/share/nodejs

key=$( (cat "$0" "$here/emulator.sh" "$here/check-type-sizes.sh" "$here/sndfile-wave-only.patch"
    emcc --version | head -1) |
    sha256sum | cut -c1-12)
prefix=${XDG_CACHE_HOME:-$HOME/.cache}/gridlume/web-deps-$key
if [ -f "$prefix/done" ]; then
    echo "$prefix"
    exit 0
fi

work=$(mktemp -d /tmp/gridlume-web-deps.XXXXXX)
trap 'rm -rf "$work"' EXIT
apt="$work/apt"
mkdir -p "$apt/parts" "$apt/lists/partial" "$apt/cache/archives/partial" "$work/src"
for f in /etc/apt/sources.list.d/*.sources; do
    [ -f "$f" ] && sed 's/^Types:.*/Types: deb-src/' "$f" >"$apt/parts/$(basename "$f")"
done
if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb[[:space:]]/deb-src /p' /etc/apt/sources.list >"$apt/sources.list"
else
    : >"$apt/sources.list"
fi
aptget() {
    apt-get -q -o Dir::Etc::SourceParts="$apt/parts" -o Dir::Etc::SourceList="$apt/sources.list" \
        -o Dir::State::Lists="$apt/lists" -o Dir::Cache="$apt/cache" \
        -o APT::Sandbox::User=root "$@"
}
aptget update >&2
(cd "$work/src" && aptget source --download-only libsndfile >&2 &&
    dpkg-source --no-check -x libsndfile_*.dsc sndfile >&2)
grep -q 'VERSION 1\.2\.0' "$work/src/sndfile/CMakeLists.txt" ||
    { echo "deps.sh: expected libsndfile 1.2.0" >&2; exit 1; }
# The game reads wave files only: sf_open's other containers (AIFF, CAF, FLAC's stub and 24
# more) and the wave codecs it never meets (GSM, G.72x, NMS ADPCM) are left unreachable, so the
# linker leaves them out of the page's download. Every shape of wave (PCM, float, A-law, mu-law,
# IMA and MS ADPCM) still opens; another container is an unrecognised file, as bad input is.
patch -p1 -s -d "$work/src/sndfile" <"$here/sndfile-wave-only.patch" >&2

# Sounds are decoded once, when loaded: the library is compiled for size.
# shellcheck disable=SC2046 # the emulator list is one argument per word
emcmake cmake -S "$work/src/sndfile" -B "$work/build" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_FLAGS_RELEASE="-Oz -DNDEBUG" \
    -DCMAKE_INSTALL_PREFIX="$prefix.part" $("$here/emulator.sh") \
    -DBUILD_SHARED_LIBS=OFF -DENABLE_EXTERNAL_LIBS=OFF -DENABLE_MPEG=OFF -DBUILD_PROGRAMS=OFF \
    -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF -DENABLE_CPACK=OFF -DINSTALL_MANPAGES=OFF \
    -DENABLE_PACKAGE_CONFIG=ON >&2
"$here/check-type-sizes.sh" "$work/build/CMakeCache.txt" >&2
cmake --build "$work/build" -j"$(nproc)" >&2
cmake --install "$work/build" >&2
rm -rf "$prefix"
mv "$prefix.part" "$prefix"
touch "$prefix/done"
echo "$prefix"
