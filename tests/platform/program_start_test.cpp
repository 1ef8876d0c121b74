#include "platform/descriptor_io.h"
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

TEST(ProgramStart, AHostProgramTalksOverPipesAndTellsAnExitFromAKill) {
    TempDir dir;
    struct Case {
        std::string script;
        ProgramEnd end;
    };
    // Echoes what it reads, then the folder it runs in and a variable set for it only.
    const std::vector<Case> cases = {
        {"read line; echo \"$line $(pwd) $ONLY_HERE\"; exit 3", {3, 0}},
        {"read line; echo \"$line $(pwd) $ONLY_HERE\"; kill -9 $$", {0, SIGKILL}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        PipedProgram shell = startHostProgram({.program = "/bin/sh",
                                               .arguments = {"-c", c.script},
                                               .workingDirectory = dir.path().string(),
                                               .input = StandardStream::Pipe,
                                               .output = StandardStream::Pipe,
                                               .environment = {{"ONLY_HERE", "yes"}}});
        ASSERT_TRUE(writeAll(shell.input.get(), "hello\n"));
        std::string said;
        char block[256];
        for (long got; (got = readSome(shell.output.get(), block, sizeof block)) > 0;)
            said.append(block, static_cast<size_t>(got));
        EXPECT_EQ(said, "hello " + fs::canonical(dir.path()).string() + " yes\n");
        const ProgramEnd end = shell.program.waitForEnd();
        EXPECT_EQ(end.exitCode, c.end.exitCode);
        EXPECT_EQ(end.signal, c.end.signal);
    }
    EXPECT_EQ(std::getenv("ONLY_HERE"), nullptr);
    EXPECT_THROW(startHostProgram({.program = "/nonexistent/program"}), ProgramStartError);
}

TEST(ProgramStart, WritingToAProgramThatHasEndedFailsWithoutASignal) {
    // The default disposition would end this test program; it must stay the default.
    struct sigaction before {};
    sigaction(SIGPIPE, nullptr, &before);
    ASSERT_EQ(before.sa_handler, SIG_DFL);

    PipedProgram quitter = startHostProgram(
        {.program = "/bin/true", .input = StandardStream::Pipe, .output = StandardStream::Pipe});
    // Its end of the output pipe closes when it has ended.
    char byte;
    EXPECT_EQ(readSome(quitter.output.get(), &byte, 1), 0);
    EXPECT_EQ(quitter.program.wait(), 0);
    EXPECT_EQ(waitUntilReadable({quitter.output.get()}), std::vector<bool>{true});
    EXPECT_FALSE(writeAll(quitter.input.get(), std::string(100000, 'x')));

    struct sigaction after {};
    sigaction(SIGPIPE, nullptr, &after);
    EXPECT_EQ(after.sa_handler, SIG_DFL);
    sigset_t pending;
    sigpending(&pending);
    EXPECT_EQ(sigismember(&pending, SIGPIPE), 0) << "the write left a SIGPIPE waiting";
}
