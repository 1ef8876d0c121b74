#include "editor_positions.h"

#include "editor/page_editor.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace lumora::editor {

namespace {

// Characters (code points) in the first `units` UTF-16 units of `text`.
size_t charsInUnits(const QString& text, int units) {
    size_t chars = 0;
    for (int i = 0; i < units && i < text.size(); ++i)
        if (!text.at(i).isLowSurrogate())
            ++chars;
    return chars;
}

// UTF-16 units taken by the first `chars` characters of `text`.
int unitsForChars(const QString& text, size_t chars) {
    int i = 0;
    for (size_t seen = 0; i < text.size() && seen < chars; ++i) {
        if (text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        ++seen;
    }
    return i;
}

QString lineText(const PageEditor& editor, size_t line) {
    const text::Lines& lines = editor.lines();
    return line < lines.size() ? QString::fromStdString(lines[line]) : QString();
}

size_t toPageOffset(const PageEditor& editor, const PageOffsets& offsets, int position) {
    const auto [line, start] = editor.lineAt(position);
    const size_t column = charsInUnits(lineText(editor, line), position - start);
    return offsets.toOffset({line, column});
}

int toDocumentPosition(const PageEditor& editor, const PageOffsets& offsets, size_t offset) {
    if (offsets.lineCount() == 0)
        return 0;
    const LinePosition at = offsets.toLinePosition(offset);
    return editor.lineStart(at.line) + unitsForChars(lineText(editor, at.line), at.column);
}

} // namespace

Selection pageSelection(const PageEditor& editor) {
    const PageOffsets offsets(editor.lines());
    const QTextCursor cursor = editor.textCursor();
    const size_t start = toPageOffset(editor, offsets, cursor.selectionStart());
    const size_t end = toPageOffset(editor, offsets, cursor.selectionEnd());
    return {start, end - start};
}

void selectPageRange(PageEditor& editor, Selection selection) {
    const PageOffsets offsets(editor.lines());
    const int start = toDocumentPosition(editor, offsets, selection.start);
    const int end = toDocumentPosition(editor, offsets, selection.end());
    QTextCursor cursor(editor.document());
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    editor.setTextCursor(cursor);
}

void applyPageEdit(PageEditor& editor, const PageEdit& edit) {
    const PageOffsets offsets(editor.lines());
    const int start = toDocumentPosition(editor, offsets, edit.start);
    const int end = toDocumentPosition(editor, offsets, edit.start + edit.length);
    QString text = QString::fromStdString(edit.text);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    QTextCursor cursor(editor.document());
    cursor.beginEditBlock();
    cursor.setPosition(start);
    cursor.setPosition(end, QTextCursor::KeepAnchor);
    cursor.insertText(text);
    cursor.endEditBlock();
    editor.setTextCursor(cursor);
}

void showCaret(PageEditor& editor) {
    editor.setFocus();
    editor.ensureCursorVisible();
}

} // namespace lumora::editor
