#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the window under Xvfb, shows each of its six pages in turn and saves a
# PNG of each into DIR (default build/screenshots).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
out=$(realpath -m "${1:-build/screenshots}")
bash scripts/deps.sh
missing=()
for p in xvfb xauth; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target quorvex-screenshots
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp data/cbd.dat data/help.rtf data/report.rtf "$work"/
cd "$work"
xvfb-run -a -s "-screen 0 800x600x24" "$root/build/app/quorvex-screenshots" "$out"
