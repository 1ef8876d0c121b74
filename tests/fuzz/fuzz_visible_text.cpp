// A page's visible text: its lines hold single blanks between words and none at
// their ends, keyword lines keep their length, and the visible lines written back
// as paragraphs of escaped text read back the same.

#include "fuzz_check.h"
#include "keywords/visible_text.h"
#include "keywords/word_forms.h"
#include "text/page_codec.h"

#include <cstddef>
#include <cstdint>

using namespace lumora::keywords;
using lumora::fuzz::require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto page = lumora::text::decodePage(lumora::fuzz::asText(data, size));
    const VisibleText visible = readVisibleText(page.lines);

    std::vector<std::string> paragraphs;
    for (const std::string& line : visible.lines) {
        require(!line.empty() && line.front() != ' ' && line.back() != ' ',
                "a visible line is empty or has a blank at an end");
        require(line.find("  ") == std::string::npos && line.find('\n') == std::string::npos &&
                    line.find('\t') == std::string::npos,
                "white space in a visible line is not one blank");
        std::string kept = line;
        keepKeywordCharacters(kept);
        require(kept.size() == line.size(), "a keyword line changes its length");
        for (const char c : kept) {
            const auto u = static_cast<unsigned char>(c);
            require(u >= 0x80 || u == ' ' || u == '-' || u == '\'' || (u >= '0' && u <= '9') ||
                        ((u | 0x20) >= 'a' && (u | 0x20) <= 'z'),
                    "a keyword line keeps a character no keyword holds");
        }
        std::string escaped = "<p>";
        for (const char c : line)
            escaped += c == '&'   ? std::string("&amp;")
                       : c == '<' ? std::string("&lt;")
                                  : std::string(1, c);
        paragraphs.push_back(escaped + "</p>");
    }
    require(readVisibleText(paragraphs).lines == visible.lines,
            "visible lines written as paragraphs read back otherwise");
    return 0;
}
