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

// U+2029, U+FDD0 and U+FDD1 end a paragraph of the text control but not a line of the
// page. A reference text, edited at the same positions, holds them as characters.
TEST(PageEditor, ParagraphCharactersStayInsideTheirLines) {
    const QString specials = QString(QChar(0x2029)) + QChar(0xFDD0) + QChar(0xFDD1);
    QString reference =
        "<p>a" + specials + "b</p>\n" + specials.at(0) + "\n\nend" + specials.at(2) + "\n";
    PageEditor editor;
    {
        text::Lines lines;
        for (const QString& line : reference.chopped(1).split('\n'))
            lines.push_back(line.toStdString());
        editor.setLines(lines);
    }
    const QStringList pieces = {"x", "\n", "ab\ncd", "\xc3\xa9", "\xf0\x9f\x98\x80"};
    std::mt19937 random(11);
    QTextCursor cursor(editor.document());
    for (int step = 0; step < 300; ++step) {
        const int length = static_cast<int>(reference.size());
        const int from = static_cast<int>(random() % static_cast<unsigned>(length + 1));
        const int to = std::min(length, from + static_cast<int>(random() % 6));
        // Never inside a surrogate pair.
        if ((from < length && reference.at(from).isLowSurrogate()) ||
            (to < length && reference.at(to).isLowSurrogate()))
            continue;
        const QString piece =
            random() % 3 ? pieces[static_cast<int>(random() % pieces.size())] : QString();
        select(cursor, from, to);
        cursor.insertText(piece);
        reference.replace(from, to - from, piece);

        QString expected = reference;
        if (expected.endsWith('\n'))
            expected.chop(1);
        text::Lines lines;
        if (!reference.isEmpty())
            for (const QString& line : expected.split('\n'))
                lines.push_back(line.toStdString());
        ASSERT_EQ(editor.lines(), lines) << "after step " << step;

        const int position =
            static_cast<int>(random() % static_cast<unsigned>(reference.size() + 1));
        const int start =
            position == 0 ? 0 : static_cast<int>(reference.lastIndexOf('\n', position - 1)) + 1;
        const auto line = static_cast<size_t>(reference.left(position).count('\n'));
        ASSERT_EQ(editor.lineAt(position), std::make_pair(line, start)) << "at " << position;
        ASSERT_EQ(editor.lineStart(line), start) << "line " << line;
    }
}

// Undo and Redo bring the paragraph characters back with the text they belong to, after
// a deletion and after the whole page was replaced at once.
TEST(PageEditor, UndoAndRedoKeepTheParagraphCharacters) {
    const text::Lines page = {"a\xE2\x80\xA9"
                              "b",
                              "c\xEF\xB7\x90"};
    PageEditor editor;
    editor.setLines(page);
    QTextCursor cursor(editor.document());
    select(cursor, 0, 3);
    cursor.removeSelectedText();
    EXPECT_EQ(editor.lines(), (text::Lines{"", "c\xEF\xB7\x90"}));
    editor.undo();
    EXPECT_EQ(editor.lines(), page);
    editor.redo();
    EXPECT_EQ(editor.lines(), (text::Lines{"", "c\xEF\xB7\x90"}));
    editor.undo();

    editor.replaceAllLines({"plain", "\xEF\xB7\x91"});
    select(cursor, 0, 0);
    cursor.insertText("x");
    EXPECT_EQ(editor.lines(), (text::Lines{"xplain", "\xEF\xB7\x91"}));
    editor.undo();
    editor.undo();
    EXPECT_EQ(editor.lines(), page);
    editor.redo();
    EXPECT_EQ(editor.lines(), (text::Lines{"plain", "\xEF\xB7\x91"}));
}

// A page kept as lines only: what was set reads back as it was, paragraph characters
// included, the page it held when it left the control stays, and every change counts
// and is signalled once, with no undo step and nothing left in the control.
TEST(PageEditor, APageKeptAsLinesOnlyReadsBackAndSignalsEveryChange) {
    PageEditor editor;
    const text::Lines first = {"<p>a\xe2\x80\xa9"
                               "b\xef\xb7\x90</p>",
                               "", "end"};
    editor.setLines(first);
    editor.keepPageAsLinesOnly();
    EXPECT_EQ(editor.lines(), first);
    EXPECT_TRUE(editor.toPlainText().isEmpty());

    int changes = 0;
    QObject::connect(&editor, &PageEditor::pageChanged, [&] { ++changes; });
    const text::Lines second = {"x\xef\xb7\x91", ""};
    for (const bool whole : {true, false}) {
        const uint64_t before = editor.revision();
        if (whole)
            editor.replaceAllLines(second);
        else
            editor.setLines({});
        EXPECT_EQ(editor.lines(), whole ? second : text::Lines{});
        EXPECT_GT(editor.revision(), before);
        EXPECT_FALSE(editor.hasUndoHistory());
    }
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(editor.toPlainText().isEmpty());
}

} // namespace

} // namespace lumora::editor
