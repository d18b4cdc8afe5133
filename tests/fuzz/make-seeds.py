#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets: the string cases of the unit tests and the skin's
own files.

Usage: make-seeds.py <source root> <seed folder>

Each target gets <seed folder>/<target>/, one file per seed, named by the hash of its bytes.
"""
import hashlib
import os
import re
import subprocess
import sys
import tempfile
import zipfile

LITERAL = re.compile(r'"((?:[^"\\\n]|\\.)*)"')
ESCAPES = {"n": b"\n", "t": b"\t", "r": b"\r", "0": b"\0", "\\": b"\\", '"': b'"', "'": b"'"}


def decode(body):
    out = bytearray()
    i = 0
    raw = body.encode("utf-8")
    while i < len(raw):
        c = raw[i:i + 1]
        if c != b"\\":
            out += c
            i += 1
            continue
        e = chr(raw[i + 1])
        if e == "x":
            j = i + 2
            while j < len(raw) and chr(raw[j]) in "0123456789abcdefABCDEF":
                j += 1
            out.append(int(raw[i + 2:j], 16) & 0xFF)
            i = j
        else:
            out += ESCAPES.get(e, e.encode())
            i += 2
    return bytes(out)


def literals(path):
    """The string literals of a C++ file, adjacent ones joined as the compiler joins them."""
    text = open(path, encoding="utf-8", errors="replace").read()
    found, current, last_end = [], None, None
    for m in LITERAL.finditer(text):
        if current is not None and text[last_end:m.start()].strip() == "":
            current += decode(m.group(1))
        else:
            if current is not None:
                found.append(current)
            current = decode(m.group(1))
        last_end = m.end()
    if current is not None:
        found.append(current)
    return found


def write(folder, data):
    os.makedirs(folder, exist_ok=True)
    name = hashlib.sha1(data).hexdigest()
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    root, seeds = sys.argv[1], sys.argv[2]
    t = lambda *p: os.path.join(root, "tests", *p)
    cases = {
        "manifest": ([t("updater", "ManifestTest.cpp"), t("updater", "FlowTest.cpp")], b"<"),
        "version": ([t("updater", "ManifestTest.cpp")], b"."),
        "login_reply": ([t("login", "LoginReplyTest.cpp"), t("login", "LoginCacheTest.cpp")], b"{"),
        "settings": ([t("client", "ClientSettingsTest.cpp")], b""),
        "page_address": ([t("identity", "ShopUrlTest.cpp"), t("identity", "ServiceUrlTest.cpp"),
                          t("identity", "MachineIdentityTest.cpp")], b""),
        "values": ([t("toolkit", "ValueSyntaxTest.cpp"), t("toolkit", "LayoutBuilderTest.cpp")], b""),
        "layout": ([t("toolkit", "LayoutBuilderTest.cpp"), t("toolkit", "ModelTreeTest.cpp")], b"<"),
    }
    for target, (files, marker) in cases.items():
        for path in files:
            if not os.path.exists(path):
                continue
            for data in literals(path):
                if marker in data:
                    write(os.path.join(seeds, target), data)
    # Versions also as pairs, one per line, as the version target reads them.
    versions = [b"4.0.0.5", b"4.0.0.10", b"4.0.0.9", b"4.0.1", b"4.0.1.2", b"5.x", b"1..2", b" -7.+3", b"2147483648"]
    for a in versions:
        for b in versions[:4]:
            write(os.path.join(seeds, "version"), a + b"\n" + b)
    # Settings files in the private-profile form.
    write(os.path.join(seeds, "settings"),
          "[CONFIG]\ndebug=2\nurl=https://example.test\nwbname=网吧\nalign=Right\nvalign=CENTER\n"
          "alignspace=0\nvalignspace=5\n[TIP]\nshow=1\nwidth=90\n".encode("utf-8"))
    # The skin's layouts and the packed skin.
    xmls = os.path.join(root, "skin", "Xmls")
    for name in sorted(os.listdir(xmls)):
        with open(os.path.join(xmls, name), "rb") as f:
            data = f.read()
        write(os.path.join(seeds, "layout"), data)
        for m in re.finditer(rb'="([^"]*)"', data):
            write(os.path.join(seeds, "values"), m.group(1))
    with tempfile.TemporaryDirectory() as tmp:
        packed = os.path.join(tmp, "skin.zip")
        subprocess.run([sys.executable, os.path.join(root, "skin", "pack-skin.py"), os.path.join(root, "skin"),
                        packed], check=True)
        with open(packed, "rb") as f:
            write(os.path.join(seeds, "skin_package"), f.read())
        # A small archive too, one deflated and one stored entry, that mutations change quickly.
        small = os.path.join(tmp, "small.zip")
        with zipfile.ZipFile(small, "w") as z:
            z.writestr("Xmls/Default.xml", open(os.path.join(xmls, "Default.xml"), "rb").read()[:300],
                       compress_type=zipfile.ZIP_DEFLATED)
            z.writestr("UI/a.txt", b"stored", compress_type=zipfile.ZIP_STORED)
        with open(small, "rb") as f:
            write(os.path.join(seeds, "skin_package"), f.read())


if __name__ == "__main__":
    main()
