#include "page_editor.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace lumora::editor {

PageEditor::PageEditor(QWidget* parent) : QPlainTextEdit(parent) {
    connect(document(), &QTextDocument::contentsChange, this, [this](int, int, int) {
        ++revision_;
        cacheValid_ = false;
    });
}

QString PageEditor::joined(const text::Lines& lines) {
    size_t bytes = 0;
    for (const auto& line : lines)
        bytes += line.size() + 1;
    std::string all;
    all.reserve(bytes);
    for (const auto& line : lines) {
        all += line;
        all += '\n';
    }
    return QString::fromUtf8(all.data(), static_cast<qsizetype>(all.size()));
}

const text::Lines& PageEditor::lines() const {
    if (!cacheValid_) {
        cache_.clear();
        const QTextDocument* doc = document();
        cache_.reserve(static_cast<size_t>(doc->blockCount()));
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
            const QByteArray utf8 = block.text().toUtf8();
            cache_.emplace_back(utf8.constData(), static_cast<size_t>(utf8.size()));
        }
        if (!cache_.empty() && cache_.back().empty())
            cache_.pop_back();
        cacheValid_ = true;
    }
    return cache_;
}

void PageEditor::setLines(const text::Lines& lines) {
    setPlainText(joined(lines));
    cache_ = lines;
    cacheValid_ = true;
}

void PageEditor::replaceAllLines(const text::Lines& lines) {
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(joined(lines));
    cursor.endEditBlock();
    cache_ = lines;
    cacheValid_ = true;
}

} // namespace lumora::editor
