#include "keyword_tag_check.h"

#include "tags/keyword_tag_forms.h"
#include "text/ascii_case.h"

namespace lumora::tags {

std::optional<KeywordTagHit> findKeywordTag(const text::Lines& page) {
    // No form holds a line break, so a form lies within one line.
    for (const std::string_view form : kKeywordTagForms) {
        size_t lineOffset = 0;
        for (size_t line = 0; line < page.size(); ++line) {
            const std::string_view text = page[line];
            const size_t at = text::findFolded(text, form);
            if (at != std::string_view::npos) {
                const size_t column = text::charCount(text.substr(0, at));
                return KeywordTagHit{lineOffset + column, text::charCount(form), line, column};
            }
            lineOffset += text::charCount(text) + 2;
        }
    }
    return std::nullopt;
}

} // namespace lumora::tags
