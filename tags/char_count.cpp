#include "char_count.h"

namespace lumora::tags {

size_t pageCharacterCount(const text::Lines& page) {
    if (page.empty())
        return 0;
    size_t count = 2 * (page.size() - 1);
    for (const auto& line : page)
        count += text::charCount(line);
    return count;
}

std::string charCountMessage(size_t count) {
    return "The text has " + std::to_string(count) + " characters";
}

} // namespace lumora::tags
