#pragma once
// The flat progress bar's rules without a toolkit: clamping of its values, the
// percentage shown, and where the filled part, the empty part and the text go.

#include <cstdint>
#include <string>

namespace setupkit {

// Progress clamped to 0 .. maxValue; a maximum is never below 0. Values are 64-bit so
// that a bar counting the bytes of a copy over 2 GiB still shows the right share.
std::int64_t clampProgress(std::int64_t progress, std::int64_t maxValue);
std::int64_t clampMaxValue(std::int64_t maxValue);

// numerator / denominator rounded to the nearest integer, halves to the even
// neighbour; 0 when the denominator is not positive. Exact, not floating.
long long roundedRatioHalfEven(long long numerator, long long denominator);

// Rectangles as left, top, width, height.
struct BarRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const BarRect&) const = default;
};

struct ProgressBarLayout {
    int percent = 0;     // 0 .. 100
    std::string text;    // the percentage followed by a percent sign
    int filledWidth = 0; // x: pixels of the filled part inside the frame
    BarRect filled;      // from (1, 1) to (x + 1, H - 1)
    BarRect empty;       // from (x + 1, 1) to (W - 1, H - 1)
    int textCentreX = 0; // the text is centred on this column
    int textTop = 0;
};

// Layout of a bar of `width` by `height` pixels whose font's line height is
// `textHeight`, showing `progress` of `maxValue` (both already clamped).
ProgressBarLayout layoutProgressBar(std::int64_t progress, std::int64_t maxValue, int width,
                                    int height, int textHeight);

} // namespace setupkit
