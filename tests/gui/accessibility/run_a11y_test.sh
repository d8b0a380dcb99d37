#!/usr/bin/env bash
# The accessible tree over AT-SPI, in English and Simplified Chinese, with
# the dialogs' own controls, and a whole edit by accessible actions (a
# sub-dialog's field and the Skins dialog's list among them) checked in
# config.bin and str.ini afterwards.
# run_a11y_test.sh BIN_DIR   (exit 77: skipped, the AT-SPI bus cannot start)
set -uo pipefail
BIN=${1:?usage: run_a11y_test.sh BIN_DIR}
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/../../support/desktop.sh"
PY=/usr/bin/python3
LAUNCHER=/usr/libexec/at-spi-bus-launcher

for tool in Xvfb xdpyinfo xdotool dbus-run-session "$LAUNCHER"; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
"$PY" -c 'import pyatspi' 2>/dev/null || { echo "SKIP: python3-pyatspi is missing"; exit 77; }

if [ -z "${A11Y_INNER:-}" ]; then
  export A11Y_INNER=1
  exec dbus-run-session -- "$0" "$@"
fi

SESSION=$(mktemp -d)
PIDS=()
cleanup() {
  local i
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do kill "${PIDS[i]}" 2>/dev/null; wait "${PIDS[i]}" 2>/dev/null; done
  rm -rf "$SESSION"
}
trap cleanup EXIT

DESKTOP_LOGS=$SESSION
# dbus-run-session starts this only once its bus is up.
start_atspi_bus
started=$?
PIDS+=($ATSPI_PID)
[ $started -eq 0 ] || { echo "SKIP: the AT-SPI bus does not start"; exit 77; }

start_xvfb 1280x800x24
started=$?
PIDS+=($XVFB_PID)
[ $started -eq 0 ] || exit 1
export DISPLAY=$XVFB_DISPLAY

export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1
export ASAN_OPTIONS=detect_leaks=0

# One run of the program with its own folders: FOLDER LANGUAGE LOCALE [--edit|--keys]
run() {
  local folder=$1 lang=$2 locale=$3
  shift 3
  export XDG_RUNTIME_DIR=$SESSION/$folder/run XDG_CONFIG_HOME=$SESSION/$folder/config
  mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME"
  "$BIN/corvaline-sim" >/dev/null 2>&1 &
  local sim=$!
  await 30 "corvaline-sim to plug in its mouse" "sim_plugged $sim" "process_state $sim corvaline-sim" || exit 1
  LANG=$locale LC_ALL=$locale "$BIN/corvaline" >"$SESSION/$folder.log" 2>&1 &
  local program=$!
  timeout 120 "$PY" "$HERE/a11y_walk.py" "$lang" "$@"
  local status=$?
  kill $program $sim 2>/dev/null
  wait $program $sim 2>/dev/null
  if [ $status -ne 0 ]; then cat "$SESSION/$folder.log"; exit $status; fi
}

[ -n "${A11Y_ONLY_EN:-}" ] || run CHS CHS zh_CN.UTF-8
fail() { echo "FAIL: $1"; exit 1; }
# The same edit by accessible actions (EN) and by the keyboard alone (KEYS).
for how in EN KEYS; do
  if [ $how = EN ]; then run EN EN en_US.UTF-8 --edit; else run KEYS EN en_US.UTF-8 --keys; fi
  SHOW=$("$BIN/corvalinectl" --lang EN show "$SESSION/$how/config/corvaline/config.bin")
  echo "$SHOW"
  [ $how = EN ] && SHOW_EN=$SHOW
grep -qi 'report rate.*250' <<<"$SHOW" || fail "config.bin: report rate is not 250"
grep -qi 'button 3: media Mute' <<<"$SHOW" || fail "config.bin: button 3 is not Mute"
grep -qi 'stage 2: off' <<<"$SHOW" || fail "config.bin: DPI stage 2 is on"
grep -qi 'stage 1: on, level 3 ' <<<"$SHOW" || fail "config.bin: DPI stage 1 is not at level 3"
grep -qi 'button 4: fire . --speed 32 --times 3' <<<"$SHOW" || fail "config.bin: button 4 is not fired 3 times"
done
# The Fire Key dialog's list and the Skins dialog's, by actions.
grep -qi 'button 4: fire B ' <<<"$SHOW_EN" || fail "config.bin: the fire key is not B"
iconv -f UTF-16 -t UTF-8 "$SESSION/EN/config/corvaline/str.ini" | tr -d '\r' | grep -qx 'Path=Frost' ||
  fail "str.ini: the skin is not Frost"
echo PASS
