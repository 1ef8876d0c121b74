#!/usr/bin/env bash
# Builds every test and runs them all. BUILD_DIR and CMAKE_ARGS let CI reuse it
# for the sanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build_dir=${BUILD_DIR:-build}
# shellcheck disable=SC2086
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ${CMAKE_ARGS:-}
cmake --build "$build_dir"
ctest --test-dir "$build_dir" --output-on-failure -j "$(nproc)"
