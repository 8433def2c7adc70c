#!/usr/bin/env bash
# Start-up to the first painted window: Tollvane's window against a bare Qt
# window of the same size (both built from bench/startup_window.cpp), run
# alternately in the same run, on the offscreen platform and under Xvfb.
# Prints min and median of each and their ratio; the goal is at most 1.5.
# The same bare window with one line of text is timed too: it shows what
# starting the font system costs any window that shows text.
# Tollvane starts two ways: a first start (an empty data folder, the
# Settings tab) and a usual one (saved settings: the Log tab, and the radio,
# the simulated one on a pseudo-terminal, opened at once).
set -euo pipefail
build=${1:-build-release}
runs=${2:-9}
here=$(dirname "$0")
source "$here/xvfb.sh"
trap stop_xvfb EXIT

# Wall time of one run in milliseconds.
time_one() {
  local start end
  start=$(date +%s%N)
  "$@" >/dev/null 2>&1
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

measure() {
  local platform=$1 tollvane=() usual=() bare=() text=()
  # One untimed run of each first: the disk cache is warm for all.
  "$build/bench/startup_tollvane" "$work/data" >/dev/null 2>&1
  "$build/bench/startup_tollvane" "$work/usual" "$pty" >/dev/null 2>&1
  "$build/bench/startup_bare" >/dev/null 2>&1
  "$build/bench/startup_text" >/dev/null 2>&1
  for _ in $(seq "$runs"); do
    tollvane+=("$(time_one "$build/bench/startup_tollvane" "$work/data")")
    usual+=("$(time_one "$build/bench/startup_tollvane" "$work/usual" "$pty")")
    bare+=("$(time_one "$build/bench/startup_bare")")
    text+=("$(time_one "$build/bench/startup_text")")
  done
  printf '%s\n' "${tollvane[@]}" | sort -n >"$work/t"
  printf '%s\n' "${usual[@]}" | sort -n >"$work/u"
  printf '%s\n' "${bare[@]}" | sort -n >"$work/b"
  printf '%s\n' "${text[@]}" | sort -n >"$work/x"
  paste "$work/t" "$work/u" "$work/b" "$work/x" | awk -v p="$platform" -v n="$runs" '
    { t[NR] = $1; u[NR] = $2; b[NR] = $3; x[NR] = $4 }
    END {
      m = int((n + 1) / 2)
      printf "%-9s first start min %6.1f ms median %6.1f ms | bare Qt window min %6.1f ms median %6.1f ms | ratio min %.2f median %.2f\n",
        p, t[1] / 1000, t[m] / 1000, b[1] / 1000, b[m] / 1000, t[1] / b[1], t[m] / b[m]
      printf "%-9s usual start min %6.1f ms median %6.1f ms | ratio to the bare window min %.2f median %.2f\n",
        p, u[1] / 1000, u[m] / 1000, u[1] / b[1], u[m] / b[m]
      printf "%-9s (the bare window with one line of text: min %6.1f ms median %6.1f ms; the first start against it: ratio min %.2f median %.2f)\n",
        p, x[1] / 1000, x[m] / 1000, t[1] / x[1], t[m] / x[m] }'
}

work=$(mktemp -d)
sim=
trap 'stop_xvfb; [ -n "$sim" ] && kill "$sim" 2>/dev/null; rm -rf "$work"' EXIT
# A first start: an empty data folder, shared by the runs (none of them
# lives to write settings into it).
mkdir "$work/data"
# A usual start: port 1 (the simulated radio, named first) at 115200 baud,
# polled every 100 ms from the start, on the Log tab.
mkdir "$work/usual"
printf '0\r\n4\r\n100\r\n' >"$work/usual/com_settings.txt"
printf '0\r\n' >"$work/usual/pgm_settings.txt"
"$build/sim/tollvane-radio-sim" --seed 7 >"$work/sim.out" 2>/dev/null &
sim=$!
for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
pty=$(head -n1 "$work/sim.out")
echo "start-up to the first painted window, $runs runs each, alternating"
QT_QPA_PLATFORM=offscreen measure offscreen
start_xvfb
QT_QPA_PLATFORM=xcb measure Xvfb
