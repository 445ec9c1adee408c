#!/bin/sh
# Installs what the browser build needs: Emscripten (which brings Node), dpkg-dev for
# unpacking Debian's source package of libsndfile, and npm for Closure Compiler
# (tools/web/closure.sh). With --test, also Chromium for the page's tests. Quick when all are
# there.
set -eu
PACKAGES="emscripten dpkg-dev cmake"
[ "${1:-}" = --test ] && PACKAGES="$PACKAGES chromium"
missing=""
for p in $PACKAGES; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "ok installed" || missing="$missing $p"
done
# npm may come with another Node than Debian's.
command -v npm >/dev/null || missing="$missing npm"
[ -z "$missing" ] && exit 0
if [ "$(id -u)" -eq 0 ]; then SUDO=""; else SUDO="sudo"; fi
echo "Installing:$missing"
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get update -qq
# shellcheck disable=SC2086
$SUDO env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing
