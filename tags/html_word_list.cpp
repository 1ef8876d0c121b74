#include "html_word_list.h"

#include <algorithm>

namespace lumora::tags {

const std::array<std::string_view, 100> kHtmlWordList = {
    "description", "title",  "content", "meta",     "name",
    "htm",         "html",   "head",    "click",    "index",
    "spacing",     "alink",  "roman",   "times",    "cellpadding",
    "cellspacing", "vlink",  "ccffff",  "nobr",     "href",
    "nbsp",        "width",  "height",  "border",   "align",
    "center",      "img",    "src",     "alt",      "body",
    "left",        "right",  "font",    "size",     "color",
    "bgcolor",     "http",   "rowspan", "target",   "table",
    "cgi",         "bin",    "valign",  "top",      "code",
    ".com",        ".htm",   ".html",   "rget",     "ffffff",
    "arial",       "face",   "span",    "colspan",  "ffff",
    "www.",        "column", "column.", "columns.", "columns",
    "p",           "h",      "b",       "ff",       "br",
    "td",          "u",      "big",     "bytes",    "strong",
    "a",           "i",      " a ",     "return",   "tr",
    "ffa",         "li",     "gif",     "jpg",      "quot",
    "amp",         "black",  "red",     "hr",       "area",
    "shape",       "rect",   "coords",  "hspace",   "vspace",
    "ul",          "cgi?id", "com",     "www",      "basefontsize",
    "vspace",      "vspace", "vspace",  "vspace",   "vspace",
};

namespace {

// Sorted copy for lookups; the list itself keeps its documented order.
struct SortedWords {
    std::array<std::string_view, 100> words = kHtmlWordList;
    SortedWords() { std::sort(words.begin(), words.end()); }
};

} // namespace

bool isHtmlWord(std::string_view word) {
    static const SortedWords sorted;
    return std::binary_search(sorted.words.begin(), sorted.words.end(), word);
}

} // namespace lumora::tags
