#!/bin/sh
# Serves the browser build (tools/build-web.sh) on http://127.0.0.1:PORT/ (8080 unless given).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
[ -f "$root/build-web/site/index.html" ] || { echo "Build it first: tools/build-web.sh" >&2; exit 1; }
exec node "$root/web/serve.mjs" "$root/build-web/site" "${1:-8080}"
