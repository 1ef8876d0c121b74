#pragma once
// lumora-batch's manual page (--help) and the hint after a usage error.

#include <string_view>

namespace lumora::batch {

std::string_view helpText();
inline constexpr std::string_view kUsageHint = "Try 'lumora-batch --help' for more information.";

} // namespace lumora::batch
