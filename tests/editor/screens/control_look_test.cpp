// How the window's coloured controls look as drawn: a disabled button must not keep
// its bright caption, and the sensitivity readout must stand out from its group.
#include "../window_fixture.h"

#include <QImage>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <cmath>
#include <map>

namespace lumora::testing {
namespace {

double luminance(QRgb pixel) {
    auto channel = [](int value) {
        const double c = value / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(qRed(pixel)) + 0.7152 * channel(qGreen(pixel)) +
           0.0722 * channel(qBlue(pixel));
}

double contrast(QRgb a, QRgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QImage drawn(QWidget* widget) {
    return widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// Pixels of a bright, saturated red, the coloured buttons' caption colour.
int brightRedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb pixel = image.pixel(x, y);
            if (qRed(pixel) > 180 && qGreen(pixel) < 90 && qBlue(pixel) < 90)
                ++count;
        }
    return count;
}

// The most common colour (the face) and the one that differs most from it (the text).
std::pair<QRgb, QRgb> faceAndInk(const QImage& image) {
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb face = 0;
    int most = 0;
    for (const auto& [colour, count] : counts)
        if (count > most) {
            most = count;
            face = colour;
        }
    QRgb ink = face;
    for (const auto& [colour, count] : counts)
        if (contrast(colour, face) > contrast(ink, face))
            ink = colour;
    return {face, ink};
}

class ControlLook : public WindowTest {
protected:
    void SetUp() override {
        startWindow();
        form->show();
    }
};

TEST_F(ControlLook, ColouredButtonsLoseTheirBrightCaptionWhenDisabled) {
    // At start the preview is on and FULL AUTO GO ! cannot run.
    ASSERT_FALSE(form->BitBtn1FullAuto->isEnabled());
    EXPECT_EQ(brightRedPixels(drawn(form->BitBtn1FullAuto)), 0) << "looks ready while disabled";
    form->PreviewOff1->trigger();
    ASSERT_TRUE(form->BitBtn1FullAuto->isEnabled());
    EXPECT_GT(brightRedPixels(drawn(form->BitBtn1FullAuto)), 0) << "caption colour lost";

    form->RadioB_NOauto->click();
    QAbstractButton* deleteButton = form->SpeedButt_delete;
    ASSERT_TRUE(deleteButton->isEnabled());
    EXPECT_GT(brightRedPixels(drawn(deleteButton)), 0);
    deleteButton->setEnabled(false);
    EXPECT_EQ(brightRedPixels(drawn(deleteButton)), 0);
}

TEST_F(ControlLook, TheSensitivityReadoutHasTheContrastOfBodyText) {
    for (const int position : {0, 5, 25}) {
        form->TrackBar1->setValue(position);
        ASSERT_EQ(form->Label2->text(), QStringLiteral("Sensitivity %1").arg(position));
        const auto [face, ink] = faceAndInk(drawn(form->Label2));
        EXPECT_GE(contrast(face, ink), 4.5) << "ink " << QColor(ink).name().toStdString() << " on "
                                            << QColor(face).name().toStdString();
    }
}

} // namespace
} // namespace lumora::testing
