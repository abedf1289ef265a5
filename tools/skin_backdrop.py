"""The window backgrounds of the skin: 1320x1024, twice the window's size, with the artwork
over the upper 640 rows (the window's top 320 pixels) and white below.

The artwork is a blue band: the vireo mark and the product name at the top left, a headline
with the slogan on the left, an illustrated browser window on the right, and a soft wave into
the white part. The minimise and close glyphs are white, so the top-right stays a mid blue.
"""
from PIL import Image

from skin_paint import (bezier, ellipse, font, gradient, polygon, rect, rgba, shadow, shape,
                        stroke, text)

SIZE = (1320, 1024)
ART_ROWS = 640
WHITE = rgba("#ffffff")


def shade(alpha):
    """The deep blue of shadows cast on the band."""
    return rgba("#052a66", alpha)


def bird(x, y, s):
    """The vireo facing right in a box of 100*s at (x, y), a perched songbird with a round
    head, a short beak and a forked tail: its outline, its wing and its eye."""
    def P(px, py):
        return (x + px * s, y + py * s)

    def curve(*points):
        return bezier(*(P(*q) for q in points))
    outline = [P(58, 18)] + curve((58, 18), (68, 14), (77, 19), (80, 27))  # crown
    outline += [P(94, 31), P(80, 36)]  # beak
    outline += curve((80, 36), (84, 52), (76, 68), (60, 76))  # throat and breast
    outline += curve((60, 76), (48, 82), (36, 82), (28, 79))  # belly
    outline += [P(8, 94), P(14, 82), P(4, 82)]  # forked tail
    outline += curve((4, 82), (16, 72), (26, 64), (32, 56))  # rump
    outline += curve((32, 56), (38, 38), (44, 22), (58, 18))  # back and nape
    wing = [P(36, 50)] + curve((36, 50), (48, 42), (62, 46), (68, 56))
    wing += curve((68, 56), (58, 58), (46, 64), (30, 74))
    wing += curve((30, 74), (30, 64), (32, 56), (36, 50))
    return outline, wing, (x + 69 * s, y + 25 * s, x + 75 * s, y + 31 * s)


def logo(picture, x, y, size):
    """The product mark: a white rounded square holding the vireo in green and blue."""
    box = (x, y, x + size, y + size)
    shadow(picture, box, size * 0.26, size * 0.08, shade(70), (0, size * 0.05))
    rect(picture, box, size * 0.26, WHITE)
    outline, wing, eye = bird(x + size * 0.1, y + size * 0.1, size * 0.008)
    side = int(size) + 1
    body = gradient((side, side), [(0, rgba("#19b98e")), (0.5, rgba("#1b8de8")),
                                   (1, rgba("#1556cf"))], "d")
    shape(picture, (x, y, x + side, y + side), body, lambda p: p.polygon(outline))
    polygon(picture, wing, rgba("#ffffff", 235))
    ellipse(picture, eye, WHITE)


def band(picture):
    """The blue gradient with light circles and dots, ending in a wave before ART_ROWS."""
    picture.alpha_composite(gradient((SIZE[0], ART_ROWS), [
        (0, rgba("#0b47ad")), (0.5, rgba("#1668dd")), (1, rgba("#2f97f2"))], "d"))
    area = (0, 0, SIZE[0], ART_ROWS)
    for box, alpha in (((860, -360, 1560, 340), 16), ((-260, 300, 360, 920), 12),
                       ((520, -120, 760, 120), 10), ((1040, 300, 1380, 640), 10)):
        shape(picture, area, rgba("#ffffff", alpha), lambda p, b=box: p.ellipse(b))
    for i in range(6):
        for j in range(4):
            x, y = 100 + i * 22, 470 + j * 22
            ellipse(picture, (x - 3, y - 3, x + 3, y + 3), rgba("#ffffff", 60))
    back = [(0, 590)] + bezier((0, 590), (300, 540), (700, 650), (1320, 560))
    front = [(0, 612)] + bezier((0, 612), (380, 660), (860, 556), (1320, 606))
    for curve, alpha in ((back, 70), (front, 255)):
        polygon(picture, curve + [(1320, ART_ROWS), (0, ART_ROWS)], rgba("#ffffff", alpha))


def browser(picture, box):
    """A browser window: tab strip, toolbar with the address field, and a page."""
    x0, y0, x1, y1 = box

    def at(left, top, right, bottom):  # a box relative to the window's top-left
        return (x0 + left, y0 + top, x0 + right, y0 + bottom)
    shadow(picture, box, 18, 22, shade(95), (0, 18))
    rect(picture, box, 18, rgba("#dfe8f5"))
    # Tabs: the active one with the mark and a title, a second one, the new-tab plus.
    rect(picture, at(16, 12, 206, 70), 12, WHITE)
    rect(picture, at(16, 50, 206, 70), 0, WHITE)  # square where it joins the toolbar
    logo(picture, x0 + 32, y0 + 22, 26)
    rect(picture, at(68, 30, 170, 40), 5, rgba("#b9c4d3"))
    rect(picture, at(216, 22, 218, 48), 0, rgba("#b2bdcc"))
    rect(picture, at(232, 30, 330, 40), 5, rgba("#c3cedc"))
    rect(picture, at(352, 34, 368, 36.5), 0, rgba("#8c99ab"))
    rect(picture, at(358.8, 27, 361.2, 43), 0, rgba("#8c99ab"))
    # The window's own minimise, maximise and close glyphs.
    ink, w = rgba("#7d8a9c"), x1 - x0
    stroke(picture, [(x1 - 99, y0 + 34), (x1 - 85, y0 + 34)], 2, ink)
    shape(picture, at(w - 68, 26, w - 52, 42), ink,
          lambda p: p.frame(at(w - 66, 28, w - 54, 40), 1, 2))
    stroke(picture, [(x1 - 34, y0 + 28), (x1 - 22, y0 + 40)], 2, ink)
    stroke(picture, [(x1 - 22, y0 + 28), (x1 - 34, y0 + 40)], 2, ink)
    # Toolbar and page on white, rounded only at the bottom.
    rect(picture, (x0, y0 + 70, x1, y1), 18, WHITE)
    rect(picture, (x0, y0 + 70, x1, y0 + 100), 0, WHITE)
    grey = rgba("#8593a6")
    stroke(picture, [(x0 + 40, y0 + 96), (x0 + 30, y0 + 106), (x0 + 40, y0 + 116)], 3, grey)
    stroke(picture, [(x0 + 70, y0 + 96), (x0 + 80, y0 + 106), (x0 + 70, y0 + 116)], 3, grey)
    rect(picture, (x0 + 104, y0 + 86, x1 - 70, y0 + 126), 20, rgba("#eef2f8"))
    green = rgba("#18b07f")  # the padlock of a secure page
    rect(picture, at(124, 102, 140, 116), 3, green)
    shape(picture, at(124, 90, 140, 110), green,
          lambda p: p.frame(at(126.5, 93, 137.5, 108), 5.5, 2.5))
    rect(picture, at(154, 101, 330, 111), 5, rgba("#aeb9c8"))
    for i in range(3):  # the menu's three dots
        ellipse(picture, (x1 - 40, y0 + 96 + i * 9, x1 - 34, y0 + 102 + i * 9), grey)
    rect(picture, (x0, y0 + 140, x1, y0 + 142), 0, rgba("#e5eaf1"))
    page(picture, (x0 + 26, y0 + 162, x1 - 26, y1 - 24))


def page(picture, box):
    """The page: a banner with hills, a sun and a headline, then three cards."""
    x0, y0, x1, y1 = box
    banner = (x0, y0, x1, y0 + 104)
    sky = gradient((int(x1 - x0), 104), [(0, rgba("#5fb2ff")), (1, rgba("#7fe0c8"))], "h")
    shape(picture, banner, sky, lambda p: p.rect(banner, 12))
    ellipse(picture, (x1 - 130, y0 + 18, x1 - 84, y0 + 64), rgba("#ffffff", 90))
    hills = [(x0, y0 + 104), (x0, y0 + 84)]
    hills += bezier((x0, y0 + 84), (x0 + 120, y0 + 44), (x0 + 220, y0 + 70), (x0 + 300, y0 + 76))
    hills += bezier((x0 + 300, y0 + 76), (x0 + 380, y0 + 84), (x0 + 420, y0 + 52), (x1, y0 + 68))
    hills += [(x1, y0 + 104)]
    shape(picture, banner, rgba("#ffffff", 80), lambda p: p.polygon(hills),
          clip=lambda p: p.rect(banner, 12))
    rect(picture, (x0 + 28, y0 + 26, x0 + 190, y0 + 42), 8, WHITE)
    rect(picture, (x0 + 28, y0 + 54, x0 + 140, y0 + 64), 5, WHITE)
    gap = 18
    width = (x1 - x0 - 2 * gap) / 3
    for i, (light, dark) in enumerate((("#ffd7a3", "#ffb866"), ("#c5f0df", "#6fd3ad"),
                                       ("#d7ddfb", "#98a7f2"))):
        left, top = x0 + i * (width + gap), y0 + 120
        rect(picture, (left, top, left + width, y1), 10, rgba("#f4f7fb"))
        rect(picture, (left, top, left + width, top + 58), 10, rgba(light))
        ellipse(picture, (left + 14, top + 14, left + 44, top + 44), rgba(dark))
        rect(picture, (left + 14, top + 74, left + width - 14, top + 84), 5, rgba("#c2ccd9"))
        rect(picture, (left + 14, top + 94, left + width * 0.6, top + 104), 5, rgba("#c2ccd9"))


def shield(p, x, y, s):
    """A shield with a tick cut out of it, centred at (x, y), s pixels per unit."""
    top, bottom, side, shoulder = (x, y - 22 * s), (x, y + 23 * s), 19 * s, y - 15 * s
    right, left = (x + side, shoulder), (x - side, shoulder)
    outline = [top] + bezier(top, (x + 8 * s, y - 16 * s), (x + 16 * s, shoulder), right)
    outline += bezier(right, (x + side, y + 6 * s), (x + 12 * s, y + 17 * s), bottom)
    outline += bezier(bottom, (x - 12 * s, y + 17 * s), (x - side, y + 6 * s), left)
    outline += bezier(left, (x - 16 * s, shoulder), (x - 8 * s, y - 16 * s), top)
    p.polygon(outline)
    p.line([(x - 8 * s, y + 1 * s), (x - 2 * s, y + 7 * s), (x + 9 * s, y - 5 * s)], 4.5 * s, ink=0)


def bolt(p, x, y, s):
    """A lightning bolt: speed."""
    p.polygon([(x + 5 * s, y - 24 * s), (x - 13 * s, y + 3 * s), (x - 1 * s, y + 3 * s),
               (x - 5 * s, y + 24 * s), (x + 13 * s, y - 3 * s), (x + 1 * s, y - 3 * s)])


def heart(p, x, y, s):
    """A heart: the thanks of the uninstall pages."""
    tip, notch = (x, y + 18 * s), (x, y - 10 * s)
    outline = [tip] + bezier(tip, (x - 26 * s, y + 2 * s), (x - 22 * s, y - 22 * s), notch)
    outline += bezier(notch, (x + 22 * s, y - 22 * s), (x + 26 * s, y + 2 * s), tip)
    p.polygon(outline)


def badge(picture, centre, radius, colours, emblem):
    """A round coloured badge floating over the illustration, with a white emblem."""
    x, y = centre
    box = (x - radius, y - radius, x + radius, y + radius)
    shadow(picture, box, radius, 10, shade(80), (0, 8))
    face = gradient((2 * radius, 2 * radius), [(0, rgba(colours[0])), (1, rgba(colours[1]))], "d")
    shape(picture, box, face, lambda p: p.ellipse(box))
    shape(picture, box, WHITE, lambda p: emblem(p, x, y, radius / 40))


def backdrop(line, badges):
    picture = Image.new("RGBA", SIZE, WHITE)
    band(picture)
    logo(picture, 36, 26, 60)
    text(picture, (110, 56), "Vireo", font(34, bold=True), WHITE, "lm")
    text(picture, (96, 250), "Vireo 浏览器", font(68, bold=True), WHITE, "ls")
    text(picture, (98, 330), line, font(36), rgba("#ffffff", 235), "ls")
    rect(picture, (96, 370, 160, 376), 3, rgba("#7fe0c8"))
    browser(picture, (700, 118, 1248, 548))
    for centre, radius, colours, emblem in badges:
        badge(picture, centre, radius, colours, emblem)
    return picture


def draw_all():
    """The four backgrounds; each second page shows the same artwork as its first."""
    install = backdrop("安全、快速、稳定的上网体验",
                       [((692, 470), 46, ("#2fd3a6", "#10a37f"), shield),
                        ((1250, 330), 40, ("#ffc845", "#ff9a1f"), bolt)])
    uninstall = backdrop("感谢您一直以来的陪伴",
                         [((692, 470), 46, ("#ff8fa3", "#f0506e"), heart)])
    return {
        "background/install_bg.png": install,
        "background/install_bg2.png": install,
        "background/uninstall_bg.png": uninstall,
        "background/uninstall_bg2.png": uninstall,
    }
