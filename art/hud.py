"""What the game draws over the play: countdown figures, the pause panel, the sound-off mark.

Figures are white on full transparency so that the game can tint them (red when time runs
short). It draws them 32 units square 18 apart in the power strip and 40 square 22 apart on the
end screens, so each figure keeps its ink within the middle 36 of its 64 pixels (solid within
34): neighbours meet at most at their faint antialiased edges.
"""

from svgkit import CAP_HEIGHT, FONT, document, line, linear, num, path, rect, text

GLYPH = (0, 0, 64, 64)
# DejaVu Sans Bold at this size makes the flat-topped figures 54 pixels high; round ones
# overshoot by a pixel either way. Squeezed to fit the 36-pixel column, they stay bold.
FIGURE_SIZE = 74
FIGURE_SQUEEZE = 0.77
FIGURE_ADVANCE = 1425 / 2048  # every DejaVu figure is this many ems wide, centred in its width
BASELINE = 59  # the flat figures span rows 5 to 59, centred on the square
MIDDLE = BASELINE - FIGURE_SIZE * CAP_HEIGHT / 2  # halfway up a figure


def figure(digit):
    """One digit, centred on its square. Placed from its left edge: librsvg shifts a middle-
    anchored text by its unsqueezed half width."""
    left = -FIGURE_SIZE * FIGURE_ADVANCE / 2
    glyph = (f'<text x="{num(left)}" y="{BASELINE}" font-family="{FONT}" '
             f'font-size="{FIGURE_SIZE}" font-weight="bold" fill="#ffffff" '
             f'transform="translate(32,0) scale({num(FIGURE_SQUEEZE)},1)">{digit}</text>\n')
    return document(GLYPH, glyph)


def colon():
    """Two dots as heavy as the figures' strokes, centred on their height rather than sitting
    low as a text colon does, so that "3:59" reads as one clock."""
    width, height = 10, 12  # squeezed like the figures, on whole pixels to stay crisp
    middle = round(MIDDLE)
    body = ""
    for dy in (-12, 12):
        body += rect(32 - width / 2, middle + dy - height / 2, width, height, rx=1.5,
                     fill="#ffffff")
    return document(GLYPH, body)


def paused():
    """A dark glass plate, 400 by 100 world units, over the middle of the board."""
    defs = linear("pausedGlass", 0, 0, 0, 1, [(0, "#1c2536", 0.9), (1, "#06080c", 0.86)])
    defs += linear("pausedTitle", 0, 0, 0, 1, [(0, "#fff4b8"), (0.55, "#ffd21f"),
                                                (1, "#e08a00")])
    body = rect(2, 2, 396, 96, rx=16, fill="url(#pausedGlass)", stroke="#6a778a",
                stroke_width=2.5)
    body += rect(7, 7, 386, 86, rx=12, fill="none", stroke="#ffffff", stroke_opacity=0.08,
                 stroke_width=1.5)
    body += text(200, 55, "PAUSED", 44, fill="url(#pausedTitle)", anchor="middle",
                 weight="bold", letter_spacing=6, stroke="#3a2400", stroke_width=1.5)
    body += text(200, 82, "P or Space to resume", 17, fill="#c9d4e6", anchor="middle")
    return document((0, 0, 400, 100), body, defs)


def muted():
    """A loudspeaker with a red cross where its sound would be: sound is off. Light on dark
    outlines, so that it reads at 36 units on the dark title strip."""
    speaker = "M5,23 L17,23 L33,8 L33,56 L17,41 L5,41 Z"
    body = path(speaker, fill="#e8eef8", stroke="#0a0d12", stroke_width=4,
                stroke_linejoin="round")
    body += path("M17,24 L17,40", fill="none", stroke="#8a96a8", stroke_width=2)
    cross = ((40, 23, 58, 41), (58, 23, 40, 41))
    for colour, width in (("#0a0d12", 11), ("#ff3a24", 6)):
        for x1, y1, x2, y2 in cross:
            body += line(x1, y1, x2, y2, stroke=colour, stroke_width=width,
                         stroke_linecap="round")
    return document(GLYPH, body)


def all_hud():
    for digit in "0123456789":
        yield f"hud/digit-{digit}", figure(digit)
    yield "hud/colon", colon()
    yield "hud/paused", paused()
    yield "hud/muted", muted()
