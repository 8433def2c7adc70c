#!/usr/bin/env bash
# CPU share of Tollvane polling the simulated radio. The radio runs as its
# own process on a pseudo-terminal; Tollvane polls it ten times a second for
# the given number of seconds (default 30), on the offscreen platform or in
# a real window under Xvfb (then the X server's time counts too), and
# prints its user + system time over the wall time, and its wake-ups (the
# times all its threads went to sleep and were woken again) per second.
# Fails when the radio was not polled: a quiet figure from a port that
# never opened measures nothing.
# usage: poll_cpu.sh BUILD SECONDS offscreen|xvfb
set -euo pipefail
build=${1:-build-release}
seconds=${2:-30}
platform=${3:-offscreen}
here=$(dirname "$0")
source "$here/xvfb.sh"
work=$(mktemp -d)
sim=
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null || true
  [ -n "$sim" ] && kill "$sim" 2>/dev/null || true
  stop_xvfb
  rm -rf "$work"
}
trap cleanup EXIT

cpu_ticks() { cut -d' ' -f14,15 "/proc/$1/stat" | awk '{ print $1 + $2 }'; }
wakeups() {
  cat /proc/"$1"/task/*/status 2>/dev/null |
    awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }'
}

"$build/sim/tollvane-radio-sim" --seed 7 >"$work/sim.out" 2>"$work/sim.err" &
sim=$!
for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
pty=$(head -n1 "$work/sim.out")

case "$platform" in
  offscreen) export QT_QPA_PLATFORM=offscreen ;;
  xvfb) start_xvfb; export QT_QPA_PLATFORM=xcb ;;
  *) echo "unknown platform $platform" >&2; exit 2 ;;
esac

# Port 1 at 115200, 100 ms poll: Tollvane starts running at once.
printf '0\r\n4\r\n100\r\n' >"$work/com_settings.txt"
"$build/app/tollvane" --port "$pty" --data-dir "$work" >"$work/app.out" 2>&1 &
app=$!
sleep 3
if ! ls -l /proc/$app/fd 2>/dev/null | grep -q "$(readlink -f "$pty")"; then
  echo "FAIL: tollvane has not opened the radio's port $pty" >&2
  exit 1
fi

app0=$(cpu_ticks "$app")
x0=0
[ "$platform" = xvfb ] && x0=$(cpu_ticks "$xvfb_pid")
w0=$(wakeups "$app")
start=$(date +%s.%N)
sleep "$seconds"
app1=$(cpu_ticks "$app")
x1=0
[ "$platform" = xvfb ] && x1=$(cpu_ticks "$xvfb_pid")
w1=$(wakeups "$app")
end=$(date +%s.%N)

kill "$app"
wait "$app" 2>/dev/null || true
app=
kill "$sim"
wait "$sim" 2>/dev/null || true
sim=
commands=$(sed -n 's/^commands received: //p' "$work/sim.err")
commands=${commands:-0}

awk -v a0="$app0" -v a1="$app1" -v x0="$x0" -v x1="$x1" -v w0="$w0" -v w1="$w1" \
  -v t="$(getconf CLK_TCK)" -v s="$start" -v e="$end" -v p="$platform" \
  -v c="$commands" -v secs="$seconds" 'BEGIN {
  wall = e - s; app = (a1 - a0) / t; x = (x1 - x0) / t
  printf "%-9s %.1f s: tollvane %.2f%% of one core", p, wall, 100 * app / wall
  if (p == "xvfb") printf ", X server %.2f%%, together %.2f%%", 100 * x / wall, 100 * (app + x) / wall
  printf "; %.1f wake-ups/s; the radio answered %d commands (%.1f/s)\n", (w1 - w0) / wall, c, c / (wall + 3)
  printf "RESULT %s %.3f %.3f %.1f\n", p, 100 * app / wall, 100 * (app + x) / wall, (w1 - w0) / wall
  # Ten polls of three commands a second; under load at least half of them.
  if (c < 15 * secs) { print "FAIL: the radio was hardly polled"; exit 1 }
}'
