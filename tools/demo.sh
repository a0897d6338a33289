#!/usr/bin/env bash
# Sets up, builds and starts Kalvendo connected to the meter simulator, so that live
# readings arrive without a meter. Extra arguments go to the simulator, e.g.
#   tools/demo.sh --interval 100
set -euo pipefail
cd "$(dirname "$0")/.."
tools/setup.sh
tools/build.sh
build_dir=${BUILD_DIR:-build}

out=$(mktemp)
"$build_dir/tools/metersim/kalvendo-metersim" --wait-open --settle 300 "$@" >"$out" &
simulator=$!
trap 'kill "$simulator" 2>/dev/null || true; rm -f "$out"' EXIT
for _ in $(seq 50); do
    [ -s "$out" ] && break
    sleep 0.1
done
device=$(head -n 1 "$out")
echo "meter simulator on $device"
"$build_dir/src/kalvendo" --port "$device"
