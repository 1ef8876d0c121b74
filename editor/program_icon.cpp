#include "program_icon.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace lumora::editor {

QIcon programIcon() {
    const QDir folder(QCoreApplication::applicationDirPath());
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString sized =
            folder.filePath(QStringLiteral("icons/hicolor/%1x%1/apps/lumora.png").arg(size));
        if (QFileInfo::exists(sized))
            icon.addFile(sized, QSize(size, size));
    }
    const QString beside = folder.filePath(QStringLiteral("Lumora.png"));
    if (icon.isNull() && QFileInfo::exists(beside))
        icon.addFile(beside);
    // Installed from the package: the theme's copy.
    if (icon.isNull())
        icon = QIcon::fromTheme(QStringLiteral("lumora"));
    return icon;
}

} // namespace lumora::editor
