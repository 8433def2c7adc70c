#!/usr/bin/env bash
# CPU share of Tollvane polling the simulated radio. The radio runs as its
# own process on a pseudo-terminal; Tollvane polls it ten times a second for
# the given number of seconds (default 30), on the offscreen platform or in
# a real window under Xvfb (then the X server's time counts too), and
# prints its user + system time over the wall time, and its wake-ups (the
# times all its threads went to sleep and were woken again) per second.
# Fails when the radio was not polled: a quiet figure from a port that
# never opened measures nothing.
# With a slower line speed it shows how many sets of queries the poll gets
# answered a second there (a set's replies take about 224 bytes of wire).
# With "floor" as the fifth argument it runs bench/poll_floor instead: Qt's
# serial port polling the radio with nothing else, what polling costs on
# this machine at all.
# TOLLVANE_ARGS adds arguments to Tollvane's command line (e.g. "--web 8080":
# the same polling with the web remote's server on); a sixth argument names
# that variant in the result line (e.g. xvfb-web).
# SIM_ARGS adds arguments to the simulated radio's (e.g. "--rate 600": a
# reception on the air nine ticks of ten, the screen, the table and the log
# changing).
# usage: poll_cpu.sh BUILD SECONDS offscreen|xvfb [BAUD] [floor|tollvane] [KEY]
set -euo pipefail
build=${1:-build-release}
seconds=${2:-30}
platform=${3:-offscreen}
baud=${4:-115200}
program=${5:-tollvane}
variant=${6:-}
read -r -a extra <<<"${TOLLVANE_ARGS:-}"
read -r -a sim_extra <<<"${SIM_ARGS:-}"
case "$baud" in
  9600) speed=0 ;; 19200) speed=1 ;; 38400) speed=2 ;; 57600) speed=3 ;; 115200) speed=4 ;;
  *) echo "unknown speed $baud" >&2; exit 2 ;;
esac
here=$(dirname "$0")
source "$here/pollrun.sh"

# Time on a CPU in nanoseconds, all threads, from the scheduler's own count:
# the clock ticks of /proc/PID/stat come in steps of 10 ms, a twentieth of
# what a 20 s run of a 0.5% program takes.
cpu_ns() { cat /proc/"$1"/task/*/schedstat 2>/dev/null | awk '{ n += $1 } END { print n + 0 }'; }
wakeups() {
  cat /proc/"$1"/task/*/status 2>/dev/null |
    awk '/^voluntary_ctxt_switches/ { n += $2 } END { print n + 0 }'
}

start_radio "$build" --baud "$baud" "${sim_extra[@]}"

use_platform "$platform"

# Port 1 at that speed, 100 ms poll: Tollvane starts running at once.
printf '0\r\n%s\r\n100\r\n' "$speed" >"$work/com_settings.txt"
if [ "$program" = floor ]; then
  "$build/bench/poll_floor" "$pty" >"$work/app.out" 2>&1 &
else
  "$build/app/tollvane" --port "$pty" --data-dir "$work" "${extra[@]}" >"$work/app.out" 2>&1 &
fi
app=$!
sleep 3
if ! ls -l /proc/$app/fd 2>/dev/null | grep -q "$(readlink -f "$pty")"; then
  echo "FAIL: $program has not opened the radio's port $pty" >&2
  exit 1
fi

app0=$(cpu_ns "$app")
x0=0
[ "$platform" = xvfb ] && x0=$(cpu_ns "$xvfb_pid")
w0=$(wakeups "$app")
start=$(date +%s.%N)
sleep "$seconds"
app1=$(cpu_ns "$app")
x1=0
[ "$platform" = xvfb ] && x1=$(cpu_ns "$xvfb_pid")
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
  -v t=1e9 -v s="$start" -v e="$end" -v p="$platform" \
  -v c="$commands" -v secs="$seconds" -v baud="$baud" -v prog="$program" -v variant="$variant" 'BEGIN {
  wall = e - s; app = (a1 - a0) / t; x = (x1 - x0) / t
  key = prog == "floor" ? "floor" : variant != "" ? variant : p
  printf "%-9s %.1f s: %s %.2f%% of one core", key, wall, prog, 100 * app / wall
  if (p == "xvfb") printf ", X server %.2f%%, together %.2f%%", 100 * x / wall, 100 * (app + x) / wall
  printf "; %.1f wake-ups/s; the radio answered %d commands (%.1f/s)", (w1 - w0) / wall, c, c / (wall + 3)
  if (baud != 115200) printf " at %d baud: %.1f sets a second (the line carries %.1f sets of 224 bytes)", baud, c / 3 / (wall + 3), baud / 10 / 224
  printf "\n"
  printf "RESULT %s %.3f %.3f %.1f\n", key, 100 * app / wall, 100 * (app + x) / wall, (w1 - w0) / wall
  # Ten polls of three commands a second, or what a slow line carries;
  # under load at least half of that.
  most = 3 * baud / 10 / 224; if (most > 30) most = 30
  if (c < most / 2 * secs) { print "FAIL: the radio was hardly polled"; exit 1 }
}'
