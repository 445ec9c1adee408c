#!/bin/sh
# Installs what the tests need, builds the game, its tests and benchmarks, and runs every test
# headless: first the ordinary build (unit, GL and end-to-end tests), then the unit and GL tests
# again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
"$root/tools/setup.sh"

cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$jobs"
ctest --test-dir "$root/build" --output-on-failure -j"$jobs"

cmake -S "$root" -B "$root/build-asan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DGRIDLUME_SANITIZE=ON \
    -DGRIDLUME_BENCHMARKS=OFF >/dev/null
cmake --build "$root/build-asan" -j"$jobs"
ctest --test-dir "$root/build-asan" --output-on-failure -j"$jobs" -LE e2e
