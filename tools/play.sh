#!/bin/sh
# Installs what the game needs, builds it and starts it from the repository, where its
# pictures and sounds are.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/setup.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target gridlume
cd "$root"
exec "$root/build/gridlume" "$@"
