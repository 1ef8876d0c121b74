// Pages come back from the editor exactly as they were read, plus what the user typed:
// opened through File Open, edited with real key presses and saved.

#include "code_points.h"
#include "window_fixture.h"

#include <QTest>

#include <random>

using namespace lumora;
using lumora::testing::readFile;
using lumora::testing::utf16;
using lumora::testing::utf8;
using lumora::testing::writeFile;

namespace {

// Characters from the whole range, half of them from the basic plane; no surrogates,
// no NUL (a file holding one is binary), no CR or LF (they are line breaks).
std::u32string sampleCharacters(size_t count) {
    std::mt19937 random(15);
    std::uniform_int_distribution<char32_t> basic(1, 0xFFFF);
    std::uniform_int_distribution<char32_t> any(1, 0x10FFFF);
    std::u32string sample;
    while (sample.size() < count) {
        const char32_t cp = sample.size() % 2 ? basic(random) : any(random);
        if ((cp >= 0xD800 && cp <= 0xDFFF) || cp == U'\r' || cp == U'\n')
            continue;
        sample += cp;
        if (sample.size() % 40 == 0)
            sample += U"\r\n";
    }
    return sample + U"\r\n";
}

} // namespace

class PageBytes : public lumora::testing::WindowTest {
protected:
    void SetUp() override {
        startWindow();
        form->PreviewOff1Click();
    }
    void open(const std::string& name, const std::string& bytes) {
        writeFile(dir / name, bytes);
        ui.queueFile((dir / name).string());
        form->Open2Click();
        ASSERT_EQ(form->DocFileName, (dir / name).string());
    }
    // A key press at the very start of the page, away from the characters under test.
    void typeAtStart(char key) {
        QTextCursor cursor = form->RichEdit->textCursor();
        cursor.movePosition(QTextCursor::Start);
        form->RichEdit->setTextCursor(cursor);
        QTest::keyClick(form->RichEdit, key);
    }
    std::string saved(const std::string& name) {
        form->Save2Click();
        return readFile(dir / name);
    }
};

// The text control starts a new paragraph at U+2029, U+FDD0 and U+FDD1; the page
// must not gain a line break there.
TEST_F(PageBytes, EveryCharacterSurvivesAKeystrokeElsewhere) {
    const std::vector<std::pair<std::string, std::u32string>> cases = {
        {"paragraph.htm", U"<p>one\u2029two</p>\r\n\u2029\r\nend\u2029\r\n"},
        {"frames.htm", U"<p>\uFDD0a\uFDD1</p>\r\n\uFDD1\uFDD0\r\n"},
        {"mixed.htm", U"a\u2029\U0001F600\uFDD0\r\n\r\n\u2028\u0085\uFEFF\uFFFC\t\r\n"},
        {"sample.htm", sampleCharacters(3000)},
    };
    for (const auto& [name, text] : cases) {
        const std::string bytes = utf8(U"<html>\r\n" + text);
        open(name, bytes);
        form->RichEdit->setFont(QFont(QStringLiteral("Monospace"), 14));
        typeAtStart('x');
        EXPECT_EQ(saved(name), "x" + bytes) << name;
        // And once more, now that the editor follows edits line by line.
        typeAtStart('y');
        EXPECT_EQ(saved(name), "yx" + bytes) << name;
    }
}

TEST_F(PageBytes, Utf16PagesAreSavedInTheirOwnEncoding) {
    const std::u32string text = U"<p>caf\u00E9 \u0D0A\u0A0D \U0001F600</p>\r\n\r\nzwei\r\n";
    for (const bool bigEndian : {false, true}) {
        const std::string name = bigEndian ? "be.htm" : "le.htm";
        open(name, utf16(text, bigEndian));
        EXPECT_EQ(page(),
                  (text::Lines{utf8(U"<p>caf\u00E9 \u0D0A\u0A0D \U0001F600</p>"), "", "zwei"}));
        form->Modified = true;
        EXPECT_EQ(saved(name), utf16(text, bigEndian)) << name;
        typeAtStart('Q');
        EXPECT_EQ(saved(name), utf16(U"Q" + text, bigEndian)) << name;
    }
}

TEST_F(PageBytes, OpenRefusesABinaryFile) {
    open("kept.htm", "kept\r\n");
    const std::string image = (dir / "image.htm").string();
    writeFile(image, std::string("GIF89a\0\0\1", 9));
    ui.queueFile(image);
    form->Open2Click();
    EXPECT_EQ(ui.texts().back(),
              "Cannot open file " + image + ": a binary file (it holds NUL bytes), not a page");
    EXPECT_EQ(page(), (text::Lines{"kept"}));
    EXPECT_EQ(form->DocFileName, (dir / "kept.htm").string());
}
