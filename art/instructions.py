"""The instructions screen: six small diagrams of what a new player must know, then the keys
beside a seventh, smaller one for the add-link piece.

Drawn on the 800 by 800 world square like the other screens (only y -300..300 shows). Each
diagram is a panel with its own origin at its top-left corner; the pieces and the chain are
the game's own pictures, and the marks are the overlays the game draws in play, so that the
player recognises them there. The middle of the bottom band is left plain for the line that
the game draws over it to show the chosen mode (MODE_SLOT).
"""

import parts
import relay
import scene
import teach
from svgkit import circle, document, group, line, path, radial, rect, text

FULL = (-400, -400, 800, 800)
PANEL_W, PANEL_H = 244, 160
PANEL_XS = (-371, -122, 127)
PANEL_YS = (-218, -52)  # SVG y of each row's top (world y is the negative)
MODE_SLOT = (-160, -245, 160, -205)  # left, bottom, right, top in world units: kept plain
CAPTION = 14.5


class Kit:
    """The pictures shared by the panels, with their gradients."""

    def __init__(self):
        self.defs = ""
        self.body = {}
        for kind, maker in (("gear", parts.gear), ("motor", parts.motor), ("link", parts.link),
                            ("bulb", parts.lightbulb), ("addlink", parts.addlink)):
            defs, body = maker("help" + kind.capitalize())
            self.defs += defs
            self.body[kind] = body

    def piece(self, kind, x, y, r, angle=0.0, opacity=None):
        body = parts.place(self.body["motor" if kind == "motor" else "gear"], x, y, 2 * r, 256,
                           angle)
        if kind == "bulb":
            body += group(parts.place(self.body["bulb"], x, y, 1.2 * r, 128), opacity=0.8)
        if kind == "addlink":
            body += group(parts.place(self.body["addlink"], x, y, 1.6 * r, 128), opacity=0.8)
        return group(body, opacity=opacity) if opacity is not None else body

    def chain(self, circles, pitch=9.0):
        return scene.chain(circles, self.body["link"], pitch)


def overlay(fragment, x, y, size):
    """One of the game's 128-square marks, size wide at (x, y)."""
    return parts.place(fragment, x, y, size, 128)


def arrow(points, colour="#ffd21f", dashed=True):
    """A path through points with an arrowhead at its end."""
    d = "M" + " L".join(f"{x},{y}" for x, y in points)
    body = path(d, fill="none", stroke=colour, stroke_width=2.5, stroke_linecap="round",
                stroke_dasharray="6,4" if dashed else None)
    (x1, y1), (x2, y2) = points[-2], points[-1]
    length = max(1e-6, ((x2 - x1) ** 2 + (y2 - y1) ** 2) ** 0.5)
    ux, uy = (x2 - x1) / length, (y2 - y1) / length
    head = (f"M{x2 + 3 * ux},{y2 + 3 * uy} L{x2 - 9 * ux + 6 * uy},{y2 - 9 * uy - 6 * ux} "
            f"L{x2 - 9 * ux - 6 * uy},{y2 - 9 * uy + 6 * ux} Z")
    return body + path(head, fill=colour)


def pointer(x, y):
    """The mouse pointer, its tip at (x, y)."""
    d = f"M{x},{y} l0,17 l4.5,-4 l3.5,7.5 l3,-1.5 l-3.5,-7.5 l6,0 Z"
    return path(d, fill="#ffffff", stroke="#0a0d12", stroke_width=1.5, stroke_linejoin="round")


def mini_board(light_at, columns, rows, x0, y0, w=30, h=20):
    body = ""
    for c in range(columns):
        for r in range(rows):
            body += rect(x0 + c * w, y0 + r * h, w, h,
                         fill=scene.square_colour(light_at(c, r)), stroke="#0a0d12",
                         stroke_opacity=0.35, stroke_width=1)
    return body


def label(x, y, words, colour="#ffd21f", size=12, anchor="middle"):
    return text(x, y, words, size, fill=colour, anchor=anchor, weight="bold", stroke="#0a0d12",
                stroke_width=3, paint_order="stroke")


def cross(x, y, size=9):
    body = ""
    for colour, width in (("#0a0d12", 6), ("#ff5a3a", 3.5)):
        body += line(x - size, y - size, x + size, y + size, stroke=colour, stroke_width=width,
                     stroke_linecap="round")
        body += line(x - size, y + size, x + size, y - size, stroke=colour, stroke_width=width,
                     stroke_linecap="round")
    return body


def tick(x, y):
    d = f"M{x - 8},{y} L{x - 2},{y + 7} L{x + 10},{y - 8}"
    body = path(d, fill="none", stroke="#0a0d12", stroke_width=6, stroke_linecap="round",
                stroke_linejoin="round")
    return body + path(d, fill="none", stroke="#5cff7a", stroke_width=3.5,
                       stroke_linecap="round", stroke_linejoin="round")


def drop_on_chain(kit):
    """A piece dropped on the chain turns; one dropped beside it does not."""
    motor, gear = (38, 66, 24), (206, 58, 12)
    body = kit.chain([(*motor, 1), (*gear, 1)])
    body += kit.piece("motor", *motor, 30) + kit.piece("gear", *gear, 10)
    body += kit.piece("bulb", 122, 40, 15, 20)
    body += overlay(teach.turning_ring(), 122, 40, 40)
    body += tick(146, 22)
    body += arrow([(70, 8), (95, 12), (108, 24)])
    body += pointer(108, 26)
    body += kit.piece("bulb", 168, 96, 10)
    body += cross(186, 90, 6)
    return body


def stretch(kit):
    """The small gear dragged out slowly over dark squares: the chain follows it there."""
    motor = (34, 70, 24)
    body = mini_board(lambda c, r: 10, 3, 3, 158, 8, 24, 18)
    body += kit.piece("gear", 74, 50, 10, 0, opacity=0.35)
    body += kit.chain([(*motor, 1), (212, 34, 10, 1)])
    body += kit.piece("motor", *motor, 30) + kit.piece("gear", 212, 34, 10, 15)
    body += arrow([(88, 46), (150, 38), (192, 35)])
    body += pointer(214, 38)
    body += label(140, 30, "slowly")
    return body


def taut(kit):
    """A chain pulled straight stops; moving the marked far piece closer frees it."""
    motor, gear = (36, 62, 24), (214, 62, 10)
    body = kit.chain([(*motor, 1), (*gear, 1)], pitch=11)
    body += kit.piece("motor", *motor, 30) + kit.piece("gear", *gear)
    body += overlay(relay.holding_ring(), *gear[:2], 2 * gear[2] + 12)
    body += overlay(teach.taut_sign(), 36, 18, 30)
    body += circle(170, 62, 10, fill="none", stroke="#ffd21f", stroke_width=2,
                   stroke_dasharray="4,3")
    body += arrow([(214, 88), (174, 88)], dashed=False)
    body += label(120, 95, "move closer", size=11)
    return body


def bulb_payout(kit):
    """Five turns of a bulb piece light the squares round it; each pip is one charge."""
    def light(c, r):
        return max(10, 100 - 30 * (abs(c - 3) + abs(r - 2)))
    body = mini_board(light, 7, 4, 17, 12, 30, 21)
    body += kit.chain([(36, 80, 10, 1), (107, 50, 22, 1)], pitch=9)
    body += kit.piece("gear", 36, 80, 10)
    body += kit.piece("bulb", 107, 50, 22, 40)
    body += overlay(teach.turning_ring(), 107, 50, 56)
    for dx in (-10, 0, 10):  # the game tints its white pips yellow on bulbs
        body += circle(107 + dx, 86, 4, fill="#ffe75a", stroke="#0a0d12", stroke_width=1.5)
    body += label(190, 36, "5 turns", colour="#ffffff", size=13)
    body += label(190, 52, "= light", colour="#5cff7a", size=13)
    return body


def bin_spent(kit):
    """Two quick presses lift a spent piece; it follows the pointer into the bin."""
    body = rect(8, 50, 56, 44, fill="#2a3240", stroke="#5cff7a", stroke_width=2.5)
    body += rect(8, 50, 56, 8, fill="#f2c200")
    body += label(36, 44, "BIN", colour="#f2c200", size=12)
    body += kit.piece("bulb", 196, 52, 22, 10)
    body += overlay(teach.spent_mark(), 196, 52, 44)
    body += pointer(200, 56)
    body += label(226, 28, "2×", colour="#ffffff", size=15)
    body += arrow([(170, 62), (120, 66), (72, 66)])
    body += group(kit.piece("bulb", 36, 66, 14) + overlay(teach.spent_mark(), 36, 66, 28),
                  opacity=0.5)
    body += pointer(40, 70)
    return body


def power(kit):
    """The power bar: the board's average light, with the alarm and the losing mark."""
    del kit
    left, width = 14, 216

    def gx(percent):
        return left + width * percent / 100
    body = ""
    zones = ((0, 5, "#5c0f0f"), (5, 20, "#d3391f"), (20, 30, "#f0a01c"), (30, 100, "#2fd86a"))
    for low, high, fill in zones:
        body += rect(gx(low), 44, gx(high) - gx(low), 14, fill=fill)
    body += rect(left, 44, width, 14, fill="none", stroke="#06080b", stroke_width=2)
    for percent, word, colour in ((5, "5 %: lost", "#ff6b5a"), (20, "20 %: alarm", "#ffb340")):
        body += line(gx(percent), 38, gx(percent), 64, stroke="#ffffff", stroke_width=2)
        body += text(gx(percent) + 4, 32 if percent == 5 else 80, word, 11.5, fill=colour,
                     weight="bold")
    body += rect(gx(62) - 2, 36, 4, 30, fill="#ffff00", stroke="#06080b", stroke_width=1)
    body += label(gx(70), 98, "4:00 to win", colour="#ffffff", size=13)
    return body


def add_links(kit):
    """An add-link piece turned five times: six new links join the chain."""
    body = kit.piece("addlink", 32, 36, 21, 30)
    body += overlay(teach.turning_ring(), 32, 36, 54)
    body += circle(32, 71, 4, fill="#59ff73", stroke="#0a0d12", stroke_width=1.5)
    body += arrow([(60, 38), (72, 38)], dashed=False)
    pins = [(78 + 14.5 * i, 46 - 2 * i - i * i / 3) for i in range(7)]
    body += path("M" + " L".join(f"{x:g},{y:g}" for x, y in pins), fill="none",
                 stroke="#5cff7a", stroke_opacity=0.35, stroke_width=12, stroke_linecap="round",
                 stroke_linejoin="round")
    for a, b in zip(pins, pins[1:]):
        body += parts.link_between(kit.body["link"], *a, *b)
    body += label(122, 62, "+6 links", colour="#5cff7a", size=13)
    return body


# Beside the keys, reaching down beside the mode line: x, y, width, height (SVG units).
ADD_LINK_PANEL = (199, 114, 172, 138)
ADD_LINK_WORDS = ["Five turns of an add-link", "piece: six more links,", "more reach."]

PANELS = (
    (drop_on_chain, ["Drop each new piece on the", "chain: only pieces that the",
                     "chain touches will turn."]),
    (stretch, ["Drag the small gear slowly", "out, towards the dark squares:",
               "the chain follows it there."]),
    (taut, ["A chain pulled tight stops", "(this sign shows at the motor):",
            "move the marked piece closer."]),
    (bulb_payout, ["Five turns of a bulb piece", "relight its squares, once per",
                   "charge (the pips)."]),
    (bin_spent, ["Press a spent piece twice", "quickly: it follows the pointer.",
                 "Click over the bin to drop it."]),
    (power, ["The squares fade; the power is", "their average light. Keep it up",
             "for four minutes to win."]),
)


def panel(kit, drawing, words, x, y):
    body = rect(x, y, PANEL_W, PANEL_H, rx=10, fill="#121a26", stroke="#3a475c",
                stroke_width=1.5)
    body += group(drawing(kit), transform=f"translate({x},{y})")
    for i, row in enumerate(words):
        body += text(x + PANEL_W / 2, y + 118 + i * 17, row, CAPTION, fill="#e8eef8",
                     anchor="middle")
    return body


def small_panel(kit, drawing, words, box):
    x, y, w, h = box
    body = rect(x, y, w, h, rx=10, fill="#121a26", stroke="#3a475c", stroke_width=1.5)
    body += group(drawing(kit), transform=f"translate({x},{y})")
    for i, row in enumerate(words):
        body += text(x + w / 2, y + h - 44 + i * 16, row, 13.5, fill="#e8eef8",
                     anchor="middle")
    return body


def key_row(x, y, key, words):
    half = 20 if len(key) <= 3 else 26
    body = rect(x - half, y - 12, 2 * half, 22, rx=5, fill="#d9dee6", stroke="#5d6878",
                stroke_width=2)
    body += text(x, y + 4, key, 12, fill="#1a2030", anchor="middle", weight="bold")
    return body + text(x + half + 8, y + 4, words, CAPTION, fill="#e8eef8")


KEYS = (
    (("A", "add a plain gear"), ("H", "hints on or off"), ("F11", "full screen")),
    (("P", "or Space: pause"), ("E", "relaxed mode (here)"), ("Esc", "quit the game")),
    (("M", "sound on or off"), ("C", "lay the chain again"), ("Enter", "or R: play again")),
)
KEY_XS = (-351, -172, 40)  # key centres: each column as wide as its longest words


def instructions():
    kit = Kit()
    defs = radial("helpBack", 0.5, 0.4, 0.8, [(0, "#202b3f"), (1, "#0a0d14")]) + kit.defs
    body = rect(-400, -400, 800, 800, fill="url(#helpBack)")
    body += rect(-384, -292, 768, 584, rx=14, fill="#0c1119", fill_opacity=0.7,
                 stroke="#4a5a72", stroke_width=2)
    body += text(0, -258, "How to play", 30, fill="#ffd21f", anchor="middle", weight="bold")
    body += text(0, -232, "The motor drives a chain; the chain turns the pieces on it.", 16,
                 fill="#c9d4e6", anchor="middle")
    for i, (drawing, words) in enumerate(PANELS):
        body += panel(kit, drawing, words, PANEL_XS[i % 3], PANEL_YS[i // 3])
    for r, row in enumerate(KEYS):
        for c, entry in enumerate(row):
            body += key_row(KEY_XS[c], 130 + 24 * r, *entry)
    body += text(KEY_XS[2] + 26 + 8, 130 + 24 * 2 + 16, "on the end screen", 11,
                 fill="#9fb0c8")
    body += small_panel(kit, add_links, ADD_LINK_WORDS, ADD_LINK_PANEL)
    left, bottom, right, top = MODE_SLOT
    assert 130 + 24 * 2 + 16 < -top and -bottom < 250 and right < ADD_LINK_PANEL[0]
    body += group(parts.link_between(kit.body["link"], -170, 270, -120, 270)
                  + parts.link_between(kit.body["link"], 120, 270, 170, 270))
    body += text(0, 278, "Click to start", 24, fill="#ffffff", anchor="middle", weight="bold")
    return document(FULL, body, defs)
