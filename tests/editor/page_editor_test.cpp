#include "editor/page_editor.h"

#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <random>

namespace lumora::editor {
namespace {

// The lines as a full conversion of the text gives them, the reference for the cache.
text::Lines convertedWhole(const PageEditor& editor) {
    text::Lines lines;
    const QStringList blocks = editor.toPlainText().split(QChar('\n'));
    for (const QString& block : blocks)
        lines.push_back(block.toStdString());
    if (!lines.empty() && lines.back().empty())
        lines.pop_back();
    return lines;
}

void select(QTextCursor& cursor, int from, int to) {
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
}

TEST(PageEditor, EditsKeepTheLinesEqualToTheWholeText) {
    PageEditor editor;
    editor.setLines({"<html>", "<head>", "", "<title>Garden</title>", "caf\xc3\xa9 roses", ""});
    ASSERT_EQ(editor.lines(), convertedWhole(editor));

    // Typing, Enter, Backspace over a line break, deletions across lines, pasted
    // blocks of lines, changes at the very start and end, undo and redo.
    const QStringList pieces = {"x", "\n", "ab\ncd", "\n\n", "\xc3\xa9t\xc3\xa9", "", "line\n"};
    std::mt19937 random(7);
    QTextCursor cursor(editor.document());
    for (int step = 0; step < 600; ++step) {
        const int length = editor.document()->characterCount() - 1;
        const int from = static_cast<int>(random() % static_cast<unsigned>(length + 1));
        const int to = std::min(length, from + static_cast<int>(random() % 12));
        switch (random() % 5) {
        case 0:
        case 1:
            select(cursor, from, from);
            cursor.insertText(pieces[static_cast<int>(random() % pieces.size())]);
            break;
        case 2:
            select(cursor, from, to);
            cursor.insertText(pieces[static_cast<int>(random() % pieces.size())]);
            break;
        case 3:
            select(cursor, from, to);
            cursor.removeSelectedText();
            break;
        case 4:
            if (random() % 2)
                editor.document()->undo();
            else
                editor.document()->redo();
            break;
        }
        // Asked only now and then, so that several edits pile up between two reads.
        if (random() % 3 == 0) {
            ASSERT_EQ(editor.lines(), convertedWhole(editor)) << "after step " << step;
        }
    }
    EXPECT_EQ(editor.lines(), convertedWhole(editor));
}

TEST(PageEditor, LargeChangesAndEmptyPagesConvertAgain) {
    PageEditor editor;
    editor.setLines({});
    EXPECT_TRUE(editor.lines().empty());
    QTextCursor cursor(editor.document());
    cursor.insertText("one");
    EXPECT_EQ(editor.lines(), (text::Lines{"one"}));
    cursor.insertText("\n");
    EXPECT_EQ(editor.lines(), (text::Lines{"one"})) << "a final break adds no empty line";
    cursor.insertText("\n");
    EXPECT_EQ(editor.lines(), (text::Lines{"one", ""}));

    const QString big = QString("word ").repeated(20000) + "\nlast";
    cursor.insertText(big);
    EXPECT_EQ(editor.lines(), convertedWhole(editor));
    editor.selectAll();
    editor.textCursor().removeSelectedText();
    EXPECT_TRUE(editor.lines().empty());
    const uint64_t revision = editor.revision();
    cursor.insertText("a");
    EXPECT_GT(editor.revision(), revision);
}

} // namespace
} // namespace lumora::editor
