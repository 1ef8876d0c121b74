#!/usr/bin/env bash
# Builds Lumora (installing what the build needs) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target Lumora
cd build/bin && exec ./Lumora "$@"
