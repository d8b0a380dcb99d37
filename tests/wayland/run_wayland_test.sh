#!/usr/bin/env bash
# The real program as a native Wayland client: a headless sway (no input
# devices, software rendering) with swaybar's tray, mako for notifications,
# the virtual mouse, and the test's own virtual pointer and keyboard. The
# program starts hidden with its StatusNotifierItem, balloons reach mako, a
# click on the icon opens the window. It edits the Basic page through menus
# and dialogs and applies, names a key in the Single Key dialog, records a
# macro, and drags the window; corvalinectl and record.ini read the results
# back, sway's tree shows where the windows are. At 200% a click still lands in
# place, and the same program is then edited by AT-SPI actions alone.
# Screenshots (grim) stay in WORK/shots.
#   run_wayland_test.sh BIN_DIR WL_INPUT WORK_DIR
# Exit status 77 (skipped, with the reason) when sway cannot run here.
set -uo pipefail
BIN=$1 WL_INPUT=$2 WORK=$3
. "$(dirname "$0")/../support/desktop.sh"
skip() { echo "SKIP: $*"; exit 77; }
fail() {
  echo "FAIL: $*"
  shot failure
  echo "   windows (x y w h): $(windows 2>/dev/null | tr '\n' ';') focused (w h): $(focused_size 2>/dev/null)"
  [ -s "$TMP/corvaline.log" ] && tail -20 "$TMP/corvaline.log"
  exit 1
}
step() { echo "-- $*"; }

for tool in sway swaymsg jq dbus-daemon dbus-send mako makoctl busctl grim; do
  command -v $tool >/dev/null || skip "$tool is not installed (scripts/setup-deps)"
done
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
  skip "Qt's Wayland platform plugin is not installed (package qt6-wayland)"

TMP=$(mktemp -d /tmp/corvaline-wl.XXXXXX)
PIDS=()
cleanup() {
  for pid in "${PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  [ -n "${KEEP_TMP:-}" ] || rm -rf "$TMP"
}
trap cleanup EXIT

# One session bus for both sides (sway's user and ours): swaybar's tray
# watcher, the notification service and the program meet there.
start_session_bus "$TMP" ||
  skip "the session bus did not start: $(tail -3 "$TMP/session-bus.log" 2>/dev/null)"
PIDS+=($SESSION_BUS_PID)
bus_has() { busctl --user status "$1" >/dev/null 2>&1; }

# sway refuses to run as root: then it runs as an unprivileged user of its own.
SWAY_RUN="$TMP/sway-run"
mkdir -m 0700 "$SWAY_RUN"
AS_USER=()
if [ "$(id -u)" -eq 0 ]; then
  id corvaline-wl >/dev/null 2>&1 ||
    useradd --system --no-create-home --shell /usr/sbin/nologin corvaline-wl 2>/dev/null ||
    skip "cannot create the unprivileged user corvaline-wl for sway"
  chmod 0711 "$TMP"
  chown corvaline-wl: "$SWAY_RUN"
  AS_USER=(setpriv --reuid=corvaline-wl --regid=corvaline-wl --init-groups --)
fi
cat >"$TMP/sway.config" <<'EOF'
output HEADLESS-1 mode 1280x800 position 0 0
xwayland disable
default_border none
default_floating_border none
focus_follows_mouse no
# sway only marks a window urgent on activation unless told otherwise; here
# the second start's token must visibly hand the focus over.
focus_on_window_activation focus
for_window [app_id="corvaline"] floating enable
bar {
  position top
  tray_output *
}
EOF
chmod 0644 "$TMP/sway.config"
"${AS_USER[@]}" env -i PATH="$PATH" HOME="$SWAY_RUN" XDG_RUNTIME_DIR="$SWAY_RUN" \
  DBUS_SESSION_BUS_ADDRESS="$DBUS_SESSION_BUS_ADDRESS" \
  WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
  sway --config "$TMP/sway.config" >"$TMP/sway.log" 2>&1 &
SWAY_PID=$!
PIDS+=($SWAY_PID)
# sway names its socket itself; the runtime folder is ours alone. Ready once
# its IPC answers: its Wayland socket listens by then.
sway_socket() { ls "$SWAY_RUN"/wayland-? 2>/dev/null | head -1; }
sway_answers() {
  [ -S "$(sway_socket)" ] || return 1
  SWAYSOCK=$(ls "$SWAY_RUN"/sway-ipc.*.sock 2>/dev/null | head -1)
  [ -S "$SWAYSOCK" ] && swaymsg -s "$SWAYSOCK" -q -t get_version 2>/dev/null
}
await 30 "sway to answer on its IPC socket" 'sway_answers || ! kill -0 $SWAY_PID 2>/dev/null' \
  'process_state $SWAY_PID sway; tail -3 "$TMP/sway.log"' || true
sway_answers || skip "sway did not start: $(tail -3 "$TMP/sway.log" | tr '\n' ' ')"
export SWAYSOCK

# The client side: the test's own user, runtime folder and data folder.
CLIENT_RUN="$TMP/client-run"
mkdir -m 0700 "$CLIENT_RUN"
export XDG_RUNTIME_DIR="$CLIENT_RUN" XDG_CONFIG_HOME="$TMP/config" HOME="$TMP"
export WAYLAND_DISPLAY="$(sway_socket)" QT_QPA_PLATFORM=wayland
export ASAN_OPTIONS=detect_leaks=0
unset DISPLAY
mkdir -p "$TMP/config" "$WORK/shots"
rm -f "$WORK"/shots/*.png

# Every floating window of sway: x y width height (content, output pixels).
windows() {
  swaymsg -t get_tree -r | jq -r '.. | objects | select(.type? == "floating_con")
    | "\(.rect.x + .window_rect.x) \(.rect.y + .window_rect.y) \(.window_rect.width) \(.window_rect.height)"'
}
# The main window is the widest one, a sub-dialog the narrowest.
main_window() { windows | sort -k3 -n | tail -1; }
dialog_window() { windows | sort -k3 -n | awk 'NR == 1 { first = $0 } END { if (NR > 1) print first }'; }
count_windows() { windows | wc -l; }
# The size ("width height") of the window that has the keyboard focus.
focused_size() {
  swaymsg -t get_tree -r | jq -r '.. | objects | select(.focused? == true) | "\(.window_rect.width) \(.window_rect.height)"'
}
# A message box is mapped before sway hands it the keyboard: a key sent in
# between goes to the main window and the box stays open.
dialog_focused() {
  local d
  d=$(dialog_window)
  [ -n "$d" ] && [ "$(focused_size)" = "$(echo "$d" | awk '{print $3, $4}')" ]
}
shot() { command -v grim >/dev/null && grim "$WORK/shots/$1.png" 2>/dev/null; }
# One pixel of the main window as "R G B", read from the output's picture.
pixel() { grim -g "$((WX + $1)),$((WY + $2)) 1x1" -t ppm - 2>/dev/null | tail -c 3 | od -An -tu1 | xargs; }
reddish() { local r g b; read -r r g b < <(pixel "$1" "$2"); [ -n "$b" ] && [ "$r" -gt 150 ] && [ "$g" -lt 110 ]; }
wait_for() {  # wait_for SECONDS 'COMMAND': until the command succeeds (fail says what was seen)
  await "$1" "$2" "$2" 'echo "windows: $(windows 2>/dev/null | tr "\n" ";")"'
}
# The main window placed: the same place and size on two looks in a row.
settled_main() {
  local first
  first=$(main_window)
  sleep 0.2
  [ -n "$first" ] && [ "$first" = "$(main_window)" ]
}
# A pixel of the whole screen, in layout coordinates.
screen_pixel() { grim -g "$1,$2 1x1" -t ppm - 2>/dev/null | tail -c 3 | od -An -tu1 | xargs; }
# The bar has drawn the tray icon at its right end: the icon's spot no longer
# looks like the empty middle of the bar.
bar_icon_drawn() {
  local icon empty
  icon=$(screen_pixel $((SCREEN_W - 12)) 11)
  empty=$(screen_pixel $((SCREEN_W / 2)) 11)
  [ -n "$icon" ] && [ "$icon" != "$empty" ]
}
# The time a file was last written, in nanoseconds (0: not there).
written_at() { date -r "$1" +%s%N 2>/dev/null || echo 0; }

coproc INPUT { "$WL_INPUT" 2>&1; }
PIDS+=($INPUT_PID)
read -r -t 10 ready SCREEN_W SCREEN_H <&"${INPUT[0]}" || true
[ "$ready" = ready ] || fail "the input client did not start: $ready"
send() {
  echo "$*" >&"${INPUT[1]}"
  local reply
  read -r -t 10 reply <&"${INPUT[0]}" || reply="no answer"
  [ "$reply" = ok ] || fail "input '$*': $reply"
}
WX=0 WY=0
locate_main() { read -r WX WY _ _ < <(main_window); }
at() { send move $((WX + $1)) $((WY + $2)); }          # main-window pixels
click() { at "$1" "$2"; send down; send up; sleep 0.3; }
key() { for k in "$@"; do send key "$k"; done; sleep 0.2; }

step "the program starts hidden, its icon a StatusNotifierItem on swaybar's watcher"
wait_for 10 'bus_has org.kde.StatusNotifierWatcher' || fail "swaybar's StatusNotifierWatcher is not on the bus"
mako >"$TMP/mako.log" 2>&1 &
PIDS+=($!)
wait_for 10 'bus_has org.freedesktop.Notifications' || fail "mako did not take org.freedesktop.Notifications"
# The accessibility bus on the same session bus: AT-SPI does not care which
# display protocol the program draws with.
A11Y=
if [ -x /usr/libexec/at-spi-bus-launcher ] && /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  DESKTOP_LOGS=$TMP
  start_atspi_bus && A11Y=1
  PIDS+=($ATSPI_PID)
fi
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
"$BIN/corvaline-sim" >"$TMP/sim.log" 2>&1 &
SIM_PID=$!
PIDS+=($SIM_PID)
wait_for 30 'sim_plugged $SIM_PID' || fail "corvaline-sim did not start: $(tail -3 "$TMP/sim.log")"
"$BIN/corvaline" >"$TMP/corvaline.log" 2>&1 &
CORVALINE_PID=$!
PIDS+=($CORVALINE_PID)
items() {
  dbus-send --session --print-reply=literal --dest=org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
    org.freedesktop.DBus.Properties.Get string:org.kde.StatusNotifierWatcher \
    string:RegisteredStatusNotifierItems 2>/dev/null | grep -o '[^ ]*/[^ ]*'
}
wait_for 30 'test -n "$(items)"' || fail "no StatusNotifierItem registered"
ITEM=$(items | head -1)
echo "   item $ITEM"
# Nothing to wait for here: a window that is not there. A second's grace
# for one that would come.
sleep 1
test "$(count_windows)" -eq 0 || fail "the window is shown at start although the tray is there"
shot 00-tray

step "the balloon of a DPI switch on the mouse goes to mako"
"$BIN/corvaline-sim" press dpi 2 >/dev/null 2>&1 || fail "corvaline-sim press dpi 2 failed"
wait_for 10 'makoctl list 2>/dev/null | grep -q "Switch DPI into the second stage"' ||
  fail "mako shows no DPI balloon: $(makoctl list 2>&1 | tr -s ' \n' ' ')"
echo "   mako: $(makoctl list | jq -r '.data[0][] | "\(.summary.data): \(.body.data)"' 2>/dev/null | head -1)"
shot 00-balloon

step "a click on the icon in swaybar (its Activate) opens the window"
# The icon is the last thing of the bar's right end.
await 10 "swaybar to draw the tray icon" bar_icon_drawn 'echo "icon spot $(screen_pixel $((SCREEN_W - 12)) 11), bar $(screen_pixel $((SCREEN_W / 2)) 11)"' ||
  fail "swaybar did not draw the tray icon"
send click $((SCREEN_W - 12)) 11
wait_for 30 'test "$(count_windows)" -ge 1' || fail "no window appeared on sway: $(swaymsg -t get_tree -r | jq -c ".. | objects | select(.app_id?) | [.type, .app_id, .rect]")"
wait_for 10 settled_main || fail "the main window did not settle"
locate_main
read -r _ _ MW MH < <(main_window)
echo "   main window ${MW}x${MH} at $WX,$WY"
[ "$MW" -ge 800 ] && [ "$MH" -ge 600 ] || fail "the main window is ${MW}x${MH}, not the skin's size"
shot 01-basic-page

step "Basic page: report rate 500 Hz, stage 1 at DPI level 4"
click 720 209
click 562 454

in_main() {  # the dialog's middle lies inside the main window
  local x y w h; read -r x y w h < <(dialog_window)
  [ -n "$x" ] && [ $((x + w / 2)) -gt "$WX" ] && [ $((x + w / 2)) -lt $((WX + MW)) ] &&
    [ $((y + h / 2)) -gt "$WY" ] && [ $((y + h / 2)) -lt $((WY + MH)) ]
}
dialog_ok() {  # OK of the open sub-dialog, then it must be gone
  local x y w h; read -r x y w h < <(dialog_window)
  send move $((x + 218)) $((y + 263)); send down; send up
  wait_for 5 'test "$(count_windows)" -eq 1' || fail "the sub-dialog did not close with OK"
}

step "button 3: its function menu, Fire Key, the dialog over the window, OK"
click 300 256
shot 02-function-menu
click 300 436
wait_for 5 'test "$(count_windows)" -eq 2' || fail "the Fire Key dialog did not open"
wait_for 5 in_main || fail "the Fire Key dialog is not over the main window: $(windows | tr '\n' ';')"
shot 03-fire-key-dialog
dialog_ok

step "button 4: Single Key; Enter does not close it, the key Z is named by its place"
click 300 279
click 300 475
wait_for 5 'test "$(count_windows)" -eq 2' || fail "the Single Key dialog did not open"
wait_for 5 in_main || fail "the Single Key dialog is not over the main window"
key 28
test "$(count_windows)" -eq 2 || fail "Enter closed the Single Key dialog"
key 44
shot 04-single-key-dialog
dialog_ok

step "Apply, read back with corvalinectl show"
CONFIG_BIN="$XDG_CONFIG_HOME/corvaline/config.bin"
SAVED=$(written_at "$CONFIG_BIN")
click 718 633
wait_for 20 '[ "$(written_at "$CONFIG_BIN")" != "$SAVED" ]' || fail "Apply did not save config.bin"
SHOW=$("$BIN/corvalinectl" show 2>&1)
grep -q '^Report rate: 500 Hz' <<<"$SHOW" || fail "report rate not 500 Hz: $(grep 'Report rate' <<<"$SHOW")"
grep -q '^  stage 1: on, level 4 ' <<<"$SHOW" || fail "stage 1 not at level 4: $(grep 'stage 1' <<<"$SHOW")"
sed -n '/^Key group Mode A/,/^Key group Mode B/p' <<<"$SHOW" >"$TMP/mode-a"
grep -q '^  button 3: fire ' "$TMP/mode-a" || fail "button 3 is not a fire key: $(grep 'button 3' "$TMP/mode-a")"
grep -q "^  button 4: key Z$" "$TMP/mode-a" || fail "button 4 is not the key Z: $(grep 'button 4' "$TMP/mode-a")"
echo "   $(grep -E '^Report rate|^  stage 1' <<<"$SHOW" | tr '\n' ';') $(grep -E 'button [34]:' "$TMP/mode-a" | tr -s ' ' | tr '\n' ';')"

step "Advanced page: a macro named wl records the keys H and I"
click 80 74
# The page is there once Start Recording's red dot is drawn. A click lost on
# the way is said loudly and tried once more, so what follows still runs.
if ! wait_for 5 'reddish 749 243'; then
  echo "   WARNING: the Advanced page did not open at the first click (pixel $(pixel 749 243)); clicking again"
  shot lost-tab-click
  locate_main
  click 80 74
  wait_for 10 'reddish 749 243' || fail "the Advanced page did not open (pixel at Start Recording: $(pixel 749 243))"
fi
click 766 329
key 17 38
click 565 538
close_message() {
  wait_for 10 'test "$(count_windows)" -eq 2' || fail "no message box for $1 ($(count_windows) windows)"
  wait_for 5 dialog_focused || fail "the message box for $1 did not get the keyboard"
  # Enter held a moment, as a hand does: a release in the same instant as
  # the press would reach the window after the box is gone.
  sleep 0.3
  send keydown 28; sleep 0.3; send keyup 28
  wait_for 5 'test "$(count_windows)" -eq 1' || fail "the message box for $1 did not close"
}
click 749 243
close_message "Start Recording"
at 650 470
key 35 23
shot 05-recording
click 749 279
close_message "Stop Recording"
RECORD="$XDG_CONFIG_HOME/corvaline/record.ini"
SAVED=$(written_at "$RECORD")
click 770 538
wait_for 10 '[ "$(written_at "$RECORD")" != "$SAVED" ]' || fail "Confirm did not save record.ini"
shot 06-macro
if [ "$(head -c2 "$RECORD" | od -An -tx1 | tr -d ' ')" = fffe ]; then
  iconv -f UTF-16 -t UTF-8 "$RECORD" >"$TMP/record.txt"
else
  cp "$RECORD" "$TMP/record.txt"
fi
# The Enter that closed "Start Recording" may come first as a lone release
# (a key held when the recording began); the keys follow it in order.
tr -d '\r' <"$TMP/record.txt" | sed -n '/^\[wl\]/,/^\[/p' >"$TMP/macro"
EVENTS=$(sed -n 's/^Item[0-9]*=//p' "$TMP/macro" | paste -sd '|')
[[ "$EVENTS" == *"H   Dn|50 ms|H   Up|50 ms|I   Dn|50 ms|I   Up" ]] ||
  fail "record.ini has no macro wl with H and I: $(tr '\n' ' ' <"$TMP/record.txt")"
echo "   $(tr '\n' ' ' <"$TMP/macro")"

step "dragging the window by an empty spot moves it"
X0=$WX Y0=$WY
at 200 630
send down
for i in 1 2 3 4 5; do send move $((X0 + 200 + 30 * i)) $((Y0 + 630 + 15 * i)); sleep 0.05; done
send up
wait_for 5 'locate_main; [ $((WX - X0)) -ge 100 ] && [ $((WY - Y0)) -ge 50 ]' || true
echo "   from $X0,$Y0 to $WX,$WY"
[ $((WX - X0)) -ge 100 ] && [ $((WY - Y0)) -ge 50 ] || fail "the window did not follow the drag"
shot 07-moved

step "at 200%: the window keeps its logical size, a click its place"
# The skin's close button ends the program; the macro recorded above is not
# on the mouse yet, so it asks first, and Enter (Apply) sends it.
click 859 14
wait_for 10 'test "$(count_windows)" -eq 2' || fail "the close button with an unapplied macro did not ask"
shot 07-close-box-asks
wait_for 5 dialog_focused || fail "the close button's question did not get the keyboard"
sleep 0.3
send keydown 28; sleep 0.3; send keyup 28
wait_for 20 '! kill -0 $CORVALINE_PID 2>/dev/null' ||
  fail "the close button did not end the program ($(count_windows) windows; config.bin written $(written_at "$XDG_CONFIG_HOME/corvaline/config.bin"))"
scaled=$(swaymsg output HEADLESS-1 mode 2560x1600 scale 2 2>&1) || fail "sway cannot scale its output: $scaled"
"$BIN/corvaline" >"$TMP/corvaline-2x.log" 2>&1 &
PROGRAM=$!
PIDS+=($PROGRAM)
wait_for 30 'test -n "$(items)"' || fail "no StatusNotifierItem registered at 200%"
# The bar draws a new item's icon a moment after it registers, and a click
# on the icon toggles the window, so it is clicked once, when drawn.
await 10 "swaybar to draw the tray icon at 200%" bar_icon_drawn 'echo "icon spot $(screen_pixel $((SCREEN_W - 12)) 11), bar $(screen_pixel $((SCREEN_W / 2)) 11)"' ||
  fail "swaybar did not draw the tray icon at 200%"
send click $((SCREEN_W - 12)) 11   # the layout keeps its logical size
wait_for 30 'test "$(count_windows)" -ge 1' || fail "no window at 200%"
wait_for 10 settled_main || fail "the main window did not settle at 200%"
locate_main
read -r _ _ MW MH < <(main_window)
[ "$MW" -eq 880 ] && [ "$MH" -eq 660 ] || fail "at 200% the window is ${MW}x${MH}, not 880x660"
shot 08-basic-page-2x
click 793 209   # 1000 Hz
SAVED=$(written_at "$CONFIG_BIN")
click 718 633   # Apply
wait_for 20 '[ "$(written_at "$CONFIG_BIN")" != "$SAVED" ]' || fail "Apply did not save config.bin at 200%"
"$BIN/corvalinectl" show | grep -q '^Report rate: 1000 Hz' || fail "the click at 200% did not set 1000 Hz"
echo "   880x660 logical, 1000 Hz set and applied"

step "the same program by accessible actions only (AT-SPI)"
if [ -z "$A11Y" ]; then
  echo "   skipped: the AT-SPI bus cannot start here (at-spi2-core, python3-pyatspi)"
else
  A11Y_PRECISION=disabled timeout 120 /usr/bin/python3 "$(dirname "$0")/../gui/accessibility/a11y_walk.py" EN --edit \
    >"$TMP/a11y.log" 2>&1 || { tail -30 "$TMP/a11y.log"; fail "the edit by accessible actions"; }
  SHOW=$("$BIN/corvalinectl" show 2>&1)
  grep -q '^Report rate: 250 Hz' <<<"$SHOW" || fail "AT-SPI: report rate not 250 Hz"
  grep -q '^  stage 2: off' <<<"$SHOW" || fail "AT-SPI: DPI stage 2 is on"
  grep -q '^  stage 1: on, level 3 ' <<<"$SHOW" || fail "AT-SPI: stage 1 not at level 3"
  sed -n '/^Key group Mode A/,/^Key group Mode B/p' <<<"$SHOW" | grep -q '^  button 3: media Mute' ||
    fail "AT-SPI: button 3 is not Mute"
  echo "   250 Hz, button 3 Mute, stage 2 off, stage 1 level 3: applied by actions"
fi
step "a second start hands its activation token on: the window takes the focus back from foot"
focused_app() { swaymsg -t get_tree -r | jq -r '.. | objects | select(.focused? == true) | .app_id // .name' | head -1; }
if command -v foot >/dev/null; then
  foot -o 'main.font=monospace:size=8' >/dev/null 2>&1 &
  PIDS+=($!)
  wait_for 20 '[ "$(focused_app)" = foot ]' || fail "foot did not take the focus: $(focused_app)"
  echo token >&"${INPUT[1]}"
  read -r word TOKEN <&"${INPUT[0]}"
  [ "$word" = token ] && [ -n "$TOKEN" ] || fail "no activation token from sway: $word $TOKEN"
  XDG_ACTIVATION_TOKEN=$TOKEN timeout 20 "$BIN/corvaline" >"$TMP/second.log" 2>&1 ||
    fail "the second start ended with $?: $(tail -3 "$TMP/second.log")"
  wait_for 15 '[ "$(focused_app)" = corvaline ]' || fail "the window did not take the focus: $(focused_app) has it"
  shot 09-second-start
  echo "   focus back on corvaline"
else
  echo "   skipped: foot is not installed"
fi

step "swaybar's ContextMenu with the window hidden: the tray menu pops up, Exit by keyboard ends the program"
key 1   # Esc hides the window: the menu must come without it
wait_for 5 'test "$(count_windows)" -eq 0' || fail "Esc did not hide the window"
ITEM=$(items | head -1)
grim "$TMP/before-menu.ppm" -t ppm 2>/dev/null
dbus-send --session --type=method_call --dest="${ITEM%%/*}" "/${ITEM#*/}" \
  org.kde.StatusNotifierItem.ContextMenu int32:$((SCREEN_W - 12)) int32:11 || fail "ContextMenu call failed"
menu_drawn() { grim -t ppm "$TMP/menu.ppm" 2>/dev/null && ! cmp -s "$TMP/before-menu.ppm" "$TMP/menu.ppm"; }
wait_for 10 menu_drawn || fail "nothing new on the screen after ContextMenu"
sleep 0.5
shot 10-tray-menu
key 103
key 28
wait_for 20 '! kill -0 $PROGRAM 2>/dev/null' || fail "Exit chosen by keyboard did not end the program"
for left in corvaline.lock corvaline-show.sock; do
  [ -e "$XDG_RUNTIME_DIR/$left" ] && fail "$left is left in the runtime folder after Exit"
done
echo "   ended; the lock and the socket gone"
echo "PASS: the program runs as a native Wayland client (shots in $WORK/shots)"
