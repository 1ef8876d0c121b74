// Files the window reads that are a pipe or a device: the page opened, the noise list
// (at start and when the filter is switched on) and the help file. Each is refused at
// once with a message that says it is not a regular file, instead of hanging the
// window on a pipe or filling its memory from /dev/zero.

#include "editor/help_window.h"
#include "watchdog.h"
#include "window_fixture.h"

#include <QCheckBox>
#include <QTextBrowser>

#include <sys/stat.h>

namespace lumora::testing {
namespace {

namespace fs = std::filesystem;
using Kind = editor::ScriptedInteraction::Kind;

enum class Special { Fifo, Zero };

void makeSpecial(const fs::path& path, Special kind) {
    if (kind == Special::Fifo)
        ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    else
        fs::create_symlink("/dev/zero", path);
}

class SpecialFiles : public WindowTest, public ::testing::WithParamInterface<Special> {};

TEST_P(SpecialFiles, OpeningAPageThatIsNoFileSaysSo) {
    startWindow();
    const fs::path page = dir / "page.htm";
    makeSpecial(page, GetParam());
    ui.queueFile(page.string());
    // Open is offered once the preview is off, as the user finds it.
    form->PreviewOff1->trigger();
    ASSERT_TRUE(form->Open2->isEnabled());
    {
        const Watchdog watchdog(5);
        form->Open2->trigger();
    }
    ASSERT_FALSE(ui.records().empty());
    EXPECT_EQ(ui.records().back(), (editor::ScriptedInteraction::Record{
                                       Kind::Error, "Cannot open file " + page.string() +
                                                        ": it is not a regular file."}));
    EXPECT_TRUE(form->DocFileName.empty());
    EXPECT_TRUE(ui.allAnswersUsed());
}

TEST_P(SpecialFiles, ANoiseListThatIsNoFileSaysSoAtStartAndWhenSwitchedOn) {
    const fs::path filter = dir / "html_filter.txt";
    makeSpecial(filter, GetParam());
    const std::string text = "Cannot open file " + filter.string() + ": it is not a regular file.";
    {
        const Watchdog watchdog(5);
        startWindow(std::nullopt);
    }
    EXPECT_EQ(ui.texts(), std::vector<std::string>{text});
    form->show();
    ASSERT_TRUE(form->CheckB_USEfilter->isChecked());
    form->CheckB_USEfilter->click();
    ASSERT_FALSE(form->CheckB_USEfilter->isChecked());
    {
        const Watchdog watchdog(5);
        form->CheckB_USEfilter->click();
    }
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{text, text}));
    EXPECT_EQ(ui.records().back().kind, Kind::Error);
}

TEST_P(SpecialFiles, AHelpFileThatIsNoFileSaysSoInTheHelpWindow) {
    TempDir folder;
    const fs::path file = folder / "Lumora.hlp";
    makeSpecial(file, GetParam());
    editor::WindowHelpEngine engine;
    {
        const Watchdog watchdog(5);
        engine.showContext(file.string(), 2);
    }
    ASSERT_NE(engine.window(), nullptr);
    EXPECT_EQ(engine.window()->view()->toPlainText().toStdString(),
              "The help file " + file.string() + " is not a regular file.");
}

INSTANTIATE_TEST_SUITE_P(PipeAndDevice, SpecialFiles,
                         ::testing::Values(Special::Fifo, Special::Zero), [](const auto& param) {
                             return param.param == Special::Fifo ? "Pipe" : "DevZero";
                         });

} // namespace
} // namespace lumora::testing
