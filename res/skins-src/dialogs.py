"""The sub-dialogs' backgrounds. All share the standard frame: a title bar
holding the close button at (352, 6), a panel for the dialog's own content,
and OK and Cancel at the bottom right. The program writes the dialogs'
labels in white, so the content panel is dark in every skin."""

import art
from svgkit import Svg


def base(p, w, h, icon):
    s = Svg(w, h)
    s.rect(0, 0, w, h, fill=s.linear([(0, p["dlg_bg_top"]), (1, p["dlg_bg_bottom"])]))
    s.rect(0, 0, w, 30, fill=p["title"])
    s.hline(0, w, 30, p["title_line"])
    icon(s, p, 12, 7)
    s.panel(8, 40, w - 16, 204, 10, p["dlg_card"], border=p["dlg_card_border"], highlight=p["card_highlight"],
            shadow=p["card_shadow"])
    return s


# Title-bar pictograms, 16 x 16 at (x, y), one per dialog.

def icon_key(s, p, x, y):
    s.rect(x + 1, y + 2, 14, 12, 3, fill="none", stroke=p["brand"], stroke_width=1.4)
    s.path(f"M{x + 5},{y + 10} H{x + 11}", stroke=p["brand"], stroke_width=1.4, stroke_linecap="round")


def icon_combo(s, p, x, y):
    s.rect(x, y + 4, 7, 8, 2, fill="none", stroke=p["brand"], stroke_width=1.3)
    s.rect(x + 9, y + 4, 7, 8, 2, fill="none", stroke=p["brand"], stroke_width=1.3)
    s.path(f"M{x + 8},{y + 1} V{y + 3} M{x + 8},{y + 13} V{y + 15}", stroke=p["brand"], stroke_width=1.3,
           stroke_linecap="round")


def icon_fire(s, p, x, y):
    s.path(f"M{x + 9},{y + 1} L{x + 3},{y + 9} H{x + 8} L{x + 7},{y + 15} L{x + 13},{y + 7} H{x + 8} Z",
           fill=p["brand"])


def icon_clock(s, p, x, y):
    s.circle(x + 8, y + 9, 6, fill="none", stroke=p["brand"], stroke_width=1.4)
    s.path(f"M{x + 8},{y + 5.5} V{y + 9} L{x + 10.5},{y + 10.5} M{x + 6},{y + 1} H{x + 10}", fill="none",
           stroke=p["brand"], stroke_width=1.4, stroke_linecap="round")


def icon_note(s, p, x, y):
    s.path(f"M{x + 6},{y + 12} V{y + 2} L{x + 14},{y + 1} V{y + 10}", fill="none", stroke=p["brand"],
           stroke_width=1.4, stroke_linejoin="round")
    s.circle(x + 4, y + 12.5, 2.3, fill=p["brand"])
    s.circle(x + 12, y + 10.5, 2.3, fill=p["brand"])


def icon_speaker(s, p, x, y):
    s.path(f"M{x + 1},{y + 6} H{x + 4} L{x + 8},{y + 2.5} V{y + 13.5} L{x + 4},{y + 10} H{x + 1} Z", fill=p["brand"],
           stroke=p["brand"], stroke_width=1, stroke_linejoin="round")
    s.path(f"M{x + 10.5},{y + 5.5} Q{x + 12.5},{y + 8} {x + 10.5},{y + 10.5} M{x + 12.5},{y + 3} "
           f"Q{x + 16.5},{y + 8} {x + 12.5},{y + 13}", fill="none", stroke=p["brand"], stroke_width=1.3,
           stroke_linecap="round")


def icon_globe(s, p, x, y):
    s.circle(x + 8, y + 8, 6.5, fill="none", stroke=p["brand"], stroke_width=1.3)
    s.path(f"M{x + 8},{y + 1.5} C{x + 4.5},{y + 5} {x + 4.5},{y + 11} {x + 8},{y + 14.5} "
           f"C{x + 11.5},{y + 11} {x + 11.5},{y + 5} {x + 8},{y + 1.5} M{x + 1.5},{y + 8} H{x + 14.5}",
           fill="none", stroke=p["brand"], stroke_width=1.1)


def icon_apps(s, p, x, y):
    for dx in (1, 9):
        for dy in (1, 9):
            s.rect(x + dx, y + dy, 6, 6, 1.5, fill=p["brand"] if (dx, dy) != (9, 1) else "none",
                   stroke=p["brand"], stroke_width=1.2)


def icon_macro(s, p, x, y):
    for i, dy in enumerate((3, 8, 13)):
        s.path(f"M{x + 6},{y + dy} H{x + 15}", stroke=p["brand"], stroke_width=1.4, stroke_linecap="round",
               opacity=1 if i == 0 else 0.7)
    s.circle(x + 2.5, y + 3, 2, fill=p["record"])
    s.circle(x + 2.5, y + 8, 1.3, fill=p["brand"])
    s.circle(x + 2.5, y + 13, 1.3, fill=p["brand"])


def icon_theme(s, p, x, y):
    s.circle(x + 8, y + 8, 6.5, fill="none", stroke=p["brand"], stroke_width=1.4)
    s.path(f"M{x + 8},{y + 1.5} A6.5,6.5 0 0 0 {x + 8},{y + 14.5} Z", fill=p["brand"])


# Dialogs ---------------------------------------------------------------

def single_key(p):
    s = base(p, 390, 290, icon_key)
    art.well(s, p, (74, 128, 150, 142), "well_dialog")
    art.keycap(s, p, 246, 92, 92, 86, glow=True)
    # the touch of a finger on the key
    s.circle(292, 127, 14, fill=p["dlg_art_accent"], opacity=0.25)
    s.circle(292, 127, 22, fill="none", stroke=p["dlg_art_accent"], stroke_width=1.4, opacity=0.5)
    s.circle(292, 127, 6, fill=p["dlg_art_accent"])
    art.chevron(s, 292, 70, p["dlg_art_accent"], size=7)
    art.chevron(s, 292, 60, p["dlg_art_accent"], size=7)
    return s


def combo_key(p):
    s = base(p, 390, 290, icon_combo)
    art.well(s, p, (50, 70, 116, 84), "well_dialog", arrow_right=132)
    art.well(s, p, (50, 120, 131, 134), "well_dialog")
    art.well(s, p, (50, 170, 131, 184), "well_dialog")
    # labels: the modifier, the first key and the second key
    art.modifier_glyph(s, 29, 77, 14, p["dlg_art_accent"])
    art.badge(s, p, 29, 127, "1", r=9, fill=p["dlg_card"], ring=p["dlg_art_accent"], digit=p["dlg_art_light"])
    art.badge(s, p, 29, 177, "2", r=9, fill=p["dlg_card"], ring=p["dlg_art_accent"], digit=p["dlg_art_light"])
    # the same three as keys pressed together
    x0, y0, cap = 164, 104, 50
    for i in range(3):
        x = x0 + i * (cap + 22)
        art.keycap(s, p, x, y0, cap, 48, glow=(i == 0))
        cx, cy = x + cap / 2, y0 + 19
        if i == 0:
            art.modifier_glyph(s, cx, cy, 16, p["dlg_art_accent"], width=1.8)
        else:
            art.badge(s, p, cx, cy, str(i), r=9, fill=p["dlg_art"], ring=p["dlg_art_accent"],
                      digit=p["dlg_art_light"])
        if i < 2:
            px, py = x + cap + 11, y0 + 22
            s.path(f"M{px - 5},{py} H{px + 5} M{px},{py - 5} V{py + 5}", stroke=p["dlg_art_light"],
                   stroke_width=1.8, stroke_linecap="round")
    return s


def fire_key(p):
    s = base(p, 410, 290, icon_fire)
    art.well(s, p, (50, 70, 116, 84), "well_dialog", arrow_right=132)
    art.well(s, p, (50, 120, 131, 134), "well_dialog")
    art.well(s, p, (50, 170, 131, 184), "well_dialog")
    # the key to repeat
    s.rect(22, 69, 18, 16, 3, fill="none", stroke=p["dlg_art_accent"], stroke_width=1.4)
    s.path("M26.5,80 H35.5", stroke=p["dlg_art_accent"], stroke_width=1.4, stroke_linecap="round")
    # rapid fire: a target with a burst of repeated shots
    cx, cy = 300, 112
    s.circle(cx, cy, 40, fill=s.radial([(0, p["dlg_art_accent"], 0.22), (1, p["dlg_art_accent"], 0)]))
    s.circle(cx, cy, 34, fill="none", stroke=p["dlg_art"], stroke_width=2)
    s.circle(cx, cy, 22, fill="none", stroke=p["dlg_art"], stroke_width=2)
    s.path(f"M{cx - 44},{cy} H{cx - 26} M{cx + 26},{cy} H{cx + 44} M{cx},{cy - 44} V{cy - 26} "
           f"M{cx},{cy + 26} V{cy + 44}", stroke=p["dlg_art_light"], stroke_width=1.6, stroke_linecap="round",
           opacity=0.7)
    s.path(f"M{cx + 3},{cy - 16} L{cx - 8},{cy + 2} H{cx + 1} L{cx - 2},{cy + 16} L{cx + 9},{cy - 2} "
           f"H{cx} Z", fill=p["dlg_art_accent"])
    for i, op in enumerate((0.9, 0.6, 0.35)):
        x = 212 + i * 14
        s.path(f"M{x - 2.5},{cy - 5} L{x + 2.5},{cy} L{x - 2.5},{cy + 5}", fill="none", stroke=p["dlg_art_accent"],
               stroke_width=2, stroke_linecap="round", stroke_linejoin="round", opacity=op)
    s.hline(20, 400, 189, p["separator"])
    return s


def delay_time(p):
    s = base(p, 390, 290, icon_clock)
    art.well(s, p, (74, 129, 150, 143), "well_dialog")
    cx, cy = 292, 138
    s.circle(cx, cy, 48, fill=s.radial([(0, p["dlg_art_accent"], 0.18), (1, p["dlg_art_accent"], 0)]))
    s.rect(cx - 7, cy - 58, 14, 8, 2, fill=p["dlg_art"])
    s.circle(cx, cy, 40, fill=p["dlg_art"], stroke=p["dlg_art_light"], stroke_width=1.5, stroke_opacity=0.5)
    s.circle(cx, cy, 32, fill=p["dlg_card"])
    for i in range(12):
        s.group(transform=f"rotate({i * 30} {cx} {cy})")
        s.path(f"M{cx},{cy - 30} V{cy - (25 if i % 3 == 0 else 27)}", stroke=p["dlg_art_light"],
               stroke_width=1.6 if i % 3 == 0 else 1, opacity=0.8)
        s.end()
    s.path(f"M{cx},{cy} L{cx},{cy - 22}", stroke=p["dlg_art_accent"], stroke_width=2.2, stroke_linecap="round")
    s.path(f"M{cx},{cy} L{cx + 14},{cy + 8}", stroke=p["dlg_art_light"], stroke_width=2, stroke_linecap="round")
    s.path(f"M{cx},{cy - 32} A32,32 0 0 1 {cx + 27.7},{cy + 16}", fill="none", stroke=p["dlg_art_accent"],
           stroke_width=3, opacity=0.8)
    s.circle(cx, cy, 3, fill=p["dlg_art_accent"])
    return s


def _list_dialog(p, w, h, icon, pictogram=None, text_right=135, box_right=151):
    """A dialog whose drop-down box stands at (43, 129); its pictogram, drawn
    large above the box, says what the list offers. The multimedia and
    Windows-key boxes are wider: their longest items must fit."""
    s = base(p, w, h, icon)
    art.well(s, p, (43, 129, text_right, 143), "well_dialog", arrow_right=box_right)
    if pictogram:
        cx = (43 + box_right) // 2
        s.circle(cx, 88, 24, fill=p["dlg_art"], opacity=0.6)
        s.group(transform=f"translate({cx - 16},72) scale(2)")
        pictogram(s, {**p, "brand": p["dlg_art_accent"]}, 0, 0)
        s.end()
    return s


def media_key(p):
    s = _list_dialog(p, 390, 290, icon_note, icon_speaker, text_right=187, box_right=203)
    cx, cy = 286, 138
    s.circle(cx, cy, 62, fill=s.radial([(0, p["dlg_art_accent"], 0.2), (1, p["dlg_art_accent"], 0)]))
    s.circle(cx, cy, 46, fill=p["dlg_art"], stroke=p["dlg_art_light"], stroke_width=1.2, stroke_opacity=0.4)
    s.circle(cx, cy, 16, fill=p["dlg_card"])
    s.circle(cx, cy, 4, fill=p["dlg_art_accent"])
    for r in (24, 31, 38):
        s.circle(cx, cy, r, fill="none", stroke=p["dlg_card"], stroke_width=1, opacity=0.6)
    # a note riding on the disc
    s.path(f"M{cx + 30},{cy - 8} V{cy - 48} L{cx + 50},{cy - 54} V{cy - 16}", fill="none", stroke=p["dlg_art_accent"],
           stroke_width=3, stroke_linejoin="round")
    s.circle(cx + 25, cy - 8, 6, fill=p["dlg_art_accent"])
    s.circle(cx + 45, cy - 16, 6, fill=p["dlg_art_accent"])
    return s


def windows_key(p):
    s = _list_dialog(p, 390, 312, icon_apps, icon_globe, text_right=187, box_right=203)
    x, y, w, h = 226, 76, 128, 104
    s.rect(x, y + 4, w, h, 8, fill="#000000", opacity=0.35, filter=s.blur(4))
    s.rect(x, y, w, h, 8, fill=p["dlg_art"], stroke=p["dlg_art_light"], stroke_width=1.2, stroke_opacity=0.4)
    s.rect(x, y, w, 18, 8, fill=p["dlg_card_border"])
    s.rect(x, y + 10, w, 8, fill=p["dlg_card_border"])
    for i, col in enumerate((p["record"], p["dlg_art_light"], p["dlg_art_accent"])):
        s.circle(x + 12 + i * 10, y + 9, 3, fill=col, opacity=0.85)
    for row in range(2):
        for c in range(3):
            tx, ty = x + 14 + c * 36, y + 28 + row * 36
            lit = (row, c) == (0, 0)
            s.rect(tx, ty, 28, 28, 6, fill=p["dlg_art_accent"] if lit else p["dlg_card"],
                   stroke=p["dlg_art_accent"], stroke_width=1.2, stroke_opacity=1 if lit else 0.5)
    return s


def macro_key(p):
    s = _list_dialog(p, 400, 290, icon_macro)
    # a recorded sequence: events with a loop arrow
    x, y = 50, 56
    for i, wdt in enumerate((70, 52, 62)):
        yy = y + i * 14
        s.circle(x, yy, 3, fill=p["record"] if i == 0 else p["dlg_art_accent"])
        s.rect(x + 9, yy - 3, wdt, 6, 3, fill=p["dlg_art"])
    s.path("M150,60 A14,14 0 1 1 150,88", fill="none", stroke=p["dlg_art_accent"], stroke_width=2,
           stroke_linecap="round")
    s.path("M154,83.5 L149.5,88 L154,92.5", fill="none", stroke=p["dlg_art_accent"], stroke_width=2,
           stroke_linecap="round", stroke_linejoin="round")
    s.vline(206, 60, 224, p["separator"])
    return s


def skins(p):
    s = base(p, 390, 290, icon_theme)
    s.frame(41, 93, 111, 18, 2, p["muted"])
    art.well(s, p, (43, 128, 135, 142), "well_dialog", arrow_right=151)
    # two window thumbnails, one light and one dark, and a colour wheel
    s.rect(214, 70, 110, 80, 8, fill="#000000", opacity=0.3, filter=s.blur(4))
    s.rect(214, 66, 110, 80, 8, fill="#ece8df", stroke="#c9c2b3", stroke_width=1)
    s.rect(224, 82, 40, 6, 3, fill="#1c2a47")
    s.rect(224, 96, 90, 40, 5, fill="#1c2a47")
    s.rect(252, 104, 110, 80, 8, fill="#000000", opacity=0.35, filter=s.blur(4))
    s.rect(252, 100, 110, 80, 8, fill="#1d2024", stroke="#3a414a", stroke_width=1)
    s.rect(262, 116, 40, 6, 3, fill="#22c3cf")
    s.rect(262, 130, 90, 40, 5, fill="#2b3036")
    colours = ("#ef4d57", "#f2a33a", "#f4d03f", "#3ecf6e", "#22c3cf", "#4d7cff", "#a15cf0")
    for i, col in enumerate(colours):
        s.circle(250 + i * 14, 212, 5, fill=col)
    return s


def dialog_images(p):
    return {
        "single-key.png": single_key(p),
        "combo-key.png": combo_key(p),
        "fire-key.png": fire_key(p),
        "delay-time.png": delay_time(p),
        "media-key.png": media_key(p),
        "windows-key.png": windows_key(p),
        "macro-key.png": macro_key(p),
        "skins.png": skins(p),
    }
