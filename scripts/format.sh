#!/usr/bin/env bash
# Formats the project's C++ sources with .clang-format, or checks them with --check.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
cd "$root"
mapfile -t files < <(git ls-files '*.cpp' '*.h' '*.hpp' '*.c')
[ ${#files[@]} -eq 0 ] && exit 0
if [ "${1:-}" = "--check" ]; then
  clang-format --dry-run --Werror "${files[@]}" && echo "format: ${#files[@]} files follow .clang-format"
else
  clang-format -i "${files[@]}"
fi
