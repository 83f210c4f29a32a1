#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds Quorvex and starts it through its launcher, laid out in build/run as an
# installation would be, in the user's data folder ($XDG_DATA_HOME/quorvex, else ~/.local/share/quorvex),
# where it keeps cbd.dat, help.rtf and report.rtf. Files missing there are copied
# from data/ first and a user's own files are never overwritten, so the library
# you build up and the report you save stay between runs. Whatever the launcher
# cannot set up, the window still starts and says what went wrong.
set -euo pipefail
cd "$(dirname "$0")"
root=$(pwd)
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target quorvex quorvex-cli quorvex_icon

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "No desktop display here. The command-line balancer on the five examples:"
  ./build/cli/quorvex-cli balance data/examples.txt
  echo "(scripts/screenshots.sh shows every page of the window as PNG files.)"
  exit 0
fi
run=$root/build/run
mkdir -p "$run/bin" "$run/share"
install -m 755 app/quorvex-launch "$run/bin/quorvex-launch"
ln -sfn "$root/build/app/quorvex" "$run/bin/quorvex"
ln -sfn "$root/data" "$run/share/quorvex"
exec "$run/bin/quorvex-launch"
