#pragma once
// The faces the programs' screens were laid out for, and the installed faces that
// stand in for them. The stand-ins share their widths (fonts-liberation2), so every
// caption fits the rectangle it was given; a face picked by the user passes as it is.

#include <string>
#include <string_view>

namespace lumora::platform {

// The host face to draw `family` with: "MS Sans Serif" and "Arial" become
// "Liberation Sans", "Times New Roman" "Liberation Serif", "Courier New" "Liberation
// Mono" (case ignored); any other name comes back unchanged.
std::string hostFontFamily(std::string_view family);

} // namespace lumora::platform
