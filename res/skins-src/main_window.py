"""The main window's two page backgrounds. Both share the frame (title bar,
page header, footer) and are the same size, because the window takes its
size from the basic page's picture once and paints either page into it."""

import art
import layout as L
import mouse_art
from svgkit import Svg

W, H = L.MAIN_SIZE
CARD_TOP, CARD_BOTTOM = 148, 604


def card(s, p, x, y, w, h):
    s.panel(x, y, w, h, 12, p["card"], border=p["card_border"], highlight=p["card_highlight"],
            shadow=p["card_shadow"])


def frame(p):
    s = Svg(W, H)
    s.rect(0, 0, W, H, fill=s.linear([(0, p["bg_top"]), (1, p["bg_bottom"])]))
    # title bar: flat, so that its buttons' images match it exactly
    s.rect(0, 0, W, 30, fill=p["title"])
    s.hline(0, W, 30, p["title_line"])
    art.brand_mark(s, p, 12, 6)
    # page header: the page arrows and the title
    s.panel(12, 50, 866, 56, 14, p["header"], shadow=p["card_shadow"])
    s.vline(114, 62, 94, p["separator"])
    # a faint accent glow towards the right end; the arrows' part stays flat
    s.rect(360, 50, 518, 56, 14, fill=s.linear([(0, p["accent"], 0), (1, p["accent"], 0.14)], x2=1, y2=0))
    # footer with the web address
    s.rect(0, 612, W, H - 612, fill=p["footer"])
    s.hline(0, W, 612, p["footer_line"])
    s.panel(262, 621, 198, 32, 16, p["header"])
    return s


def basic(p):
    s = frame(p)
    # hero panel: the mouse and its numbered buttons
    s.panel(14, CARD_TOP, 216, CARD_BOTTOM - CARD_TOP, 12, p["hero"], border=p["hero_border"],
            shadow=p["card_shadow"])
    s.rect(14, CARD_TOP, 216, CARD_BOTTOM - CARD_TOP, 12,
           fill=s.radial([(0, p["hero_glow"], p["hero_glow_opacity"] * 2), (1, p["hero_glow"], 0)], cy=0.45,
                         r=0.6))
    mouse_art.draw_mouse(s, p, 57, 226)
    mouse_art.draw_callouts(s, p, 57, 226)

    # key assignment panel
    card(s, p, 238, CARD_TOP, 240, CARD_BOTTOM - CARD_TOP)
    art.section_marker(s, p, 238, 162, 179)
    s.hline(252, 464, 189, p["separator"])
    s.hline(252, 464, 506, p["separator"])

    # report rate panel
    card(s, p, 488, CARD_TOP, 390, 110)
    art.section_marker(s, p, 488, 163, 180)
    s.hline(502, 864, 191, p["separator"])
    rail_y = 209
    s.hline(L.RATE_CELLS[0][0] + 4, L.RATE_CELLS[-1][2] - 4, rail_y, p["faint"], width=1)

    # DPI stages and lighting panel
    card(s, p, 488, 266, 390, CARD_BOTTOM - 266)
    art.section_marker(s, p, 488, 277, 294)
    s.vline(684, 282, 590, p["separator"])
    art.section_marker(s, p, 685, 277, 294)
    for x in L.DPI_COLUMNS:
        # a rail through each level column shows in the gaps between the cells
        s.vline(x + 7, 304, 514, p["faint"], width=2)
        # ring around the colour swatch the program paints at (x, 523)
        s.frame(x - 1, L.DPI_SWATCH_TOP - 1, 18, 18, 2, p["muted"])
    for rect in L.LIGHT_BOXES:
        art.well(s, p, rect, "well_main", arrow_right=851)
    # the DPI light glowing in the free corner below the lighting rows
    glow = s.radial([(0, p["accent"], 0.28), (1, p["accent"], 0)])
    s.circle(790, 515, 60, fill=glow)
    for r, op in ((30, 0.35), (20, 0.55), (10, 0.9)):
        s.circle(790, 515, r, fill="none", stroke=p["accent"], stroke_width=1.5, opacity=op)
    s.circle(790, 515, 4, fill=p["accent_light"])
    return s


def advanced(p):
    s = frame(p)
    # Windows pointer settings
    card(s, p, 12, CARD_TOP, 418, CARD_BOTTOM - CARD_TOP)
    icons = (art.pointer_glyph, art.wheel_glyph, art.double_click_glyph)
    for (left, top, right, bottom), slider_top, icon in zip(L.POINTER_LABELS, L.POINTER_SLIDER_TOPS, icons):
        art.section_marker(s, p, 12, top + 2, bottom - 2)
        s.hline(L.POINTER_SLIDER_LEFT + 4, L.POINTER_SLIDER_LEFT + 11 * 24 - 6, slider_top + 5, p["faint"])
        icon(s, 372, top - 2, p["muted"])
    for y in (292, 442):
        s.hline(28, 414, y, p["separator"])

    # macros
    card(s, p, 440, CARD_TOP, 440, CARD_BOTTOM - CARD_TOP)
    art.section_marker(s, p, 440, 162, 179)
    band_left, band_top, band_right = L.MACRO_COLUMNS[0][0], L.MACRO_COLUMNS[0][1], L.MACRO_COLUMNS[-1][2]
    s.rect(band_left, band_top, band_right - band_left, 26, 6, fill=p["card_highlight"])
    s.rect(band_left, band_top + 20, band_right - band_left, 6, fill=p["card_highlight"])
    s.vline(591, band_top + 4, band_top + 20, p["muted"])
    s.vline(725, band_top + 4, band_top + 20, p["muted"])
    # the two lists, painted near-black by the program
    lists_left, lists_right = L.MACRO_LIST[0] - 4, L.SEQUENCE_LIST[2] + 4
    s.rect(lists_left, 220, lists_right - lists_left, 296, 4, fill="#040506")
    s.frame(lists_left, 220, lists_right - lists_left, 296, 4, p["well_border"])
    s.vline(591, 221, 515, p["well_border"])
    # start and stop recording places
    for (left, top, right, bottom), kind in ((L.RECORD_START, "rec"), (L.RECORD_STOP, "stop")):
        cx, cy = (left + right) / 2, (top + bottom) / 2
        s.circle(cx, cy, 13.5, fill=p["well_main"], stroke=p["well_border"], stroke_width=1.5)
        if kind == "rec":
            s.circle(cx, cy, 8, fill=p["record"], opacity=0.35, filter=s.blur(2.5))
            s.circle(cx, cy, 6, fill=p["record"])
        else:
            s.rect(cx - 5, cy - 5, 10, 10, 2, fill=p["well_arrow"])
    art.well(s, p, L.MACRO_NAME_BOX, "well_main")
    art.well(s, p, L.LOOP_TIMES_BOX, "well_main")
    art.well(s, p, L.MOUSE_EVENT_BOX, "well_main", arrow_right=L.MOUSE_EVENT_CLICK[2])
    s.hline(735, 874, 298, p["separator"])
    return s
