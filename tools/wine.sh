#!/bin/sh
# Runs a Windows program under Wine, in the game's own Wine prefix: a cache folder outside the
# clone (GRIDLUME_WINEPREFIX, by default ~/.cache/gridlume/wine), made on first use (about 15 s)
# and shared by the tests after that. The Windows build's tests use it as their emulator.
set -eu
export WINEPREFIX="${GRIDLUME_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/gridlume/wine}"
export WINEDEBUG="${WINEDEBUG:--all}"
# No offers to install Mono or Gecko: nothing here needs .NET or a browser engine.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
if [ ! -f "$WINEPREFIX/.ready" ]; then
    mkdir -p "$(dirname "$WINEPREFIX")"
    # Tests started side by side make the prefix once.
    # shellcheck disable=SC2016 # the inner shell expands it
    flock "$WINEPREFIX.lock" sh -c '[ -f "$WINEPREFIX/.ready" ] ||
        { wineboot --init >/dev/null 2>&1 && wineserver --wait && touch "$WINEPREFIX/.ready"; }'
fi
exec wine "$@"
