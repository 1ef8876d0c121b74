#!/usr/bin/env bash
# Builds Lumora (installing what the build needs) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --target Lumora
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<'TEXT'
Lumora is built (build/bin/Lumora), but there is no display to show its window on.
Start it from a desktop session, or give it a virtual one, for example:
  apt-get install xvfb && xvfb-run build/bin/Lumora
For work without a window, build/bin/lumora-batch runs Lumora's commands on pages.
TEXT
  exit 1
fi
cd build/bin && exec ./Lumora "$@"
