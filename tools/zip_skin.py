#!/usr/bin/env python3
"""Packs the window skin into the ZIP archive that the installer carries as IDR_ZIP_UI.

    zip_skin.py OUTPUT.zip SKIN_FOLDER MEMBER...

Each MEMBER is a path inside SKIN_FOLDER ("global.xml", "frame/UIInstallFrame.xml",
"background/install_bg.png", ...) and becomes the member of that name, with forward slashes.
Every member is deflated, the PNGs too although they gain little: the installer's reader is
built and tested against a deflate archive, and 7-Zip, which the build uses elsewhere, would
quietly store a member that does not shrink. Nothing is encrypted. Timestamps and
attributes are fixed, so the same files give the same archive byte for byte.
"""
import os
import sys
import zipfile

FIXED_TIME = (1980, 1, 1, 0, 0, 0)  # the earliest time a ZIP entry can hold


def pack(output, folder, members):
    temporary = output + ".part"
    with zipfile.ZipFile(temporary, "w") as archive:
        for member in members:
            name = member.replace(os.sep, "/")
            if name.startswith("/") or ".." in name.split("/"):
                raise SystemExit(f"zip_skin: {member} is not a path inside the skin folder")
            with open(os.path.join(folder, member), "rb") as f:
                data = f.read()
            entry = zipfile.ZipInfo(name, FIXED_TIME)
            entry.external_attr = 0o644 << 16
            archive.writestr(entry, data, zipfile.ZIP_DEFLATED, 9)
    os.replace(temporary, output)


def main(argv):
    if len(argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    pack(argv[1], argv[2], argv[3:])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
