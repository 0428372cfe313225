#!/usr/bin/env bash
# Installs what is missing, builds every test in a normal and a sanitizer build, runs them, then
# runs each fuzz target for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
jobs=$(nproc)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSONDRIX_WERROR=ON
cmake --build build -j "$jobs"
(cd build && ctest --output-on-failure -j "$jobs")
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DSONDRIX_SANITIZE=ON -DSONDRIX_WERROR=ON
cmake --build build-asan -j "$jobs"
(cd build-asan && ctest --output-on-failure -j "$jobs")
scripts/fuzz.sh
