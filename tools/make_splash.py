#!/usr/bin/env python3
"""Draws the launcher's splash picture: an evening stadium under floodlights
with the game's title, as an uncompressed, bottom-up 8-bit BMP with a full
256-colour table (the one format the launcher shows).

usage: make_splash.py <out.bmp> [width height]   (default 478 x 361, the
picture area under the launcher's buttons). The output is deterministic."""
import math
import struct
import sys

DEFAULT_SIZE = (478, 361)
TITLE, BADGE = "Kora Manager", "DEMO"

# --- Palette -----------------------------------------------------------------
# Ramps of neighbouring indexes, so that a gradient is an index range and an
# ordered dither between neighbours smooths its steps.
SKY, SKY_N = 0, 96
GRASS_LIGHT, GRASS_DARK, GRASS_N = 96, 112, 16
STAND, STAND_N = 128, 16
GOLD, GOLD_N = 144, 32
RED, RED_N = 176, 16
GLOW, GLOW_N = 192, 16
BALL, BALL_N = 224, 16
BLACK, WHITE, OUTLINE, SHADOW, LINE, POLE = 240, 241, 242, 243, 244, 245
CROWD = (246, 247, 248, 249, 250, 251)

SKY_KEYS = [(0.0, (8, 12, 42)), (0.45, (30, 40, 110)), (0.75, (110, 70, 140)),
            (0.9, (220, 110, 110)), (1.0, (255, 180, 100))]


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def through(keys, t):
    """Colour at t along piecewise-linear key colours."""
    for (t0, c0), (t1, c1) in zip(keys, keys[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0))
    return keys[-1][1]


def ramp(first, last, n):
    return [mix(first, last, i / (n - 1)) for i in range(n)]


def palette():
    colours = [(0, 0, 0)] * 256
    sections = [
        (SKY, [through(SKY_KEYS, i / (SKY_N - 1)) for i in range(SKY_N)]),
        # Grass gets darker and bluer with distance: index 0 is far away.
        (GRASS_LIGHT, ramp((40, 80, 60), (80, 170, 60), GRASS_N)),
        (GRASS_DARK, ramp((30, 64, 52), (58, 138, 46), GRASS_N)),
        (STAND, ramp((14, 14, 30), (70, 66, 90), STAND_N)),
        (GOLD, [through([(0, (255, 250, 190)), (0.4, (255, 210, 60)),
                         (1, (170, 90, 10))], i / (GOLD_N - 1)) for i in range(GOLD_N)]),
        (RED, ramp((240, 60, 50), (130, 10, 20), RED_N)),
        (GLOW, ramp((255, 190, 120), (255, 255, 245), GLOW_N)),
        (BALL, ramp((90, 90, 100), (255, 255, 255), BALL_N)),
        (BLACK, [(0, 0, 0), (255, 255, 255), (40, 20, 10), (10, 10, 25), (235, 240, 230),
                 (50, 50, 60), (170, 50, 50), (190, 190, 190), (50, 80, 170), (200, 170, 50),
                 (120, 120, 130), (90, 40, 40)]),
    ]
    for start, entries in sections:
        colours[start:start + len(entries)] = entries
    return colours


# --- Canvas ------------------------------------------------------------------
BAYER = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def dither(x, y, value):
    """Rounds `value` up or down by a 4x4 ordered pattern."""
    base = math.floor(value)
    return base + (value - base > (BAYER[y & 3][x & 3] + 0.5) / 16)


def shade(start, count, t, x, y):
    """Ramp index for t in [0, 1], dithered between neighbours."""
    t = min(max(t, 0.0), 1.0)
    return start + min(count - 1, dither(x, y, t * (count - 1)))


class Canvas:
    def __init__(self, width, height):
        self.width, self.height = width, height
        self.pixels = bytearray(width * height)

    def put(self, x, y, index):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y * self.width + x] = index

    def get(self, x, y):
        return self.pixels[y * self.width + x]

    def bmp(self, colours):
        stride = (self.width + 3) & ~3
        table = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
        rows = b"".join(bytes(self.pixels[y * self.width:(y + 1) * self.width])
                        + bytes(stride - self.width) for y in reversed(range(self.height)))
        offset = 14 + 40 + len(table)
        file_header = struct.pack("<2sIHHI", b"BM", offset + len(rows), 0, 0, offset)
        # Colours used 0 stands for a full table of 256.
        used = len(colours) % 256
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 8, 0, len(rows),
                           2835, 2835, used, 0)
        return file_header + info + table + rows


# --- Scene -------------------------------------------------------------------
class Stadium:
    """Ground plane seen from a camera `eye` metres high: screen row y below
    the horizon shows distance focal * eye / (y - horizon)."""

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.horizon = height * 0.50
        self.focal = width * 0.85
        self.eye = 9.0
        self.far_goal = 95.0
        self.halfway = 42.0
        self.stand_foot = round(self.row_at(self.far_goal))
        self.stand_top = round(self.stand_foot - height * 0.13)

    def row_at(self, distance):
        return self.horizon + self.focal * self.eye / distance

    def ground(self, x, y):
        """(across, along) in metres for a screen point on the pitch."""
        along = self.focal * self.eye / (y + 0.5 - self.horizon)
        return (x + 0.5 - self.width / 2) * along / self.focal, along

    def on_line(self, x, y):
        across, along = self.ground(x, y)
        px = along / self.focal  # metres per pixel across
        py = along * along / (self.focal * self.eye)  # metres per pixel along
        wide, deep = max(0.12, px * 0.9), max(0.12, py * 0.9)
        if along > self.far_goal + deep or abs(across) > 34 + wide:
            return False
        centre = math.hypot(across, along - self.halfway)
        return (abs(abs(across) - 34) < wide or abs(along - self.far_goal) < deep
                or abs(along - self.halfway) < deep
                or abs(centre - 9.15) < max(wide, deep * abs(along - self.halfway) / 9.15 + 0.05)
                or (abs(across) <= 20.16 and abs(along - (self.far_goal - 16.5)) < deep)
                or (abs(abs(across) - 20.16) < wide and along > self.far_goal - 16.5))

    def paint(self, canvas):
        for y in range(self.height):
            for x in range(self.width):
                canvas.put(x, y, self.pixel(x, y))

    def pixel(self, x, y):
        if y < self.stand_top:
            return self.sky(x, y)
        if y < self.stand_foot:
            return self.stand(x, y)
        if self.on_line(x, y):
            return LINE
        across, along = self.ground(x, y)
        first = GRASS_LIGHT if int(along / 6) % 2 == 0 else GRASS_DARK
        return shade(first, GRASS_N, 1.25 - along / 90, x, y)

    def sky(self, x, y):
        star = (x * 7919 + y * 104729) % 977
        if y < self.stand_top * 0.6 and star == 0:
            return WHITE
        return shade(SKY, SKY_N, y / self.stand_top, x, y)

    def stand(self, x, y):
        # Tiers of spectators: dots of colour on the dark stand, fewer further up.
        depth = (y - self.stand_top) / (self.stand_foot - self.stand_top)
        if y % 3 == 1 and (x * 31 + y * 17) % 11 < 2 + depth * 4:
            return CROWD[(x * 13 + y * 7) % len(CROWD)]
        if y == self.stand_top or y == self.stand_top + 1:
            return STAND + STAND_N - 1  # the roof's lit edge
        return shade(STAND, STAND_N, 0.2 + depth * 0.5, x, y)


def floodlight(canvas, scene, cx):
    """A mast from the stand's roof up to a lamp bank with a soft glow."""
    top = round(scene.height * 0.16)
    w, h = max(3, canvas.width // 40), max(3, canvas.height // 45)
    glow = canvas.width * 0.11
    for y in range(max(0, round(top - glow)), min(scene.stand_top, round(top + glow))):
        for x in range(max(0, round(cx - glow)), min(canvas.width, round(cx + glow))):
            t = 1 - math.hypot(x - cx, (y - top) * 1.3) / glow
            if t > 0 and dither(x, y, t * t * 1.6) >= 1:
                canvas.put(x, y, shade(GLOW, GLOW_N, t * 1.4 - 0.2, x, y))
    for y in range(top, scene.stand_top):
        canvas.put(round(cx), y, POLE)
        canvas.put(round(cx) + 1, y, POLE)
    for y in range(top - h, top + 1):
        for x in range(round(cx - w), round(cx + w) + 1):
            lamp = (x - round(cx - w)) % 3 != 2 and (y - top + h) % 3 != 2
            canvas.put(x, y, WHITE if lamp else POLE)


def goal(canvas, scene):
    """The far goal: two posts and a crossbar on the far goal line."""
    pixels_per_metre = scene.focal / scene.far_goal
    foot = scene.stand_foot
    top = round(foot - 2.44 * pixels_per_metre)
    half = round(3.66 * pixels_per_metre)
    middle = canvas.width // 2
    for y in range(top, foot + 1):
        canvas.put(middle - half, y, WHITE)
        canvas.put(middle + half, y, WHITE)
    for x in range(middle - half, middle + half + 1):
        canvas.put(x, top, WHITE)
        for y in range(top + 1, foot, 2):  # the net
            if (x + y) % 2 == 0:
                canvas.put(x, y, BALL + 6)


def ball(canvas, cx, cy, r):
    for y in range(round(cy + r * 0.7), round(cy + r * 1.25)):
        for x in range(round(cx - r * 1.3), round(cx + r * 1.5)):
            if ((x - cx - r * 0.2) / (r * 1.3)) ** 2 + ((y - cy - r) / (r * 0.25)) ** 2 < 1:
                grass = canvas.get(x, y)
                canvas.put(x, y, GRASS_DARK if grass >= GRASS_DARK else GRASS_DARK + 2)
    patches = [(0, 0), (0.75, 0.55), (-0.8, 0.4), (0.55, -0.8), (-0.6, -0.75)]
    for y in range(round(cy - r), round(cy + r) + 1):
        for x in range(round(cx - r), round(cx + r) + 1):
            dx, dy = (x - cx) / r, (y - cy) / r
            if dx * dx + dy * dy > 1:
                continue
            dz = math.sqrt(1 - dx * dx - dy * dy)
            if any(math.hypot(dx - px * (1 - dz * 0.3), dy - py * (1 - dz * 0.3)) < 0.28 * dz + 0.06
                   for px, py in patches):
                canvas.put(x, y, BLACK)
                continue
            light = max(0.0, -0.45 * dx - 0.55 * dy + 0.7 * dz)
            canvas.put(x, y, shade(BALL, BALL_N, 0.25 + light * 0.85, x, y))


# --- Lettering ---------------------------------------------------------------
# 5 x 9 cells: seven rows above the baseline, two for descenders.
FONT = {
    "K": ["X...X", "X..X.", "X.X..", "XX...", "X.X..", "X..X.", "X...X"],
    "M": ["X...X", "XX.XX", "X.X.X", "X.X.X", "X...X", "X...X", "X...X"],
    "D": ["XXXX.", "X...X", "X...X", "X...X", "X...X", "X...X", "XXXX."],
    "E": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
    "O": [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "o": [".....", ".....", ".XXX.", "X...X", "X...X", "X...X", ".XXX."],
    "r": [".....", ".....", "X.XX.", "XX..X", "X....", "X....", "X...."],
    "a": [".....", ".....", ".XXX.", "....X", ".XXXX", "X...X", ".XXXX"],
    "n": [".....", ".....", "X.XX.", "XX..X", "X...X", "X...X", "X...X"],
    "e": [".....", ".....", ".XXX.", "X...X", "XXXXX", "X....", ".XXX."],
    "g": [".....", ".....", ".XXXX", "X...X", "X...X", "X...X", ".XXXX", "....X", ".XXX."],
    " ": [],
}
CELL_W, CELL_H, ADVANCE = 5, 9, 6


def text_mask(text, scale):
    """Set of (x, y) pixels of `text` drawn with `scale`-pixel dots."""
    mask = set()
    for i, char in enumerate(text):
        for row, bits in enumerate(FONT[char]):
            for col, bit in enumerate(bits):
                if bit == "X":
                    x0, y0 = (i * ADVANCE + col) * scale, row * scale
                    mask.update((x0 + dx, y0 + dy) for dx in range(scale) for dy in range(scale))
    return mask


def text_width(text, scale):
    return (len(text) * ADVANCE - 1) * scale


def grow(mask, radius):
    ring = [(dx, dy) for dx in range(-radius, radius + 1) for dy in range(-radius, radius + 1)
            if dx * dx + dy * dy <= radius * radius + radius]
    return {(x + dx, y + dy) for x, y in mask for dx, dy in ring}


def lettering(canvas, text, left, top, scale, fill):
    """Drop shadow, dark outline, then the letters coloured by fill(x, y, v),
    v running from 0 at the cap line to 1 at the baseline."""
    mask = text_mask(text, scale)
    outline = grow(mask, max(1, scale // 2))
    depth = max(1, scale // 2)
    for x, y in outline:
        canvas.put(left + x + depth, top + y + depth, SHADOW)
    for x, y in outline:
        canvas.put(left + x, top + y, OUTLINE)
    for x, y in mask:
        canvas.put(left + x, top + y, fill(left + x, top + y, y / (7 * scale)))


def title(canvas):
    w, h = canvas.width, canvas.height
    scale = max(1, min(w * 4 // 5 // text_width(TITLE, 1), h // 55))
    left, top = (w - text_width(TITLE, scale)) // 2, round(h * 0.07)

    def gold(x, y, v):
        return GOLD if v < 0.09 else shade(GOLD, GOLD_N, 0.15 + v * 0.8, x, y)

    lettering(canvas, TITLE, left, top, scale, gold)
    badge(canvas, left + text_width(TITLE, scale), top + CELL_H * scale + scale, max(1, scale // 2))


def badge(canvas, right, top, scale):
    """A red tag with white lettering, hanging under the title's right end."""
    pad = 2 * scale
    width, height = text_width(BADGE, scale) + 2 * pad, 7 * scale + 2 * pad
    left = right - width
    for y in range(top, top + height):
        for x in range(left, left + width):
            corner = min(x - left, left + width - 1 - x) + min(y - top, top + height - 1 - y)
            if corner >= scale:
                canvas.put(x, y, shade(RED, RED_N, (y - top) / height, x, y))
    lettering(canvas, BADGE, left + pad, top + pad, scale, lambda x, y, v: WHITE)


def draw(width, height):
    canvas = Canvas(width, height)
    scene = Stadium(width, height)
    scene.paint(canvas)
    goal(canvas, scene)
    for cx in (width * 0.1, width * 0.9):
        floodlight(canvas, scene, cx)
    title(canvas)
    ball(canvas, width * 0.7, height * 0.84, height * 0.055)
    return canvas


def main(argv):
    if len(argv) not in (2, 4):
        sys.exit(__doc__)
    width, height = (int(argv[2]), int(argv[3])) if len(argv) == 4 else DEFAULT_SIZE
    if not (16 <= width <= 4096 and 16 <= height <= 4096):
        sys.exit("width and height must lie between 16 and 4096")
    with open(argv[1], "wb") as out:
        out.write(draw(width, height).bmp(palette()))


if __name__ == "__main__":
    main(sys.argv)
