"""Drawing primitives for the skin pictures (tools/draw_skin.py): coverage masks drawn at four
times the size, gradients, text masks in the CJK face, and compositing through masks.

Coordinates are in pixels of the target picture and may be fractional; a box is
(left, top, right, bottom) with right and bottom exclusive. Colours are (r, g, b, a) tuples.
"""
import math
import os

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SCALE = 4  # supersampling factor of every drawn shape
FONT_DIR = "/usr/share/fonts/opentype/noto"
FONT_FAMILY = "Noto Sans CJK SC"


def rgba(hex_text, alpha=255):
    """'#1f86f0' → (31, 134, 240, alpha)."""
    v = int(hex_text.lstrip("#"), 16)
    return (v >> 16 & 255, v >> 8 & 255, v & 255, alpha)


class Pen:
    """Draws coverage into a supersampled 'L' mask whose top-left is at `origin` of the
    picture; ink 255 adds coverage, ink 0 cuts it away again."""

    def __init__(self, draw, origin):
        self.draw, self.ox, self.oy = draw, origin[0], origin[1]

    def pt(self, x, y):
        return ((x - self.ox) * SCALE, (y - self.oy) * SCALE)

    def _box(self, box):
        x0, y0 = self.pt(box[0], box[1])
        x1, y1 = self.pt(box[2], box[3])
        return [x0, y0, x1 - 1, y1 - 1]

    def rect(self, box, radius=0, ink=255):
        self.draw.rounded_rectangle(self._box(box), radius * SCALE, fill=ink)

    def frame(self, box, radius, width, ink=255):
        """A rounded outline of `width` pixels lying inside `box`."""
        self.rect(box, radius, ink)
        inner = (box[0] + width, box[1] + width, box[2] - width, box[3] - width)
        self.rect(inner, max(radius - width, 0), 255 - ink)

    def ellipse(self, box, ink=255):
        self.draw.ellipse(self._box(box), fill=ink)

    def polygon(self, points, ink=255):
        self.draw.polygon([self.pt(x, y) for x, y in points], fill=ink)

    def line(self, points, width, ink=255):
        pts = [self.pt(x, y) for x, y in points]
        self.draw.line(pts, fill=ink, width=round(width * SCALE), joint="curve")
        r = width * SCALE / 2  # round caps
        for x, y in (pts[0], pts[-1]):
            self.draw.ellipse([x - r, y - r, x + r, y + r], fill=ink)


def mask(size, origin, paint):
    """An 'L' coverage mask of `size` whose top-left lies at `origin` of the picture;
    `paint(pen)` draws into it."""
    big = Image.new("L", (size[0] * SCALE, size[1] * SCALE), 0)
    paint(Pen(ImageDraw.Draw(big), origin))
    return big.resize(size, Image.BOX)


def bezier(*points, steps=24):
    """Points along a cubic Bézier curve p0 p1 p2 p3 (p0 left out, so curves chain)."""
    p0, p1, p2, p3 = points
    out = []
    for i in range(1, steps + 1):
        t = i / steps
        u = 1 - t
        out.append(tuple(u ** 3 * a + 3 * u * u * t * b + 3 * u * t * t * c + t ** 3 * d
                         for a, b, c, d in zip(p0, p1, p2, p3)))
    return out


def gradient(size, stops, direction="v"):
    """An RGBA picture of `size` shading through `stops` [(position 0..1, colour), ...]
    from top to bottom ('v'), left to right ('h') or top-left to bottom-right ('d')."""
    luts = [[0] * 256 for _ in range(4)]
    for i in range(256):
        t = i / 255
        k = next((k for k in range(1, len(stops)) if t <= stops[k][0]), len(stops) - 1)
        (t0, c0), (t1, c1) = stops[k - 1], stops[k]
        f = min(max((t - t0) / (t1 - t0), 0.0), 1.0) if t1 > t0 else 1.0
        for ch in range(4):
            luts[ch][i] = round(c0[ch] + (c1[ch] - c0[ch]) * f)
    ramp = Image.frombytes("L", (256, 1), bytes(range(256)))
    h = ramp.resize(size, Image.BILINEAR)
    v = ramp.transpose(Image.TRANSPOSE).resize(size, Image.BILINEAR)
    t = {"h": h, "v": v, "d": Image.blend(h, v, 0.5)}[direction]
    return Image.merge("RGBA", [t.point(lut) for lut in luts])


def lay(picture, fill, coverage, origin=(0, 0)):
    """Composites `fill` (a colour, or an RGBA picture cut to the mask's size) through the
    coverage mask onto `picture` at `origin`."""
    if isinstance(fill, tuple):
        layer = Image.new("RGBA", coverage.size, fill[:3] + (255,))
        alpha = coverage if fill[3] == 255 else coverage.point(lambda v: v * fill[3] // 255)
    else:
        layer = fill.crop((0, 0) + coverage.size)
        alpha = ImageChops.multiply(layer.getchannel("A"), coverage)
    layer.putalpha(alpha)
    picture.alpha_composite(layer, (round(origin[0]), round(origin[1])))


def shape(picture, box, fill, paint, clip=None):
    """Draws `paint(pen)` within `box` with `fill` (a picture fill covers the box), and
    only where `clip(pen)` draws too when a clip is given."""
    x0, y0 = int(box[0]), int(box[1])
    size = (int(box[2]) - x0, int(box[3]) - y0)
    coverage = mask(size, (x0, y0), paint)
    if clip:
        coverage = ImageChops.multiply(coverage, mask(size, (x0, y0), clip))
    lay(picture, fill, coverage, (x0, y0))


def shadow(picture, box, radius, blur, colour, offset=(0, 0)):
    """A soft shadow of a rounded box, blurred by `blur` pixels."""
    pad = blur * 3
    x0, y0 = box[0] + offset[0] - pad, box[1] + offset[1] - pad
    size = (int(box[2] - box[0] + 2 * pad), int(box[3] - box[1] + 2 * pad))
    m = Image.new("L", size, 0)
    ImageDraw.Draw(m).rounded_rectangle([pad, pad, size[0] - pad - 1, size[1] - pad - 1],
                                        radius, fill=255)
    lay(picture, colour, m.filter(ImageFilter.GaussianBlur(blur)), (x0, y0))


_fonts = {}


def font(size, bold=False):
    """The Simplified Chinese face of Noto Sans CJK, regular or bold."""
    key = (size, bold)
    if key not in _fonts:
        path = os.path.join(FONT_DIR, "NotoSansCJK-Bold.ttc" if bold else "NotoSansCJK-Regular.ttc")
        if not os.path.isfile(path):
            raise SystemExit(f"{path} is missing: install fonts-noto-cjk (tools/setup.sh)")
        for index in range(16):
            face = ImageFont.truetype(path, size, index=index)
            if face.getname()[0] == FONT_FAMILY:
                break
        else:
            raise SystemExit(f"{path} holds no {FONT_FAMILY}")
        _fonts[key] = face
    return _fonts[key]


def text_mask(size, xy, text, face, anchor="la"):
    """Coverage of `text` drawn at `xy` with Pillow's anchor, at the picture's own scale so
    that the face's hinting keeps small lettering crisp."""
    m = Image.new("L", size, 0)
    ImageDraw.Draw(m).text(xy, text, fill=255, font=face, anchor=anchor)
    return m


def text(picture, xy, words, face, fill, anchor="la"):
    lay(picture, fill, text_mask(picture.size, xy, words, face, anchor))


def shear(coverage, slant, baseline):
    """Leans a mask to the right by `slant` pixels per pixel of height above `baseline`:
    an italic from an upright face."""
    return coverage.transform(coverage.size, Image.AFFINE,
                              (1, slant, -slant * baseline, 0, 1, 0), Image.BICUBIC)


def _bounds(xs, ys, pad=0):
    return (math.floor(min(xs) - pad), math.floor(min(ys) - pad),
            math.ceil(max(xs) + pad), math.ceil(max(ys) + pad))


def rect(picture, box, radius, fill):
    shape(picture, _bounds(box[0::2], box[1::2]), fill, lambda p: p.rect(box, radius))


def ellipse(picture, box, fill):
    shape(picture, _bounds(box[0::2], box[1::2]), fill, lambda p: p.ellipse(box))


def polygon(picture, points, fill):
    xs, ys = zip(*points)
    shape(picture, _bounds(xs, ys), fill, lambda p: p.polygon(points))


def stroke(picture, points, width, fill):
    """A polyline with round joints and caps."""
    xs, ys = zip(*points)
    shape(picture, _bounds(xs, ys, width), fill, lambda p: p.line(points, width))
