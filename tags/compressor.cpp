#include "compressor.h"

namespace lumora::tags {

namespace {

bool isTrailingBlank(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

} // namespace

bool compressPage(text::Lines& page) {
    bool changed = false;
    size_t kept = 0;
    for (size_t i = 0; i < page.size(); ++i) {
        std::string& line = page[i];
        size_t end = line.size();
        while (end > 0 && isTrailingBlank(line[end - 1]))
            --end;
        if (end != line.size()) {
            line.resize(end);
            changed = true;
        }
        if (line.empty()) {
            changed = true;
            continue;
        }
        if (kept != i)
            page[kept] = std::move(line);
        ++kept;
    }
    page.resize(kept);
    return changed;
}

} // namespace lumora::tags
