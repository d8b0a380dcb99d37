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

# start_session_bus DIR [TYPE [SERVICES]]: a private bus of TYPE (session
# by default) listening at DIR/TYPE-bus that anyone may use (a compositor run
# as another user meets the program there). It starts no service by itself
# (what is on it, the caller put there) unless SERVICES is "activation": then
# it starts the system's session services when they are called. Exports
# DBUS_SESSION_BUS_ADDRESS (or DBUS_SYSTEM_BUS_ADDRESS); sets SESSION_BUS_PID.
start_session_bus() {
  local dir=$1 type=${2:-session} services=
  [ "${3:-}" != activation ] || services="<standard_session_servicedirs/>"
  cat >"$dir/$type-bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>$type</type>
  <listen>unix:path=$dir/$type-bus</listen>
  <auth>EXTERNAL</auth>
  $services
  <policy context="default">
    <allow user="*"/>
    <allow send_destination="*" eavesdrop="true"/>
    <allow receive_sender="*"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
  # It prints its address once it listens.
  (umask 000; exec dbus-daemon --config-file="$dir/$type-bus.conf" --nofork --nopidfile --print-address=3 \
    3>"$dir/$type-bus.address") 2>"$dir/$type-bus.log" &
  SESSION_BUS_PID=$!
  await 30 "the $type bus to listen" '[ -s "$dir/$type-bus.address" ] || ! kill -0 $SESSION_BUS_PID 2>/dev/null' \
    'process_state $SESSION_BUS_PID dbus-daemon; cat "$dir/$type-bus.log"' && [ -s "$dir/$type-bus.address" ] ||
    return 1
  if [ "$type" = system ]; then
    export DBUS_SYSTEM_BUS_ADDRESS="unix:path=$dir/$type-bus"
  else
    export DBUS_SESSION_BUS_ADDRESS="unix:path=$dir/$type-bus"
  fi
}

# start_sway DIR CONFIG: a headless sway (software rendering, no input
# devices) with the config file CONFIG, its runtime folder DIR/sway-run. sway
# refuses to run as root: then it runs as the unprivileged user corvaline-wl.
# Ready once its IPC answers (its Wayland socket listens by then). Sets
# SWAY_PID, exports SWAYSOCK and sets SWAY_WAYLAND (the socket's path, what a
# client takes as WAYLAND_DISPLAY).
start_sway() {
  local dir=$1 config=$2 as_user=()
  mkdir -m 0700 "$dir/sway-run"
  if [ "$(id -u)" -eq 0 ]; then
    id corvaline-wl >/dev/null 2>&1 ||
      useradd --system --no-create-home --shell /usr/sbin/nologin corvaline-wl 2>/dev/null || {
        echo "cannot create the unprivileged user corvaline-wl for sway" >&2
        return 1
      }
    chmod 0711 "$dir"
    chown corvaline-wl: "$dir/sway-run"
    chmod 0644 "$config"
    as_user=(setpriv --reuid=corvaline-wl --regid=corvaline-wl --init-groups --)
  fi
  "${as_user[@]}" env -i PATH="$PATH" HOME="$dir/sway-run" XDG_RUNTIME_DIR="$dir/sway-run" \
    DBUS_SESSION_BUS_ADDRESS="${DBUS_SESSION_BUS_ADDRESS:-}" \
    WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway --config "$config" >"$dir/sway.log" 2>&1 &
  SWAY_PID=$!
  await 30 "sway to answer on its IPC socket" 'sway_answers "$dir" || ! kill -0 $SWAY_PID 2>/dev/null' \
    'process_state $SWAY_PID sway; tail -3 "$dir/sway.log"' && sway_answers "$dir" || return 1
  export SWAYSOCK
  SWAY_WAYLAND=$(ls "$dir"/sway-run/wayland-? | head -1)
}
sway_answers() {
  [ -S "$(ls "$1"/sway-run/wayland-? 2>/dev/null | head -1)" ] || return 1
  SWAYSOCK=$(ls "$1"/sway-run/sway-ipc.*.sock 2>/dev/null | head -1)
  [ -S "$SWAYSOCK" ] && swaymsg -s "$SWAYSOCK" -q -t get_version 2>/dev/null
}
# The app_id of sway's focused window ("" when none is).
sway_focused() {
  swaymsg -t get_tree -r | jq -r '[.. | objects | select(.focused? == true and .app_id? != null)][0].app_id // ""'
}
