#!/bin/sh
# The source folders are floors, from the ground up: platform; gfx and audio; physics; play (the
# rules); states (the screens); app (the composition root). A file may include its own floor and
# those below it, never one above. Prints every include that climbs and fails if there is one.
# Usage: tools/check-floors.sh [SOURCE_ROOT]
set -eu
src=${1:-$(cd "$(dirname "$0")/.." && pwd)/src}
floor() {
    case $1 in
    platform) echo 0 ;;
    gfx | audio) echo 1 ;;
    physics) echo 2 ;;
    play) echo 3 ;;
    states) echo 4 ;;
    app) echo 5 ;;
    *) echo unknown ;;
    esac
}
bad=0
for dir in "$src"/*/; do
    own=$(basename "$dir")
    own_floor=$(floor "$own")
    if [ "$own_floor" = unknown ]; then
        echo "src/$own/: a folder on no floor"
        bad=1
        continue
    fi
    for file in "$dir"*; do
        grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"[a-z]*/' "$file" 2>/dev/null |
            sed 's/^\([0-9]*\):.*"\([a-z]*\)\/.*/\1 \2/' >"${TMPDIR:-/tmp}/floors.$$" || true
        while read -r line target; do
            target_floor=$(floor "$target")
            if [ "$target_floor" = unknown ] || [ "$target_floor" -gt "$own_floor" ]; then
                echo "src/$own/$(basename "$file"):$line includes $target/, a floor above $own/"
                bad=1
            fi
        done <"${TMPDIR:-/tmp}/floors.$$"
    done
done
rm -f "${TMPDIR:-/tmp}/floors.$$"
[ "$bad" -eq 0 ] && echo "every include stays on its floor or goes down"
exit "$bad"
