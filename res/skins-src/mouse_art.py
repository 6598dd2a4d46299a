"""The mouse seen from above, its buttons numbered 1 to 6 like the six
assignment rows beside it: 1 left, 2 right, 3 wheel click, 4 forward and
5 back on the thumb side, 6 the DPI button behind the wheel."""

import art

BODY = ("M65,0 C98,0 121,20 125,62 L129,180 C132,262 108,320 65,320 C22,320 -2,262 1,180 L5,62 "
        "C9,20 32,0 65,0 Z")
LEFT_BUTTON = "M61,4 C40,5 12,18 8.5,62 L5.8,118 C30,129 48,131 61,131 Z"
RIGHT_BUTTON = "M69,4 C90,5 118,18 121.5,62 L124.2,118 C100,129 82,131 69,131 Z"

# Callouts: (number, point on the mouse in mouse coordinates, badge centre relative to the mouse).
CALLOUTS = [
    ("1", (30, 66), (-23, 36)),
    ("2", (100, 66), (153, 36)),
    ("3", (65, 30), (65, -36)),
    ("4", (-1, 168), (-27, 154)),
    ("5", (-1, 210), (-27, 226)),
    ("6", (70, 97), (153, 114)),
]


def draw_mouse(s, p, ox, oy):
    """The mouse with its top-left corner at (ox, oy); 130 x 320 px."""
    s.group(transform=f"translate({ox},{oy})")
    # shadow and glow beneath
    s.path(BODY, fill="#000000", opacity=0.45, filter=s.blur(7), transform="translate(0,8)")
    s.path(BODY, fill=p["mouse_glow"], opacity=0.18, filter=s.blur(14))
    # thumb-side buttons stand out of the left flank
    for top in (150, 192):
        s.rect(-5, top, 12, 36, 5, fill=s.linear([(0, p["mouse_button_top"]), (1, p["mouse_button_bottom"])]),
               stroke=p["mouse_outline"], stroke_width=1)
    s.path(BODY, fill=s.linear([(0, p["mouse_top"]), (1, p["mouse_bottom"])]), stroke=p["mouse_outline"],
           stroke_width=1.5)
    # a soft sheen along the left side of the shell
    s.path(BODY, fill=s.linear([(0, "#ffffff", 0.10), (0.45, "#ffffff", 0.0), (1, "#ffffff", 0.0)], x2=1, y2=0))
    for d in (LEFT_BUTTON, RIGHT_BUTTON):
        s.path(d, fill=s.linear([(0, p["mouse_button_top"]), (1, p["mouse_button_bottom"])]),
               stroke=p["mouse_groove"], stroke_width=1.2)
    # wheel in its slot
    s.rect(57, 27, 16, 52, 8, fill=p["mouse_groove"])
    s.rect(59.5, 31, 11, 44, 5.5, fill=p["mouse_wheel"], stroke=p["mouse_outline"], stroke_width=1)
    for y in range(36, 72, 5):
        s.path(f"M61.5,{y} H68.5", stroke=p["mouse_outline"], stroke_width=1, opacity=0.8)
    # DPI button with its indicator light
    s.rect(60, 88, 10, 18, 3, fill=s.linear([(0, p["mouse_button_top"]), (1, p["mouse_button_bottom"])]),
           stroke=p["mouse_groove"], stroke_width=1)
    s.circle(65, 113, 4, fill=p["mouse_glow"], opacity=0.5, filter=s.blur(2))
    s.circle(65, 113, 1.8, fill=p["mouse_glow"])
    # light strip across the back
    strip = "M34,286 C50,296 80,296 96,286"
    s.path(strip, fill="none", stroke=p["mouse_glow"], stroke_width=6, opacity=0.5, filter=s.blur(3),
           stroke_linecap="round")
    s.path(strip, fill="none", stroke=p["mouse_glow"], stroke_width=2.2, stroke_linecap="round")
    s.end()


def draw_callouts(s, p, ox, oy):
    for number, (px, py), (bx, by) in CALLOUTS:
        ax, ay, cx, cy = ox + px, oy + py, ox + bx, oy + by
        dx, dy = ax - cx, ay - cy
        dist = (dx * dx + dy * dy) ** 0.5
        ex, ey = cx + dx / dist * 10, cy + dy / dist * 10
        s.path(f"M{ax},{ay} L{ex:.1f},{ey:.1f}", stroke=p["leader"], stroke_width=1.2)
        s.circle(ax, ay, 2.4, fill=p["callout_ring"], stroke=p["leader"], stroke_width=1)
        art.badge(s, p, cx, cy, number, r=10)
