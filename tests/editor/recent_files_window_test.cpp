// The Recent Files submenu on the real window, with the store on disk.

#include "window_fixture.h"

#include "platform/profile_file.h"

#include <QLabel>
#include <QListWidget>
#include <QMenu>

using namespace lumora;
using editor::Answer;
using lumora::testing::readFile;
using lumora::testing::writeFile;

namespace {

std::string upper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

// A page whose text, each line followed by its break, is `length` characters long.
std::string pageOfLength(size_t length) {
    std::string text;
    while (text.size() + 100 <= length)
        text += std::string(98, 'x') + "\r\n";
    return text;
}

} // namespace

class RecentFilesWindow : public lumora::testing::WindowTest {
protected:
    void SetUp() override {
        startWindow();
        form->PreviewOff1Click();
    }
    std::string page(const std::string& name, const std::string& text = "<p>page</p>\r\n") {
        const auto path = dir / name;
        writeFile(path, text);
        return path.string();
    }
    void open(const std::string& path) {
        ui.queueFile(path);
        form->Open2Click();
    }
    std::vector<std::string> captions() const {
        std::vector<std::string> out;
        for (const QAction* action : form->RecentFiles1->actions())
            out.push_back(action->text().toStdString());
        return out;
    }
    std::string stored(const std::string& key) const {
        return platform::ProfileFile(recentStore()).readString("Oldies", key);
    }
};

TEST_F(RecentFilesWindow, OpenEntersThePageAtTheTopAsOpened) {
    const std::string a = page("a.htm");
    const std::string b = page("b.htm");
    open(a);
    open(b);
    open(a);
    EXPECT_EQ(captions(), (std::vector<std::string>{"&1 " + a, "&2 " + b}));
    EXPECT_EQ(stored("1"), a);
    EXPECT_EQ(stored("2"), b);
    EXPECT_NE(readFile(recentStore()).find("[Oldies]"), std::string::npos);
}

// page.htm and PAGE.htm side by side: each entry reopens its own file, and Save
// writes into that file only.
TEST_F(RecentFilesWindow, PagesDifferingInLetterCaseKeepTheirOwnFiles) {
    const std::string lower = page("page.htm", "lower\r\n");
    const std::string upperPage = page("PAGE.htm", "UPPER\r\n");
    open(upperPage);
    open(lower);
    open(page("other.htm"));
    ASSERT_EQ(captions(), (std::vector<std::string>{"&1 " + (dir / "other.htm").string(),
                                                    "&2 " + lower, "&3 " + upperPage}));
    form->RecentFiles1->actions().at(1)->trigger();
    EXPECT_EQ(this->WindowTest::page(), (text::Lines{"lower"}));
    EXPECT_EQ(form->DocFileName, lower);
    setPage({"edited"});
    form->Modified = true;
    form->Save2Click();
    EXPECT_EQ(readFile(lower), "edited\r\n");
    EXPECT_EQ(readFile(upperPage), "UPPER\r\n");
}

// A store written upper-cased by earlier versions still reopens a page when one file
// alone matches the entry; when two do, the entry is dropped from the submenu, and
// clicked after the second appeared it says the file cannot be opened.
TEST_F(RecentFilesWindow, UpperCasedEntriesOpenOnlyTheirOnlyMatch) {
    const std::string lower = page("page.htm", "lower\r\n");
    writeFile(recentStore(), "[Oldies]\r\n1=" + upper(lower) + "\r\n");
    form->recentfiles1Click();
    ASSERT_EQ(captions(), std::vector<std::string>{"&1 " + upper(lower)});

    page("PAGE.htm", "UPPER\r\n");
    setPage({"kept"});
    form->Modified = false;
    form->RecentFiles1->actions().at(0)->trigger();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Cannot open file " + upper(lower)});
    EXPECT_EQ(this->WindowTest::page(), (text::Lines{"kept"}));
    form->recentfiles1Click();
    EXPECT_TRUE(captions().empty());

    std::filesystem::remove(dir / "PAGE.htm");
    writeFile(recentStore(), "[Oldies]\r\n1=" + upper(lower) + "\r\n");
    form->recentfiles1Click();
    form->RecentFiles1->actions().at(0)->trigger();
    EXPECT_EQ(this->WindowTest::page(), (text::Lines{"lower"}));
    EXPECT_EQ(form->DocFileName, lower);
}

TEST_F(RecentFilesWindow, EleventhPagePushesTheOldestOutAndNineAreShown) {
    std::vector<std::string> paths;
    for (int i = 0; i < 11; ++i) {
        paths.push_back(page("p" + std::to_string(i) + ".htm"));
        open(paths.back());
    }
    const auto shown = captions();
    ASSERT_EQ(shown.size(), 9u);
    EXPECT_EQ(shown.front(), "&1 " + paths[10]);
    EXPECT_EQ(shown.back(), "&9 " + paths[2]);
    EXPECT_EQ(stored("10"), paths[1]);
    for (const auto& caption : shown)
        EXPECT_EQ(caption.find(paths[0]), std::string::npos);
}

TEST_F(RecentFilesWindow, ReopeningKeepsTheOrderAndTheCaption) {
    const std::string a = page("a.htm", "alpha\r\n");
    const std::string b = page("b.htm");
    const std::string c = page("c.htm");
    open(a);
    open(b);
    open(c);
    const auto before = captions();
    form->ListBox3->addItem(QStringLiteral("kw"));
    form->RecentFile3Click();
    EXPECT_EQ(this->WindowTest::page(), (text::Lines{"alpha"}));
    EXPECT_EQ(form->DocFileName, a);
    EXPECT_TRUE(form->PendingFileName.empty());
    EXPECT_FALSE(form->Modified);
    EXPECT_EQ(form->windowTitle().toStdString(), "LUMORA - " + c);
    EXPECT_EQ(form->Label3_KeyWords->text().toStdString(), "Ready for next job.");
    EXPECT_EQ(form->ListBox3->count(), 0);
    form->recentfiles1Click();
    EXPECT_EQ(captions(), before);
}

TEST_F(RecentFilesWindow, EntryOneHasItsOwnDivisors) {
    const std::string long7500 = page("long.htm", pageOfLength(7500));
    const std::string other = page("other.htm");
    open(long7500);
    open(other);
    form->RecentFile2Click();
    EXPECT_EQ(form->TrackBar1->value(), 10);
    EXPECT_EQ(form->TrackBar1->selStart(), 7);
    EXPECT_EQ(form->TrackBar1->selEnd(), 15);
    EXPECT_EQ(form->Label2->text().toStdString(), "Sensitivity 10");

    open(long7500);
    form->RecentFile1Click();
    EXPECT_EQ(form->TrackBar1->value(), 12);
    EXPECT_EQ(form->TrackBar1->selStart(), 8);
    EXPECT_EQ(form->TrackBar1->selEnd(), 21);
    EXPECT_EQ(form->Label2->text().toStdString(), "Sensitivity 12");
}

TEST_F(RecentFilesWindow, EmptyKeyTwoEndsTheList) {
    const std::string a = page("a.htm");
    const std::string c = page("c.htm");
    writeFile(recentStore(), "[Oldies]\r\n1=" + upper(a) + "\r\n2=\r\n3=" + upper(c) + "\r\n");
    form->recentfiles1Click();
    EXPECT_EQ(captions(), std::vector<std::string>{"&1 " + upper(a)});
}

TEST_F(RecentFilesWindow, GonePagesAreDroppedAndAVanishedEntryCannotBeOpened) {
    const std::string a = page("a.htm");
    const std::string b = page("b.htm");
    open(a);
    open(b);
    std::filesystem::remove(a);
    form->recentfiles1Click();
    EXPECT_EQ(captions(), std::vector<std::string>{"&1 " + b});

    std::filesystem::remove(b);
    setPage({"kept"});
    form->Modified = false;
    form->RecentFile1Click();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{"Cannot open file " + b});
    EXPECT_EQ(this->WindowTest::page(), (text::Lines{"kept"}));
    EXPECT_TRUE(form->PendingFileName.empty());
}

TEST_F(RecentFilesWindow, ReopenAsksToSaveAModifiedPage) {
    const std::string a = page("a.htm", "alpha\r\n");
    open(a);
    setPage({"edited"});
    ui.queueAnswer(Answer::Cancel);
    form->RecentFile1Click();
    EXPECT_EQ(this->WindowTest::page(), (text::Lines{"edited"}));
    ui.queueAnswer(Answer::No);
    form->RecentFile1Click();
    EXPECT_EQ(this->WindowTest::page(), (text::Lines{"alpha"}));
}
