#!/usr/bin/env bash
# Instructions to the first painted window, counted by callgrind: a measure
# that does not drift with the machine's load as start-up times do. Runs
# startup_tollvane (a first start: an empty data folder; a usual start: the
# settings a run leaves, the Log tab and the simulated radio opened at once),
# startup_bare and startup_text, each the given number of times, alternately.
# Only the program's own process is counted (a helper it forks, such as the
# session bus's launcher, is not); its threads are.
# usage: startup_instructions.sh BUILD [RUNS] [xvfb|offscreen]
set -euo pipefail
build=${1:-build-release}
runs=${2:-1}
platform=${3:-xvfb}
here=$(dirname "$0")
source "$here/xvfb.sh"

work=$(mktemp -d)
sim=
trap 'stop_xvfb; [ -n "$sim" ] && kill "$sim" 2>/dev/null; rm -rf "$work"' EXIT
"$build/sim/tollvane-radio-sim" --seed 7 >"$work/sim.out" 2>/dev/null &
sim=$!
for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
pty=$(head -n1 "$work/sim.out")
if [ "$platform" = xvfb ]; then
  start_xvfb
  export QT_QPA_PLATFORM=xcb
else
  export QT_QPA_PLATFORM=offscreen
fi

# Instructions of one run of the given command.
count() {
  rm -rf "$work/cg" && mkdir "$work/cg"
  valgrind --tool=callgrind --callgrind-out-file="$work/cg/out.%p" "$@" \
    >/dev/null 2>"$work/cg/log" || true
  local pid
  pid=$(sed -n 's/^==\([0-9]*\)== Command:.*/\1/p' "$work/cg/log" | head -n1)
  sed -n "s/^==$pid== Collected : //p" "$work/cg/log"
}

for run in $(seq "$runs"); do
  rm -rf "$work/first" "$work/usual" && mkdir "$work/first" "$work/usual"
  printf '0\r\n4\r\n100\r\n' >"$work/usual/com_settings.txt"
  printf '0\r\n' >"$work/usual/pgm_settings.txt"
  echo "run $run ($platform): first start $(count "$build/bench/startup_tollvane" "$work/first")" \
    "usual start $(count "$build/bench/startup_tollvane" "$work/usual" "$pty")" \
    "bare window $(count "$build/bench/startup_bare")" \
    "one line of text $(count "$build/bench/startup_text")"
done
