# Shared helpers of the project's scripts (sourced).
step() { printf '\n==> %s\n' "$*" >&2; }
die() { printf '\nERROR: %s\n' "$*" >&2; exit 1; }

# Installs the Debian packages that are not installed yet.
ensure_packages() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  [ "$(id -u)" -eq 0 ] || die "these Debian packages are missing and installing needs root: ${missing[*]}"
  step "apt-get install ${missing[*]}"
  if [ -z "${ORV_APT_UPDATED:-}" ]; then
    apt-get update -q >/dev/null || die "apt-get update failed"
    export ORV_APT_UPDATED=1
  fi
  DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}" >/dev/null \
    || die "apt-get install failed for: ${missing[*]}"
}
