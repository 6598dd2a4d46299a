"""Small SVG writer used by the skin generator: a document with its own
gradient and filter definitions, rounded panels, crisp 1-px lines, and
numerals drawn as strokes so that no image depends on an installed font."""

from xml.sax.saxutils import quoteattr


def fmt(v):
    """Numbers without trailing zeros keep the SVG files short and stable."""
    if isinstance(v, float):
        s = f"{v:.2f}".rstrip("0").rstrip(".")
        return s if s not in ("-0", "") else "0"
    return str(v)


def attrs(**kw):
    out = []
    for k, v in kw.items():
        if v is None:
            continue
        name = k.rstrip("_").replace("_", "-")
        out.append(f"{name}={quoteattr(fmt(v) if isinstance(v, (int, float)) else str(v))}")
    return " ".join(out)


class Svg:
    """One image: width x height pixels, user units = pixels."""

    def __init__(self, width, height, name=""):
        self.width = width
        self.height = height
        self.name = name
        self.defs = []
        self.body = []
        self.count = 0

    def uid(self, prefix):
        self.count += 1
        return f"{prefix}{self.count}"

    # Paint servers and filters -------------------------------------------

    def linear(self, stops, x1=0, y1=0, x2=0, y2=1, units=None):
        """stops: [(offset, colour[, opacity])]; default direction top to bottom."""
        gid = self.uid("g")
        units_attr = f' gradientUnits="{units}"' if units else ""
        parts = [f'<linearGradient id="{gid}" x1="{fmt(x1)}" y1="{fmt(y1)}" x2="{fmt(x2)}" y2="{fmt(y2)}"{units_attr}>']
        for stop in stops:
            off, col = stop[0], stop[1]
            op = f' stop-opacity="{fmt(stop[2])}"' if len(stop) > 2 else ""
            parts.append(f'<stop offset="{fmt(off)}" stop-color="{col}"{op}/>')
        parts.append("</linearGradient>")
        self.defs.append("".join(parts))
        return f"url(#{gid})"

    def radial(self, stops, cx=0.5, cy=0.5, r=0.5, units=None):
        gid = self.uid("r")
        units_attr = f' gradientUnits="{units}"' if units else ""
        parts = [f'<radialGradient id="{gid}" cx="{fmt(cx)}" cy="{fmt(cy)}" r="{fmt(r)}"{units_attr}>']
        for stop in stops:
            off, col = stop[0], stop[1]
            op = f' stop-opacity="{fmt(stop[2])}"' if len(stop) > 2 else ""
            parts.append(f'<stop offset="{fmt(off)}" stop-color="{col}"{op}/>')
        parts.append("</radialGradient>")
        self.defs.append("".join(parts))
        return f"url(#{gid})"

    def blur(self, deviation):
        fid = self.uid("f")
        self.defs.append(
            f'<filter id="{fid}" x="-30%" y="-30%" width="160%" height="160%">'
            f'<feGaussianBlur stdDeviation="{fmt(deviation)}"/></filter>'
        )
        return f"url(#{fid})"

    # Shapes ----------------------------------------------------------------

    def add(self, text):
        self.body.append(text)

    def rect(self, x, y, w, h, r=0, **kw):
        self.add(f"<rect {attrs(x=x, y=y, width=w, height=h, rx=r or None, ry=r or None, **kw)}/>")

    def frame(self, x, y, w, h, r, stroke, width=1, **kw):
        """A crisp outline drawn inside the box x, y, w, h (pixel edges)."""
        half = width / 2
        self.rect(x + half, y + half, w - width, h - width, max(r - half, 0), fill="none", stroke=stroke,
                  stroke_width=width, **kw)

    def panel(self, x, y, w, h, r, fill, border=None, highlight=None, shadow=None):
        """A rounded panel: optional soft shadow, fill, 1-px border and a
        1-px highlight along its inner top edge."""
        if shadow:
            colour, opacity, spread = shadow
            self.rect(x, y + 2, w, h, r, fill=colour, opacity=opacity, filter=self.blur(spread))
        self.rect(x, y, w, h, r, fill=fill)
        if highlight:
            self.add(f'<path {attrs(d=f"M{x + r},{y + 1.5} H{x + w - r}", stroke=highlight, stroke_width=1)}/>')
        if border:
            self.frame(x, y, w, h, r, border)

    def hline(self, x1, x2, y, colour, opacity=None, width=1):
        """Horizontal line covering pixel row y from x1 to x2 (exclusive)."""
        self.add(f'<path {attrs(d=f"M{x1},{y + width / 2} H{x2}", stroke=colour, stroke_width=width, opacity=opacity)}/>')

    def vline(self, x, y1, y2, colour, opacity=None, width=1):
        self.add(f'<path {attrs(d=f"M{x + width / 2},{y1} V{y2}", stroke=colour, stroke_width=width, opacity=opacity)}/>')

    def path(self, d, **kw):
        self.add(f"<path {attrs(d=d, **kw)}/>")

    def circle(self, cx, cy, r, **kw):
        self.add(f"<circle {attrs(cx=cx, cy=cy, r=r, **kw)}/>")

    def group(self, transform=None, opacity=None):
        self.add(f"<g {attrs(transform=transform, opacity=opacity)}>")

    def end(self):
        self.add("</g>")

    def digit(self, text, x, y, height, colour, width=None):
        """Numerals drawn as rounded strokes, top-left at x, y, `height` px tall."""
        scale = height / 10.0
        stroke = width if width is not None else max(1.2, height * 0.15)
        cursor = x
        for ch in text:
            d = DIGITS[ch]
            self.add(
                f'<path d="{d}" transform="translate({fmt(cursor)},{fmt(y)}) scale({fmt(scale)})" fill="none" '
                f'stroke="{colour}" stroke-width="{fmt(stroke / scale)}" stroke-linecap="round" '
                f'stroke-linejoin="round"/>'
            )
            cursor += DIGIT_ADVANCE * scale
        return cursor

    def digit_width(self, text, height):
        return (len(text) * DIGIT_ADVANCE - (DIGIT_ADVANCE - DIGIT_INK)) * height / 10.0

    def text(self):
        defs = f"<defs>{''.join(self.defs)}</defs>" if self.defs else ""
        return (
            f'<svg xmlns="http://www.w3.org/2000/svg" width="{self.width}" height="{self.height}" '
            f'viewBox="0 0 {self.width} {self.height}">\n{defs}\n' + "\n".join(self.body) + "\n</svg>\n"
        )


# Numerals in a 6 x 10 box, drawn as single strokes.
DIGIT_INK = 6.0
DIGIT_ADVANCE = 8.0
DIGITS = {
    "0": "M3,0 C1.2,0 0.2,2 0.2,5 C0.2,8 1.2,10 3,10 C4.8,10 5.8,8 5.8,5 C5.8,2 4.8,0 3,0 Z",
    "1": "M1.2,2.2 L3.6,0 V10",
    "2": "M0.5,2.4 C0.8,0.8 1.9,0 3.1,0 C4.7,0 5.7,1 5.7,2.6 C5.7,4.4 4.2,5.6 0.3,10 H5.9",
    "3": "M0.6,1 C1.3,0.3 2.2,0 3.1,0 C4.7,0 5.6,1 5.6,2.4 C5.6,3.9 4.5,4.8 2.8,4.8 C4.8,4.8 5.9,5.9 5.9,7.4 "
         "C5.9,9 4.7,10 3,10 C1.9,10 1,9.6 0.3,8.8",
    "4": "M4.4,10 V0 L0,7 H6",
    "5": "M5.4,0 H1.1 L0.7,4.4 C1.4,3.9 2.2,3.7 3,3.7 C4.8,3.7 5.9,4.9 5.9,6.8 C5.9,8.7 4.7,10 2.9,10 "
         "C1.8,10 0.9,9.6 0.3,8.8",
    "6": "M5.1,0.8 C4.5,0.3 3.8,0 3.1,0 C1.2,0 0.2,2 0.2,5.2 C0.2,8.4 1.4,10 3.1,10 C4.8,10 5.9,8.7 5.9,6.8 "
         "C5.9,5 4.8,3.8 3.2,3.8 C1.8,3.8 0.7,4.7 0.2,5.8",
    "7": "M0.2,0 H5.8 L2.2,10",
    "8": "M3,4.7 C1.5,4.7 0.5,3.8 0.5,2.4 C0.5,1 1.5,0 3,0 C4.5,0 5.5,1 5.5,2.4 C5.5,3.8 4.5,4.7 3,4.7 Z "
         "M3,4.7 C4.8,4.7 5.9,5.8 5.9,7.3 C5.9,8.9 4.7,10 3,10 C1.3,10 0.1,8.9 0.1,7.3 C0.1,5.8 1.2,4.7 3,4.7 Z",
    "9": "M0.9,9.2 C1.5,9.7 2.2,10 2.9,10 C4.8,10 5.8,8 5.8,4.8 C5.8,1.6 4.6,0 2.9,0 C1.2,0 0.1,1.3 0.1,3.2 "
         "C0.1,5 1.2,6.2 2.8,6.2 C4.2,6.2 5.3,5.3 5.8,4.2",
}
