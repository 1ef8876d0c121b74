// The program's icon: made at build time from Lumora.ico, shown by the window and by
// the About box.
#include "../window_fixture.h"

#include "editor/about_box.h"

#include <QImageReader>
#include <QLabel>

namespace lumora::testing {
namespace {

QImage rgba(const QImage& image) {
    return image.convertToFormat(QImage::Format_ARGB32);
}

QImage at32(const QIcon& icon) {
    return rgba(icon.pixmap(QSize(32, 32), 1.0).toImage());
}

class ProgramIcon : public WindowTest {};

TEST_F(ProgramIcon, TheWindowAndTheAboutBoxShowTheImageOfLumoraIco) {
    QImageReader reader(QString::fromStdString((sourceDir() / "data/dist/Lumora.ico").string()));
    const QImage original = rgba(reader.read());
    ASSERT_FALSE(original.isNull()) << reader.errorString().toStdString();
    const QImage beside(QString::fromStdString((binDir() / "Lumora.png").string()));
    ASSERT_FALSE(beside.isNull()) << "no Lumora.png beside the programs";
    EXPECT_EQ(rgba(beside), original);
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QImage sized(QString::fromStdString(
            (binDir() / "icons/hicolor" / (std::to_string(size) + "x" + std::to_string(size)) /
             "apps/lumora.png")
                .string()));
        EXPECT_EQ(sized.size(), QSize(size, size));
    }

    startWindow();
    ASSERT_FALSE(form->windowIcon().isNull());
    EXPECT_EQ(at32(form->windowIcon()), original);
    const QImage shown = form->AboutBox->ProgramIcon->pixmap().toImage();
    EXPECT_EQ(rgba(shown), rgba(form->windowIcon().pixmap(32).toImage()))
        << "the About box shows another picture";
}

} // namespace
} // namespace lumora::testing
