"""The play field's background: chute, bin, board frame, power gauge, title and margin.

Everything is placed in world units (window centre at the origin, 800 by 800 drawn, 600 high
seen); SVG's y points down, so a world point (x, y) is written (x, -y).
"""

import parts
from svgkit import CAP_HEIGHT, circle, group, line, linear, path, rect, text

# Where the game puts things; the picture lines up with these.
CHUTE_LEFT, CHUTE_RIGHT, CHUTE_FOOT = -400, -300, -176
BIN = (-396, -254, -308, -176)  # left, bottom, right, top
GAUGE_Y, GAUGE_LEFT, GAUGE_RIGHT = -274, -180, 205
CLOCK = (292, -292, 392, -256)  # the countdown's slot in the power strip, as BIN
CLOCK_LABEL_RIGHT = 286  # where its label ends, on the gauge's middle line
MUTED = (-196, 230, -150, 276)  # kept plain: the game marks sound off here


def gauge_x(percent):
    """Where the power marker stands at this level."""
    return percent * 3.85 + GAUGE_LEFT


def backdrop():
    defs = linear("back", 0, 0, 0, 1, [(0, "#1d2636"), (1, "#0e131c")])
    defs += ('<pattern id="plate" width="40" height="40" patternUnits="userSpaceOnUse">\n'
             '<path d="M0,0 L40,0 M0,0 L0,40" stroke="#2a3446" stroke-width="1"/>\n'
             '<circle cx="4" cy="4" r="1.6" fill="#35425a"/>\n</pattern>\n')
    body = rect(-400, -400, 800, 800, fill="url(#back)")
    body += rect(-400, -400, 800, 800, fill="url(#plate)")
    return defs, body


def board_frame():
    body = rect(-305, -204, 682, 450, fill="#0a0d12", stroke="#6a778a", stroke_width=2)
    return "", body


def chute():
    defs = linear("trough", 0, 0, 1, 0, [(0, "#07090d"), (0.5, "#151b26"), (1, "#07090d")])
    defs += linear("rail", 0, 0, 1, 0, [(0, "#4d5868"), (0.5, "#b9c3cf"), (1, "#4d5868")])
    top, foot = -400, -CHUTE_FOOT
    body = rect(CHUTE_LEFT, top, 100, foot - top, fill="url(#trough)")
    for x in (-372, -328):
        body += line(x, top, x, foot, stroke="#1f2836", stroke_width=2)
    for y in (-140, -50, 40, 130):
        body += path(f"M-368,{y - 12} L-350,{y + 6} L-332,{y - 12}", fill="none",
                     stroke="#2c3a50", stroke_width=5, stroke_linecap="round",
                     stroke_linejoin="round")
    for x in (CHUTE_LEFT, CHUTE_RIGHT - 5):
        body += rect(x, top, 5, foot - top, fill="url(#rail)")
    # The dispenser above the spot where new pieces appear.
    body += rect(-398, -278, 96, 18, rx=3, fill="#2a3240", stroke="#0a0d12", stroke_width=2)
    body += rect(-380, -272, 60, 6, rx=3, fill="#06080b")
    body += circle(-314, -269, 4, fill="#5cff7a")
    return defs, body


def hazard_band(x, y, w, h, ident):
    defs = (f'<pattern id="{ident}" width="16" height="16" patternUnits="userSpaceOnUse" '
            f'patternTransform="rotate(45)">\n'
            f'<rect width="8" height="16" fill="#f2c200"/>\n'
            f'<rect x="8" width="8" height="16" fill="#16181b"/>\n</pattern>\n')
    return defs, rect(x, y, w, h, fill=f"url(#{ident})", stroke="#0a0c0f", stroke_width=1.5)


def trash_bin():
    left, bottom, right, top = BIN
    defs, band = hazard_band(left, -top, right - left, 10, "hazard")
    defs += linear("binBody", 0, 0, 1, 0, [(0, "#20262e"), (0.5, "#3a434f"), (1, "#20262e")])
    body = rect(left, -top, right - left, top - bottom, fill="url(#binBody)", stroke="#0a0c0f",
                stroke_width=2)
    for x in (-374, -352, -330):
        body += line(x, -top + 16, x, -bottom - 8, stroke="#171b21", stroke_width=4,
                     stroke_linecap="round")
    body += band
    body += text(-352, 226, "BIN", 15, fill="#f2c200", anchor="middle", weight="bold",
                 stroke="#0a0c0f", stroke_width=0.6)
    return defs, body


def gauge():
    """The power scale under the marker: 0 % at the left end, 100 % at the right."""
    cy = -GAUGE_Y
    defs = linear("glass", 0, 0, 0, 1, [(0, "#ffffff", 0.35), (0.5, "#ffffff", 0.05),
                                         (1, "#000000", 0.2)])
    defs += linear("okZone", 0, 0, 1, 0, [(0, "#58b02c"), (1, "#2fd86a")])
    body = rect(-296, cy - 22, 690, 44, rx=6, fill="#141a24", stroke="#3c4757",
                stroke_width=2)
    body += text(-288, cy + 6, "POWER", 17, fill="#ffd21f", weight="bold")
    zones = ((0, 5, "#5c0f0f"), (5, 20, "#d3391f"), (20, 30, "#f0a01c"),
             (30, 100, "url(#okZone)"))
    for low, high, fill in zones:
        body += rect(gauge_x(low), cy - 7, gauge_x(high) - gauge_x(low), 14, fill=fill)
    body += rect(GAUGE_LEFT, cy - 7, GAUGE_RIGHT - GAUGE_LEFT, 14, fill="url(#glass)",
                 stroke="#06080b", stroke_width=2)
    for percent in range(0, 101, 10):
        x = gauge_x(percent)
        body += line(x, cy + 7, x, cy + 11, stroke="#8894a6", stroke_width=1.5)
    marks = ((5, "LOSE", "#ff6b5a"), (20, "ALARM", "#ffb340"), (30, "OFF", "#9be07a"))
    for percent, word, colour in marks:
        x = gauge_x(percent)
        body += line(x, cy - 12, x, cy + 12, stroke="#ffffff", stroke_width=2)
        body += text(x, cy - 14, word, 9.5, fill=colour, anchor="middle", weight="bold")
        body += text(x, cy + 21, f"{percent}%", 9.5, fill="#d8dee8", anchor="middle")
    body += text(gauge_x(100), cy + 21, "100%", 9.5, fill="#d8dee8", anchor="middle")
    body += clock_slot()
    return defs, body


def clock_slot():
    """A dark recess for the countdown the game writes as m:ss, and its label. Only the
    recess's own shading goes inside: the figures are drawn over it."""
    left, bottom, right, top = CLOCK
    width, height = right - left, top - bottom
    body = rect(left, -top, width, height, rx=4, fill="#04060a")
    # Lit from above: the top lip casts a shadow in, the bottom lip catches the light.
    body += rect(left + 1, -top + 1, width - 2, 5, rx=3, fill="#000000", opacity=0.6)
    body += rect(left + 0.75, -top + 0.75, width - 1.5, height - 1.5, rx=3.5, fill="none",
                 stroke="#000000", stroke_width=1.5)
    body += line(left + 4, -bottom - 0.5, right - 4, -bottom - 0.5, stroke="#566276",
                 stroke_width=1)
    size = 12
    body += text(CLOCK_LABEL_RIGHT, -GAUGE_Y + size * CAP_HEIGHT / 2, "TIME LEFT", size,
                 fill="#ffd21f", anchor="end", weight="bold")
    return body


def title():
    defs = linear("titleFill", 0, 0, 0, 1, [(0, "#fff4b8"), (0.55, "#ffd21f"), (1, "#e08a00")])
    gear_defs, gear_body = parts.gear("titleGear")
    body = text(36, -232, "GRIDLUME", 50, fill="url(#titleFill)", anchor="middle",
                weight="bold", letter_spacing=8, stroke="#3a2400", stroke_width=2)
    body += parts.place(gear_body, -236, -250, 64, 256, 8)
    body += parts.place(gear_body, 310, -250, 64, 256, -14)
    return defs + gear_defs, body


def right_margin():
    """A cable duct down the right edge, feeding the power panel."""
    defs = linear("pipe", 0, 0, 1, 0, [(0, "#3e4856"), (0.45, "#c2ccd8"), (1, "#3e4856")])
    foot = -GAUGE_Y - 22
    body = rect(379, -400, 14, 400 + foot, fill="url(#pipe)", stroke="#0a0d12",
                stroke_width=1.5)
    for y in range(-280, 200, 80):
        body += rect(376, y, 20, 8, rx=2, fill="#56616f", stroke="#0a0d12", stroke_width=1.5)
    return defs, body


def background():
    defs, body = "", ""
    for d, b in (backdrop(), board_frame(), chute(), trash_bin(), gauge(), title(),
                 right_margin()):
        defs += d
        body += b
    return defs, body


def debug_overlay():
    """Where the game's things are: used only to check the picture by eye."""
    body = group(
        circle(-350, -202, 50) + circle(-350, 180, 50) +
        rect(BIN[0], -BIN[3], BIN[2] - BIN[0], BIN[3] - BIN[1]) +
        rect(-300, -199, 672, 440) + rect(-400, -300, 800, 600),
        fill="none", stroke="#ff00ff", stroke_width=1.5)
    for percent in (0, 5, 20, 30, 100):
        body += rect(gauge_x(percent) - 2, -GAUGE_Y - 18, 4, 36, fill="#ffff00", opacity=0.8)
    for left, bottom, right, top in (CLOCK, MUTED):
        body += rect(left, -top, right - left, top - bottom, fill="none", stroke="#00ffff",
                     stroke_width=1)
    body += line(CLOCK_LABEL_RIGHT, -GAUGE_Y - 12, CLOCK_LABEL_RIGHT, -GAUGE_Y + 12,
                 stroke="#00ffff", stroke_width=1)
    body += line(CLOCK_LABEL_RIGHT - 80, -GAUGE_Y, CLOCK_LABEL_RIGHT, -GAUGE_Y,
                 stroke="#00ffff", stroke_width=0.5)
    return body
