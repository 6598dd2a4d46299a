#!/usr/bin/env bash
# Renders icon.svg into KorvexKV12.ico (16, 24, 32, 48, 64 and 256 pixels) with
# rsvg-convert (librsvg2-bin) and ImageMagick. The .ico is committed; run this
# again only after changing the SVG.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
sizes=(16 24 32 48 64 256)
pngs=()
for size in "${sizes[@]}"; do
  rsvg-convert -w "$size" -h "$size" "$here/icon.svg" -o "$work/icon-$size.png"
  pngs+=("$work/icon-$size.png")
done
# ImageMagick's own binary, never a wrapper of the same name earlier on PATH.
convert_bin=/usr/bin/convert
[ -x "$convert_bin" ] || convert_bin=convert
"$convert_bin" "${pngs[@]}" "$here/KorvexKV12.ico"
echo "wrote $here/KorvexKV12.ico"
