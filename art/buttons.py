"""The on-screen buttons: what a finger (or the mouse) presses instead of a key.

Each square button is a dark glass tile with a light symbol, 128 pixels for a box the game
draws 64 to 72 units wide: large enough for a fingertip on a phone held sideways. A button
that is on has a green rim, one that is off a grey one. The end screen's buttons are wide
and carry their word. Every side is a power of two, as old OpenGL wants.
"""

from svgkit import document, line, linear, path, rect, text

SIZE = 128
LIGHT = "#e8eef8"
INK = "#0a0d12"
ON = "#5cff7a"
OFF = "#6a778a"


def tile(ident, w=SIZE, h=SIZE, edge=OFF, rx=20):
    defs = linear(ident, 0, 0, 0, 1, [(0, "#26324a", 0.95), (1, "#0a0e16", 0.95)])
    body = rect(3, 3, w - 6, h - 6, rx=rx, fill=f"url(#{ident})", stroke=edge, stroke_width=6)
    body += rect(10, 10, w - 20, h - 20, rx=rx - 6, fill="none", stroke="#ffffff",
                 stroke_opacity=0.08, stroke_width=2)
    return defs, body


def pause():
    defs, body = tile("pauseTile")
    for x in (42, 72):
        body += rect(x, 36, 16, 56, rx=4, fill=LIGHT, stroke=INK, stroke_width=3)
    return document((0, 0, SIZE, SIZE), body, defs)


def resume():
    defs, body = tile("resumeTile", edge=ON)
    body += path("M46,34 L96,64 L46,94 Z", fill=LIGHT, stroke=INK, stroke_width=3,
                 stroke_linejoin="round")
    return document((0, 0, SIZE, SIZE), body, defs)


def speaker():
    body = path("M28,52 L46,52 L68,32 L68,96 L46,76 L28,76 Z", fill=LIGHT, stroke=INK,
                stroke_width=4, stroke_linejoin="round")
    return body


def sound(on):
    defs, body = tile("soundTile", edge=ON if on else OFF)
    body += speaker()
    if on:
        for r in (14, 26):
            body += path(f"M{76 + r * 0.3:.1f},{64 - r} A{r},{r} 0 0 1 {76 + r * 0.3:.1f},"
                         f"{64 + r}", fill="none", stroke=LIGHT, stroke_width=6,
                         stroke_linecap="round")
    else:
        for colour, width in ((INK, 12), ("#ff3a24", 7)):
            body += line(80, 50, 104, 78, stroke=colour, stroke_width=width,
                         stroke_linecap="round")
            body += line(104, 50, 80, 78, stroke=colour, stroke_width=width,
                         stroke_linecap="round")
    return document((0, 0, SIZE, SIZE), body, defs)


def hints(on):
    """A speech bubble with a question mark: the captions that teach."""
    defs, body = tile("hintsTile", edge=ON if on else OFF)
    body += path("M30,34 Q30,26 38,26 L90,26 Q98,26 98,34 L98,78 Q98,86 90,86 L58,86 "
                 "L40,102 L44,86 L38,86 Q30,86 30,78 Z", fill=LIGHT if on else "#8a96a8",
                 stroke=INK, stroke_width=4, stroke_linejoin="round")
    body += text(64, 76, "?", 52, fill="#1a2030", anchor="middle", weight="bold")
    if not on:
        body += line(30, 100, 98, 28, stroke=INK, stroke_width=12, stroke_linecap="round")
        body += line(30, 100, 98, 28, stroke="#ff9a7a", stroke_width=6, stroke_linecap="round")
    return document((0, 0, SIZE, SIZE), body, defs)


def corners(outwards):
    """Four corner marks, pointing out (to full screen) or in (back to a window)."""
    body = ""
    for sx, sy in ((-1, -1), (1, -1), (1, 1), (-1, 1)):
        tip = (64 + sx * 36, 64 + sy * 36) if outwards else (64 + sx * 12, 64 + sy * 12)
        arm = 22 * (-1 if outwards else 1)
        d = (f"M{tip[0] + sx * arm},{tip[1]} L{tip[0]},{tip[1]} "
             f"L{tip[0]},{tip[1] + sy * arm}")
        for colour, width in ((INK, 14), (LIGHT, 8)):
            body += path(d, fill="none", stroke=colour, stroke_width=width,
                         stroke_linecap="round", stroke_linejoin="round")
    return body


def full_screen(on):
    defs, body = tile("screenTile", edge=ON if on else OFF)
    body += corners(not on)
    return document((0, 0, SIZE, SIZE), body, defs)


def palette(stops, on):
    """The board's ramp as a striped swatch: dark to lit, left to right."""
    defs, body = tile("paletteTile", edge=ON if on else OFF)
    defs += linear("ramp", 0, 0, 1, 0, stops)
    body += rect(24, 36, 80, 56, rx=8, fill="url(#ramp)", stroke=INK, stroke_width=4)
    for x in (44, 64, 84):
        body += line(x, 38, x, 90, stroke=INK, stroke_width=2, stroke_opacity=0.6)
    return document((0, 0, SIZE, SIZE), body, defs)


def wide(ident, word, colour):
    """The end screen's buttons, 256 by 64 for a 240 by 60 box."""
    defs, body = tile(ident, 256, 64, edge=colour, rx=12)
    body += text(128, 43, word, 28, fill=LIGHT, anchor="middle", weight="bold",
                 letter_spacing=2, stroke=INK, stroke_width=1)
    return document((0, 0, 256, 64), body, defs)


def all_buttons():
    yield "hud/button-pause", pause()
    yield "hud/button-resume", resume()
    yield "hud/button-sound-on", sound(True)
    yield "hud/button-sound-off", sound(False)
    yield "hud/button-hints-on", hints(True)
    yield "hud/button-hints-off", hints(False)
    yield "hud/button-full-screen", full_screen(False)
    yield "hud/button-window", full_screen(True)
    # As the game's two palettes colour the board (play/Palette.cpp).
    yield "hud/button-palette-red-green", palette([(0, "#ff0000"), (1, "#00ff00")], False)
    yield "hud/button-palette-blue-yellow", palette(
        [(0, "#140f6b"), (0.5, "#178594"), (1, "#ffeb29")], True)
    yield "hud/button-play-again", wide("againTile", "PLAY AGAIN", ON)
    yield "hud/button-quit", wide("quitTile", "QUIT", "#ff9a7a")
    # Drawn at 192 by 48 in the narrower margin beside the little board.
    yield "hud/button-watch", wide("watchTile", "WATCH", "#7ac8ff")
