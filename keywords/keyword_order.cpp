#include "keyword_order.h"

#include "common/ascii_case.h"
#include "text/utf8_char.h"

#include <algorithm>
#include <clocale>
#include <cwchar>
#include <cwctype>
#include <locale.h>
#include <vector>

namespace lumora::keywords {

namespace {

locale_t caseLocale() {
    static const locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
    return locale;
}

locale_t userCollation() {
    static const locale_t locale = newlocale(LC_COLLATE_MASK, "", nullptr);
    return locale;
}

} // namespace

std::u32string caseFoldKey(std::string_view utf8) {
    std::u32string key;
    key.reserve(utf8.size());
    const locale_t locale = caseLocale();
    for (size_t i = 0; i < utf8.size();) {
        const text::Utf8Char next = text::decodeUtf8At(utf8, i);
        i += next.length;
        char32_t cp = next.codePoint;
        if (cp < 0x80)
            cp = static_cast<unsigned char>(asciiLower(static_cast<char>(cp)));
        else if (locale)
            cp = static_cast<char32_t>(towlower_l(static_cast<wint_t>(cp), locale));
        key.push_back(cp);
    }
    return key;
}

bool keyLess(const std::u32string& a, const std::u32string& b) {
    if (const locale_t collation = userCollation()) {
        std::wstring wa(a.begin(), a.end());
        std::wstring wb(b.begin(), b.end());
        const int order = wcscoll_l(wa.c_str(), wb.c_str(), collation);
        if (order != 0)
            return order < 0;
    }
    return a < b;
}

bool KeywordSet::add(std::string_view word) {
    std::u32string key = caseFoldKey(word);
    if (!keys_.insert(key).second)
        return false;
    items_.push_back({std::move(key), std::string(word)});
    return true;
}

namespace {

// The collation's sort key: comparing two keys as plain wide strings orders them as
// the collation compares the words, so each word is transformed once, not at every
// comparison of the sort.
std::wstring collationKey(const std::u32string& key, locale_t collation) {
    const std::wstring wide(key.begin(), key.end());
    if (!collation)
        return {};
    const size_t length = wcsxfrm_l(nullptr, wide.c_str(), 0, collation);
    std::vector<wchar_t> transformed(length + 1);
    wcsxfrm_l(transformed.data(), wide.c_str(), transformed.size(), collation);
    return {transformed.data(), length};
}

} // namespace

std::vector<std::string> KeywordSet::sorted() const {
    struct Keyed {
        std::wstring collation;
        const Item* item;
    };
    const locale_t collation = userCollation();
    std::vector<Keyed> order;
    order.reserve(items_.size());
    for (const auto& item : items_)
        order.push_back({collationKey(item.key, collation), &item});
    std::sort(order.begin(), order.end(), [](const Keyed& a, const Keyed& b) {
        if (const int byCollation = a.collation.compare(b.collation))
            return byCollation < 0;
        return a.item->key < b.item->key;
    });
    std::vector<std::string> words;
    words.reserve(order.size());
    for (const Keyed& keyed : order)
        words.push_back(keyed.item->word);
    return words;
}

} // namespace lumora::keywords
