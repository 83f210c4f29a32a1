#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds and runs every test: each fuzz target for a bounded time, the core
# tests under AddressSanitizer and UndefinedBehaviorSanitizer, clang-tidy, the
# Debian package installed into a fresh root, then the whole suite, the format
# check among it (its summary is the last thing printed). Every build treats
# warnings as errors.
#   ./test.sh           everything; installs the packages it needs first
#   ./test.sh --quick   the whole suite only, no fuzzing, sanitizers, clang-tidy or
#                       install test; installs nothing, and stops when a package is missing
# QUORVEX_FUZZ_SECONDS sets the time per fuzz target (default 60).
set -euo pipefail
cd "$(dirname "$0")"
if [[ "${1:-}" == --quick ]]; then
  bash scripts/deps.sh --check test
else
  bash scripts/deps.sh test
fi
jobs=$(nproc)

if [[ "${1:-}" != --quick ]]; then
  seconds=${QUORVEX_FUZZ_SECONDS:-60}
  echo "== fuzzing, ${seconds} s a target"
  CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUORVEX_FUZZ=ON -DQUORVEX_TESTS=OFF -DQUORVEX_WERROR=ON >/dev/null
  cmake --build build-fuzz -j "$jobs"
  for binary in build-fuzz/fuzz/*_fuzz; do
    target=$(basename "$binary")
    corpus=build-fuzz/corpus/$target
    mkdir -p "$corpus"
    cp -n fuzz/corpus/"$target"/* "$corpus"/ 2>/dev/null || true
    # One target reads inputs of up to 1 MB, so that a slow path shows up as a timeout.
    max_len=2048
    [[ $target == library_fuzz ]] && max_len=1048576
    echo "-- $target"
    "$binary" -max_total_time="$seconds" -max_len="$max_len" -timeout=10 \
      -print_final_stats=1 -artifact_prefix=build-fuzz/ "$corpus" 2>&1 | tail -n 12
    # pipefail carries a crash's exit status through tail.
  done

  echo "== all tests, the window's included, under AddressSanitizer and UndefinedBehaviorSanitizer"
  cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVEX_SANITIZE=ON -DQUORVEX_WERROR=ON >/dev/null
  cmake --build build-sanitize -j "$jobs"
  # Leak checking included: the Qt window tests leak nothing, so no suppressions are needed.
  (cd build-sanitize && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --output-on-failure -j "$jobs" | tail -n 3)
fi

echo "== all tests"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUORVEX_WERROR=ON >/dev/null
cmake --build build -j "$jobs"

if [[ "${1:-}" != --quick ]]; then
  # The format is checked once, by the suite's style.format.
  echo "== style: clang-tidy"
  bash scripts/style.sh --tidy build

  echo "== the package, installed into a fresh Debian 12 root"
  sudo=()
  if [[ $(id -u) -ne 0 ]]; then sudo=(sudo); fi
  status=0
  "${sudo[@]}" bash scripts/package-test.sh --install build || status=$?
  # 77: it cannot run here, and it has said why.
  if ((status != 0 && status != 77)); then exit "$status"; fi
fi
cd build && ctest --output-on-failure --no-tests=error -j "$jobs"
