#include "setup/form/extended_float.h"

#include <cmath>
#include <limits>

namespace setupkit::form {

namespace {

constexpr int kExponentBias = 16383;
constexpr std::uint16_t kMaxExponent = 0x7FFF;
constexpr std::uint64_t kIntegerBit = std::uint64_t{1} << 63;

std::array<std::uint8_t, 10> assemble(bool negative, std::uint16_t exponent,
                                      std::uint64_t mantissa) {
    std::array<std::uint8_t, 10> bytes{};
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<std::uint8_t>(mantissa >> (8 * i));
    const std::uint16_t top = static_cast<std::uint16_t>(exponent | (negative ? 0x8000 : 0));
    bytes[8] = static_cast<std::uint8_t>(top & 0xFF);
    bytes[9] = static_cast<std::uint8_t>(top >> 8);
    return bytes;
}

} // namespace

std::array<std::uint8_t, 10> packExtended(long double value) {
    const bool negative = std::signbit(value);
    if (std::isnan(value))
        return assemble(negative, kMaxExponent, kIntegerBit | (kIntegerBit >> 1));
    if (std::isinf(value))
        return assemble(negative, kMaxExponent, kIntegerBit);
    if (value == 0)
        return assemble(negative, 0, 0);
    int binaryExponent = 0;
    const long double fraction = std::frexp(std::fabs(value), &binaryExponent); // [0.5, 1)
    // The mantissa holds the fraction scaled to 64 bits; below 2^64, so it fits.
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 64));
    int exponent = binaryExponent - 1 + kExponentBias;
    if (exponent >= kMaxExponent)
        return assemble(negative, kMaxExponent, kIntegerBit);
    if (exponent <= 0) {
        // Subnormal: the integer bit goes and the mantissa shifts down.
        const int shift = 1 - exponent;
        mantissa = shift >= 64 ? 0 : mantissa >> shift;
        exponent = 0;
    }
    return assemble(negative, static_cast<std::uint16_t>(exponent), mantissa);
}

long double unpackExtended(const std::array<std::uint8_t, 10>& bytes) {
    std::uint64_t mantissa = 0;
    for (int i = 0; i < 8; ++i)
        mantissa |= static_cast<std::uint64_t>(bytes[i]) << (8 * i);
    const std::uint16_t top = static_cast<std::uint16_t>(bytes[8] | bytes[9] << 8);
    const bool negative = (top & 0x8000) != 0;
    const int exponent = top & kMaxExponent;
    long double magnitude = 0;
    if (exponent == kMaxExponent) {
        magnitude = (mantissa << 1) == 0 ? std::numeric_limits<long double>::infinity()
                                         : std::numeric_limits<long double>::quiet_NaN();
    } else {
        const int scale = (exponent == 0 ? 1 : exponent) - kExponentBias - 63;
        magnitude = std::ldexp(static_cast<long double>(mantissa), scale);
    }
    return negative ? -magnitude : magnitude;
}

} // namespace setupkit::form
