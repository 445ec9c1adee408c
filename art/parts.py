"""The game pieces as SVG fragments, each drawn around its own origin.

A piece is (defs, body). Gear, motor and link live in a 256-unit square (-128..128), the
icons in a 128-unit square (-64..64); the screens reuse them through place().
Gradient names carry a prefix so that several pieces can share one document.
"""

import math

from svgkit import circle, gear_outline, group, line, linear, num, path, polar, radial, rect, text

# Pins of a link sit at 19.5 % and 80.5 % of the picture's width: the middle 61 %.
LINK_PIN = 256 * (0.5 - 0.195)
OUTLINE = "#1b2027"


def place(fragment_body, x, y, size, own_size, angle=0.0):
    """The fragment's own square of side own_size, centred at (x, y), size wide, turned."""
    k = size / own_size
    return group(fragment_body, transform=f"translate({num(x)},{num(y)}) rotate({num(angle)}) "
                                          f"scale({num(k)})")


def gear(p="gear"):
    """Steel spur gear, tips on the picture's edge, with an orange bar so its turning shows."""
    defs = radial(f"{p}Steel", 0.42, 0.38, 0.7,
                  [(0, "#e4eaf0"), (0.55, "#aeb8c4"), (1, "#6d7785")])
    defs += radial(f"{p}Hub", 0.4, 0.35, 0.75, [(0, "#f4f6f8"), (1, "#8a94a0")])
    holes = ""
    for i in range(5):
        hx, hy = polar(0, 0, 66, 36 + 72 * i)
        holes += f" M{num(hx - 17)},{num(hy)} a17,17 0 1,0 34,0 a17,17 0 1,0 -34,0 Z"
    body = path(gear_outline(0, 0, 126, 104, 16) + holes, fill=f"url(#{p}Steel)",
                fill_rule="evenodd", stroke=OUTLINE, stroke_width=3, stroke_linejoin="round")
    body += circle(0, 0, 94, fill="none", stroke="#56606c", stroke_width=3)
    body += circle(0, 0, 40, fill="none", stroke="#56606c", stroke_width=3)
    body += path("M-8,-40 L-8,-92 Q0,-97 8,-92 L8,-40 Z", fill="#ff6a1a", stroke=OUTLINE,
                 stroke_width=3, stroke_linejoin="round")
    body += circle(0, 0, 30, fill=f"url(#{p}Hub)", stroke=OUTLINE, stroke_width=3)
    hexagon = [polar(0, 0, 14, 30 + 60 * i) for i in range(6)]
    body += path("M" + " L".join(f"{num(x)},{num(y)}" for x, y in hexagon) + " Z",
                 fill="#4a525e", stroke=OUTLINE, stroke_width=2)
    return defs, body


def motor(p="motor"):
    """Red motor housing with bolts and cooling slots around a yellow three-bladed rotor."""
    defs = radial(f"{p}Case", 0.45, 0.4, 0.7, [(0, "#c2412b"), (0.7, "#8a2416"), (1, "#4d120a")])
    defs += radial(f"{p}Rotor", 0.5, 0.5, 0.5, [(0, "#3a3d42"), (1, "#15171a")])
    defs += radial(f"{p}Cap", 0.4, 0.35, 0.7, [(0, "#ffffff"), (1, "#9aa2ac")])
    body = circle(0, 0, 125, fill=f"url(#{p}Case)", stroke="#200604", stroke_width=4)
    body += circle(0, 0, 104, fill="none", stroke="#2b0a05", stroke_width=3)
    for i in range(24):
        x1, y1 = polar(0, 0, 74, 7.5 + 15 * i)
        x2, y2 = polar(0, 0, 98, 7.5 + 15 * i)
        body += line(x1, y1, x2, y2, stroke="#2b0a05", stroke_width=6, stroke_linecap="round")
    for i in range(8):
        bx, by = polar(0, 0, 114, 22.5 + 45 * i)
        body += circle(bx, by, 6, fill="#c9ced4", stroke="#200604", stroke_width=2)
    body += circle(0, 0, 66, fill="none", stroke="#d98c3a", stroke_width=8)
    body += circle(0, 0, 61, fill=f"url(#{p}Rotor)", stroke="#0c0d0f", stroke_width=2)
    blade = "M0,-14 C22,-22 40,-42 34,-58 C16,-60 4,-40 -8,-14 Z"
    for i, colour in enumerate(("#ffd21f", "#ffd21f", "#ffd21f")):
        body += group(path(blade, fill=colour, stroke="#0c0d0f", stroke_width=3,
                           stroke_linejoin="round"), transform=f"rotate({120 * i})")
    body += path("M-6,-62 L6,-62 L6,-120 L-6,-120 Z", fill="#ffd21f", stroke="#200604",
                 stroke_width=3)
    body += circle(0, 0, 18, fill=f"url(#{p}Cap)", stroke="#0c0d0f", stroke_width=3)
    bolt = "M3,-12 L-6,2 L0,2 L-3,12 L6,-2 L0,-2 Z"
    body += path(bolt, fill="#ffd21f", stroke="#0c0d0f", stroke_width=1.5,
                 stroke_linejoin="round")
    return defs, body


STEEL_PLATE = ((0, "#b4bdc8"), (0.45, "#6c7682"), (1, "#3a414b"))
BRASS_PLATE = ((0, "#ffeaa8"), (0.45, "#d4951c"), (1, "#7a4800"))


def link(p="link", plate_colours=STEEL_PLATE):
    """One roller-chain plate between two pins; the ends are round about the pins, so the
    ends of consecutive links cover each other exactly and the chain reads as one."""
    half = math.sqrt(30 ** 2 - 19 ** 2)
    a, b = -LINK_PIN + half, LINK_PIN - half
    plate = (f"M{num(a)},-19 Q0,-12 {num(b)},-19 A30,30 0 1,1 {num(b)},19 Q0,12 {num(a)},19 "
             f"A30,30 0 1,1 {num(a)},-19 Z")
    defs = linear(f"{p}Plate", 0, 0, 0, 1, plate_colours)
    defs += radial(f"{p}Pin", 0.4, 0.35, 0.7, [(0, "#f2f4f6"), (1, "#8a929c")])
    body = path(plate, fill=f"url(#{p}Plate)", stroke=OUTLINE, stroke_width=4,
                stroke_linejoin="round")
    for x in (-LINK_PIN, LINK_PIN):
        body += circle(x, 0, 13, fill=f"url(#{p}Pin)", stroke=OUTLINE, stroke_width=3)
    return defs, body


def link_between(body, x1, y1, x2, y2):
    """A link body stretched and turned so that its pins land on (x1, y1) and (x2, y2)."""
    span = math.hypot(x2 - x1, y2 - y1)
    angle = math.degrees(math.atan2(y2 - y1, x2 - x1))
    k = span / (2 * LINK_PIN)
    return group(body, transform=f"translate({num((x1 + x2) / 2)},{num((y1 + y2) / 2)}) "
                                 f"rotate({num(angle)}) scale({num(k)})")


def lightbulb(p="bulb"):
    """A lit bulb with a screw base, filling its square from top to bottom."""
    defs = radial(f"{p}Glass", 0.42, 0.4, 0.62,
                  [(0, "#fffef2"), (0.45, "#ffe75a"), (1, "#f0a400")])
    defs += linear(f"{p}Base", 0, 0, 1, 0, [(0, "#7d858f"), (0.4, "#e2e6ea"), (1, "#5d646d")])
    glass = ("M-18,26 C-18,12 -40,2 -40,-20 A40,40 0 1,1 40,-20 C40,2 18,12 18,26 Z")
    body = path(glass, fill=f"url(#{p}Glass)", stroke="#4a3600", stroke_width=3.5,
                stroke_linejoin="round")
    body += path("M-8,24 L-8,-6 M8,24 L8,-6", fill="none", stroke="#8a6400", stroke_width=2.5)
    body += path("M-8,-6 L-5,-16 L-2,-6 L1,-16 L4,-6 L7,-16 L8,-6", fill="none",
                 stroke="#b34700", stroke_width=3, stroke_linejoin="round")
    body += path("M-26,-30 C-24,-42 -14,-50 -4,-52", fill="none", stroke="#ffffff",
                 stroke_width=6, stroke_linecap="round", opacity=0.8)
    body += rect(-21, 26, 42, 24, rx=4, fill=f"url(#{p}Base)", stroke="#2a2e33",
                 stroke_width=3)
    for y in (33, 40):
        body += line(-20, y, 20, y - 3, stroke="#3c4249", stroke_width=2.5)
    body += path("M-12,50 L12,50 L6,61 L-6,61 Z", fill="#2a2e33", stroke="#2a2e33",
                 stroke_width=2, stroke_linejoin="round")
    return defs, body


def addlink(p="addlink"):
    """Two brass chain links with a green "+6" badge: this piece lengthens the chain."""
    defs, plate = link(p, BRASS_PLATE)
    pins = [(-44, 38), (-4, -2), (36, -42)]
    body = ""
    for (x1, y1), (x2, y2) in zip(pins, pins[1:]):
        body += link_between(plate, x1, y1, x2, y2)
    body += circle(28, 32, 27, fill="#1f9d3a", stroke="#0b3a16", stroke_width=3.5)
    body += text(27, 42, "+6", 28, fill="#ffffff", anchor="middle", weight="bold")
    return defs, body


def square_tile(p="tile"):
    """A bevelled, nearly neutral tile: the game tints it red to green, so it stays light."""
    defs = radial(f"{p}Face", 0.5, 0.45, 0.65, [(0, "#f6f6f6"), (0.7, "#e4e4e4"),
                                                 (1, "#d2d2d2")])
    defs += (f'<filter id="{p}Grain" x="0" y="0" width="1" height="1">\n'
             '<feTurbulence type="fractalNoise" baseFrequency="0.09" numOctaves="2" seed="7"/>\n'
             '<feColorMatrix type="matrix" values="0 0 0 0 0  0 0 0 0 0  0 0 0 0 0  '
             '0 0 0 0.12 0"/>\n'
             '</filter>\n')
    body = rect(0, 0, 128, 128, fill="#d8d8d8")
    body += path("M0,0 L128,0 L120,12 L8,12 Z", fill="#fbfbfb")
    body += path("M0,0 L8,12 L8,116 L0,128 Z", fill="#ededed")
    body += path("M0,128 L8,116 L120,116 L128,128 Z", fill="#a6a6a6")
    body += path("M128,0 L128,128 L120,116 L120,12 Z", fill="#bababa")
    body += rect(8, 12, 112, 104, fill=f"url(#{p}Face)")
    body += rect(8, 12, 112, 104, filter=f"url(#{p}Grain)")
    body += rect(18, 24, 92, 80, rx=10, fill="none", stroke="#c4c4c4", stroke_width=2)
    return defs, body
