#pragma once
// Floating-point values of the component stream: 10 bytes, the 80-bit extended format
// (64-bit mantissa with its integer bit, 15-bit exponent, sign), little-endian. Converted
// by arithmetic so that a host whose long double has another layout reads the same bytes.

#include <array>
#include <cstdint>

namespace setupkit::form {

std::array<std::uint8_t, 10> packExtended(long double value);
long double unpackExtended(const std::array<std::uint8_t, 10>& bytes);

} // namespace setupkit::form
