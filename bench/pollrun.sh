# Sourced by the idle-polling benchmarks (poll_cpu.sh, poll_instructions.sh):
# a work folder removed at exit with the processes started, the simulated
# radio on a pseudo-terminal, and the platform to run on.
#   start_radio BUILD [SIM ARGS...]   starts the radio; sets sim and pty
#   use_platform offscreen|xvfb       exports QT_QPA_PLATFORM (and DISPLAY)
# A script sets app to the pid of what it measures, for the clean-up.
source "$(dirname "${BASH_SOURCE[0]}")/xvfb.sh"
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

start_radio() {
  local build=$1
  shift
  "$build/sim/tollvane-radio-sim" --seed 7 "$@" >"$work/sim.out" 2>"$work/sim.err" &
  sim=$!
  for _ in $(seq 50); do [ -s "$work/sim.out" ] && break; sleep 0.1; done
  pty=$(head -n1 "$work/sim.out")
}

use_platform() {
  case "$1" in
    offscreen) export QT_QPA_PLATFORM=offscreen ;;
    xvfb) start_xvfb; export QT_QPA_PLATFORM=xcb ;;
    *) echo "unknown platform $1" >&2; exit 2 ;;
  esac
}
