"""The full-screen pictures: background, splash, instructions, win and lose.

Each is drawn on the 800 by 800 world square the game stretches it over; only y -300..300 is
seen, so everything that matters stays in that band. SVG's y points down: world y is -y here.
"""

import background
import instructions
import scene
from svgkit import CAP_HEIGHT, circle, document, group, linear, path, polar, radial, rect, text

FULL = (-400, -400, 800, 800)


def demo_light(column, row):
    """A board in mid-game: lit round the bulbs, fading to red far from them."""
    near = max(0.0, 100 - 12 * abs(column - 6) - 15 * abs(row - 7))
    return max(near, 70 - 12 * abs(column - 2) - 12 * abs(row - 7), 6)


# (kind, x, y, radius, angle, charges, side): in the order the chain runs round them.
DEMO_CHAIN = (
    ("motor", -236, -171, 50, 30, 0, 1),
    ("bulb", -150, 110, 30, 55, 2, 1),
    ("bulb", 130, 100, 40, 15, 3, 1),
    ("gear", 300, -20, 25, 5, 0, 1),
    ("addlink", 190, -170, 50, 40, 1, 1),
    ("gear", -50, -75, 25, 10, 0, -1),
)


def mock_screen(prefix, light_at, placed, loose, level, clock, width, x, y):
    """A picture of the game window in play, width units wide, centred at world (x, y)."""
    play = scene.Play(prefix)
    bg_defs, bg_body = background.background()
    defs = bg_defs + play.defs
    defs += (f'<clipPath id="{prefix}Clip"><rect x="-400" y="-300" width="800" '
             f'height="600"/></clipPath>\n')
    window = group(bg_body + play.draw(light_at, placed, loose, level, clock),
                   clip_path=f"url(#{prefix}Clip)")
    frame = rect(-410, -310, 820, 620, rx=14, fill="#06080b", stroke="#7d8a9c",
                 stroke_width=6)
    k = width / 800
    return defs, group(frame + window, transform=f"translate({x},{-y}) scale({k})")


def splash():
    defs = radial("splashBack", 0.5, 0.45, 0.75, [(0, "#26324a"), (1, "#090c12")])
    defs += linear("splashTitle", 0, 0, 0, 1, [(0, "#fff6c4"), (0.5, "#ffd21f"),
                                                (1, "#e07c00")])
    body = rect(-400, -400, 800, 800, fill="url(#splashBack)")
    body += text(0, -226, "Gridlume", 84, fill="url(#splashTitle)", anchor="middle",
                 weight="bold", stroke="#3a2400", stroke_width=3)
    body += text(0, -195, "Keep the lights on: let the chain turn the bulbs.", 19,
                 fill="#c9d4e6", anchor="middle")
    loose = (("bulb", -350, 30, 40, 0, 3),)
    mock_defs, mock = mock_screen("splash", demo_light, DEMO_CHAIN, loose, 62, "2:41", 480,
                                  0, -8)
    body += mock
    body += text(0, 252, "Click to continue", 30, fill="#ffffff", anchor="middle",
                 weight="bold")
    return document(FULL, body, defs + mock_defs)


def burst(colour_a, colour_b, rays=24):
    body = ""
    for i in range(rays):
        colour = colour_a if i % 2 == 0 else colour_b
        a, b = i * 360 / rays, (i + 1) * 360 / rays
        pa, pb = polar(0, 0, 700, a), polar(0, 0, 700, b)
        body += path(f"M0,0 L{pa[0]:.2f},{pa[1]:.2f} L{pb[0]:.2f},{pb[1]:.2f} Z", fill=colour)
    return body


# The end screens: a smaller game window than the splash's, to make room under it for the
# scoreboard, whose times the game draws in white over the plain part of the panel.
END_MOCK_WIDTH, END_MOCK_Y = 360, -19
SCOREBOARD = (-150, -260, 150, -168)  # left, bottom, right, top
SCORE_TIMES = (0, -256, 130, -176)  # plain panel: the game's figures go here
SCORE_LABEL_RIGHT = -12
SCORE_ROWS = (("THIS GAME", -196), ("BEST", -236))  # label and the y of its row's middle
END_HINT = "Click to exit · Enter to play again"
END_HINT_Y = -276


def scoreboard(fill, edge):
    left, bottom, right, top = SCOREBOARD
    t_left, t_bottom, t_right, t_top = SCORE_TIMES
    assert left < SCORE_LABEL_RIGHT < t_left and t_right < right
    assert bottom < t_bottom and t_top < top
    body = rect(left, -top, right - left, top - bottom, rx=10, fill=fill, stroke=edge,
                stroke_width=2.5)
    size = 19
    for label, y in SCORE_ROWS:
        body += text(SCORE_LABEL_RIGHT, -y + size * CAP_HEIGHT / 2, label, size,
                     fill="#ffffff", anchor="end", weight="bold")
    return body


def end_hint(colour):
    size = 22
    return text(0, -END_HINT_Y + size * CAP_HEIGHT / 2, END_HINT, size, fill=colour,
                anchor="middle", weight="bold")


def win():
    defs = radial("winGlow", 0.5, 0.5, 0.5, [(0, "#fff7c8", 0.95), (1, "#ffb000", 0)])
    defs += linear("winTitle", 0, 0, 0, 1, [(0, "#d8ffb8"), (0.5, "#3fe060"), (1, "#139a34")])
    body = rect(-400, -400, 800, 800, fill="#f0a400")
    body += group(burst("#ffc935", "#ffb21a"), transform="translate(0,-40)")
    body += circle(0, -40, 300, fill="url(#winGlow)")
    body += text(0, -184, "YOU WIN!", 110, fill="url(#winTitle)", anchor="middle",
                 weight="bold", stroke="#0d3d12", stroke_width=5)
    body += text(0, -138, "The lights stayed on for four minutes.", 26, fill="#3a2000",
                 anchor="middle", weight="bold")
    mock_defs, mock = mock_screen("win", lambda c, r: 100, DEMO_CHAIN, (), 100, "0:00",
                                  END_MOCK_WIDTH, 0, END_MOCK_Y)
    body += mock
    body += scoreboard("#2b1800", "#6b3f00")
    body += end_hint("#2a1600")
    return document(FULL, body, defs + mock_defs)


def lose():
    defs = radial("loseBack", 0.5, 0.45, 0.7, [(0, "#4a0a0a"), (1, "#0c0202")])
    defs += linear("loseTitle", 0, 0, 0, 1, [(0, "#ffb0a0"), (0.5, "#ff3a24"), (1, "#a00c00")])
    body = rect(-400, -400, 800, 800, fill="url(#loseBack)")
    body += text(0, -184, "GAME OVER", 100, fill="url(#loseTitle)", anchor="middle",
                 weight="bold", stroke="#1a0000", stroke_width=4)
    body += text(0, -138, "The power fell to 5 %: the lights went out.", 26,
                 fill="#ffd0c8", anchor="middle", weight="bold")
    mock_defs, mock = mock_screen("lose", lambda c, r: 4, DEMO_CHAIN, (), 5, "1:37",
                                  END_MOCK_WIDTH, 0, END_MOCK_Y)
    body += mock
    # The window goes dark with the lights; its frame is 820 by 620 before scaling.
    k = END_MOCK_WIDTH / 800
    body += rect(-412 * k, -END_MOCK_Y - 312 * k, 824 * k, 624 * k, rx=16 * k,
                 fill="#000000", opacity=0.35)
    body += scoreboard("#120303", "#6a1c14")
    body += end_hint("#ffffff")
    return document(FULL, body, defs + mock_defs)


def background_picture(debug=False):
    defs, body = background.background()
    if debug:
        body += background.debug_overlay()
    return document(FULL, body, defs)


def all_screens():
    yield "bg", background_picture()
    yield "splash", splash()
    yield "instructions", instructions.instructions()
    yield "win", win()
    yield "lose", lose()
