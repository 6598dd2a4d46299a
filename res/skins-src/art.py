"""Pieces shared by the window backgrounds: wells behind the program's real
controls, drop-down arrows, section markers, numbered badges and the small
pictograms that stand in for words (the program speaks three languages, so
the pictures carry no text but numerals and symbols)."""


def well(s, p, rect, fill_key, arrow_right=None):
    """A recessed field 2 px around a control's rectangle, in the colour the
    program paints that control with, so control and field read as one.
    arrow_right: right edge of the click area when the box opens a list; the
    arrow is drawn between the control and that edge."""
    left, top, right, bottom = rect
    outer_right = (arrow_right if arrow_right else right) + 2
    s.rect(left - 2, top - 2, outer_right - left + 2, bottom - top + 4, 3, fill=p[fill_key])
    s.frame(left - 2, top - 2, outer_right - left + 2, bottom - top + 4, 3, p["well_border"])
    if arrow_right:
        chevron(s, (right + arrow_right) / 2, (top + bottom) / 2, p["well_arrow"])


def chevron(s, cx, cy, colour, size=3.5):
    s.path(f"M{cx - size},{cy - size / 2} L{cx},{cy + size / 2} L{cx + size},{cy - size / 2}", fill="none",
           stroke=colour, stroke_width=1.6, stroke_linecap="round", stroke_linejoin="round")


def section_marker(s, p, x, top, bottom):
    """The accent bar at a panel's edge that marks where a section begins."""
    s.rect(x, top, 3, bottom - top, 1.5, fill=p["accent"])


def badge(s, p, cx, cy, text, r=9, fill=None, ring=None, digit=None):
    """A numeral in a circle."""
    s.circle(cx, cy, r, fill=fill or p["callout_fill"], stroke=ring or p["callout_ring"], stroke_width=1.5)
    height = r * 1.0
    width = s.digit_width(text, height)
    s.digit(text, cx - width / 2, cy - height / 2, height, digit or p["callout_digit"])


def brand_mark(s, p, x, y):
    """A small mouse outline with a lit wheel: the program's sign in the title bar."""
    s.path(f"M{x + 8},{y + 1} C{x + 12},{y + 1} {x + 14},{y + 4} {x + 14},{y + 8} V{y + 12} "
           f"C{x + 14},{y + 15} {x + 11.5},{y + 17} {x + 8},{y + 17} C{x + 4.5},{y + 17} {x + 2},{y + 15} "
           f"{x + 2},{y + 12} V{y + 8} C{x + 2},{y + 4} {x + 4},{y + 1} {x + 8},{y + 1} Z", fill="none",
           stroke=p["brand"], stroke_width=1.5)
    s.path(f"M{x + 2.5},{y + 7.5} H{x + 13.5}", stroke=p["brand"], stroke_width=1.2, opacity=0.7)
    s.rect(x + 7, y + 3.5, 2, 3.5, 1, fill=p["brand"])


def keycap(s, p, x, y, w, h, face=None, edge=None, glow=False):
    """A keyboard key seen slightly from above: a rim and a lighter top face."""
    face = face or p["dlg_art"]
    edge = edge or p["dlg_card_border"]
    if glow:
        s.rect(x - 4, y - 2, w + 8, h + 8, 12, fill=p["dlg_art_accent"], opacity=0.35, filter=s.blur(5))
    s.rect(x, y, w, h, 8, fill=edge)
    s.rect(x + 4, y + 3, w - 8, h - 10, 6, fill=s.linear([(0, face), (1, edge)]))
    s.frame(x, y, w, h, 8, p["dlg_art_light"], opacity=0.35)


def modifier_glyph(s, cx, cy, size, colour, width=1.6):
    """The outlined upward arrow that stands for a modifier key."""
    h = size / 2
    d = (f"M{cx},{cy - h} L{cx + h},{cy} H{cx + h * 0.45} V{cy + h} H{cx - h * 0.45} V{cy} H{cx - h} Z")
    s.path(d, fill="none", stroke=colour, stroke_width=width, stroke_linejoin="round")


def pointer_glyph(s, x, y, colour, scale=1.0):
    """An arrow pointer with motion lines."""
    s.group(transform=f"translate({x},{y}) scale({scale})")
    s.path("M4,2 L4,22 L9,17 L13,26 L16.5,24.5 L12.5,16 L19,16 Z", fill="none", stroke=colour, stroke_width=1.6,
           stroke_linejoin="round")
    s.path("M22,6 H32 M24,11 H32 M26,16 H32", stroke=colour, stroke_width=1.6, stroke_linecap="round",
           opacity=0.6)
    s.end()


def wheel_glyph(s, x, y, colour, scale=1.0):
    """A scroll wheel between up and down arrows."""
    s.group(transform=f"translate({x},{y}) scale({scale})")
    s.rect(11, 6, 10, 18, 5, fill="none", stroke=colour, stroke_width=1.6)
    s.path("M16,10 V14", stroke=colour, stroke_width=1.6, stroke_linecap="round")
    s.path("M12,3 L16,-1 L20,3 M12,27 L16,31 L20,27", fill="none", stroke=colour, stroke_width=1.6,
           stroke_linecap="round", stroke_linejoin="round", opacity=0.6)
    s.end()


def double_click_glyph(s, x, y, colour, scale=1.0):
    """A pointer tip with two click rings."""
    s.group(transform=f"translate({x},{y}) scale({scale})")
    s.circle(12, 12, 4, fill="none", stroke=colour, stroke_width=1.6)
    s.circle(12, 12, 9, fill="none", stroke=colour, stroke_width=1.4, opacity=0.6)
    s.path("M16,16 L16,31 L20,27 L23,33 L25.5,32 L22.5,26 L27,26 Z", fill=colour, stroke=colour,
           stroke_width=1, stroke_linejoin="round")
    s.end()
