#include "setup/pages/gradient_bands.h"

#include <cstdint>
#include <cstdlib>

namespace setupkit {

int MulDiv(int a, int b, int c) {
    if (c == 0)
        return -1;
    const std::int64_t product = static_cast<std::int64_t>(a) * b;
    std::int64_t quotient = product / c;
    const std::int64_t remainder = product % c;
    if (2 * std::llabs(remainder) >= std::llabs(static_cast<std::int64_t>(c)))
        quotient += ((product < 0) != (c < 0)) ? -1 : 1;
    return static_cast<int>(quotient);
}

std::vector<GradientBand> gradientBands(RgbColor start, RgbColor end, int gradations, int height) {
    std::vector<GradientBand> bands;
    if (gradations < 1)
        return bands;
    bands.reserve(static_cast<size_t>(gradations));
    const int dr = end.red - start.red;
    const int dg = end.green - start.green;
    const int db = end.blue - start.blue;
    for (int i = 1; i <= gradations; ++i) {
        GradientBand band;
        band.top = MulDiv(i - 1, height, gradations);
        band.bottom = MulDiv(i, height, gradations);
        band.color = {start.red + MulDiv(i, dr, gradations),
                      start.green + MulDiv(i, dg, gradations),
                      start.blue + MulDiv(i, db, gradations)};
        bands.push_back(band);
    }
    return bands;
}

} // namespace setupkit
