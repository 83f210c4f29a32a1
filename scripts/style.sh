#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The style check: every C++ file as clang-format writes it (.clang-format), and no
# clang-tidy finding (.clang-tidy) in a build's translation units.
# Usage: scripts/style.sh [BUILD]         check both; exit 1 on a difference or a finding.
#                                         BUILD (default: build) is configured and built.
#        scripts/style.sh --format        check the format only; no build needed. Exit 77
#                                         (ctest's skip) when clang-format-14 is missing.
#        scripts/style.sh --tidy [BUILD]  check with clang-tidy only
#        scripts/style.sh --fix           rewrite the files as clang-format writes them
set -euo pipefail
cd "$(dirname "$0")/.."

if [[ "${1:-}" == --tidy ]]; then
  exec python3 scripts/tidy.py "${2:-build}"
fi

folders=(app balance bench calc cli core formula fuzz library rtf tests workspace)
mapfile -t files < <(find "${folders[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) | sort)
format=clang-format-14
jobs=$(nproc)

if ! command -v "$format" >/dev/null; then
  echo "style.sh: $format is not installed; scripts/deps.sh test installs it"
  [[ "${1:-}" == --format ]] && exit 77
  exit 1
fi

if [[ "${1:-}" == --fix ]]; then
  # Twice: a trailing comment in a braced list can move again on a second pass.
  for _ in 1 2; do printf '%s\0' "${files[@]}" | xargs -0 -n 16 -P "$jobs" "$format" -i; done
  exit 0
fi

start=$SECONDS
mapfile -t differ < <(printf '%s\0' "${files[@]}" |
  xargs -0 -n 1 -P "$jobs" sh -c '"$0" "$1" | cmp -s - "$1" || echo "$1"' "$format" | sort)
echo "clang-format: ${#differ[@]} of ${#files[@]} files differ; $((SECONDS - start)) s"
status=0
if ((${#differ[@]})); then
  status=1
  printf '  %s\n' "${differ[@]}"
  # The first differences in full; scripts/style.sh --fix applies them all.
  for file in "${differ[@]:0:3}"; do "$format" "$file" | diff -u "$file" - | head -n 30 || true; done
fi
[[ "${1:-}" == --format ]] && exit "$status"

python3 scripts/tidy.py "${1:-build}" || status=1
exit "$status"
