"""The teaching overlays: hint captions, end-screen tips, the marks on turning and spent pieces,
the taut-chain sign, the bin's release signs, the relaxed-mode badge and line, the hints toasts.

All are cut-outs on full transparency that the game draws over the rules' own pictures. Each
picture is written in its own pixel square at the drawn aspect, so text sizes below are pixels
of the file: a caption (512 by 64, drawn 256 by 32) shows its letters at half their size here,
a tip (512 by 128, drawn 400 by 100) at 0.78. The marks (turning ring, pip, spent mark, taut
sign) are fragments round their own origin too, so that the instructions picture can show them.
"""

from svgkit import FONT, circle, document, group, line, linear, num, path, polar, rect, text

YELLOW = "#ffd21f"
TEXT = "#e8eef8"
INK = "#0a0d12"


def plate(ident, w, h, rx, edge="#6a778a"):
    """The dark glass of the pause panel, edge to edge of a w by h picture."""
    defs = linear(ident, 0, 0, 0, 1, [(0, "#1c2536", 0.92), (1, "#06080c", 0.9)])
    body = rect(1.5, 1.5, w - 3, h - 3, rx=rx, fill=f"url(#{ident})", stroke=edge,
                stroke_width=3)
    return defs, body


def lines_of(x, y, rows, size, step, anchor="start", family=FONT):
    """Rows of (words, colour, bold) runs, one row per line; a run list makes mixed lines."""
    body = ""
    for row in rows:
        runs = "".join(
            f'<tspan fill="{colour}" font-weight="{"bold" if bold else "normal"}">'
            f'{words}</tspan>' for words, colour, bold in row)
        body += (f'<text x="{num(x)}" y="{num(y)}" font-family="{family}" '
                 f'font-size="{num(size)}" text-anchor="{anchor}" '
                 f'xml:space="preserve">{runs}</text>\n')
        y += step
    return body


# The marks, each in a 128 square round its origin.

def turning_ring(colour="#7dffb0"):
    """A thin bright ring with two arrowheads chasing each other counter-clockwise."""
    body = ""
    for start in (20, 200):
        # An arc of 130 degrees going counter-clockwise on screen (SVG angles clockwise).
        a, b = polar(0, 0, 56, start + 130), polar(0, 0, 56, start)
        arc = f"M{num(a[0])},{num(a[1])} A56,56 0 0,0 {num(b[0])},{num(b[1])}"
        for stroke, width in ((INK, 11), (colour, 6)):
            body += path(arc, fill="none", stroke=stroke, stroke_width=width,
                         stroke_linecap="round", stroke_opacity=0.55 if stroke == INK else 1)
        tip = polar(0, 0, 56, start - 14)
        left, right = polar(0, 0, 43, start + 4), polar(0, 0, 69, start + 4)
        head = (f"M{num(tip[0])},{num(tip[1])} L{num(left[0])},{num(left[1])} "
                f"L{num(right[0])},{num(right[1])} Z")
        body += path(head, fill=colour, stroke=INK, stroke_width=2.5, stroke_linejoin="round",
                     stroke_opacity=0.7)
    return body


def pip_mark():
    """One charge: a white dot with a dark rim, so that the tint shows and the edge holds."""
    return circle(0, 0, 13, fill="#ffffff", stroke=INK, stroke_width=3.5)


def spent_mark():
    """Grey veil over the piece, a grey band across it and a crossed-out, empty bulb."""
    body = circle(0, 0, 62, fill="#2a2f36", fill_opacity=0.55)
    body += group(rect(-70, -15, 140, 30, fill="#9aa3ad", fill_opacity=0.85, stroke=INK,
                       stroke_opacity=0.6, stroke_width=2), transform="rotate(-35)")
    bulb = "M-9,13 C-9,6 -20,1 -20,-10 A20,20 0 1,1 20,-10 C20,1 9,6 9,13 Z"
    body += path(bulb, fill="#5d646d", stroke="#e8eef8", stroke_width=4, stroke_linejoin="round")
    body += rect(-10, 14, 20, 12, rx=2, fill="#5d646d", stroke="#e8eef8", stroke_width=3)
    body += line(-30, 30, 30, -36, stroke=INK, stroke_width=11, stroke_linecap="round")
    body += line(-30, 30, 30, -36, stroke="#ff5a3a", stroke_width=6, stroke_linecap="round")
    return body


def taut_sign():
    """A warning triangle holding one link stretched between two arrows pulling apart."""
    triangle = "M0,-58 L60,50 L-60,50 Z"
    body = path(triangle, fill=YELLOW, stroke=INK, stroke_width=7, stroke_linejoin="round")
    body += path("M0,-40 L44,40 L-44,40 Z", fill="none", stroke="#8a5a00", stroke_width=2)
    body += rect(-17, 14, 34, 14, rx=7, fill="#5d646d", stroke=INK, stroke_width=3)
    for x in (-11, 11):
        body += circle(x, 21, 4, fill="#e8eef8", stroke=INK, stroke_width=1.5)
    for side in (-1, 1):
        body += line(side * 18, 21, side * 30, 21, stroke=INK, stroke_width=4)
        body += path(f"M{side * 40},21 L{side * 28},13 L{side * 28},29 Z", fill=INK)
    body += rect(-5, -26, 10, 28, rx=3, fill=INK)
    return body


def mark(body, p_defs=""):
    return document((-64, -64, 128, 128), body, p_defs)


# Captions, tips and lines.

def caption(icon, head, rest, icon_defs=""):
    """A 256 by 32 hint: an icon, then two lines: the point in yellow, what to do in white."""
    defs, body = plate("capGlass", 512, 64, 14)
    defs += icon_defs
    body += group(icon, transform="translate(34,32) scale(0.4)")
    body += lines_of(66, 27, [[(head, YELLOW, True)], [(rest, TEXT, False)]], 24, 26)
    return document((0, 0, 512, 64), body, defs)


def hint_drop():
    """The first deal: a piece falling onto a link."""
    icon = ""
    for x in (-44, -4, 36):
        icon += rect(x - 16, 26, 40, 20, rx=10, fill="#8a96a8", stroke=INK, stroke_width=4)
    icon += circle(0, -6, 34, fill="#aeb8c4", stroke=INK, stroke_width=5)
    icon += circle(0, -6, 10, fill="#4a525e", stroke=INK, stroke_width=3)
    icon += path("M-14,-62 L14,-62 L0,-44 Z", fill=YELLOW, stroke=INK, stroke_width=3)
    return caption(icon, "Drop it", "on the chain")


def hint_idle():
    icon = circle(0, 0, 44, fill="#aeb8c4", stroke=INK, stroke_width=6)
    icon += line(-50, 50, 50, -50, stroke="#ff5a3a", stroke_width=12, stroke_linecap="round")
    return caption(icon, "Not turning:", "the chain must touch it")


def hint_taut():
    return caption(taut_sign(), "Chain pulled tight:", "move a piece closer")


def hint_spent():
    return caption(spent_mark(), "Spent: press twice quickly,", "then drop it in the bin")


def tip(rows):
    """A 400 by 100 end-screen tip: "Tip" in yellow, then up to three lines."""
    defs, body = plate("tipGlass", 512, 128, 18, edge=YELLOW)
    first = [("Tip: ", YELLOW, True), (rows[0], TEXT, False)]
    runs = [first] + [[(words, TEXT, False)] for words in rows[1:]]
    top = 64 - (len(rows) - 1) * 17 + 9
    body += lines_of(256, top, runs, 25, 34, anchor="middle")
    return document((0, 0, 512, 128), body, defs)


def bin_sign(colour, edge, arrow, words):
    """88 by 78 over the bin: a coloured glass box, the arrow of where the piece goes."""
    body = rect(3, 3, 122, 122, rx=12, fill=colour, fill_opacity=0.35, stroke=edge,
                stroke_width=6)
    body += path(arrow, fill=edge, stroke=INK, stroke_width=4, stroke_linejoin="round")
    body += text(64, 115, words, 18, fill="#ffffff", anchor="middle", weight="bold",
                 stroke=INK, stroke_width=4, paint_order="stroke")
    return body


def bin_drop():
    """Releasing here bins the piece: an open bin under a downward arrow."""
    body = bin_sign("#1f9d3a", "#5cff7a", "M50,10 L78,10 L78,34 L94,34 L64,60 L34,34 L50,34 Z",
                    "INTO BIN")
    body += path("M34,64 L94,64 L88,96 L40,96 Z", fill="#2a3240", stroke="#5cff7a",
                 stroke_width=4, stroke_linejoin="round")
    body += path("M30,64 L98,64", stroke="#5cff7a", stroke_width=6, stroke_linecap="round")
    return document((0, 0, 128, 128), body)


def bin_place():
    """Releasing here lands on the board: an arrow pointing right, onto the board."""
    arrow = "M14,40 L74,40 L74,18 L116,56 L74,94 L74,72 L14,72 Z"
    body = bin_sign("#e08a00", "#ffc233", arrow, "ON BOARD")
    return document((0, 0, 128, 128), body)


def badge(w, h, words, size, colour, text_colour=INK):
    body = rect(2, 2, w - 4, h - 4, rx=h / 2 - 2, fill=colour, stroke=INK, stroke_width=3)
    body += text(w / 2, h / 2 + size * 0.36, words, size, fill=text_colour, anchor="middle",
                 weight="bold", letter_spacing=3)
    return document((0, 0, w, h), body)


def key_cap(x, y, label, size=26):
    """A key as the instructions picture draws it, (x, y) its centre."""
    half = size * 0.85
    body = rect(x - half, y - half, 2 * half, 2 * half, rx=6, fill="#d9dee6", stroke="#5d6878",
                stroke_width=3)
    body += text(x, y + size * 0.36, label, size, fill="#1a2030", anchor="middle",
                 weight="bold")
    return body


def mode_line(on):
    """The instructions screen's line for the mode, 320 by 40: the E key and the choice."""
    defs, body = plate("modeGlass", 512, 64, 14, edge="#5cff7a" if on else "#6a778a")
    body += key_cap(34, 32, "E")
    state = [("relaxed mode is ", TEXT, False),
             ("ON" if on else "OFF", "#5cff7a" if on else "#ff9a7a", True)]
    if on:
        rows = [state, [("(the board fades much more slowly)", "#9fb0c8", False)]]
        body += lines_of(72, 28, rows, 22, 26)
    else:
        body += lines_of(72, 41, [state], 28, 0)
    return document((0, 0, 512, 64), body, defs)


def toast(on):
    defs, body = plate("toastGlass", 256, 64, 14)
    body += key_cap(34, 32, "H")
    words = [("Hints ", TEXT, True), ("on" if on else "off", "#5cff7a" if on else "#ff9a7a",
                                      True)]
    body += lines_of(150, 42, [words], 28, 0, anchor="middle")
    return document((0, 0, 256, 64), body, defs)


def all_teach():
    yield "hud/hint-drop", hint_drop()
    yield "hud/hint-idle", hint_idle()
    yield "hud/hint-taut", hint_taut()
    yield "hud/hint-spent", hint_spent()
    yield "hud/tip-taut", tip(["your chain was pulled tight at",
                               "the end: move the far piece closer,",
                               "or press C to lay the chain again."])
    yield "hud/tip-no-turn", tip(["nothing turned for the last", "minute. Drop each new piece",
                                  "right onto the chain."])
    yield "hud/tip-off-chain", tip(["most pieces landed where", "the chain did not reach them.",
                                    "Drop them onto the links."])
    yield "hud/tip-stretch", tip(["drag the small gear slowly out,", "towards the dark squares: the",
                                  "chain follows it there."])
    yield "hud/turning", mark(turning_ring())
    yield "hud/pip", document((-16, -16, 32, 32), pip_mark())
    yield "hud/spent", mark(spent_mark())
    yield "hud/bin-drop", bin_drop()
    yield "hud/bin-place", bin_place()
    yield "hud/relaxed", badge(256, 64, "RELAXED", 34, "#5cff7a")
    yield "hud/mode-normal", mode_line(False)
    yield "hud/mode-relaxed", mode_line(True)
    yield "hud/hints-on", toast(True)
    yield "hud/hints-off", toast(False)
