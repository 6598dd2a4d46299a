"""The colours of the two shipped skins. Both put every text the program draws
on a dark surface: the program draws dialog labels in white and gives its
real controls black or dark grey backgrounds whatever the skin, so a light
text colour is the one that reads everywhere. "Ivory" keeps its light warm
frame around deep navy panels; "Graphite" is dark throughout."""

GRAPHITE = {
    "name": "Graphite",
    "text_rgb": (230, 234, 238),
    # window
    "bg_top": "#1d2024", "bg_bottom": "#131518",
    "title": "#101214", "title_line": "#2a2f36",
    "brand": "#22c3cf",
    "header": "#22262b", "header_border": "#30363d",
    "card": "#22262b", "card_border": "#30363d", "card_highlight": "#394049",
    "card_shadow": ("#000000", 0.45, 3),
    "hero": "#1c1f23", "hero_border": "#2c3137", "hero_glow": "#22c3cf", "hero_glow_opacity": 0.16,
    "separator": "#30363d", "muted": "#59626d", "faint": "#3a4149",
    "footer": "#0f1113", "footer_line": "#262b31",
    # accents
    "accent": "#22c3cf", "accent_light": "#7ee9ef", "accent_dark": "#138a93", "record": "#ef4d57",
    # wells behind the program's own controls
    "well_main": "#000000", "well_dialog": "#282828", "well_border": "#3d444d", "well_arrow": "#8e99a5",
    # buttons
    "btn_top": "#363c44", "btn_bottom": "#2b3036", "btn_border": "#454d57", "btn_highlight": "#4d5661",
    "btn_over_top": "#1e5e66", "btn_over_bottom": "#174b52", "btn_over_border": "#2fd3de",
    "btn_over_highlight": "#3fa5ad",
    # title-bar icons
    "icon": "#9aa5b1", "icon_over_bg": "#343c46", "icon_over": "#7ee9ef", "close_over_bg": "#d8434d",
    "close_over": "#ffffff",
    # page arrows
    "arrow_ring": "#414953", "arrow": "#aab4bf", "arrow_over_fill": "#1e5e66", "arrow_over_ring": "#2fd3de",
    "arrow_over": "#ffffff",
    # drop-down box
    "field_top": "#2d3238", "field_bottom": "#272b31", "field_border": "#3f464f",
    "field_over_top": "#22454b", "field_over_bottom": "#1d3a3f", "field_over_border": "#2fd3de",
    "chevron": "#8e99a5", "chevron_over": "#7ee9ef",
    # sliders and check boxes
    "cell_off_top": "#2f353c", "cell_off_bottom": "#292e34", "cell_off_border": "#3b424a",
    "cell_on_top": "#7ee9ef", "cell_on_bottom": "#1fb3be", "cell_on_border": "#1a9ea8",
    "check_bg": "#16191c", "check_border": "#56606b", "check_on": "#22c3cf", "check_on_border": "#52dce5",
    "tick": "#0c1214",
    # mouse picture
    "mouse_top": "#3c434c", "mouse_bottom": "#1d2125", "mouse_outline": "#5d6772", "mouse_groove": "#121417",
    "mouse_button_top": "#444c56", "mouse_button_bottom": "#2f353c", "mouse_wheel": "#16191c",
    "mouse_glow": "#22c3cf", "callout_fill": "#1c1f23", "callout_ring": "#22c3cf", "callout_digit": "#e6eaee",
    "leader": "#4f5963",
    # dialogs
    "dlg_bg_top": "#1f2226", "dlg_bg_bottom": "#15171a", "dlg_card": "#24282d", "dlg_card_border": "#32383f",
    "dlg_art": "#3a424b", "dlg_art_accent": "#22c3cf", "dlg_art_light": "#aab4bf",
}

IVORY = {
    "name": "Ivory",
    "text_rgb": (247, 243, 234),
    "bg_top": "#f3efe7", "bg_bottom": "#e0dacd",
    "title": "#e7e2d8", "title_line": "#d3ccbe",
    "brand": "#2f6fd6",
    "header": "#1c2a47", "header_border": "#1c2a47",
    "card": "#1c2a47", "card_border": "#2d3f66", "card_highlight": "#34486f",
    "card_shadow": ("#2a2418", 0.28, 3),
    "hero": "#faf8f3", "hero_border": "#d8d1c3", "hero_glow": "#4d9cff", "hero_glow_opacity": 0.12,
    "separator": "#2e4068", "muted": "#6f82a8", "faint": "#33456b",
    "footer": "#e4dfd4", "footer_line": "#d3ccbe",
    "accent": "#4d9cff", "accent_light": "#9cc9ff", "accent_dark": "#2a62c0", "record": "#e8505b",
    "well_main": "#000000", "well_dialog": "#282828", "well_border": "#40557f", "well_arrow": "#9fb1d3",
    "btn_top": "#2f4572", "btn_bottom": "#253961", "btn_border": "#41598f", "btn_highlight": "#4a64a0",
    "btn_over_top": "#3a7ae0", "btn_over_bottom": "#2a62c4", "btn_over_border": "#9cc9ff",
    "btn_over_highlight": "#6ea4f2",
    "icon": "#3b4a68", "icon_over_bg": "#1c2a47", "icon_over": "#ffffff", "close_over_bg": "#d9474f",
    "close_over": "#ffffff",
    "arrow_ring": "#3d5482", "arrow": "#c8d5ee", "arrow_over_fill": "#3a7ae0", "arrow_over_ring": "#9cc9ff",
    "arrow_over": "#ffffff",
    "field_top": "#26375c", "field_bottom": "#213153", "field_border": "#3b5181",
    "field_over_top": "#28457a", "field_over_bottom": "#233d6c", "field_over_border": "#7fb6ff",
    "chevron": "#9fb1d3", "chevron_over": "#ffffff",
    "cell_off_top": "#2a3b5f", "cell_off_bottom": "#243455", "cell_off_border": "#394e7a",
    "cell_on_top": "#a6cfff", "cell_on_bottom": "#3f8cf5", "cell_on_border": "#3278e0",
    "check_bg": "#101a2e", "check_border": "#5c72a0", "check_on": "#4d9cff", "check_on_border": "#9cc9ff",
    "tick": "#ffffff",
    "mouse_top": "#34497a", "mouse_bottom": "#16213a", "mouse_outline": "#0f1830", "mouse_groove": "#0b1224",
    "mouse_button_top": "#3d5489", "mouse_button_bottom": "#263a64", "mouse_wheel": "#0d1528",
    "mouse_glow": "#4d9cff", "callout_fill": "#1c2a47", "callout_ring": "#1c2a47", "callout_digit": "#f7f3ea",
    "leader": "#8c9ab5",
    "dlg_bg_top": "#f3efe7", "dlg_bg_bottom": "#e3ded3", "dlg_card": "#1c2a47", "dlg_card_border": "#2d3f66",
    "dlg_art": "#33476f", "dlg_art_accent": "#4d9cff", "dlg_art_light": "#c8d5ee",
}

SKINS = [GRAPHITE, IVORY]
