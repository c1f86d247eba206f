#!/usr/bin/python3
"""Draw the sample artwork of the Corvane disc: every picture of the menu
and the program's icon, written into the brand folder brands/corvane.

Makes, in <outdir>/pictures/:
  heikei_{j,e,sc}.bmp            580x270 window backgrounds (logo, scene, tagline)
  appliname.bmp                  150x22 flat patch in the background colour
  cv_{0,1,2}.bmp                 "Install Corvane" button (normal/focus/pressed)
  freesetup_{j,e,sc}_{0,1,2}.bmp "run without installing" button
  man_{j,e,sc}_{0,1,2}.bmp       "open the manual" button
  tojiru_{0,1,2}.bmp, exit_{0,1,2}.bmp, exit_sc_{0,1,2}.bmp   close button
and <outdir>/icon.ico (16x16 and 32x32 at 8 bpp, 48x48 at 24 bpp).

The *_sc button pictures carry no lettering: the menu draws the Chinese
caption over them at run time (from x=28, y=4), so that area is kept plain.

The files are already in the exact formats the program carries (see
pictureformats.py), so the build takes them unchanged. Output is
deterministic: running the script twice gives byte-identical files.

Needs python3-pil and fonts-noto-cjk (Debian), plus fonts-liberation.

Usage:  make_pictures.py [OUTDIR]      (default: brands/corvane)
        make_pictures.py --check [OUTDIR]   verify the generated files
"""

import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

from pictureformats import PICTURES, bmp_bytes, bmp_faults, ico_bytes, ico_faults

PRODUCT = "Corvane"   # the product on the logo, the install button and the tagline
TITLE = "Pelmora"     # the program title under the title area

# --------------------------------------------------------------------------
# Fonts

NOTO_DIR = "/usr/share/fonts/opentype/noto"
LIB_DIR = "/usr/share/fonts/truetype/liberation"
CJK_FILES = {
    "regular": os.path.join(NOTO_DIR, "NotoSansCJK-Regular.ttc"),
    "bold": os.path.join(NOTO_DIR, "NotoSansCJK-Bold.ttc"),
}
LATIN_FILES = {
    "regular": os.path.join(LIB_DIR, "LiberationSans-Regular.ttf"),
    "bold": os.path.join(LIB_DIR, "LiberationSans-Bold.ttf"),
}

_font_cache = {}


def cjk_font(lang, weight, size):
    """Noto Sans CJK face for 'JP' or 'SC', found by name inside the .ttc."""
    key = ("cjk", lang, weight, size)
    if key not in _font_cache:
        path = CJK_FILES[weight]
        want = "Noto Sans CJK " + lang
        for index in range(16):
            f = ImageFont.truetype(path, size, index=index)
            if f.getname()[0] == want:
                _font_cache[key] = f
                break
        else:
            raise SystemExit("no %s face in %s" % (want, path))
    return _font_cache[key]


def latin_font(weight, size):
    key = ("latin", weight, size)
    if key not in _font_cache:
        _font_cache[key] = ImageFont.truetype(LATIN_FILES[weight], size)
    return _font_cache[key]


def font_for(lang, weight, size):
    if lang == "j":
        return cjk_font("JP", weight, size)
    if lang == "sc":
        return cjk_font("SC", weight, size)
    return latin_font(weight, size)


def baseline_for(font, lang, centre_y):
    """Baseline that puts the lettering's body centred on centre_y.

    Latin text is centred on its capital height (descenders hang below),
    CJK text on the full ideograph box, so every caption of a script sits
    at the same height whatever letters it contains."""
    ref = "H" if lang == "e" else "\u56fd"
    _, top, _, bottom = font.getbbox(ref, anchor="ls")
    return int(math.floor(centre_y - (top + bottom) / 2.0 + 0.5))


# --------------------------------------------------------------------------
# Colours

BG = (14, 38, 72)             # flat window colour behind the buttons (#0E2648)
PILL = {
    0: (0x8A, 0x9B, 0xB5),    # normal: grey-blue
    1: (0x9F, 0xE8, 0xF5),    # focus: light cyan
    2: (0xF5, 0xA0, 0x40),    # pressed: orange
}
CAPTION_INK = (12, 22, 38)
TITLE_INK = (244, 248, 252)
APPNAME_INK = (150, 190, 232)
HEADING_INK = (124, 152, 192)
RULE = (40, 70, 112)
TAGLINE_INK = (206, 226, 246)
MARK_LIGHT = (110, 226, 242)
MARK_DEEP = (40, 118, 226)
MARK_ACCENT = (0xF5, 0xA0, 0x40)

SS = 8  # supersampling factor for shapes


def mix(a, b, t):
    return tuple(int(math.floor(a[i] + (b[i] - a[i]) * t + 0.5)) for i in range(3))


# --------------------------------------------------------------------------
# Shape helpers (supersampled masks, downsampled with a box filter)

def downsample(mask, size):
    return mask.resize(size, Image.BOX)


def pill_mask(w, h, box):
    """Mask of a fully rounded bar occupying box=(x0,y0,x1,y1) (pixel edges)."""
    m = Image.new("L", (w * SS, h * SS), 0)
    d = ImageDraw.Draw(m)
    x0, y0, x1, y1 = [v * SS for v in box]
    r = (y1 - y0) / 2.0
    d.rounded_rectangle((x0, y0, x1 - 1, y1 - 1), radius=r, fill=255)
    return downsample(m, (w, h))


def mark_mask_parts(size):
    """Supersampled masks for the Corvane logo mark: an open ring ("C")
    and a small diamond vane sitting in its opening."""
    s = size * SS
    ring = Image.new("L", (s, s), 0)
    d = ImageDraw.Draw(ring)
    c = s / 2.0
    ro = s * 0.5
    ri = s * 0.285
    d.ellipse((c - ro, c - ro, c + ro - 1, c + ro - 1), fill=255)
    d.ellipse((c - ri, c - ri, c + ri - 1, c + ri - 1), fill=0)
    # opening to the right, a wedge of +-38 degrees
    a = math.radians(38)
    far = s * 2
    d.polygon([(c, c), (c + far * math.cos(a), c - far * math.sin(a)),
               (c + far, c), (c + far * math.cos(a), c + far * math.sin(a))],
              fill=0)
    # round off the ends of the ring
    rc = (ro - ri) / 2.0
    rm = (ro + ri) / 2.0
    for sgn in (-1, 1):
        ex = c + rm * math.cos(a)
        ey = c + sgn * rm * math.sin(a)
        d.ellipse((ex - rc, ey - rc, ex + rc - 1, ey + rc - 1), fill=255)
    vane = Image.new("L", (s, s), 0)
    dv = ImageDraw.Draw(vane)
    vx, vy, vr = c + s * 0.075, c, s * 0.165
    dv.polygon([(vx - vr * 0.8, vy), (vx, vy - vr), (vx + vr * 1.15, vy),
                (vx, vy + vr)], fill=255)
    return ring, vane


def diagonal_gradient(size, c0, c1):
    """size x size image going from c0 (top left) to c1 (bottom right)."""
    g = Image.linear_gradient("L").rotate(45, resample=Image.BICUBIC,
                                          expand=True)
    gw = g.size[0]
    inset = int(gw * 0.146)
    g = g.crop((inset, inset, gw - inset, gw - inset)).resize((size, size),
                                                               Image.BICUBIC)
    # linear_gradient runs top->bottom; after a 45 degree turn it runs
    # from the top-left corner towards the bottom-right one.
    return Image.composite(Image.new("RGB", (size, size), c1),
                           Image.new("RGB", (size, size), c0), g)


def draw_mark(canvas, x, y, size, ring_colours=(MARK_LIGHT, MARK_DEEP),
              vane_colour=MARK_ACCENT):
    """Paint the logo mark onto canvas (RGB) with its top left at (x, y)."""
    ring, vane = mark_mask_parts(size)
    ring = downsample(ring, (size, size))
    vane = downsample(vane, (size, size))
    grad = diagonal_gradient(size, ring_colours[0], ring_colours[1])
    canvas.paste(grad, (x, y), ring)
    canvas.paste(Image.new("RGB", (size, size), vane_colour), (x, y), vane)


# --------------------------------------------------------------------------
# Buttons

def pill_row_colour(base, row, body_top, body_bottom, pill_h):
    """Vertical shading: a soft highlight at the top, flat body, and a
    gentle darkening towards the bottom edge."""
    if row < body_top:
        t = (body_top - 1 - row) / float(body_top - 1)
        return mix(base, (255, 255, 255), 0.06 + 0.34 * t ** 1.3)
    if row <= body_bottom:
        return base
    t = (row - body_bottom) / float(pill_h - 1 - body_bottom)
    return mix(base, (0, 0, 0), 0.26 * t ** 1.4)


def chevron_badge(img, cx, cy, ink, face):
    """Small round badge with a right-pointing chevron, centred at cx, cy."""
    w, h = img.size
    m = Image.new("L", (w * SS, h * SS), 0)
    d = ImageDraw.Draw(m)
    r = 7.0 * SS
    X, Y = cx * SS, cy * SS
    d.ellipse((X - r, Y - r, X + r - 1, Y + r - 1), fill=255)
    img.paste(Image.new("RGB", (w, h), ink), (0, 0), downsample(m, (w, h)))
    m = Image.new("L", (w * SS, h * SS), 0)
    d = ImageDraw.Draw(m)
    a = 2.6 * SS
    lw = int(1.9 * SS)
    pts = [(X - a * 0.55, Y - a * 1.15), (X + a * 0.75, Y), (X - a * 0.55, Y + a * 1.15)]
    d.line(pts, fill=255, width=lw, joint="curve")
    for px, py in (pts[0], pts[2]):
        d.ellipse((px - lw / 2, py - lw / 2, px + lw / 2, py + lw / 2), fill=255)
    img.paste(Image.new("RGB", (w, h), face), (0, 0), downsample(m, (w, h)))


def make_button(w, h, state, caption, lang, pill_h=None):
    """Pill-shaped button picture; the pill fills rows 0..pill_h-1, anything
    outside it is the window colour."""
    pill_h = pill_h or h
    base = PILL[state]
    img = Image.new("RGB", (w, h), BG)
    fill = Image.new("RGB", (w, h), BG)
    fd = ImageDraw.Draw(fill)
    for row in range(pill_h):
        fd.line((0, row, w - 1, row),
                fill=pill_row_colour(base, row, 4, pill_h - 8, pill_h))
    img.paste(fill, (0, 0), pill_mask(w, h, (0, 0, w, pill_h)))
    centre = pill_h / 2.0
    chevron_badge(img, 15, centre, mix(CAPTION_INK, base, 0.12), base)
    if caption:
        d = ImageDraw.Draw(img)
        font = font_for(lang, "bold", 14)
        d.text((28, baseline_for(font, lang, centre)), caption,
               fill=CAPTION_INK, font=font, anchor="ls")
    return img


# --------------------------------------------------------------------------
# Backgrounds

W, H = 580, 270
VISIBLE_W = 574

LOGO_X, LOGO_Y, LOGO_SIZE = 23, 15, 36
APPNAME_BOX = (23, 67, 150, 18)      # left, top, width, height
BUTTONS = {                          # name: (left, top, width, height shown)
    "install": (23, 89, 249, 28),
    "freesetup": (23, 164, 249, 28),
    "manual": (23, 197, 249, 28),
    "exit": (23, 230, 100, 27),
}

TAGLINE = {
    "j": "{product} \u3078\u3088\u3046\u3053\u305d",
    "e": "Welcome to {product}",
    "sc": "\u6b22\u8fce\u4f7f\u7528 {product}",
}
TAGLINE_RIGHT, TAGLINE_Y = 552, 240             # right edge, centre line
TAGLINE_BOX = (380, 222, 574, 258)               # kept clear of line work
HEADING = {
    "j": "\u30a4\u30f3\u30b9\u30c8\u30fc\u30eb\u3057\u306a\u3044\u3067\u4f7f\u3046",
    "e": "Use without installing",
    "sc": "\u514d\u5b89\u88c5\u4f7f\u7528",
}


def radial(size, inner, power=1.0):
    """L image: 255*inner at the centre fading to 0 at the edge."""
    g = Image.radial_gradient("L").resize(size, Image.BICUBIC)
    lut = []
    for v in range(256):
        t = max(0.0, 1.0 - v / 181.0)       # 181 ~ edge of inscribed circle
        lut.append(int(math.floor(255 * inner * (t ** power) + 0.5)))
    return g.point(lut)


def scene():
    """The right-hand artwork (without text), as an RGB image the size of
    the window, plus the mask that fades it in from the left."""
    art = Image.new("RGB", (W, H), BG)
    # deep glow
    glow_c = (440, 140)
    for size, colour, inner, power in (
            ((520, 520), (26, 78, 140), 1.0, 1.6),
            ((300, 300), (48, 120, 196), 0.55, 2.0),
            ((150, 150), (120, 200, 240), 0.30, 2.2)):
        m = radial(size, inner, power)
        layer = Image.new("L", (W, H), 0)
        layer.paste(m, (glow_c[0] - size[0] // 2, glow_c[1] - size[1] // 2))
        art.paste(Image.new("RGB", (W, H), colour), (0, 0), layer)

    # lines dissolve behind the tagline so it reads cleanly
    calm = Image.new("L", (W, H), 255)
    ImageDraw.Draw(calm).rectangle((TAGLINE_BOX), fill=0)
    calm = calm.filter(ImageFilter.GaussianBlur(10))

    # concentric orbits around the glow, thin and faint
    rings = Image.new("L", (W * 4, H * 4), 0)
    d = ImageDraw.Draw(rings)
    cx, cy = glow_c[0] * 4, glow_c[1] * 4
    for r, width, level in ((64, 4, 90), (98, 4, 70), (136, 5, 56),
                            (178, 4, 42), (224, 4, 30), (272, 4, 20)):
        R = r * 4
        d.ellipse((cx - R, cy - R, cx + R, cy + R), outline=level, width=width)
    rings = rings.resize((W, H), Image.BOX)
    rings = ImageChops.multiply(rings, calm)
    art.paste(Image.new("RGB", (W, H), (150, 210, 245)), (0, 0), rings)

    # a bright sweeping arc on the second orbit, cyan into blue
    arc = Image.new("L", (W * 4, H * 4), 0)
    d = ImageDraw.Draw(arc)
    R = 136 * 4
    d.arc((cx - R, cy - R, cx + R, cy + R), start=200, end=300, fill=255,
          width=10)
    R = 98 * 4
    d.arc((cx - R, cy - R, cx + R, cy + R), start=-10, end=60, fill=200,
          width=8)
    arc = ImageChops.multiply(arc.resize((W, H), Image.BOX), calm)
    soft = arc.filter(ImageFilter.GaussianBlur(3))
    art.paste(Image.new("RGB", (W, H), (60, 170, 235)), (0, 0), soft)
    art.paste(Image.new("RGB", (W, H), (170, 236, 250)), (0, 0), arc)

    # small orange "satellite" on the outer arc
    sat = Image.new("L", (W * 4, H * 4), 0)
    d = ImageDraw.Draw(sat)
    ang = math.radians(300)
    sx = cx + 136 * 4 * math.cos(ang)
    sy = cy + 136 * 4 * math.sin(ang)
    d.ellipse((sx - 14, sy - 14, sx + 14, sy + 14), fill=255)
    sat = sat.resize((W, H), Image.BOX)
    art.paste(Image.new("RGB", (W, H), (255, 196, 120)),
              (0, 0), sat.filter(ImageFilter.GaussianBlur(2.5)))
    art.paste(Image.new("RGB", (W, H), MARK_ACCENT), (0, 0), sat)

    # large faint mark in the centre of the glow
    mk = 92
    ring, vane = mark_mask_parts(mk)
    ring = downsample(ring, (mk, mk)).point(lambda v: v * 46 // 255)
    vane = downsample(vane, (mk, mk)).point(lambda v: v * 70 // 255)
    art.paste(Image.new("RGB", (mk, mk), (200, 240, 255)),
              (glow_c[0] - mk // 2, glow_c[1] - mk // 2), ring)
    art.paste(Image.new("RGB", (mk, mk), (200, 240, 255)),
              (glow_c[0] - mk // 2, glow_c[1] - mk // 2), vane)

    # fade in from the left so the button column stays perfectly flat
    fade = Image.new("L", (W, H), 0)
    fd = ImageDraw.Draw(fade)
    x0, x1 = 292, 430
    for x in range(x0, W):
        t = min(1.0, (x - x0) / float(x1 - x0))
        t = t * t * (3 - 2 * t)
        fd.line((x, 0, x, H - 1), fill=int(math.floor(255 * t + 0.5)))
    return art, fade


def make_background(lang, product=PRODUCT, title=TITLE):
    img = Image.new("RGB", (W, H), BG)
    art, fade = scene()
    img.paste(art, (0, 0), fade)
    d = ImageDraw.Draw(img)

    # product logo
    draw_mark(img, LOGO_X, LOGO_Y, LOGO_SIZE)
    f = latin_font("bold", 30)
    d.text((LOGO_X + LOGO_SIZE + 10, baseline_for(f, "e", LOGO_Y + LOGO_SIZE / 2.0)),
           product, fill=TITLE_INK, font=f, anchor="ls")

    # thin rule under the header
    d.line((23, 58, 272, 58), fill=RULE)

    # program title where the application-name box goes
    if lang in ("j", "e"):
        f = latin_font("bold", 14)
        bx, by, bw, bh = APPNAME_BOX
        d.text((bx, baseline_for(f, "e", by + bh / 2.0)), title,
               fill=APPNAME_INK, font=f, anchor="ls")

    # small heading between the install button and the no-install group
    f = font_for(lang, "regular", 12)
    hy = 146
    base = baseline_for(f, lang, hy)
    d.text((25, base), HEADING[lang], fill=HEADING_INK, font=f, anchor="ls")
    end = 25 + int(math.ceil(d.textlength(HEADING[lang], font=f)))
    d.line((end + 8, hy, 272, hy), fill=RULE)

    # tagline, bottom right of the artwork
    f = font_for(lang, "regular", 15)
    base = baseline_for(f, lang, TAGLINE_Y)
    d.text((TAGLINE_RIGHT, base), TAGLINE[lang].format(product=product), fill=TAGLINE_INK, font=f, anchor="rs")
    return img


# --------------------------------------------------------------------------
# Icon

def icon_image(size):
    """RGBA icon artwork: the mark on a dark-blue rounded tile."""
    s = size * SS
    tile = Image.new("L", (s, s), 0)
    d = ImageDraw.Draw(tile)
    d.rounded_rectangle((0, 0, s - 1, s - 1), radius=s * 0.22, fill=255)
    tile = downsample(tile, (size, size))
    g = Image.linear_gradient("L").resize((size, size), Image.BICUBIC)
    face = Image.composite(Image.new("RGB", (size, size), (8, 26, 52)),
                           Image.new("RGB", (size, size), (30, 72, 128)), g)
    img = Image.new("RGB", (size, size), (0, 0, 0))
    img.paste(face, (0, 0))
    inset = max(2, int(round(size * 0.14)))
    ms = size - 2 * inset
    draw_mark(img, inset, inset, ms, ring_colours=((130, 236, 248), (56, 140, 236)))
    rgba = img.convert("RGBA")
    # 1-bit transparency: keep the tile where it is at least half covered
    rgba.putalpha(tile.point(lambda v: 255 if v >= 128 else 0))
    return rgba


# --------------------------------------------------------------------------
# What gets made

CAPTIONS = {
    "cv": "Install {product}",
    "freesetup_j": "\u30a4\u30f3\u30b9\u30c8\u30fc\u30eb\u305b\u305a\u306b\u4f7f\u3046",
    "freesetup_e": "Run without installing",
    "man_j": "\u30de\u30cb\u30e5\u30a2\u30eb\u3092\u958b\u304f",
    "man_e": "Open the manual",
    "tojiru": "\u9589\u3058\u308b",
    "exit": "Exit",
}

# button: (caption key or None, lang); sizes and header kinds are in
# pictureformats.PICTURES.
BUTTON_FILES = {
    "cv": ("cv", "e"),
    "freesetup_j": ("freesetup_j", "j"),
    "freesetup_e": ("freesetup_e", "e"),
    "freesetup_sc": (None, "sc"),
    "man_j": ("man_j", "j"),
    "man_e": ("man_e", "e"),
    "man_sc": (None, "sc"),
    "tojiru": ("tojiru", "j"),
    "exit": ("exit", "e"),
    "exit_sc": (None, "sc"),
}
EXIT_PILL_H = 27     # the exit button shows only its top 27 rows


def artwork(product=PRODUCT, title=TITLE):
    """Every picture of the menu as an RGB image, by its name in
    pictureformats.PICTURES. `product` is the name on the logo, the install
    button and the tagline; `title` the lettering under the title area."""
    images = {}
    for lang in ("j", "e", "sc"):
        images["heikei_%s" % lang] = make_background(lang, product, title)
    images["appliname"] = Image.new("RGB", (150, 22), BG)
    for name, (key, lang) in BUTTON_FILES.items():
        caption = CAPTIONS[key].format(product=product) if key else None
        for state in (0, 1, 2):
            w, h, _, _ = PICTURES["%s_%d" % (name, state)]
            pill_h = EXIT_PILL_H if w == 100 else h
            images["%s_%d" % (name, state)] = make_button(w, h, state, caption, lang, pill_h)
    return images


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def build(outdir):
    pic = os.path.join(outdir, "pictures")
    os.makedirs(pic, exist_ok=True)
    for name, img in artwork().items():
        header = PICTURES[name][2]
        write(os.path.join(pic, name + ".bmp"), bmp_bytes(img, core=header == 12))
    write(os.path.join(outdir, "icon.ico"), ico_bytes(icon_image))


# --------------------------------------------------------------------------
# Checking

def check(outdir):
    bad = 0
    for name, (w, h, hdr, _) in sorted(PICTURES.items()):
        rel = "pictures/%s.bmp" % name
        path = os.path.join(outdir, rel)
        errs = bmp_faults(open(path, "rb").read(), w, h, hdr) if os.path.exists(path) else ["missing"]
        bad += bool(errs)
        print("%-32s %s" % (rel, "ok" if not errs else "; ".join(errs)))
    path = os.path.join(outdir, "icon.ico")
    errs = ico_faults(open(path, "rb").read()) if os.path.exists(path) else ["missing"]
    bad += bool(errs)
    print("%-32s %s" % ("icon.ico", "ok" if not errs else "; ".join(errs)))
    pic = os.path.join(outdir, "pictures")
    extra = sorted(n for n in os.listdir(pic) if n[:-4] not in PICTURES or not n.endswith(".bmp"))
    for name in extra:
        print("unexpected file: pictures/%s" % name)
    return 1 if bad or extra else 0


def main(argv):
    args = [a for a in argv if a != "--check"]
    outdir = args[0] if args else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "brands", "corvane")
    if "--check" in argv:
        return check(outdir)
    build(outdir)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
