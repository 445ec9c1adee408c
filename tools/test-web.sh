#!/bin/sh
# The browser build and its tests (tools/test.sh runs this after the Linux tests): the page built
# as tools/build-web.sh builds it, the window-less unit tests compiled to WebAssembly in the same
# build folder and run under Node, and a visit to the page in the machine's headless Chromium
# (web/test/), at a desktop's size and on an emulated phone played by touch alone. The
# screenshots of those visits are kept in build-web/shots/.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
echo "---- browser build and tests"
started=$(date +%s)
"$root/tools/web/setup.sh" --test
GRIDLUME_WEB_TESTS=ON "$root/tools/build-web.sh" >/dev/null
# The whole download as a compressing server sends it stays within 1.1 MB (docs/performance.md):
# the art test holds the pictures and sounds, this the code around them.
site=$(find "$root/build-web/site" -type f -exec gzip -9 -c {} \; | wc -c)
[ "$site" -le 1100000 ] || { echo "the site gzips to $site bytes, over 1.1 MB" >&2; exit 1; }
export NODE_PATH=/usr/share/nodejs
cmake --build "$root/build-web" -j"$(nproc)" --target gridlume_tests
ctest --test-dir "$root/build-web" --output-on-failure

# puppeteer-core drives the machine's Chromium; it downloads no browser of its own.
cd "$root/web/test"
# Installed again only when the lock file changed.
if ! cmp -s package-lock.json node_modules/.installed-lock; then
    PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund
    cp package-lock.json node_modules/.installed-lock
fi
# One file at a time: two headless Chromiums at once on two cores made the phone's timed grab of
# a rolling piece miss now and then, and the pair runs no slower in turn.
GRIDLUME_SITE="$root/build-web/site" GRIDLUME_SHOTS="$root/build-web/shots" \
    node --test --test-concurrency=1 play.test.mjs phone.test.mjs
echo "---- browser part: $(($(date +%s) - started)) s"
