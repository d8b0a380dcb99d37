#!/usr/bin/env bash
# How long the tray's balloons stay on screen, in Qt's own X11 tray (trayer on
# a private Xvfb): the arrival balloon (the program started beside the
# virtual mouse), and "did not detect" at a start without a mouse and after a
# click on the icon. Each balloon window must stay mapped at least 5 s.
# run_balloon_test.sh BIN_DIR   (exit 77: skipped, a tool is missing)
set -uo pipefail
BIN=${1:?usage: run_balloon_test.sh BIN_DIR}
for tool in Xvfb trayer xdotool xprop xev xwininfo stdbuf; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

SESSION=$(mktemp -d)
PIDS=()
cleanup() {
  local i
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do kill "${PIDS[i]}" 2>/dev/null; wait "${PIDS[i]}" 2>/dev/null; done
  rm -rf "$SESSION"
}
trap cleanup EXIT
fail() { echo "FAIL: $1"; [ -f "$SESSION/program.log" ] && cat "$SESSION/program.log"; exit 1; }
now_ms() { date +%s%3N; }

# shellcheck source=../../support/desktop.sh
. "$(dirname "$0")/../../support/desktop.sh"
DESKTOP_LOGS=$SESSION
start_xvfb 1024x768x24 || fail "no X server"
PIDS+=("$XVFB_PID")
export DISPLAY=$XVFB_DISPLAY
start_trayer || fail "no notification area"
PIDS+=("$TRAYER_PID")

# No session bus: Qt's tray then embeds in trayer and shows its own balloon.
export QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=unix:path=$SESSION/no-bus ASAN_OPTIONS=detect_leaks=0

# The program's visible windows of one kind: tooltip (a balloon) or not.
windows() {
  local w type
  for w in $(xdotool search --onlyvisible --class corvaline 2>/dev/null); do
    type=$(xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null)
    if [ "$1" = balloon ] && [[ $type == *TOOLTIP* ]]; then echo "$w"
    elif [ "$1" = icon ] && [[ $type != *TOOLTIP* ]]; then echo "$w"; fi
  done
}

# The server's own word on when windows are mapped and unmapped, each line
# stamped (in ms, without a fork) as it comes; polling alone sees a balloon late.
exec 5< <(exec stdbuf -oL xev -root -event substructure 2>/dev/null)
PIDS+=($!)
(while IFS= read -r line <&5; do t=${EPOCHREALTIME/./}; echo "${t:0:-3} $line"; done >"$SESSION/xev.log") &
PIDS+=($!)

# The first log line of what happens from now on.
mark() { echo $(($(wc -l <"$SESSION/xev.log") + 1)); }

# Waits for a balloon, then for it to go; fails when it was up under 5 s.
# time_balloon WHAT MARK: only the log's lines from MARK on count.
time_balloon() {
  local what=$1 from=$2 window hex mapped unmapped deadline quiet=0
  # The window is taken in the same look that saw it: Qt unmaps a new balloon
  # for a moment while it finds its place, and a second look may find none.
  window=
  await 30 "a balloon ($what)" 'window=$(windows balloon | head -n1); [ -n "$window" ]' 'windows icon' ||
    fail "$what: no balloon within 30 s"
  hex=$(printf '0x%x' "$window")
  # Qt maps a new balloon again a few times in its first moments while it
  # finds its size and place, and a second notice puts a new window in the
  # first one's place: what the user sees is gone once no balloon has been
  # up for half a second.
  deadline=$(($(now_ms) + 25000))
  while [ "$quiet" -lt 10 ] && [ "$(now_ms)" -le "$deadline" ]; do
    if [ -n "$(windows balloon)" ]; then quiet=0; else quiet=$((quiet + 1)); fi
    sleep 0.05
  done
  [ "$quiet" -ge 10 ] || fail "$what: a balloon was still up after 25 s"
  # Up from the first balloon's first mapping to the last window's unmapping.
  mapped=$(tail -n +"$from" "$SESSION/xev.log" | grep -m1 "window $hex, override" | cut -d' ' -f1)
  unmapped=$(tail -n +"$from" "$SESSION/xev.log" | grep "from_configure" | tail -n1 | cut -d' ' -f1)
  [ -n "$mapped" ] || fail "$what: the server never told of balloon $hex being mapped"
  [ -n "$unmapped" ] || fail "$what: the server never told of balloon $hex being unmapped"
  echo "$what: balloon mapped for $((unmapped - mapped)) ms"
  # Qt's 5 s run from its show(); the server maps the window a moment later on
  # a busy machine, so 4 s here (a balloon of the original's 100 ms is far
  # below) and the figure printed for the record.
  [ $((unmapped - mapped)) -ge 4000 ] || fail "$what: the balloon was mapped for $((unmapped - mapped)) ms, not 5 s"
}

start_program() {
  export XDG_RUNTIME_DIR=$SESSION/$1/run XDG_CONFIG_HOME=$SESSION/$1/config
  mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
  if [ "$1" = with-mouse ]; then
    "$BIN/corvaline-sim" >/dev/null 2>&1 &
    PIDS+=($!)
    await 10 "the virtual mouse to plug in" 'sim_plugged ${PIDS[-1]}' 'process_state ${PIDS[-1]} corvaline-sim' ||
      fail "no virtual mouse"
  fi
  "$BIN/corvaline" >"$SESSION/program.log" 2>&1 &
  PIDS+=($!)
}

from=$(mark)
start_program with-mouse
time_balloon "arrival" "$from"
kill "${PIDS[-1]}" "${PIDS[-2]}" 2>/dev/null
wait "${PIDS[-1]}" "${PIDS[-2]}" 2>/dev/null
unset 'PIDS[-1]' 'PIDS[-1]'

from=$(mark)
start_program without-mouse
time_balloon "did not detect, at the start" "$from"
icon=$(windows icon | head -n1)
[ -n "$icon" ] || fail "the tray icon is not in trayer"
# The pointer leaves the icon at once: a balloon under the pointer stays.
from=$(mark)
xdotool mousemove --window "$icon" 4 4 click 1 mousemove 10 10
time_balloon "did not detect, after a click on the icon" "$from"
echo PASS
