#pragma once
// The six ways a page's keywords meta tag is recognised, shared by the meta tag
// builder and the keyword-tag check so both see the same tags. All lower case:
// they are matched against the lower-cased line.

#include <array>
#include <string_view>

namespace lumora::tags {

inline constexpr std::array<std::string_view, 6> kKeywordTagForms = {
    "meta name=\"keywords", "meta name= \"keywords", "meta name = \"keywords",
    "meta name=keywords",   "meta name= keywords",   "meta name = keywords",
};

} // namespace lumora::tags
