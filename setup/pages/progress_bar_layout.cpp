#include "setup/pages/progress_bar_layout.h"

#include <algorithm>

namespace setupkit {

std::int64_t clampMaxValue(std::int64_t maxValue) {
    return std::max<std::int64_t>(maxValue, 0);
}

std::int64_t clampProgress(std::int64_t progress, std::int64_t maxValue) {
    return std::clamp<std::int64_t>(progress, 0, clampMaxValue(maxValue));
}

long long roundedRatioHalfEven(long long numerator, long long denominator) {
    if (denominator <= 0)
        return 0;
    long long quotient = numerator / denominator;
    long long remainder = numerator % denominator;
    if (remainder < 0) { // floor division for negative numerators
        --quotient;
        remainder += denominator;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

ProgressBarLayout layoutProgressBar(std::int64_t progress, std::int64_t maxValue, int width,
                                    int height, int textHeight) {
    // Both are brought under 2^40 together, so that the products below cannot overflow;
    // the share they describe stays the same to far below a pixel or a percent.
    while (maxValue >= (std::int64_t{1} << 40)) {
        progress >>= 1;
        maxValue >>= 1;
    }
    ProgressBarLayout layout;
    layout.percent = static_cast<int>(roundedRatioHalfEven(100LL * progress, maxValue));
    layout.text = std::to_string(layout.percent) + "%";
    const int inner = std::max(width - 2, 0);
    layout.filledWidth = static_cast<int>(
        std::clamp<long long>(roundedRatioHalfEven(1LL * progress * inner, maxValue), 0, inner));
    const int innerHeight = std::max(height - 2, 0);
    layout.filled = {1, 1, layout.filledWidth, innerHeight};
    layout.empty = {layout.filledWidth + 1, 1, inner - layout.filledWidth, innerHeight};
    layout.textCentreX = width / 2;
    layout.textTop = (height - textHeight) / 2 + 2;
    return layout;
}

} // namespace setupkit
