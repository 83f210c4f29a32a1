#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Times `quorvex-cli balance FILE >/dev/null`, whole process, on the inputs of
# scripts/mixed-corpus.sh (the delivered library and the mixed corpus, each
# 10,000 lines, and the mixed corpus with a tenth of its lines ASCII ions) and
# on an empty file (the process start alone). For each: processor time (user +
# system, median of RUNS runs) and wall time (best), per equation; then the
# instructions per equation counted by callgrind (one run each, when valgrind
# is installed; the empty file's count is the start's). The load average is
# printed first, since timings on a shared machine move with it. Standard
# output goes to /dev/null, standard error (the notes) to a file.
#   scripts/balance-speed.sh [CLI] [RUNS]     (default build/cli/quorvex-cli, 30)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=$(realpath "${1:-$root/build/cli/quorvex-cli}")
runs=${2:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/scripts/mixed-corpus.sh" "$work" 10000 2>/dev/null
: >"$work/empty.txt"
echo "load average: $(cut -d' ' -f1-3 /proc/loadavg)"

# posix_spawn and wait4: the child's own processor time, to the microsecond.
python3 - "$cli" "$runs" "$work" <<'EOF'
import os, statistics, sys, time
cli, runs, work = sys.argv[1], int(sys.argv[2]), sys.argv[3]
null = os.open(os.devnull, os.O_WRONLY)
notes = os.open(f"{work}/notes", os.O_WRONLY | os.O_CREAT | os.O_TRUNC, 0o600)
for name in ["library", "mixed", "mixed-ions", "empty"]:
    path = f"{work}/{name}.txt"
    with open(path) as f:
        lines = sum(1 for _ in f)
    cpu, wall = [], []
    for _ in range(runs):
        os.ftruncate(notes, 0)
        os.lseek(notes, 0, os.SEEK_SET)
        start = time.perf_counter()
        pid = os.posix_spawn(cli, [cli, "balance", path], os.environ,
                             file_actions=[(os.POSIX_SPAWN_DUP2, null, 1), (os.POSIX_SPAWN_DUP2, notes, 2)])
        _, status, usage = os.wait4(pid, 0)
        wall.append(time.perf_counter() - start)
        cpu.append(usage.ru_utime + usage.ru_stime)
        if os.waitstatus_to_exitcode(status) not in (0, 1):
            sys.exit(f"{cli} balance {path} failed: {status}")
    if lines:
        print(f"{name:11} {lines} lines: {statistics.median(cpu) / lines * 1e6:.2f} us an equation of processor time "
              f"(median), {min(wall) / lines * 1e6:.2f} us wall (best)")
    else:
        print(f"{name:11} process start: {statistics.median(cpu) * 1e3:.2f} ms of processor time (median), "
              f"{min(wall) * 1e3:.2f} ms wall (best)")
EOF

if command -v valgrind >/dev/null; then
  for name in library mixed mixed-ions empty; do
    lines=$(wc -l <"$work/$name.txt")
    valgrind --tool=callgrind --callgrind-out-file="$work/$name.out" "$cli" balance "$work/$name.txt" \
      >/dev/null 2>"$work/notes" || true
    total=$(sed -n 's/^summary: //p' "$work/$name.out")
    if ((lines)); then
      echo "$name: $((total / lines)) instructions an equation (callgrind, $total in all)"
    else
      echo "$name: $total instructions to start and end the process (callgrind)"
    fi
  done
fi
