#!/bin/sh
# Fails unless the type sizes a CMake cache recorded are those of wasm32. A broken emulator makes
# try_run and check_type_size record nonsense (every size 9) without an error, and the library
# then builds with wrong sizes and misreads every file.
set -eu
cache=$1
status=0
for expected in SIZEOF_INT64_T=8 SIZEOF_LONG=4 SIZEOF_LONG_LONG=8 SIZEOF_SSIZE_T=4 \
    SIZEOF_WCHAR_T=4 SIZEOF_OFF_T=8; do
    name=${expected%%=*}
    found=$(sed -n "s/^$name:INTERNAL=//p" "$cache")
    if [ "$name=$found" != "$expected" ]; then
        echo "check-type-sizes: $name is '$found', expected ${expected#*=}" >&2
        status=1
    fi
done
for clip in CPU_CLIPS_POSITIVE CPU_CLIPS_NEGATIVE; do
    found=$(sed -n "s/^$clip:INTERNAL=//p" "$cache")
    case $found in 0 | 1 | "") ;; *) echo "check-type-sizes: $clip is '$found'" >&2; status=1 ;; esac
done
exit "$status"
