#!/usr/bin/env bash
# Makes the README's screenshots again from the meter simulator: the main window offline
# and online with readings, and the graph window. Written to docs/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/build.sh >/dev/null
build_dir=${BUILD_DIR:-build}
LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 QT_QPA_PLATFORM=offscreen "$build_dir/tools/screenshots/kalvendo-screenshots" \
    --simulator "$build_dir/tools/metersim/kalvendo-metersim" --out docs/screenshots --seconds 8 --offline
