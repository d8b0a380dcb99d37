#!/usr/bin/env bash
# How long the tray's balloons stay on screen, in Qt's own X11 tray (trayer on
# a private Xvfb): the arrival balloon (the program started beside the
# virtual mouse), and "did not detect" at a start without a mouse and after a
# click on the icon. Each balloon window must stay mapped at least 5 s.
# run_balloon_test.sh BIN_DIR   (exit 77: skipped, a tool is missing)
set -uo pipefail
BIN=${1:?usage: run_balloon_test.sh BIN_DIR}
for tool in Xvfb trayer xdotool xprop; do
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

# The server picks its own display number; -noreset keeps it when the last
# client goes between the two runs.
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1024x768x24 3>"$SESSION/display" 2>/dev/null &
PIDS+=($!)
deadline=$(($(now_ms) + 10000))
until [ -s "$SESSION/display" ] || [ "$(now_ms)" -gt "$deadline" ]; do sleep 0.05; done
[ -s "$SESSION/display" ] || fail "Xvfb gave no display number within 10 s"
export DISPLAY=":$(head -n1 "$SESSION/display")"
trayer --edge bottom --align right --widthtype request --height 32 >/dev/null 2>&1 &
PIDS+=($!)
deadline=$(($(now_ms) + 10000))
until xdotool search --onlyvisible --class trayer >/dev/null 2>&1 || [ "$(now_ms)" -gt "$deadline" ]; do sleep 0.1; done
xdotool search --onlyvisible --class trayer >/dev/null 2>&1 || fail "trayer showed no window within 10 s"

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

# Waits for a balloon, then for it to go; fails when it was up under 5 s.
time_balloon() {
  local what=$1 start end deadline
  deadline=$(($(now_ms) + 30000))
  until [ -n "$(windows balloon)" ] || [ "$(now_ms)" -gt "$deadline" ]; do sleep 0.05; done
  [ -n "$(windows balloon)" ] || fail "$what: no balloon window was mapped within 30 s"
  start=$(now_ms)
  deadline=$((start + 20000))
  while [ -n "$(windows balloon)" ] && [ "$(now_ms)" -le "$deadline" ]; do sleep 0.05; done
  end=$(now_ms)
  [ -z "$(windows balloon)" ] || fail "$what: the balloon was still mapped after 20 s"
  echo "$what: balloon mapped for $((end - start)) ms"
  # Polling sees the window late and its end early by a step or two.
  [ $((end - start)) -ge 4700 ] || fail "$what: the balloon was mapped for $((end - start)) ms, under 5 s"
}

start_program() {
  export XDG_RUNTIME_DIR=$SESSION/$1/run XDG_CONFIG_HOME=$SESSION/$1/config
  mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
  if [ "$1" = with-mouse ]; then
    "$BIN/corvaline-sim" >/dev/null 2>&1 &
    PIDS+=($!)
    sleep 0.5
  fi
  "$BIN/corvaline" >"$SESSION/program.log" 2>&1 &
  PIDS+=($!)
}

start_program with-mouse
time_balloon "arrival"
kill "${PIDS[-1]}" "${PIDS[-2]}" 2>/dev/null
wait "${PIDS[-1]}" "${PIDS[-2]}" 2>/dev/null
unset 'PIDS[-1]' 'PIDS[-1]'

start_program without-mouse
time_balloon "did not detect, at the start"
icon=$(windows icon | head -n1)
[ -n "$icon" ] || fail "the tray icon is not in trayer"
# The pointer leaves the icon at once: a balloon under the pointer stays.
xdotool mousemove --window "$icon" 4 4 click 1 mousemove 10 10
time_balloon "did not detect, after a click on the icon"
echo PASS
