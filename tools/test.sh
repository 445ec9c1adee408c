#!/bin/sh
# Installs what the tests need, builds the game, its tests and benchmarks, and runs every test
# headless: the ordinary build's unit, GL and end-to-end tests, and the unit and GL tests and the
# random-play run under AddressSanitizer and UndefinedBehaviorSanitizer. The sanitizer build
# compiles and runs its tests beside the ordinary build's tests, most of which drive the game
# under Xvfb and wait on it; its output follows theirs. Then the Windows build: cross-built, packed
# and tested under Wine (tools/build-windows.sh; its dependencies are cached outside the clone).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$root/tools/setup.sh"

cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGRIDLUME_TESTS=ON \
    -DGRIDLUME_BENCHMARKS=ON -DGRIDLUME_UNITY_TESTS=ON >/dev/null
cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGRIDLUME_SANITIZE=ON \
    -DGRIDLUME_TESTS=ON -DGRIDLUME_BENCHMARKS=OFF -DGRIDLUME_UNITY_TESTS=ON >/dev/null
cmake --build "$root/build" -j"$jobs"

# Only what the sanitizer build runs: the end-to-end tests are the ordinary build's.
log="$root/build-asan/ci.log"
# shellcheck disable=SC2016 # the inner shell expands its own arguments
setsid sh -c 'cmake --build "$1" -j"$2" --target gridlume_tests gridlume_gltests gridlume_monkey &&
    ctest --test-dir "$1" --output-on-failure -j"$2" -LE e2e' sh "$root/build-asan" "$jobs" \
    >"$log" 2>&1 &
sanitizer=$!
trap 'kill -TERM -- "-$sanitizer" 2>/dev/null || true' EXIT
trap 'exit 130' INT TERM

status=0
ctest --test-dir "$root/build" --output-on-failure -j"$jobs" || status=1
wait "$sanitizer" || status=1
trap - EXIT
echo "---- sanitizer build and tests"
cat "$log"
"$root/tools/test-web.sh" || status=1

echo "---- Windows build and its tests under Wine"
started=$(date +%s)
if "$root/tools/build-windows.sh"; then
    (cd "$root" && ctest --preset windows -j"$jobs") || status=1
else
    status=1
fi
echo "---- Windows part: $(($(date +%s) - started)) s"
exit "$status"
