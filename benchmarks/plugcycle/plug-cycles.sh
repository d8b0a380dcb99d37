#!/usr/bin/env bash
# Prints the program's resident memory (VmRSS) while the virtual mouse is
# plugged in and out CYCLES times: every 25 cycles one line. The program runs
# in a throw-away home and runtime folder. Without DISPLAY it runs offscreen
# (no tray); with DISPLAY (e.g. Xvfb with openbox and trayer) on xcb.
#
# Usage: benchmarks/plugcycle/plug-cycles.sh BINDIR [CYCLES] [heaptrack]
#   BINDIR: the build's bin folder (a release build for the figure).
#   heaptrack: run the program under heaptrack; its file is named at the end.
# Under AddressSanitizer freed memory sits in its quarantine and the figure
# grows with every cycle; ASAN_OPTIONS=quarantine_size_mb=0 shows the real one.
set -u
BIN=$(cd "$1" && pwd); CYCLES=${2:-200}; MODE=${3:-}
ROOT=$(mktemp -d /tmp/corvaline-plug.XXXXXX)
export HOME=$ROOT/home XDG_CONFIG_HOME=$ROOT/home/.config XDG_RUNTIME_DIR=$ROOT/run
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"; chmod 700 "$XDG_RUNTIME_DIR"
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY
if [ -n "${DISPLAY:-}" ]; then export QT_QPA_PLATFORM=xcb; else export QT_QPA_PLATFORM=offscreen; fi
if [ "$MODE" = heaptrack ]; then
  heaptrack -o "$ROOT/heap" "$BIN/corvaline" >"$ROOT/program.log" 2>&1 &
else
  "$BIN/corvaline" >"$ROOT/program.log" 2>&1 &
fi
LAUNCH=$!
# The program, not heaptrack's shell: wait until it has a data folder.
for _ in $(seq 1 100); do [ -e "$XDG_CONFIG_HOME/corvaline/config.bin" ] && break; sleep 0.1; done
PROGRAM=$(pgrep -n -f "^$BIN/corvaline\$" || echo "$LAUNCH")
rss() { awk '/VmRSS/{print $2}' "/proc/$PROGRAM/status"; }
echo "cycle 0: $(rss) kB"
for i in $(seq 1 "$CYCLES"); do
  "$BIN/corvaline-sim" >/dev/null 2>&1 &
  SIM=$!
  sleep 0.5
  kill -TERM "$SIM"; wait "$SIM" 2>/dev/null
  sleep 0.3
  if [ $((i % 25)) -eq 0 ]; then echo "cycle $i: $(rss) kB"; fi
done
kill -TERM "$PROGRAM"; wait "$LAUNCH" 2>/dev/null
[ "$MODE" = heaptrack ] && echo "heaptrack file: $ROOT/heap.zst" || rm -rf "$ROOT"
