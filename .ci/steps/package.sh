#!/usr/bin/env bash
# Packages the build as a .deb and a tarball and checks them as a distribution
# would: lintian, the desktop entry and AppStream validators, and lumora-batch run
# from the unpacked .deb, the tarball and a `cmake --install` prefix.
set -euo pipefail
cd "$(dirname "$0")/../.."

tools=(lintian appstream desktop-file-utils dpkg-dev)
missing=()
for p in "${tools[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if ((${#missing[@]})); then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir"
rm -rf "$build_dir/packages"
(cd "$build_dir" && cpack -G DEB && cpack -G TGZ) >/dev/null
deb=$(ls "$build_dir"/packages/lumora_*.deb)
tgz=$(ls "$build_dir"/packages/lumora_*.tar.gz)
echo "built $deb and $tgz"
dpkg-deb --field "$deb" Depends

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "-- lintian"
lintian --fail-on error --allow-root "$deb"

echo "-- the desktop's files"
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work/root/usr/share/applications/lumora.desktop"
appstreamcli validate --no-net "$work/root/usr/share/metainfo/org.lumora.Lumora.metainfo.xml"
# Every language's noise words go with the noise-word list.
for list in data/noise/*.txt; do
  cmp "$list" "$work/root/usr/share/lumora/noise/$(basename "$list")"
done

# A page with something to say, run through the installed lumora-batch: it must find
# its noise-word list in the installed data folder, wherever the tree was unpacked.
page="$work/page.htm"
printf '%s\r\n' '<html><head></head><body>' \
  'Roses and tulips grow in the garden. Roses like sun, tulips like spring.' \
  'The garden shop sells roses, tulips and garden tools for every garden.' \
  '</body></html>' > "$page"
run_batch() {
  local program=$1
  local out
  out=$(cd "$work" && "$program" keywords page.htm)
  echo "$out" | grep -qi 'garden' || { echo "no keywords from $program: $out"; exit 1; }
  echo "$program: ok"
}

echo "-- lumora-batch from the unpacked .deb"
run_batch "$work/root/usr/bin/lumora-batch"

echo "-- lumora-batch from the tarball"
mkdir "$work/tgz"
tar xzf "$tgz" -C "$work/tgz"
run_batch "$(ls "$work"/tgz/*/bin/lumora-batch)"

echo "-- lumora-batch from cmake --install"
cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
run_batch "$work/prefix/bin/lumora-batch"
