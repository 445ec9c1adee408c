#!/bin/sh
# Installs what the game needs, builds it and starts it from the repository, where its
# pictures and sounds are.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh" --play
# The tests and benchmarks need packages only tools/test.sh installs: a new build folder leaves
# them out, one that has them keeps them.
options=""
if [ ! -f "$root/build/CMakeCache.txt" ]; then
    options="-DGRIDLUME_TESTS=OFF -DGRIDLUME_BENCHMARKS=OFF"
fi
# shellcheck disable=SC2086
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo $options >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target gridlume
cd "$root"
exec "$root/build/gridlume" "$@"
