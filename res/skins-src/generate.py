#!/usr/bin/env python3
"""Writes the SVG sources of every shipped skin:
  <out>/<Skin>/windows/*.svg   window backgrounds (rendered opaque)
  <out>/<Skin>/elements/*.svg  buttons, sliders, boxes (rendered with binary alpha)
Each file is named after the PNG it becomes. scripts/render-skins.sh runs this
and renders the PNGs."""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import controls  # noqa: E402
import dialogs  # noqa: E402
import layout  # noqa: E402
import main_window  # noqa: E402
from palettes import SKINS  # noqa: E402

ELEMENT_SIZES = {
    "button-normal.png": layout.BUTTON, "button-over.png": layout.BUTTON,
    "button-close-normal.png": layout.SMALL_BUTTON, "button-close-over.png": layout.SMALL_BUTTON,
    "button-min-normal.png": layout.SMALL_BUTTON, "button-min-over.png": layout.SMALL_BUTTON,
    "button-Skins-normal.png": layout.SMALL_BUTTON, "button-Skins-over.png": layout.SMALL_BUTTON,
    "button-PrePage-normal.png": layout.PAGE_BUTTON, "button-PrePage-over.png": layout.PAGE_BUTTON,
    "button-NextPage-normal.png": layout.PAGE_BUTTON, "button-NextPage-over.png": layout.PAGE_BUTTON,
    "DropdownBox-normal.png": layout.DROPDOWN, "DropdownBox-over.png": layout.DROPDOWN,
    "slider-light.png": layout.SLIDER_CELL, "slider-dark.png": layout.SLIDER_CELL,
    "slider-DPI-light.png": layout.DPI_CELL, "slider-DPI-dark.png": layout.DPI_CELL,
    "slider-RP-light.png": layout.RATE_CELL, "slider-RP-dark.png": layout.RATE_CELL,
    "Pane.png": layout.CHECK_BOX, "PaneMakingTick.png": layout.CHECK_BOX,
}


def skin_images(p):
    windows = {"BasicSet2.png": main_window.basic(p), "AdvancedSet2.png": main_window.advanced(p)}
    windows.update(dialogs.dialog_images(p))
    return windows, controls.element_images(p)


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("out", help="folder that receives one sub-folder per skin")
    args = parser.parse_args()
    for p in SKINS:
        windows, elements = skin_images(p)
        for name, size in ELEMENT_SIZES.items():
            svg = elements[name]
            if (svg.width, svg.height) != size:
                sys.exit(f"{p['name']}/{name}: drawn {svg.width}x{svg.height}, its place is {size}")
        if set(elements) != set(ELEMENT_SIZES) or len(windows) != 10:
            sys.exit(f"{p['name']}: the image set is incomplete")
        for group, images in (("windows", windows), ("elements", elements)):
            for name, svg in images.items():
                write(os.path.join(args.out, p["name"], group, name[:-4] + ".svg"), svg.text())
        print(f"{p['name']}: {len(windows) + len(elements)} images, text colour {p['text_rgb']}")


if __name__ == "__main__":
    main()
