#include "setup/pages/vel_progress_bar.h"

#include <QImage>
#include <gtest/gtest.h>

#include <limits>

using namespace setupkit;

namespace {

QImage render(TVelProgressBar& bar) {
    return bar.grab().toImage();
}

} // namespace

TEST(TVelProgressBar, DefaultsAndClamping) {
    TVelProgressBar bar;
    EXPECT_EQ(bar.size(), QSize(150, 24));
    EXPECT_EQ(bar.MaxValue(), 100);
    EXPECT_EQ(bar.Progress(), 48);
    EXPECT_EQ(bar.BackColor(), QColor(255, 255, 255));

    bar.setProgress(150);
    EXPECT_EQ(bar.Progress(), 100);
    EXPECT_EQ(bar.text(), "100%");
    bar.setProgress(-1);
    EXPECT_EQ(bar.Progress(), 0);

    bar.setProgress(80);
    bar.setMaxValue(50); // lowering the maximum lowers the progress with it
    EXPECT_EQ(bar.Progress(), 50);
    bar.setMaxValue(-4);
    EXPECT_EQ(bar.MaxValue(), 0);
    EXPECT_EQ(bar.Progress(), 0);
    EXPECT_EQ(bar.text(), "0%");

    bar.setMaxValue(8);
    bar.setProgress(1);
    EXPECT_EQ(bar.text(), "12%");
    bar.addProgress(2);
    EXPECT_EQ(bar.text(), "38%");
    bar.addProgress(1'000'000);
    EXPECT_EQ(bar.Progress(), 8);

    // A copy of 5 GB: the bar counts its bytes without wrapping.
    bar.setMaxValue(5'000'000'000);
    bar.setProgress(0);
    bar.addProgress(3'000'000'000);
    EXPECT_EQ(bar.text(), "60%");
    bar.addProgress(std::numeric_limits<std::int64_t>::max());
    EXPECT_EQ(bar.Progress(), 5'000'000'000);
}

TEST(TVelProgressBar, PaintsBarEmptyPartAndFrame) {
    TVelProgressBar bar;
    bar.resize(315, 21);
    bar.setBarColor(QColor(0, 0, 128));
    bar.setBackColor(QColor(255, 255, 255));
    bar.setMaxValue(100);

    bar.setProgress(0);
    QImage image = render(bar);
    EXPECT_EQ(image.pixelColor(10, 10), QColor(255, 255, 255));
    EXPECT_EQ(image.pixelColor(0, 0), bar.palette().color(QPalette::WindowText));
    EXPECT_EQ(image.pixelColor(314, 20), bar.palette().color(QPalette::WindowText));

    bar.setProgress(100);
    image = render(bar);
    EXPECT_EQ(image.pixelColor(10, 10), QColor(0, 0, 128));
    EXPECT_EQ(image.pixelColor(313, 10), QColor(0, 0, 128));

    // Half way: the left end is bar, the right end is empty.
    bar.setProgress(50);
    image = render(bar);
    EXPECT_EQ(image.pixelColor(10, 10), QColor(0, 0, 128));
    EXPECT_EQ(image.pixelColor(300, 10), QColor(255, 255, 255));
}

TEST(TVelProgressBar, TextTakesTheOtherPartsColour) {
    TVelProgressBar bar;
    bar.resize(315, 21);
    bar.setBarColor(QColor(0, 0, 255));
    bar.setBackColor(QColor(255, 255, 255));
    bar.setMaxValue(100);

    // Full bar: the text's pixels are in the empty part's colour, never the bar's alone.
    bar.setProgress(100);
    QImage image = render(bar);
    bool textOverBar = false;
    for (int x = 140; x < 175; ++x)
        for (int y = 1; y < 20; ++y)
            textOverBar |= image.pixelColor(x, y) != QColor(0, 0, 255);
    EXPECT_TRUE(textOverBar);

    // Empty bar: the text is drawn in the bar's colour over white.
    bar.setProgress(0);
    image = render(bar);
    bool textOverEmpty = false;
    for (int x = 140; x < 175; ++x)
        for (int y = 1; y < 20; ++y)
            textOverEmpty |= image.pixelColor(x, y) != QColor(255, 255, 255);
    EXPECT_TRUE(textOverEmpty);
}
