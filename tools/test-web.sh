#!/bin/sh
# The browser build and its tests (tools/test.sh runs this after the Linux tests): the page built
# as tools/build-web.sh builds it, the window-less unit tests compiled to WebAssembly and run
# under Node, and a visit to the page in the machine's headless Chromium (web/test/). The
# screenshots of that visit are kept in build-web/shots/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
echo "---- browser build and tests"
"$root/tools/web/setup.sh" --test
"$root/tools/build-web.sh" >/dev/null
export NODE_PATH=/usr/share/nodejs
deps=$("$root/tools/web/deps.sh" | tail -1)

tests="$root/build-web-tests"
# shellcheck disable=SC2046 # the emulator argument is one word
emcmake cmake -S "$root" -B "$tests" -DCMAKE_BUILD_TYPE=Release -DGRIDLUME_TESTS=ON \
    -DGRIDLUME_BENCHMARKS=OFF -DGRIDLUME_UNITY_TESTS=ON -DGRIDLUME_WEB_DEPS="$deps" \
    $("$root/tools/web/emulator.sh") >/dev/null
cmake --build "$tests" -j"$(nproc)" --target gridlume_tests
ctest --test-dir "$tests" --output-on-failure -j"$(nproc)"

# puppeteer-core drives the machine's Chromium; it downloads no browser of its own.
cd "$root/web/test"
if [ ! -f node_modules/.package-lock.json ] || [ package-lock.json -nt node_modules/.package-lock.json ]; then
    PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund
fi
GRIDLUME_SITE="$root/build-web/site" GRIDLUME_SHOTS="$root/build-web/shots" \
    node --test play.test.mjs
