"""Draw the installation wizard's pictures into wizard/pictures/.

Needs the Debian packages python3-pil, fonts-noto-cjk and fonts-dejavu.
Run from the repository root:

    /usr/bin/python3 scripts/make-artwork.py

The output is the same bytes on every run, so the committed pictures only
change when this script does, and the build needs no fonts.
"""

import math
import os

from PIL import Image, ImageDraw, ImageFont

OUT_DIR = os.path.join("wizard", "pictures")

# Shapes are drawn at SS times the final size and area-averaged down: exact
# coverage anti-aliasing, without the halo a ringing filter such as LANCZOS
# leaves beside edges (which would also spoil the install button's pure-white
# cut-out). Text is rasterised straight at its final size instead, because
# hinted small CJK glyphs come out crisper than supersampled ones.
SS = 4

NOTO = "/usr/share/fonts/opentype/noto/NotoSansCJK-%s.ttc"
NOTO_SC = 2  # the Simplified Chinese face of the collection
DEJAVU = "/usr/share/fonts/truetype/dejavu/DejaVuSans%s.ttf"

# Palette: one blue family, one red, one green, light greys.
BLUE = (30, 120, 215)
BLUE_HOVER = (58, 144, 234)
BLUE_PRESSED = (42, 90, 146)
BLUE_LIGHT = (122, 178, 236)
RED = (222, 60, 52)
RED_HOVER = (236, 86, 78)
RED_PRESSED = (184, 42, 36)
GREEN = (38, 166, 94)
BLACK = (24, 24, 24)
DARK_GREY = (64, 64, 64)
MID_GREY = (128, 128, 128)
FOLDER_GREY = (160, 160, 160)
LINE_GREY = (200, 200, 200)
FIELD_HOVER = (232, 232, 232)
FIELD_PRESSED = (212, 212, 212)
WHITE = (255, 255, 255)
# Button text is never pure white: the program cuts pure white out of the
# install button's shape, and text must not punch holes into it.
BUTTON_TEXT = (248, 248, 248)

TRANSPARENT = (0, 0, 0, 0)


def cjk(size, weight="Regular"):
    return ImageFont.truetype(NOTO % weight, size, index=NOTO_SC)


def latin(size, weight="-Bold"):
    return ImageFont.truetype(DEJAVU % weight, size)


class Pen:
    """Draws on a supersampled coverage mask in final-pixel coordinates."""

    def __init__(self, mask):
        self.draw = ImageDraw.Draw(mask)

    @staticmethod
    def _box(box):
        x0, y0, x1, y1 = box
        return (x0 * SS, y0 * SS, x1 * SS - 1, y1 * SS - 1)

    def rect(self, box, radius=0, value=255):
        self.draw.rounded_rectangle(self._box(box), radius * SS, fill=value)

    def frame(self, box, thickness, radius=0):
        x0, y0, x1, y1 = box
        self.rect(box, radius)
        inner = (x0 + thickness, y0 + thickness, x1 - thickness, y1 - thickness)
        self.rect(inner, max(radius - thickness, 0), value=0)

    def polygon(self, points):
        self.draw.polygon([(x * SS, y * SS) for x, y in points], fill=255)

    def line(self, points, width):
        """A polyline with round caps and joins."""
        self.brush([(x, y, width) for x, y in points])

    def brush(self, samples):
        """A stroke through (x, y, width) samples; widths vary like a brush."""
        for (xa, ya, wa), (xb, yb, wb) in zip(samples, samples[1:]):
            steps = max(1, int(math.hypot(xb - xa, yb - ya) * SS * 2))
            for i in range(steps + 1):
                t = i / steps
                self._dot(xa + (xb - xa) * t, ya + (yb - ya) * t,
                          wa + (wb - wa) * t)

    def _dot(self, x, y, width):
        r = width * SS / 2
        cx, cy = x * SS, y * SS
        self.draw.ellipse((cx - r, cy - r, cx + r, cy + r), fill=255)


class Picture:
    """A picture built from flat-coloured layers, each with its own coverage."""

    def __init__(self, size, background=TRANSPARENT):
        self.size = size
        self.image = Image.new("RGBA", size, background)

    def paint(self, colour, mask):
        layer = Image.new("RGBA", self.size, colour)
        layer.putalpha(mask)
        self.image = Image.alpha_composite(self.image, layer)

    def shape(self, colour, draw):
        """Paints colour where draw(pen) marks the supersampled mask."""
        w, h = self.size
        mask = Image.new("L", (w * SS, h * SS), 0)
        draw(Pen(mask))
        self.paint(colour, mask.resize(self.size, Image.BOX))

    def text(self, x, y, words, face, colour):
        """Draws words with their left baseline point at pixel (x, y)."""
        mask = Image.new("L", self.size, 0)
        ImageDraw.Draw(mask).text((round(x), round(y)), words, font=face,
                                  fill=255, anchor="ls")
        self.paint(colour, mask)

    def text_centred(self, words, face, colour, cy, cx=None, left=None):
        """Centres the ink of words on cy, and on cx or from left onwards.

        Positions snap to whole pixels so hinted glyphs stay sharp.
        """
        ink_left, top, ink_right, bottom = face.getbbox(words, anchor="ls")
        x = left - ink_left if cx is None else cx - (ink_left + ink_right) / 2
        self.text(x, cy - (top + bottom) / 2, words, face, colour)

    def save_png(self, name):
        self.image.save(os.path.join(OUT_DIR, name), "PNG", optimize=False)

    def save_jpeg(self, name):
        rgb = Image.new("RGB", self.size, WHITE)
        rgb.paste(self.image, mask=self.image.getchannel("A"))
        rgb.save(os.path.join(OUT_DIR, name), "JPEG", quality=95,
                 subsampling=0, progressive=False, optimize=False)


# --- hand-drawn marks -------------------------------------------------------

def bubble(pen, box):
    """A brush-drawn speech bubble with two wavy lines, tail at bottom left.

    One stroke runs from the tail tip round the body and back to the tip;
    small fixed ripples in radius and width make it look drawn by hand while
    staying identical on every run.
    """
    x0, y0, x1, y1 = box
    cx, cy = (x0 + x1) / 2, y0 + (y1 - y0) * 0.44
    rx, ry = (x1 - x0) * 0.46, (y1 - y0) * 0.38
    weight = (x1 - x0) * 0.075

    def body(angle):
        wobble = 1 + 0.025 * math.sin(3 * angle + 0.7) + 0.015 * math.sin(5 * angle + 2.1)
        return cx + rx * wobble * math.cos(angle), cy + ry * wobble * math.sin(angle)

    tip = (x0 + (x1 - x0) * 0.1, y1 - (y1 - y0) * 0.04)
    start, end = math.radians(142), math.radians(360 + 112)
    path = [tip]
    path += quad(tip, (x0 + (x1 - x0) * 0.2, cy + ry * 0.85), body(start), 12)[1:]
    count = 120
    path += [body(start + (end - start) * i / count) for i in range(1, count + 1)]
    path += quad(body(end), (x0 + (x1 - x0) * 0.3, y1 - (y1 - y0) * 0.1), tip, 12)[1:]

    samples = []
    for i, (x, y) in enumerate(path):
        t = i / (len(path) - 1)
        pressure = 1 + 0.18 * math.sin(2 * math.pi * t + 0.4)
        taper = min(1.0, 0.45 + t * 6, 0.45 + (1 - t) * 6)
        samples.append((x, y, weight * pressure * taper))
    pen.brush(samples)

    for row, (left, right) in enumerate(((-0.55, 0.55), (-0.55, 0.2))):
        wave_y = cy + ry * (-0.28 + row * 0.6)
        pen.brush(wave(cx + rx * left, cx + rx * right, wave_y, ry * 0.1,
                       rx * 0.42, weight * 0.85))


def quad(a, control, b, count):
    """Points along a quadratic Bezier curve from a to b."""
    points = []
    for i in range(count + 1):
        t = i / count
        u = 1 - t
        points.append((u * u * a[0] + 2 * u * t * control[0] + t * t * b[0],
                       u * u * a[1] + 2 * u * t * control[1] + t * t * b[1]))
    return points


def wave(left, right, y, amplitude, wavelength, weight):
    """A sine stroke with tapered ends, as (x, y, width) samples."""
    count = 60
    samples = []
    for i in range(count + 1):
        t = i / count
        x = left + (right - left) * t
        taper = min(1.0, 0.5 + t * 5, 0.5 + (1 - t) * 5)
        samples.append((x, y + amplitude * math.sin(2 * math.pi * (x - left) / wavelength),
                        weight * taper))
    return samples


def tick(pen, points, weight, taper=True):
    """A tick through (start, bend, end); tapering thins both ends like a brush."""
    start, bend, end = points
    if not taper:
        pen.line(points, weight)
        return
    samples = []
    for (xa, ya), (xb, yb), wa, wb in ((start, bend, 0.75, 1.0), (bend, end, 1.0, 0.55)):
        for i in range(20):
            t = i / 20
            samples.append((xa + (xb - xa) * t, ya + (yb - ya) * t,
                            weight * (wa + (wb - wa) * t)))
    samples.append((end[0], end[1], weight * 0.55))
    pen.brush(samples)


# --- frame ------------------------------------------------------------------

def banner():
    pic = Picture((250, 85))
    pic.shape(RED, lambda pen: bubble(pen, (3, 10, 73, 78)))
    name = latin(34)
    x, y = 84, 44
    pic.text(x, y, "Tav", name, BLACK)
    pic.text(x + name.getlength("Tav"), y, "rimo", name, RED)
    subtitle = cjk(15)
    pic.text(x + 2, y + 25, "安装向导", subtitle, MID_GREY)
    pic.text(x + 2 + subtitle.getlength("安装向导") + 6, y + 25, "v1.1",
             latin(14), BLUE)
    pic.save_png("banner.png")


def cross(pen):
    pen.line([(21, 12.5), (31, 22.5)], 1.5)
    pen.line([(31, 12.5), (21, 22.5)], 1.5)


def caption_buttons():
    for state, field, red in (("normal", WHITE, RED),
                              ("hover", FIELD_HOVER, RED_HOVER),
                              ("pressed", FIELD_PRESSED, RED_PRESSED)):
        minimise = Picture((42, 35), field + (255,))
        minimise.shape(DARK_GREY, lambda pen: pen.rect((16, 17, 26, 18)))
        minimise.save_jpeg("minimize-%s.jpg" % state)

        close = Picture((52, 35), red + (255,))
        close.shape(WHITE, cross)
        close.save_jpeg("close-%s.jpg" % state)


# --- options page -----------------------------------------------------------

TILE_FRAME = (96, 22, 178, 100)
# Drawn over the frame, its long arm running out past the top-right corner.
TILE_TICK = ((116, 62), (136, 84), (190, 10))


def tile(name, colour, words, checked):
    pic = Picture((200, 109))
    pic.shape(colour, lambda pen: bubble(pen, (4, 22, 84, 100)))
    pic.shape(WHITE, lambda pen: pen.rect(TILE_FRAME, 5))
    pic.shape(BLUE, lambda pen: pen.frame(TILE_FRAME, 4, 5))
    x0, y0, x1, y1 = TILE_FRAME
    face = cjk(19)
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    pic.text_centred(words[0], face, BLACK, cy - 12, cx=cx)
    pic.text_centred(words[1], face, BLACK, cy + 12, cx=cx)
    suffix = ""
    if checked:
        # A white rim keeps the tick readable where it crosses the frame.
        pic.shape(WHITE, lambda pen: tick(pen, TILE_TICK, 17, taper=False))
        pic.shape(BLUE, lambda pen: tick(pen, TILE_TICK, 11))
        suffix = "-checked"
    pic.save_png("%s%s.png" % (name, suffix))


def tiles():
    for checked in (False, True):
        tile("server-tile", BLUE, ("聊天室", "服务端"), checked)
        tile("client-tile", GREEN, ("聊天室", "客户端"), checked)


CHECK_BOX = (1, 5, 15, 19)
CHECK_TICK = ((4.5, 11.8), (7, 14.5), (11.8, 8.5))


def option(name, width, words):
    for suffix, outline, checked in (("", BLUE, False),
                                     ("-checked", BLUE, True),
                                     ("-disabled", LINE_GREY, False)):
        pic = Picture((width, 25))
        pic.shape(WHITE, lambda pen: pen.rect(CHECK_BOX, 2))
        pic.shape(outline, lambda pen: pen.frame(CHECK_BOX, 1, 2))
        if checked:
            pic.shape(BLUE, lambda pen: tick(pen, CHECK_TICK, 2, taper=False))
        pic.text_centred(words, cjk(13), DARK_GREY, 12.5, left=21)
        pic.save_png("%s%s.png" % (name, suffix))


def options():
    option("shortcut-option", 165, "创建快捷方式到桌面")
    option("lexicon-option", 90, "安装词库")
    option("run-server-option", 180, "立即打开聊天室服务端")
    option("run-client-option", 180, "立即打开聊天室客户端")


# The program cuts pure white out of the install button's shape, so the
# white around the body must decode as exactly (255, 255, 255). The body's
# edges lie on the JPEG's 8x8 block grid (the last, partial blocks are padded
# with white), so every block holding margin more than a pixel or two beyond
# the edge is plain white and decodes exactly; the corner radius is small
# enough that no corner pixel inside a mixed block is that far out.
BUTTON_BODY = (8, 8, 144, 48)
BUTTON_RADIUS = 6


def action_button(name, words):
    for suffix, colour in (("", BLUE), ("-hover", BLUE_HOVER), ("-pressed", BLUE_PRESSED)):
        pic = Picture((148, 53), WHITE + (255,))
        pic.shape(colour, lambda pen: pen.rect(BUTTON_BODY, BUTTON_RADIUS))
        x0, y0, x1, y1 = BUTTON_BODY
        pic.text_centred(words, cjk(18, "Bold"), BUTTON_TEXT, (y0 + y1) / 2,
                         cx=(x0 + x1) / 2)
        pic.save_jpeg("%s%s.jpg" % (name, suffix))
        check_cut_out("%s%s.jpg" % (name, suffix))


def check_cut_out(name):
    """Fails unless the decoded button is pure white outside and never inside.

    Pixels within two pixels of the edge are anti-aliased blends and may go
    either way.
    """
    decoded = Image.open(os.path.join(OUT_DIR, name)).convert("RGB")
    width, height = decoded.size
    for y in range(height):
        for x in range(width):
            distance = distance_to_body(x + 0.5, y + 0.5)
            white = decoded.getpixel((x, y)) == WHITE
            if (distance >= 2 and not white) or (distance <= -1 and white):
                raise SystemExit("%s: pixel (%d, %d) breaks the white cut-out"
                                 % (name, x, y))


def distance_to_body(x, y):
    """Signed distance from the rounded body's edge, negative inside."""
    x0, y0, x1, y1 = BUTTON_BODY
    r = BUTTON_RADIUS
    qx = abs(x - (x0 + x1) / 2) - ((x1 - x0) / 2 - r)
    qy = abs(y - (y0 + y1) / 2) - ((y1 - y0) / 2 - r)
    return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r


def folder(pen):
    """Tab with a sloping edge at the top left, body filling the rest."""
    pen.rect((0, 0, 8, 5), 1.5)
    pen.polygon([(6, 0), (7.5, 0), (10.5, 3), (6, 3)])
    pen.rect((0, 3, 20, 16), 1.5)


def browse_buttons():
    for suffix, colour in (("", FOLDER_GREY), ("-hover", BLUE_LIGHT), ("-pressed", BLUE)):
        pic = Picture((20, 16))
        pic.shape(colour, folder)
        pic.save_png("browse-button%s.png" % suffix)


def main():
    os.makedirs(OUT_DIR, exist_ok=True)
    banner()
    caption_buttons()
    tiles()
    options()
    action_button("install-button", "立即安装")
    action_button("finish-button", "立即体验")
    browse_buttons()


if __name__ == "__main__":
    main()
