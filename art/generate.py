#!/usr/bin/env python3
"""Writes the SVG source of every picture of the game into one folder.

Usage: generate.py OUT_DIR. make-art.sh renders the files to img/; the names here are the
game's file names under img/ without their extension.
"""

import os
import sys

import buttons
import hud
import parts
import relay
import screens
import teach
from svgkit import document

PIECE = (-128, -128, 256, 256)
ICON = (-64, -64, 128, 128)


def pictures():
    yield "gear", document(PIECE, *reversed(parts.gear()))
    yield "motor", document(PIECE, *reversed(parts.motor()))
    yield "link", document(PIECE, *reversed(parts.link()))
    yield "lightbulb", document(ICON, *reversed(parts.lightbulb()))
    yield "addlink", document(ICON, *reversed(parts.addlink()))
    yield "square", document((0, 0, 128, 128), *reversed(parts.square_tile()))
    yield from screens.all_screens()
    yield from hud.all_hud()
    yield from teach.all_teach()
    yield from relay.all_relay()
    yield from buttons.all_buttons()


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: generate.py OUT_DIR")
    out = sys.argv[1]
    for name, svg in pictures():
        os.makedirs(os.path.dirname(os.path.join(out, name)), exist_ok=True)
        with open(os.path.join(out, name + ".svg"), "w", encoding="utf-8", newline="\n") as f:
            f.write(svg)


if __name__ == "__main__":
    main()
