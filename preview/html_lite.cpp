#include "preview/html_lite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QScrollBar>
#include <QTextDocument>
#include <QUrl>

namespace lumora::preview {

namespace {

// Metric-compatible and look-alike families first, so a machine without the fonts the
// page was designed with still lays it out nearly the same.
QFont requestedFont(const char* family, const QStringList& fallbacks, QFont::StyleHint hint) {
    QFont font;
    font.setFamilies(QStringList{QString::fromLatin1(family)} + fallbacks);
    font.setStyleHint(hint);
    return font;
}

QString fixedFontStyleSheet() {
    return QStringLiteral("pre, tt, code, kbd, samp, xmp, plaintext { font-family: '%1', "
                          "'Liberation Mono', 'Cousine', 'DejaVu Sans Mono', monospace; }")
        .arg(QString::fromLatin1(HtmlLite::kFixedFontFamily));
}

} // namespace

HtmlLite::HtmlLite(QWidget* parent) : QTextBrowser(parent) {
    setOpenLinks(false);
    setOpenExternalLinks(false);
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                            Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    document()->setDefaultFont(requestedFont(
        kDefaultFontFamily, {"Liberation Serif", "Tinos", "Times", "DejaVu Serif"}, QFont::Serif));
    document()->setDefaultStyleSheet(fixedFontStyleSheet());
    // The frame shows the focus without moving the page when the focus comes and goes.
    setStyleSheet(QStringLiteral("QTextBrowser { border: 1px solid transparent; }"
                                 "QTextBrowser:focus { border: 1px solid palette(highlight); }"));
    connect(this, &QTextBrowser::anchorClicked, this, &HtmlLite::followLink);
}

void HtmlLite::setBaseFolder(const QString& folder) {
    baseFolder_ = folder;
    // Whatever the document resolves without asking us stays inside the page's folder.
    document()->setBaseUrl(
        folder.isEmpty() ? QUrl()
                         : QUrl::fromLocalFile(QDir(folder).absolutePath() + QLatin1Char('/')));
}

void HtmlLite::loadUtf8Lines(const std::vector<std::string>& utf8Lines) {
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(utf8Lines.size()));
    for (const std::string& line : utf8Lines)
        lines.append(QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size())));
    loadLines(lines);
}

void HtmlLite::loadLines(const QStringList& lines) {
    const QUrl base = document()->baseUrl();
    setHtml(lines.join(QLatin1Char('\n')));
    document()->setBaseUrl(base);
    clearHistory();
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
    horizontalScrollBar()->setValue(0);
}

void HtmlLite::clearPage() {
    const QUrl base = document()->baseUrl();
    clear();
    document()->setBaseUrl(base);
    clearHistory();
}

QString HtmlLite::localPathFor(const QUrl& reference) const {
    if (reference.isLocalFile())
        return QDir::cleanPath(reference.toLocalFile());
    if (!reference.scheme().isEmpty())
        return {};
    QString path = reference.path(QUrl::FullyDecoded);
    if (path.isEmpty())
        return {};
    // Pages written on Windows often separate folders with backslashes.
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (QDir::isAbsolutePath(path))
        return QDir::cleanPath(path);
    if (baseFolder_.isEmpty())
        return {};
    return QDir::cleanPath(QDir(baseFolder_).absoluteFilePath(path));
}

QVariant HtmlLite::loadResource(int type, const QUrl& name) {
    if (type != QTextDocument::ImageResource && type != QTextDocument::StyleSheetResource)
        return {};
    const QString path = localPathFor(name);
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

void HtmlLite::followLink(const QUrl& link) {
    // Only a jump within the page is followed; every other link leaves the page shown.
    const bool withinPage = link.scheme().isEmpty() && link.path().isEmpty() && link.hasFragment();
    if (withinPage)
        scrollToAnchor(link.fragment(QUrl::FullyDecoded));
}

} // namespace lumora::preview
