#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the build and the tests need, when missing.
# Usage: scripts/deps.sh [--check] [test]
#   --check   install nothing: name what is missing and exit 1 if anything is
set -euo pipefail

check=false
if [[ "${1:-}" == --check ]]; then
  check=true
  shift
fi

# The program: what ./run.sh needs, and nothing more (GMP for the exact
# analysis of a failed balance).
packages=(cmake ninja-build g++ qt6-base-dev fonts-wine libgmp-dev)
if [[ "${1:-}" == test ]]; then
  # GoogleTest and benchmarks; clang with its runtime for libFuzzer and the
  # sanitizers; unrtf for reading our RTF back; Xvfb, xauth, xdotool, xclip and
  # the X11 headers for the end-to-end tests; poppler-utils to read printed PDFs.
  packages+=(libgtest-dev libbenchmark-dev clang libclang-rt-14-dev unrtf
             xvfb xauth xdotool xclip libx11-dev poppler-utils)
  # The window driven as a screen reader drives it: the AT-SPI bus, its Python
  # bindings and a D-Bus session of the test's own.
  packages+=(at-spi2-core python3-pyatspi gir1.2-atspi-2.0 dbus)
  # The Debian package and its checks: cpack's helpers, the manual pages, the
  # validators, and the install test in a fresh root.
  packages+=(dpkg-dev file help2man lintian appstream desktop-file-utils debootstrap)
  # The window's tests also run in two locales that write a decimal comma.
  packages+=(locales)
  # The formatter, for the suite's format check (./test.sh --quick runs it too),
  # and the static analyser of the full run.
  packages+=(clang-format clang-tidy)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if $check; then
  status=0
  if ((${#missing[@]})); then
    echo "Missing packages: ${missing[*]}"
    status=1
  fi
  if [[ "${1:-}" == test ]]; then
    for locale in de_DE fr_FR; do
      if ! locale -a 2>/dev/null | grep -qix "${locale}.utf-\?8"; then
        echo "Missing locale: ${locale}.UTF-8"
        status=1
      fi
    done
  fi
  if ((status)); then echo "Install them with: scripts/deps.sh${1:+ $1}"; fi
  exit "$status"
fi

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=()
  if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# The comma locales the tests run in, generated when missing.
if [[ "${1:-}" == test ]]; then
  sudo=()
  if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
  for locale in de_DE fr_FR; do
    if ! locale -a 2>/dev/null | grep -qix "${locale}.utf-\?8"; then
      echo "Generating ${locale}.UTF-8"
      "${sudo[@]}" localedef -i "$locale" -f UTF-8 "${locale}.UTF-8"
    fi
  done
fi
