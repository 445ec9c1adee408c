"""What the game shows when its chain stops: the three chain signs beside the motor, the round
button that lays the chain again, the mark on the piece that holds the chain stretched, and the
hint and end-screen tip that name the C key.

A sign is 512 by 128 pixels, drawn 224 by 56 units (0.44 of its pixels), so its words are about
as large on the screen as a hint caption's. Its icon is a fragment in a 128 square round its
own origin, like the marks of teach.py, and the shape and colour of each icon differ (a yellow
triangle, an amber diamond, a red disc), so that the three tell apart at a glance and without
colour.
"""

import teach
from svgkit import FONT, circle, document, group, line, num, path, polar, radial, rect, text
from teach import INK, TEXT, YELLOW

AMBER = "#ffa31a"
RED = "#ff5a3a"
STEEL = "#aeb8c4"


def small_motor(x, y, r):
    """The motor as the icons draw it: a dark red drum round a grey hub."""
    body = circle(x, y, r, fill="#8c1f16", stroke=INK, stroke_width=4)
    body += circle(x, y, r * 0.62, fill="#3a0d09", stroke="#d9472f", stroke_width=2)
    return body + circle(x, y, r * 0.3, fill=STEEL, stroke=INK, stroke_width=2.5)


def icon_link(x, y, angle, length=26):
    """One chain link, its middle at (x, y), turned by angle degrees."""
    half = length / 2
    body = rect(-half - 5, -6, length + 10, 12, rx=6, fill="#7d8796", stroke=INK,
                stroke_width=2.5)
    for px in (-half + 2, half - 2):
        body += circle(px, 0, 2.6, fill="#e8eef8")
    return group(body, transform=f"translate({num(x)},{num(y)}) rotate({num(angle)})")


def heap_sign():
    """An amber diamond: the motor with its links lying in a pile at its foot."""
    body = path("M0,-62 L62,0 L0,62 L-62,0 Z", fill=AMBER, stroke=INK, stroke_width=7,
                stroke_linejoin="round")
    body += small_motor(0, -18, 15)
    for x, y, angle in ((-16, 24, 25), (14, 26, -30), (-2, 14, 80), (0, 32, 5), (20, 14, 60),
                        (-22, 12, -55)):
        body += icon_link(x, y, angle, 18)
    return body


def off_sign():
    """A red disc: a bare motor, and two links falling away from its rim."""
    body = circle(0, 0, 60, fill="#ffffff", stroke=RED, stroke_width=12)
    body += circle(0, 0, 60, fill="none", stroke=INK, stroke_width=3)
    body += circle(0, 0, 66, fill="none", stroke=INK, stroke_width=3)
    body += small_motor(-10, -10, 24)
    # Where the chain should sit: the rim, dashed and empty.
    body += circle(-10, -10, 33, fill="none", stroke=RED, stroke_width=5,
                   stroke_dasharray="8,6")
    body += icon_link(26, 30, 50, 16) + icon_link(38, 46, 62, 12)
    return body


def sign(ident, icon, edge, head, rest):
    """A chain sign: the icon at the left, what is wrong in colour, what to do in white."""
    defs, body = teach.plate(ident, 512, 128, 20, edge=edge)
    body += group(icon, transform="translate(60,64) scale(0.76)")
    body += teach.lines_of(116, 55, [[(head, edge, True)]], 33, 0)
    # Condensed, for the longest remedy to fit beside the icon at the size of a hint's words.
    body += teach.lines_of(116, 97, [rest], 27.5, 0, family=FONT + " Condensed")
    return document((0, 0, 512, 128), body, defs)


PRESS_C = [("press ", TEXT, False), ("C", YELLOW, True), (" to lay it again", TEXT, False)]


def relay_button():
    """A round blue button: the letter C inside an arrow that goes round it."""
    defs = radial("relayFace", 0.4, 0.32, 0.75, [(0, "#4f9dff"), (1, "#123a86")])
    body = circle(0, 0, 60, fill="url(#relayFace)", stroke=INK, stroke_width=4)
    body += circle(0, 0, 54, fill="none", stroke="#cfe4ff", stroke_width=3.5)
    # Most of a turn clockwise from the top left, ending in a head at the top.
    start, end = polar(0, 0, 38, 290), polar(0, 0, 38, 345)
    arc = f"M{num(start[0])},{num(start[1])} A38,38 0 1,0 {num(end[0])},{num(end[1])}"
    for stroke, width in ((INK, 13), ("#ffffff", 8)):
        body += path(arc, fill="none", stroke=stroke, stroke_width=width, stroke_linecap="round")
    tip, left, right = polar(0, 0, 38, 305), polar(0, 0, 25, 335), polar(0, 0, 51, 335)
    head = (f"M{num(tip[0])},{num(tip[1])} L{num(left[0])},{num(left[1])} "
            f"L{num(right[0])},{num(right[1])} Z")
    body += path(head, fill="#ffffff", stroke=INK, stroke_width=3, stroke_linejoin="round")
    body += text(1, 14, "C", 40, fill=YELLOW, anchor="middle", weight="bold", stroke=INK,
                 stroke_width=4, paint_order="stroke")
    return defs, body


def holding_ring():
    """Round the piece that holds the chain stretched: a whole amber ring, not the turning
    ring's two green arcs, with four heads pulling outwards as the chain pulls on it."""
    body = circle(0, 0, 55, fill="none", stroke=INK, stroke_width=13, stroke_opacity=0.6)
    body += circle(0, 0, 55, fill="none", stroke=AMBER, stroke_width=7)
    for angle in (45, 135, 225, 315):
        inner, outer = polar(0, 0, 52, angle), polar(0, 0, 70, angle)
        for stroke, width in ((INK, 11), (AMBER, 6)):
            body += line(*inner, *outer, stroke=stroke, stroke_width=width,
                         stroke_opacity=0.6 if stroke == INK else 1)
        tip, left, right = (polar(0, 0, 81, angle), polar(0, 0, 63, angle - 11),
                            polar(0, 0, 63, angle + 11))
        head = (f"M{num(tip[0])},{num(tip[1])} L{num(left[0])},{num(left[1])} "
                f"L{num(right[0])},{num(right[1])} Z")
        body += path(head, fill=AMBER, stroke=INK, stroke_width=3, stroke_linejoin="round")
    return body


def all_relay():
    yield "hud/chain-taut", sign("tautGlass", teach.taut_sign(), YELLOW, "Chain pulled tight",
                                 [("move the marked piece closer", TEXT, False)])
    yield "hud/chain-heap", sign("heapGlass", heap_sign(), AMBER, "Chain in a heap", PRESS_C)
    yield "hud/chain-off", sign("offGlass", off_sign(), RED, "Chain off the motor", PRESS_C)
    defs, button = relay_button()
    yield "hud/relay", teach.mark(button, defs)
    yield "hud/holding", teach.mark(holding_ring())
    yield "hud/hint-relay", teach.caption(button, "Chain stuck?", "Press C to lay it again",
                                          defs)
    yield "hud/tip-relay", teach.tip(["your chain stopped for good.",
                                      "Press C, or the button by the motor,",
                                      "to lay it again round the motor."])
