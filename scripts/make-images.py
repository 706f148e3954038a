#!/usr/bin/python3
# Draws every image of the program from scratch and writes them into resources/images:
# the PNG skins and icons, the busy-indicator GIF and the program icon. Also writes the
# pictures that the widget tests read, some of them made by ImageMagick's convert.
#
# Deterministic: the same script gives the same pixels. Run it from anywhere:
#     scripts/make-images.py
# It needs Debian's python3-pil (hence /usr/bin/python3) and imagemagick.
import os
import struct
import subprocess
import sys

from PIL import Image, ImageChops, ImageDraw

from image_formats import ico_file, lzw_encode, sub_blocks

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
IMAGES = os.path.join(ROOT, "resources", "images")
TEST_DATA = os.path.join(ROOT, "tests", "widgets", "data")
FUZZ_SEEDS = os.path.join(ROOT, "tests", "fuzz", "widgets", "corpus", "gif_file")

# Shapes are drawn this many times larger and averaged down, which anti-aliases curves
# while straight edges on whole pixels stay sharp.
SS = 8

# The image sets beside the 96-dpi one, in percent; the window loads the nearest at or above
# its display scale.
SCALED_SETS = (125, 150, 200)


def px(length, percent):
    """A 96-dpi length at a scale, halves rounded up, as the window rounds its layout."""
    return (length * percent + 50) // 100

# One palette for the whole window. The window's own colours (background, texts) are
# fixed by the painting code; these match them.
WINDOW_BG = (0xEE, 0xF4, 0xF6)
SLATE = (0x3E, 0x55, 0x5B)
ACCENT = (0x3E, 0xAD, 0xD6)
BLUE_LIGHT = (0x45, 0xAB, 0xE8)
BLUE = (0x21, 0x88, 0xCF)
BLUE_DARK = (0x17, 0x6F, 0xAE)
OUTLINE = (0xA9, 0xB9, 0xC0)
GREEN_LIGHT = (0x74, 0xC4, 0x43)
GREEN = (0x4C, 0x9F, 0x26)
GREEN_DARK = (0x3B, 0x86, 0x1B)
WHITE = (0xFF, 0xFF, 0xFF)


def rgba(colour, alpha=255):
    return tuple(colour[:3]) + (alpha,)


def mix(a, b, t):
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


class Canvas:
    """An RGBA picture drawn at SS times its size; coordinates are in 96-dpi pixels, where
    (0, 0) is the top-left corner of the first pixel, drawn at percent of their size. The
    picture's pixel size is the scaled one unless device gives it."""

    def __init__(self, width, height, percent=100, device=None):
        self.k = percent / 100
        self.width, self.height = width, height
        self.pixels = device or (px(width, percent), px(height, percent))
        self.img = Image.new("RGBA", (self.pixels[0] * SS, self.pixels[1] * SS), (0, 0, 0, 0))

    def _mask(self):
        return Image.new("L", self.img.size, 0)

    def _box(self, x0, y0, x1, y1):
        f = SS * self.k
        return [round(x0 * f), round(y0 * f), round(x1 * f) - 1, round(y1 * f) - 1]

    def rounded_mask(self, x0, y0, x1, y1, radius):
        mask = self._mask()
        ImageDraw.Draw(mask).rounded_rectangle(self._box(x0, y0, x1, y1), round(radius * SS * self.k), fill=255)
        return mask

    def polygon_mask(self, points):
        mask = self._mask()
        f = SS * self.k
        ImageDraw.Draw(mask).polygon([(x * f, y * f) for x, y in points], fill=255)
        return mask

    def stroke_mask(self, points, width):
        mask = self._mask()
        draw = ImageDraw.Draw(mask)
        f = SS * self.k
        scaled = [(x * f, y * f) for x, y in points]
        draw.line(scaled, fill=255, width=round(width * f), joint="curve")
        r = width * f / 2
        for x, y in (scaled[0], scaled[-1]):  # round caps
            draw.ellipse([x - r, y - r, x + r, y + r], fill=255)
        return mask

    def ellipse_mask(self, cx, cy, rx, ry):
        mask = self._mask()
        f = SS * self.k
        ImageDraw.Draw(mask).ellipse([(cx - rx) * f, (cy - ry) * f, (cx + rx) * f, (cy + ry) * f], fill=255)
        return mask

    def fill(self, mask, top, bottom=None, alpha=255, y0=0, y1=None):
        """Paints through the mask with a colour, or a vertical gradient from top (at
        row y0) to bottom (at row y1)."""
        layer = Image.new("RGBA", self.img.size, rgba(top, alpha))
        if bottom is not None:
            y1 = self.height if y1 is None else y1
            draw = ImageDraw.Draw(layer)
            for row in range(self.img.size[1]):
                t = min(max(((row + 0.5) / (SS * self.k) - y0) / max(y1 - y0, 1e-9), 0), 1)
                draw.line([(0, row), (self.img.size[0], row)], fill=rgba(mix(top, bottom, t), alpha))
        layer.putalpha(Image.eval(mask, lambda v: v * alpha // 255))
        self.img.alpha_composite(layer)

    def result(self):
        return self.img.resize(self.pixels, Image.BOX)


def save_png(img, name, percent=100):
    assert img.mode == "RGBA"
    folder = IMAGES if percent == 100 else os.path.join(IMAGES, str(percent))
    os.makedirs(folder, exist_ok=True)
    img.save(os.path.join(folder, name), optimize=True)


# --- frame skin (id 200), 40 x 40 -------------------------------------------------------
# Blue title band of 26 rows with rounded top corners, a thin grey outline down the sides
# and along the bottom, transparent inside. The corners follow the window region's
# three-step staircase (3, 2 and 1 pixels cut), so the outline stays whole after clipping.
# At a larger scale every length is scaled as the window scales its layout: the band, the
# outline (a line of px(1) pixels) and the staircase, which the window's region cuts with
# px(3) steps of one pixel each.
def frame_skin(percent=100):
    w, h, band, line, steps = px(40, percent), px(40, percent), px(26, percent), px(1, percent), px(3, percent)
    k = percent / 100
    img = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    pixel = img.load()
    for y in range(band):
        logical = int(y / k)
        colour = mix(BLUE_LIGHT, BLUE, min(max(y / k - 1, 0) / (26 - 3), 1))
        if logical == 1:
            colour = mix(colour, WHITE, 0.18)  # a faint top light
        if y >= band - line:
            colour = BLUE_DARK
        edge = mix(colour, BLUE_DARK, 0.7)
        for x in range(w):
            pixel[x, y] = rgba(edge if x < line or x >= w - line else colour)
    for y in range(line):
        for x in range(w):
            pixel[x, y] = rgba(BLUE_DARK)
    for y in range(band, h):
        for x in range(line):
            pixel[x, y] = pixel[w - 1 - x, y] = rgba(OUTLINE)
    for y in range(h - line, h):
        for x in range(w):
            pixel[x, y] = rgba(OUTLINE)
    # The staircase: what the region cuts is left transparent, and the new outermost
    # pixels of each cut row take the edge colour.
    for row in range(steps):
        cut = steps - row
        for y, colour in ((row, BLUE_DARK), (h - 1 - row, OUTLINE)):
            for x in range(cut):
                pixel[x, y] = pixel[w - 1 - x, y] = (0, 0, 0, 0)
            for x in range(cut, min(cut + line, w // 2)):
                pixel[x, y] = pixel[w - 1 - x, y] = rgba(colour)
    return img


# --- close button strip (id 157), 21 x 80: normal, hover, pressed, faded ----------------
def close_strip(percent=100):
    fw, fh = px(21, percent), px(20, percent)
    strip = Image.new("RGBA", (fw, 4 * fh), (0, 0, 0, 0))
    looks = [
        (None, 235),                       # normal: white cross on the band
        (((0xE8, 0x5B, 0x50), (0xD9, 0x45, 0x3B)), 255),  # hover: red plate
        (((0xB8, 0x38, 0x2F), (0xC8, 0x42, 0x38)), 255),  # pressed: darker, lit from below
        (None, 110),                       # faded
    ]
    for index, (plate, cross_alpha) in enumerate(looks):
        c = Canvas(21, 20, percent)
        if plate:
            c.fill(c.rounded_mask(1, 1, 20, 19, 3), plate[0], plate[1], y0=1, y1=19)
        arm = 3.5
        cx, cy = 10.5, 10
        for (x0, y0, x1, y1) in ((cx - arm, cy - arm, cx + arm, cy + arm), (cx - arm, cy + arm, cx + arm, cy - arm)):
            c.fill(c.stroke_mask([(x0, y0), (x1, y1)], 1.5), WHITE, alpha=cross_alpha)
        strip.paste(c.result(), (0, fh * index))
    return strip


# --- push-button skin (id 186), 72 x 24: normal, hover, pressed, disabled ----------------
# Each 18 x 24 frame is cut into 6-pixel caps and a 6-pixel middle that is tiled, so the
# middle columns are uniform left to right. The body is 22 rows high (the Install button);
# the two rows below are a soft shadow that a 23-row button shows one row of.
def push_button(percent=100):
    looks = [
        ((0x1B, 0x78, 0xBB), (0x4F, 0xB2, 0xED), (0x24, 0x8B, 0xD2), 0.22),  # normal
        ((0x1F, 0x84, 0xC6), (0x6A, 0xC2, 0xF4), (0x32, 0x9B, 0xDE), 0.25),  # hover
        ((0x14, 0x5E, 0x98), (0x1D, 0x79, 0xBA), (0x2B, 0x8E, 0xD2), 0.0),   # pressed
        ((0x98, 0xA6, 0xAD), (0xB9, 0xC4, 0xCA), (0xA6, 0xB3, 0xB9), 0.12),  # disabled
    ]
    # Caps and middle stay a third of the frame each, so the frame is three scaled sixes.
    fw, fh = 3 * px(6, percent), px(24, percent)
    strip = Image.new("RGBA", (4 * fw, fh), (0, 0, 0, 0))
    for index, (border, top, bottom, light) in enumerate(looks):
        c = Canvas(fw * 100 / percent, 24, percent, (fw, fh))
        r = c.width
        c.fill(c.rounded_mask(0, 1, r, 23, 3), SLATE, alpha=28)  # shadow, one row down
        c.fill(c.rounded_mask(0, 0, r, 22, 3), border)
        c.fill(c.rounded_mask(1, 1, r - 1, 21, 2), top, bottom, y0=1, y1=21)
        if light:
            c.fill(ImageChops.subtract(c.rounded_mask(1, 1, r - 1, 21, 2), c.rounded_mask(1, 2, r - 1, 21, 2)), WHITE,
                   alpha=round(255 * light))
        strip.paste(c.result(), (fw * index, 0))
    return strip


# --- selector skin (id 196), 54 x 22: normal, hover, pressed -----------------------------
# A white field with a thin border; the destination is 21 rows high, so the body is too.
def selector(percent=100):
    looks = [
        ((0xB4, 0xC3, 0xCA), WHITE, (0xF7, 0xFA, 0xFB)),
        (ACCENT, WHITE, (0xF4, 0xFA, 0xFD)),
        ((0x2A, 0x95, 0xC4), (0xDD, 0xF0, 0xF9), (0xE9, 0xF5, 0xFB)),
    ]
    fw, fh = 3 * px(6, percent), px(22, percent)
    strip = Image.new("RGBA", (3 * fw, fh), (0, 0, 0, 0))
    for index, (border, top, bottom) in enumerate(looks):
        c = Canvas(fw * 100 / percent, 22, percent, (fw, fh))
        r = c.width
        c.fill(c.rounded_mask(0, 0, r, 21, 2), border)
        c.fill(c.rounded_mask(1, 1, r - 1, 20, 1), top, bottom, y0=1, y1=20)
        strip.paste(c.result(), (fw * index, 0))
    return strip


# --- switch arrows (id 197), 36 x 13: normal (slate), hover (blue), pressed (blue) ------
# Two opposed arrows, drawn on whole pixels so they stay sharp at this size.
ARROWS = [
    "............",
    "............",
    ".......#....",
    "........#...",
    ".##########.",
    "........#...",
    ".......#....",
    "....#.......",
    "...#........",
    ".##########.",
    "...#........",
    "....#.......",
    "............",
]


# Larger scales draw the same arrows as strokes one scaled pixel wide.
def switch_arrows(percent=100):
    colours = (SLATE, ACCENT, BLUE)
    if percent != 100:
        fw = px(12, percent)
        strip = Image.new("RGBA", (3 * fw, px(13, percent)), (0, 0, 0, 0))
        for index, colour in enumerate(colours):
            c = Canvas(12, 13, percent)
            for points in (((1, 4.5), (11, 4.5)), ((7.5, 2.5), (9.5, 4.5), (7.5, 6.5)),
                           ((1, 9.5), (11, 9.5)), ((4.5, 7.5), (2.5, 9.5), (4.5, 11.5))):
                c.fill(c.stroke_mask(list(points), 1), colour)
            strip.paste(c.result(), (fw * index, 0))
        return strip
    strip = Image.new("RGBA", (36, 13), (0, 0, 0, 0))
    pixel = strip.load()
    for index, colour in enumerate(colours):
        for y, row in enumerate(ARROWS):
            for x, cell in enumerate(row):
                if cell == "#":
                    pixel[12 * index + x, y] = rgba(colour)
    return strip


# --- default application icon (id 153), 55 x 56 -----------------------------------------
# A green tile with a white package (an open box) on it; the last row is its shadow.
def default_app_icon(percent=100):
    c = Canvas(55, 56, percent)
    c.fill(c.rounded_mask(0.5, 1.5, 54.5, 56, 11), SLATE, alpha=40)
    c.fill(c.rounded_mask(0.5, 0.5, 54.5, 54.5, 11), GREEN_DARK)
    c.fill(c.rounded_mask(1.5, 1.5, 53.5, 53.5, 10), GREEN_LIGHT, GREEN, y0=1.5, y1=53.5)
    c.fill(ImageChops.subtract(c.rounded_mask(1.5, 1.5, 53.5, 53.5, 10), c.rounded_mask(1.5, 2.5, 53.5, 53.5, 10)),
           WHITE, alpha=70)
    # An isometric box: top face, left face, right face, each a little different.
    top = [(27.5, 12), (42, 19.5), (27.5, 27), (13, 19.5)]
    left = [(13, 21.5), (26.5, 28.5), (26.5, 44), (13, 37)]
    right = [(28.5, 28.5), (42, 21.5), (42, 37), (28.5, 44)]
    c.fill(c.polygon_mask(top), WHITE, alpha=255)
    c.fill(c.polygon_mask(left), WHITE, alpha=235)
    c.fill(c.polygon_mask(right), WHITE, alpha=205)
    # The tape across the lid.
    c.fill(c.polygon_mask([(20.25, 15.75), (23.25, 14.2), (37.75, 21.75), (34.75, 23.3)]), GREEN, alpha=150)
    return c.result()


# --- separator (id 187), 355 x 2 ----------------------------------------------------------
# An etched line: a grey row over a white one, fading out at both ends.
def separator(percent=100):
    w, line = px(355, percent), px(1, percent)
    img = Image.new("RGBA", (w, 2 * line), (0, 0, 0, 0))
    pixel = img.load()
    fade = 24 * percent / 100
    for x in range(w):
        edge = min(x + 0.5, w - x - 0.5) / fade
        alpha = min(edge, 1.0)
        for y in range(line):
            pixel[x, y] = rgba((0xCF, 0xDA, 0xDF), round(255 * alpha))
            pixel[x, line + y] = rgba(WHITE, round(255 * alpha))
    return img


# --- warning triangle (id 180), 16 x 14 --------------------------------------------------
def warning_triangle(percent=100):
    c = Canvas(16, 14, percent)
    outer = [(8, 0.3), (15.8, 13.6), (0.2, 13.6)]
    inner = [(8, 1.9), (14.4, 12.8), (1.6, 12.8)]
    c.fill(c.stroke_mask(outer + [outer[0]], 0.9), (0xD8, 0x86, 0x0B))
    c.fill(c.polygon_mask(outer), (0xD8, 0x86, 0x0B))
    c.fill(c.polygon_mask(inner), (0xFF, 0xC8, 0x3D), (0xF5, 0xA6, 0x1C), y0=2, y1=13)
    ink = (0x4A, 0x2E, 0x00)
    c.fill(c.polygon_mask([(7.1, 4.6), (8.9, 4.6), (8.55, 9.3), (7.45, 9.3)]), ink)
    c.fill(c.ellipse_mask(8, 11.0, 0.95, 0.95), ink)
    return c.result()


# --- busy indicator (resource "GIF" 192) -------------------------------------------------
# Eight dots round a ring; a bright head with a fading tail moves one dot per frame.
# The first frame holds every dot; each later frame holds only the rectangle that changes,
# with unchanged pixels transparent, and is left in place (disposal 1) for the next one to
# draw over. Dot edges are blended with the window's background, where the control sits.
DOT_SHADES = [BLUE, (0x55, 0xA7, 0xDD), (0x88, 0xC1, 0xE8), (0xB2, 0xD6, 0xEE)]
DOT_BASE = (0xD0, 0xE2, 0xEC)


def busy_composites(percent):
    import math
    frames = []
    for head in range(8):
        c = Canvas(16, 16, percent)
        for dot in range(8):
            behind = (head - dot) % 8
            colour = DOT_SHADES[behind] if behind < len(DOT_SHADES) else DOT_BASE
            angle = math.radians(-90 + 45 * dot)
            cx = 8 + 5.8 * math.cos(angle)
            cy = 8 + 5.8 * math.sin(angle)
            c.fill(c.ellipse_mask(cx, cy, 1.6, 1.6), colour)
        frames.append(c.result())
    return frames


def quantise_on_background(img):
    """Opaque colours over the window background; pixels hardly touched stay transparent
    (None)."""
    out = []
    for y in range(img.height):
        for x in range(img.width):
            r, g, b, a = img.getpixel((x, y))
            if a < 40:
                out.append(None)
                continue
            t = a / 255
            out.append(tuple(round(c * t + bg * (1 - t)) for c, bg in zip((r, g, b), WINDOW_BG)))
    return out


def busy_gif(percent=100):
    n, step = px(16, percent), px(2, percent)
    composites = [quantise_on_background(img) for img in busy_composites(percent)]
    colours = sorted({c for frame in composites for c in frame if c is not None})
    transparent, white = 0, 255
    assert len(colours) <= 254, len(colours)
    palette = [WINDOW_BG] + colours + [(0, 0, 0)] * (254 - len(colours)) + [WHITE]
    index_of = {c: i + 1 for i, c in enumerate(colours)}

    gif = bytearray(b"GIF89a")
    # Logical screen n x n, global table of 256 entries, background index -> white.
    gif += struct.pack("<HHBBB", n, n, 0xF7, white, 0)
    for colour in palette:
        gif += bytes(colour)
    gif += b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"  # loop for ever
    previous = None
    for frame in composites:
        if previous is None:
            left, top = 0, 0
        else:
            changed = [(i % n, i // n) for i in range(n * n) if frame[i] != previous[i]]
            assert all(previous[i] is not None for i in range(n * n) if frame[i] is not None)
            min_x = min(x for x, _ in changed)
            min_y = min(y for _, y in changed)
            # Frames start at the edge or 2 scaled pixels in and always reach the far edges.
            left = step if min_x >= step else 0
            top = step if min_y >= step else 0
        width, height = n - left, n - top
        pixels = []
        for y in range(top, n):
            for x in range(left, n):
                colour = frame[y * n + x]
                unchanged = previous is not None and colour == previous[y * n + x]
                pixels.append(transparent if colour is None or unchanged else index_of[colour])
        # Graphic control: disposal 1 (leave in place), transparent index, 60 ms.
        gif += struct.pack("<BBBBHBB", 0x21, 0xF9, 4, (1 << 2) | 1, 6, transparent, 0)
        gif += struct.pack("<BHHHHB", 0x2C, left, top, width, height, 0)
        gif += bytes([8]) + sub_blocks(lzw_encode(pixels, 8))
        previous = frame
    gif += b"\x3B"
    return bytes(gif)


# --- program icon (id 128), .ico with 16, 20, 24, 32, 40, 48, 64 and 256 pixels ---------
# A green tile with a white arrow going down into a tray: "install".
def app_icon(size):
    c = Canvas(size, size)
    s = size / 32
    radius = max(2.0, 6 * s)
    inset = 0.5 if size <= 24 else s
    border = max(1, round(s))
    c.fill(c.rounded_mask(inset, inset, size - inset, size - inset, radius), GREEN_DARK)
    c.fill(c.rounded_mask(inset + border, inset + border, size - inset - border, size - inset - border,
                          radius - border), GREEN_LIGHT, GREEN, y0=inset, y1=size - inset)
    # Strokes of whole pixels, centred so that their straight edges fall on pixel edges.
    stroke = max(2, round(size / 8))

    def snap(v):
        return round(v - stroke / 2) + stroke / 2

    mid = snap(size / 2)
    c.fill(c.stroke_mask([(mid, snap(6 * s)), (mid, 18.5 * s)], stroke), WHITE)
    head = 5.6 * s
    c.fill(c.stroke_mask([(mid - head, 14 * s), (mid, 19.6 * s), (mid + head, 14 * s)], stroke), WHITE)
    # The tray under it.
    left, right, bottom = snap(8 * s), snap(24 * s), snap(24.5 * s)
    c.fill(c.stroke_mask([(left, snap(20 * s)), (left, bottom), (right, bottom), (right, snap(20 * s))], stroke),
           WHITE)
    return c.result()


# --- pictures for the widget tests, made by ImageMagick ---------------------------------
def imagemagick_test_pictures():
    def convert(*args):
        subprocess.run(["convert", *args], check=True, cwd=TEST_DATA)

    # Three frames of different sizes and places, each disposal method, a comment and the
    # looping extension.
    convert("-size", "20x12", "-delay", "7", "-dispose", "None", "xc:#C00000",
            "-dispose", "Background", "-page", "20x12+4+2", "-size", "8x5", "xc:#0000C0",
            "-dispose", "Previous", "-page", "20x12+10+6", "-size", "6x4", "xc:#00A000",
            "-set", "comment", "made by convert", "-loop", "0", "-strip", "+set", "date:create",
            "im-three-frames.gif")
    # Frames with their own colour tables and a transparent colour.
    convert("-size", "10x10", "-delay", "3", "gradient:red-yellow",
            "(", "-size", "10x10", "gradient:blue-cyan", "-transparent", "#0000FF", ")",
            "-loop", "0", "im-local-tables.gif")
    # One frame only.
    convert("-size", "12x9", "xc:#20A0E0", "im-one-frame.gif")
    # Not a GIF at all: a bitmap the picture loader reads as a still.
    convert("-size", "10x7", "xc:#E07020", "BMP3:im-still.bmp")


# --- seeds for the GIF walker's fuzz target ----------------------------------------------
def fuzz_seeds():
    def header(version=b"89a", width=4, height=4, table_bits=1, background=0):
        packed = 0 if table_bits is None else 0x80 | 0x70 | table_bits
        out = b"GIF" + version + struct.pack("<HHBBB", width, height, packed, background, 0)
        if table_bits is not None:
            out += bytes(range(3 * (2 << table_bits)))
        return out

    def control(disposal, delay, transparent=None):
        flags = (disposal << 2) | (1 if transparent is not None else 0)
        return struct.pack("<BBBBHBB", 0x21, 0xF9, 4, flags, delay, transparent or 0, 0)

    def image(left, top, width, height, local_bits=None):
        packed = 0 if local_bits is None else 0x80 | local_bits
        out = struct.pack("<BHHHHB", 0x2C, left, top, width, height, packed)
        if local_bits is not None:
            out += bytes(3 * (2 << local_bits))
        return out + bytes([2]) + sub_blocks(lzw_encode([1] * (width * height), 2))

    comment = b"\x21\xFE" + sub_blocks(b"seed")
    looping = b"\x21\xFF\x0BNETSCAPE2.0\x03\x01\x00\x00\x00"
    plain_text = b"\x21\x01\x0C" + bytes(12) + sub_blocks(b"text")
    seeds = {
        "two-frames-extensions": header() + looping + comment + control(2, 4, 0) + comment + image(0, 0, 4, 4)
        + control(3, 10) + image(1, 1, 2, 2, local_bits=1) + b"\x3B",
        "plain-text-frame": header() + control(1, 0) + plain_text + image(0, 0, 4, 4) + b"\x3B",
        "no-global-table-87a": header(b"87a", table_bits=None) + image(0, 0, 4, 4, local_bits=0) + b"\x3B",
        "truncated-second-frame":
            (header() + control(1, 5) + image(0, 0, 4, 4) + control(1, 5) + image(0, 0, 4, 4))[:-3],
        "stray-byte": header() + image(0, 0, 4, 4) + b"\x00" + image(0, 0, 4, 4) + b"\x3B",
    }
    os.makedirs(FUZZ_SEEDS, exist_ok=True)
    for name, data in seeds.items():
        with open(os.path.join(FUZZ_SEEDS, name + ".gif"), "wb") as f:
            f.write(data)


def main():
    os.makedirs(IMAGES, exist_ok=True)
    os.makedirs(TEST_DATA, exist_ok=True)
    for percent in (100,) + SCALED_SETS:
        save_png(frame_skin(percent), "frame-skin.png", percent)
        save_png(close_strip(percent), "close-button.png", percent)
        save_png(push_button(percent), "push-button.png", percent)
        save_png(selector(percent), "selector.png", percent)
        save_png(switch_arrows(percent), "selector-arrows.png", percent)
        save_png(default_app_icon(percent), "default-app-icon.png", percent)
        save_png(separator(percent), "separator.png", percent)
        save_png(warning_triangle(percent), "warning.png", percent)
    with open(os.path.join(IMAGES, "busy.gif"), "wb") as f:
        f.write(busy_gif())
    for percent in SCALED_SETS:
        with open(os.path.join(IMAGES, str(percent), "busy.gif"), "wb") as f:
            f.write(busy_gif(percent))
    # The window's icons at 100, 125, 150 and 200 % (16 to 32 and 32 to 64 pixels) and the
    # shell's large views.
    with open(os.path.join(IMAGES, "ApkInstaller.ico"), "wb") as f:
        f.write(ico_file([app_icon(n) for n in (16, 20, 24, 32, 40, 48, 64, 256)]))
    imagemagick_test_pictures()
    fuzz_seeds()
    return 0


if __name__ == "__main__":
    sys.exit(main())
