#include "setup/pages/gradient_bands.h"

#include <gtest/gtest.h>

namespace setupkit {
namespace {

TEST(MulDiv, RoundsHalvesAwayFromZero) {
    EXPECT_EQ(MulDiv(1, 3, 2), 2);
    EXPECT_EQ(MulDiv(-1, 3, 2), -2);
    EXPECT_EQ(MulDiv(1, -255, 100), -3);
    EXPECT_EQ(MulDiv(1, 254, 100), 3);
    EXPECT_EQ(MulDiv(2, 5, 4), 3);
    EXPECT_EQ(MulDiv(7, 768, 100), 54);
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

const RgbColor Blue{0, 0, 255};
const RgbColor Black{0, 0, 0};

TEST(GradientBands, OneGradationIsTheEndColourEverywhere) {
    const auto bands = gradientBands(Blue, Black, 1, 768);
    ASSERT_EQ(bands.size(), 1u);
    EXPECT_EQ(bands[0].top, 0);
    EXPECT_EQ(bands[0].bottom, 768);
    EXPECT_EQ(bands[0].color, Black);
}

TEST(GradientBands, HundredGradationsOnAScreenOf768Rows) {
    const auto bands = gradientBands(Blue, Black, 100, 768);
    ASSERT_EQ(bands.size(), 100u);
    int row = 0;
    for (size_t i = 0; i < bands.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(bands[i].top, row) << "bands follow each other without gaps";
        const int rows = bands[i].bottom - bands[i].top;
        EXPECT_TRUE(rows == 7 || rows == 8) << rows;
        // Blue falls by 2.55 per band, rounded half away from zero.
        EXPECT_EQ(bands[i].color.blue, 255 - (static_cast<int>(i + 1) * 255 * 2 + 100) / 200);
        row = bands[i].bottom;
    }
    EXPECT_EQ(row, 768);
    EXPECT_EQ(bands.front().color, (RgbColor{0, 0, 252})) << "one step from the start colour";
    EXPECT_EQ(bands.back().color, Black);
}

} // namespace
} // namespace setupkit
