#!/usr/bin/env bash
# Only platform/ talks to the operating system: a port replaces that folder and nothing
# else. This fails when a source file elsewhere includes a POSIX header. tests/ may:
# its fixtures fork, pipe, limit and chmod to set up what the code under test meets.
set -euo pipefail
cd "$(dirname "$0")/../.."

headers='unistd|fcntl|sys/[a-z_/]+|dirent|dlfcn|pwd|grp|signal|poll|spawn|termios|pthread|sched|semaphore|elf|link|glob|fnmatch|wordexp|ftw|libgen|utime|syslog|langinfo|strings|netdb|netinet/[a-z_]+|arpa/[a-z_]+|mqueue|aio'

status=0
while IFS= read -r file; do
  case "$file" in platform/* | tests/*) continue ;; esac
  if hits=$(grep -nE "^[[:space:]]*#[[:space:]]*include[[:space:]]*[<\"]($headers)\.h[>\"]" "$file"); then
    while IFS= read -r hit; do
      echo "$file:$hit: a POSIX header outside platform/; add what it needs to platform/"
    done <<<"$hits"
    status=1
  fi
done < <(git ls-files '*.c' '*.cc' '*.cpp' '*.h' '*.hpp')
[ "$status" -eq 0 ] && echo "no POSIX headers outside platform/ and tests/"
exit "$status"
