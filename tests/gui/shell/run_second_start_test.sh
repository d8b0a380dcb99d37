#!/usr/bin/env bash
# A second start on an X11 desktop (Xvfb, openbox, trayer): it ends with code
# 0 and the running program's window comes up as the active one
# (_NET_ACTIVE_WINDOW), also when another window had the focus. The first
# start notes its one tray hint in str.ini. The tray
# menu's Exit, chosen by keyboard, ends the program through its event loop:
# the lock and the socket are gone and the next start is a first start; so
# does SIGINT.
#   run_second_start_test.sh BIN_DIR [SHOTS_DIR]   (exit 77: a tool is missing)
set -uo pipefail
BIN=${1:?usage: run_second_start_test.sh BIN_DIR [SHOTS_DIR]} SHOTS=${2:-}
for tool in Xvfb openbox trayer xdotool xprop xwininfo xmessage; do
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
fail() { echo "FAIL: $1"; shot tray2-failure-x11; [ -f "$SESSION/program.log" ] && tail -20 "$SESSION/program.log"; exit 1; }
shot() { [ -z "$SHOTS" ] || import -window root "$SHOTS/$1.png" 2>/dev/null; }

# shellcheck source=../../support/desktop.sh
. "$(dirname "$0")/../../support/desktop.sh"
DESKTOP_LOGS=$SESSION
start_xvfb 1024x768x24 || fail "no X server"
PIDS+=("$XVFB_PID")
export DISPLAY=$XVFB_DISPLAY
openbox >"$SESSION/openbox.log" 2>&1 &
PIDS+=($!)
await 30 "openbox to manage the screen" 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' \
  'process_state ${PIDS[-1]} openbox; tail -3 "$SESSION/openbox.log"' || fail "no window manager"
start_trayer || fail "no notification area"
PIDS+=("$TRAYER_PID")

# No session bus: Qt's tray embeds in trayer.
export QT_QPA_PLATFORM=xcb DBUS_SESSION_BUS_ADDRESS=unix:path=$SESSION/no-bus ASAN_OPTIONS=detect_leaks=0
export HOME=$SESSION XDG_RUNTIME_DIR=$SESSION/run XDG_CONFIG_HOME=$SESSION/config
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
"$BIN/corvaline-sim" >/dev/null 2>&1 &
PIDS+=($!)
await 10 "the virtual mouse to plug in" 'sim_plugged ${PIDS[-1]}' 'process_state ${PIDS[-1]} corvaline-sim' ||
  fail "no virtual mouse"

# The program's visible windows: the tray icon (embedded, small) or the main
# window (the skin's size).
program_windows() {
  local w
  for w in $(xdotool search --onlyvisible --class corvaline 2>/dev/null); do
    xprop -id "$w" _NET_WM_WINDOW_TYPE 2>/dev/null | grep -q TOOLTIP && continue
    echo "$w $(xdotool getwindowgeometry "$w" 2>/dev/null | sed -n 's/.*Geometry: //p')"
  done
}
icon_window() { program_windows | awk '{ split($2, s, "x"); if (s[1] < 100) { print $1; exit } }'; }
main_window() { program_windows | awk '{ split($2, s, "x"); if (s[1] >= 400) { print $1; exit } }'; }
active_is_main() { local m; m=$(main_window); [ -n "$m" ] && [ "$(xdotool getactivewindow 2>/dev/null)" = "$m" ]; }
active_name() { xdotool getactivewindow getwindowname 2>/dev/null; }

start_first() {
  "$BIN/corvaline" >"$SESSION/program.log" 2>&1 &
  FIRST=$!
  PIDS+=($FIRST)
  await 30 "the tray icon in trayer" '[ -n "$(icon_window)" ] || ! kill -0 $FIRST' 'program_windows' ||
    fail "no tray icon"
  kill -0 $FIRST 2>/dev/null || fail "the first start ended"
}
second_start() {
  timeout 20 "$BIN/corvaline" >"$SESSION/second.log" 2>&1
  local rc=$?
  [ $rc -eq 0 ] || fail "the second start ended with $rc: $(tail -3 "$SESSION/second.log")"
}

# The first start ever with a tray says where the program went, once: str.ini
# keeps that it was said.
hint_noted() {
  local ini=$XDG_CONFIG_HOME/corvaline/str.ini
  [ -f "$ini" ] || return 1
  if [ "$(head -c2 "$ini" | od -An -tx1 | tr -d ' ')" = fffe ]; then iconv -f UTF-16 -t UTF-8 "$ini"; else cat "$ini"; fi |
    tr -d '\r' | grep -qx 'TrayHintShown=1'
}

start_first
await 10 "the first start's tray hint to be noted in str.ini" hint_noted 'ls "$XDG_CONFIG_HOME/corvaline"' ||
  fail "the first start with a tray gave no hint"
second_start
await 15 "the main window to be the active one" active_is_main 'echo "active: $(active_name); windows: $(program_windows | tr "\n" ";")"' ||
  fail "the second start did not bring the window up"
echo "second start: the main window came up active"

xmessage -center "another program has the focus" &
PIDS+=($!)
await 15 "xmessage to take the focus" '[ "$(active_name)" = xmessage ]' 'echo "active: $(active_name)"' ||
  fail "xmessage did not take the focus"
second_start
await 15 "the main window to be active again" active_is_main 'echo "active: $(active_name)"' ||
  fail "the second start did not take the focus back from another window"
echo "second start: the window took the focus back from xmessage"
shot tray2-second-start-x11

# Right button on the icon: the menu; Up reaches its last entry, Exit.
xdotool mousemove --window "$(icon_window)" 4 4 click 3
# The menu is the program's one override-redirect window besides balloons.
menu_window() {
  program_windows | while read -r w _; do
    xwininfo -id "$w" -all 2>/dev/null | grep -q "Override Redirect State: yes" && echo "$w"
  done
}
await 10 "the tray menu" '[ -n "$(menu_window)" ]' 'program_windows' || fail "no tray menu on the right button"
shot tray2-tray-menu-x11
xdotool key Up Return
await 20 "the program to end after Exit" '! kill -0 $FIRST 2>/dev/null' 'process_state $FIRST corvaline' ||
  fail "Exit did not end the program"
wait $FIRST
rc=$?
[ $rc -eq 0 ] || fail "Exit ended the program with $rc"
for left in corvaline.lock corvaline-show.sock; do
  [ -e "$XDG_RUNTIME_DIR/$left" ] && fail "$left is left in the runtime folder after Exit"
done
echo "Exit: code 0, the lock and the socket gone"

start_first
echo "a start right after Exit is a first start"

# Ctrl+C in the terminal that started it ends it as Exit does: the event loop
# quits, so the icon leaves the notification area and the lock and the socket
# go (a program killed by the signal would leave both files).
kill -INT $FIRST
await 20 "the program to end after SIGINT" '! kill -0 $FIRST 2>/dev/null' 'process_state $FIRST corvaline' ||
  fail "SIGINT did not end the program"
wait $FIRST
rc=$?
[ $rc -eq 0 ] || fail "SIGINT ended the program with $rc"
await 10 "the tray icon to leave trayer" '[ -z "$(icon_window)" ]' 'program_windows' ||
  fail "the tray icon stayed after SIGINT"
for left in corvaline.lock corvaline-show.sock; do
  [ -e "$XDG_RUNTIME_DIR/$left" ] && fail "$left is left in the runtime folder after SIGINT"
done
echo "SIGINT: code 0, the icon, the lock and the socket gone"
echo PASS
