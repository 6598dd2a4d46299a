"""The element images: buttons, title-bar buttons, page arrows, the drop-down
box, slider cells and check boxes.

The program swaps an element's two images in place without repainting what
lies beneath, and draws texts on some of them again at every hover change.
So each pair shares one silhouette, that silhouette is opaque (the renderer
makes the edge alpha binary), and where the program writes a text the image
is opaque: nothing from the previous state or the previous text survives a
redraw. Images that sit on a known flat surface (the title bar, the page
header, the key panel) carry that surface colour instead of transparency."""

import layout
from svgkit import Svg


def button(p, over):
    w, h = layout.BUTTON
    s = Svg(w, h)
    # Neighbouring buttons overlap by one column; the 2-px transparent sides
    # leave a clean gap between them whichever is drawn last.
    x, bw = 2, w - 4
    top, bottom, border, highlight = (
        (p["btn_over_top"], p["btn_over_bottom"], p["btn_over_border"], p["btn_over_highlight"])
        if over
        else (p["btn_top"], p["btn_bottom"], p["btn_border"], p["btn_highlight"])
    )
    s.rect(x, 0, bw, h, 4, fill=s.linear([(0, top), (1, bottom)]))
    s.hline(x + 3, x + bw - 3, 1, highlight, opacity=0.9)
    s.frame(x, 0, bw, h, 4, border)
    if over:
        # An accent underline marks the hovered (or active) button.
        s.hline(x + 14, x + bw - 14, h - 2, p["btn_over_border"], opacity=0.9)
    return s


def _icon_base(p, over, over_bg):
    s = Svg(*layout.SMALL_BUTTON)
    s.rect(0, 0, 18, 18, fill=p["title"])
    if over:
        s.rect(0, 0, 18, 18, 4, fill=over_bg)
    return s


def close_button(p, over):
    s = _icon_base(p, over, p["close_over_bg"])
    colour = p["close_over"] if over else p["icon"]
    s.path("M5.5,5.5 L12.5,12.5 M12.5,5.5 L5.5,12.5", stroke=colour, stroke_width=1.7, stroke_linecap="round")
    return s


def min_button(p, over):
    s = _icon_base(p, over, p["icon_over_bg"])
    colour = p["icon_over"] if over else p["icon"]
    s.path("M5,9.5 H13", stroke=colour, stroke_width=1.7, stroke_linecap="round")
    return s


def skins_button(p, over):
    """A half-filled circle: the usual sign for a theme."""
    s = _icon_base(p, over, p["icon_over_bg"])
    colour = p["icon_over"] if over else p["icon"]
    s.circle(9, 9, 5.6, fill="none", stroke=colour, stroke_width=1.5)
    s.path("M9,3.4 A5.6,5.6 0 0 0 9,14.6 Z", fill=colour)
    return s


def page_button(p, over, forward):
    s = Svg(*layout.PAGE_BUTTON)
    s.rect(0, 0, 40, 40, fill=p["header"])
    if over:
        s.circle(20, 20, 16.5, fill=p["arrow_over_fill"], stroke=p["arrow_over_ring"], stroke_width=1.5)
        colour = p["arrow_over"]
    else:
        s.circle(20, 20, 16.5, fill="none", stroke=p["arrow_ring"], stroke_width=1.5)
        colour = p["arrow"]
    d = "M17.5,13 L24.5,20 L17.5,27" if forward else "M22.5,13 L15.5,20 L22.5,27"
    s.path(d, fill="none", stroke=colour, stroke_width=2.4, stroke_linecap="round", stroke_linejoin="round")
    return s


def dropdown(p, over):
    """The program writes the row number in the leftmost 20 px and the text
    after it. The number stands on the panel colour, outside the field."""
    w, h = layout.DROPDOWN
    s = Svg(w, h)
    s.rect(0, 0, w, h, fill=p["card"])
    fx = 16
    if over:
        top, bottom, border, chevron = (p["field_over_top"], p["field_over_bottom"], p["field_over_border"],
                                        p["chevron_over"])
    else:
        top, bottom, border, chevron = p["field_top"], p["field_bottom"], p["field_border"], p["chevron"]
    s.rect(fx, 0, w - fx, h, 4, fill=s.linear([(0, top), (1, bottom)]))
    s.frame(fx, 0, w - fx, h, 4, border)
    if over:
        s.rect(11, 5, 2, 11, 1, fill=p["accent"])
    s.path("M197.5,8.5 L201.5,12.5 L205.5,8.5", fill="none", stroke=chevron, stroke_width=1.6,
           stroke_linecap="round", stroke_linejoin="round")
    return s


def _cell(s, x, y, w, h, r, p, lit):
    if lit:
        s.rect(x, y, w, h, r, fill=s.linear([(0, p["cell_on_top"]), (1, p["cell_on_bottom"])]))
        s.frame(x, y, w, h, r, p["cell_on_border"])
        s.hline(x + r, x + w - r, y + 1, "#ffffff", opacity=0.45)
    else:
        s.rect(x, y, w, h, r, fill=s.linear([(0, p["cell_off_top"]), (1, p["cell_off_bottom"])]))
        s.frame(x, y, w, h, r, p["cell_off_border"])


def slider_cell(p, lit):
    """Cells stand 24 px apart; the 2-px gap on the right separates them."""
    s = Svg(*layout.SLIDER_CELL)
    _cell(s, 0, 1, 22, 9, 3, p, lit)
    return s


def dpi_cell(p, lit):
    s = Svg(*layout.DPI_CELL)
    _cell(s, 1, 1, 14, 14, 3, p, lit)
    return s


def rate_cell(p, lit):
    s = Svg(*layout.RATE_CELL)
    _cell(s, 1, 2, 68, 7, 3, p, lit)
    return s


def check_box(p, ticked):
    s = Svg(*layout.CHECK_BOX)
    if ticked:
        s.rect(0, 0, 16, 16, 4, fill=p["check_on"])
        s.frame(0, 0, 16, 16, 4, p["check_on_border"])
        s.path("M4.2,8.4 L6.9,11.1 L11.9,5.3", fill="none", stroke=p["tick"], stroke_width=2,
               stroke_linecap="round", stroke_linejoin="round")
    else:
        s.rect(0, 0, 16, 16, 4, fill=p["check_bg"])
        s.frame(0, 0, 16, 16, 4, p["check_border"])
    return s


def element_images(p):
    """File name -> Svg for the 22 element images of one skin."""
    return {
        "button-normal.png": button(p, False),
        "button-over.png": button(p, True),
        "button-close-normal.png": close_button(p, False),
        "button-close-over.png": close_button(p, True),
        "button-min-normal.png": min_button(p, False),
        "button-min-over.png": min_button(p, True),
        "button-Skins-normal.png": skins_button(p, False),
        "button-Skins-over.png": skins_button(p, True),
        "button-PrePage-normal.png": page_button(p, False, False),
        "button-PrePage-over.png": page_button(p, True, False),
        "button-NextPage-normal.png": page_button(p, False, True),
        "button-NextPage-over.png": page_button(p, True, True),
        "DropdownBox-normal.png": dropdown(p, False),
        "DropdownBox-over.png": dropdown(p, True),
        "slider-light.png": slider_cell(p, True),
        "slider-dark.png": slider_cell(p, False),
        "slider-DPI-light.png": dpi_cell(p, True),
        "slider-DPI-dark.png": dpi_cell(p, False),
        "slider-RP-light.png": rate_cell(p, True),
        "slider-RP-dark.png": rate_cell(p, False),
        "Pane.png": check_box(p, False),
        "PaneMakingTick.png": check_box(p, True),
    }
