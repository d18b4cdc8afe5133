#!/usr/bin/env bash
# Makes "UpdateList.xml" for the cashier server's folder: every file of FOLDER with its version,
# size and SHA-256. Run it after putting the release's files (and the venue's own) there.
#
# Usage: scripts/update-set.sh FOLDER [--release-version V]
# ORV_UPDATE_SIGNING_KEY=/path/to/private.pem also writes "UpdateList.xml.sig" (needed when the
# updater was built with a public key).
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
[ $# -ge 1 ] || { echo "usage: scripts/update-set.sh FOLDER [--release-version V]" >&2; exit 2; }
exec python3 "$here/update_set.py" "$@" ${ORV_UPDATE_SIGNING_KEY:+--sign "$ORV_UPDATE_SIGNING_KEY"}
