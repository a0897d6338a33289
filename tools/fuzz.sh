#!/usr/bin/env bash
# Builds the fuzzers with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer)
# and runs each for the given number of seconds (default 30).
#   tools/fuzz.sh          a short run, as CI does
#   tools/fuzz.sh 3600     an hour each
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build_dir=${FUZZ_BUILD_DIR:-build-fuzz}
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS="$flags" -DKALVENDO_BUILD_FUZZERS=ON -DKALVENDO_BUILD_BENCH=OFF >/dev/null
cmake --build "$build_dir" -j "${JOBS:-2}" --target fuzz_decodeframe fuzz_pipeline

export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1
for target in decodeframe pipeline; do
    work="$build_dir/corpus-$target"
    mkdir -p "$work"
    echo "== fuzz_$target for ${seconds}s"
    "$build_dir/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -max_len=4096 "$work" "tests/fuzz/corpus/$target" 2>&1 | grep -E '^(#[0-9]+.*DONE|stat::|INFO: Running|==[0-9]+==ERROR|SUMMARY)' || true
    test "${PIPESTATUS[0]}" -eq 0
done
