#!/usr/bin/python3
"""Brand folders with one fault each stop the configure step, with one line
that names the file and says what is wrong.

Each row copies the sample brand, puts one fault into it and configures the
project with it; the brand is checked before the compilers are looked for,
so a row takes a fraction of a second. The unchanged copy converts cleanly,
so every failure below is the row's own fault.

Usage: brand_faults.py CMAKE SOURCE_DIR WORK_DIR
"""

import io
import os
import shutil
import subprocess
import sys

from PIL import Image

CMAKE = sys.argv[1]
SOURCE, WORK = (os.path.abspath(a) for a in sys.argv[2:4])
SAMPLE = os.path.join(SOURCE, "brands", "corvane")


def replace_file(path, data):
    if os.path.exists(path):
        os.unlink(path)           # the copy links the sample's files: never write through
    with open(path, "wb") as f:
        f.write(data)


def png(size, colour=(90, 20, 40), alpha=None):
    img = Image.new("RGBA" if alpha is not None else "RGB", size, colour)
    if alpha is not None:
        img.putpixel((0, 0), colour + (alpha,))
    out = io.BytesIO()
    img.save(out, "PNG")
    return out.getvalue()


def bmp(size):
    out = io.BytesIO()
    Image.new("RGB", size, (14, 38, 72)).save(out, "BMP")
    return out.getvalue()


def line_of(name, text):
    """The line of the sample's file `name` that holds `text`."""
    lines = open(os.path.join(SAMPLE, name), encoding="utf-8").read().splitlines()
    return next(number for number, line in enumerate(lines, 1) if text in line)


def edit_text(brand, name, old, new):
    path = os.path.join(brand, name)
    text = open(path, encoding="utf-8").read()
    assert old in text, (name, old)
    replace_file(path, text.replace(old, new, 1).encode("utf-8"))


def picture(name):
    return os.path.join("pictures", name)


def put_picture(brand, name, data, remove=None):
    if remove:
        os.unlink(os.path.join(brand, picture(remove)))
    replace_file(os.path.join(brand, picture(name)), data)


# (what the publisher did, fault, the line expected; "{brand}" is the brand folder)
ROWS = [
    ("a button picture one pixel too wide",
     lambda b: put_picture(b, "cv_1.png", png((250, 28)), remove="cv_1.bmp"),
     "{brand}/pictures/cv_1.png is 250 by 28 pixels; expected 249 by 28"),
    ("a background one row too high",
     lambda b: put_picture(b, "heikei_e.bmp", bmp((580, 271))),
     "{brand}/pictures/heikei_e.bmp is 580 by 271 pixels; expected 580 by 270"),
    ("a picture left out",
     lambda b: os.unlink(os.path.join(b, picture("man_e_2.bmp"))),
     "{brand}/pictures/man_e_2.png or .bmp is missing (249 by 28 pixels)"),
    ("a picture saved twice, as PNG and BMP",
     lambda b: put_picture(b, "cv_0.png", png((249, 28))),
     "{brand}/pictures/cv_0: keep one of cv_0.bmp and cv_0.png"),
    ("a picture with a transparent pixel",
     lambda b: put_picture(b, "exit_2.png", png((100, 28), alpha=0), remove="exit_2.bmp"),
     "{brand}/pictures/exit_2.png has transparent pixels; the menu shows its pictures opaque: "
     "flatten it onto its background"),
    ("a picture that is not one",
     lambda b: put_picture(b, "appliname.bmp", b"BM not a picture"),
     "{brand}/pictures/appliname.bmp cannot be read as a PNG or BMP picture"),
    ("an icon too small",
     lambda b: (os.unlink(os.path.join(b, "icon.ico")), replace_file(os.path.join(b, "icon.png"), png((32, 32)))),
     "{brand}/icon.png is 32 by 32 pixels; expected a square of at least 48 by 48"),
    ("no icon",
     lambda b: os.unlink(os.path.join(b, "icon.ico")),
     "{brand}/icon.ico, .png or .bmp is missing (square, at least 48 by 48 pixels)"),
    ("a translation left out",
     lambda b: edit_text(b, "texts.txt", "ja = 閉じる\n", ""),
     "{brand}/texts.txt has no Japanese text for [105] (Close button of the free set-up dialog): "
     "add ja = ... to [105]"),
    ("a failure report left out",
     lambda b: edit_text(b, "texts.txt", "en = This program could not be started:\n", ""),
     "{brand}/texts.txt has no English text for [130] (failure report: a program could not be started): "
     "add en = ... to [130]"),
    ("a Chinese caption left out",
     lambda b: edit_text(b, "texts.txt", "[99]\nzh = 退出\n", "[99]\n"),
     "{brand}/texts.txt has no Simplified Chinese text for [99] (caption of the exit button): add zh = ... to [99]"),
    ("an empty text",
     lambda b: edit_text(b, "texts.txt", "ja = CD-ROMから起動", "ja ="),
     "{brand}/texts.txt line %d: ja = of [104] is empty" % line_of("texts.txt", "ja = CD-ROMから起動")),
    ("texts saved in a legacy code page",
     lambda b: replace_file(os.path.join(b, "texts.txt"),
                            open(os.path.join(SAMPLE, "texts.txt"), encoding="utf-8").read()
                            .replace("Close", "Fermé").encode("utf-8").replace("é".encode("utf-8"), b"\xe9")),
     "{brand}/texts.txt line %d is not UTF-8 text" % line_of("texts.txt", "en = Close")),
    ("a version that is not a number",
     lambda b: edit_text(b, "version.txt", "file = 1.0.0.0", "file = 1.0 beta"),
     '{brand}/version.txt line %d: the file version "1.0 beta" is not one to four numbers from 0 to 65535 '
     "joined by dots" % line_of("version.txt", "file = 1.0.0.0")),
    ("the company's Chinese name left out",
     lambda b: edit_text(b, "version.txt", "zh = Corvane 示例出版\n", ""),
     "{brand}/version.txt has no Simplified Chinese text for [company]: add zh = ... to [company]"),
]


def copy_sample(to):
    if os.path.isdir(to):
        shutil.rmtree(to)
    shutil.copytree(SAMPLE, to, copy_function=os.link)


def configure(brand):
    """The fault lines of configuring with `brand`, and whether it failed."""
    build = os.path.join(WORK, "build")
    shutil.rmtree(build, ignore_errors=True)
    run = subprocess.run([CMAKE, "-S", SOURCE, "-B", build, "-DPELMORA_BRAND=" + brand],
                         stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, cwd=WORK)
    faults = [line.strip() for line in run.stdout.splitlines() if line.startswith("    ")]
    return run.returncode != 0, faults, run.stdout


def other_product():
    """A brand for another product: every word of the program that names
    the product comes from its texts, none from the program's code."""
    brand = os.path.join(WORK, "other")
    copy_sample(brand)
    sample = open(os.path.join(SAMPLE, "texts.txt"), encoding="utf-8").read()
    replace_file(os.path.join(brand, "texts.txt"), sample.replace("Corvane", "Quillon").encode("utf-8"))
    out = os.path.join(WORK, "other-converted")
    subprocess.run([sys.executable, os.path.join(SOURCE, "assets", "make_brand.py"), brand, out], check=True)
    table = open(os.path.join(out, "brand_texts.rc"), encoding="utf-8").read()
    faults = []
    sample_table = open(os.path.join(WORK, "converted", "brand_texts.rc"), encoding="utf-8").read()
    if "Corvane" in table or table.count("Quillon") != sample_table.count("Corvane"):
        faults.append("the other product's text table does not name Quillon wherever the sample's names Corvane")
    for folder in ("app", "ui", "captionlib", "checker"):
        for root, _, names in os.walk(os.path.join(SOURCE, folder)):
            for name in names:
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(root, name)
                for number, line in enumerate(open(path, encoding="utf-8"), 1):
                    code = line.split("//")[0]
                    if "Corvane" in code and '"' in code:
                        faults.append("%s:%d names the product in the code" % (os.path.relpath(path, SOURCE), number))
    for fault in faults:
        print("FAILED  " + fault)
    if not faults:
        print("ok      another product's name everywhere the program names its product")
    return len(faults)


def main():
    os.makedirs(WORK, exist_ok=True)
    brand = os.path.join(WORK, "brand")
    failed = 0

    copy_sample(brand)
    clean = subprocess.run([sys.executable, os.path.join(SOURCE, "assets", "make_brand.py"), brand,
                            os.path.join(WORK, "converted")], stderr=subprocess.PIPE, text=True)
    if clean.returncode != 0:
        print("FAILED: the unchanged sample brand does not convert:\n" + clean.stderr)
        return 1

    failed += other_product()
    for what, fault, expected in ROWS:
        copy_sample(brand)
        fault(brand)
        stopped, faults, output = configure(brand)
        shown = os.path.relpath(brand, SOURCE)
        expected = expected.format(brand=brand if shown.startswith("..") else shown)
        if stopped and faults == [expected]:
            print("ok      %s" % what)
            continue
        failed += 1
        print("FAILED  %s\n  expected the configure step to stop with:\n    %s\n  it %s with:\n%s" % (
            what, expected, "stopped" if stopped else "went on", output))
    print("%d of %d brand faults stopped the configure step as expected" % (len(ROWS) - failed, len(ROWS)))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
