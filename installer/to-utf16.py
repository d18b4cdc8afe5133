#!/usr/bin/env python3
"""to-utf16.py IN OUT [NAME=VALUE ...]: writes the UTF-8 text IN as UTF-16LE with a BOM and
CRLF line ends (a Unicode private-profile file, as Notepad saves it), replacing @NAME@."""
import sys

text = open(sys.argv[1], encoding="utf-8").read()
for pair in sys.argv[3:]:
    name, value = pair.split("=", 1)
    text = text.replace("@%s@" % name, value)
text = text.replace("\r\n", "\n").replace("\n", "\r\n")
with open(sys.argv[2], "wb") as out:
    out.write(b"\xff\xfe" + text.encode("utf-16-le"))
