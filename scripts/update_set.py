#!/usr/bin/env python3
"""Makes the cashier server's "UpdateList.xml" for the files of a folder.

Usage: update_set.py FOLDER [--release-version V] [--sign PRIVATE_KEY.pem]

One File element per file of the folder (its top level; sub-folders are not served), by
position: version, name, size, SHA-256 in lower-case hex. The version is the file's own version
resource where it has one, else the release version (the version of "Orvanta.exe" in the folder
unless given). The updaters in the field read the first three attributes and ignore the fourth.
With --sign, "UpdateList.xml.sig" beside it holds the ECDSA P-256 signature (r then s, 32 bytes
each) over the manifest's exact bytes, made with openssl.
"""
import argparse
import hashlib
import os
import struct
import subprocess
import sys
import tempfile

OWN_FILES = {"updatelist.xml", "updatelist.xml.sig"}
# Names the updater never installs (its own files, devices, characters Windows refuses).
REFUSED_NAMES = {"serverlist.xml", "pelgrix-2.exe", "pelgrix.trial", "pelgrix.retry", "pelgrix.rejected", "temp"}
DEVICES = {"con", "prn", "aux", "nul", "conin$", "conout$"} | {f"{p}{d}" for p in ("com", "lpt") for d in range(10)}
BAD_CHARACTERS = set('<>:"|?*') | {chr(c) for c in range(32)}


def pe_version(path):
    """The file version of a PE image's version resource as "a.b.c.d", or None."""
    data = open(path, "rb").read()
    if data[:2] != b"MZ" or len(data) < 0x40:
        return None
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe:pe + 4] != b"PE\0\0":
        return None
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    directories = optional + (96 if magic == 0x10B else 112)
    rsrc_rva, rsrc_size = struct.unpack_from("<II", data, directories + 2 * 8)
    if rsrc_rva == 0:
        return None
    table = optional + optional_size

    def offset(rva):
        for i in range(sections):
            s = table + 40 * i
            vsize, vaddr, raw_size, raw = struct.unpack_from("<IIII", data, s + 8)
            if vaddr <= rva < vaddr + max(vsize, raw_size):
                return raw + rva - vaddr
        return None

    base = offset(rsrc_rva)
    if base is None:
        return None

    def entries(directory):
        named, ids = struct.unpack_from("<HH", data, base + directory + 12)
        for i in range(named + ids):
            yield struct.unpack_from("<II", data, base + directory + 16 + 8 * i)

    def first_leaf(directory, want=None):
        for ident, target in entries(directory):
            if want is not None and ident != want:
                continue
            if target & 0x80000000:
                return first_leaf(target & 0x7FFFFFFF)
            return target
        return None

    for ident, target in entries(0):
        if ident == 16 and target & 0x80000000:  # RT_VERSION
            leaf = first_leaf(target & 0x7FFFFFFF)
            if leaf is None:
                return None
            rva, size = struct.unpack_from("<II", data, base + leaf)
            start = offset(rva)
            if start is None:
                return None
            block = data[start:start + size]
            at = block.find(struct.pack("<I", 0xFEEF04BD))
            if at < 0:
                return None
            ms, ls = struct.unpack_from("<II", block, at + 8)
            return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"
    return None


def check_name(name):
    folded = name.lower()
    base = folded.split(".")[0].rstrip(" ")
    if (folded in REFUSED_NAMES or base in DEVICES or set(name) & BAD_CHARACTERS or name != name.rstrip(". ")
            or len(name.encode("gbk")) > 240):
        sys.exit(f"update_set: the updater would refuse the name {name!r}")


def escape(text):
    return text.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;").replace('"', "&quot;")


def signature(manifest_path, key):
    der = subprocess.run(["openssl", "dgst", "-sha256", "-sign", key, manifest_path],
                         check=True, capture_output=True).stdout
    # DER: SEQUENCE { INTEGER r, INTEGER s }, each as 32 big-endian bytes.
    at = 2 + ((der[1] & 0x7F) if der[1] & 0x80 else 0)
    parts = []
    for _ in range(2):
        if der[at] != 2:
            sys.exit("update_set: openssl gave no ECDSA signature (is the key a P-256 key?)")
        length = der[at + 1]
        value = der[at + 2:at + 2 + length].lstrip(b"\0")
        if len(value) > 32:
            sys.exit("update_set: the key is not a P-256 key")
        parts.append(value.rjust(32, b"\0"))
        at += 2 + length
    return parts[0] + parts[1]


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("folder")
    parser.add_argument("--release-version")
    parser.add_argument("--sign", metavar="PRIVATE_KEY")
    args = parser.parse_args()
    folder = args.folder
    names = sorted(n for n in os.listdir(folder)
                   if os.path.isfile(os.path.join(folder, n)) and n.lower() not in OWN_FILES)
    release = args.release_version
    if release is None and os.path.isfile(os.path.join(folder, "Orvanta.exe")):
        release = pe_version(os.path.join(folder, "Orvanta.exe"))
    lines = ['<?xml version="1.0" encoding="gb2312"?>', "<AutoUpdater>", "  <Files>"]
    for name in names:
        check_name(name)
        path = os.path.join(folder, name)
        version = pe_version(path) or release
        if not version:
            sys.exit(f"update_set: {name} has no version resource: give --release-version")
        data = open(path, "rb").read()
        lines.append(f'    <File Ver="{version}" Name="{escape(name)}" Size="{len(data)}" '
                     f'Sha256="{hashlib.sha256(data).hexdigest()}"/>')
    lines += ["  </Files>", "</AutoUpdater>", ""]
    manifest_path = os.path.join(folder, "UpdateList.xml")
    with open(manifest_path, "wb") as out:
        out.write("\r\n".join(lines).encode("gbk"))
    sig_path = manifest_path + ".sig"
    if args.sign:
        with open(sig_path, "wb") as out:
            out.write(signature(manifest_path, args.sign))
    elif os.path.exists(sig_path):
        os.remove(sig_path)  # an old signature would not match the new manifest
    print(f"update_set: {len(names)} files in {manifest_path}" + (" (signed)" if args.sign else ""))


main()
