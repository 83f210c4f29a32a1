#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End-to-end tests of the shipped program: each starts the built `quorvex` as a
# user does (no test option, no switch), on its own Xvfb display, in a fresh
# temporary data folder, drives it with real X input events and reads back what
# it shows. A test that goes wrong says what it saw and kills what it started;
# it never waits past its own limits.
#   e2e.sh CASE BUILD-DIR SOURCE-DIR
# CASE: window | scenario | launcher | nodisplay | atspi
set -euo pipefail

# The accessibility test runs in a D-Bus session of its own.
if [[ ${1:-} == atspi && -z ${QUORVEX_OWN_BUS:-} ]]; then
  QUORVEX_OWN_BUS=1 exec dbus-run-session -- "$0" "$@"
fi

case=$1
build=$(realpath "$2")
source=$(realpath "$3")
quorvex=$build/app/quorvex
closewindow=$build/tests/e2e/closewindow
title='Quorvex v2.11'
hold=2                    # the start-up hold in seconds (one to two seconds)
limit=$((hold + 2))       # the window must be up by then

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# A display of our own, so tests running side by side never meet. -noreset:
# a server that resets when its last client leaves refuses the next one meanwhile.
start_display() {
  local fifo=$work/display
  mkfifo "$fifo"
  Xvfb -displayfd 9 -screen 0 1024x768x24 -nolisten tcp -noreset 9>"$fifo" 2>"$work/xvfb.log" &
  pids+=($!)
  local number
  read -r -t 10 number <"$fifo" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
  export DISPLAY=:$number
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# Starts a program in the background; its pid is in $started.
start() {
  "$@" >"$work/program.log" 2>&1 &
  started=$!
  pids+=("$started")
}

# Waits until the program maps the main window; its id is in $window, the time
# from $since to then in $shown_ms.
wait_window() {
  local pid=$1 since=$2
  local deadline=$((since + limit * 1000))
  window=
  while :; do
    window=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -n 1) || true
    [[ -n $window ]] && break
    if ! kill -0 "$pid" 2>/dev/null; then
      wait "$pid" && status=0 || status=$?
      fail "the program ended with status $status before its window opened: $(cat "$work/program.log")"
    fi
    (($(now_ms) < deadline)) || fail "no window titled \"$title\" within $limit s"
    sleep 0.05
  done
  shown_ms=$(($(now_ms) - since))
  # The splash window is gone by then: the main window is the only one shown.
  local shown
  shown=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | wc -l)
  ((shown == 1)) || fail "$shown windows are shown with the main window; the splash window stayed"
}

# Closes the main window as a window manager's close button does and checks
# that the program then ends with status 0.
close_and_check() {
  local pid=$1
  "$closewindow" "$window" || fail "could not ask the window to close"
  local deadline=$(($(now_ms) + 5000))
  while kill -0 "$pid" 2>/dev/null; do
    (($(now_ms) < deadline)) || fail "the program did not end within 5 s of closing its window"
    sleep 0.05
  done
  local status=0
  wait "$pid" || status=$?
  ((status == 0)) || fail "the program ended with status $status: $(cat "$work/program.log")"
}

# Starts a program and waits for its main window: $started, $window, $shown_ms.
launch() {
  local since
  since=$(now_ms)
  start "$@"
  wait_window "$started" "$since"
}

# Starts a program whose start-up messages ("Quorvex" boxes) come before its main
# window: closes each, counting them in $messages, then waits for the main window.
launch_through_messages() {
  start "$@"
  messages=0
  local deadline=$(($(now_ms) + 15000)) box
  while ! xdotool search --onlyvisible --name "^${title}\$" >/dev/null 2>&1; do
    box=
    # The splash window (380 by 243), and the main window (529 by 529) while it is
    # mapped, bear the same name.
    for id in $(xdotool search --onlyvisible --pid "$started" --name '^Quorvex$' 2>/dev/null); do
      geometry=$(xdotool getwindowgeometry "$id" 2>/dev/null) || continue
      [[ $geometry == *'Geometry: 380x243'* || $geometry == *'Geometry: 529x529'* ]] || box=$id
    done
    if [[ -n $box ]] && "$closewindow" "$box" 2>/dev/null; then
      messages=$((messages + 1))
      while xdotool search --onlyvisible --pid "$started" --name '^Quorvex$' 2>/dev/null | grep -qx "$box"; do sleep 0.05; done
    fi
    kill -0 "$started" 2>/dev/null || fail "the program ended before its window opened: $(cat "$work/program.log")"
    (($(now_ms) < deadline)) || fail "no window titled \"$title\" within 15 s ($messages messages closed)"
    sleep 0.05
  done
  wait_window "$started" "$(now_ms)"
}

# A display of its own and a folder holding the delivered files to start in.
prepare_delivered_folder() {
  start_display
  mkdir -p "$work/data"
  cp "$source"/data/{cbd.dat,help.rtf,report.rtf} "$work/data"/
  cd "$work/data"
}

launch_in_delivered_folder() {
  prepare_delivered_folder
  launch "$quorvex"
}

case $case in
window)
  launch_in_delivered_folder
  echo "window shown after $shown_ms ms (limit $((limit * 1000)) ms)"
  ((shown_ms >= 1000)) || fail "the window came up after $shown_ms ms, before the one-second hold"
  close_and_check "$started"
  ;;

scenario)
  launch_in_delivered_folder
  # Typing starts in Sp1; Tab moves to Sp2, then through Sp3..Sp14 to Pr1.
  xdotool type --delay 20 'H2'
  xdotool key Tab
  xdotool type --delay 20 'O2'
  xdotool key --repeat 13 Tab
  xdotool type --delay 20 'H2O'
  xdotool key Return
  # Into the Balanced Equations List, select all and copy.
  xdotool mousemove --window "$window" 260 392 click 1
  xdotool key ctrl+a ctrl+c
  sleep 0.2
  copied=$(timeout 5 xclip -o -selection clipboard) || fail "nothing was copied from the list"
  [[ $copied == *'|1| 2H2+O2 = 2H2O'* ]] || fail "the list shows \"$copied\", not |1| 2H2+O2 = 2H2O"
  # The Calculator (places in the window's client area): high precision, mass,
  # an amount typed with the locale's decimal separator for H2, Calculate, and
  # back to mole, which reads every amount the table wrote. No message may open.
  xdotool mousemove --window "$window" 168 46 click 1
  sleep 0.3
  xdotool mousemove --window "$window" 260 130 click 1
  xdotool key ctrl+a ctrl+c
  sleep 0.2
  copied=$(timeout 5 xclip -o -selection clipboard) || fail "nothing was copied from the Calculator's equation"
  [[ $copied == '|1| 2H2+O2 = 2H2O' ]] || fail "the Calculator shows \"$copied\", not |1| 2H2+O2 = 2H2O"
  separator=$(locale decimal_point)
  for place in "306 493" "172 493" "418 259"; do
    read -r x y <<<"$place"
    xdotool mousemove --window "$window" "$x" "$y" click 1
    sleep 0.2
  done
  xdotool type --delay 20 "4${separator}5"
  xdotool key Return
  for place in "384 492" "75 493"; do
    read -r x y <<<"$place"
    xdotool mousemove --window "$window" "$x" "$y" click 1
    sleep 0.3
  done
  shown=$(xdotool search --onlyvisible --pid "$started" 2>/dev/null | wc -l)
  ((shown == 1)) || fail "a message opened after Calculate and the change of unit (amount typed as 4${separator}5)"
  close_and_check "$started"
  ;;

launcher)
  start_display
  prefix=$work/prefix
  cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "cmake --install failed: $(cat "$work/install.log")"
  export XDG_DATA_HOME=$work/xdg HOME=$work/home
  mkdir -p "$HOME"
  launch "$prefix/bin/quorvex-launch"
  for file in cbd.dat help.rtf report.rtf; do
    cmp -s "$source/data/$file" "$XDG_DATA_HOME/quorvex/$file" || fail "$file was not seeded into \$XDG_DATA_HOME/quorvex"
  done
  close_and_check "$started"
  printf '#H2+Cl2 = 2HCl#\r\n' >>"$XDG_DATA_HOME/quorvex/cbd.dat"
  cp "$XDG_DATA_HOME/quorvex/cbd.dat" "$work/changed.dat"
  launch "$prefix/bin/quorvex-launch"
  close_and_check "$started"
  cmp -s "$work/changed.dat" "$XDG_DATA_HOME/quorvex/cbd.dat" || fail "a second start overwrote the changed cbd.dat"

  # Environments the launcher cannot use as they are: the window starts all the same,
  # in the folder named, after the messages counted (the launcher's own and the window's
  # for a file it cannot read), and the launcher says on standard error what went wrong.
  mkdir -p "$work/bin" "$work/tmp" "$work/pwhome"
  # The password database's home, for a HOME that is unset.
  printf '#!/bin/sh\necho "user:x:1000:1000::%s:/bin/sh"\n' "$work/pwhome" >"$work/bin/getent"
  chmod +x "$work/bin/getent"
  touch "$work/a-file"
  shared=$prefix/share/quorvex
  # name | environment | preparation | folder | messages | said on standard error
  rows=(
    "HOME unset|-u HOME -u XDG_DATA_HOME||$work/pwhome/.local/share/quorvex|0|"
    "relative XDG_DATA_HOME|XDG_DATA_HOME=relative HOME=$work/h1||$work/h1/.local/share/quorvex|0|"
    "unusable XDG_DATA_HOME|XDG_DATA_HOME=$work/a-file||$work/tmp/quorvex.*|1|cannot be created"
    "read-only data folder, a file missing|XDG_DATA_HOME=$work/x4|readonly|$work/x4/quorvex|2|help.rtf could not be copied"
    "dangling cbd.dat link|XDG_DATA_HOME=$work/x5|dangling|$work/x5/quorvex|2|is a link to a missing file"
  )
  for row in "${rows[@]}"; do
    IFS='|' read -r name environment preparation folder expected said <<<"$row"
    case $preparation in
    readonly)
      mkdir -p "$work/x4/quorvex"
      cp "$shared/cbd.dat" "$shared/report.rtf" "$work/x4/quorvex"/
      chmod 555 "$work/x4/quorvex"
      # Permissions do not hold root back: the delivered file goes missing instead.
      ((EUID != 0)) || mv "$shared/help.rtf" "$work/help.rtf.aside"
      ;;
    dangling)
      mkdir -p "$work/x5/quorvex"
      ln -s "$work/nowhere/cbd.dat" "$work/x5/quorvex/cbd.dat"
      ;;
    esac
    cd "$work"
    # shellcheck disable=SC2086 # the environment column is words for env
    launch_through_messages env $environment PATH="$work/bin:$PATH" TMPDIR="$work/tmp" "$prefix/bin/quorvex-launch"
    if [[ -e $work/help.rtf.aside ]]; then mv "$work/help.rtf.aside" "$shared/help.rtf"; fi
    actual=$(readlink "/proc/$started/cwd")
    # shellcheck disable=SC2053 # the folder column may be a pattern
    [[ $actual == $folder ]] || fail "$name: the window works in $actual, not $folder"
    ((messages == expected)) || fail "$name: $messages messages before the window, not $expected: $(cat "$work/program.log")"
    [[ -z $said ]] || grep -q "$said" "$work/program.log" || fail "$name: the launcher did not say \"$said\": $(cat "$work/program.log")"
    if ((expected == 0)) || [[ $folder == *'*'* ]]; then
      for file in cbd.dat help.rtf report.rtf; do
        cmp -s "$source/data/$file" "$actual/$file" || fail "$name: $file was not seeded into $actual"
      done
    fi
    close_and_check "$started"
  done
  [[ ! -e $work/relative && ! -e $work/nowhere ]] || fail "a relative XDG_DATA_HOME was used, or a dangling link followed"
  chmod 755 "$work/x4/quorvex"
  ;;

atspi)
  # The accessibility bus first: Qt registers with it as the window is created.
  prepare_delivered_folder
  /usr/libexec/at-spi-bus-launcher --launch-immediately >"$work/atspi.log" 2>&1 &
  pids+=($!)
  launch env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$quorvex"
  timeout 120 /usr/bin/python3 "$source/tests/e2e/atspi.py" || fail "the window is not usable through AT-SPI (see above)"
  close_and_check "$started"
  ;;

nodisplay)
  export XDG_DATA_HOME=$work/xdg HOME=$work/home
  mkdir -p "$HOME"
  output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$source/run.sh" 2>&1) ||
    fail "run.sh without a display failed: $output"
  count=$(grep -c 'Balanced it successfully!' <<<"$output" || true)
  ((count == 5)) || fail "run.sh without a display printed $count balanced examples, not 5: $output"
  ;;

*)
  fail "unknown case $case"
  ;;
esac
echo "PASS: $case"
