#!/usr/bin/env bash
# Builds Quorvex and runs it: for now the command-line balancer on the five
# balance examples.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build --target quorvex-cli
./build/cli/quorvex-cli balance data/examples.txt
