#!/usr/bin/python3
"""Make a second brand from the sample one, as another publisher would bring
it: the sample artwork drawn for another product ("Velmaris") in other
colours, saved the way picture editors save (PNG with and without an alpha
channel, a palette PNG, BMPs with the 40-byte header where the menu needs
the 12-byte one, a file name in capitals, a large icon.png), and the
sample's texts.txt and version.txt with the other product's texts.

The end-to-end tests expect exactly the texts below.

Usage: second_brand.py FIRST_BRAND OUTDIR
"""

import io
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "assets"))

from PIL import Image  # noqa: E402

import make_pictures  # noqa: E402

PRODUCT = "Velmaris"
HUE_SHIFT = 100        # of 256: the sample's dark blue becomes a deep red

TEXTS = {
    102: {"en": "Velmaris Setup", "ja": "Velmaris セットアップ", "zh": "Velmaris 安装程序"},
    104: {"en": 'Start "Velmaris" from the disc', "ja": "ディスクから Velmaris を起動", "zh": "从光盘启动 Velmaris"},
    105: {"en": "Done", "ja": "終了", "zh": "完成"},
    106: {"en": "Copy to E:\\ or a USB stick", "ja": "Velmaris を USB メモリにコピー", "zh": "复制 Velmaris 到 U 盘"},
    108: {"en": "Where should Velmaris go?", "ja": "コピー先を選んでください", "zh": "请选择复制到哪里"},
    110: {"en": "Velmaris", "ja": "Velmaris", "zh": "Velmaris"},
    130: {"en": "Velmaris could not start this program:",
          "ja": "Velmaris は次のプログラムを起動できませんでした。", "zh": "Velmaris 无法启动以下程序。"},
    92: {"zh": "Velmaris 安装光盘"},
    93: {"zh": "直接运行 Velmaris"},
    98: {"zh": "阅读说明书"},
    99: {"zh": "关闭"},
}
VERSION = {
    "versions": {"file": "2.5.1.7", "product": "2.5"},
    "company": {"en": "Velmaris Works", "ja": "ヴェルマリス工房", "zh": "韦尔马里斯工作室"},
    "product": {"en": "Velmaris", "ja": "ヴェルマリス", "zh": "韦尔马里斯"},
    "copyright": {"en": "© 2026 Velmaris Works", "ja": "© 2026 ヴェルマリス工房", "zh": "© 2026 韦尔马里斯工作室"},
}


def recoloured(img):
    h, s, v = img.convert("RGB").convert("HSV").split()
    h = h.point(lambda x: (x + HUE_SHIFT) % 256)
    return Image.merge("HSV", (h, s, v)).convert("RGB")


def with_texts(path, replacements, product=None):
    """The lines of a brand text file with the values of `replacements`
    ({section: {key: value}}) put in, and every other text that names the
    sample's product naming `product` instead; comments and layout kept."""
    out, section = [], None
    for line in open(path, encoding="utf-8").read().splitlines():
        header = re.match(r"\s*\[(.+)\]\s*$", line)
        entry = re.match(r"(\s*)([A-Za-z]+)(\s*=\s*)(.*)$", line)
        if header:
            section = header.group(1).strip().lower()
        elif entry and section is not None:
            key = entry.group(2).lower()
            if product:
                line = line.replace("Corvane", product)
            for name, values in replacements.items():
                if str(name) == section and key in values:
                    line = entry.group(1) + entry.group(2) + entry.group(3) + values[key]
        out.append(line)
    return "\n".join(out) + "\n"


def encoded(img, kind):
    out = io.BytesIO()
    img.save(out, kind)
    return out.getvalue()


def picture_file(name, img):
    """(file name, bytes): each picture as some editor might have saved it."""
    if name.startswith("heikei"):
        return name + ".png", encoded(img, "PNG")                           # RGB PNG
    if name.startswith("cv"):
        return name + ".png", encoded(img.convert("RGBA"), "PNG")           # opaque alpha channel
    if name.startswith(("freesetup_e", "man_j")):
        return name + ".bmp", encoded(img, "BMP")                           # 40-byte header; 12 needed
    if name.startswith("tojiru"):
        return name + ".png", encoded(img.quantize(colors=256), "PNG")      # palette PNG
    if name == "exit_0":
        return "EXIT_0.PNG", encoded(img, "PNG")                            # name in capitals
    return name + ".png", encoded(img, "PNG")


def main(argv):
    first, out = argv
    files = {}
    for name, img in make_pictures.artwork(product=PRODUCT, title=PRODUCT).items():
        file_name, data = picture_file(name, recoloured(img))
        files[os.path.join("pictures", file_name)] = data
    icon = make_pictures.icon_image(256)
    alpha = icon.getchannel("A")
    icon = recoloured(icon)
    icon.putalpha(alpha)
    files["icon.png"] = encoded(icon, "PNG")
    files["texts.txt"] = with_texts(os.path.join(first, "texts.txt"), TEXTS, PRODUCT).encode("utf-8")
    files["version.txt"] = with_texts(os.path.join(first, "version.txt"), VERSION).encode("utf-8")

    # Only what changed is written, so that a build of the brand made before
    # has nothing to redo.
    for folder, _, names in os.walk(out):
        for name in names:
            path = os.path.join(folder, name)
            if os.path.relpath(path, out) not in files:
                os.unlink(path)
    for relative, data in files.items():
        path = os.path.join(out, relative)
        if os.path.isfile(path) and open(path, "rb").read() == data:
            continue
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
