#include "page_editor.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include <algorithm>

namespace lumora::editor {

namespace {

// Above this many characters changed at once (a paste, a replace-all), converting
// the whole page again costs no more than following the change.
constexpr int kFollowLimit = 1 << 16;

std::string utf8Of(const QTextBlock& block) {
    const QByteArray utf8 = block.text().toUtf8();
    return {utf8.constData(), static_cast<size_t>(utf8.size())};
}

} // namespace

PageEditor::PageEditor(QWidget* parent) : QPlainTextEdit(parent) {
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int charsRemoved, int charsAdded) {
                ++revision_;
                followChange(position, charsRemoved, charsAdded);
            });
}

void PageEditor::followChange(int position, int charsRemoved, int charsAdded) {
    if (!cacheValid_)
        return;
    cacheValid_ = false;
    if (charsRemoved + charsAdded > kFollowLimit)
        return;
    if (trailingDropped_) {
        cache_.emplace_back();
        trailingDropped_ = false;
    }
    // The blocks from the one holding the change's start to the one holding its end
    // replace as many old lines as make the block counts agree.
    const QTextDocument* doc = document();
    const int end = std::min(position + charsAdded, doc->characterCount() - 1);
    const QTextBlock first = doc->findBlock(position);
    const QTextBlock last = doc->findBlock(end);
    if (!first.isValid() || !last.isValid())
        return;
    const auto from = static_cast<size_t>(first.blockNumber());
    const auto newSpan = static_cast<size_t>(last.blockNumber() - first.blockNumber() + 1);
    const auto blocks = static_cast<size_t>(doc->blockCount());
    if (cache_.size() + newSpan < blocks)
        return;
    const size_t oldSpan = cache_.size() + newSpan - blocks;
    if (oldSpan == 0 || from + oldSpan > cache_.size())
        return;
    text::Lines fresh;
    fresh.reserve(newSpan);
    for (QTextBlock block = first;; block = block.next()) {
        fresh.push_back(utf8Of(block));
        if (block == last)
            break;
    }
    const auto at = cache_.begin() + static_cast<std::ptrdiff_t>(from);
    const size_t common = std::min(oldSpan, newSpan);
    std::move(fresh.begin(), fresh.begin() + static_cast<std::ptrdiff_t>(common), at);
    if (newSpan > oldSpan)
        cache_.insert(at + static_cast<std::ptrdiff_t>(common),
                      std::make_move_iterator(fresh.begin() + static_cast<std::ptrdiff_t>(common)),
                      std::make_move_iterator(fresh.end()));
    else
        cache_.erase(at + static_cast<std::ptrdiff_t>(common),
                     at + static_cast<std::ptrdiff_t>(oldSpan));
    cacheValid_ = true;
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
        for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
            cache_.push_back(utf8Of(block));
        trailingDropped_ = false;
        cacheValid_ = true;
    }
    if (!trailingDropped_ && !cache_.empty() && cache_.back().empty()) {
        cache_.pop_back();
        trailingDropped_ = true;
    }
    return cache_;
}

void PageEditor::setLines(const text::Lines& lines) {
    setPlainText(joined(lines));
    // The text ends in a line break, so its last block is the empty one left out.
    cache_ = lines;
    trailingDropped_ = true;
    cacheValid_ = true;
}

void PageEditor::replaceAllLines(const text::Lines& lines) {
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(joined(lines));
    cursor.endEditBlock();
    cache_ = lines;
    trailingDropped_ = true;
    cacheValid_ = true;
}

} // namespace lumora::editor
