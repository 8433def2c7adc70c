#!/usr/bin/env bash
# CPU share of Tollvane polling the simulated radio: the radio runs as its
# own process on a pseudo-terminal, Tollvane polls it ten times a second on
# the offscreen platform for the given number of seconds (default 30), and
# the program's own user + system time is divided by the wall time.
set -euo pipefail
build=${1:-build-release}
seconds=${2:-30}
work=$(mktemp -d)
trap 'kill $sim $app 2>/dev/null || true; rm -rf "$work"' EXIT

"$build/sim/tollvane-radio-sim" --seed 7 > "$work/sim.out" &
sim=$!
for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
pty=$(head -n1 "$work/sim.out")

# Port 1 at 115200, 100 ms poll: Tollvane starts running at once.
printf '0\r\n4\r\n100\r\n' > "$work/com_settings.txt"
QT_QPA_PLATFORM=offscreen "$build/app/tollvane" --port "$pty" --data-dir "$work" &
app=$!
sleep 2
read -r -a before < <(cut -d' ' -f14,15 "/proc/$app/stat")
start=$(date +%s.%N)
sleep "$seconds"
read -r -a after < <(cut -d' ' -f14,15 "/proc/$app/stat")
end=$(date +%s.%N)
ticks=$(getconf CLK_TCK)
awk -v u0="${before[0]}" -v s0="${before[1]}" -v u1="${after[0]}" -v s1="${after[1]}" \
    -v t="$ticks" -v a="$start" -v b="$end" 'BEGIN {
  cpu = ((u1 - u0) + (s1 - s0)) / t; wall = b - a;
  printf "tollvane polling for %.1f s: %.2f s CPU, %.2f%% of one core\n", wall, cpu, 100 * cpu / wall }'
