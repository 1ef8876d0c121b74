#!/usr/bin/env python3
"""Picks the measuring sample from the HTML documentation of this Debian machine.

Copies a spread of pages of each package below pages/<package>/ and lists where each
came from in SOURCES.txt. Run again only to renew the sample; the measurements are
meant to be repeated on the pages kept here.
"""

import argparse
import gzip
import hashlib
import os
import re
import sys

DOC_ROOT = "/usr/share/doc"
MIN_BYTES = 2000  # smaller pages are mostly a heading and a link
MAX_BYTES = 150_000  # the huge single-page manuals would swamp the sample
PER_PACKAGE = 25
BUDGET = 2_800_000


def is_page(name):
    lower = name.lower()
    return lower.endswith((".htm", ".html", ".htm.gz", ".html.gz"))


def read_page(path):
    with open(path, "rb") as f:
        data = f.read()
    return gzip.decompress(data) if path.endswith(".gz") else data


def candidates(skip):
    """(package, relative path, bytes) of every eligible page, one copy per content;
    pages whose path or text matches `skip` are passed over."""
    seen = set()
    found = []
    for package in sorted(os.listdir(DOC_ROOT)):
        top = os.path.join(DOC_ROOT, package)
        if not os.path.isdir(top):
            continue
        for folder, dirs, files in os.walk(top):
            dirs.sort()
            for name in sorted(files):
                path = os.path.join(folder, name)
                if not is_page(name) or not os.path.isfile(path):
                    continue
                data = read_page(path)
                digest = hashlib.sha256(data).hexdigest()
                if digest in seen or not MIN_BYTES <= len(data) <= MAX_BYTES:
                    continue
                if skip and (skip.search(path) or skip.search(data.decode("utf-8", "replace"))):
                    continue
                seen.add(digest)
                found.append((package, os.path.relpath(path, top), data))
    return found


def spread(pages, count):
    """`count` pages evenly spaced over the package's pages ordered by size."""
    pages = sorted(pages, key=lambda p: (len(p[2]), p[1]))
    if len(pages) <= count:
        return pages
    step = len(pages) / count
    return [pages[int(i * step + step / 2)] for i in range(count)]


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--out", default=os.path.dirname(os.path.abspath(__file__)))
    parser.add_argument("--skip-pattern", default="",
                        help="leave out pages whose path or text matches this regular "
                        "expression (case ignored)")
    args = parser.parse_args()
    skip = re.compile(args.skip_pattern, re.IGNORECASE) if args.skip_pattern else None

    by_package = {}
    for page in candidates(skip):
        by_package.setdefault(page[0], []).append(page)
    chosen = []
    for package in sorted(by_package):
        chosen.extend(spread(by_package[package], PER_PACKAGE))
    # Over budget: drop the largest pages first, keeping every package represented.
    chosen.sort(key=lambda p: len(p[2]))
    while sum(len(p[2]) for p in chosen) > BUDGET:
        chosen.pop()

    pages_dir = os.path.join(args.out, "pages")
    lines = []
    names = set()
    for package, relative, data in sorted(chosen, key=lambda p: (p[0], p[1])):
        # The file's own name, with its folders only where two pages share a name.
        name = os.path.basename(relative)
        if (package, name) in names:
            name = relative.replace(os.sep, "_")
        names.add((package, name))
        if name.endswith(".gz"):
            name = name[:-3]
        target = os.path.join(pages_dir, package, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        with open(target, "wb") as f:
            f.write(data)
        lines.append(f"pages/{package}/{name}\t{DOC_ROOT}/{package}/{relative}\n")
    with open(os.path.join(args.out, "SOURCES.txt"), "w", encoding="utf-8") as f:
        f.writelines(lines)
    total = sum(len(p[2]) for p in chosen)
    print(f"{len(chosen)} pages from {len({p[0] for p in chosen})} packages, {total} bytes",
          file=sys.stderr)


if __name__ == "__main__":
    main()
