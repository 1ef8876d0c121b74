// The visible-text reader against a full HTML5 parser: on pages written to trip a
// tag stripper up, both must find the same words in the same order.

#include "keywords/visible_text.h"

#include <gtest/gtest.h>
#include <gumbo.h>

#include <string>
#include <string_view>
#include <vector>

namespace {

using Words = std::vector<std::string>;

void addWords(std::string text, Words& words) {
    for (size_t at = text.find("\xc2\xa0"); at != std::string::npos; at = text.find("\xc2\xa0"))
        text.replace(at, 2, " ");
    size_t at = 0;
    while (at < text.size()) {
        const size_t start = text.find_first_not_of(" \t\n\r\f", at);
        if (start == std::string::npos)
            break;
        const size_t end = std::min(text.find_first_of(" \t\n\r\f", start), text.size());
        words.push_back(text.substr(start, end - start));
        at = end;
    }
}

bool breaksLine(GumboTag tag) {
    for (const GumboTag block :
         {GUMBO_TAG_HTML, GUMBO_TAG_HEAD, GUMBO_TAG_BODY, GUMBO_TAG_P, GUMBO_TAG_DIV, GUMBO_TAG_BR,
          GUMBO_TAG_UL, GUMBO_TAG_OL, GUMBO_TAG_LI, GUMBO_TAG_TABLE, GUMBO_TAG_TBODY, GUMBO_TAG_TR,
          GUMBO_TAG_TD, GUMBO_TAG_TH, GUMBO_TAG_H1, GUMBO_TAG_PRE})
        if (tag == block)
            return true;
    return false;
}

// The parser's tree, read as a visitor sees it. Text that touches across inline tags
// is one word, as it is on the screen.
void collect(const GumboNode* node, std::string& text) {
    if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE ||
        node->type == GUMBO_NODE_CDATA) {
        text += node->v.text.text;
        return;
    }
    if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_DOCUMENT)
        return;
    if (node->type == GUMBO_NODE_ELEMENT) {
        switch (node->v.element.tag) {
        case GUMBO_TAG_SCRIPT:
        case GUMBO_TAG_STYLE:
        case GUMBO_TAG_TITLE:
        case GUMBO_TAG_IFRAME:
        case GUMBO_TAG_NOEMBED:
        case GUMBO_TAG_NOFRAMES:
        case GUMBO_TAG_XMP:
            return;
        default:
            break;
        }
    }
    const bool breaks = node->type == GUMBO_NODE_ELEMENT && breaksLine(node->v.element.tag);
    if (breaks)
        text += ' ';
    const GumboVector& children =
        node->type == GUMBO_NODE_DOCUMENT ? node->v.document.children : node->v.element.children;
    for (unsigned i = 0; i < children.length; ++i)
        collect(static_cast<const GumboNode*>(children.data[i]), text);
    if (breaks)
        text += ' ';
}

Words parserWords(const std::string& page) {
    GumboOutput* output = gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size());
    std::string text;
    collect(output->document, text);
    gumbo_destroy_output(&kGumboDefaultOptions, output);
    Words words;
    addWords(text, words);
    return words;
}

Words readerWords(const std::string& page) {
    std::vector<std::string> lines;
    for (size_t at = 0; at <= page.size();) {
        const size_t end = std::min(page.find('\n', at), page.size());
        lines.push_back(page.substr(at, end - at));
        at = end + 1;
    }
    Words words;
    for (const auto& line : lumora::keywords::readVisibleText(lines).lines)
        addWords(line, words);
    return words;
}

} // namespace

TEST(VisibleTextAgainstParser, SameWordsOnPagesThatTripTagStrippersUp) {
    const char* pages[] = {
        "<!DOCTYPE html><html><head><title>t1</title><style>s1 { x: y }</style></head>"
        "<body><p>one <b>two</b>three</p></body></html>",
        "<p title=\"a > b\" data-x='<p>no'>quoted attributes</p><p class=x>unquoted</p>",
        "<P>Upper <B>case</B> tags<BR>and &AMP; &Amp; entities</P>",
        "<p>&copy2024 &notit; &notin; &amp &ampx &#x26; &#38 &#0; &#x110000; &#150; &#xD800;</p>",
        "<script>if (a < b && '</scr' + 'ipt>') {}</script>after script",
        "<!--> short <!---> shorter <!-- long -- still -->visible<![CDATA[cdata]]>text",
        "<div>one<div>two</div>three</div><ul><li>a<li>b</ul><table><tr><td>c<td>d</table>",
        "<textarea>area &amp; <b>not a tag</b></textarea><xmp><b>hidden</b></xmp>",
        "<p>stray < and > and &</p><p>a<b>b<i>c</b>d</i>e</p>",
        "<p>tab\tand\r\nnew line&nbsp;&nbsp;and&#160;spaces</p>",
        "<noframes>nf</noframes><iframe>if</iframe><noembed>ne</noembed>end",
        "<img alt=\"alt text\" src=x>after<input value=\"v\">image",
    };
    for (const char* page : pages)
        EXPECT_EQ(readerWords(page), parserWords(page)) << page;
}
