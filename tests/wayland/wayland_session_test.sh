#!/usr/bin/env bash
# gearconsole on Qt's Wayland platform under weston, started here:
#  1. the headless backend, which offers no seat at all: the program maps its
#     window, builds its main screen and keeps running;
#  2. the X11 backend on a private Xvfb, whose seat has a pointer and a
#     keyboard that xdotool drives: keys reach nothing until recording
#     starts; a held key is recorded once, and one held while another
#     window takes the focus ends there; dragging the background makes
#     weston move the window (the move request in weston's protocol log,
#     and the window where a screenshot shows it); the close button hides
#     the window and ends the recording, and the tray item's Activate,
#     called on a private session bus by its StatusNotifier watcher's side,
#     brings it back; the minimise button minimises it through weston, and
#     Activate brings the minimised window back too.
# Exits 77 (skipped) only when weston cannot start at all. KEEP_WORK=1 keeps
# the scratch folder with every log.
set -uo pipefail
program=$1
watcher=$2
work=$(mktemp -d /tmp/gearconsole-wayland.XXXXXX)
chmod 700 "$work"
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  [ -n "${KEEP_WORK:-}" ] || rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAIL: $*"
  [ -n "${DISPLAY:-}" ] && import -window root "$work/at-failure.png" 2>/dev/null
  for log in "$work"/*.log; do echo "--- $log"; grep -v '\[proto\]' "$log" | tail -n 25; done
  exit 1
}

# Waits until FILE has a line matching REGEX after line SKIP, looking TRIES
# times 0.1 s apart (20 s by default).
wait_for_line() {  # FILE REGEX [SKIP [TRIES]]
  for _ in $(seq "${4:-200}"); do
    tail -n +"$(( ${3:-0} + 1 ))" "$1" 2>/dev/null | grep -qE "$2" && return 0
    sleep 0.1
  done
  return 1
}
lines() { wc -l <"$1"; }

# A private copy of the program: its own single instance and data folder.
mkdir -p "$work/app" "$work/run" "$work/tmp"
chmod 700 "$work/run"
cp "$program" "$work/app/gearconsole"
cp -r "$(dirname "$program")/modules" "$work/app/modules"
export XDG_RUNTIME_DIR=$work/run TMPDIR=$work/tmp
unset WAYLAND_SOCKET

start_weston() {  # NAME LOG OPTIONS...
  local name=$1 log=$2
  shift 2
  weston --socket="$name" --log="$log" "$@" >>"$work/weston-out.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    [ -S "$XDG_RUNTIME_DIR/$name" ] && return 0
    kill -0 "${pids[-1]}" 2>/dev/null || break
    sleep 0.1
  done
  return 1
}

start_program() {  # WAYLAND_DISPLAY LOG
  # In the sanitized build the full allocation stacks let the leak
  # suppressions recognise what Qt's Wayland client and Mesa keep to the end.
  env -u DISPLAY -u QT_IM_MODULE -u QT_QUICK_BACKEND -u DBUS_SESSION_BUS_ADDRESS \
    ${bus_address:+DBUS_SESSION_BUS_ADDRESS=$bus_address} ${ASAN_OPTIONS:+ASAN_OPTIONS=$ASAN_OPTIONS:fast_unwind_on_malloc=0} WAYLAND_DISPLAY="$1" QT_QPA_PLATFORM=wayland \
    QT_LOGGING_RULES='gearconsole.capture.debug=true;gearconsole.shell.debug=true' "$work/app/gearconsole" >"$2" 2>&1 &
  program_pid=$!
  pids+=("$program_pid")
}

expect_running() {  # LOG
  kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(wait "$program_pid"; echo "status $?")"
  ! grep -qiE 'protocol error|fatal error' "$1" || fail "the Wayland connection broke"
}

wait_for_program() {  # LOG REGEX WHAT
  # A sanitized start-up with full allocation stacks takes several times longer.
  wait_for_line "$1" "$2" 0 "${ASAN_OPTIONS:+600}" && return 0
  expect_running "$1"
  fail "$3"
}

command -v weston >/dev/null || { echo "SKIPPED: weston is not installed (scripts/setup.sh installs it)"; exit 77; }

# ---- 1. No seat (weston's headless backend) --------------------------------
start_weston wl-headless "$work/weston-headless.log" --backend=headless-backend.so --no-config ||
  { echo "SKIPPED: weston's headless backend does not start here"; exit 77; }
log=$work/program-headless.log
start_program wl-headless "$log"
wait_for_program "$log" 'first frame at' "no first frame without a seat"
wait_for_program "$log" 'main screen built at' "the main screen was not built without a seat"
grep -q 'offers no seat' "$log" || fail "the seatless session was not noticed"
grep -q "capture source: the program's own windows - a Wayland" "$log" || fail "no capture line for Wayland"
expect_running "$log"
# SIGTERM ends it as Quit does: its lock and socket are gone once it has ended.
kill "$program_pid"
wait "$program_pid" || fail "SIGTERM did not end the program cleanly: status $?"
echo "ok: no seat - window shown, main screen built, still running; SIGTERM ends it with status 0"

# ---- 2. A seat with pointer and keyboard (X11 backend on Xvfb) ------------
exec 5>"$work/display-number"
Xvfb -displayfd 5 -screen 0 1300x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 5>&-
for _ in $(seq 100); do [ -s "$work/display-number" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display-number")
printf '[core]\nidle-time=0\n[shell]\npanel-position=none\nbackground-color=0xff00ff00\n' >"$work/weston.ini"
# A private session bus whose StatusNotifier watcher is the test's.
dbus-daemon --session --nofork --print-address=6 6>"$work/bus-address" >"$work/dbus.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/bus-address" ] && break; sleep 0.1; done
bus_address=$(head -n1 "$work/bus-address")
[ -n "$bus_address" ] || fail "no private session bus"
DBUS_SESSION_BUS_ADDRESS=$bus_address "$watcher" >"$work/watcher.log" 2>&1 &
pids+=($!)
wait_for_line "$work/watcher.log" '^watching' || fail "the StatusNotifier watcher did not start"
compositor_log=$work/weston-seat.log
# The output is larger than the window by 300 x 160: weston places the window
# somewhere in that range.
start_weston wl-seat "$compositor_log" --backend=x11-backend.so --use-pixman --width=1300 --height=800 \
  --config="$work/weston.ini" --debug --logger-scopes=log,proto || fail "weston's X11 backend did not start"
log=$work/program-seat.log
export GEARCONSOLE_VIRTUAL_DEVICES=0   # a keyboard, for its pages
start_program wl-seat "$log"
wait_for_program "$log" 'main screen built at' "no main screen with a seat"
grep -q 'offers no seat' "$log" && fail "a session with a seat was taken for one without"

# Where the window is: weston's output (an X window at the Xvfb's origin)
# has a background of pure green, and the window covers the rest. The window
# spans the columns (rows) that are mostly not green, so weston's cursor, drawn
# wherever weston last saw the pointer (0,0 until a motion reaches it), never
# counts. The pointer is parked at the output's centre, which the window always
# covers (weston places it within the 300 x 160 it has to spare).
window_span() {  # SHOT SCALE AXIS: prints the first index and the length
  convert "$1" -fuzz 5% -fill black -opaque '#00ff00' -fill white +opaque black -colorspace gray \
    -scale "$2" -threshold 30% -depth 8 txt:- 2>/dev/null |
    awk -F'[,:]' -v axis="$3" '/#FFFFFF|white/ { i = (axis == "x" ? $1 : $2) + 0; if (first == "") first = i; last = i }
      END { if (first != "") print first, last - first + 1 }'
}
# Weston's X11 backend moves its pointer by the difference between two X
# motions, from where it last saw the X pointer: a pointer that was already
# inside its output when it appeared leaves weston's pointer off by a fixed
# distance. Two corners bring them together: at 0,0 weston's pointer stops at
# the edge if it was behind, at the opposite corner if it was ahead.
sync_pointer() {
  xdotool mousemove 0 0 sleep 0.05 mousemove 1299 799 sleep 0.05
}
window_origin() {  # sets origin_x, origin_y
  local shot=$work/window.png columns rows width height attempt
  for attempt in $(seq 50); do
    sync_pointer
    xdotool mousemove 650 400
    sleep 0.1
    import -window root "$shot" 2>/dev/null || continue
    read -r origin_x width <<<"$(window_span "$shot" '1300x1!' x)"
    read -r origin_y height <<<"$(window_span "$shot" '1x800!' y)"
    [ "${width:-}x${height:-}" = 1000x640 ] && return 0
    sleep 0.2
  done
  fail "the window is not where a screenshot shows it (columns ${origin_x:-?}+${width:-?}, rows ${origin_y:-?}+${height:-?})"
}
# A click from a point beside the target: the compositor learns where the
# pointer is only from motion, and a fresh Xvfb starts its pointer at the
# screen's centre, which may be the very point asked for.
click_at() {  # X Y
  xdotool mousemove "$(( $1 + 7 ))" "$(( $2 + 5 ))" sleep 0.05 mousemove "$1" "$2" sleep 0.05 click 1
}
captured() {  # SKIP [KIND]: the capture lines (of keys or buttons) logged after line SKIP
  tail -n +"$(( $1 + 1 ))" "$log" | grep -oE "gearconsole.capture: (${2:-key|button}) [0-9a-f]+ (down|up)( \(focus lost\))?" |
    sed 's/gearconsole.capture: //' | tr '\n' ',' | sed 's/,$//'
}
window_origin
echo "ok: the window is mapped at $origin_x,$origin_y"
sleep 1.5   # the start-up's busy second, which ignores input

# Nothing is captured while no page listens; recording captures a held key
# once, and a key held while another window takes the focus ends there.
before=$(lines "$log")
click_at $(( origin_x + 300 )) $(( origin_y + 60 ))
xdotool key a
sleep 0.5
[ -z "$(captured "$before")" ] || fail "captured while nothing listens: $(captured "$before")"
grep -q 'capture on' "$log" && fail "capture started with nothing listening"
click_at $(( origin_x + 95 )) $(( origin_y + 201 ))    # Macro
click_at $(( origin_x + 631 )) $(( origin_y + 596 ))   # Start Record
wait_for_line "$log" 'capture on' "$before" || fail "recording did not start the capture"
before=$(lines "$log")
xdotool keydown a sleep 1.2 keyup a
wait_for_line "$log" 'key 04 up' "$before" || fail "a held key did not reach the recorder"
sleep 0.3
[ "$(captured "$before")" = "key 04 down,key 04 up" ] || fail "holding A recorded: $(captured "$before")"
echo "ok: a held key is recorded as one press and one release"
before=$(lines "$log")
xdotool keydown Alt_L
wait_for_line "$log" 'key e2 down' "$before" || fail "Alt did not reach the recorder"
WAYLAND_DISPLAY=wl-seat weston-simple-shm >"$work/other-client.log" 2>&1 &
other=$!
pids+=("$other")
wait_for_line "$log" 'key e2 up \(focus lost\)' "$before" || fail "a key held as another window took the focus did not end"
xdotool keyup Alt_L
kill "$other"
click_at $(( origin_x + 300 )) $(( origin_y + 60 ))
xdotool key Alt_L
wait_for_line "$log" 'key e2 up$' "$before" || fail "Alt pressed again did not reach the recorder"
[ "$(captured "$before" key)" = "key e2 down,key e2 up (focus lost),key e2 down,key e2 up" ] ||
  fail "Alt held across a focus change recorded: $(captured "$before" key)"
echo "ok: a key held while another window takes the focus ends there, and the next press is a press"

# Drag the background of the title bar by 40 and 30 pixels, towards the
# middle of the output so that all of the window stays on it. The UI
# ignores input while it is busy, so a drag that did not start is let go and
# tried again.
dx=40 dy=30
[ "$origin_x" -ge 40 ] && dx=-40
[ "$origin_y" -ge 30 ] && dy=-30
for attempt in $(seq 20); do
  xdotool mousemove $(( origin_x + 500 )) $(( origin_y + 15 )) mousedown 1 sleep 0.1 \
    mousemove $(( origin_x + 500 + dx / 4 )) $(( origin_y + 15 + dy / 4 ))
  wait_for_line "$compositor_log" 'xdg_toplevel@[0-9]+\.move\(' 0 10 && break
  xdotool mouseup 1
  [ "$attempt" = 20 ] && fail "the drag did not reach weston as a move"
done
xdotool mousemove $(( origin_x + 500 + dx )) $(( origin_y + 15 + dy )) mouseup 1
before_x=$origin_x before_y=$origin_y
sleep 0.3
window_origin
[ "$(( origin_x - before_x )),$(( origin_y - before_y ))" = "$dx,$dy" ] ||
  fail "the window moved by $(( origin_x - before_x )),$(( origin_y - before_y )), not $dx,$dy"
echo "ok: the drag moved the window through weston"

# Close (hide) while recording: the recording ends and capture stops. Then
# the tray item's Activate: the window comes back as a new toplevel, which
# weston places anew.
wait_for_line "$work/watcher.log" '^item ' || fail "no tray item registered with the StatusNotifier watcher"
item=$(grep -m1 '^item ' "$work/watcher.log" | cut -d' ' -f2)
activate() {  # WHAT: Activate must map a new toplevel
  local toplevels
  toplevels=$(grep -cE 'get_toplevel\(' "$compositor_log")
  DBUS_SESSION_BUS_ADDRESS=$bus_address gdbus call --session --dest "$item" --object-path /StatusNotifierItem \
    --method org.kde.StatusNotifierItem.Activate 0 0 >/dev/null || fail "the tray item does not answer Activate"
  for _ in $(seq 200); do
    [ "$(grep -cE 'get_toplevel\(' "$compositor_log")" -gt "$toplevels" ] && return 0
    sleep 0.1
  done
  fail "Activate did not bring the $1 window back"
}
before=$(lines "$log")
click_at $(( origin_x + 980 )) $(( origin_y + 21 ))
wait_for_line "$compositor_log" 'xdg_toplevel@[0-9]+\.destroy\(' || fail "the close button did not hide the window"
wait_for_line "$log" 'capture off' "$before" || fail "hiding the window did not end the recording"
activate hidden
echo "ok: the close button ends the recording; the tray item (StatusNotifier) brings the hidden window back"

window_origin
click_at $(( origin_x + 944 )) $(( origin_y + 21 ))
wait_for_line "$compositor_log" 'xdg_toplevel@[0-9]+\.set_minimized\(' || fail "the minimise button did not reach weston"
activate minimised
echo "ok: the minimise button minimises through weston, and Activate brings the window back"
expect_running "$log"
echo "ok: no crash"
