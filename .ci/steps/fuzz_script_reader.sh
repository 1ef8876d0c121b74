#!/usr/bin/env bash
# Fuzzes the stored install-script reader for a minute with libFuzzer, AddressSanitizer
# and UndefinedBehaviorSanitizer, starting from the script fixtures. A crash fails the
# step and prints its input, which then becomes a file in
# tests/setup/script/fixtures/regressions/.
set -euo pipefail
cd "$(dirname "$0")/../.."

build_dir=build-fuzz
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DLUMORA_BUILD_GUI=OFF -DLUMORA_BUILD_TESTS=OFF \
  -DLUMORA_BUILD_BENCH=OFF -DSETUP_SCRIPT_FUZZ=ON >/dev/null
cmake --build "$build_dir" --target fuzz_script_reader

# The corpus grows while fuzzing: it lives in a scratch copy, never in the sources.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/corpus" "$work/artifacts"
cp tests/setup/script/fixtures/*.bin "$work/corpus/"
find tests/setup/script/fixtures/regressions -name '*.bin' -exec cp {} "$work/corpus/" \;

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
"$build_dir/bin/fuzz_script_reader" -max_total_time="${FUZZ_SECONDS:-60}" -max_len=16384 \
  -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  -artifact_prefix="$work/artifacts/" "$work/corpus" || status=$?
if [ "$status" -ne 0 ]; then
  for artifact in "$work"/artifacts/*; do
    [ -e "$artifact" ] || continue
    echo "== failing input $(basename "$artifact") (base64) =="
    base64 "$artifact"
  done
  exit "$status"
fi
