#!/usr/bin/env bash
# Builds the fuzz targets with clang (libFuzzer, AddressSanitizer, UndefinedBehaviorSanitizer) and
# runs each in turn: fuzz_dispatch (console lines through the dispatcher and the curve table),
# fuzz_long (the long-number calculator against a reference) and fuzz_keep (the kept-console reader
# and writer).
# Usage: scripts/fuzz-smoke.sh [seconds per target]   (default 25; a long run: 600)
# Skips with a message when clang or its fuzzer runtime is not installed.
set -euo pipefail
cd "$(dirname "$0")/.."
SECONDS_TO_RUN=${1:-25}

if ! command -v clang++ >/dev/null 2>&1 || ! ls /usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a >/dev/null 2>&1; then
    echo "fuzz smoke skipped: clang++ with its fuzzer runtime (packages clang, libclang-rt-14-dev) is not installed"
    exit 0
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DPELMORIX_FUZZ=ON -DPELMORIX_GUI=OFF -DPELMORIX_TESTS=OFF -DPELMORIX_WERROR=ON >/dev/null
cmake --build build-fuzz --target fuzz_dispatch fuzz_long fuzz_keep

for target in dispatch long keep; do
    corpus=build-fuzz/corpus-$target
    mkdir -p "$corpus"
    cp fuzz/seeds/$target/* "$corpus"/ 2>/dev/null || true
    echo "== fuzzing $target for ${SECONDS_TO_RUN} s"
    build-fuzz/fuzz/fuzz_$target -max_total_time="$SECONDS_TO_RUN" -timeout=5 -max_len=4096 \
        -print_final_stats=1 -artifact_prefix=build-fuzz/$target- "$corpus" 2>&1 | tail -n 15
done
