#!/usr/bin/env bash
# The audit's HTML report as a browser reads it: lumora-batch audits a small site with
# a hostile title, headless Chromium renders the report, and the rendered page must
# hold the summary and finding tables, both length charts and links that lead from
# the report's folder to the pages - and no script.
set -euo pipefail
cd "$(dirname "$0")/../.."

if ! command -v chromium >/dev/null; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends chromium
fi

build_dir=${BUILD_DIR:-build}
cmake --build "$build_dir" --target lumora-batch >/dev/null
batch=$PWD/$build_dir/bin/lumora-batch

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
site=$work/site
mkdir -p "$site/sub dir" "$work/report"
page() { # file, head
  printf '%s\r\n' '<html lang="en"><head>' "$2" '</head><body><p>Roses and tulips.</p></body></html>' >"$site/$1"
}
page index.htm '<title>Roses and tulips for every garden</title><meta name="description" content="Roses and tulips from our own garden, sent to your door in spring and autumn, with care notes.">'
page about.htm '<title>Roses and tulips for every garden</title>'
page "sub dir/a#b.htm" '<title>&lt;script&gt;document.title="owned"&lt;/script&gt; and a title far too long to show whole in a search result</title>'
page short.htm '<title>Roses</title><meta name="description" content="Short.">'

"$batch" audit --html "$work/report/audit.html" "$site" >"$work/summary.txt"

dom=$work/dom.html
timeout 60 chromium --headless --no-sandbox --disable-gpu --disable-background-networking \
  --disable-component-update --disable-sync --no-first-run --user-data-dir="$work/profile" \
  --dump-dom "file://$work/report/audit.html" >"$dom" 2>"$work/chromium.log" || {
  cat "$work/chromium.log"
  echo "chromium could not render the report"
  exit 1
}

fail() {
  echo "audit report: $1"
  exit 1
}
expect() { # count of matches at least, pattern, what
  local found
  found=$(grep -o -- "$2" "$dom" | wc -l)
  ((found >= $1)) || fail "$3: found $found of '$2', expected at least $1"
}
expect 1 'class="summary"' "the summary table"
expect 5 'class="finding"' "the finding tables"
expect 1 'id="title-lengths"' "the title length chart"
expect 1 'id="description-lengths"' "the description length chart"
expect 2 '<svg' "two charts"
expect 4 '<line class="limit"' "the limits marked"
expect 1 'href="../site/sub%20dir/a%23b.htm"' "a link relative to the report"
expect 1 '&lt;script&gt;document.title' "the hostile title as text"
if grep -qi '<script' "$dom"; then fail "a script element arrived"; fi
grep -q '<title>Site audit</title>' "$dom" || fail "the page's title changed"
echo "audit report: rendered with $(grep -o '<table' "$dom" | wc -l) tables and $(grep -o '<svg' "$dom" | wc -l) charts"
