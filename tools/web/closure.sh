#!/bin/sh
# Installs Closure Compiler, which Emscripten runs over the page's JavaScript (--closure 1), from
# npm at the version tools/web/closure/package-lock.json names, into a folder kept outside the
# clone and named after that lock file: a second run finds it ready in a moment. Prints the
# command Emscripten is to run (EM_CLOSURE_COMPILER). Debian's closure-compiler package is a
# 2013 release, too old for Emscripten's externs.
set -eu
here=$(cd "$(dirname "$0")" && pwd)
key=$(cat "$here/closure/package.json" "$here/closure/package-lock.json" | sha256sum | cut -c1-12)
dir=${XDG_CACHE_HOME:-$HOME/.cache}/gridlume/web-closure-$key
if [ ! -f "$dir/done" ]; then
    rm -rf "$dir"
    mkdir -p "$dir"
    cp "$here/closure/package.json" "$here/closure/package-lock.json" "$dir/"
    (cd "$dir" && npm ci --no-audit --no-fund >&2)
    touch "$dir/done"
fi
echo "$dir/node_modules/.bin/google-closure-compiler"
