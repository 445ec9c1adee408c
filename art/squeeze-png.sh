#!/bin/sh
# Squeezes PNG files losslessly with zopflipng, after optipng (make-art.sh's last picture step):
# its deflate packs them another 4 %. A file is replaced only when zopflipng's is smaller, still
# 8-bit RGBA (it would make the white figures grey with alpha, which the game's loaders and the
# art checks do not expect) and holds the same pixels, the colour under transparent ones
# included; the pixels differing is an error.
# Usage: art/squeeze-png.sh FILE.png...
set -eu
for file in "$@"; do
    squeezed=$(mktemp --suffix=.png)
    rm -f "$squeezed" # zopflipng keeps an existing output that is smaller
    zopflipng -y -m "$file" "$squeezed" >/dev/null
    # Bit depth and colour type: bytes 25 and 26 of the file (8 and 6 for RGBA).
    if [ "$(od -An -tu1 -j24 -N2 "$squeezed" | tr -s ' ')" = " 8 6" ] &&
        [ "$(stat -c %s "$squeezed")" -lt "$(stat -c %s "$file")" ]; then
        if [ "$(convert "$file" -depth 8 rgba:- | sha256sum)" != \
            "$(convert "$squeezed" -depth 8 rgba:- | sha256sum)" ]; then
            echo "squeeze-png.sh: zopflipng changed the pixels of $file" >&2
            rm -f "$squeezed"
            exit 1
        fi
        cat "$squeezed" >"$file"
        rm -f "$squeezed"
    else
        rm -f "$squeezed"
    fi
done
