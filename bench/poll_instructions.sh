#!/usr/bin/env bash
# Instructions per poll tick of Tollvane (or bench/poll_floor) polling the
# simulated radio, counted by callgrind: a measure that does not drift with
# the machine's load as CPU shares do. The program runs under callgrind,
# counting only from the third second for the given number of seconds
# (default 20); everything it does then (the poll, painting, the flush to
# the X server, the event loop's wake-ups) is divided by the ticks (the
# number of times the poll's timer sent a set). Under xvfb the X server's
# own work is not counted.
# usage: poll_instructions.sh BUILD SECONDS offscreen|xvfb [tollvane|floor] [ARGS...]
# Further arguments go to Tollvane (e.g. --web 8080); SIM_ARGS to the
# simulated radio (e.g. "--rate 600": a reception on the air most ticks).
set -euo pipefail
build=${1:-build-release}
seconds=${2:-20}
platform=${3:-xvfb}
program=${4:-tollvane}
shift $(($# < 4 ? $# : 4))
here=$(dirname "$0")
source "$here/pollrun.sh"

read -r -a sim_extra <<<"${SIM_ARGS:-}"
start_radio "$build" "${sim_extra[@]}"

use_platform "$platform"

printf '0\r\n4\r\n100\r\n' >"$work/com_settings.txt"
if [ "$program" = floor ]; then
  command=("$build/bench/poll_floor" "$pty")
  tick='QIODevice::write(QByteArray const&)'
else
  command=("$build/app/tollvane" --port "$pty" --data-dir "$work" "$@")
  tick='Form1::PollRadio()'
fi
valgrind --tool=callgrind --instr-atstart=no --compress-strings=no --compress-pos=no \
  --callgrind-out-file="$work/cg.out" \
  "${command[@]}" >"$work/app.out" 2>"$work/vg.err" &
app=$!
sleep 8
callgrind_control -i on "$app" >/dev/null
sleep "$seconds"
callgrind_control -d "$app" >/dev/null
kill "$app"
wait "$app" 2>/dev/null || true
app=
out=$work/cg.out.1
[ -n "${CALLGRIND_OUT:-}" ] && cp "$out" "$CALLGRIND_OUT"
total=$(sed -n 's/^summary: //p;s/^totals: //p' "$out" | head -n1)
# The ticks: the "calls=N" lines that follow a "cfn=" line naming the tick.
calls=$(awk -v t="$tick" '
  /^cfn=/ { callee = $0 }
  /^calls=/ { if (index(callee, t)) { split($1, c, "="); n += c[2] } }
  END { print n + 0 }' "$out")
echo "$program $platform: $total instructions in $seconds s, $calls ticks: $((total / (calls > 0 ? calls : 1))) per tick"
echo "RESULT $program $platform $total $calls"
if [ "$calls" -eq 0 ]; then
  echo "FAIL: $program never polled the radio" >&2
  exit 1
fi
