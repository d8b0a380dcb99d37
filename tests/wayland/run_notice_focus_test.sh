#!/usr/bin/env bash
# Automatic profiles never take the focus. On a headless sway with neither a
# notification area nor a notification service, a terminal (the "game") gets
# the focus and the program switches the mouse to its rule's profile: the
# terminal keeps the focus, though the switch's balloon has nowhere to go
# but a window. A second terminal whose rule names a deleted profile keeps
# it too, on each visit: no message box. While the program's own window has
# the focus, a notice does show in a window, and closes by itself.
#   run_notice_focus_test.sh BIN_DIR
# Exit status 77 (skipped, with the reason) when sway or foot cannot run here.
set -uo pipefail
BIN=$1
. "$(dirname "$0")/../support/desktop.sh"
skip() { echo "SKIP: $*"; exit 77; }
fail() {
  echo "FAIL: $*"
  echo "   windows: $(swaymsg -t get_tree -r 2>/dev/null | jq -c '[.. | objects | select(.app_id?) | [.app_id, .focused]]')"
  [ -s "$TMP/corvaline.log" ] && tail -20 "$TMP/corvaline.log"
  exit 1
}
step() { echo "-- $*"; }

for tool in sway swaymsg jq dbus-daemon foot; do
  command -v $tool >/dev/null || skip "$tool is not installed (scripts/setup-deps)"
done
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
  skip "Qt's Wayland platform plugin is not installed (package qt6-wayland)"

TMP=$(mktemp -d /tmp/corvaline-focus.XXXXXX)
PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  [ -n "${KEEP_TMP:-}" ] || rm -rf "$TMP"
}
trap cleanup EXIT

# The bus has no notification service, and sway no bar: no tray either.
start_session_bus "$TMP" || skip "the session bus did not start"
PIDS+=($SESSION_BUS_PID)
cat >"$TMP/sway.config" <<'CONF'
output HEADLESS-1 mode 1280x800 position 0 0
xwayland disable
focus_follows_mouse no
for_window [app_id="corvaline"] floating enable
CONF
start_sway "$TMP" "$TMP/sway.config" || skip "sway did not start: $(tail -3 "$TMP/sway.log" | tr '\n' ' ')"
PIDS+=($SWAY_PID)

mkdir -m 0700 "$TMP/client-run"
export XDG_RUNTIME_DIR="$TMP/client-run" XDG_CONFIG_HOME="$TMP/config" HOME="$TMP"
export WAYLAND_DISPLAY="$SWAY_WAYLAND" QT_QPA_PLATFORM=wayland ASAN_OPTIONS=detect_leaks=0
unset DISPLAY XDG_CURRENT_DESKTOP
mkdir -p "$TMP/config"
windows() { swaymsg -t get_tree -r | jq '[.. | objects | select(.app_id? != null)] | length'; }
focused_is() { [ "$(sway_focused)" = "$1" ]; }
wait_for() { await "$1" "$2" "$2" 'echo "focused: $(sway_focused); windows: $(windows)"'; }
ctl() { "$BIN/corvalinectl" "$@" >>"$TMP/ctl.log" 2>&1 || fail "corvalinectl $*: $(tail -2 "$TMP/ctl.log")"; }
rate() { "$BIN/corvalinectl" show 2>/dev/null | sed -n 's/^Report rate: \([0-9]* Hz\).*/\1/p'; }

step "profiles slow (125 Hz) and fast (1000 Hz); foot gets fast, ghost a deleted one"
"$BIN/corvaline-sim" >"$TMP/sim.log" 2>&1 &
SIM_PID=$!
PIDS+=($SIM_PID)
wait_for 30 'sim_plugged $SIM_PID' || fail "corvaline-sim did not start: $(tail -3 "$TMP/sim.log")"
ctl set rate 1000
ctl profile save fast
ctl profile save gone
ctl set rate 125 --apply
ctl profile save slow
ctl auto add foot fast
ctl auto add ghost gone
ctl profile delete gone --force
ctl auto delay 100

step "the game (foot) has the focus; the program starts with its window, then foot gets it back"
foot >"$TMP/foot.log" 2>&1 &
PIDS+=($!)
wait_for 30 'focused_is foot' || fail "foot did not get the focus: $(tail -3 "$TMP/foot.log")"
"$BIN/corvaline" >"$TMP/corvaline.log" 2>&1 &
CORVALINE_PID=$!
PIDS+=($CORVALINE_PID)
# Without a tray the window opens at start; its start-up notice may follow it.
wait_for 30 'focused_is corvaline' || fail "the program's window did not open"
wait_for 15 '[ "$(windows)" -eq 2 ]' || fail "a notice window of the start stays open"
swaymsg -q '[app_id="foot"] focus' || fail "sway cannot focus foot"

step "the switch to fast leaves foot the focus"
wait_for 30 '[ "$(rate)" = "1000 Hz" ]' || fail "the mouse was not switched to fast: $(rate)"
# Nothing to wait for: a window that is not there. A second's grace for one that would come.
sleep 1
focused_is foot || fail "the switch took the focus from foot to '$(sway_focused)'"
[ "$(windows)" -eq 2 ] || fail "the switch opened a window"

step "ghost's profile is gone: twice focused, it keeps the focus, no window opens"
foot --app-id ghost >"$TMP/ghost.log" 2>&1 &
PIDS+=($!)
for visit in 1 2; do
  wait_for 30 'focused_is ghost' || fail "ghost did not get the focus (visit $visit)"
  sleep 1
  focused_is ghost || fail "visit $visit: the failed switch took the focus to '$(sway_focused)'"
  [ "$(windows)" -eq 3 ] || fail "visit $visit: the failed switch opened a window"
  swaymsg -q '[app_id="foot"] focus' || fail "sway cannot focus foot"
  wait_for 10 'focused_is foot' || fail "foot did not get the focus back"
  swaymsg -q '[app_id="ghost"] focus' || fail "sway cannot focus ghost"
done
[ "$(rate)" = "1000 Hz" ] || fail "the failed switch changed the mouse: $(rate)"
kill -0 $CORVALINE_PID 2>/dev/null || fail "the program ended"

step "with the program's own window focused, the notice window still shows, and goes by itself"
swaymsg -q '[app_id="corvaline"] focus' || fail "sway cannot focus the program's window"
wait_for 10 'focused_is corvaline' || fail "the program's window did not get the focus"
"$BIN/corvaline-sim" press dpi 2 >/dev/null 2>&1 || fail "corvaline-sim press dpi 2 failed"
wait_for 10 '[ "$(windows)" -eq 4 ]' || fail "no notice window for the DPI switch while the program has the focus"
focused_is corvaline || fail "the notice left the focus with '$(sway_focused)'"
wait_for 30 '[ "$(windows)" -eq 3 ]' || fail "the notice window did not close by itself"
echo "PASS: automatic switches on sway without notification service leave the focus where it is"
