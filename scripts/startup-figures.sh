#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Measures the shipped window as a user starts it: the time from starting
# build/app/quorvex to its main window being shown (the one-to-two-second hold
# included), and its resident memory after three idle seconds. Each run is on
# one Xvfb display (never reset between clients), in a fresh folder holding
# the delivered files.
#   scripts/startup-figures.sh [RUNS]     (default 3; needs ./test.sh's packages)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
runs=${1:-3}
[[ -x build/app/quorvex ]] || { echo "build/app/quorvex is missing: run ./run.sh or ./test.sh first" >&2; exit 2; }
for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "$tool is missing: bash scripts/deps.sh test installs it" >&2; exit 2; }
done
work=$(mktemp -d)
xvfb=
program=
trap '[[ -n $program ]] && kill "$program" 2>/dev/null; [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null; rm -rf "$work"' EXIT
mkfifo "$work/display"
Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp -noreset 9>"$work/display" 2>/dev/null &
xvfb=$!
read -r -t 10 number <"$work/display"
export DISPLAY=:$number
unset WAYLAND_DISPLAY QT_QPA_PLATFORM
for ((run = 1; run <= runs; ++run)); do
  rm -rf "$work/data" && mkdir "$work/data"
  cp data/cbd.dat data/help.rtf data/report.rtf "$work/data"/
  cd "$work/data"
  start=$(date +%s%N)
  "$root/build/app/quorvex" >"$work/log$run" 2>&1 &
  program=$!
  until xdotool search --onlyvisible --name '^Quorvex v2.11$' >/dev/null 2>&1; do
    (($(date +%s%N) - start < 30000000000)) || { echo "no window after 30 s" >&2; cat "$work/log$run"; exit 1; }
    sleep 0.01
  done
  shown=$((($(date +%s%N) - start) / 1000000))
  sleep 3
  rss=$(awk '/^VmRSS/ {print $2}' "/proc/$program/status")
  kill "$program"
  wait "$program" 2>/dev/null || true
  program=
  cd "$root"
  awk -v run="$run" -v shown="$shown" -v rss="$rss" \
    'BEGIN { printf "run %d: window shown after %d ms, resident memory %.1f MB\n", run, shown, rss / 1024 }'
done
