# Throw-away desktops for the shell tests and scripts (sourced, bash):
#   . tests/support/desktop.sh
# Each start_* returns once a client can use what it started, or fails
# saying what it waited for and what it saw. The caller stops the processes
# (their ids are in the variables named below). Their output goes to files
# in DESKTOP_LOGS (a folder the caller removes; a new one when unset).

# await SECONDS WHAT CONDITION [SEEN]
# Evaluates CONDITION until it succeeds; after SECONDS prints "waited SECONDS s
# for WHAT; saw: ..." (SEEN evaluated) on stderr and fails. A fixed sleep
# passes on a quiet machine and fails on a loaded one.
await() {
  local seconds=$1 what=$2 condition=$3 seen=${4:-}
  local end=$(($(date +%s%N) / 1000000 + seconds * 1000))
  until eval "$condition"; do
    if [ $(($(date +%s%N) / 1000000)) -ge "$end" ]; then
      eval "$condition" && return 0
      echo "waited $seconds s for $what${seen:+; saw: $(eval "$seen" 2>&1 | tail -3 | tr '\n' ' ')}" >&2
      return 1
    fi
    sleep 0.05
  done
}

# The state of a started process, for a failure message.
process_state() { if kill -0 "$1" 2>/dev/null; then echo "$2 running"; else echo "$2 ended"; fi; }

# start_xvfb SCREEN [NUMBER]: Xvfb with -noreset (the last client leaving
# would otherwise reset it under the next one's feet) on display NUMBER, or,
# without one, on the free display it picks itself (-displayfd: two runs
# never race for a number). Ready once a client connects (xdpyinfo).
# Sets XVFB_PID and XVFB_DISPLAY (":N"); the server's output is in XVFB_LOG.
desktop_logs() { [ -n "${DESKTOP_LOGS:-}" ] || DESKTOP_LOGS=$(mktemp -d /tmp/corvaline-desktop.XXXXXX); }

start_xvfb() {
  local screen=$1 number=${2:-} numfile
  desktop_logs
  XVFB_LOG=$(mktemp "$DESKTOP_LOGS/xvfb.XXXXXX")
  numfile=$(mktemp "$DESKTOP_LOGS/display.XXXXXX")
  if [ -n "$number" ]; then
    echo "$number" >"$numfile"
    Xvfb ":$number" -noreset -nolisten tcp -screen 0 "$screen" >"$XVFB_LOG" 2>&1 &
  else
    Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 "$screen" 3>"$numfile" >"$XVFB_LOG" 2>&1 &
  fi
  XVFB_PID=$!
  # The number comes as one line once the server listens.
  await 30 "Xvfb to name its display" \
    '[ "$(wc -l <"$numfile")" -ge 1 ] || ! kill -0 $XVFB_PID 2>/dev/null' \
    'process_state $XVFB_PID Xvfb; cat "$XVFB_LOG"' || { rm -f "$numfile"; return 1; }
  XVFB_DISPLAY=:$(head -1 "$numfile")
  rm -f "$numfile"
  [ "$XVFB_DISPLAY" != : ] || { echo "Xvfb named no display: $(tail -3 "$XVFB_LOG")" >&2; return 1; }
  await 30 "a client to connect to $XVFB_DISPLAY" 'xdpyinfo -display "$XVFB_DISPLAY" >/dev/null 2>&1' \
    'process_state $XVFB_PID Xvfb; cat "$XVFB_LOG"'
}

# Whether screen 0 of DISPLAY has a notification area: the system tray
# selection has an owner (what Qt itself asks before it shows a tray icon).
tray_owned() {
  /usr/bin/python3 - <<'EOF'
import ctypes, sys
x = ctypes.CDLL("libX11.so.6")
x.XOpenDisplay.restype = ctypes.c_void_p
x.XOpenDisplay.argtypes = [ctypes.c_char_p]
x.XInternAtom.restype = ctypes.c_ulong
x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
x.XGetSelectionOwner.restype = ctypes.c_ulong
x.XGetSelectionOwner.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
d = x.XOpenDisplay(None)
sys.exit(0 if d and x.XGetSelectionOwner(d, x.XInternAtom(d, b"_NET_SYSTEM_TRAY_S0", 0)) else 1)
EOF
}

# start_trayer [TRAYER ARGS...]: trayer on DISPLAY, ready once it owns the
# system tray. Sets TRAYER_PID.
start_trayer() {
  local log
  desktop_logs
  log=$(mktemp "$DESKTOP_LOGS/trayer.XXXXXX")
  trayer --edge bottom --align right --widthtype request --height 32 "$@" >"$log" 2>&1 &
  TRAYER_PID=$!
  # An ended trayer ends the wait at once; it says why in its log.
  await 30 "trayer to own the system tray of $DISPLAY" \
    'tray_owned || ! kill -0 $TRAYER_PID 2>/dev/null' 'process_state $TRAYER_PID trayer' &&
    kill -0 $TRAYER_PID 2>/dev/null && return 0
  echo "$(process_state $TRAYER_PID trayer): $(tail -3 "$log")" >&2
  return 1
}

# Whether the session bus has an AT-SPI bus to give out.
atspi_answers() {
  gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.a11y.Bus.GetAddress >/dev/null 2>&1
}

# start_atspi_bus: the accessibility bus on the session bus, ready once it
# gives out its address. Sets ATSPI_PID. Its socket goes into a runtime
# folder of its own: without XDG_RUNTIME_DIR the launcher takes
# ~/.cache/at-spi/bus, the same path for every run of the same user, and the
# first launcher to end removes the others' bus.
start_atspi_bus() {
  desktop_logs
  mkdir -m 700 -p "$DESKTOP_LOGS/atspi-run"
  XDG_RUNTIME_DIR=$DESKTOP_LOGS/atspi-run /usr/libexec/at-spi-bus-launcher --launch-immediately \
    >/dev/null 2>&1 &
  ATSPI_PID=$!
  await 30 "the AT-SPI bus to give out its address" atspi_answers 'process_state $ATSPI_PID at-spi-bus-launcher'
}

# sim_plugged PID: the virtual mouse of corvaline-sim PID is plugged in once
# its socket is there (where the program looks for it).
sim_plugged() {
  local dir=/tmp/corvaline-sim-$(id -u)
  [[ "${XDG_RUNTIME_DIR:-}" != /* ]] || dir=$XDG_RUNTIME_DIR/corvaline-sim
  [ -S "$dir/mouse-$1.sock" ]
}
