#!/usr/bin/env bash
# Installs the Debian packages the build and the tests need, when missing.
# Usage: scripts/deps.sh [test]
set -euo pipefail

packages=(cmake ninja-build g++ libgtest-dev qt6-base-dev fonts-wine libgmp-dev)
if [[ "${1:-}" == test ]]; then
  # Benchmarks, and clang with its runtime for libFuzzer and the sanitizers.
  packages+=(libbenchmark-dev clang libclang-rt-14-dev unrtf)
fi

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  sudo=()
  if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
  "${sudo[@]}" apt-get update -q
  "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi
