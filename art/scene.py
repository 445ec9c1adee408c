"""A picture of the play: board squares, pieces and a chain wrapped round them.

Drawn in world units with SVG's y pointing down (world (x, y) is (x, -y) here), on top of the
background, so that the splash, win and lose screens can show a shrunken game window.
"""

import math

import background
import parts
from svgkit import group, rect, text


def square_colour(light):
    """The game's tint of a square (red when dark, green when lit) over a light grey tile."""
    red, green = 1 - light / 100, light / 100
    return f"rgb({round(225 * red)},{round(225 * green)},0)"


def squares(light_at):
    """The 10 by 10 board; light_at(column, row) gives each square's light, 0 to 100."""
    body = ""
    for column in range(10):
        for row in range(10):
            x = column * 67.2 - 266.4 - 33.6
            y = -(row * 44 - 219) - 22
            body += rect(x, y, 67.2, 44, fill=square_colour(light_at(column, row)))
            body += rect(x + 2, y + 2, 63.2, 40, fill="none", stroke="#ffffff",
                         stroke_opacity=0.35, stroke_width=2.5)
            body += rect(x + 4, y + 4, 59.2, 36, rx=4, fill="none", stroke="#000000",
                         stroke_opacity=0.2, stroke_width=1.5)
    return body


def belt(circles, clearance=4.0):
    """The closed path of a chain laid round the circles (x, y, r, side) in order, clockwise
    on screen: side +1 passes round the outside of a circle, -1 snakes past its inside.
    Straight runs are the common tangents, joined by arcs round each circle."""
    count = len(circles)
    signed = [(x, y, -side * (r + clearance)) for x, y, r, side in circles]
    runs = []
    for i in range(count):
        (xi, yi, ri), (xj, yj, rj) = signed[i], signed[(i + 1) % count]
        dx, dy = xj - xi, yj - yi
        reach = math.hypot(dx, dy)
        phi = math.atan2(dy, dx)
        alpha = math.acos(max(-1.0, min(1.0, (rj - ri) / reach)))
        for theta in (phi + alpha, phi - alpha):
            nx, ny = math.cos(theta), math.sin(theta)
            if dx * -ny + dy * nx > 0:  # the run heads from circle i towards circle j
                break
        runs.append(((xi - ri * nx, yi - ri * ny), (xj - rj * nx, yj - rj * ny)))
    points = []
    for i in range(count):
        x, y, r = signed[i]
        arrive, leave = runs[i - 1][1], runs[i][0]
        a = math.atan2(arrive[1] - y, arrive[0] - x)
        b = math.atan2(leave[1] - y, leave[0] - x)
        turn = -1 if r > 0 else 1
        sweep = ((b - a) * turn) % (2 * math.pi)
        steps = max(1, int(sweep / math.radians(4)))
        for k in range(steps + 1):
            angle = a + turn * sweep * k / steps
            points.append((x + abs(r) * math.cos(angle), y + abs(r) * math.sin(angle)))
    return points


def pins_along(loop, pitch):
    """Evenly spaced points round a closed polyline, about pitch apart."""
    loop = [p for p, q in zip(loop, loop[1:] + loop[:1]) if math.dist(p, q) > 1e-6]
    edges = list(zip(loop, loop[1:] + loop[:1]))
    lengths = [math.dist(a, b) for a, b in edges]
    total = sum(lengths)
    count = max(3, round(total / pitch))
    step = total / count
    pins, walked, edge = [], 0.0, 0
    for k in range(count):
        target = k * step
        while walked + lengths[edge] < target:
            walked += lengths[edge]
            edge += 1
        (ax, ay), (bx, by) = edges[edge]
        t = (target - walked) / lengths[edge]
        pins.append((ax + (bx - ax) * t, ay + (by - ay) * t))
    return pins


def chain(circles, link_body, pitch=25.0):
    pins = pins_along(belt(circles), pitch)
    body = ""
    for a, b in zip(pins, pins[1:] + pins[:1]):
        body += parts.link_between(link_body, a[0], a[1], b[0], b[1])
    return body


class Play:
    """A moment of play in world units: the board's light, the pieces and the power level."""

    def __init__(self, prefix):
        self.defs = ""
        self.pictures = {}
        for kind, maker in (("gear", parts.gear), ("motor", parts.motor),
                            ("link", parts.link), ("bulb", parts.lightbulb),
                            ("addlink", parts.addlink)):
            defs, body = maker(prefix + kind.capitalize())
            self.defs += defs
            self.pictures[kind] = body

    def piece(self, kind, x, y, r, angle=0.0, charges=0):
        picture = self.pictures["motor" if kind == "motor" else "gear"]
        body = parts.place(picture, x, -y, 2 * r, 256, angle)
        if kind == "bulb" and charges > 0:
            body += group(parts.place(self.pictures["bulb"], x, -y, 16 * charges, 128),
                          opacity=0.75)
        if kind == "addlink" and charges > 0:
            body += group(parts.place(self.pictures["addlink"], x, -y, 80, 128),
                          opacity=0.75)
        return body

    def draw(self, light_at, placed, loose=(), level=None, clock=None):
        """placed: (kind, x, y, radius, angle, charges, side) in chain order; loose: pieces
        off the chain, (kind, x, y, radius, angle, charges); clock: the time left, "m:ss"."""
        body = squares(light_at)
        for kind, x, y, r, angle, charges, _ in placed:
            body += self.piece(kind, x, y, r, angle, charges)
        for kind, x, y, r, angle, charges in loose:
            body += self.piece(kind, x, y, r, angle, charges)
        body += chain([(x, -y, r, side) for _, x, y, r, _, _, side in placed],
                      self.pictures["link"])
        if level is not None:
            body += rect(level * 3.85 - 180 - 2, 274 - 18, 4, 36, fill="#ffff00")
        if clock is not None:
            # Red for the last half minute, as the game tints it.
            minutes, seconds = clock.split(":")
            colour = "#ff3a2e" if int(minutes) * 60 + int(seconds) <= 30 else "#ffffff"
            left, bottom, right, top = background.CLOCK
            body += text((left + right) / 2, -(bottom + top) / 2 + 11, clock, 31, fill=colour,
                         anchor="middle", weight="bold")
        return body

