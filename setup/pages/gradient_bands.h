#pragma once
// The background's colour gradient as bands: which rows each band covers and its
// colour, with the rounding the painted installer background has always used.

#include <vector>

namespace setupkit {

// a * b / c rounded to the nearest integer, halves away from zero; -1 when c is 0.
int MulDiv(int a, int b, int c);

struct RgbColor {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const RgbColor&) const = default;
};

struct GradientBand {
    int top = 0;    // first row
    int bottom = 0; // one past the last row
    RgbColor color;
};

// `gradations` bands (at least 1) over `height` rows. Band i (1-based) covers rows
// MulDiv(i - 1, height, gradations) to MulDiv(i, height, gradations) and has the
// colour start + MulDiv(i, end - start, gradations) per channel: the first band is
// one step from `start`, the last is exactly `end`.
std::vector<GradientBand> gradientBands(RgbColor start, RgbColor end, int gradations, int height);

} // namespace setupkit
