#include "setup/pages/progress_bar_layout.h"

#include <gtest/gtest.h>

using namespace setupkit;

TEST(ProgressBarLayout, PercentRoundsHalvesToEven) {
    struct Case {
        int progress, maxValue;
        const char* text;
    };
    const Case cases[] = {
        {1, 8, "12%"},      {3, 8, "38%"},  {5, 8, "62%"},  {7, 40, "18%"}, // 17.5 -> 18
        {1, 40, "2%"},      {1, 3, "33%"},  {2, 3, "67%"},  {0, 100, "0%"},
        {100, 100, "100%"}, {1, 200, "0%"}, {3, 200, "2%"}, {0, 0, "0%"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(layoutProgressBar(c.progress, c.maxValue, 150, 24, 15).text, c.text)
            << c.progress << "/" << c.maxValue;
}

TEST(ProgressBarLayout, FilledAndEmptyPartsShareTheInside) {
    // 3 of 8 on a 315-pixel bar: 313 * 3 / 8 = 117.375.
    const ProgressBarLayout layout = layoutProgressBar(3, 8, 315, 21, 15);
    EXPECT_EQ(layout.filledWidth, 117);
    EXPECT_EQ(layout.filled, (BarRect{1, 1, 117, 19}));
    EXPECT_EQ(layout.empty, (BarRect{118, 1, 196, 19}));
    EXPECT_EQ(layout.textCentreX, 157);
    EXPECT_EQ(layout.textTop, (21 - 15) / 2 + 2);

    // 1 of 8 on 150: 148 / 8 = 18.5, the even neighbour is 18.
    EXPECT_EQ(layoutProgressBar(1, 8, 150, 24, 15).filledWidth, 18);
    // 3 of 8 on 150: 55.5 goes to 56.
    EXPECT_EQ(layoutProgressBar(3, 8, 150, 24, 15).filledWidth, 56);
}

TEST(ProgressBarLayout, EmptyMaximumShowsZeroOverAnEmptyBar) {
    const ProgressBarLayout layout = layoutProgressBar(0, 0, 150, 24, 15);
    EXPECT_EQ(layout.text, "0%");
    EXPECT_EQ(layout.filledWidth, 0);
    EXPECT_EQ(layout.empty, (BarRect{1, 1, 148, 22}));
}

TEST(ProgressBarLayout, Clamping) {
    EXPECT_EQ(clampProgress(150, 100), 100);
    EXPECT_EQ(clampProgress(-3, 100), 0);
    EXPECT_EQ(clampProgress(5, -10), 0);
    EXPECT_EQ(clampMaxValue(-10), 0);
    EXPECT_EQ(layoutProgressBar(100, 100, 150, 24, 15).filledWidth, 148);
}

TEST(ProgressBarLayout, RatioRoundingIsExactForLargeValues) {
    EXPECT_EQ(roundedRatioHalfEven(2'147'483'647LL * 100, 2'147'483'646LL), 100);
    EXPECT_EQ(roundedRatioHalfEven(5, 2), 2);
    EXPECT_EQ(roundedRatioHalfEven(7, 2), 4);
    EXPECT_EQ(roundedRatioHalfEven(-5, 2), -2);
    EXPECT_EQ(roundedRatioHalfEven(1, 0), 0);
}

TEST(ProgressBarLayout, CopiesPastTwoGigabytesShowTheirTrueShare) {
    constexpr std::int64_t GiB = std::int64_t{1} << 30;
    const ProgressBarLayout third = layoutProgressBar(2 * GiB, 6 * GiB, 302, 24, 15);
    EXPECT_EQ(third.text, "33%");
    EXPECT_EQ(third.filledWidth, 100);
    // Far past what any product multiplies safely.
    const ProgressBarLayout half = layoutProgressBar(GiB << 20, GiB << 21, 302, 24, 15);
    EXPECT_EQ(half.text, "50%");
    EXPECT_EQ(half.filledWidth, 150);
    EXPECT_EQ(clampProgress(7 * GiB, 6 * GiB), 6 * GiB);
}
