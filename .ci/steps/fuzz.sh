#!/usr/bin/env bash
# Fuzzes every reader of files and streams from outside (tests/fuzz) with libFuzzer,
# AddressSanitizer and UndefinedBehaviorSanitizer, each for FUZZ_SECONDS (default 30),
# starting from seeds made here from data/ and the test fixtures. A crash or a broken
# round trip fails the step and prints its input in base64; that input then becomes a
# regression file of the reader's tests. FUZZ_JOBS fuzzers (default: one a core) run at
# a time.
set -euo pipefail
cd "$(dirname "$0")/../.."

build_dir=build-fuzz
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DLUMORA_BUILD_GUI=OFF -DLUMORA_BUILD_TESTS=OFF \
  -DLUMORA_BUILD_BENCH=OFF -DLUMORA_FUZZ=ON >/dev/null
cmake --build "$build_dir" --target fuzz setupres
bin=$build_dir/bin

# Corpora grow while fuzzing: they live in a scratch directory, never in the sources.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

seed() { # seed TARGET NAME: standard input becomes a seed file of TARGET
  mkdir -p "$work/$1"
  cat >"$work/$1/$2"
}
copy_seeds() { # copy_seeds TARGET FILE...
  mkdir -p "$work/$1"
  for file in "${@:2}"; do
    if [ -f "$file" ]; then cp "$file" "$work/$1/"; fi
  done
}

copy_seeds fuzz_script_reader tests/setup/script/fixtures/*.bin \
  $(find tests/setup/script/fixtures/regressions -name '*.bin')
copy_seeds fuzz_page_codec data/dist/*.txt data/html_filter.txt data/Lumora.hlp
printf 'caf\xe9 \x80\x81\r\nline\rlast' | seed fuzz_page_codec windows-1252
printf '\xef\xbb\xbf<p>caf\xc3\xa9</p>\n' | seed fuzz_page_codec utf-8-bom
printf 'sub dir/a#b\x1b<i>.htm\n<title>&lt;script&gt; x \xe9</title><meta name=description content="d">' |
  seed fuzz_html_report hostile
printf '<html lang=de><title>t</title><p>a&nbsp;b &amp c<br><script>x</script><!-- y -->' |
  seed fuzz_visible_text page
copy_seeds fuzz_profile data/dist/*.ini
printf '; comment\r\n[Setup]\r\nKey = value \r\n\r\n[setup]\nkey=again\rOther=\n' |
  seed fuzz_profile sections
printf '; Lumora setup registry\n\n[HKEY_LOCAL_MACHINE\\Software\\Lumora]\n@="default"\n"Path"="C:\\\\Lumora\\n"\n[HKCU\\Software\\x]\n"a"="b\\"c"\n' |
  seed fuzz_registry store
printf '\nC:=/home/user\nD = /mnt/data # a comment\nZ=\n\0D:\\Docs\\..\\README.TXT' |
  seed fuzz_drive_map file
printf '\x01C=/tmp;E:=/srv/x;bad\0\\Windows\\system' | seed fuzz_drive_map variable
printf '[Desktop Entry]\nType=Application\nName=\\sLumora\\tpages\nExec=lumora "%%f"\n' |
  seed fuzz_desktop_entry entry
copy_seeds fuzz_form_text data/installer/TSetupForm.txt tests/setup/form/fixtures/example_form.txt
mkdir -p "$work/fuzz_form_stream"
for form in "$work"/fuzz_form_text/*; do
  "$bin/setupres" compile "$form" "$work/fuzz_form_stream/$(basename "$form" .txt).res" \
    >/dev/null
done
printf 'P\tAPPDIR\tC:\\LUMORA\\\nD\tC:\\LUMORA\\\nf\tC:\\LUMORA\\A.TXT\nF\tC:\\LUMORA\\B.TXT\nG\tMain:~:Lumora\nB\t3\nF\tcut sh' |
  seed fuzz_install_journal journal
{
  printf '[Directories]\r\nAPPDIR=C:\\LUMORA\\\r\n[Files]\r\nC:\\LUMORA\\A.TXT=\r\n'
  printf '[Program Groups]\r\n0=Main:~:Lumora\r\n[Language]\r\nLanguage=German\r\n\0'
  printf 'F\tC:\\LUMORA\\B.TXT\nd\tC:\\LUMORA\\SUB\\\nG\tMain:~:Read me\nB\t5\n'
} | seed fuzz_install_log log-and-journal
printf '[Directories]\r\nInstall=C:\\Lumora\\\r\n[Created Dirs]\r\nC:\\Lumora\\Data\\=\r\n[Files]\r\nC:\\Lumora\\a.txt=\r\n[Program Groups]\r\n0=Lumora:~:One\r\n1=Tools\r\n[BDE Files]\r\nBDE Type=3\r\n' |
  seed fuzz_install_log_reader log
copy_seeds fuzz_answer_file data/installer/unattended-*.txt
printf 'press next\nanswer yes Abort\\tfile copy?\\n\n# done\nanswer NO\r\n' |
  seed fuzz_answer_file answers
copy_seeds fuzz_help_file data/Lumora.hlp
# Compressed files: our 32-byte header (size, time, mode 0644) and a zstd frame.
mkdir -p "$work/fuzz_compressed_file"
for file in data/html_filter.txt data/dist/ReadMe.txt; do
  if [ ! -f "$file" ]; then continue; fi
  size=$(stat -c %s "$file")
  {
    printf 'TSZ\x1a\x01\x00\x20\x00'
    for shift in 0 8 16 24 32 40 48 56; do
      printf "\\x$(printf %02x $(((size >> shift) & 255)))"
    done
    printf '\x00\x00\x00\x60\x00\x00\x00\x00\x00\x00\x00\x00\xa4\x01\x00\x00'
    zstd -q -c --check "$file"
  } >"$work/fuzz_compressed_file/$(basename "$file").tsz"
done
printf '3:1:71:/pages/a.htm0:\n11:1:78:/x.htm1:00:14:1:11:hello\n8:2:4:a2:bc\n2:111:a title0:1:17:out.htm\n' |
  seed fuzz_worker_protocol records
printf 'auto\0--no-title\0--sensitivity=12\0-o\0out\0-j\0003\0a.htm\0b.htm' |
  seed fuzz_batch_options auto
printf 'keywords\0--filter=noise.txt\0--json\0--dry-run\0--\0--odd.htm' |
  seed fuzz_batch_options keywords

export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Readers that take a file (registry, install log, compressed files) write their scratch
# files under TMPDIR; in memory they run many times faster.
fuzz_tmp=$work/tmp
if [ -d /dev/shm ] && [ -w /dev/shm ]; then fuzz_tmp=$(mktemp -d -p /dev/shm); fi
mkdir -p "$fuzz_tmp"
trap 'rm -rf "$work" "$fuzz_tmp"' EXIT
run_one() { # run_one FUZZER: fuzzes for FUZZ_SECONDS, leaves its log and exit status
  local name
  name=$(basename "$1")
  mkdir -p "$work/$name" "$work/artifacts-$name"
  local status=0
  TMPDIR=$fuzz_tmp "$1" -max_total_time="${FUZZ_SECONDS:-30}" -max_len=16384 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$work/artifacts-$name/" \
    "$work/$name" >"$work/$name.log" 2>&1 || status=$?
  echo "$status" >"$work/$name.status"
}

# As many fuzzers at once as there are cores; each is one process.
parallel=${FUZZ_JOBS:-$(nproc)}
for fuzzer in "$bin"/fuzz_*; do
  while [ "$(jobs -rp | wc -l)" -ge "$parallel" ]; do wait -n || true; done
  run_one "$fuzzer" &
done
wait

failed=()
for fuzzer in "$bin"/fuzz_*; do
  name=$(basename "$fuzzer")
  echo "== $name =="
  grep -E '^stat::number_of_executed_units' "$work/$name.log" || true
  if [ "$(cat "$work/$name.status")" -ne 0 ]; then
    tail -n 60 "$work/$name.log"
    for artifact in "$work/artifacts-$name"/*; do
      if [ ! -e "$artifact" ]; then continue; fi
      echo "== $name: failing input $(basename "$artifact") (base64) =="
      base64 "$artifact"
    done
    failed+=("$name")
  fi
done
if [ "${#failed[@]}" -ne 0 ]; then
  echo "fuzzing failed: ${failed[*]}"
  exit 1
fi
