#!/bin/sh
# Builds the game for the browser into build-web/site/ (index.html, gridlume.js, .wasm, .data):
# installs Emscripten if it is missing, builds libsndfile for WebAssembly once and installs
# Closure Compiler from npm once (both cached outside the clone, tools/web/deps.sh and
# closure.sh), then the game. With --serve, serves the page on 127.0.0.1
# afterwards (tools/serve-web.sh).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/web/setup.sh"
# Debian's Node cannot find Debian's own JavaScript modules (acorn) without this, and every
# optimised link fails.
export NODE_PATH=/usr/share/nodejs
deps=$("$root/tools/web/deps.sh" | tail -1)
closure=$("$root/tools/web/closure.sh" | tail -1)
build="$root/build-web"
# tools/test-web.sh asks for the unit tests too (GRIDLUME_WEB_TESTS=ON), which then share the
# game's compiled code.
# shellcheck disable=SC2046 # the emulator argument is one word
emcmake cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DGRIDLUME_BENCHMARKS=OFF \
    -DGRIDLUME_TESTS="${GRIDLUME_WEB_TESTS:-OFF}" -DGRIDLUME_UNITY_TESTS=ON \
    -DGRIDLUME_WEB_DEPS="$deps" -DGRIDLUME_WEB_CLOSURE="$closure" \
    $("$root/tools/web/emulator.sh") >/dev/null
cmake --build "$build" -j"$(nproc)" --target gridlume web_page
echo "The page: $build/site/index.html"
if [ "${1:-}" = --serve ]; then
    exec "$root/tools/serve-web.sh"
fi
