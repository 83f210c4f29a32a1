#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Checks the README's run command on a fresh Debian 12: a minimal root made by
# debootstrap (--variant=minbase bookworm) gets a copy of this tree and nothing
# else, then
#   1. ./run.sh without a display must install what it needs, build, and print
#      the command-line balancer's results for the five examples;
#   2. ./run.sh with a display (an Xvfb of this machine, shared through its
#      socket, so nothing is added to the root) must show the main window.
# With --tests it then runs ./test.sh there too, as CI would on a new machine.
# Needs root, debootstrap, Xvfb and xdotool on this machine.
#   scripts/fresh-root-check.sh [--tests] [--keep] [ROOT]
set -euo pipefail
cd "$(dirname "$0")/.."
tree=$(pwd)
tests=0
keep=0
root=
for arg in "$@"; do
  case $arg in
  --tests) tests=1 ;;
  --keep) keep=1 ;;
  *) root=$arg ;;
  esac
done
root=${root:-$(mktemp -d /tmp/quorvex-root.XXXXXX)}
say() { printf '== %s\n' "$*"; }
fail() {
  printf 'FAIL: %s\n' "$*" >&2
  exit 1
}
[[ $(id -u) -eq 0 ]] || fail "run as root (debootstrap and chroot need it)"
for tool in debootstrap Xvfb xdotool; do
  command -v "$tool" >/dev/null || fail "$tool is missing here"
done

mounts=()
xvfb=
program=
cleanup() {
  [[ -n $program ]] && kill "$program" 2>/dev/null
  [[ -n $xvfb ]] && kill "$xvfb" 2>/dev/null
  for ((i = ${#mounts[@]} - 1; i >= 0; --i)); do umount -l "${mounts[i]}" 2>/dev/null || true; done
  if ((keep)); then
    echo "the root stays in $root"
  else
    rm -rf --one-file-system "$root" "$root".*.log
  fi
}
trap cleanup EXIT

mirror=$(awk '/^URIs:/ {print $2; exit}' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
mirror=${mirror:-http://deb.debian.org/debian}
if [[ ! -x $root/bin/bash ]]; then
  say "debootstrap --variant=minbase bookworm $root $mirror"
  debootstrap --variant=minbase bookworm "$root" "$mirror" >"$root.debootstrap.log" 2>&1 ||
    fail "debootstrap failed: $(tail -n 5 "$root.debootstrap.log")"
fi
# The machine's apt sources and settings, so apt reaches the same archive.
cp -a /etc/apt/sources.list.d/. "$root/etc/apt/sources.list.d/"
cp -a /etc/apt/apt.conf.d/. "$root/etc/apt/apt.conf.d/"
[[ -f /etc/apt/sources.list ]] && cp /etc/apt/sources.list "$root/etc/apt/"
cp /etc/resolv.conf "$root/etc/" 2>/dev/null || true
for fs in proc sys dev dev/pts; do
  mkdir -p "$root/$fs"
  mount --bind "/$fs" "$root/$fs"
  mounts+=("$root/$fs")
done
mkdir -p "$root/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$root/tmp/.X11-unix"
mounts+=("$root/tmp/.X11-unix")

say "copying the tree (committed and uncommitted files, no build folders)"
rm -rf "$root/src" && mkdir -p "$root/src"
git ls-files -co --exclude-standard -z | tar --null -T - -cf - | tar -xf - -C "$root/src"
in_root() { chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/sbin:/usr/bin:/sbin:/bin "$@"; }

say "1. ./run.sh without a display"
output=$(in_root bash -c 'cd /src && ./run.sh' 2>&1) || fail "./run.sh failed: $(tail -n 20 <<<"$output")"
count=$(grep -c 'Balanced it successfully!' <<<"$output" || true)
((count == 5)) || fail "./run.sh printed $count balanced examples, not 5: $(tail -n 20 <<<"$output")"
echo "$output" | tail -n 7

say "2. ./run.sh with a display"
mkfifo "$root.display"
Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp -noreset 9>"$root.display" 2>/dev/null &
xvfb=$!
read -r -t 10 number <"$root.display"
rm -f "$root.display"
export DISPLAY=:$number
in_root DISPLAY=":$number" bash -c 'cd /src && exec ./run.sh' >"$root.run.log" 2>&1 &
program=$!
start=$SECONDS
until xdotool search --onlyvisible --name '^Quorvex v2.11$' >/dev/null 2>&1; do
  kill -0 "$program" 2>/dev/null || fail "./run.sh ended before its window opened: $(tail -n 20 "$root.run.log")"
  ((SECONDS - start < 120)) || fail "no window titled \"Quorvex v2.11\" within 120 s"
  sleep 0.2
done
echo "the main window is shown"
# run.sh and the shell before it exec the program: this is the window's process.
kill "$program" 2>/dev/null || true
wait "$program" 2>/dev/null || true
program=

if ((tests)); then
  say "3. ./test.sh"
  in_root bash -c 'cd /src && ./test.sh' || fail "./test.sh failed in the fresh root"
fi
say "PASS: the run command works on a fresh Debian 12"
