#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs clang-tidy on each of our translation units in BUILD/compile_commands.json.

Usage: scripts/tidy.py BUILD [FILE_REGEX]

Units run in parallel, one per core. A unit that passed before is not analysed again
while its preprocessed text (comments kept, so NOLINT counts), its flags, the
.clang-tidy configuration and the clang-tidy version are the same: a pass is recorded
under BUILD/tidy-passed/ by the hash of all four. Each finding is printed once with
its check's name, then a count per check; the exit status is 1 when there is one.
"""
import concurrent.futures
import hashlib
import json
import os
import pathlib
import re
import shlex
import subprocess
import sys
import time

ROOT = pathlib.Path(__file__).resolve().parent.parent
FOLDERS = ("app", "balance", "bench", "calc", "cli", "core", "formula", "fuzz", "library", "rtf",
           "tests", "workspace")
TIDY = "clang-tidy-14"
CLANG = "clang++-14"
FINDING = re.compile(r"^(/[^:]+):(\d+):(\d+): (warning|error): (.*) \[([^\]]+)\]$")


def ours(path):
    try:
        parts = pathlib.Path(path).resolve().relative_to(ROOT).parts
    except ValueError:
        return False
    return len(parts) > 1 and parts[0] in FOLDERS


def preprocess_args(entry):
    """The unit's compile command turned into one that writes its preprocessed text."""
    args = entry.get("arguments") or shlex.split(entry["command"])
    out = [CLANG]
    skip = False
    for arg in args[1:]:
        if skip:
            skip = False
        elif arg in ("-o", "-MT", "-MF", "-MQ"):
            skip = True
        elif arg not in ("-c", "-MD", "-MMD"):
            out.append(arg)
    return out + ["-Wno-error", "-Wno-unknown-warning-option", "-E", "-C", "-o", "-"]


def unit_key(entry, salt):
    text = subprocess.run(preprocess_args(entry), cwd=entry["directory"], capture_output=True, check=False)
    if text.returncode != 0:
        return None  # clang-tidy will report why it cannot parse it
    digest = hashlib.sha256(salt)
    digest.update(entry.get("command", " ".join(entry.get("arguments", []))).encode())
    digest.update(text.stdout)
    return digest.hexdigest()


def check(entry, build, salt, passed):
    key = unit_key(entry, salt)
    if key and (passed / key).exists():
        return entry["file"], True, ""
    # Compiler warnings are the builds' business (QUORVEX_WERROR); here they would stop
    # the analysis, GCC's own options included, which clang does not know.
    run = subprocess.run([TIDY, "-p", str(build), "--quiet", "--extra-arg=-Wno-error",
                          "--extra-arg=-Wno-unknown-warning-option", entry["file"]],
                         capture_output=True, text=True, check=False)
    findings = "\n".join(line for line in run.stdout.splitlines() if FINDING.match(line))
    if run.returncode == 0 and not findings:
        if key:
            (passed / key).touch()
        return entry["file"], False, ""
    return entry["file"], False, findings or run.stdout + run.stderr


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    build = pathlib.Path(sys.argv[1]).resolve()
    pattern = re.compile(sys.argv[2]) if len(sys.argv) > 2 else None
    database = build / "compile_commands.json"
    if not database.exists():
        sys.exit(f"{database} is missing: configure the build with CMake first")
    units = [e for e in json.loads(database.read_text()) if ours(e["file"])]
    if pattern:
        units = [e for e in units if pattern.search(e["file"])]
    version = subprocess.run([TIDY, "--version"], capture_output=True, check=True).stdout
    salt = version + b"".join(p.read_bytes() for p in sorted(ROOT.glob("*/.clang-tidy")) + [ROOT / ".clang-tidy"])
    passed = build / "tidy-passed"
    passed.mkdir(exist_ok=True)

    start = time.monotonic()
    cached = 0
    findings = {}
    failures = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 1) as pool:
        jobs = [pool.submit(check, e, build, salt, passed) for e in units]
        for job in concurrent.futures.as_completed(jobs):
            path, from_cache, output = job.result()
            cached += from_cache
            for line in output.splitlines():
                match = FINDING.match(line)
                if match:
                    findings[line] = match.group(6)
            if output and not any(FINDING.match(line) for line in output.splitlines()):
                failures.append(f"{path}:\n{output}")

    for line in sorted(findings):
        print(line)
    for failure in failures:
        print(failure)
    counts = {}
    for check_names in findings.values():
        for name in check_names.split(","):
            counts[name] = counts.get(name, 0) + 1
    for name, count in sorted(counts.items(), key=lambda item: -item[1]):
        print(f"{count:6d}  {name}")
    print(f"clang-tidy: {len(units)} units, {len(units) - cached} analysed, {cached} unchanged since they passed; "
          f"{len(findings)} findings; {time.monotonic() - start:.0f} s")
    sys.exit(1 if findings or failures else 0)


if __name__ == "__main__":
    main()
