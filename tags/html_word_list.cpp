#include "html_word_list.h"

#include <unordered_set>

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

bool isHtmlWord(std::string_view word) {
    static const std::unordered_set<std::string_view> words(kHtmlWordList.begin(),
                                                            kHtmlWordList.end());
    return words.contains(word);
}

} // namespace lumora::tags
