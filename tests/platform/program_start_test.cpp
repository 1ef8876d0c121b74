#include "platform/program_start.h"
#include "temp_dir.h"

#include <csignal>
#include <gtest/gtest.h>

using namespace lumora::platform;
using lumora::testing::TempDir;
namespace fs = std::filesystem;

TEST(ProgramStart, CommandLinesSplitTheWindowsWay) {
    struct Case {
        const char* line;
        std::vector<std::string> expected;
    } cases[] = {
        {"setup", {"setup"}},
        {"  setup   UNINSTALL  ", {"setup", "UNINSTALL"}},
        {"\"C:\\Program Files\\Lumora\\setup.exe\" UNINSTALL",
         {"C:\\Program Files\\Lumora\\setup.exe", "UNINSTALL"}},
        {"C:\\WINDOWS\\NOTEPAD.EXE C:\\LUMORA\\README.TXT",
         {"C:\\WINDOWS\\NOTEPAD.EXE", "C:\\LUMORA\\README.TXT"}},
        {"p \"abc\" d e", {"p", "abc", "d", "e"}},
        {"p a\\\\\\b d\"e f\"g h", {"p", "a\\\\\\b", "de fg", "h"}},
        {"p a\\\\\\\"b c d", {"p", "a\\\"b", "c", "d"}},
        {"p a\\\\\\\\\"b c\" d e", {"p", "a\\\\b c", "d", "e"}},
        {"p \"a\"\"b\"", {"p", "a\"b"}},
        {"p \"\" x", {"p", "", "x"}},
        {"p \"unterminated arg", {"p", "unterminated arg"}},
        {"p\ttab", {"p", "tab"}},
        {"", {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(splitCommandLine(c.line), c.expected) << c.line;
}

TEST(ProgramStart, WindowsPathsGoThroughTheDriveMapAndTheProgramIsWaitedFor) {
    TempDir dir;
    fs::create_directories(dir / "Tools");
    fs::create_directories(dir / "Work");
    lumora::testing::writeFile(
        dir / "Tools" / "report",
        "#!/bin/sh\nprintf '%s|' \"$@\" > result.txt\npwd >> result.txt\nexit 3\n");
    fs::permissions(dir / "Tools" / "report", fs::perms::owner_all);
    DriveMap drives;
    drives.map('D', dir.path());
    const int code = runProgramAndWait(
        drives, {.commandLine = "D:\\TOOLS\\REPORT.EXE \"two words\" D:\\work\\file.txt UNINSTALL",
                 .workingDirectory = "D:\\WORK\\"});
    EXPECT_EQ(code, 3);
    EXPECT_EQ(lumora::testing::readFile(dir / "Work" / "result.txt"),
              "two words|" + (dir / "Work" / "file.txt").string() + "|UNINSTALL|" +
                  (dir / "Work").string() + "\n");
}

TEST(ProgramStart, PathArgumentsCanBeLeftAsTheyAre) {
    TempDir dir;
    lumora::testing::writeFile(dir / "echo-args", "#!/bin/sh\nprintf '%s' \"$1\" > \"$2\"\n");
    fs::permissions(dir / "echo-args", fs::perms::owner_all);
    DriveMap drives;
    drives.map('D', dir.path());
    const int code =
        runProgramAndWait(drives, {.commandLine = "D:\\echo-args C:\\X " + (dir / "out").string(),
                                   .translatePathArguments = false});
    EXPECT_EQ(code, 0);
    EXPECT_EQ(lumora::testing::readFile(dir / "out"), "C:\\X");
}

TEST(ProgramStart, BareNamesAreFoundOnThePathWithOrWithoutExe) {
    DriveMap drives;
    EXPECT_EQ(runProgramAndWait(drives, {.commandLine = "true"}), 0);
    EXPECT_EQ(runProgramAndWait(drives, {.commandLine = "FALSE.EXE"}), 1)
        << "found without its extension and without regard to case";
}

TEST(ProgramStart, FailuresToStartAreReportedWithTheirCause) {
    TempDir dir;
    lumora::testing::writeFile(dir / "not-executable", "#!/bin/sh\n");
    fs::permissions(dir / "not-executable", fs::perms::owner_read | fs::perms::owner_write);
    DriveMap drives;
    drives.map('D', dir.path());
    struct Case {
        std::string line;
        std::string directory;
        int code;
    } cases[] = {
        {"D:\\missing.exe", "", ENOENT},
        {"Q:\\setup.exe", "", ENOENT},
        {"", "", ENOENT},
        {"true", "Q:\\nowhere", ENOENT},
        {(dir / "not-executable").string(), "", EACCES},
    };
    for (const auto& c : cases) {
        try {
            startProgram(drives, {.commandLine = c.line, .workingDirectory = c.directory});
            ADD_FAILURE() << c.line << " started";
        } catch (const ProgramStartError& error) {
            EXPECT_EQ(error.code(), c.code) << c.line << ": " << error.what();
        }
    }
}

TEST(ProgramStart, AProgramStartedWithoutWaitingCanBePolledAndEndsByItsSignal) {
    StartedProgram sleeper = startProgram(DriveMap(), {.commandLine = "sleep 30"});
    EXPECT_FALSE(sleeper.poll());
    kill(sleeper.pid(), SIGKILL);
    EXPECT_EQ(sleeper.wait(), 128 + SIGKILL);
    EXPECT_EQ(sleeper.poll(), 128 + SIGKILL);
}
