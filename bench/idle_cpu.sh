#!/usr/bin/env bash
# Measures the processor time the program takes while idle, with every
# start-up timer running: it starts the window under Xvfb in a fresh working
# directory made from data/, lets it settle, and reads its CPU time over a
# measuring span from /proc. Usage: bench/idle_cpu.sh [SECONDS] (default 30).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-30}"
program="$(pwd)/build/bin/talkbase"
[ -x "$program" ] || { echo "build the program first (./run.sh or ./test.sh)"; exit 1; }
command -v Xvfb >/dev/null || { echo "needs Xvfb (Debian package xvfb)"; exit 1; }

work="$(mktemp -d)"
trap 'kill "${pid:-}" "${xvfb:-}" 2>/dev/null || true; rm -rf "$work"' EXIT
cp -r data/Base data/Sound data/ReadMe.Txt "$work/"

display=":$((90 + RANDOM % 100))"
Xvfb "$display" -screen 0 1024x768x24 >/dev/null 2>&1 &
xvfb=$!
sleep 1
(cd "$work" && DISPLAY="$display" exec "$program" >/dev/null 2>&1) &
pid=$!
sleep 3 # the start-up load, the shake and the greeting

ticks() { awk '{print $14 + $15}' "/proc/$pid/stat"; }
hz=$(getconf CLK_TCK)
before=$(ticks)
sleep "$seconds"
after=$(ticks)
awk -v t=$((after - before)) -v hz="$hz" -v s="$seconds" \
    'BEGIN { printf "idle CPU: %.2f%% of one core over %d s\n", 100 * t / hz / s, s }'
