#!/usr/bin/python3
"""Check a brand folder and convert it into what the build compiles.

A brand folder holds what makes a disc a publisher's own:
  pictures/<name>.png or .bmp      every picture of the menu (names and sizes:
                                   pictureformats.PICTURES)
  icon.ico, icon.png or icon.bmp   the program's icon
  texts.txt                        the menu's texts, and the Chinese captions (UTF-8)
  version.txt                      company, product, versions, copyright (UTF-8)

Writes into OUTDIR:
  pictures/<name>.bmp   24 bpp, uncompressed, with the header each picture needs
  pictures/<name>.bmp.z that file as a zlib stream (highest level): what the
                        program carries and inflates when it shows the picture;
                        for the pictures in DELTA_BASE, the stream of the file's
                        bytes XORed with those of its base picture
  icon.ico              16 and 32 pixels with 256 colours, 48 pixels with 24-bit colour
  brand_texts.rc        the menu's text table, one STRINGTABLE per language
  brand_captions.rc     the Chinese captions that Lirvo.dll draws
  brand_version.h       the version fields, for the VERSIONINFO of both binaries
A file whose content would not change is left alone, so configuring again
rebuilds nothing.

Every fault is reported on one line of standard error, naming the file;
the exit status is then 1. Nothing is written unless the whole brand is
sound.

Usage: make_brand.py BRAND OUTDIR
"""

import os
import sys
import zlib

try:
    from PIL import Image
except ImportError:
    sys.stderr.write("Converting a brand's pictures needs Python 3 with Pillow (Debian: python3-pil)\n")
    sys.exit(1)

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from pictureformats import ICON_ENTRIES, ICON_MIN_SOURCE, PICTURES, bmp_bytes, ico_bytes, ico_faults  # noqa: E402

LANGUAGES = {"en": "English", "ja": "Japanese", "zh": "Simplified Chinese"}

ALL = list(LANGUAGES)
# The texts the program fetches: what each is for, and the languages it is
# fetched in. A brand that lacks one stops the build.
TEXTS = {
    101: ("font of the free set-up dialog", ALL),
    102: ("program title: caption of the menu and of the free set-up dialog", ALL),
    104: ("start-from-disc button", ALL),
    105: ("Close button of the free set-up dialog", ALL),
    106: ("copy-to-other-media button", ALL),
    107: ("two-line copy button caption on US English systems", ["en"]),
    108: ("instruction of the folder picker", ALL),
    110: ("title of every message box", ALL),
    111: ("message on an unsupported Windows version", ALL),
    112: ("message when the manual cannot be opened", ALL),
    113: ("message when a copy failed", ALL),
    114: ("title of the free set-up dialog while it is made", ALL),
    115: ("start-from-disc caption while the dialog is made", ALL),
    116: ("copy caption while the dialog is made", ALL),
    117: ("Close caption while the dialog is made", ALL),
    120: ("screen-reader name of the install button", ALL),
    121: ("screen-reader name of the use-without-installing button", ALL),
    122: ("screen-reader name of the manual button", ALL),
    123: ("screen-reader name of the exit button", ALL),
    124: ("screen-reader name of a button's default action", ALL),
}
FAILURE_REPORTS = (
    "a program could not be started", "the installer's path is too long", "the manual's path is too long",
    "the start program's path is too long", "the product files' path is too long",
    "the common files' path is too long", "the copy target's path is too long",
    "the medium folder's path is too long", "the disc's folder cannot be used",
    "the chosen copy target cannot be used", "a text could not be loaded", "the menu window could not be made",
    "the free set-up dialog could not be made", "the caption library could not be loaded",
    "the caption library lacks a function", "out of memory", "internal error",
    "a function of Windows is missing", "the start entries could not be written to the medium")
TEXTS.update({130 + i: ("failure report: " + role, ALL) for i, role in enumerate(FAILURE_REPORTS)})
# The captions Lirvo.dll draws over the menu on a Simplified-Chinese system.
CAPTIONS = {
    92: "title drawn over the title area",
    93: "caption of the use-without-installing button",
    98: "caption of the manual button",
    99: "caption of the exit button",
}
FONT_TEXT = 101
# The Japanese and Chinese backgrounds share the English one's scene and
# differ in their lettering: carried as their bytes XORed with it (the same
# size and header), they compress to a seventh.
DELTA_BASE = {"heikei_j": "heikei_e", "heikei_sc": "heikei_e"}
# The dialog's font is named in a LOGFONT, 32 characters with the
# terminating zero; on the narrow calls, 31 bytes of the system's code page.
FONT_NAME_MAX = 31
CODE_PAGES = {"en": ("cp1252", 1252), "ja": ("cp932", 932), "zh": ("cp936", 936)}

VERSION_NUMBERS = {"file": "file version", "product": "product version"}
VERSION_TEXTS = ("company", "product", "copyright")


class Faults:
    def __init__(self):
        self.lines = []

    def add(self, text):
        self.lines.append(text)


def shown(path):
    """A path as the publisher knows it: relative to the current folder when
    it lies inside it."""
    rel = os.path.relpath(path)
    return path if rel.startswith("..") else rel


def find_file(folder, stem, extensions):
    """The files of `folder` named stem.<ext>, whatever the letter case."""
    if not os.path.isdir(folder):
        return []
    wanted = {(stem + "." + ext).lower() for ext in extensions}
    return sorted(os.path.join(folder, name) for name in os.listdir(folder)
                  if name.lower() in wanted and os.path.isfile(os.path.join(folder, name)))


def entry(folder, name):
    """`folder`/`name`, found whatever its letter case (publishers often
    work on Windows, where Pictures and pictures are one folder)."""
    if os.path.isdir(folder):
        for found in sorted(os.listdir(folder)):
            if found.lower() == name.lower():
                return os.path.join(folder, found)
    return os.path.join(folder, name)


# --------------------------------------------------------------------------
# Text files: "[section]" lines and "key = value" lines, # or ; comments

def read_sections(path, faults):
    """[(line number, section, key, value)], or None when unreadable."""
    if not os.path.isfile(path):
        faults.add("%s is missing" % shown(path))
        return None
    data = open(path, "rb").read()
    if data.startswith((b"\xff\xfe", b"\xfe\xff")):
        faults.add("%s is UTF-16 text: save it as UTF-8" % shown(path))
        return None
    if data.startswith(b"\xef\xbb\xbf"):
        data = data[3:]
    try:
        text = data.decode("utf-8")
    except UnicodeDecodeError as e:
        faults.add("%s line %d is not UTF-8 text" % (shown(path), data[:e.start].count(b"\n") + 1))
        return None
    entries = []
    section = None
    for number, line in enumerate(text.splitlines(), 1):
        stripped = line.strip()
        if not stripped or stripped[0] in "#;":
            continue
        if stripped.startswith("["):
            if not stripped.endswith("]"):
                faults.add("%s line %d: a section line is [name]" % (shown(path), number))
                section = None
                continue
            section = stripped[1:-1].strip().lower()
            continue
        if "=" not in stripped:
            faults.add("%s line %d: expected key = value" % (shown(path), number))
            continue
        key, value = stripped.split("=", 1)
        if section is None:
            faults.add("%s line %d: %s comes before any [section]" % (shown(path), number, key.strip()))
            continue
        entries.append((number, section, key.strip().lower(), value.strip()))
    return entries


def check_value(path, number, what, value, faults):
    if not value:
        faults.add("%s line %d: %s is empty" % (shown(path), number, what))
        return False
    if any(ord(c) < 32 or ord(c) == 127 for c in value):
        faults.add("%s line %d: %s holds a control character" % (shown(path), number, what))
        return False
    return True


def read_language_sections(path, sections, faults):
    """For each known section, its texts by language code: {section: {lang: (line, text)}}."""
    entries = read_sections(path, faults)
    if entries is None:
        return None
    found = {name: {} for name in sections}
    for number, section, key, value in entries:
        if section not in sections:
            faults.add("%s line %d: [%s] is not one of %s" % (shown(path), number, section,
                                                            ", ".join("[%s]" % s for s in sections)))
            continue
        allowed = sections[section]
        if key not in allowed:
            faults.add("%s line %d: %s = is not one of %s in [%s]" % (
                shown(path), number, key, ", ".join(k + " =" for k in allowed), section))
            continue
        if key in found[section]:
            faults.add("%s line %d: a second %s = in [%s] (the first is on line %d)" % (
                shown(path), number, key, section, found[section][key][0]))
            continue
        # A faulty value is reported once: as faulty, not also as missing.
        check_value(path, number, "%s = of [%s]" % (key, section), value, faults)
        found[section][key] = (number, value)
    return found


def read_texts(brand, faults):
    """The text table and the captions, or None."""
    path = entry(brand, "texts.txt")
    sections = {str(i): langs for i, (_, langs) in TEXTS.items()}
    sections.update({str(i): ["zh"] for i in CAPTIONS})
    found = read_language_sections(path, sections, faults)
    if found is None:
        return None
    ok = True
    roles = [(i, role) for i, (role, _) in TEXTS.items()] + list(CAPTIONS.items())
    for ident, role in roles:
        for lang in sections[str(ident)]:
            if lang not in found[str(ident)]:
                faults.add("%s has no %s text for [%d] (%s): add %s = ... to [%d]" % (
                    shown(path), LANGUAGES[lang], ident, role, lang, ident))
                ok = False
    for lang, (number, face) in found[str(FONT_TEXT)].items():
        codec, page = CODE_PAGES[lang]
        try:
            length = len(face.encode(codec))
        except UnicodeEncodeError:
            faults.add("%s line %d: the font name %s = of [%d] cannot be written in code page %d, "
                       "which %s Windows uses" % (shown(path), number, lang, FONT_TEXT, page, LANGUAGES[lang]))
            ok = False
            continue
        if length > FONT_NAME_MAX:
            faults.add("%s line %d: the font name %s = of [%d] is longer than %d bytes in code page %d" % (
                shown(path), number, lang, FONT_TEXT, FONT_NAME_MAX, page))
            ok = False
    if not ok:
        return None
    return {int(section): {lang: unquoted(value) for lang, (_, value) in texts.items()}
            for section, texts in found.items()}


def unquoted(value):
    """A text as the program shows it: one between double quotes keeps its
    spaces, and \\n, \\r and \\\\ in it are a line feed, a carriage return and
    a backslash; any other text is taken as it stands."""
    if len(value) < 2 or not (value.startswith('"') and value.endswith('"')):
        return value
    out, rest = [], value[1:-1]
    i = 0
    while i < len(rest):
        if rest[i] == "\\" and i + 1 < len(rest) and rest[i + 1] in "nr\\":
            out.append({"n": "\n", "r": "\r", "\\": "\\"}[rest[i + 1]])
            i += 2
        else:
            out.append(rest[i])
            i += 1
    return "".join(out)


def parse_version(text):
    """(a, b, c, d) from one to four numbers 0..65535 joined by dots, or None."""
    parts = text.split(".")
    if not 1 <= len(parts) <= 4 or not all(p.isdigit() and p.isascii() and int(p) <= 65535 for p in parts):
        return None
    return tuple(int(p) for p in parts) + (0,) * (4 - len(parts))


def read_version(brand, faults):
    path = entry(brand, "version.txt")
    sections = {"versions": list(VERSION_NUMBERS)}
    sections.update({name: list(LANGUAGES) for name in VERSION_TEXTS})
    found = read_language_sections(path, sections, faults)
    if found is None:
        return None
    ok = True
    version = {"numbers": {}}
    for key, role in VERSION_NUMBERS.items():
        if key not in found["versions"]:
            faults.add("%s has no %s: add %s = 1.0.0.0 to [versions]" % (shown(path), role, key))
            ok = False
            continue
        number, text = found["versions"][key]
        parsed = parse_version(text)
        if parsed is None:
            faults.add("%s line %d: the %s \"%s\" is not one to four numbers from 0 to 65535 joined by dots" % (
                shown(path), number, role, text))
            ok = False
        version["numbers"][key] = parsed
    for name in VERSION_TEXTS:
        for lang in LANGUAGES:
            if lang not in found[name]:
                faults.add("%s has no %s text for [%s]: add %s = ... to [%s]" % (
                    shown(path), LANGUAGES[lang], name, lang, name))
                ok = False
        version[name] = {lang: value for lang, (_, value) in found[name].items()}
    return version if ok else None


# --------------------------------------------------------------------------
# Pictures and icon

def open_picture(path, faults):
    try:
        img = Image.open(path)
        img.load()
    except Exception:
        faults.add("%s cannot be read as a PNG or BMP picture" % shown(path))
        return None
    if img.format not in ("PNG", "BMP", "DIB", "ICO"):
        faults.add("%s is a %s picture; a PNG or BMP is needed" % (shown(path), img.format))
        return None
    return img


def is_transparent(img):
    if img.mode in ("RGBA", "LA", "PA", "RGBa", "La") or "transparency" in img.info:
        return img.convert("RGBA").getchannel("A").getextrema()[0] < 255
    return False


def convert_pictures(brand, faults):
    """{name: BMP bytes}, or None."""
    folder = entry(brand, "pictures")
    if not os.path.isdir(folder):
        faults.add("%s is missing: it holds the menu's %d pictures" % (shown(folder), len(PICTURES)))
        return None
    converted = {}
    for name, (w, h, header, _) in PICTURES.items():
        files = find_file(folder, name, ("png", "bmp"))
        if not files:
            faults.add("%s.png or .bmp is missing (%d by %d pixels)" % (shown(os.path.join(folder, name)), w, h))
            continue
        if len(files) > 1:
            faults.add("%s: keep one of %s" % (shown(os.path.join(folder, name)),
                                               " and ".join(os.path.basename(f) for f in files)))
            continue
        img = open_picture(files[0], faults)
        if img is None:
            continue
        if img.size != (w, h):
            faults.add("%s is %d by %d pixels; expected %d by %d" % (shown(files[0]), img.size[0], img.size[1], w, h))
            continue
        if is_transparent(img):
            faults.add("%s has transparent pixels; the menu shows its pictures opaque: "
                       "flatten it onto its background" % shown(files[0]))
            continue
        converted[name] = bmp_bytes(img.convert("RGB"), core=header == 12)
    return converted if len(converted) == len(PICTURES) else None


def convert_icon(brand, faults):
    """The icon file's bytes, or None."""
    files = find_file(brand, "icon", ("ico", "png", "bmp"))
    largest = max(size for size, _ in ICON_ENTRIES)
    if not files:
        faults.add("%s.ico, .png or .bmp is missing (square, at least %d by %d pixels)" % (
            shown(os.path.join(brand, "icon")), ICON_MIN_SOURCE, ICON_MIN_SOURCE))
        return None
    if len(files) > 1:
        faults.add("%s: keep one of %s" % (shown(os.path.join(brand, "icon")),
                                           " and ".join(os.path.basename(f) for f in files)))
        return None
    path = files[0]
    data = open(path, "rb").read()
    if path.lower().endswith(".ico") and not ico_faults(data):
        return data    # already exactly the images the program needs
    img = open_picture(path, faults)
    if img is None:
        return None
    if img.format == "ICO":
        # Draw every size from the largest image the icon holds.
        img.size = max(img.ico.sizes(), key=lambda s: s[0] * s[1])
        img.load()
    w, h = img.size
    if w != h or w < largest:
        faults.add("%s is %d by %d pixels; expected a square of at least %d by %d" % (
            shown(path), w, h, largest, largest))
        return None
    source = img.convert("RGBA").convert("RGBa")

    def image_for_size(size):
        return source.resize((size, size), Image.LANCZOS).convert("RGBA")

    return ico_bytes(image_for_size)


# --------------------------------------------------------------------------
# Resource scripts

def rc_string(text):
    text = text.replace("\\", "\\\\").replace('"', '""')
    return '"' + text.replace("\r", "\\r").replace("\n", "\\n") + '"'


def header_line(brand, source):
    return "// Made from %s by assets/make_brand.py when the build is configured: edit that file, not this one.\n" % (
        os.path.join(shown(brand), source))


RC_LANGUAGE = {
    "en": "LANG_ENGLISH, SUBLANG_ENGLISH_US",
    "ja": "LANG_JAPANESE, SUBLANG_DEFAULT",
    "zh": "LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED",
}


def texts_rc(brand, texts):
    out = [header_line(brand, "texts.txt")]
    for lang in LANGUAGES:
        out.append("\nLANGUAGE %s\nSTRINGTABLE\nBEGIN\n" % RC_LANGUAGE[lang])
        for ident in TEXTS:
            if lang in texts[ident]:
                out.append("  %d %s\n" % (ident, rc_string(texts[ident][lang])))
        out.append("END\n")
    return "".join(out)


def captions_rc(brand, texts):
    out = [header_line(brand, "texts.txt")]
    out.append("\nLANGUAGE %s\nSTRINGTABLE\nBEGIN\n" % RC_LANGUAGE["zh"])
    for ident in CAPTIONS:
        out.append("  %d %s\n" % (ident, rc_string(texts[ident]["zh"])))
    out.append("END\n")
    return "".join(out)


def version_h(brand, version):
    out = [header_line(brand, "version.txt"), "#pragma once\n"]
    for key in VERSION_NUMBERS:
        numbers = version["numbers"][key]
        out.append("#define BRAND_%s_VERSION %s\n" % (key.upper(), ",".join(str(n) for n in numbers)))
        out.append("#define BRAND_%s_VERSION_TEXT \"%s\"\n" % (key.upper(), ".".join(str(n) for n in numbers)))
    for name in VERSION_TEXTS:
        for lang in LANGUAGES:
            out.append("#define BRAND_%s_%s %s\n" % (name.upper(), lang.upper(), rc_string(version[name][lang])))
    return "".join(out)


def packed(name, pictures):
    """The bytes the program carries for a picture, before compression."""
    data = pictures[name]
    if name not in DELTA_BASE:
        return data
    base = pictures[DELTA_BASE[name]]
    assert len(base) == len(data)
    return (int.from_bytes(data, "little") ^ int.from_bytes(base, "little")).to_bytes(len(data), "little")


def write_if_changed(path, data):
    if isinstance(data, str):
        data = data.encode("utf-8")
    if os.path.isfile(path) and open(path, "rb").read() == data:
        return
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main(argv):
    if len(argv) != 2:
        sys.stderr.write("usage: make_brand.py BRAND OUTDIR\n")
        return 2
    brand, outdir = (os.path.abspath(a) for a in argv)
    faults = Faults()
    if not os.path.isdir(brand):
        faults.add("%s is not a folder: give -DPELMORA_BRAND the folder of a brand" % shown(brand))
    else:
        texts = read_texts(brand, faults)
        version = read_version(brand, faults)
        pictures = convert_pictures(brand, faults)
        icon = convert_icon(brand, faults)
    if faults.lines:
        sys.stderr.write("".join(line + "\n" for line in faults.lines))
        return 1
    for name, data in pictures.items():
        write_if_changed(os.path.join(outdir, "pictures", name + ".bmp"), data)
        write_if_changed(os.path.join(outdir, "pictures", name + ".bmp.z"), zlib.compress(packed(name, pictures), 9))
    write_if_changed(os.path.join(outdir, "icon.ico"), icon)
    write_if_changed(os.path.join(outdir, "brand_texts.rc"), texts_rc(brand, texts))
    write_if_changed(os.path.join(outdir, "brand_captions.rc"), captions_rc(brand, texts))
    write_if_changed(os.path.join(outdir, "brand_version.h"), version_h(brand, version))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
