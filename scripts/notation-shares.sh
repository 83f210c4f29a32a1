#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Prints how a quorvex-cli reads the lines of the two tables of equations as
# sources write them (tests/formula/notation_corpus.tsv and
# tests/balance/ions_as_written.tsv): each line goes through `check`, and its
# species, as the check writes the equation it read, are compared with the
# species the table says the line means. A line is
#   read     - read as meant,
#   refused  - an input error naming both readings of a term,
#   other    - any other outcome: misread, or refused for another reason.
# Hint rows (ions_as_written.tsv) count whether standard error holds their hint.
#   scripts/notation-shares.sh [CLI]     (default build/cli/quorvex-cli)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cli=$(realpath "${1:-$root/build/cli/quorvex-cli}")
python3 - "$cli" "$root" <<'PY'
import re, subprocess, sys
cli, root = sys.argv[1], sys.argv[2]

def species_of_meant(meant):
    out = []
    for side in meant.split(" = "):
        for term in side.split(" + "):
            out.append(re.sub(r"^[0-9./]+ ", "", term.strip()))
        out.append("=")
    return out

def species_of_check(text):
    out, depth, term = [], 0, ""
    left, _, right = text.partition(" = ")
    for side in (left, right):
        depth, term, terms = 0, "", []
        for i, c in enumerate(side):
            if c == "[": depth += 1
            if c == "]": depth -= 1
            if c == "+" and depth == 0 and term and i + 1 < len(side) and side[i + 1] != "+" and not term.endswith("^"):
                terms.append(term); term = ""
            else:
                term += c
        terms.append(term)
        out += [re.sub(r"^[0-9]+(/[0-9]+)?(?=[A-Z(\[e•\u03b1-\u03c9a-z])", "", t) for t in terms] + ["="]
    return out

for table, columns in (("tests/formula/notation_corpus.tsv", 4), ("tests/balance/ions_as_written.tsv", 5)):
    counts = {"read": 0, "refused": 0, "other": 0}
    hints = [0, 0]
    rows = [r.rstrip("\n").split("\t") for r in open(f"{root}/{table}", encoding="utf-8") if r.strip() and not r.startswith("#")]
    for row in rows:
        line, meant, status = row[1], row[2], row[3]
        run = subprocess.run([cli, "check", "-"], input=line + "\n", capture_output=True, text=True)
        first = run.stdout.split("\n")[0].split("\t")
        if status == "hint":
            hints[1] += 1
            hints[0] += row[4].lower() in run.stderr.lower()
            continue
        if len(first) > 1 and first[1] and "error" not in first[0] and meant != "-" and species_of_check(first[1]) == species_of_meant(meant):
            counts["read"] += 1
        elif "reads two ways" in first[0]:
            counts["refused"] += 1
        else:
            counts["other"] += 1
    total = sum(counts.values())
    print(f"{table}: {total} lines" + "".join(f", {k} {v} ({100 * v / total:.1f} %)" for k, v in counts.items())
          + (f"; hints given on {hints[0]} of {hints[1]} hint lines" if hints[1] else ""))
PY
