#!/usr/bin/env bash
# What Orca speaks right after each change a keyboard user makes: a function
# menu opened and an entry chosen, a report rate chosen, a DPI stage toggled,
# a level moved, a drop-down's choice, the page changed, Apply pressed; in
# English and Simplified Chinese. Orca runs with speech-dispatcher on a null
# sound device and writes what it says to its debug file; controls are found
# by what Orca says on Tab.
# run_orca_test.sh BIN_DIR   (exit 77: Orca or the AT-SPI bus cannot start)
set -uo pipefail
BIN=${1:?usage: run_orca_test.sh BIN_DIR}
HERE=$(cd "$(dirname "$0")" && pwd)
. "$HERE/../../support/desktop.sh"

for tool in orca speech-dispatcher Xvfb xdpyinfo xdotool xwininfo openbox dbus-run-session /usr/libexec/at-spi-bus-launcher; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done
if [ -z "${ORCA_INNER:-}" ]; then
  export ORCA_INNER=1
  exec dbus-run-session -- "$0" "$@"
fi

SESSION=$(mktemp -d)
PIDS=()
# stop PID...: ended, by force after 5 s (Orca may sit in a call to speech).
stop() {
  local pid
  for pid in "$@"; do
    kill "$pid" 2>/dev/null
    await 5 "process $pid to end" "! kill -0 $pid 2>/dev/null" 2>/dev/null || kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  done
}
cleanup() {
  local i
  for ((i = ${#PIDS[@]} - 1; i >= 0; i--)); do stop "${PIDS[i]}"; done
  [ -n "${ORCA_KEEP:-}" ] || rm -rf "$SESSION"
}
trap cleanup EXIT
DESKTOP_LOGS=$SESSION
fail() {
  echo "FAIL: $1"
  echo "--- last said:"; said_since 0 | tail -15
  exit 1
}

start_atspi_bus
started=$?
PIDS+=($ATSPI_PID)
[ $started -eq 0 ] || { echo "SKIP: the AT-SPI bus does not start"; exit 77; }
start_xvfb 1280x800x24 || exit 1
PIDS+=($XVFB_PID)
export DISPLAY=$XVFB_DISPLAY
openbox >"$SESSION/openbox.log" 2>&1 &
PIDS+=($!)
await 30 "openbox to manage $DISPLAY" 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' \
  'cat "$SESSION/openbox.log"' || exit 1

# A private home: speech goes through ALSA to a null device (the default
# output made Orca hang in its first stop of speech).
export HOME=$SESSION/home XDG_CONFIG_HOME=$SESSION/home/.config XDG_DATA_HOME=$SESSION/home/.local/share
export XDG_RUNTIME_DIR=$SESSION/run
mkdir -m 700 -p "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
cp -r /etc/speech-dispatcher "$XDG_CONFIG_HOME/"
sed -i '/AudioOutputMethod/d' "$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
echo 'AudioOutputMethod "alsa"' >>"$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf"
echo 'pcm.!default { type null }' >"$HOME/.asoundrc"
# Started here, not by Orca: Orca gives up on its own start when speech
# takes long to come on a busy machine.
speech-dispatcher -s -t 0 >"$SESSION/speechd.out" 2>&1 &
PIDS+=($!)
await 60 "speech-dispatcher to listen" '[ -S "$XDG_RUNTIME_DIR/speech-dispatcher/speechd.sock" ]' \
  'process_state $! speech-dispatcher; tail -3 "$SESSION/speechd.out"' || { echo "SKIP: speech-dispatcher does not start"; exit 77; }
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1 ASAN_OPTIONS=detect_leaks=0

PY=/usr/bin/python3
# Orca, with changes to its launcher:
# - its debug file is written line by line: it is block-buffered, and a line
#   waited for could sit in the buffer until Orca ends;
# - it keeps the process name python3, and looks for other Orcas in its own
#   session (it runs under setsid), not among all of the user's processes
#   named orca: Orca refuses to start beside another Orca of the same user,
#   and with --replace kills them, so two runs at once (two worktrees, a CI
#   run) ended or refused each other's Orca midway.
ORCA_LAUNCHER='
import builtins, runpy, subprocess, sys, types
plain_open = builtins.open
def open_lines(file, mode="r", buffering=-1, *args, **kwargs):
    if "w" in mode and str(file).endswith(".log"):
        buffering = 1
    return plain_open(file, mode, buffering, *args, **kwargs)
builtins.open = open_lines
sys.modules["setproctitle"] = types.SimpleNamespace(setproctitle=lambda name: None)
class SessionPopen(subprocess.Popen):
    def __init__(self, args, *rest, **kwargs):
        if isinstance(args, str) and args.startswith("pgrep ") and " orca" in args:
            args += " -s 0"
        super().__init__(args, *rest, **kwargs)
subprocess.Popen = SessionPopen
sys.argv = ["orca"] + sys.argv[1:]
runpy.run_path("/usr/bin/orca", run_name="__main__")
'
LOG=""  # Orca's debug file of the current run
lines() { wc -l <"$LOG"; }
# What Orca said after line N of its debug file, one utterance a line,
# without its echo of the keys pressed (those end in a space).
said_since() {
  tail -n +"$(($1 + 1))" "$LOG" 2>/dev/null | grep -a 'SPEECH OUTPUT' | grep -av "' {'" |
    sed "s/.*SPEECH OUTPUT: '//; s/'{'.*//"
}
# Orca has said all it will: its debug file stays the same for 0.3 s.
settled() { local before; before=$(lines); sleep 0.3; [ "$before" = "$(lines)" ]; }
# hear PATTERN FROM: Orca says a line matching PATTERN after line FROM.
hear() {
  HEAR=$1
  await 20 "Orca to say /$1/" "said_since $2 | grep -aqE -- \"\$HEAR\"" "said_since $2 | tail -4"
}
# say KEY PATTERN: the key, then Orca saying PATTERN.
say() {
  local from
  await 5 "Orca to fall silent" settled
  from=$(lines)
  xdotool key "$1"
  hear "$2" "$from" || fail "after $1 Orca did not say /$2/"
  echo "$1: $(said_since "$from" | tr '\n' ' ')"
}
# tab_to PATTERN [KEY]: Tab (or KEY) until Orca names a control matching PATTERN.
tab_to() {
  local i from
  for ((i = 0; i < 80; i++)); do
    await 5 "Orca to fall silent" settled
    from=$(lines)
    xdotool key "${2:-Tab}"
    await 20 "Orca to name a control after Tab" "[ -n \"\$(said_since $from)\" ]" || fail "Orca says nothing on Tab"
    await 10 "Orca to fall silent" settled 'said_since $from | tail -3' || fail "Orca keeps speaking"
    said_since "$from" | grep -aqE -- "$1" && return 0
  done
  fail "no Tab stop where Orca says /$1/"
}

# Whether the AT-SPI registry answers on the accessibility bus. Asked before
# the program starts: Qt's first call to it blocks the program, and the
# registry is started by that call when nobody asked before.
registry_answers() {
  local address
  address=$(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
    --method org.a11y.Bus.GetAddress 2>/dev/null | sed "s/^('//; s/',)$//") || return 1
  gdbus call --address "$address" --dest org.a11y.atspi.Registry --object-path /org/a11y/atspi/registry \
    --method org.a11y.atspi.Registry.GetRegisteredEvents >/dev/null 2>&1
}

# start_orca: Orca, ready once it says it is on. Orca sometimes never gets
# that far (it waits on its own first calls): one more start, then a skip.
start_orca() {
  local try
  for try in 1 2; do
    : >"$LOG"
    LANG=C.UTF-8 LC_ALL=C.UTF-8 setsid "$PY" -c "$ORCA_LAUNCHER" --debug-file="$LOG" >"$ORCA_OUT" 2>&1 &
    ORCA_PID=$!
    PIDS+=($ORCA_PID)
    await 60 "Orca to say it is on" 'said_since 0 | grep -q .' \
      "process_state $ORCA_PID orca; tail -3 $ORCA_OUT" && return 0
    echo "Orca did not start speaking (try $try of 2)"
    stop $ORCA_PID
  done
  echo "SKIP: Orca does not start"
  exit 77
}

# The program's visible windows, one a line: id and height.
program_windows() {
  local w
  for w in $(xdotool search --pid "$1" --onlyvisible 2>/dev/null); do
    echo "$w $(xwininfo -id "$w" 2>/dev/null | sed -n 's/^ *Height: //p')"
  done
}

# One run: LANGUAGE LOCALE WINDOW, then the steps of that language. Orca
# starts first, so the program finds its listeners at once.
run() {
  local lang=$1 locale=$2 window=$3
  mkdir -p "$SESSION/$lang"
  LOG=$SESSION/orca-$lang.log ORCA_OUT=$SESSION/orca-$lang.out
  await 60 "the AT-SPI registry to answer" registry_answers || exit 1
  start_orca
  XDG_CONFIG_HOME=$SESSION/$lang "$BIN/corvaline-sim" >/dev/null 2>&1 &
  local sim=$!
  PIDS+=($sim)
  await 30 "corvaline-sim to plug in its mouse" "sim_plugged $sim" "process_state $sim corvaline-sim" || exit 1
  XDG_CONFIG_HOME=$SESSION/$lang LANG=$locale LC_ALL=$locale "$BIN/corvaline" >"$SESSION/$lang.log" 2>&1 &
  local program=$!
  PIDS+=($program)
  await 30 "the program's window" 'xdotool search --pid $program --onlyvisible >/dev/null 2>&1' \
    "process_state $program corvaline; cat $SESSION/$lang.log" || exit 1
  # Without a notification service a notice of the program is a window of
  # its own (shown without the focus) that closes itself after 5 s. Keys go
  # to the main window only once it is alone, and the window activated is the
  # main one, not whichever the server lists first (a loaded machine showed
  # the notice first: Orca heard its OK button and then nothing on Tab).
  await 30 "the program's notice windows to close" '[ "$(program_windows $program | wc -l)" -eq 1 ]' \
    'program_windows $program' || exit 1
  # Orca names the window it sees activated (at any time since it
  # started); activated before Orca took note of the program, it is
  # activated once more.
  local id from=0 try
  id=$(program_windows $program | sort -k2 -n -r | head -1 | cut -d' ' -f1)
  for try in 1 2; do
    xdotool windowactivate --sync "$id"
    hear "$window" "$from" && break
    [ $try -eq 1 ] || fail "Orca did not name the window"
    echo "Orca did not name the window: minimising and activating it once more"
    xdotool windowminimize --sync "$id"
    from=$(lines)
  done
  shift 3
  XDG_CONFIG_HOME_RUN=$SESSION/$lang "$@"
  stop $ORCA_PID $program $sim
}

# The entry Orca names in the lines said after line FROM that match
# PATTERN's group: e.g. the function in "3 Mid Click combo box".
named() { said_since "$2" | sed -nE "s/$1/\1/p" | tail -1; }
# TEXT as an extended regular expression that matches it alone.
literal() { printf '%s' "$1" | sed 's/[][\.*^$+?(){}|/]/\\&/g'; }

# The changes, in the words of one language. Each name: what Orca calls the
# third button's box, the 250 stop, the second stage's check box, the
# Advanced page's tab, the lighting mode box, Apply, a level's text, the
# note of an Apply and Apply's description after it.
changes() {
  local box=$1 rate=$2 stage=$3 tab=$4 mode=$5 apply=$6 level=$7 applied=$8 done=$9 from entry
  # A function menu: a list with its item count, on the function in use;
  # the entry chosen is the box's new value.
  from=$(lines)
  tab_to "^$box "
  entry=$(literal "$(named "^$box (.*) combo box.*" "$from")")
  from=$(lines)
  say space "List with [0-9]+ items"
  hear "^$entry\\.?$" "$from" || fail "the open menu did not start on '$entry'"
  said_since "$from" | grep -aq "expanded" || fail "the box was not said to be expanded"
  from=$(lines)
  say Down .
  entry=$(literal "$(said_since "$from" | tail -1 | sed 's/\.$//')")
  say space "^$box $entry combo box"
  tab_to "^$rate"
  say space "^selected"
  tab_to "^$stage check box"
  say space "^not checked"
  tab_to "slider"
  say Right "$level"
  tab_to "^$mode.+ combo box"
  tab_to "^$tab page tab"
  say space "^selected"
  # Apply is last in the order: back from the first tab. Its result is
  # spoken at once; its description says so when it is reached again.
  tab_to "^$apply push button" Shift+Tab
  say space "^$applied"
  say Shift+Tab "push button"
  say Tab "$done"
}

SECONDS=0
[ "${ORCA_ONLY:-EN}" != EN ] ||
  run EN en_US.UTF-8 "^CORVALINE Control frame" changes "3" "250\\." "DPI stage 2" "Advanced Settings" "Mode, " \
    Apply "level [0-9]+, [0-9]+ DPI" "Applied" "^All changes applied"
[ "${ORCA_ONLY:-CHS}" != CHS ] ||
  run CHS zh_CN.UTF-8 "^CORVALINE 控制程序 frame" changes "3" "250\\." "DPI档位2" "高级设置" "模式，" \
    "应用" "级别[0-9]+，[0-9]+ DPI" "已应用" "^所有更改已应用"
echo "PASS in ${SECONDS} s"
