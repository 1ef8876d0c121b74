// Where the real window keeps its recent files: beside a program whose folder it may
// write (a portable copy), in ~/.config/lumora for an installed one.

#include "window_fixture.h"

#include "platform/program_location.h"

#include <QMenu>

#include <cstdlib>
#include <sys/wait.h>
#include <unistd.h>

using namespace lumora;
using lumora::testing::TempDir;
using lumora::testing::writeFile;
namespace fs = std::filesystem;

namespace {

// One run of Lumora from `program`: opens `page` when given, and says what the
// Recent Files submenu shows.
std::vector<std::string> runWindow(const TempDir& dir, const fs::path& program,
                                   const std::string& page) {
    editor::ScriptedInteraction ui;
    editor::ScriptedPump pump;
    lumora::testing::RecordingHelpEngine help;
    editor::TForm1 form({ui, pump, dir.path().string()});
    form.setHelpEngine(help);
    form.setProgramFile(program.string());
    form.PreviewOff1Click();
    if (!page.empty()) {
        ui.queueFile(page);
        form.Open2Click();
    }
    form.recentfiles1Click();
    std::vector<std::string> captions;
    for (const QAction* action : form.RecentFiles1->actions())
        captions.push_back(action->text().toStdString());
    return captions;
}

} // namespace

TEST(RecentFilesStore, ReadOnlyProgramFolderKeepsTheListInTheSettingsFolder) {
    if (::geteuid() == 0) {
        // Root may write into any folder: an ordinary user runs this test again, from
        // a copy of this program in a folder everyone can reach.
        std::string folder = "/tmp/lumora-as-nobody-XXXXXX";
        ASSERT_NE(::mkdtemp(folder.data()), nullptr);
        const fs::path copy = fs::path(folder) / "editor_window_tests";
        fs::copy_file(platform::programPath(), copy);
        fs::permissions(folder, fs::perms::owner_all | fs::perms::group_read |
                                    fs::perms::group_exec | fs::perms::others_read |
                                    fs::perms::others_exec);
        // Leaks are checked in this run; the copy may not reach the suppressions file.
        const std::string command = "TMPDIR=/tmp ASAN_OPTIONS=detect_leaks=0 LSAN_OPTIONS= "
                                    "setpriv --reuid=65534 --regid=65534 "
                                    "--clear-groups '" +
                                    copy.string() +
                                    "' --gtest_filter=RecentFilesStore."
                                    "ReadOnlyProgramFolderKeepsTheListInTheSettingsFolder";
        const int status = std::system(command.c_str());
        fs::remove_all(folder);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << command;
        return;
    }
    struct Case {
        bool writable;
        const char* storeBelow; // the test folder
        const char* notBelow;
    };
    const Case cases[] = {
        {true, "program/recentflz.ini", "config/lumora"},
        {false, "config/lumora/recentflz.ini", "program/recentflz.ini"},
    };
    const char* configBefore = std::getenv("XDG_CONFIG_HOME");
    const std::string keptConfig = configBefore ? configBefore : "";
    for (const Case& c : cases) {
        TempDir dir;
        const fs::path program = dir / "program" / "Lumora";
        fs::create_directories(program.parent_path());
        writeFile(program, "");
        fs::permissions(program.parent_path(), c.writable
                                                   ? fs::perms::owner_all
                                                   : fs::perms::owner_read | fs::perms::owner_exec);
        ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
        const std::string page = (dir / "page.htm").string();
        writeFile(page, "<p>page</p>\r\n");

        runWindow(dir, program, page);
        EXPECT_EQ(runWindow(dir, program, ""), std::vector<std::string>{"&1 " + page})
            << "writable " << c.writable;
        EXPECT_TRUE(fs::exists(dir / c.storeBelow)) << c.storeBelow;
        EXPECT_FALSE(fs::exists(dir / c.notBelow)) << c.notBelow;
        fs::permissions(program.parent_path(), fs::perms::owner_all);
    }
    ::setenv("XDG_CONFIG_HOME", keptConfig.c_str(), 1);
}
