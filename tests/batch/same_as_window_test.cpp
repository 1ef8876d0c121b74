// What lumora-batch auto writes is byte for byte what the window writes for a user who
// opens the page, presses FULL AUTO GO !, says Yes three times and saves.

#include "batch_test_support.h"

#include "editor/logic/message_pump.h"
#include "editor/logic/scripted_interaction.h"
#include "editor/tform1.h"
#include "editor/track_bar.h"

#include <QCheckBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

using namespace lumora;
using lumora::testing::readFile;
using lumora::testing::TempDir;
using lumora::testing::writeFile;
namespace fs = std::filesystem;
namespace lt = lumora::testing;

namespace {

struct Case {
    const char* name;
    std::string bytes;
    std::vector<std::string> flags; // lumora-batch options
};

// The reference: the window itself, driven as a user drives it.
std::string savedByWindow(const fs::path& page, const fs::path& startDirectory,
                          const std::vector<std::string>& flags) {
    editor::ScriptedInteraction ui;
    editor::IdlePump pump;
    editor::TForm1 form({ui, pump, startDirectory.string()});
    form.keepRecentFilesInMemory();
    form.PreviewOff1Click(); // the window starts in preview, where FULL AUTO GO is disabled
    std::optional<int> sensitivity;
    for (size_t i = 0; i < flags.size(); ++i) {
        const std::string& flag = flags[i];
        QCheckBox* box = flag == "--no-title"         ? form.CheckBxDOtitle
                         : flag == "--no-description" ? form.CheckBxDOdisription
                         : flag == "--no-keywords"    ? form.CheckBxDOkeywrds
                         : flag == "--no-booster"     ? form.CheckBxKwBoost
                         : flag == "--no-hidden"      ? form.CheckBxDOhidenTags
                                                      : nullptr;
        if (box)
            box->setChecked(false);
        if (flag == "--sensitivity")
            sensitivity = std::stoi(flags.at(++i));
    }
    ui.queueFile(page.string());
    form.Open2Click();
    if (sensitivity)
        form.TrackBar1->setValue(*sensitivity);
    // FULL AUTO GO ! asks to accept the title and then the description it found, each only
    // when included (without the title the scan goes straight to the tags), and to write
    // the tags; the tool says Yes to each, and so does the user here.
    const auto has = [&](const char* flag) {
        return std::find(flags.begin(), flags.end(), flag) != flags.end();
    };
    const bool title = !has("--no-title");
    const bool description = title && !has("--no-description");
    for (int i = 0; i < 1 + int(title) + int(description); ++i)
        ui.queueAnswer(editor::Answer::Yes);
    form.BitBtn1FullAuto->click();
    form.Save2Click();
    return readFile(page);
}

std::string windows1252Sample() {
    // "é" as the single byte 0xE9 and bare LF line ends.
    std::string bytes = lt::samplePageBytes();
    std::string out;
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r')
            continue;
        out += bytes[i];
        if (bytes.compare(i, 5, "<h1>L") == 0)
            out += "\xe9t\xe9 ";
    }
    return out;
}

} // namespace

TEST(SameAsWindow, AutoWritesWhatTheWindowSaves) {
    const std::vector<Case> cases = {
        {"sample.htm", lt::samplePageBytes(), {}},
        {"sample-lean.htm", lt::samplePageBytes(), {"--no-hidden", "--no-booster"}},
        {"latin.htm", windows1252Sample(), {}},
        {"garden1.htm", lt::gardenPageBytes(1), {}},
        {"garden2.htm", "\xef\xbb\xbf" + lt::gardenPageBytes(2), {"--no-description"}},
        {"garden3.htm", lt::gardenPageBytes(3), {"--no-title"}},
        {"garden4.htm", lt::gardenPageBytes(4), {"--no-keywords", "--sensitivity", "2"}},
    };
    TempDir dir;
    // The window starts where the shipped noise-word list lies, as the tool's default.
    fs::create_directories(dir / "start");
    fs::copy_file(lt::binDir() / "html_filter.txt", dir / "start/html_filter.txt");
    fs::create_directories(dir / "site");
    fs::create_directories(dir / "window");

    for (const Case& page : cases) {
        SCOPED_TRACE(page.name);
        writeFile(dir / "site" / page.name, page.bytes);
        writeFile(dir / "window" / page.name, page.bytes);
        const std::string expected =
            savedByWindow(dir / "window" / page.name, dir / "start", page.flags);
        ASSERT_NE(expected, page.bytes) << "the window built no tags: a useless case";

        std::vector<std::string> arguments{"auto", "-o", "out",
                                           (fs::path("site") / page.name).string()};
        arguments.insert(arguments.end(), page.flags.begin(), page.flags.end());
        const auto run = lt::runTool(arguments, dir.path(), dir.path());
        EXPECT_EQ(run.status, 0) << run.out << run.err;
        ASSERT_TRUE(fs::exists(dir / "out/site" / page.name)) << run.out << run.err;
        EXPECT_EQ(readFile(dir / "out/site" / page.name), expected);
        EXPECT_EQ(readFile(dir / "site" / page.name), page.bytes); // -o leaves the page
    }
}
