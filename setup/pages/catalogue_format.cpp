#include "setup/pages/catalogue_format.h"

namespace setupkit {

std::string formatCatalogueText(std::string_view pattern,
                                std::initializer_list<std::string_view> values) {
    std::string out;
    out.reserve(pattern.size() + 64);
    auto next = values.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            const char kind = pattern[i + 1];
            if (kind == '%') {
                out += '%';
                ++i;
                continue;
            }
            if ((kind == 's' || kind == 'd') && next != values.end()) {
                out += *next++;
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

} // namespace setupkit
