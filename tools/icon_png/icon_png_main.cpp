// lumora_icon_png: turns the program's .ico into the PNG images a desktop looks for.
//
//   lumora_icon_png <icon.ico> <output folder> <name>
//
// writes <output folder>/icons/hicolor/<N>x<N>/apps/<name lower-cased>.png for each
// size a desktop looks for (an image the icon lacks is scaled smoothly from the nearest
// larger one, or from the largest when none is larger), and <output folder>/<name>.png,
// the largest image, which ships beside the program.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>

#include <cstdio>
#include <vector>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "lumora_icon_png: %s\n", qPrintable(message));
    return 1;
}

bool writePng(const QImage& image, const QString& path) {
    return QDir().mkpath(QFileInfo(path).path()) && image.save(path, "PNG");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    if (arguments.size() != 4)
        return fail(QStringLiteral("usage: lumora_icon_png <icon.ico> <output folder> <name>"));
    const QString& source = arguments[1];
    const QDir output(arguments[2]);
    const QString& name = arguments[3];

    QImageReader reader(source, "ico");
    std::vector<QImage> images;
    const int count = std::max(1, reader.imageCount());
    for (int i = 0; i < count; ++i) {
        if (i > 0 && !reader.jumpToImage(i))
            break;
        QImage image = reader.read();
        if (!image.isNull())
            images.push_back(image.convertToFormat(QImage::Format_ARGB32));
    }
    if (images.empty())
        return fail(QStringLiteral("cannot read %1: %2").arg(source, reader.errorString()));

    const QImage* largest = &images.front();
    for (const QImage& image : images)
        if (image.width() > largest->width())
            largest = &image;
    if (!writePng(*largest, output.filePath(name + QStringLiteral(".png"))))
        return fail(QStringLiteral("cannot write %1.png").arg(name));

    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        // The smallest image at least this large keeps the most of its drawing.
        const QImage* from = largest;
        for (const QImage& image : images)
            if (image.width() >= size && image.width() < from->width())
                from = &image;
        const QImage scaled = from->width() == size ? *from
                                                    : from->scaled(size, size, Qt::KeepAspectRatio,
                                                                   Qt::SmoothTransformation);
        const QString path = output.filePath(
            QStringLiteral("icons/hicolor/%1x%1/apps/%2.png").arg(size).arg(name.toLower()));
        if (!writePng(scaled, path))
            return fail(QStringLiteral("cannot write %1").arg(path));
    }
    return 0;
}
