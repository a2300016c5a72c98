#!/usr/bin/env bash
# Measures the CPU cost of the windowed saver at 60 Hz under an Xvfb of its
# own: user + system seconds per minute of running, read from /proc/PID/stat
# after a warm-up (archives read, textures built, shaders compiled).
#
# usage: scripts/measure-cpu.sh [SECONDS (default 60)] [BUILD_DIR (default build)] [saver options...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
build=${2:-$root/build}
shift 2 || shift $# || true
saver="$build/lunabrelle"
[ -x "$saver" ] || { echo "no $saver: build first (scripts/build.sh)"; exit 1; }
command -v Xvfb >/dev/null || { echo "Xvfb is not installed (scripts/deps.sh)"; exit 1; }

work=$(mktemp -d)
xvfb=""
pid=""
cleanup() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null || true
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1600x1000x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do [ -s "$work/display" ] && break; sleep 0.1; done
display=":$(head -n1 "$work/display")"

DISPLAY=$display XDG_CONFIG_HOME="$work" "$saver" "$@" &
pid=$!
ticks=$(getconf CLK_TCK)
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }

sleep 5
start=$(cpu_ticks "$pid")
sleep "$seconds"
kill -0 "$pid" 2>/dev/null || { echo "the saver ended early"; exit 1; }
end=$(cpu_ticks "$pid")
awk -v used=$((end - start)) -v hz="$ticks" -v s="$seconds" 'BEGIN {
  cpu = used / hz
  printf "lunabrelle, 1280x720 window, Xvfb (software GL): %.2f s of CPU in %d s = %.2f s per minute (%.1f%% of one core)\n", cpu, s, cpu * 60 / s, cpu * 100 / s
}'
