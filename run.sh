#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Quorvex and starts it in the user's data folder
# ($XDG_DATA_HOME/quorvex, else ~/.local/share/quorvex), where it keeps
# cbd.dat, help.rtf and report.rtf. Files missing there are copied from data/
# first and a user's own files are never overwritten, so the library you build
# up and the report you save stay between runs.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target quorvex quorvex-cli quorvex_icon

home=${XDG_DATA_HOME:-$HOME/.local/share}/quorvex
mkdir -p "$home"
for file in cbd.dat help.rtf report.rtf; do
  [[ -e "$home/$file" ]] || cp "data/$file" "$home/$file"
done
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "No desktop display here. The command-line balancer on the five examples:"
  ./build/cli/quorvex-cli balance data/examples.txt
  echo "(scripts/screenshots.sh shows every page of the window as PNG files.)"
  exit 0
fi
cd "$home"
exec "$root/build/app/quorvex"
