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

# Code page 936 for the Wine processes that need it (LC_ALL=zh_CN.UTF-8).
ensure_zh_locale() {
  locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$' && return 0
  [ "$(id -u)" -eq 0 ] || die "the zh_CN.UTF-8 locale is missing and generating it needs root"
  step "generating the zh_CN.UTF-8 locale"
  sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  locale-gen >/dev/null || die "locale-gen failed"
}
