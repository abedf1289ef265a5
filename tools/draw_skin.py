#!/usr/bin/python3
"""Draws every picture of the installer's window skin into resources/skin/.

Redraw after changing a picture here, then look at the results and commit them:

    /usr/bin/python3 tools/draw_skin.py

It needs Debian's python3-pil and fonts-noto-cjk (both in tools/setup.sh's package list); use
Debian's interpreter, which is the one that sees python3-pil. The build never runs this
script: it only zips the files that are committed.

    python3 tools/draw_skin.py --check

needs nothing but Python 3: it confirms that every picture exists at its exact size as an
8-bit RGBA PNG, that the three XML files are well-formed UTF-8 without a byte-order mark and
that the folder holds nothing else (the build packs the whole folder).

The output is deterministic: the same Pillow and font package give the same bytes. Shapes are
drawn four times as large into a coverage mask and reduced by area averaging, so edges are
antialiased; colour is only ever laid on through such masks, so edges over transparency carry
the full colour with partial alpha instead of dark fringes.
"""
import os
import re
import struct
import sys
import xml.etree.ElementTree

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "skin")

PICTURES = {
    "background/install_bg.png": (1320, 1024),
    "background/install_bg2.png": (1320, 1024),
    "background/install_txt.png": (190, 25),
    "background/edit_bg.png": (386, 40),
    "background/uninstall_bg.png": (1320, 1024),
    "background/uninstall_bg2.png": (1320, 1024),
    "background/uninstall_txt.png": (260, 25),
    "button/btn_install.png": (480, 40),
    "button/btn_trynow.png": (480, 40),
    "button/btn_complete2.png": (480, 40),
    "button/btn_complete.png": (480, 40),
    "button/btn_cancel.png": (480, 40),
    "button/btn_uninstall.png": (480, 40),
    "button/btn_select_path.png": (184, 32),
    "button/btn_wnd_dark_min.png": (184, 32),
    "button/btn_wnd_dark_close.png": (184, 32),
    "button/btn_wnd_light_min.png": (184, 32),
    "button/btn_wnd_light_close.png": (184, 32),
    "checkbox/check_no.png": (12, 12),
    "checkbox/check_yes.png": (12, 12),
}
XML_FILES = ["global.xml", "frame/UIInstallFrame.xml", "frame/UIUninstallFrame.xml"]


TAG = re.compile(r"<([A-Za-z0-9:_]+)([^>]*?)/?>")
ATTRIBUTE = re.compile(r'\s+[A-Za-z0-9:_]+\s*=\s*"[^"]*"')


def quoting_problems(name, text):
    """The window's XML reader takes attribute values in double quotes only; a general XML
    parser would also take single quotes, so look at every start tag here."""
    text = re.sub(r"<!--.*?-->|<\?.*?\?>", "", text, flags=re.S)
    problems = []
    for tag in TAG.finditer(text):
        rest = ATTRIBUTE.sub("", tag.group(2))
        if rest.strip():
            problems.append(f"{name}: <{tag.group(1)}> has an attribute the reader refuses:"
                            f" {rest.strip()[:40]}")
    return problems


def check():
    """Returns the list of problems with the committed skin (empty when it is sound)."""
    problems = []
    for name, size in PICTURES.items():
        path = os.path.join(ROOT, name)
        if not os.path.isfile(path):
            problems.append(f"{name}: missing")
            continue
        with open(path, "rb") as f:
            head = f.read(33)
        # Signature, then the IHDR chunk: length 13, width, height, bit depth, colour type.
        if len(head) < 33 or head[:8] != b"\x89PNG\r\n\x1a\n" or head[12:16] != b"IHDR":
            problems.append(f"{name}: not a PNG")
            continue
        width, height, depth, colour = struct.unpack(">IIBB", head[16:26])
        if (width, height) != size:
            problems.append(f"{name}: {width}x{height}, expected {size[0]}x{size[1]}")
        if (depth, colour) != (8, 6):
            problems.append(f"{name}: bit depth {depth}, colour type {colour}, expected 8-bit RGBA")
    for name in XML_FILES:
        path = os.path.join(ROOT, name)
        if not os.path.isfile(path):
            problems.append(f"{name}: missing")
            continue
        with open(path, "rb") as f:
            data = f.read()
        if data.startswith(b"\xef\xbb\xbf"):
            problems.append(f"{name}: starts with a byte-order mark")
        try:
            xml.etree.ElementTree.fromstring(data.decode("utf-8"))
        except (UnicodeDecodeError, xml.etree.ElementTree.ParseError) as e:
            problems.append(f"{name}: {e}")
            continue
        problems += quoting_problems(name, data.decode("utf-8"))
    expected = set(PICTURES) | set(XML_FILES)
    for folder, _, files in os.walk(ROOT):
        for file in files:
            name = os.path.relpath(os.path.join(folder, file), ROOT).replace(os.sep, "/")
            if name not in expected:
                problems.append(f"{name}: not a member of the skin")
    return problems


def main(argv):
    if argv[1:] == ["--check"]:
        problems = check()
        for p in problems:
            print(p, file=sys.stderr)
        print(f"skin check: {len(PICTURES) + len(XML_FILES)} members, {len(problems)} problems")
        return 1 if problems else 0
    if len(argv) > 1:
        print(__doc__, file=sys.stderr)
        return 2
    import skin_art  # Pillow is needed only for drawing.
    pictures = skin_art.draw_all()
    if set(pictures) != set(PICTURES):
        raise SystemExit(f"drew {sorted(set(pictures) ^ set(PICTURES))} against the list")
    for name, picture in pictures.items():
        if picture.size != PICTURES[name] or picture.mode != "RGBA":
            raise SystemExit(f"{name}: drew {picture.mode} {picture.size}, not {PICTURES[name]}")
        path = os.path.join(ROOT, name)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        picture.save(path, "PNG", optimize=True)
        print("wrote", name)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
