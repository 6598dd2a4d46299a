#!/usr/bin/env bash
# Renders the shipped skins into res/Skins/<Skin>/*.png.
#
# res/skins-src/generate.py writes the SVG sources, rsvg-convert draws them and
# ImageMagick settles the pixel format: window backgrounds become opaque 8-bit
# RGB, element images 8-bit RGBA whose alpha is made binary (the program swaps
# an element's two images in place, and half-transparent edge pixels would
# build up a little more with every swap). Both are compressed at zlib level 9
# without metadata, so rendering the same sources gives the same files.
#
# Usage: scripts/render-skins.sh [--keep-svg DIR]
#   --keep-svg DIR  also leave the generated SVG files in DIR for inspection
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
keep_svg=""
if [ "${1:-}" = "--keep-svg" ]; then
  keep_svg="${2:?--keep-svg needs a folder}"
fi

for tool in python3 rsvg-convert convert; do
  command -v "$tool" >/dev/null || { echo "render-skins: $tool is missing (scripts/setup.sh installs it)" >&2; exit 1; }
done

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
svg_dir="${keep_svg:-$work/svg}"
mkdir -p "$svg_dir"

python3 -B "$root/res/skins-src/generate.py" "$svg_dir"

png_options=(-depth 8 -strip -define png:compression-level=9 -define png:compression-filter=5
             -define png:compression-strategy=1 -define png:exclude-chunks=date,time)

for skin_dir in "$svg_dir"/*/; do
  skin="$(basename "$skin_dir")"
  out="$root/res/Skins/$skin"
  mkdir -p "$out"
  for svg in "$skin_dir"windows/*.svg; do
    name="$(basename "$svg" .svg)"
    rsvg-convert --format png -o "$work/render.png" "$svg"
    convert "$work/render.png" -background black -alpha remove -alpha off "${png_options[@]}" \
      -define png:color-type=2 "$out/$name.png"
  done
  for svg in "$skin_dir"elements/*.svg; do
    name="$(basename "$svg" .svg)"
    rsvg-convert --format png -o "$work/render.png" "$svg"
    convert "$work/render.png" -channel A -threshold 50% +channel "${png_options[@]}" \
      -define png:color-type=6 "$out/$name.png"
  done
  # Each pair of images the program swaps in place must cover the same pixels.
  for first in "$out"/*-normal.png "$out"/*-light.png "$out/Pane.png"; do
    case "$first" in
      *-normal.png) second="${first%-normal.png}-over.png" ;;
      *-light.png) second="${first%-light.png}-dark.png" ;;
      *) second="$out/PaneMakingTick.png" ;;
    esac
    convert "$first" -alpha extract "$work/first.png"
    convert "$second" -alpha extract "$work/second.png"
    if ! compare -metric AE "$work/first.png" "$work/second.png" null: 2>/dev/null; then
      echo "render-skins: $(basename "$first") and $(basename "$second") of $skin cover different pixels" >&2
      exit 1
    fi
  done
  echo "render-skins: $skin -> res/Skins/$skin ($(find "$out" -name '*.png' | wc -l) images," \
    "$(du -sk "$out" | cut -f1) KiB)"
done
