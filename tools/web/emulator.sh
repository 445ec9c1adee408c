#!/bin/sh
# The CMake argument that runs WebAssembly programs (try_run, tests) under Node. Node's own fetch
# breaks Emscripten's loader, and try_run then records every type size as 9 without complaint.
echo "-DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/node;--no-experimental-fetch"
