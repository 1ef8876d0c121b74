// The HTML report on hostile pages and names: whatever a page or its file name holds,
// the report is UTF-8, no markup from them arrives as markup, links are plain
// percent-encoded paths, and a search-result cut keeps to its room.

#include "audit/html_escape.h"
#include "audit/html_report.h"
#include "audit/search_snippet.h"
#include "fuzz_check.h"
#include "text/page_codec.h"
#include "text/page_lines.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

using namespace lumora::audit;
using lumora::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input = lumora::fuzz::asText(data, size);
    // The first line names the page, the rest is its bytes.
    const size_t cut = std::min(input.find('\n'), input.size());
    const std::string name(input.substr(0, cut));
    const std::string_view bytes = input.substr(std::min(cut + 1, input.size()));

    const std::string escaped = htmlEscaped(name);
    require(lumora::text::isValidUtf8(escaped), "escaped text is not UTF-8");
    require(escaped.find_first_of("<>\"'") == std::string::npos, "markup survives escaping");
    require(std::none_of(escaped.begin(), escaped.end(),
                         [](char c) { return static_cast<unsigned char>(c) < 0x20; }),
            "a control character survives escaping");
    const std::string href = percentEncodedPath(name);
    require(href.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                   "0123456789-._~/%") == std::string::npos,
            "a link keeps a character it should encode");

    const std::vector<PageAudit> pages = {auditPage(bytes, name), auditPage(bytes, name)};
    const std::vector<std::string> links = {name, name};
    const LengthLimits limits;
    const std::string report = htmlReport({pages, links}, auditSite(pages, limits), limits);
    require(lumora::text::isValidUtf8(report), "the report is not UTF-8");
    std::string lowered = report;
    std::transform(lowered.begin(), lowered.end(), lowered.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    require(lowered.find("<script") == std::string::npos, "a script element arrives");
    require(lowered.find("<title") == lowered.rfind("<title"), "a second title element arrives");

    const std::string title = pages[0].title.text;
    for (const size_t room : {size_t{0}, size_t{10}, kResultTitleRoom}) {
        const SearchSnippet snippet = searchSnippet(title, room);
        const std::string kept =
            snippet.cut ? snippet.shown.substr(0, snippet.shown.size() - 3) : snippet.shown;
        require(lumora::text::charCount(kept) <= room, "a cut does not keep to its room");
        require(lumora::text::isValidUtf8(snippet.shown), "a cut splits a character");
    }
    return 0;
}
