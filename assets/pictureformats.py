"""The pictures and the icon that Pelmora carries: their names, sizes and
file formats, and the writers that produce those formats byte for byte.

Shared by make_pictures.py (which draws the sample artwork) and
make_brand.py (which converts a publisher's artwork for the build).

Every picture is an uncompressed 24 bpp BMP, bottom-up, rows padded to
4 bytes, with either the 40-byte BITMAPINFOHEADER or the 12-byte
BITMAPCOREHEADER; the menu's picture holders expect exactly that.
The icon holds 16x16 and 32x32 images with 256 colours and a 48x48 image
with 24-bit colour, each with a 1-bit transparency mask.
"""

import struct

from PIL import Image

# name: (width, height, header size, what it shows)
PICTURES = {}


def _add(names, width, height, header, shows):
    for name in names:
        PICTURES[name] = (width, height, header, shows)


def _states(stem):
    return ["%s_%d" % (stem, state) for state in (0, 1, 2)]


_add(["heikei_j"], 580, 270, 40, "window background, Japanese")
_add(["heikei_e"], 580, 270, 40, "window background, English and every other language")
_add(["heikei_sc"], 580, 270, 40,
     "window background, Simplified Chinese (the title is drawn over it, so no lettering under the title area)")
_add(["appliname"], 150, 22, 40,
     "title area at 23,67 (150 by 18 shown), over every background; the Chinese title is drawn on it")
_add(_states("cv"), 249, 28, 40, "install button, every language: normal, focus, pressed")
_add(_states("freesetup_j"), 249, 28, 12, "use-without-installing button, Japanese")
_add(_states("freesetup_e"), 249, 28, 12, "use-without-installing button, English")
_add(_states("freesetup_sc"), 249, 28, 40,
     "use-without-installing button, Simplified Chinese (no lettering: the caption is drawn from x=28)")
_add(_states("man_j"), 249, 28, 12, "manual button, Japanese")
_add(_states("man_e"), 249, 28, 12, "manual button, English")
_add(_states("man_sc"), 249, 28, 40, "manual button, Simplified Chinese (no lettering)")
_add(_states("tojiru"), 100, 28, 40, "exit button, Japanese (the bottom row is not shown)")
_add(_states("exit"), 100, 28, 40, "exit button, English (the bottom row is not shown)")
_add(_states("exit_sc"), 100, 28, 40, "exit button, Simplified Chinese (no lettering; the bottom row is not shown)")

# (size, bits per pixel) of the icon's images, in file order.
ICON_ENTRIES = [(16, 8), (32, 8), (48, 24)]
ICON_MIN_SOURCE = 48


# --------------------------------------------------------------------------
# Writers

def bmp_bytes(img, core=False):
    """Uncompressed 24 bpp BMP, bottom-up, rows padded to 4 bytes; the
    12-byte core header when `core`, else the 40-byte header."""
    img = img.convert("RGB")
    w, h = img.size
    raw = img.tobytes("raw", "BGR")
    stride = (w * 3 + 3) & ~3
    pad = b"\0" * (stride - w * 3)
    rows = [raw[y * w * 3:(y + 1) * w * 3] + pad for y in range(h - 1, -1, -1)]
    pixels = b"".join(rows)
    if core:
        info = struct.pack("<IHHHH", 12, w, h, 1, 24)
    else:
        info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels),
                           2835, 2835, 0, 0)
    offset = 14 + len(info)
    head = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return head + info + pixels


def icon_dib(rgba, bpp):
    """One icon image: 40-byte header, palette (8 bpp), colour rows and the
    AND mask (1 = transparent where alpha < 128)."""
    w, h = rgba.size
    alpha = rgba.getchannel("A")
    rgb = rgba.convert("RGB")
    and_stride = ((w + 31) // 32) * 4
    and_rows = []
    for y in range(h - 1, -1, -1):
        bits = bytearray(and_stride)
        for x in range(w):
            if alpha.getpixel((x, y)) < 128:
                bits[x >> 3] |= 0x80 >> (x & 7)
        and_rows.append(bytes(bits))
    and_mask = b"".join(and_rows)
    black = Image.new("RGB", (w, h), (0, 0, 0))
    if bpp == 8:
        q = rgb.quantize(colors=255, method=Image.Quantize.MEDIANCUT,
                         dither=Image.Dither.NONE)
        pal = q.getpalette()[:255 * 3]
        pal += [0] * (255 * 3 - len(pal))
        pal += [0, 0, 0]                       # index 255: black, transparent
        idx = bytearray(q.tobytes())
        for i, a in enumerate(alpha.tobytes()):
            if a < 128:
                idx[i] = 255
        stride = (w + 3) & ~3
        xor = b"".join(bytes(idx[y * w:(y + 1) * w]) + b"\0" * (stride - w)
                       for y in range(h - 1, -1, -1))
        palette = b"".join(struct.pack("<BBBB", pal[i * 3 + 2], pal[i * 3 + 1],
                                       pal[i * 3], 0) for i in range(256))
        colours = 256
    else:
        rgb = Image.composite(rgb, black, alpha)
        raw = rgb.tobytes("raw", "BGR")
        stride = (w * 3 + 3) & ~3
        xor = b"".join(raw[y * w * 3:(y + 1) * w * 3] + b"\0" * (stride - w * 3)
                       for y in range(h - 1, -1, -1))
        palette = b""
        colours = 0
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, bpp, 0,
                         len(xor) + len(and_mask), 0, 0, colours, 0)
    return header + palette + xor + and_mask


def ico_bytes(image_for_size):
    """The icon file; image_for_size(size) gives the RGBA artwork of a size."""
    dibs = [(size, bpp, icon_dib(image_for_size(size), bpp))
            for size, bpp in ICON_ENTRIES]
    out = struct.pack("<HHH", 0, 1, len(dibs))
    offset = 6 + 16 * len(dibs)
    for size, bpp, dib in dibs:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, bpp,
                           len(dib), offset)
        offset += len(dib)
    return out + b"".join(d for _, _, d in dibs)


# --------------------------------------------------------------------------
# Checks: the faults of a file that should already be in the right format

def bmp_faults(data, w, h, hdr):
    errs = []
    if data[:2] != b"BM":
        return ["not a BMP"]
    fsize, _, _, offset = struct.unpack_from("<IHHI", data, 2)
    if fsize != len(data):
        errs.append("file size field %d != %d" % (fsize, len(data)))
    hsize = struct.unpack_from("<I", data, 14)[0]
    if hsize == 12:
        bw, bh, planes, bpp = struct.unpack_from("<HHHH", data, 18)
        comp = 0
    elif hsize == 40:
        bw, bh, planes, bpp, comp = struct.unpack_from("<iiHHI", data, 18)
    else:
        return ["header size %d, want %d" % (hsize, hdr)]
    if hsize != hdr:
        errs.append("header size %d, want %d" % (hsize, hdr))
    if (bw, bh) != (w, h):
        errs.append("size %dx%d, want %dx%d" % (bw, bh, w, h))
    if planes != 1 or bpp != 24 or comp != 0:
        errs.append("planes %d bpp %d compression %d" % (planes, bpp, comp))
    if offset != 14 + hsize:
        errs.append("pixel offset %d" % offset)
    stride = (w * 3 + 3) & ~3
    if len(data) - offset != stride * abs(h):
        errs.append("pixel data %d bytes, want %d" % (len(data) - offset,
                                                       stride * abs(h)))
    return errs


def ico_faults(data):
    errs = []
    if len(data) < 6:
        return ["not an icon"]
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind != 1 or count != len(ICON_ENTRIES):
        return ["%d images, want %d" % (count, len(ICON_ENTRIES))]
    if len(data) < 6 + 16 * count:
        return ["truncated directory"]
    end = 6 + 16 * count
    for i, (size, bpp) in enumerate(ICON_ENTRIES):
        bw, bh, ncol, res, planes, bits, nbytes, off = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        if (bw, bh, planes, bits) != (size % 256, size % 256, 1, bpp):
            errs.append("entry %d: %dx%d planes %d bpp %d" % (i, bw, bh, planes, bits))
        if off != end or off + nbytes > len(data) or off + 40 > len(data):
            errs.append("entry %d: offset %d length %d" % (i, off, nbytes))
            return errs
        end = off + nbytes
        hs, dw, dh, dp, dbpp, dcomp = struct.unpack_from("<IiiHHI", data, off)
        if (hs, dw, dh, dp, dbpp, dcomp) != (40, size, size * 2, 1, bpp, 0):
            errs.append("entry %d DIB: %r" % (i, (hs, dw, dh, dp, dbpp, dcomp)))
        pal = 256 * 4 if bpp == 8 else 0
        xor = ((size * bpp + 31) // 32) * 4 * size
        and_ = ((size + 31) // 32) * 4 * size
        if nbytes != 40 + pal + xor + and_:
            errs.append("entry %d: %d bytes, want %d" % (i, nbytes,
                                                          40 + pal + xor + and_))
    if end != len(data):
        errs.append("trailing bytes")
    return errs
