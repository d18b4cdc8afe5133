#!/usr/bin/env python3
"""Packs the skin folders (Xmls/ and UI/) into a ZIP archive with deflated entries.

Usage: pack-skin.py <skin folder> <output zip>

Entry names use "/" and keep the folders' case ("Xmls/Default.xml", "UI/tip_bk.png"). The
entries carry a fixed time stamp and are sorted, so the same files always give the same bytes.
"""
import os
import sys
import zipfile

FOLDERS = ("Xmls", "UI")
STAMP = (2020, 1, 1, 0, 0, 0)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    root, output = sys.argv[1], sys.argv[2]
    names = []
    for folder in FOLDERS:
        base = os.path.join(root, folder)
        for dirpath, _dirs, files in os.walk(base):
            for name in files:
                path = os.path.join(dirpath, name)
                names.append(os.path.relpath(path, root).replace(os.sep, "/"))
    names.sort()
    if not names:
        sys.exit("no skin files under " + root)
    tmp = output + ".tmp"
    with zipfile.ZipFile(tmp, "w") as archive:
        for name in names:
            info = zipfile.ZipInfo(name, STAMP)
            info.compress_type = zipfile.ZIP_DEFLATED
            info.external_attr = 0o644 << 16
            with open(os.path.join(root, name), "rb") as f:
                archive.writestr(info, f.read())
    os.replace(tmp, output)


if __name__ == "__main__":
    main()
