#!/usr/bin/env python3
"""Writes the C++ header with the updater's built-in update key.

Usage: update_key.py OUT.h [PUBLIC_KEY.pem]
The key is an ECDSA P-256 public key (openssl's PEM). Without one the header names no key and
the updater accepts unsigned manifests.
"""
import subprocess
import sys


def point_of(pem_path):
    try:
        der = subprocess.run(["openssl", "ec", "-pubin", "-in", pem_path, "-outform", "DER"],
                             check=True, capture_output=True).stdout
    except (OSError, subprocess.CalledProcessError):
        sys.exit(f"{pem_path}: not a public key that openssl reads (the private half never goes here)")
    # SubjectPublicKeyInfo of a P-256 key ends with the uncompressed point 04 || x || y.
    point = der[-65:]
    if len(der) < 65 or point[0] != 4 or b"\x2a\x86\x48\xce\x3d\x03\x01\x07" not in der:
        sys.exit(f"{pem_path}: not an ECDSA P-256 public key")
    return point[1:]


def main():
    out = sys.argv[1]
    key = point_of(sys.argv[2]).hex() if len(sys.argv) > 2 and sys.argv[2] else ""
    text = ("#pragma once\n// Made by scripts/update_key.py at configure time.\n"
            f'#define ORV_UPDATE_PUBLIC_KEY_HEX "{key}"\n')
    try:
        if open(out).read() == text:
            return
    except OSError:
        pass
    open(out, "w").write(text)


main()
