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

std::string utf8Of(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return {utf8.constData(), static_cast<size_t>(utf8.size())};
}

std::string utf8Of(const QTextBlock& block) {
    return utf8Of(block.text());
}

bool endsParagraph(QChar c) {
    return c == QChar::ParagraphSeparator || c == QChar(0xFDD0) || c == QChar(0xFDD1);
}

} // namespace

PageEditor::PageEditor(QWidget* parent) : QPlainTextEdit(parent) {
    connect(document(), &QTextDocument::contentsChange, this,
            [this](int position, int charsRemoved, int charsAdded) {
                // Emptying the control when the page leaves it is no change of the page.
                if (linesOnly_)
                    return;
                ++revision_;
                const bool hadInlineBreaks = !inlineBreaks_.empty();
                moveInlineBreaks(position, charsRemoved, charsAdded);
                followUndoHistory();
                // Lines and paragraphs are not one to one: the page is read afresh.
                if (hadInlineBreaks || !inlineBreaks_.empty())
                    cacheValid_ = false;
                else
                    followChange(position, charsRemoved, charsAdded);
                emit pageChanged();
            });
}

bool PageEditor::hasUndoHistory() const {
    return !linesOnly_ && (document()->isUndoAvailable() || document()->isRedoAvailable());
}

void PageEditor::keepPageAsLinesOnly() {
    if (linesOnly_)
        return;
    lines(); // the cache holds the page from here on
    linesOnly_ = true;
    inlineBreaks_.clear();
    breakHistory_.clear();
    lineBlocks_.clear();
    document()->clear();
    document()->setUndoRedoEnabled(false);
}

void PageEditor::setLinesOnly(text::Lines lines) {
    cache_ = std::move(lines);
    cacheValid_ = true;
    trailingDropped_ = true;
    ++revision_;
    emit pageChanged();
}

void PageEditor::noteInlineBreaks(const QString& text) {
    inlineBreaks_.clear();
    // Every paragraph end is at or above U+2029, which a page's text seldom reaches.
    const QChar* const data = text.constData();
    for (qsizetype i = 0; i < text.size(); ++i)
        if (data[i].unicode() >= QChar::ParagraphSeparator && endsParagraph(data[i]))
            inlineBreaks_.push_back({static_cast<int>(i), data[i].unicode()});
}

// Breaks inside the replaced stretch go with it; those after it move with the text.
// A paragraph end typed or pasted in is a line break.
void PageEditor::moveInlineBreaks(int position, int charsRemoved, int charsAdded) {
    if (inlineBreaks_.empty())
        return;
    const int end = position + charsRemoved;
    std::erase_if(inlineBreaks_,
                  [&](const InlineBreak& b) { return b.position >= position && b.position < end; });
    for (InlineBreak& b : inlineBreaks_)
        if (b.position >= end)
            b.position += charsAdded - charsRemoved;
}

void PageEditor::followUndoHistory() {
    const int undo = document()->availableUndoSteps();
    const int redo = document()->availableRedoSteps();
    const bool undone = undo < undoSteps_ && redo > redoSteps_;
    const bool redone = undo > undoSteps_ && redo < redoSteps_;
    if ((undone || redone) && static_cast<size_t>(undo) < breakHistory_.size()) {
        inlineBreaks_ = breakHistory_[static_cast<size_t>(undo)];
        undoSteps_ = undo;
        redoSteps_ = redo;
        return;
    }
    rememberInlineBreaks();
}

void PageEditor::rememberInlineBreaks() {
    undoSteps_ = document()->availableUndoSteps();
    redoSteps_ = document()->availableRedoSteps();
    breakHistory_.resize(static_cast<size_t>(undoSteps_) + 1);
    breakHistory_.back() = inlineBreaks_;
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
        lineBlocks_.clear();
        const QTextDocument* doc = document();
        cache_.reserve(static_cast<size_t>(doc->blockCount()));
        if (inlineBreaks_.empty()) {
            for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
                cache_.push_back(utf8Of(block));
        } else {
            auto next = inlineBreaks_.begin();
            QString line;
            bool lineBegins = true;
            for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
                if (lineBegins)
                    lineBlocks_.push_back(block.blockNumber());
                lineBegins = false;
                line += block.text();
                const int end = block.position() + block.length() - 1;
                if (next != inlineBreaks_.end() && next->position == end) {
                    line += QChar(next->character);
                    ++next;
                    continue;
                }
                cache_.push_back(utf8Of(line));
                line.clear();
                lineBegins = true;
            }
        }
        trailingDropped_ = false;
        cacheValid_ = true;
    }
    if (!trailingDropped_ && !cache_.empty() && cache_.back().empty()) {
        cache_.pop_back();
        trailingDropped_ = true;
    }
    return cache_;
}

void PageEditor::setLines(text::Lines lines) {
    if (linesOnly_) {
        setLinesOnly(std::move(lines));
        return;
    }
    inlineBreaks_.clear();
    const QString text = joined(lines);
    setPlainText(text);
    noteInlineBreaks(text);
    rememberInlineBreaks();
    // The text ends in a line break, so its last block is the empty one left out.
    cache_ = std::move(lines);
    trailingDropped_ = true;
    // With inline breaks the first lines() call maps lines to paragraphs.
    cacheValid_ = inlineBreaks_.empty();
}

void PageEditor::replaceAllLines(text::Lines lines) {
    if (linesOnly_) {
        setLinesOnly(std::move(lines));
        return;
    }
    inlineBreaks_.clear();
    const QString text = joined(lines);
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.select(QTextCursor::Document);
    cursor.insertText(text);
    cursor.endEditBlock();
    noteInlineBreaks(text);
    rememberInlineBreaks();
    cache_ = std::move(lines);
    trailingDropped_ = true;
    cacheValid_ = inlineBreaks_.empty();
}

int PageEditor::lineStart(size_t line) const {
    const QTextDocument* doc = document();
    lines();
    int blockNumber = static_cast<int>(line);
    if (!inlineBreaks_.empty()) {
        if (line >= lineBlocks_.size())
            return doc->lastBlock().position();
        blockNumber = lineBlocks_[line];
    }
    const QTextBlock block = doc->findBlockByNumber(blockNumber);
    return block.isValid() ? block.position() : doc->lastBlock().position();
}

std::pair<size_t, int> PageEditor::lineAt(int position) const {
    const QTextDocument* doc = document();
    QTextBlock block = doc->findBlock(position);
    if (!block.isValid())
        block = doc->lastBlock();
    lines();
    if (inlineBreaks_.empty())
        return {static_cast<size_t>(block.blockNumber()), block.position()};
    const auto after =
        std::upper_bound(lineBlocks_.begin(), lineBlocks_.end(), block.blockNumber());
    const auto line = static_cast<size_t>(after - lineBlocks_.begin()) - 1;
    return {line, doc->findBlockByNumber(lineBlocks_[line]).position()};
}

} // namespace lumora::editor
