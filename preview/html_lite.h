#pragma once
// The page preview: renders the editor's lines as one HTML document in place of the
// editor. It stays on the page it was given: links never navigate away, nothing is
// kept in a history, and pictures and style sheets are read from the page's folder.

#include <QStringList>
#include <QTextBrowser>

#include <string>
#include <vector>

namespace lumora::preview {

class HtmlLite : public QTextBrowser {
    Q_OBJECT

public:
    // The fonts asked for; the nearest installed ones stand in when they are missing.
    static constexpr const char* kDefaultFontFamily = "Times New Roman";
    static constexpr const char* kFixedFontFamily = "Courier New";

    explicit HtmlLite(QWidget* parent = nullptr);

    // The folder of the page: relative picture and style-sheet references are read from
    // here. Empty until set.
    void setBaseFolder(const QString& folder);
    QString baseFolder() const { return baseFolder_; }

    // Parses the lines as one HTML document and shows it from the top.
    void loadUtf8Lines(const std::vector<std::string>& lines);
    void loadLines(const QStringList& lines);

    // Empties the viewer.
    void clearPage();

    // The local file a reference in the page names: relative references (with either
    // slash) against the base folder, file URLs and absolute paths as they are. Empty for
    // remote addresses and for references without a path.
    QString localPathFor(const QUrl& reference) const;

    QVariant loadResource(int type, const QUrl& name) override;

private:
    void followLink(const QUrl& link);

    QString baseFolder_;
};

} // namespace lumora::preview
