"""Small helpers for writing SVG by hand: numbers, shapes, gradients and text.

Every picture is built from these strings, so the output depends only on this code: the same
script run twice writes the same bytes.
"""

import math

FONT = "DejaVu Sans"
CAP_HEIGHT = 0.729  # of DejaVu's capitals and figures, in ems: for centring them on a line


def num(value):
    """A short, stable decimal: three places at most, no trailing zeros."""
    text = f"{value:.3f}".rstrip("0").rstrip(".")
    return "0" if text in ("-0", "") else text


def attrs(**items):
    """key=value pairs; underscores in names become dashes (stroke_width -> stroke-width)."""
    parts = []
    for key, value in items.items():
        if value is None:
            continue
        if isinstance(value, float):
            value = num(value)
        parts.append(f'{key.rstrip("_").replace("_", "-")}="{value}"')
    return " ".join(parts)


def document(view_box, body, defs=""):
    """A complete SVG file. view_box is (x, y, width, height) in the picture's own units."""
    x, y, w, h = view_box
    return (
        '<?xml version="1.0" encoding="UTF-8"?>\n'
        f'<svg xmlns="http://www.w3.org/2000/svg" version="1.1" '
        f'viewBox="{num(x)} {num(y)} {num(w)} {num(h)}" width="{num(w)}" height="{num(h)}">\n'
        f"<defs>\n{defs}</defs>\n{body}</svg>\n"
    )


def polar(cx, cy, radius, degrees):
    """Point at an angle measured clockwise from straight up (SVG's y points down)."""
    a = math.radians(degrees)
    return cx + radius * math.sin(a), cy - radius * math.cos(a)


def path_from(points, closed=True):
    head, *rest = points
    d = f"M{num(head[0])},{num(head[1])}"
    for x, y in rest:
        d += f" L{num(x)},{num(y)}"
    return d + (" Z" if closed else "")


def circle(cx, cy, r, **style):
    return f'<circle cx="{num(cx)}" cy="{num(cy)}" r="{num(r)}" {attrs(**style)}/>\n'


def rect(x, y, w, h, **style):
    return (
        f'<rect x="{num(x)}" y="{num(y)}" width="{num(w)}" height="{num(h)}" '
        f"{attrs(**style)}/>\n"
    )


def line(x1, y1, x2, y2, **style):
    return (
        f'<line x1="{num(x1)}" y1="{num(y1)}" x2="{num(x2)}" y2="{num(y2)}" '
        f"{attrs(**style)}/>\n"
    )


def path(d, **style):
    return f'<path d="{d}" {attrs(**style)}/>\n'


def group(body, transform=None, **style):
    head = attrs(transform=transform, **style)
    return f"<g {head}>\n{body}</g>\n" if head else f"<g>\n{body}</g>\n"


def escape(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")


def text(x, y, content, size, fill="#ffffff", anchor="start", weight="normal", **style):
    """One line of DejaVu Sans; (x, y) is the baseline point."""
    return (
        f'<text x="{num(x)}" y="{num(y)}" font-family="{FONT}" font-size="{num(size)}" '
        f'font-weight="{weight}" text-anchor="{anchor}" {attrs(fill=fill, **style)}>'
        f"{escape(content)}</text>\n"
    )


def stops(colours):
    """Gradient stops from (offset, colour) or (offset, colour, opacity)."""
    out = ""
    for stop in colours:
        offset, colour = stop[0], stop[1]
        opacity = f' stop-opacity="{num(stop[2])}"' if len(stop) > 2 else ""
        out += f'<stop offset="{num(offset)}" stop-color="{colour}"{opacity}/>\n'
    return out


def linear(ident, x1, y1, x2, y2, colours, units="objectBoundingBox"):
    return (
        f'<linearGradient id="{ident}" gradientUnits="{units}" x1="{num(x1)}" y1="{num(y1)}" '
        f'x2="{num(x2)}" y2="{num(y2)}">\n{stops(colours)}</linearGradient>\n'
    )


def radial(ident, cx, cy, r, colours, units="objectBoundingBox", fx=None, fy=None):
    focus = f' fx="{num(fx)}" fy="{num(fy)}"' if fx is not None else ""
    return (
        f'<radialGradient id="{ident}" gradientUnits="{units}" cx="{num(cx)}" cy="{num(cy)}" '
        f'r="{num(r)}"{focus}>\n{stops(colours)}</radialGradient>\n'
    )


def gear_outline(cx, cy, tip, root, teeth, tip_share=0.36, base_share=0.56, phase=0.0):
    """Closed outline of a spur gear: trapezoid teeth between the root and tip circles."""
    points = []
    pitch = 360.0 / teeth
    for i in range(teeth):
        centre = phase + i * pitch
        for share, radius in ((-base_share, root), (-tip_share, tip), (tip_share, tip),
                              (base_share, root)):
            points.append(polar(cx, cy, radius, centre + share * pitch / 2))
    return path_from(points)

