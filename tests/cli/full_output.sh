#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Every command writing into a full device: status 2 and the reason on standard error.
#   full_output.sh QUORVEX_CLI LIBRARY EQUATIONS
set -uo pipefail
cli=$1
library=$2
equations=$3
failed=0
check() {
  local err status
  err=$("$@" 2>&1 >/dev/full)
  status=$?
  if [[ $status != 2 || $err != *"cannot write the output: No space left on device"* ]]; then
    echo "$*: status $status, standard error: $err" >&2
    failed=1
  fi
}
check "$cli" balance "$equations"
check "$cli" search --library "$library" --product O2
check "$cli" weight H2O
check "$cli" table "2H2+O2 = 2H2O"
check "$cli" --help
exit $failed
