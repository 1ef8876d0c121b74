#!/usr/bin/env bash
# Installs the Debian packages that building, running and testing need, only those
# that are missing. Tools only CI uses (clang, clang-format, the fuzzing seeds' zstd,
# the package checkers) are installed by CI's own steps.
set -euo pipefail
packages=(build-essential cmake ninja-build qt6-base-dev libgl-dev libgtest-dev libgmock-dev
          libbenchmark-dev libzstd-dev libstemmer-dev libgumbo-dev desktop-file-utils
          fonts-liberation2)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; else sudo=; fi
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
