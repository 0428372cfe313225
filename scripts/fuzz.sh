#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time, starting from its seed corpus in
# tests/fuzz/corpus. Fails on any finding; the input that caused it is kept in build-fuzz/findings.
# Skipped, with a note, where clang is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${SONDRIX_FUZZ_SECONDS:-60} # per target
targets=(fuzz_inistore fuzz_playlist fuzz_wavopen)

if ! command -v clang++ >/dev/null; then
    echo "fuzz: clang++ is not installed; the fuzz targets were not run"
    exit 0
fi
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSONDRIX_FUZZ=ON ${SONDRIX_FUZZ_CMAKE_ARGS:-}
cmake --build build-fuzz -j "$(nproc)" --target "${targets[@]}"

# The targets write their files on a memory file system where there is one: the store's and the
# playlist's writes sync to disk.
work=$(mktemp -d /dev/shm/sondrix-fuzz.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT
findings=build-fuzz/findings
mkdir -p "$findings"
failed=()
for target in "${targets[@]}"; do
    corpus="$work/$target"
    mkdir -p "$corpus"
    echo "fuzz: $target for ${seconds}s"
    if ! TMPDIR="$work" SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0 \
        "build-fuzz/tests/fuzz/$target" -max_total_time="$seconds" -timeout=2 \
        -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$findings/$target-" \
        "$corpus" "tests/fuzz/corpus/$target" 2>"$work/$target.log"; then
        failed+=("$target")
    fi
    grep -E "^Done|stat::number_of_executed_units|FINDING|ERROR|SUMMARY" "$work/$target.log" || true
done
if [ ${#failed[@]} -gt 0 ]; then
    echo "fuzz: findings in ${failed[*]} (inputs in $findings)"
    exit 1
fi
echo "fuzz: no findings"
