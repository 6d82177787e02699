#!/usr/bin/env bash
# gearconsole on Qt's Wayland platform under weston, started here:
#  1. the headless backend, which offers no seat at all: the program maps its
#     window, builds its main screen and keeps running;
#  2. the X11 backend on a private Xvfb, whose seat has a pointer and a
#     keyboard that xdotool drives: a key reaches the UI, dragging the
#     background makes weston move the window (the move request in weston's
#     protocol log, and a click at the same screen point lands where the drag
#     put the window), the close button hides the window and the tray item's
#     Activate, called on a private session bus by its StatusNotifier
#     watcher's side, brings it back, and the minimise button minimises it
#     through weston.
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
  env -u DISPLAY -u QT_IM_MODULE -u QT_QUICK_BACKEND -u DBUS_SESSION_BUS_ADDRESS \
    ${bus_address:+DBUS_SESSION_BUS_ADDRESS=$bus_address} WAYLAND_DISPLAY="$1" QT_QPA_PLATFORM=wayland \
    QT_LOGGING_RULES='gearconsole.capture.debug=true;gearconsole.shell.debug=true' "$work/app/gearconsole" >"$2" 2>&1 &
  program_pid=$!
  pids+=("$program_pid")
}

expect_running() {  # LOG
  kill -0 "$program_pid" 2>/dev/null || fail "the program ended: $(wait "$program_pid"; echo "status $?")"
  ! grep -qiE 'protocol error|fatal error' "$1" || fail "the Wayland connection broke"
}

wait_for_program() {  # LOG REGEX WHAT
  wait_for_line "$1" "$2" && return 0
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
kill "$program_pid"
echo "ok: no seat - window shown, main screen built, still running"

# ---- 2. A seat with pointer and keyboard (X11 backend on Xvfb) ------------
exec 5>"$work/display-number"
Xvfb -displayfd 5 -screen 0 1300x800x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
exec 5>&-
for _ in $(seq 100); do [ -s "$work/display-number" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display-number")
printf '[core]\nidle-time=0\n[shell]\npanel-position=none\n' >"$work/weston.ini"
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
# somewhere in that range, so (650, 400) is inside it before and after a
# drag of (40, 30).
start_weston wl-seat "$compositor_log" --backend=x11-backend.so --use-pixman --width=1300 --height=800 \
  --config="$work/weston.ini" --debug --logger-scopes=log,proto || fail "weston's X11 backend did not start"
log=$work/program-seat.log
start_program wl-seat "$log"
wait_for_program "$log" 'main screen built at' "no main screen with a seat"
grep -q 'offers no seat' "$log" && fail "a session with a seat was taken for one without"

# Where the window is: a click at a known screen point, as the UI saw it.
click_at() {  # X Y: sets seen_x, seen_y to where the UI logged the press
  local before
  before=$(lines "$log")
  # The compositor learns where the pointer is only from motion, and a fresh
  # Xvfb starts its pointer at the screen's centre, which may be the very
  # point asked for: come from a point beside it, so that the move is one.
  xdotool mousemove "$(( $1 + 7 ))" "$(( $2 + 5 ))" sleep 0.05 mousemove "$1" "$2" sleep 0.05 click 1
  wait_for_line "$log" 'button f0 up' "$before" || fail "a click at $1,$2 did not reach the UI"
  read -r seen_x seen_y < <(tail -n +"$(( before + 1 ))" "$log" |
    grep -m1 -oE 'button f0 down -?[0-9]+ -?[0-9]+' | cut -d' ' -f4,5)
  [ -n "${seen_y:-}" ] || fail "no position logged for a click at $1,$2"
}
click_at 650 400
local_x=$seen_x local_y=$seen_y
origin_x=$(( 650 - local_x )) origin_y=$(( 400 - local_y ))
echo "ok: the window is mapped at $origin_x,$origin_y (a click reached it)"

before=$(lines "$log")
xdotool key a
wait_for_line "$log" 'key 04 up' "$before" || fail "a key typed on the seat did not reach the UI"
echo "ok: the keyboard reaches the UI"

# Drag the background of the title bar by (40, 30). The UI ignores input
# while it is busy after start-up (a second or so), so a drag that did not
# start is let go and tried again.
for attempt in $(seq 20); do
  xdotool mousemove $(( origin_x + 500 )) $(( origin_y + 15 )) mousedown 1 sleep 0.1 \
    mousemove $(( origin_x + 510 )) $(( origin_y + 20 ))
  wait_for_line "$compositor_log" 'xdg_toplevel@[0-9]+\.move\(' 0 10 && break
  xdotool mouseup 1
  [ "$attempt" = 20 ] && fail "the drag did not reach weston as a move"
done
xdotool mousemove $(( origin_x + 540 )) $(( origin_y + 45 )) mouseup 1
click_at 650 400
moved_x=$seen_x moved_y=$seen_y
[ "$(( local_x - moved_x )),$(( local_y - moved_y ))" = "40,30" ] ||
  fail "the window moved by $(( local_x - moved_x )),$(( local_y - moved_y )), not 40,30"
echo "ok: the drag moved the window through weston"

# Close (hide), then the tray item's Activate: the window comes back as a new
# toplevel, which weston places anew.
wait_for_line "$work/watcher.log" '^item ' || fail "no tray item registered with the StatusNotifier watcher"
item=$(grep -m1 '^item ' "$work/watcher.log" | cut -d' ' -f2)
xdotool mousemove $(( origin_x + 40 + 980 )) $(( origin_y + 30 + 21 )) click 1
wait_for_line "$compositor_log" 'xdg_toplevel@[0-9]+\.destroy\(' || fail "the close button did not hide the window"
toplevels=$(grep -cE 'get_toplevel\(' "$compositor_log")
DBUS_SESSION_BUS_ADDRESS=$bus_address gdbus call --session --dest "$item" --object-path /StatusNotifierItem \
  --method org.kde.StatusNotifierItem.Activate 0 0 >/dev/null || fail "the tray item does not answer Activate"
for _ in $(seq 200); do
  [ "$(grep -cE 'get_toplevel\(' "$compositor_log")" -gt "$toplevels" ] && break
  sleep 0.1
done
[ "$(grep -cE 'get_toplevel\(' "$compositor_log")" -gt "$toplevels" ] || fail "Activate did not bring the window back"
echo "ok: the tray item (StatusNotifier) brings the hidden window back"

click_at 650 400
origin_x=$(( 650 - seen_x )) origin_y=$(( 400 - seen_y ))
xdotool mousemove $(( origin_x + 944 )) $(( origin_y + 21 )) click 1
wait_for_line "$compositor_log" 'xdg_toplevel@[0-9]+\.set_minimized\(' || fail "the minimise button did not reach weston"
echo "ok: the minimise button minimises through weston"
expect_running "$log"
echo "ok: no crash"
