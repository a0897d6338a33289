#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer and runs the
# whole test suite in that build. The long pseudo-terminal soak runs only in the normal
# build (label "soak").
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${SAN_BUILD_DIR:-build-asan}
flags="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKALVENDO_BUILD_BENCH=OFF \
    -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build_dir" -j "${JOBS:-2}"
export QT_QPA_PLATFORM=offscreen
# Leaks of the system's font and GUI libraries at exit are not ours to mend.
export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build_dir" --output-on-failure -j 2 -LE soak
