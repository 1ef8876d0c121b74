#include "window_fixture.h"

#include "editor/clickable_label.h"
#include "editor/logic/sample_page.h"
#include "editor/track_bar.h"
#include "tags/tag_tester.h"

#include <QLabel>
#include <QListWidget>
#include <QTest>

using namespace lumora;
using editor::Answer;
using lumora::testing::readFile;
using lumora::testing::writeFile;
using Kind = editor::ScriptedInteraction::Kind;

namespace {
const std::string kUntitledPrompt =
    "The document  has changed.\r\rDo you want to save the changes?";
}

class FileCommands : public lumora::testing::WindowTest {};

TEST_F(FileCommands, StartsWithThePassingSamplePageAndFilterList) {
    startWindow(std::vector<std::string>{"the", "and"});
    EXPECT_TRUE(ui.records().empty());
    EXPECT_EQ(page(), editor::samplePage());
    EXPECT_EQ(page().size(), 33u);
    EXPECT_TRUE(tags::testMetaTags(page()).passed);
    EXPECT_EQ(form->ListBox1, (std::vector<std::string>{"the", "and"}));
    EXPECT_EQ(form->windowTitle().toStdString(), "Lumora - V 01.01");
    EXPECT_EQ(form->Edit2Drv, dir.path().string());
    EXPECT_FALSE(form->Modified);
    EXPECT_FALSE(form->TagsPassed);
    EXPECT_EQ(form->TrackBar1->value(), 5);
}

// The message stands over the window, so it comes once the window is shown.
TEST_F(FileCommands, MissingFilterListIsReportedOnceOverTheShownWindow) {
    startWindow(std::nullopt);
    EXPECT_TRUE(ui.records().empty());
    form->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.get()));
    QTest::qWait(20);
    form->hide();
    form->show();
    QTest::qWait(20);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{
                              "Cant find html_filter.txt! Please put in current directory."});
    EXPECT_TRUE(form->ListBox1.empty());
}

TEST_F(FileCommands, OpenWhileModifiedCancelKeepsEverything) {
    startWindow();
    setPage({"edited"});
    ui.queueAnswer(Answer::Cancel);
    form->Open2Click();
    EXPECT_EQ(ui.texts(), std::vector<std::string>{kUntitledPrompt});
    EXPECT_EQ(page(), (text::Lines{"edited"}));
    EXPECT_TRUE(form->Modified);
}

TEST_F(FileCommands, OpenWhileModifiedNoLoadsWithoutSaving) {
    startWindow();
    writeFile(dir / "a.htm", "one\r\ntwo\r\n");
    setPage({"edited"});
    ui.queueAnswer(Answer::No);
    ui.queueFile((dir / "a.htm").string());
    form->Open2Click();
    EXPECT_EQ(page(), (text::Lines{"one", "two"}));
    EXPECT_FALSE(form->Modified);
    EXPECT_EQ(form->DocFileName, (dir / "a.htm").string());
    EXPECT_EQ(form->windowTitle().toStdString(), "LUMORA - " + (dir / "a.htm").string());
    EXPECT_EQ(form->Label3_KeyWords->text().toStdString(), "Ready for new job.");
}

TEST_F(FileCommands, OpenWhileModifiedYesOnUntitledPageWithCancelledSaveDialogAbandons) {
    startWindow();
    setPage({"edited"});
    ui.queueAnswer(Answer::Yes);
    ui.queueFile(std::nullopt); // the save dialog
    form->Open2Click();
    ASSERT_EQ(ui.records().size(), 2u);
    EXPECT_EQ(ui.records()[1].kind, Kind::SaveFile);
    EXPECT_TRUE(ui.allAnswersUsed()); // no open dialog was shown
    EXPECT_EQ(page(), (text::Lines{"edited"}));
    EXPECT_TRUE(form->Modified);
}

TEST_F(FileCommands, SensitivityPresetFromPageLength) {
    startWindow();
    // 18,750 characters: 1,250 lines of 13 characters plus a two-character break.
    writeFile(dir / "long.htm", [] {
        std::string s;
        for (int i = 0; i < 1250; ++i)
            s += "abcdefghijklm\r\n";
        return s;
    }());
    writeFile(dir / "short.htm", std::string(747, 'x') + "\r\n"); // 749 characters
    ui.queueFile((dir / "long.htm").string());
    form->Open2Click();
    EXPECT_EQ(form->TrackBar1->value(), 25);
    EXPECT_EQ(form->TrackBar1->selStart(), 18);
    EXPECT_EQ(form->TrackBar1->selEnd(), 37);
    EXPECT_EQ(form->Label2->text().toStdString(), "Sensitivity 25");
    ui.queueFile((dir / "short.htm").string());
    form->Open2Click();
    EXPECT_EQ(form->TrackBar1->value(), 0);
    EXPECT_EQ(form->Label2->text().toStdString(), "Sensitivity 0");
}

TEST_F(FileCommands, PresetCountsCharactersNotUtf8Bytes) {
    startWindow();
    std::string s;
    for (int i = 0; i < 375; ++i)
        s += "\xC3\xA9\r\n"; // one character and a break: 3 characters, 4 bytes
    writeFile(dir / "u.htm", s);
    ui.queueFile((dir / "u.htm").string());
    form->Open2Click();
    EXPECT_EQ(form->TrackBar1->value(), 1); // 1,125 characters, not 1,500 bytes
}

TEST_F(FileCommands, SaveOnUnmodifiedPageDoesNothingEvenWhenFileIsGone) {
    startWindow();
    writeFile(dir / "a.htm", "one\r\n");
    ui.queueFile((dir / "a.htm").string());
    form->Open2Click();
    std::filesystem::remove(dir / "a.htm");
    form->Save2Click();
    EXPECT_FALSE(std::filesystem::exists(dir / "a.htm"));
    EXPECT_TRUE(ui.allAnswersUsed());
}

TEST_F(FileCommands, SaveAsWritesACopyAndChangesNothingElse) {
    startWindow();
    writeFile(dir / "a.htm", "one\r\n");
    ui.queueFile((dir / "a.htm").string());
    form->Open2Click();
    setPage({"changed"});
    ui.queueFile((dir / "copy.htm").string());
    form->SaveAs2Click();
    EXPECT_EQ(readFile(dir / "copy.htm"), "changed\r\n");
    EXPECT_TRUE(ui.fileRequests().back().confirmOverwrite);
    EXPECT_EQ(form->DocFileName, (dir / "a.htm").string());
    EXPECT_TRUE(form->Modified);
    EXPECT_EQ(form->windowTitle().toStdString(), "LUMORA - " + (dir / "a.htm").string());
    form->Save2Click();
    EXPECT_EQ(readFile(dir / "a.htm"), "changed\r\n");
    EXPECT_FALSE(form->Modified);
}

TEST_F(FileCommands, NewThenExitAsksToSaveTheEmptyUntitledPage) {
    startWindow();
    form->show();
    form->New2Click();
    EXPECT_TRUE(form->Modified);
    EXPECT_TRUE(page().empty());
    ui.queueAnswer(Answer::Yes); // are you sure?
    ui.queueAnswer(Answer::No);  // save changes?
    form->Exit2Click();
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"Are you sure you want to exit?", kUntitledPrompt}));
    EXPECT_FALSE(form->isVisible());
}

TEST_F(FileCommands, ExitAnsweredNoKeepsTheWindow) {
    startWindow();
    form->show();
    ui.queueAnswer(Answer::No);
    form->Exit2Click();
    EXPECT_TRUE(form->isVisible());
}

TEST_F(FileCommands, FailedOpenKeepsThePageInTheEditor) {
    startWindow();
    writeFile(dir / "a.htm", "one\r\n");
    ui.queueFile((dir / "a.htm").string());
    form->Open2Click();
    setPage({"unsaved work"});
    const QString caption = form->windowTitle();
    ui.queueAnswer(Answer::No);
    ui.queueFile((dir / "missing.htm").string());
    form->Open2Click();
    EXPECT_EQ(ui.texts().back(), "Cannot open file " + (dir / "missing.htm").string());
    EXPECT_EQ(ui.records().back().kind, Kind::Error);
    EXPECT_EQ(page(), (text::Lines{"unsaved work"}));
    EXPECT_EQ(form->DocFileName, (dir / "a.htm").string());
    EXPECT_TRUE(form->Modified);
    EXPECT_EQ(form->windowTitle(), caption);
}

TEST_F(FileCommands, FailedSaveKeepsOldFileAndModifiedFlag) {
    startWindow();
    writeFile(dir / "a.htm", "old\r\n");
    ui.queueFile((dir / "a.htm").string());
    form->Open2Click();
    setPage({"new"});
    // The target's directory disappears: the write cannot even start.
    form->DocFileName = (dir / "gone" / "a.htm").string();
    form->Save2Click();
    EXPECT_EQ(ui.texts().back(), "Cannot create file " + (dir / "gone" / "a.htm").string());
    EXPECT_TRUE(form->Modified);
    EXPECT_EQ(readFile(dir / "a.htm"), "old\r\n");
}

TEST_F(FileCommands, SaveAsOfUntitledPageAdoptsTheName) {
    startWindow();
    form->New2Click();
    setPage({"x"});
    ui.queueFile((dir / "n.htm").string());
    EXPECT_TRUE(form->SaveDocument());
    EXPECT_EQ(form->DocFileName, (dir / "n.htm").string());
    EXPECT_FALSE(form->Modified);
    EXPECT_EQ(readFile(dir / "n.htm"), "x\r\n");
}

TEST_F(FileCommands, EncodingsRoundTripThroughOpenAndSave) {
    startWindow();
    std::string every;
    for (int b = 1; b < 256; ++b)
        if (b != '\r' && b != '\n')
            every += static_cast<char>(b);
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"utf8.htm", "caf\xC3\xA9 \xE2\x82\xAC\r\n\r\nend\r\n"},
        {"bom.htm", "\xEF\xBB\xBF<p>\xC3\xA9</p>\r\n"},
        {"cp1252.htm", every + "\r\n\xA0nbsp\r\n"},
    };
    for (const auto& [name, bytes] : cases) {
        writeFile(dir / name, bytes);
        ui.queueFile((dir / name).string());
        form->Open2Click();
        form->Modified = true;
        form->Save2Click();
        EXPECT_EQ(readFile(dir / name), bytes) << name;
    }
    writeFile(dir / "lf.htm", "a\nb\rc");
    ui.queueFile((dir / "lf.htm").string());
    form->Open2Click();
    form->Modified = true;
    form->Save2Click();
    EXPECT_EQ(readFile(dir / "lf.htm"), "a\r\nb\r\nc\r\n");
}
