#!/usr/bin/env python3
"""How much of what lumora-batch proposes is text a visitor of the page can read.

Runs `lumora-batch keywords --json` and `lumora-batch auto --json --dry-run` on the
sample pages, in the classic reading and, when the program offers it, in the
visible-text reading, and reports for each reading:

  clean keywords    keywords made only of letters, digits, '-' and "'"
  visible keywords  keywords that are words of the page's visible text
  visible words     words of the accepted title and description (the first proposal,
                    as lumora-batch accepts it) that are words of the visible text,
                    or fixed words of the proposal template when no candidate served
  large page        the time of `lumora-batch keywords` on one large page (the whole
                    program run: start, reading, scan), when that page is present

The visible text is worked out here, independently of the program, with the standard
library's HTML parser: the contents of script, style, template and title, comments,
markup and attribute values (so meta description and image alt) are dropped and
character references decoded; block-level elements and <br> end a word.
"""

import argparse
import html.parser
import json
import os
import re
import shutil
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_BATCH = os.path.join(HERE, "..", "..", "build", "bin", "lumora-batch")
# An 8 MB page of Debian's documentation, too large to keep in the sample.
LARGE_PAGE = "/usr/share/doc/nodejs/api/all.html"

HIDDEN = {"script", "style", "template", "title"}
# Elements that start or end a block: text on either side of them never joins into a word.
BLOCKS = {
    "address", "article", "aside", "blockquote", "body", "br", "caption", "dd", "details",
    "dialog", "div", "dl", "dt", "fieldset", "figcaption", "figure", "footer", "form", "h1",
    "h2", "h3", "h4", "h5", "h6", "head", "header", "hgroup", "hr", "html", "legend", "li",
    "main", "nav", "ol", "option", "p", "pre", "section", "select", "summary", "table",
    "tbody", "td", "textarea", "tfoot", "th", "thead", "tr", "ul", "img", "input", "button",
}
VOID = {"area", "base", "br", "col", "embed", "hr", "img", "input", "link", "meta", "source",
        "track", "wbr"}

# The templates the title and description finders fall back on (k0, k1, k2 are keywords).
TEMPLATES = [
    re.compile(r"find it here\. check out the (.*), (.*) and (.*)\. see it now"),
    re.compile(r"a must see\. check out the (.*), (.*) and (.*)\. see it now"),
    re.compile(r"we have what your looking for\. check out the (.*), (.*) and (.*)"),
]
# Punctuation a sentence puts around a word; anything else stays part of the word.
SENTENCE_MARKS = ".,;:!?\"()[]"


class VisibleText(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.parts = []
        self.hidden = []

    def handle_starttag(self, tag, attrs):
        if tag in HIDDEN:
            self.hidden.append(tag)
        if tag in BLOCKS:
            self.parts.append("\n")

    def handle_startendtag(self, tag, attrs):
        if tag in BLOCKS:
            self.parts.append("\n")

    def handle_endtag(self, tag):
        if tag in HIDDEN and tag in self.hidden:
            while self.hidden.pop() != tag:
                pass
        if tag in BLOCKS:
            self.parts.append("\n")

    def handle_data(self, data):
        if not self.hidden:
            self.parts.append(data)


def decode_page(data):
    """The window's rule: UTF-8 when the bytes are valid UTF-8, else Windows-1252."""
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("cp1252", errors="replace")


# A word: letters and digits, joined inside by '-', "'" or '_'.
WORD_RUN = re.compile(r"[^\W_](?:[\w'-]*[^\W_])?")


def is_word_char(c):
    return c.isalpha() or c.isdigit()


def visible_words(path):
    """Lower-case words of the page's visible text; a word joined by '-' or "'" counts
    whole and by its parts."""
    with open(path, "rb") as f:
        text = decode_page(f.read())
    parser = VisibleText()
    parser.feed(text)
    parser.close()
    words = set()
    for run in WORD_RUN.findall("".join(parser.parts)):
        run = run.lower()
        words.add(run)
        words.update(p for p in re.split(r"[_'-]+", run) if p)
    return words


def is_clean_keyword(keyword):
    return keyword != "" and all(is_word_char(c) or c in "-'" for c in keyword)


def proposal_words(proposal):
    """(word, from template) for every word of a title or description."""
    proposal = proposal.strip()
    fixed = []
    for template in TEMPLATES:
        match = template.fullmatch(proposal)
        if match:
            slots = list(match.groups())
            fixed = template.pattern.replace("\\.", ".").replace("(.*)", " ").split()
            proposal = " ".join(slots)
            break
    words = [(w, True) for w in (f.strip(SENTENCE_MARKS) for f in fixed) if w]
    # Words are cut from a proposal exactly as from the visible text.
    for run in WORD_RUN.findall(proposal):
        words.append((run.lower(), False))
    return words


def run_batch(batch, command, pages, extra):
    arguments = [batch, command, "--json"] + (["--dry-run"] if command == "auto" else [])
    env = dict(os.environ)
    env.setdefault("QT_QPA_PLATFORM", "offscreen")
    started = time.monotonic()
    done = subprocess.run(arguments + extra + pages, capture_output=True, text=True, env=env)
    elapsed = time.monotonic() - started
    if done.returncode == 2:
        sys.exit(f"{' '.join(arguments + extra)} refused: {done.stderr.strip()}")
    results = {}
    for line in done.stdout.splitlines():
        record = json.loads(line)
        results[record["path"]] = record
    return results, elapsed


def large_page_seconds(batch, page, extra, runs=3):
    """Best of `runs` wall times of the keyword scan of one large page."""
    best = None
    for _ in range(runs):
        _, elapsed = run_batch(batch, "keywords", [page], extra + ["-j", "1"])
        best = elapsed if best is None else min(best, elapsed)
    return best


def share(part, whole):
    return f"{part}/{whole} = {100.0 * part / whole:.1f}%" if whole else "0/0"


def measure(batch, pages, extra, words_of, show):
    keyword_runs, keyword_time = run_batch(batch, "keywords", pages, extra)
    auto_runs, auto_time = run_batch(batch, "auto", pages, extra)
    clean = visible = keyword_total = 0
    proposal_hits = proposal_total = proposals = templates = 0
    misses = []
    for path, record in keyword_runs.items():
        words = words_of(path)
        for keyword in record.get("keywords") or []:
            keyword_total += 1
            clean += is_clean_keyword(keyword)
            if keyword.lower() in words:
                visible += 1
            else:
                misses.append(f"{path}: keyword {keyword!r}")
    for path, record in auto_runs.items():
        words = words_of(path)
        for field in ("title", "description"):
            proposal = record.get(field) or ""
            if not proposal.strip():
                continue
            proposals += 1
            judged = proposal_words(proposal)
            templates += any(fixed for _, fixed in judged)
            for word, fixed in judged:
                proposal_total += 1
                if fixed or word.lower() in words:
                    proposal_hits += 1
                else:
                    misses.append(f"{path}: {field} word {word!r}")
    statuses = {}
    for record in auto_runs.values():
        statuses[record["status"]] = statuses.get(record["status"], 0) + 1
    print(f"  pages              {len(keyword_runs)} (auto: "
          + ", ".join(f"{n} {s}" for s, n in sorted(statuses.items())) + ")")
    print(f"  keywords           {keyword_total}")
    print(f"  clean keywords     {share(clean, keyword_total)}")
    print(f"  visible keywords   {share(visible, keyword_total)}")
    print(f"  proposals          {proposals} titles and descriptions, {templates} from the template")
    print(f"  visible words      {share(proposal_hits, proposal_total)}")
    print(f"  time               keywords {keyword_time:.1f} s, auto {auto_time:.1f} s")
    for miss in misses[:show]:
        print(f"    {miss}")
    if len(misses) > show:
        print(f"    ... {len(misses) - show} more (--show N lists more)")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--batch", default=os.environ.get("LUMORA_BATCH", DEFAULT_BATCH),
                        help="the lumora-batch to measure (default: build/bin/lumora-batch)")
    parser.add_argument("--pages", default=os.path.join(HERE, "pages"),
                        help="folder of sample pages (default: pages/ beside this script)")
    parser.add_argument("--lang", help="passed on as --lang to the visible-text reading")
    parser.add_argument("--large", default=LARGE_PAGE,
                        help="a large page whose keyword scan is timed in each reading "
                             "(default: %(default)s when present; '' to skip)")
    parser.add_argument("--show", type=int, default=10,
                        help="how many words that miss the visible text to list per reading")
    args = parser.parse_args()

    batch = args.batch if os.path.exists(args.batch) else shutil.which(args.batch)
    if not batch:
        sys.exit(f"no lumora-batch at {args.batch}; build it or pass --batch")
    # Relative paths keep the report short; lumora-batch reports pages as it was given them.
    os.chdir(os.path.dirname(os.path.abspath(args.pages)))
    pages = [os.path.basename(os.path.abspath(args.pages))]
    cache = {}

    def words_of(path):
        if path not in cache:
            cache[path] = visible_words(path)
        return cache[path]

    help_text = subprocess.run([batch, "--help"], capture_output=True, text=True).stdout
    readings = [("classic reading", [])]
    if "--visible-text" in help_text:
        readings.append(("visible-text reading",
                         ["--visible-text"] + (["--lang", args.lang] if args.lang else [])))
    large = os.path.abspath(args.large) if args.large and os.path.isfile(args.large) else None
    large_times = []
    for name, extra in readings:
        print(f"{name} ({' '.join(['lumora-batch'] + extra)}):")
        measure(batch, pages, extra, words_of, args.show)
        if large:
            large_times.append(large_page_seconds(batch, large, extra))
            print(f"  large page         {large_times[-1]:.2f} s for `keywords` on {large} "
                  f"({os.path.getsize(large) / 1e6:.1f} MB, best of 3)")
    if len(readings) == 1:
        print("visible-text reading: not measured, this lumora-batch has no --visible-text")
    elif large:
        print(f"large page: the visible-text reading takes {large_times[1] / large_times[0]:.2f}"
              " times the classic one")


if __name__ == "__main__":
    main()
